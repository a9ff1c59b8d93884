#include "layout/SplitterLayout.h"

#include <algorithm>
#include <numeric>

namespace tarvel {

SplitterLayout::SplitterLayout(int paneCount, int minimumPane, int barWidth)
    : minimumPane_(std::max(0, minimumPane)),
      barWidth_(std::max(0, barWidth)),
      shares_(static_cast<size_t>(std::max(1, paneCount)), kShareUnit / std::max(1, paneCount)) {}

void SplitterLayout::SetProportions(const std::vector<int>& proportions) {
    if (proportions.size() != shares_.size() ||
        std::any_of(proportions.begin(), proportions.end(), [](int p) { return p < 0; })) {
        return;
    }
    const long long sum = std::accumulate(proportions.begin(), proportions.end(), 0LL);
    if (sum <= 0) {
        return;
    }
    for (size_t i = 0; i < shares_.size(); ++i) {
        shares_[i] = static_cast<int>((sum / 2 + static_cast<long long>(proportions[i]) * kShareUnit) / sum);
    }
}

std::vector<int> SplitterLayout::PaneSizes(int extent) const {
    const int panes = PaneCount();
    const int available = std::max(0, extent - barWidth_ * (panes - 1));
    std::vector<int> sizes(static_cast<size_t>(panes));
    int used = 0;
    for (int i = 0; i < panes - 1; ++i) {
        // Rounded, so that sizes made into shares by a drag come back to the same pixel.
        sizes[static_cast<size_t>(i)] = static_cast<int>(
            (static_cast<long long>(available) * shares_[static_cast<size_t>(i)] + kShareUnit / 2) / kShareUnit);
        used += sizes[static_cast<size_t>(i)];
    }
    sizes.back() = std::max(0, available - used);
    if (available < minimumPane_ * panes) {
        return sizes;
    }
    // Panes below the minimum take what they lack from the panes with the most to spare.
    for (int& size : sizes) {
        while (size < minimumPane_) {
            auto donor = std::max_element(sizes.begin(), sizes.end());
            const int give = std::min(minimumPane_ - size, *donor - minimumPane_);
            *donor -= give;
            size += give;
        }
    }
    return sizes;
}

std::vector<int> SplitterLayout::PaneOffsets(const std::vector<int>& sizes) const {
    std::vector<int> offsets(sizes.size());
    int offset = 0;
    for (size_t i = 0; i < sizes.size(); ++i) {
        offsets[i] = offset;
        offset += sizes[i] + barWidth_;
    }
    return offsets;
}

void SplitterLayout::MoveBar(int bar, int position, int extent) {
    if (bar < 0 || bar >= PaneCount() - 1) {
        return;
    }
    std::vector<int> sizes = PaneSizes(extent);
    const std::vector<int> offsets = PaneOffsets(sizes);
    const size_t before = static_cast<size_t>(bar);
    const int together = sizes[before] + sizes[before + 1];
    const int lowest = std::min(minimumPane_, together / 2);
    const int wanted = std::clamp(position - offsets[before], lowest, together - lowest);
    sizes[before] = wanted;
    sizes[before + 1] = together - wanted;
    SetSharesFromSizes(sizes);
}

void SplitterLayout::SetSharesFromSizes(const std::vector<int>& sizes) {
    const long long sum = std::accumulate(sizes.begin(), sizes.end(), 0LL);
    if (sum <= 0) {
        return;
    }
    int given = 0;
    for (size_t i = 0; i + 1 < sizes.size(); ++i) {
        shares_[i] = static_cast<int>((sum / 2 + sizes[i] * static_cast<long long>(kShareUnit)) / sum);
        given += shares_[i];
    }
    shares_.back() = kShareUnit - given;
}

}  // namespace tarvel
