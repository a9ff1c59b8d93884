#include "interop/SnippetLoss.h"

#include <algorithm>
#include <array>

namespace tarvel {

namespace {

struct KindText {
    SnippetLoss::Kind kind;
    const char* name;
    const char* pattern;  // %s: the detail
};

constexpr std::array<KindText, 14> kTexts{{
    {SnippetLoss::Kind::PlaceholderDefault, "placeholder default text", "default text \"%s\" is not kept"},
    {SnippetLoss::Kind::ChoiceList, "choice list", "choice list \"%s\" is not kept"},
    {SnippetLoss::Kind::Transform, "transform", "transform \"%s\" is left out"},
    {SnippetLoss::Kind::InterpolatedCode, "interpolated code", "interpolated code \"%s\" is left out"},
    {SnippetLoss::Kind::RegexTrigger, "regular-expression trigger",
     "regular-expression trigger \"%s\" cannot be typed: the shortcut is left empty"},
    {SnippetLoss::Kind::ExpansionOptions, "expansion options", "expansion options \"%s\" are not kept"},
    {SnippetLoss::Kind::VariableWithoutTwin, "variable with no twin",
     "variable %s has no reserved variable: it is asked for as a prompt"},
    {SnippetLoss::Kind::FileTemplate, "file template", "is a file template%s; it is imported as an entry"},
    {SnippetLoss::Kind::OtherLanguages, "other languages", "is also meant for %s, which it is not imported into"},
    {SnippetLoss::Kind::NonAnsiCharacters, "characters outside the ANSI code page",
     "characters outside the ANSI code page are written as \"?\": %s"},
    {SnippetLoss::Kind::DollarSignsReadAsName, "dollar signs read as a name",
     "literal dollar signs read as the name $%s$"},
    {SnippetLoss::Kind::NotKept, "not imported", "not imported: the template file would read it back differently%s"},
    {SnippetLoss::Kind::NotASnippet, "no snippet", "not imported: %s"},
    {SnippetLoss::Kind::ShortcutTaken, "shortcut already in the language",
     "shortcut \"%s\" is already in this language; imported beside it"},
}};

constexpr std::size_t kDetailLength = 40;
constexpr std::string_view kCut = "...";

// One line, short: the report has one line per snippet.
void AppendShortened(std::string& text, std::string_view detail) {
    const auto from = text.size();
    text.append(detail.substr(0, kDetailLength));
    for (auto at = text.begin() + static_cast<std::ptrdiff_t>(from); at != text.end(); ++at)
        if (*at == '\r' || *at == '\n' || *at == '\t')
            *at = ' ';
    if (detail.size() > kDetailLength)
        text += kCut;
}

const KindText* TextOf(SnippetLoss::Kind kind) {
    const auto found =
        std::find_if(kTexts.begin(), kTexts.end(), [kind](const KindText& text) { return text.kind == kind; });
    return found == kTexts.end() ? nullptr : &*found;
}

}  // namespace

// The pattern with the detail in place of its "%s".
SnippetLoss SnippetLoss::Of(Kind kind, std::string_view detail) {
    const std::string_view pattern = TextOf(kind)->pattern;
    const auto at = pattern.find("%s");
    std::string text;
    text.reserve(pattern.size() + kDetailLength + kCut.size());
    text.append(pattern.substr(0, at));
    AppendShortened(text, detail);
    text.append(pattern.substr(at + 2));
    return {kind, FormatLimits::Limit::ColonInTitle, std::move(text)};
}

SnippetLoss SnippetLoss::Of(const FormatLimits::Breach& breach) { return {Kind::FormatLimit, breach.limit, breach.text}; }

const char* SnippetLoss::KindName() const {
    return kind == Kind::FormatLimit ? FormatLimits::NameOf(limit) : TextOf(kind)->name;
}

}  // namespace tarvel
