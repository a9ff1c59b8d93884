#pragma once

#include <cstddef>
#include <vector>

namespace tarvel {

// The arithmetic of a splitter: pane sizes along its axis from shares kept
// as fractions of 32768, a bar width between neighbours and a minimum pane.
class SplitterLayout {
public:
    static constexpr int kShareUnit = 32768;

    SplitterLayout(int paneCount, int minimumPane, int barWidth);

    int PaneCount() const noexcept { return static_cast<int>(shares_.size()); }
    int BarWidth() const noexcept { return barWidth_; }

    // Proportions in any unit, one per pane; each share becomes
    // (sum / 2 + proportion * 32768) / sum. Ignored when the count differs, one is negative or the sum is not positive.
    void SetProportions(const std::vector<int>& proportions);
    int Share(int pane) const noexcept { return shares_[static_cast<std::size_t>(pane)]; }

    // Pane sizes for the given extent; each pane gets at least the minimum when there is room.
    std::vector<int> PaneSizes(int extent) const;
    // Offset of each pane from the start, for the given sizes.
    std::vector<int> PaneOffsets(const std::vector<int>& sizes) const;
    // Moves the bar after pane `bar` so that the pane ends at `position`, then
    // keeps the new sizes as shares.
    void MoveBar(int bar, int position, int extent);

private:
    void SetSharesFromSizes(const std::vector<int>& sizes);

    int minimumPane_;
    int barWidth_;
    std::vector<int> shares_;
};

}  // namespace tarvel
