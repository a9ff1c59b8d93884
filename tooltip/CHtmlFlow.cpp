#include "tooltip/CHtmlFlow.h"

#include <algorithm>
#include <cstdlib>

#include "tooltip/CHtmlTableLayout.h"
#include "tooltip/HtmlImageTag.h"
#include "tooltip/HtmlLength.h"
#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

constexpr std::string_view kBreakCharacters = " -.,!:;)}]?";
constexpr int kTabAverageWidths = 4;   // between tab stops
constexpr int kTabMinSpaces = 2;       // a tab moves at least this far on
constexpr int kOverlineClearance = 1;  // between an overline and the capitals
constexpr int kRuleGap = 2;            // above and below a rule
constexpr long long kMaxRepeat = 1000;
constexpr std::size_t kMaxOpenTags = 100;
constexpr std::size_t kFirstMeasureWindow = 256;
constexpr int kMaxTableDepth = 6;

bool ChangesStyle(HtmlTagKind kind) {
    switch (kind) {
        case HtmlTagKind::Bold:
        case HtmlTagKind::Italic:
        case HtmlTagKind::Underline:
        case HtmlTagKind::StrikeOut:
        case HtmlTagKind::Font:
        case HtmlTagKind::Left:
        case HtmlTagKind::Center:
        case HtmlTagKind::Right:
        case HtmlTagKind::Justify:
        case HtmlTagKind::Baseline:
        case HtmlTagKind::Top:
        case HtmlTagKind::Middle:
        case HtmlTagKind::Bottom:
        case HtmlTagKind::StyledBlock:
        case HtmlTagKind::Span:
        case HtmlTagKind::Link:
            return true;
        default:
            return false;
    }
}

// "<br=2>", "<br 2>" or "<br count=2>"; one when the tag gives none.
long long RepeatCount(const HtmlToken& tag) {
    std::string_view written = tag.text;
    if (written.empty()) {
        if (const std::string* count = tag.Attribute("count"))
            written = *count;
        else if (!tag.attributes.empty() && tag.attributes.front().value.empty())
            written = tag.attributes.front().name;
    }
    const auto count = ParseCNumber(TrimSpaces(written));
    return count ? std::clamp<long long>(*count, 1, kMaxRepeat) : 1;
}

// Where a run that fits only its first `fit` characters is broken: after
// the last break character among them, or 0 when there is none.
std::size_t BreakAfter(std::string_view text, std::size_t fit) {
    const std::size_t at = text.substr(0, fit).find_last_of(kBreakCharacters);
    return at == std::string_view::npos ? 0 : at + 1;
}

// Border, padding and margin belong to the run of the tag that sets them,
// not to the runs inside it.
bool HasBox(const HtmlStyle& s) {
    return (s.borderStyle != HtmlBorderStyle::None && s.borderWidth > 0) || s.padding > 0 || s.margin > 0;
}

void ClearBox(HtmlStyle& s) {
    s.borderStyle = HtmlBorderStyle::None;
    s.borderWidth = 0;
    s.padding = 0;
    s.margin = 0;
}

int EdgeWidth(const HtmlStyle& s) { return s.borderStyle == HtmlBorderStyle::None ? 0 : s.borderWidth; }

std::string_view WithoutLeadingBlanks(std::string_view text) {
    return text.substr(std::min(text.find_first_not_of(' '), text.size()));
}

// The word at the start of the text with the break character that ends it.
std::size_t WordLength(std::string_view text) {
    const std::size_t at = text.find_first_of(kBreakCharacters);
    return at == std::string_view::npos ? text.size() : at + 1;
}

}  // namespace

CHtmlFlow::CHtmlFlow(CHtmlLayoutContext& context, const HtmlFlowFrame& frame, const HtmlFlowState& start)
    : context_(context),
      frame_(frame),
      state_(start),
      lines_(frame.wrapWidth, context.Inks()),
      measureWindow_(kFirstMeasureWindow) {
    ClearBox(state_.style);
    TakeInk(false);
}

HtmlBlock CHtmlFlow::Run(std::size_t begin, std::size_t end) {
    std::size_t i = begin;
    while (i < end && !lines_.Full())
        i = Handle(i, end);
    while (!decorations_.empty())
        Undecorate();
    HtmlBlock block = lines_.Finish(LineHeight());
    block.usesPercent = block.usesPercent || usesPercent_;
    return block;
}

