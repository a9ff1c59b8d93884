#include "tooltip/CHtmlLineBuilder.h"

#include <algorithm>

void CHtmlLineBuilder::PlaceGroup(std::size_t firstItem, const Box& box) {
    if (pending_.empty())
        lineAlign_ = box.hAlign;
    for (std::size_t i = firstItem; i < block_.items.size(); ++i)
        OffsetDisplayItem(block_.items[i], x_, 0);
    pending_.push_back({firstItem, block_.items.size(), x_, box});
    x_ = std::min(x_ + box.width, kMaxExtent);
}

void CHtmlLineBuilder::Place(HtmlDisplayItem item, const Box& box) {
    const std::size_t first = block_.items.size();
    block_.items.push_back(std::move(item));
    PlaceGroup(first, box);
}

void CHtmlLineBuilder::Advance(int dx) { x_ = std::clamp(x_ + dx, 0, kMaxExtent); }

bool CHtmlLineBuilder::Unplace(std::size_t firstItem) {
    if (pending_.empty() || pending_.back().first != firstItem || pending_.back().last != block_.items.size() ||
        pending_.back().x + pending_.back().box.width != x_)
        return false;
    block_.items.resize(firstItem);
    x_ = pending_.back().x;
    pending_.pop_back();
    startBoxes_ = std::min(startBoxes_, pending_.size());
    startX_ = std::min(startX_, x_);
    return true;
}

CHtmlLineBuilder::LineMetrics CHtmlLineBuilder::Measure() const {
    int descent = 0;
    LineMetrics m;
    for (const Placed& p : pending_) {
        if (p.box.vAlign != HtmlVAlign::Baseline)
            continue;
        m.ascent = std::max(m.ascent, p.box.ascent);
        descent = std::max(descent, p.box.height - p.box.ascent);
    }
    m.height = m.ascent + descent;
    for (const Placed& p : pending_)
        m.height = std::max(m.height, p.box.height);
    return m;
}

int CHtmlLineBuilder::TopWithin(const Placed& p, const LineMetrics& m) const {
    switch (p.box.vAlign) {
        case HtmlVAlign::Top:
            return 0;
        case HtmlVAlign::Middle:
            return (m.height - p.box.height) / 2;
        case HtmlVAlign::Bottom:
            return m.height - p.box.height;
        case HtmlVAlign::Baseline:
            break;
    }
    return m.ascent - p.box.ascent;
}

// One clickable area per link and line, over the boxes of that link.
void CHtmlLineBuilder::AddLinkAreas(int lineHeight) {
    HtmlLinkArea area;
    auto flush = [&] {
        if (area.link >= 0)
            block_.items.push_back(area);
        area.link = -1;
    };
    for (const Placed& p : pending_) {
        if (p.box.link != area.link)
            flush();
        if (p.box.link < 0)
            continue;
        const HtmlRect box = MakeRect(p.x, y_, p.box.width, lineHeight);
        if (area.link < 0)
            area.box = box;
        area.box.right = box.right;
        area.link = p.box.link;
    }
    flush();
}

void CHtmlLineBuilder::AddHeight(long long dy) {
    y_ = static_cast<int>(std::min<long long>(y_ + std::max(0LL, dy), kMaxExtent));
}

void CHtmlLineBuilder::EndLine(int emptyHeight, bool wrapped) {
    const LineMetrics m = pending_.empty() ? LineMetrics{0, emptyHeight} : Measure();
    for (const Placed& p : pending_) {
        const int dy = y_ + TopWithin(p, m);
        for (std::size_t i = p.first; i < p.last; ++i)
            OffsetDisplayItem(block_.items[i], 0, dy);
    }
    bool linked = false;
    for (const Placed& p : pending_)
        linked = linked || p.box.link >= 0;
    if (linked)
        AddLinkAreas(m.height);
    block_.lines.push_back({lineFirst_, block_.items.size(), x_, lineAlign_, wrapped});
    block_.width = std::max(block_.width, x_);
    AddHeight(m.height);
    lineFirst_ = block_.items.size();
    pending_.clear();
    x_ = 0;
    startX_ = 0;
    startBoxes_ = 0;
}

void CHtmlLineBuilder::AddEmptyLines(long long count, int height) { AddHeight(count * static_cast<long long>(height)); }

HtmlBlock CHtmlLineBuilder::Finish(int emptyHeight) {
    if (!AtLineStart())
        EndLine(emptyHeight);
    block_.height = y_;
    return std::move(block_);
}
