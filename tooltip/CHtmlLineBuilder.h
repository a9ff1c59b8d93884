#pragma once

#include <cstddef>
#include <vector>

#include "tooltip/HtmlBlock.h"

// Puts boxes side by side into lines no wider than the wrap width, lines
// them up vertically by their alignment, and records where links are.
class CHtmlLineBuilder {
public:
    struct Box {
        int width = 0;
        int height = 0;
        int ascent = 0;  // baseline below the box's top
        HtmlVAlign vAlign = HtmlVAlign::Baseline;
        HtmlHAlign hAlign = HtmlHAlign::Left;  // the line's, if it is the first box
        int link = -1;
    };

    explicit CHtmlLineBuilder(int wrapWidth) : wrapWidth_(wrapWidth) {}

    int WrapWidth() const { return wrapWidth_; }
    int Remaining() const { return wrapWidth_ - x_; }
    bool AtLineStart() const { return x_ == 0 && pending_.empty(); }
    // The block has reached the largest height a layout may have.
    bool Full() const { return y_ >= kMaxExtent; }

    // The items the caller appends to before placing them as one box.
    std::vector<HtmlDisplayItem>& Items() { return block_.items; }
    // Places the items appended since `firstItem` (drawn relative to 0, 0)
    // as one box at the current position.
    void PlaceGroup(std::size_t firstItem, const Box& box);
    void Place(HtmlDisplayItem item, const Box& box);
    void Advance(int dx);
    // Ends the line; a line without boxes is `emptyHeight` high.
    void EndLine(int emptyHeight);
    void AddEmptyLines(long long count, int height);
    HtmlBlock Finish(int emptyHeight);

private:
    struct Placed {
        std::size_t first, last;
        int x;
        Box box;
    };
    struct LineMetrics {
        int ascent = 0;
        int height = 0;
    };

    LineMetrics Measure() const;
    int TopWithin(const Placed& p, const LineMetrics& m) const;
    void AddLinkAreas(int lineHeight);
    void AddHeight(long long dy);

    int wrapWidth_;
    int x_ = 0;
    int y_ = 0;
    HtmlHAlign lineAlign_ = HtmlHAlign::Left;
    std::vector<Placed> pending_;
    std::size_t lineFirst_ = 0;
    HtmlBlock block_;
};