std::size_t CHtmlFlow::Handle(std::size_t index, std::size_t end) {
    const HtmlToken& token = context_.Markup().tokens[index];
    if (token.type == HtmlToken::Type::Text) {
        Text(token.text);
    } else if (token.type == HtmlToken::Type::Close) {
        Close(token);
    } else if (token.IsOpen("table")) {
        return Table(index, end);
    } else {
        Open(token);
    }
    return index + 1;
}

void CHtmlFlow::Open(const HtmlToken& tag) {
    switch (tag.kind) {
        case HtmlTagKind::Rule:
            Rule(tag);
            return;
        case HtmlTagKind::LineBreak:
            LineBreak(tag);
            return;
        case HtmlTagKind::Tab:
            Tab(tag);
            return;
        case HtmlTagKind::Bitmap:
        case HtmlTagKind::Icon:
        case HtmlTagKind::ImageList:
            Image(tag);
            return;
        case HtmlTagKind::String:
            String(tag);
            return;
        default:
            break;
    }
    if (!ChangesStyle(tag.kind) || open_.size() >= kMaxOpenTags)
        return;
    Push(tag);
}

void CHtmlFlow::Push(const HtmlToken& tag) {
    open_.push_back({&tag, state_});
    ApplyTag(tag);
    TakeInk(HasBox(state_.style));
    Decorate(open_.back());
}

// The background and lines the style now asks for: a new ink where a tag
// started one, the ink of the tags around where it goes on unchanged.
void CHtmlFlow::TakeInk(bool boxed) {
    const HtmlStyle& s = state_.style;
    int& background = state_.ink[HtmlInk::kBackground];
    if (s.solidBackground && (boxed || background < 0 || context_.Inks()[background].color != s.backgroundColor)) {
        HtmlInk ink;
        ink.color = s.backgroundColor;
        ink.outer = background;
        ink.drawnByBox = boxed;
        background = context_.AddInk(ink);
    }
    const bool lineStarts = (s.underline && state_.ink[HtmlInk::kUnderline] < 0) ||
                            (s.strikeOut && state_.ink[HtmlInk::kStrikeOut] < 0) ||
                            (s.overline && state_.ink[HtmlInk::kOverline] < 0);
    const HtmlFontMetrics m = lineStarts ? context_.Metrics(Font()) : HtmlFontMetrics{};
    TakeLine(HtmlInk::kUnderline, s.underline, m.underline, m);
    TakeLine(HtmlInk::kStrikeOut, s.strikeOut, m.strikeOut, m);
    // An overline stands just above the capitals: at the cell's top, above
    // the room the font keeps for accents, it would touch the line above.
    TakeLine(HtmlInk::kOverline, s.overline, std::max(0, m.capitals - kOverlineClearance - m.lineWidth), m);
}

void CHtmlFlow::TakeLine(int kind, bool on, int offset, const HtmlFontMetrics& m) {
    int& number = state_.ink[kind];
    if (!on) {
        number = -1;
        return;
    }
    if (number >= 0)
        return;
    HtmlInk ink;
    ink.kind = kind;
    ink.color = state_.style.color;
    ink.height = m.height;
    ink.ascent = m.ascent;
    ink.vAlign = state_.style.vAlign;
    ink.offset = offset;
    ink.thickness = std::max(1, m.lineWidth);
    number = context_.AddInk(ink);
}

// Undoes the tag's effect: back to the state before it opened, with the
// tags opened after it (and still open) applied again.
void CHtmlFlow::Close(const HtmlToken& tag) {
    auto match =
        std::find_if(open_.rbegin(), open_.rend(), [&](const OpenTag& o) { return o.token->name == tag.name; });
    if (match == open_.rend())
        return;
    const auto at = std::next(match).base();
    std::vector<const HtmlToken*> reopen;
    for (auto it = std::next(at); it != open_.end(); ++it)
        reopen.push_back(it->token);
    for (auto it = open_.end(); it != at;)
        if ((--it)->decorated)
            Undecorate();
    state_ = at->before;
    open_.erase(at, open_.end());
    for (const HtmlToken* again : reopen)
        Push(*again);
}

void CHtmlFlow::Decorate(OpenTag& open) {
    if (!HasBox(state_.style))
        return;
    decorations_.push_back({state_.style, open.before.ink});
    ClearBox(state_.style);
    open.decorated = true;
    StartFragment(decorations_.back());
}

void CHtmlFlow::Undecorate() {
    EndFragment(decorations_.back());
    decorations_.pop_back();
}

