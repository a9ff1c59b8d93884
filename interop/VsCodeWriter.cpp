#include "interop/VsCodeWriter.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

#include "interop/SnippetMapping.h"
#include "interop/Utf8.h"
#include "interop/VsCodeBody.h"
#include "interop/VsCodeReader.h"

namespace {

constexpr int kNoScope = -1;

bool IsWritten(const AutotextEntry& entry) {
    return entry.kind == 0 && !(entry.title.empty() && entry.shortcut.empty() && entry.code.empty());
}

// Equal but for CRs before LFs, which the export leaves out either way.
bool SameLines(std::string_view one, std::string_view other) {
    std::size_t i = 0;
    std::size_t j = 0;
    for (;;) {
        if (i + 1 < one.size() && one[i] == '\r' && one[i + 1] == '\n')
            ++i;
        if (j + 1 < other.size() && other[j] == '\r' && other[j + 1] == '\n')
            ++j;
        if (i == one.size() || j == other.size())
            return i == one.size() && j == other.size();
        if (one[i++] != other[j++])
            return false;
    }
}

bool DifferOnlyInShortcut(const AutotextEntry& one, const AutotextEntry& other) {
    return one.title == other.title && SameLines(one.code, other.code) && SameLines(one.description, other.description);
}

// What a byte needs in a JSON string, and in a snippet's body.
enum ByteClass : unsigned char { kPlain, kHigh, kBodySpecial, kBrace, kQuote, kControl, kLineFeed, kReturn };

constexpr std::array<unsigned char, 256> MakeByteClasses() {
    std::array<unsigned char, 256> classes{};
    for (int c = 0; c < 256; ++c)
        classes[c] = c >= 0x80 ? kHigh : c < 0x20 ? kControl : kPlain;
    classes['$'] = classes['\\'] = kBodySpecial;
    classes['}'] = kBrace;
    classes['"'] = kQuote;
    classes['\n'] = kLineFeed;
    classes['\r'] = kReturn;
    return classes;
}

constexpr auto kByteClasses = MakeByteClasses();

unsigned char ClassOf(char c) { return kByteClasses[static_cast<unsigned char>(c)]; }

// The bytes a scan for escapes stops at: in a JSON string, in a body's
// literal text, and in a placeholder's text, where a brace would close it.
enum class Stops { String, Literal, Placeholder };

constexpr std::array<bool, 256> MakeStops(Stops where) {
    std::array<bool, 256> stops{};
    for (int c = 0; c < 256; ++c) {
        const auto kind = kByteClasses[c];
        const bool stringStop = kind == kHigh || kind == kQuote || kind == kControl || kind == kLineFeed ||
                                kind == kReturn || c == '\\';
        stops[c] = where == Stops::String ? stringStop
                                          : kind != kPlain && kind != kHigh && (kind != kBrace || where == Stops::Placeholder);
    }
    return stops;
}

constexpr auto kStringStops = MakeStops(Stops::String);
constexpr auto kLiteralStops = MakeStops(Stops::Literal);
constexpr auto kPlaceholderStops = MakeStops(Stops::Placeholder);

bool IsStop(const std::array<bool, 256>& stops, char c) { return stops[static_cast<unsigned char>(c)]; }

// The piece written where at points; the end of it. Pieces are string
// literals, so that the copy is a few moves.
template <std::size_t N>
char* Put(char* at, const char (&piece)[N]) {
    std::memcpy(at, piece, N - 1);
    return at + N - 1;
}

// The longest a byte becomes in the JSON: a line break of a body.
constexpr std::size_t kLongestEscape = 7;
constexpr char kBodyLineBreak[] = "\",\n\t\t\t\"";
static_assert(sizeof kBodyLineBreak - 1 == kLongestEscape);

// A quote, a backslash or a control character as JSON writes it.
char* PutJsonEscape(char* at, unsigned char c) {
    constexpr char kHex[] = "0123456789abcdef";
    switch (c) {
        case '"': return Put(at, "\\\"");
        case '\\': return Put(at, "\\\\");
        case '\n': return Put(at, "\\n");
        case '\r': return Put(at, "\\r");
        case '\t': return Put(at, "\\t");
        default:
            at = Put(at, "\\u00");
            *at++ = kHex[c >> 4];
            *at++ = kHex[c & 0xF];
            return at;
    }
}

void AppendJsonEscape(TextBuffer& out, unsigned char c) { out.Commit(PutJsonEscape(out.Open(kLongestEscape), c)); }

// A body, in UTF-8, straight into the JSON: each line a string of the body's
// array, the body syntax's escapes escaped again for JSON, in one pass, a
// byte at a time, as every entry's code goes through it.
class JsonBody {
public:
    explicit JsonBody(TextBuffer& out) : out_(out) {}

