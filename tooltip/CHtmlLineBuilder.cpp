#include "tooltip/CHtmlLineBuilder.h"

#include <algorithm>

namespace tarvel {

std::size_t CHtmlLineBuilder::PlaceGroup(std::size_t firstItem, const Box& box) {
    if (pending_.empty())
        lineAlign_ = box.hAlign;
    for (std::size_t i = firstItem; i < block_.items.size(); ++i)
        OffsetDisplayItem(block_.items[i], x_, 0);
    pending_.push_back({firstItem, block_.items.size(), x_, box});
    x_ = std::min(x_ + box.width, kMaxExtent);
    return pending_.size() - 1;
}

void CHtmlLineBuilder::Place(HtmlDisplayItem item, const Box& box) {
    const std::size_t first = block_.items.size();
    block_.items.push_back(std::move(item));
    PlaceGroup(first, box);
}

void CHtmlLineBuilder::Advance(int dx) { x_ = std::clamp(x_ + dx, 0, kMaxExtent); }

bool CHtmlLineBuilder::Blank() const {
    return std::all_of(pending_.begin() + static_cast<std::ptrdiff_t>(startBoxes_), pending_.end(),
                       [](const Placed& p) { return p.box.blank; });
}

void CHtmlLineBuilder::DropBlanks() {
    if (!Blank())
        return;
    pending_.resize(startBoxes_);
    x_ = startX_;
}

CHtmlLineBuilder::Extent CHtmlLineBuilder::ExtentAfter(std::size_t box) const {
    Extent e;
    for (std::size_t i = box + 1; i < pending_.size(); ++i) {
        e.ascent = std::max(e.ascent, pending_[i].box.ascent);
        e.descent = std::max(e.descent, pending_[i].box.height - pending_[i].box.ascent);
    }
    return e;
}

void CHtmlLineBuilder::Reshape(std::size_t box, int height, int ascent) {
    pending_.at(box).box.height = height;
    pending_.at(box).box.ascent = ascent;
}

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

int CHtmlLineBuilder::TopWithin(const Box& box, const LineMetrics& m) {
    switch (box.vAlign) {
        case HtmlVAlign::Top:
            return 0;
        case HtmlVAlign::Middle:
            return (m.height - box.height) / 2;
        case HtmlVAlign::Bottom:
            return m.height - box.height;
        case HtmlVAlign::Baseline:
            break;
    }
    return m.ascent - box.ascent;
}

// One fill per background and run of boxes it lies under, as high as the
// line; outer backgrounds first, so inner ones are drawn over them. They go
// before the line's items, under its text and borders.
void CHtmlLineBuilder::AddBackgrounds(const LineMetrics& m) {
    struct Open {
        int ink, left, right;
    };
    std::vector<Open> open;
    std::vector<std::pair<std::size_t, HtmlFill>> fills;  // with their depth
    const auto close = [&](std::size_t keep) {
        for (; open.size() > keep; open.pop_back()) {
            const Open& o = open.back();
            const HtmlInk& ink = inks_[o.ink];
            if (!ink.drawnByBox && o.right > o.left)
                fills.emplace_back(open.size(), HtmlFill{MakeRect(o.left, y_, o.right - o.left, m.height), kEffectSolid,
                                                         ink.color, ink.color, ink.color});
        }
    };
    std::vector<int> chain;  // outermost first
    for (const Placed& p : pending_) {
        chain.clear();
        for (int i = p.box.ink[HtmlInk::kBackground]; i >= 0; i = inks_[i].outer)
            chain.push_back(i);
        std::reverse(chain.begin(), chain.end());
        std::size_t same = 0;
        while (same < open.size() && same < chain.size() && open[same].ink == chain[same])
            ++same;
        close(same);
        for (std::size_t i = same; i < chain.size(); ++i)
            open.push_back({chain[i], p.x, p.x});
        for (Open& o : open)
            o.right = p.x + p.box.width;
    }
    close(0);
    std::stable_sort(fills.begin(), fills.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<HtmlDisplayItem> under;
    for (auto& fill : fills)
        under.emplace_back(fill.second);
    block_.items.insert(block_.items.begin() + static_cast<std::ptrdiff_t>(lineFirst_), under.begin(), under.end());
}

// One line per ink and run of boxes that carry it, over the text.
void CHtmlLineBuilder::AddLines(const LineMetrics& m) {
    for (int kind = HtmlInk::kUnderline; kind < HtmlInk::kKinds; ++kind) {
        int ink = -1, left = 0, right = 0;
        const auto flush = [&] {
            if (ink >= 0 && right > left)
                block_.items.push_back(LineRule(inks_[ink], left, right, m));
        };
        for (const Placed& p : pending_) {
            if (p.box.ink[kind] != ink) {
                flush();
                ink = p.box.ink[kind];
                left = p.x;
            }
            right = p.x + p.box.width;
        }
        flush();
    }
}

// Where the ink's font would put the line if a cell of it stood on the
// line, kept inside the line.
HtmlRule CHtmlLineBuilder::LineRule(const HtmlInk& ink, int left, int right, const LineMetrics& m) const {
    Box cell;
    cell.height = ink.height;
    cell.ascent = ink.ascent;
    cell.vAlign = ink.vAlign;
    const int top = std::clamp(TopWithin(cell, m) + ink.offset, 0, std::max(0, m.height - ink.thickness));
    return HtmlRule{MakeRect(left, y_ + top, right - left, ink.thickness), ink.color};
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
        const int dy = y_ + TopWithin(p.box, m);
        for (std::size_t i = p.first; i < p.last; ++i)
            OffsetDisplayItem(block_.items[i], 0, dy);
    }
    AddLines(m);
    AddBackgrounds(m);
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

}  // namespace tarvel