// The margin, then the background and border as a box as high as the run's
// font plus padding and border, then the padding; the line makes room for
// all of it above and below.
void CHtmlFlow::StartFragment(Decoration& d) {
    const HtmlStyle& s = d.style;
    const int edge = EdgeWidth(s);
    const bool atLineStart = lines_.AtLineStart();
    lines_.Advance(s.margin);
    auto& items = lines_.Items();
    d.firstItem = items.size();
    if (s.solidBackground) {
        const HtmlColor c = s.backgroundColor;
        items.push_back(HtmlFill{MakeRect(edge, 0, 0, 0), kEffectSolid, c, c, c});
    }
    if (edge > 0)
        items.push_back(HtmlBorder{MakeRect(0, 0, 0, 0), edge, s.borderStyle, s.borderLight, s.borderDark});
    d.itemCount = items.size() - d.firstItem;
    CHtmlLineBuilder::Box box;
    box.hAlign = state_.style.hAlign;
    box.ink = d.ink;
    d.box = lines_.PlaceGroup(d.firstItem, box);
    const HtmlFontMetrics m = context_.Metrics(context_.Font(s));
    ShapeFragment(d, m.ascent, m.height - m.ascent);
    lines_.Advance(edge + s.padding);
    d.contentLeft = lines_.X();
    if (atLineStart)
        lines_.MarkLineStart();
}

// Closes the box after the padding and border, grown to hold the tallest
// thing in it on the line; a part with nothing in it (the run went on at
// the next line) draws nothing and gives its room back.
void CHtmlFlow::EndFragment(const Decoration& d) {
    const HtmlStyle& s = d.style;
    const int edge = EdgeWidth(s);
    auto& items = lines_.Items();
    const bool empty = lines_.X() == d.contentLeft;
    if (empty) {
        lines_.Advance(-(edge + s.padding));
        if (lines_.Unplace(d.firstItem)) {
            lines_.Advance(-s.margin);
            return;
        }
        lines_.Advance(-s.margin);
    } else {
        lines_.Advance(s.padding);
        const HtmlFontMetrics m = context_.Metrics(context_.Font(s));
        const CHtmlLineBuilder::Extent content = lines_.ExtentAfter(d.box);
        ShapeFragment(d, std::max(m.ascent, content.ascent), std::max(m.height - m.ascent, content.descent));
    }
    for (std::size_t i = d.firstItem; i < d.firstItem + d.itemCount; ++i) {
        std::visit(
            [&](auto& item) {
                const bool border = std::is_same_v<std::decay_t<decltype(item)>, HtmlBorder>;
                item.box.right = lines_.X() + (border ? edge : 0);
                if (empty)
                    item.box = MakeRect(item.box.left, item.box.top, 0, 0);
            },
            items[i]);
    }
    if (!empty)
        lines_.Advance(edge + s.margin);
}

// Makes the box hold content that reaches that far above and below the
// baseline, with its padding and border inside its margin.
void CHtmlFlow::ShapeFragment(const Decoration& d, int ascent, int descent) {
    const HtmlStyle& s = d.style;
    const int edge = EdgeWidth(s);
    const int inner = std::min(ascent + descent + 2 * (s.padding + edge), kMaxExtent);
    auto& items = lines_.Items();
    for (std::size_t i = d.firstItem; i < d.firstItem + d.itemCount; ++i) {
        std::visit(
            [&](auto& item) {
                const bool border = std::is_same_v<std::decay_t<decltype(item)>, HtmlBorder>;
                item.box.top = s.margin + (border ? 0 : edge);
                item.box.bottom = s.margin + inner - (border ? 0 : edge);
            },
            items[i]);
    }
    lines_.Reshape(d.box, std::min(inner + 2 * s.margin, kMaxExtent),
                   std::min(ascent + s.padding + edge + s.margin, kMaxExtent));
}

