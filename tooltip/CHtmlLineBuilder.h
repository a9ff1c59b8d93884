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
    int X() const { return x_; }
    // Nothing but what was placed before MarkLineStart is on the line.
    bool AtLineStart() const { return x_ == startX_ && pending_.size() == startBoxes_; }
    void MarkLineStart() {
        startX_ = x_;
        startBoxes_ = pending_.size();
    }
    // The block has reached the largest height a layout may have.
    bool Full() const { return y_ >= kMaxExtent; }

    // The items the caller appends to before placing them as one box.
    std::vector<HtmlDisplayItem>& Items() { return block_.items; }
    // Places the items appended since `firstItem` (drawn relative to 0, 0)
    // as one box at the current position.
    void PlaceGroup(std::size_t firstItem, const Box& box);
    void Place(HtmlDisplayItem item, const Box& box);
    void Advance(int dx);
    // Takes back the last box placed if its items start at `firstItem` and
    // nothing came after it; false otherwise.
    bool Unplace(std::size_t firstItem);
    // Ends the line; a line without boxes is `emptyHeight` high. A wrapped
    // line ends because the next box did not fit (justify stretches it).
    void EndLine(int emptyHeight, bool wrapped = false);
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
    int startX_ = 0;
    std::size_t startBoxes_ = 0;
    HtmlHAlign lineAlign_ = HtmlHAlign::Left;
    std::vector<Placed> pending_;
    std::size_t lineFirst_ = 0;
    HtmlBlock block_;
};
