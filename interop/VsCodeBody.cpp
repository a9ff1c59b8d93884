#include "interop/VsCodeBody.h"

#include <array>
#include <charconv>

#include "interop/JsonEscape.h"
#include "interop/SnippetMapping.h"
#include "store/ReservedVariables.h"

namespace tarvel {

using JsonEscape::Put;

namespace {

// A byte of the code as the body in JSON takes it.
enum ByteClass : unsigned char {
    kPlain,
    kDollar,     // may open a name
    kEscaped,    // a backslash, a quote or a control character
    kLineFeed,   // ends the body's line
    kReturn,     // goes with the line break it stands before
};

constexpr std::array<unsigned char, 256> MakeClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 0x20; ++c)
        classes[c] = kEscaped;
    classes['\\'] = classes['"'] = kEscaped;
    classes['$'] = kDollar;
    classes['\n'] = kLineFeed;
    classes['\r'] = kReturn;
    return classes;
}

constexpr auto kClasses = MakeClasses();

unsigned char ClassOf(char c) { return kClasses[static_cast<unsigned char>(c)]; }

// What ends a name between dollar signs: the closing one, or what no name
// holds.
bool EndsName(char c) { return c == '$' || c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

constexpr std::string_view kEnd = "end";
// A body's line break: the string of one line closed, the next one opened.
constexpr char kLineBreak[] = "\",\n\t\t\t\"";
static_assert(sizeof kLineBreak - 1 == JsonEscape::kLongest);
// Room for the syntax around a name: "${", a tab stop's number or a
// variable's name of VS Code, and ":" or "}".
constexpr std::size_t kLongestSyntax = 48;

// Names are short: compared here, not by a call into the library.
bool SameName(std::string_view one, std::string_view other) {
    if (one.size() != other.size())
        return false;
    for (std::size_t i = 0; i < one.size(); ++i)
        if (one[i] != other[i])
            return false;
    return true;
}

// A backslash as the body escapes it and JSON escapes that; a quote or a
// control character as JSON escapes it.
char* PutEscaped(char* at, char c) {
    return c == '\\' ? Put(at, "\\\\\\\\") : JsonEscape::PutEscape(at, static_cast<unsigned char>(c));
}

}  // namespace

void VsCodeBody::Write(std::string_view code) {
    names_.clear();
    prompts_ = 0;
    char* at = out_.Open(code.size() * JsonEscape::kLongest);
    for (std::size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        switch (ClassOf(c)) {
            case kPlain:
                *at++ = c;
                break;
            case kDollar:
                if (const auto length = NameAt(code, i)) {
                    out_.Commit(at);
                    WriteName(code.substr(i + 1, length));
                    i += length + 1;
                    at = out_.Open((code.size() - i) * JsonEscape::kLongest);
                } else {
                    at = Put(at, "\\\\$");
                }
                break;
            case kEscaped:
                at = PutEscaped(at, c);
                break;
            case kLineFeed:
                at = Put(at, kLineBreak);
                break;
            case kReturn:
                if (i + 1 == code.size() || code[i + 1] != '\n')
                    at = Put(at, "\\r");
                break;
        }
    }
    out_.Commit(at);
}

// When the text between two dollar signs is no name, the second sign may
// open the next name.
std::size_t VsCodeBody::NameAt(std::string_view code, std::size_t open) {
    std::size_t close = open + 1;
    while (close < code.size() && !EndsName(code[close]))
        ++close;
    return close < code.size() && code[close] == '$' ? close - open - 1 : 0;
}

void VsCodeBody::WriteName(std::string_view text) {
    if (SameName(text, kEnd)) {
        // Braces always: a digit after it would lengthen the number.
        out_.Append("${0}");
        return;
    }
    bool first = false;
    const auto& name = NameOf(text, first);
    if (name.twin.size() + 3 > kLongestSyntax) {
        out_.Append("${");
        out_.Append(name.twin);
        out_.Append("}");
        return;
    }
    // "${TWIN}", "${n}", or "${n:" before the placeholder's text.
    char* at = out_.Open(kLongestSyntax);
    at = Put(at, "${");
    if (name.twin.empty()) {
        at = std::to_chars(at, at + kLongestSyntax - 3, name.number).ptr;
        *at++ = first ? ':' : '}';
    } else {
        at = std::copy(name.twin.begin(), name.twin.end(), at);
        *at++ = '}';
    }
    out_.Commit(at);
    if (first && name.twin.empty())
        WritePlaceholder(text);
}

const VsCodeBody::Name& VsCodeBody::NameOf(std::string_view text, bool& first) {
    for (const auto& name : names_)
        if (SameName(name.text, text))
            return name;
    first = true;
    if (ReservedVariables::IsReserved(text)) {
        const auto twin = SnippetMapping::VsCodeVariableOf(text);
        names_.push_back({text, twin.empty() ? text : twin, 0});
    } else {
        names_.push_back({text, {}, ++prompts_});
    }
    return names_.back();
}

// A prompt's name as the placeholder text of its first tab stop, and the
// brace that closes it: a brace in it is escaped. A name holds no dollar
// sign and no line break.
void VsCodeBody::WritePlaceholder(std::string_view text) {
    char* at = out_.Open(text.size() * JsonEscape::kLongest + 1);
    for (const char c : text) {
        if (c == '}')
            at = Put(at, "\\\\}");
        else if (ClassOf(c) == kPlain)
            *at++ = c;
        else
            at = PutEscaped(at, c);
    }
    *at++ = '}';
    out_.Commit(at);
}

}  // namespace tarvel
