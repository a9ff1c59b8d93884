#pragma once

#include <cstddef>
#include <vector>

#include "tooltip/HtmlBlock.h"
#include "tooltip/HtmlInk.h"

namespace tarvel {

// Puts boxes side by side into lines no wider than the wrap width, lines
// them up vertically by their alignment, draws the backgrounds and lines
// of the inks the boxes carry, and records where links are.
class CHtmlLineBuilder {
public:
    struct Box {
        int width = 0;
        int height = 0;
        int ascent = 0;  // baseline below the box's top
        HtmlVAlign vAlign = HtmlVAlign::Baseline;
        HtmlHAlign hAlign = HtmlHAlign::Left;  // the line's, if it is the first box
        int link = -1;
        HtmlInkSet ink = kNoInk;
        bool blank = false;  // white space, which a wrap may drop
    };
    struct Extent {
        int ascent = 0;
        int descent = 0;
    };

    // `inks` is the table the boxes' inks refer to.
    CHtmlLineBuilder(int wrapWidth, const std::vector<HtmlInk>& inks) : wrapWidth_(wrapWidth), inks_(inks) {}

    int WrapWidth() const { return wrapWidth_; }
    int Remaining() const { return wrapWidth_ - x_; }
    int X() const { return x_; }
    // Nothing but what was placed before MarkLineStart is on the line.
    bool AtLineStart() const { return x_ == startX_ && pending_.size() == startBoxes_; }
    void MarkLineStart() {
        startX_ = x_;
        startBoxes_ = pending_.size();
    }
    // Nothing but blanks on the line since its start.
    bool Blank() const;
    // Takes the blanks back from a blank line.
    void DropBlanks();
    // The block has reached the largest height a layout may have.
    bool Full() const { return y_ >= kMaxExtent; }

    // The items the caller appends to before placing them as one box.
    std::vector<HtmlDisplayItem>& Items() { return block_.items; }
    // Places the items appended since `firstItem` (drawn relative to 0, 0)
    // as one box at the current position; returns the box's number on the
    // line.
    std::size_t PlaceGroup(std::size_t firstItem, const Box& box);
    void Place(HtmlDisplayItem item, const Box& box);
    // How far the boxes placed on the line after box `box` reach above and
    // below the baseline, each taken as standing on it.
    Extent ExtentAfter(std::size_t box) const;
    // Gives a box placed on the line a new height and ascent.
    void Reshape(std::size_t box, int height, int ascent);
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
    static int TopWithin(const Box& box, const LineMetrics& m);
    void AddBackgrounds(const LineMetrics& m);
    void AddLines(const LineMetrics& m);
    HtmlRule LineRule(const HtmlInk& ink, int left, int right, const LineMetrics& m) const;
    void AddLinkAreas(int lineHeight);
    void AddHeight(long long dy);

    int wrapWidth_;
    const std::vector<HtmlInk>& inks_;
    int x_ = 0;
    int y_ = 0;
    int startX_ = 0;
    std::size_t startBoxes_ = 0;
    HtmlHAlign lineAlign_ = HtmlHAlign::Left;
    std::vector<Placed> pending_;
    std::size_t lineFirst_ = 0;
    HtmlBlock block_;
};

}  // namespace tarvel
