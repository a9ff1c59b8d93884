#include "store/FormatLimits.h"

#include <algorithm>
#include <array>

#include "store/ReservedVariables.h"
#include "store/TextRules.h"

namespace tarvel::FormatLimits {

namespace {

struct LimitText {
    Limit limit;
    const char* name;
    const char* found;   // %s: the title or shortcut, or %d: the count
    const char* fitted;  // what Fit did about it
};

constexpr std::array<LimitText, 7> kTexts{{
    {Limit::ColonInTitle, "colon in a title", "title \"%s\" holds a colon, which the file format cannot keep",
     "colon in the title \"%s\" replaced by \";\""},
    {Limit::ColonInShortcut, "colon in a shortcut", "shortcut \"%s\" holds a colon, which the file format cannot keep",
     "colon in the shortcut \"%s\" replaced by \";\""},
    {Limit::LineBreakInTitle, "line break in a title", "title \"%s\" holds a line break, which ends the record's header",
     "line break in the title replaced by a space"},
    {Limit::BlankInShortcut, "blank in a shortcut", "shortcut \"%s\" holds white space",
     "white space in the shortcut \"%s\" replaced by \"_\""},
    {Limit::FormFeed, "form feed", "holds a form feed, which ends the record", "form feed removed"},
    {Limit::PercentZero, "%0 in the code", "code holds \"%%0\", which reads back as \"$selected$\"",
     "\"%%0\" in the code written as \"$selected$\", as reading it back would"},
    {Limit::TooManyPrompts, "more than eight prompts", "%d distinct prompts; the prompt dialog shows 8",
     "%d distinct prompts; the prompt dialog shows 8"},
}};

const LimitText& TextOf(Limit limit) {
    return *std::find_if(kTexts.begin(), kTexts.end(), [limit](const LimitText& text) { return text.limit == limit; });
}

constexpr const char* kLineBreaks = "\r\n";
constexpr const char* kBlanks = " \t\r\n\v\f";

bool Holds(std::string_view text, char c) { return text.find(c) != std::string_view::npos; }

Breach Fitted(Limit limit, const std::string& subject) {
    return {limit, TextRules::Format(TextOf(limit).fitted, subject.c_str())};
}

Breach PromptBreach(std::size_t count, const char* pattern) {
    return {Limit::TooManyPrompts, TextRules::Format(pattern, static_cast<int>(count))};
}

// Replaces each character of the set by one replacement; a CR LF pair counts once.
void ReplaceEach(std::string& text, const char* set, const char* replacement) {
    TextRules::ReplaceAll(text, "\r\n", "\n");
    for (auto at = text.find_first_of(set); at != std::string::npos; at = text.find_first_of(set, at + 1))
        text.replace(at, 1, replacement);
}

// Most fields hold no blanks at their ends: those keep their text.
void TrimField(EntryText& field) {
    const auto trimmed = TextRules::TrimmedView(field);
    if (trimmed.size() != field.size())
        field = std::string(trimmed);
}

void RemoveFormFeeds(std::string& text) { text.erase(std::remove(text.begin(), text.end(), '\f'), text.end()); }

}  // namespace

std::vector<Breach> Find(const AutotextEntry& entry) {
    std::vector<Breach> found;
    if (Holds(entry.title, ':'))
        found.push_back(Describe(Limit::ColonInTitle, entry.title));
    if (entry.title.find_first_of(kLineBreaks) != std::string::npos)
        found.push_back(Describe(Limit::LineBreakInTitle, entry.title));
    if (Holds(entry.shortcut, ':'))
        found.push_back(Describe(Limit::ColonInShortcut, entry.shortcut));
    if (entry.shortcut.find_first_of(kBlanks) != std::string::npos)
        found.push_back(Describe(Limit::BlankInShortcut, entry.shortcut));
    if (Holds(entry.title, '\f') || Holds(entry.code, '\f') || Holds(entry.description, '\f'))
        found.push_back(Describe(Limit::FormFeed, ""));
    if (entry.code.find("%0") != std::string::npos)
        found.push_back(Describe(Limit::PercentZero, ""));
    const auto prompts = PromptNames(entry.code).size();
    if (prompts > kMaxPrompts)
        found.push_back(PromptBreach(prompts, TextOf(Limit::TooManyPrompts).found));
    return found;
}

Breach Describe(Limit limit, const std::string& subject) {
    return {limit, TextRules::Format(TextOf(limit).found, subject.c_str())};
}

std::vector<Breach> Fit(AutotextEntry& entry) {
    std::vector<Breach> fitted;
    for (const auto& breach : Find(entry)) {
        switch (breach.limit) {
            case Limit::ColonInTitle:
                fitted.push_back(Fitted(breach.limit, entry.title));
                std::replace(entry.title.begin(), entry.title.end(), ':', kColonReplacement);
                break;
            case Limit::LineBreakInTitle:
                fitted.push_back(Fitted(breach.limit, entry.title));
                ReplaceEach(entry.title, kLineBreaks, " ");
                break;
            case Limit::ColonInShortcut:
                fitted.push_back(Fitted(breach.limit, entry.shortcut));
                std::replace(entry.shortcut.begin(), entry.shortcut.end(), ':', kColonReplacement);
                break;
            case Limit::BlankInShortcut:
                fitted.push_back(Fitted(breach.limit, TextRules::Trim(entry.shortcut)));
                entry.shortcut = TextRules::Trim(entry.shortcut);
                ReplaceEach(entry.shortcut, kBlanks, std::string(1, kBlankReplacement).c_str());
                break;
            case Limit::FormFeed:
                fitted.push_back(Fitted(breach.limit, ""));
                std::replace(entry.title.begin(), entry.title.end(), '\f', ' ');
                RemoveFormFeeds(entry.code);
                RemoveFormFeeds(entry.description);
                break;
            case Limit::PercentZero:
                fitted.push_back(Fitted(breach.limit, ""));
                TextRules::ReplaceAll(entry.code, "%0", "$selected$");
                break;
            case Limit::TooManyPrompts:
                fitted.push_back(breach);
                break;
        }
    }
    TrimField(entry.title);
    TrimField(entry.shortcut);
    return fitted;
}

const char* NameOf(Limit limit) { return TextOf(limit).name; }

std::vector<std::string_view> PromptNames(std::string_view code) {
    std::vector<std::string_view> prompts;
    ForEachPiece(code, [&prompts](const CodePiece& piece) {
        if (piece.isName && !ReservedVariables::IsReserved(piece.text) &&
            std::find(prompts.begin(), prompts.end(), piece.text) == prompts.end())
            prompts.push_back(piece.text);
    });
    return prompts;
}

}  // namespace tarvel::FormatLimits
