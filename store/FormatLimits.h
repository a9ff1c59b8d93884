#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/AutotextEntry.h"

// What the template format cannot keep, or keeps differently from what an
// entry holds in memory: the one list that the command-line check, the import
// and the editor's guards read.
namespace tarvel::FormatLimits {

enum class Limit {
    ColonInTitle,         // the header's fields end at colons: the rest is lost
    ColonInShortcut,
    LineBreakInTitle,     // ends the header line
    BlankInShortcut,      // a shortcut with a space reads as empty
    FormFeed,             // ends the record: the text after it is lost
    PercentZero,          // "%0" reads back as "$selected$"
    TooManyPrompts,       // the prompt dialog shows eight
};

// The prompt dialog shows this many prompts.
constexpr std::size_t kMaxPrompts = 8;
// What a colon in a title or shortcut becomes, and a blank in a shortcut.
constexpr char kColonReplacement = ';';
constexpr char kBlankReplacement = '_';

struct Breach {
    Limit limit;
    std::string text;  // in words, quoting what the entry holds
};

// What of the entry the format cannot keep as it is.
std::vector<Breach> Find(const AutotextEntry& entry);
// A limit in words, quoting the title or shortcut it is about.
Breach Describe(Limit limit, const std::string& subject = {});
// Changes what has a replacement, so that the entry reads back as it is now:
// colons and line breaks in the title, colons and blanks in the shortcut,
// form feeds, and "%0" (which the reader would turn into "$selected$"). Blanks
// around the title and shortcut, which reading trims, go silently. Returns
// what was changed, and what could not be: too many prompts.
std::vector<Breach> Fit(AutotextEntry& entry);
// A few words for summaries, such as "colon in a title".
const char* NameOf(Limit limit);

// The code as literal text and names between dollar signs. A name is not
// empty and holds no blank or line break; when the text between two dollar
// signs is no name, the second sign may open the next name.
struct CodePiece {
    std::string_view text;  // a name without its dollar signs, or literal text
    bool isName;
};
// Whether text between two dollar signs is a name.
inline bool IsName(std::string_view text) {
    for (const char c : text)
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n')
            return false;
    return !text.empty();
}
// The pieces of the code, each handed to visit(const CodePiece&) in order,
// without a list of them.
template <class Visit>
void ForEachPiece(std::string_view code, Visit visit) {
    std::size_t literal = 0;
    std::size_t from = 0;
    for (auto open = code.find('$'); open != std::string_view::npos; open = code.find('$', from)) {
        const auto close = code.find('$', open + 1);
        if (close == std::string_view::npos)
            break;
        const auto name = code.substr(open + 1, close - open - 1);
        if (!IsName(name)) {
            from = close;
            continue;
        }
        if (open > literal)
            visit(CodePiece{code.substr(literal, open - literal), false});
        visit(CodePiece{name, true});
        literal = from = close + 1;
    }
    if (literal < code.size())
        visit(CodePiece{code.substr(literal), false});
}

// The distinct names between dollar signs that are not reserved variables,
// in order of first appearance: the prompts the host asks for. Views into
// the code.
std::vector<std::string_view> PromptNames(std::string_view code);

}  // namespace tarvel::FormatLimits