    // A byte at a time: the pieces between names are a few bytes long.
    void Literal(std::string_view text, bool inPlaceholder) {
        const auto& stops = inPlaceholder ? kPlaceholderStops : kLiteralStops;
        char* at = out_.Open(text.size() * kLongestEscape);
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (IsStop(stops, text[i]))
                at = PutSpecial(at, text, i);
            else
                *at++ = text[i];
        }
        out_.Commit(at);
    }
    void Syntax(std::string_view text) { out_.Append(text); }

private:
    static char* PutSpecial(char* at, std::string_view text, std::size_t i) {
        const char c = text[i];
        switch (ClassOf(c)) {
            case kBodySpecial:
                return c == '\\' ? Put(at, "\\\\\\\\") : Put(at, "\\\\$");
            case kBrace:
                return Put(at, "\\\\}");
            case kLineFeed:
                return Put(at, kBodyLineBreak);
            case kReturn:
                // A CR before a line break is the line break's.
                return i + 1 < text.size() && text[i + 1] == '\n' ? at : Put(at, "\\r");
            default:
                return PutJsonEscape(at, static_cast<unsigned char>(c));
        }
    }

    TextBuffer& out_;
};

}  // namespace

std::string VsCodeWriter::LanguageFileName(int language) {
    return std::string(SnippetMapping::VsCodeIdOf(language)) + ".json";
}

std::string VsCodeWriter::LanguageFile(const std::vector<AutotextEntry*>& entries) {
    Begin();
    Reserve(entries.size());
    AppendLanguage(entries, kNoScope);
    return End();
}

std::string VsCodeWriter::ScopedFile(const LanguageEntries& entries) {
    Begin();
    std::size_t count = 0;
    for (const auto& language : entries)
        count += language.size();
    Reserve(count);
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        AppendLanguage(entries[language], language);
    return End();
}

void VsCodeWriter::Begin() {
    out_.Shorten(0);
    out_.Append('{');
    firstSnippet_ = true;
}

// Room for the usual snippet: its entry's text and the JSON around it; the
// table of titles is kept at most half full.
void VsCodeWriter::Reserve(std::size_t entries) {
    constexpr std::size_t kUsualSnippet = 320;
    out_.Reserve(entries * kUsualSnippet);
    std::size_t slots = 16;
    while (slots < 2 * entries)
        slots *= 2;
    titleSlots_.assign(slots, TitleSlot{});
    titles_.clear();
    titles_.reserve(entries);
}

// How often the title came before; counts it.
int VsCodeWriter::CountTitle(std::string_view title) {
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>()(title));
    const std::size_t mask = titleSlots_.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        auto& known = titleSlots_[slot];
        if (known.place == 0) {
            titles_.push_back({title, 1});
            known = {hash, static_cast<std::uint32_t>(titles_.size())};
            return 0;
        }
        auto& counted = titles_[known.place - 1];
        if (known.hash == hash && counted.title == title)
            return counted.count++;
    }
}

std::string VsCodeWriter::End() {
    out_.Append(firstSnippet_ ? "}\n" : "\n}\n");
    return out_.Take();
}

// The snippets are found first, and their titles counted in a pass of their
// own: every title is looked up in a table larger than the cache, and in a
// short loop the look-ups overlap.
void VsCodeWriter::AppendLanguage(const std::vector<AutotextEntry*>& entries, int scopeLanguage) {
    const auto scope = scopeLanguage == kNoScope ? std::string() : SnippetMapping::VsCodeScopeOf(scopeLanguage);
    written_.clear();
    snippets_.clear();
    for (const auto* entry : entries) {
        if (entry == nullptr || !IsWritten(*entry))
            continue;
        if (!snippets_.empty() && DifferOnlyInShortcut(*written_[snippets_.back().first], *entry))
            ++snippets_.back().count;
        else
            snippets_.push_back({written_.size(), 1, 0});
        written_.push_back(entry);
    }
    for (auto& snippet : snippets_)
        snippet.repeats = CountTitle(written_[snippet.first]->title);
    for (const auto& snippet : snippets_)
        AppendSnippet(snippet, scope);
}