void CHtmlFlow::ApplyTag(const HtmlToken& tag) {
    HtmlStyle& s = state_.style;
    const CHtmlStyleSheet& sheet = context_.Sheet();
    switch (tag.kind) {
        case HtmlTagKind::Bold:
            s.weight = std::min(s.weight * 2, kWeightMax);
            break;
        case HtmlTagKind::Italic:
            s.italic = !s.italic;
            break;
        case HtmlTagKind::Underline:
            s.underline = !s.underline;
            break;
        case HtmlTagKind::StrikeOut:
            s.strikeOut = !s.strikeOut;
            break;
        case HtmlTagKind::Font:
            ApplyFontTag(tag);
            break;
        case HtmlTagKind::Left:
            s.hAlign = HtmlHAlign::Left;
            break;
        case HtmlTagKind::Center:
            s.hAlign = HtmlHAlign::Center;
            break;
        case HtmlTagKind::Right:
            s.hAlign = HtmlHAlign::Right;
            break;
        case HtmlTagKind::Justify:
            s.hAlign = HtmlHAlign::Justify;
            break;
        case HtmlTagKind::Baseline:
            s.vAlign = HtmlVAlign::Baseline;
            break;
        case HtmlTagKind::Top:
            s.vAlign = HtmlVAlign::Top;
            break;
        case HtmlTagKind::Middle:
            s.vAlign = HtmlVAlign::Middle;
            break;
        case HtmlTagKind::Bottom:
            s.vAlign = HtmlVAlign::Bottom;
            break;
        case HtmlTagKind::StyledBlock:
            sheet.Apply(tag.name, s, context_.StyleContext());
            break;
        case HtmlTagKind::Span:
            if (const std::string* cls = tag.Attribute("class"))
                sheet.Apply("." + std::string(TrimSpaces(*cls)), s, context_.StyleContext());
            break;
        case HtmlTagKind::Link:
            state_.link = tag.link;
            sheet.Apply(tag.link == context_.Options().hoverLink ? "a:hover" : "a:link", s, context_.StyleContext());
            break;
        default:
            break;
    }
}

void CHtmlFlow::ApplyFontTag(const HtmlToken& tag) {
    static constexpr std::pair<std::string_view, std::string_view> kAsProperty[] = {
        {"face", "font-family"},   {"size", "font-size"},         {"color", "color"},
        {"weight", "font-weight"}, {"bkgnd", "background-color"},
    };
    for (const HtmlAttribute& a : tag.attributes) {
        if (a.name == "style") {
            ApplyFontLetters(a.value);
            continue;
        }
        for (const auto& [attribute, property] : kAsProperty)
            if (a.name == attribute)
                context_.StyleContext().ApplyDeclaration(state_.style, property, a.value);
    }
}

void CHtmlFlow::ApplyFontLetters(std::string_view letters) {
    HtmlStyle& s = state_.style;
    bool on = true;
    for (const char c : AsciiLower(letters)) {
        switch (c) {
            case '-':
                on = false;
                continue;
            case '+':
                on = true;
                continue;
            case 'b':
                s.weight = on ? kWeightBold : kWeightNormal;
                break;
            case 'i':
                s.italic = on;
                break;
            case 'u':
                s.underline = on;
                break;
            case 's':
                s.strikeOut = on;
                break;
            case 'o':
                s.overline = on;
                break;
            default:
                break;
        }
        on = true;
    }
}

CHtmlLineBuilder::Box CHtmlFlow::BoxFor(int width, int height, int ascent) const {
    CHtmlLineBuilder::Box box{width, height, ascent, state_.style.vAlign, state_.style.hAlign, state_.link};
    box.ink = state_.ink;
    return box;
}

// A styled run with a box is closed at the line's end and opened again on
// the next line.
void CHtmlFlow::EndLine(int emptyHeight, bool wrapped) {
    breakPending_ = false;
    for (auto it = decorations_.rbegin(); it != decorations_.rend(); ++it)
        EndFragment(*it);
    lines_.EndLine(emptyHeight, wrapped);
    for (Decoration& d : decorations_)
        StartFragment(d);
}

// Ends a line because the next thing does not fit on it. A line of
// nothing but blanks is not ended but emptied: white space never makes a
// line of its own.
void CHtmlFlow::WrapLine() {
    if (lines_.Blank()) {
        lines_.DropBlanks();
        breakPending_ = false;
        return;
    }
    EndLine(LineHeight(), true);
}

// Blanks that do not fit are dropped where the line breaks; the break comes
// before the next thing on the line, and only if the line holds something.
void CHtmlFlow::BreakAtBlanks() { breakPending_ = !lines_.Blank(); }

void CHtmlFlow::EndLineIfStarted() {
    lines_.DropBlanks();
    if (!lines_.AtLineStart())
        EndLine(LineHeight());
}

