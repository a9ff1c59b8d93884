#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tooltip/CHtmlLayoutContext.h"
#include "tooltip/CHtmlLineBuilder.h"
#include "tooltip/HtmlBlock.h"
#include "tooltip/IHtmlPlatform.h"

namespace tarvel {

// The style and link in force at a point of the markup.
struct HtmlFlowState {
    HtmlStyle style;
    int link = -1;
    HtmlInkSet ink = kNoInk;
};

struct HtmlFlowFrame {
    int wrapWidth = kMaxExtent;
    int percentBase = 0;  // what percentages of the available width refer to; 0 while measuring
    int tableDepth = 0;
    // Measuring the narrowest the text can be: a word too long for a line
    // is kept whole instead of being broken after the last letter that fits.
    bool keepWords = false;
};

// Lays out a range of markup tokens into lines: text runs in the style of
// the tags open around them, line breaks, tabs, rules, images and tables.
class CHtmlFlow {
public:
    CHtmlFlow(CHtmlLayoutContext& context, const HtmlFlowFrame& frame, const HtmlFlowState& start);

    HtmlBlock Run(std::size_t begin, std::size_t end);

private:
    struct OpenTag {
        const HtmlToken* token;
        HtmlFlowState before;
        bool decorated = false;
    };
    // A styled run with a border, padding or margin, drawn around its part
    // on each line it covers.
    struct Decoration {
        HtmlStyle style;
        HtmlInkSet ink;             // around it, which its margins and borders carry
        std::size_t firstItem = 0;  // its background and border on this line
        std::size_t itemCount = 0;
        std::size_t box = 0;  // their box on the line
        int contentLeft = 0;  // where its content starts on this line
    };

    std::size_t Handle(std::size_t index, std::size_t end);
    void Open(const HtmlToken& tag);
    void Close(const HtmlToken& tag);
    void Push(const HtmlToken& tag);
    void ApplyTag(const HtmlToken& tag);
    void TakeInk(bool boxed);
    void TakeLine(int kind, bool on, int offset, const HtmlFontMetrics& m);
    void ApplyFontTag(const HtmlToken& tag);
    void ApplyFontLetters(std::string_view letters);
    void Decorate(OpenTag& open);
    void Undecorate();
    void StartFragment(Decoration& decoration);
    void EndFragment(const Decoration& decoration);
    void ShapeFragment(const Decoration& decoration, int ascent, int descent);

    void Text(std::string_view text);
    void PlaceBeforeBreak(HtmlFontId font, std::string_view text, const IHtmlPlatform::RunFit& fit);
    void PlaceRun(std::string text, int width);
    IHtmlPlatform::RunFit Fit(HtmlFontId font, std::string_view text, int width);
    std::string Transformed(std::string_view text);
    void LineBreak(const HtmlToken& tag);
    void Tab(const HtmlToken& tag);
    void Rule(const HtmlToken& tag);
    void Image(const HtmlToken& tag);
    void String(const HtmlToken& tag);
    std::size_t Table(std::size_t index, std::size_t end);

    HtmlFontId Font() { return context_.Font(state_.style); }
    int LineHeight() { return context_.Metrics(Font()).height; }
    void EndLine(int emptyHeight, bool wrapped = false);
    void WrapLine();
    void BreakAtBlanks();
    void EndLineIfStarted();
    CHtmlLineBuilder::Box BoxFor(int width, int height, int ascent) const;

    CHtmlLayoutContext& context_;
    HtmlFlowFrame frame_;
    HtmlFlowState state_;
    std::vector<OpenTag> open_;
    std::vector<Decoration> decorations_;
    CHtmlLineBuilder lines_;
    bool usesPercent_ = false;
    bool wordStart_ = true;  // the next letter starts a word (capitalize)
    // Blanks that did not fit were dropped: the line ends before what
    // comes next unless that is a line break.
    bool breakPending_ = false;
    std::size_t measureWindow_;
};

}  // namespace tarvel