void VsCodeWriter::AppendSnippet(const Snippet& snippet, std::string_view scope) {
    const auto* const* group = written_.data() + snippet.first;
    const auto& entry = *group[0];
    out_.Append(firstSnippet_ ? "\n\t" : ",\n\t");
    firstSnippet_ = false;
    AppendName(entry.title, snippet.repeats);
    out_.Append(": {\n\t\t\"prefix\": ");
    if (snippet.count == 1) {
        AppendString(entry.shortcut);
    } else {
        out_.Append('[');
        for (std::size_t i = 0; i < snippet.count; ++i) {
            if (i > 0)
                out_.Append(", ");
            AppendString(group[i]->shortcut);
        }
        out_.Append(']');
    }
    out_.Append(",\n\t\t\"body\": ");
    AppendBody(entry.code);
    if (!entry.description.empty()) {
        out_.Append(",\n\t\t\"description\": ");
        AppendLines(entry.description);
    }
    if (!scope.empty())
        AppendMember("scope", scope);
    out_.Append("\n\t}");
}

// The body syntax escapes ASCII characters, which in UTF-8, unlike in a
// double-byte code page, are never part of another character.
void VsCodeWriter::AppendBody(std::string_view code) {
    const bool lines = code.find('\n') != std::string_view::npos;
    out_.Append(lines ? "[\n\t\t\t\"" : "\"");
    JsonBody body(out_);
    VsCodeBody::Write(Utf8::IsAscii(code) ? code : AsUtf8(code), body);
    out_.Append(lines ? "\"\n\t\t]" : "\"");
}

// One line as a string, several as an array of them, as VS Code writes
// bodies (and reads descriptions): a CR before a line break then stays.
void VsCodeWriter::AppendLines(std::string_view text) {
    if (text.find('\n') == std::string_view::npos) {
        AppendString(text);
        return;
    }
    out_.Append('[');
    for (bool first = true;; first = false) {
        out_.Append(first ? "\n\t\t\t" : ",\n\t\t\t");
        const auto lf = text.find('\n');
        const auto line = text.substr(0, lf);
        if (lf == std::string_view::npos) {
            AppendString(line);
            break;
        }
        AppendString(!line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
        text.remove_prefix(lf + 1);
    }
    out_.Append("\n\t\t]");
}

// Valid until the next call.
std::string_view VsCodeWriter::AsUtf8(std::string_view ansi) {
    converted_ = codePage_.ToUtf8(ansi);
    return converted_;
}

void VsCodeWriter::AppendMember(const char* key, std::string_view value) {
    out_.Append(",\n\t\t\"");
    out_.Append(key);
    out_.Append("\": ");
    AppendString(value);
}

void VsCodeWriter::AppendString(std::string_view ansi) {
    out_.Append('"');
    AppendEscaped(ansi);
    out_.Append('"');
}

// The ANSI text in UTF-8 with JSON's escapes. Runs of characters that need
// no escape are copied whole; text with a character beyond ASCII, which
// entries seldom hold, is converted first.
void VsCodeWriter::AppendEscaped(std::string_view ansi) {
    const auto start = out_.Size();
    std::size_t plain = 0;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        if (!IsStop(kStringStops, ansi[i]))
            continue;
        if (ClassOf(ansi[i]) == kHigh) {
            out_.Shorten(start);
            AppendEscapedUtf8(codePage_.ToUtf8(ansi));
            return;
        }
        out_.Append({ansi.data() + plain, i - plain});
        plain = i + 1;
        AppendJsonEscape(out_, static_cast<unsigned char>(ansi[i]));
    }
    out_.Append({ansi.data() + plain, ansi.size() - plain});
}

void VsCodeWriter::AppendEscapedUtf8(std::string_view utf8) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        if (ClassOf(utf8[i]) == kHigh || !IsStop(kStringStops, utf8[i]))
            continue;
        out_.Append({utf8.data() + plain, i - plain});
        plain = i + 1;
        AppendJsonEscape(out_, static_cast<unsigned char>(utf8[i]));
    }
    out_.Append({utf8.data() + plain, utf8.size() - plain});
}

// A title holds no padding, so the title with as many paddings as it came
// before is unique.
void VsCodeWriter::AppendName(const std::string& title, int repeats) {
    out_.Append('"');
    AppendEscaped(title);
    for (int i = 0; i < repeats; ++i)
        out_.Append(VsCodeReader::kNamePadding);
    out_.Append('"');
}