// Capitalize raises the first letter of each word; a word runs on across
// tags ("<b>W</b>ord" is one) and starts after a space or a line break,
// punctuation before its first letter ("(one") belonging to it.
std::string CHtmlFlow::Transformed(std::string_view text) {
    std::string out(text);
    const HtmlTextTransform transform = state_.style.transform;
    for (char& c : out) {
        const bool lower = c >= 'a' && c <= 'z', upper = c >= 'A' && c <= 'Z';
        if (lower &&
            (transform == HtmlTextTransform::Uppercase || (transform == HtmlTextTransform::Capitalize && wordStart_)))
            c = static_cast<char>(c - 'a' + 'A');
        else if (upper && transform == HtmlTextTransform::Lowercase)
            c = static_cast<char>(c - 'A' + 'a');
        const bool inWord = lower || upper || (c >= '0' && c <= '9') || static_cast<unsigned char>(c) >= 0x80;
        if (c == ' ')
            wordStart_ = true;
        else if (inWord)
            wordStart_ = false;
    }
    return out;
}

// Measures only as much of a long run as can matter for the width, so a
// long text in narrow lines costs about its length, not length squared.
IHtmlPlatform::RunFit CHtmlFlow::Fit(HtmlFontId font, std::string_view text, int width) {
    if (width <= 0)
        return {};
    std::size_t window = std::min(text.size(), measureWindow_);
    for (;;) {
        const auto fit = context_.Platform().MeasureRun(font, text.substr(0, window), width);
        if (fit.fit < window || window == text.size()) {
            measureWindow_ = std::max(kFirstMeasureWindow, 2 * fit.fit);
            return fit;
        }
        window = std::min(text.size(), window * 2);
    }
}

void CHtmlFlow::Text(std::string_view raw) {
    const std::string text = Transformed(raw);
    std::string_view rest(text);
    const HtmlFontId font = Font();
    if (breakPending_)
        rest = WithoutLeadingBlanks(rest);
    while (!rest.empty() && !lines_.Full()) {
        if (breakPending_)
            WrapLine();
        const auto fit = Fit(font, rest, lines_.Remaining());
        if (fit.fit >= rest.size()) {
            PlaceRun(std::string(rest), fit.width);
            return;
        }
        if (rest[fit.fit] == ' ') {
            PlaceBeforeBreak(font, rest.substr(0, fit.fit), fit);
            rest = WithoutLeadingBlanks(rest.substr(fit.fit));
            BreakAtBlanks();
            continue;
        }
        std::size_t cut = BreakAfter(rest, fit.fit);
        if (cut == 0 && !lines_.AtLineStart()) {
            WrapLine();
            continue;
        }
        if (cut == 0)
            cut = frame_.keepWords ? WordLength(rest) : std::max<std::size_t>(fit.fit, 1);
        PlaceBeforeBreak(font, rest.substr(0, cut), fit);
        WrapLine();
        rest.remove_prefix(cut);
    }
}

// Spaces where a line breaks need no room on either line: the line's width
// and its alignment go by the text before them.
void CHtmlFlow::PlaceBeforeBreak(HtmlFontId font, std::string_view text, const IHtmlPlatform::RunFit& fit) {
    const std::size_t lastInk = text.find_last_not_of(' ');
    if (lastInk == std::string_view::npos)
        return;
    const std::string_view kept = text.substr(0, lastInk + 1);
    const int width = kept.size() == fit.fit ? fit.width : Fit(font, kept, kMaxExtent).width;
    PlaceRun(std::string(kept), width);
}

void CHtmlFlow::PlaceRun(std::string text, int width) {
    const HtmlFontId font = Font();
    const HtmlFontMetrics m = context_.Metrics(font);
    HtmlTextRun run;
    run.box = MakeRect(0, 0, width, m.height);
    run.ascent = m.ascent;
    run.text = std::move(text);
    run.style = context_.Intern(state_.style);
    run.font = font;
    run.link = state_.link;
    lines_.Place(std::move(run), BoxFor(width, m.height, m.ascent));
}

void CHtmlFlow::LineBreak(const HtmlToken& tag) {
    wordStart_ = true;
    const int height = LineHeight();
    EndLine(height);
    lines_.AddEmptyLines(RepeatCount(tag) - 1, height);
}

// A tab moves at least two spaces on, so words either side stand clearly
// apart, to the next stop; it is a blank, which backgrounds and lines run
// under. A tab that does not fit is dropped like blanks at a break.
void CHtmlFlow::Tab(const HtmlToken& tag) {
    wordStart_ = true;
    if (breakPending_)
        return;
    const HtmlFontId font = Font();
    const HtmlFontMetrics m = context_.Metrics(font);
    const long long stop = std::max(1, kTabAverageWidths * m.averageWidth);
    const long long space = std::max(1, context_.Platform().MeasureRun(font, " ", kMaxExtent).width);
    const long long x = lines_.X();
    const long long first = (x + kTabMinSpaces * space + stop - 1) / stop * stop;
    const long long next = std::min<long long>(first + (RepeatCount(tag) - 1) * stop, kMaxExtent);
    if (next > lines_.WrapWidth()) {
        BreakAtBlanks();
        return;
    }
    CHtmlLineBuilder::Box box = BoxFor(static_cast<int>(next - x), m.height, m.ascent);
    box.blank = true;
    lines_.PlaceGroup(lines_.Items().size(), box);
}

void CHtmlFlow::Rule(const HtmlToken& tag) {
    const CHtmlStyleContext& styles = context_.StyleContext();
    const std::string* widthValue = tag.Attribute("width");
    std::optional<int> asked;
    if (widthValue)
        asked = styles.Length(*widthValue, frame_.percentBase, state_.style);
    // Without a width it can use, a rule spans the whole width; it never
    // widens the text past the width available.
    usesPercent_ = usesPercent_ || !asked || IsHtmlPercentage(*widthValue);
    const int width = std::min(asked.value_or(frame_.percentBase), frame_.wrapWidth);
    int size = 1;
    if (const std::string* v = tag.Attribute("size"))
        size = styles.Length(*v, size, state_.style).value_or(size);
    HtmlRule rule;
    rule.color = state_.style.color;
    if (const std::string* v = tag.Attribute("color"))
        rule.color = styles.Color(*v).value_or(rule.color);
    rule.box = MakeRect(0, kRuleGap, width, size);
    EndLineIfStarted();
    CHtmlLineBuilder::Box box = BoxFor(width, size + 2 * kRuleGap, 0);
    box.vAlign = HtmlVAlign::Top;
    box.link = -1;
    box.ink = kNoInk;
    lines_.Place(rule, box);
    EndLine(0);
}

void CHtmlFlow::Image(const HtmlToken& tag) {
    HtmlImage image = ReadHtmlImageTag(tag, state_.style, context_);
    image.link = state_.link;
    const HtmlImageShadow& shadow = context_.Options().imageShadow;
    const bool shadowed = ((image.style | image.hotStyle) & kImageShadow) != 0;
    const int width = image.box.Width() + (shadowed ? std::abs(shadow.offsetX) : 0);
    const int height = image.box.Height() + (shadowed ? std::abs(shadow.offsetY) : 0);
    // The image stands on the baseline; its shadow falls below it. Lines
    // under, through and over text stop at it; a background runs on.
    const int ascent = image.box.Height();
    if (breakPending_ || (width > lines_.Remaining() && !lines_.AtLineStart()))
        WrapLine();
    CHtmlLineBuilder::Box box = BoxFor(width, height, ascent);
    std::fill(box.ink.begin() + HtmlInk::kUnderline, box.ink.end(), -1);
    lines_.Place(std::move(image), box);
}

void CHtmlFlow::String(const HtmlToken& tag) {
    const std::string* id = tag.Attribute("idres");
    const auto number = id ? ParseResourceId(*id) : std::nullopt;
    if (!number)
        return;
    const std::string text = context_.Platform().ResourceString(*number);
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        std::string line = text.substr(start, end - start);
        line.erase(std::remove(line.begin(), line.end(), '\r'), line.end());
        Text(line);
        if (end < text.size()) {
            EndLine(LineHeight());
            wordStart_ = true;
        }
        start = end + 1;
    }
}

std::size_t CHtmlFlow::Table(std::size_t index, std::size_t end) {
    const std::size_t tableEnd = std::min(context_.Markup().tokens[index].match, end);
    if (frame_.tableDepth >= kMaxTableDepth)
        return index + 1;
    CHtmlTableLayout layout(context_, frame_, state_);
    HtmlBlock table = layout.Layout(index, tableEnd);
    usesPercent_ = usesPercent_ || table.usesPercent;
    EndLineIfStarted();
    auto& items = lines_.Items();
    const std::size_t first = items.size();
    std::move(table.items.begin(), table.items.end(), std::back_inserter(items));
    CHtmlLineBuilder::Box box = BoxFor(table.width, table.height, table.height);
    box.vAlign = HtmlVAlign::Top;
    box.link = -1;
    box.ink = kNoInk;
    box.hAlign = layout.Placement();
    lines_.PlaceGroup(first, box);
    EndLine(0);
    return tableEnd < end ? tableEnd + 1 : end;
}

}  // namespace tarvel
