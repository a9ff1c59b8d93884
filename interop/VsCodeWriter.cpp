#include "interop/VsCodeWriter.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "interop/SnippetMapping.h"
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

// A quote, a backslash or a control character as JSON writes it.
void AppendJsonEscape(std::string& out, unsigned char c) {
    switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default: {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out += escaped;
        }
    }
}

// A body, in UTF-8, straight into the JSON: each line a string of the body's
// array, the body syntax's escapes escaped again for JSON, in one pass.
class JsonBody : public VsCodeBody::Sink {
public:
    explicit JsonBody(std::string& out) : out_(out) {}

    void Literal(std::string_view text, bool inPlaceholder) override {
        std::size_t plain = 0;
        for (std::size_t i = 0; i < text.size(); ++i) {
            const auto kind = ClassOf(text[i]);
            if (kind == kPlain || kind == kHigh || (kind == kBrace && !inPlaceholder))
                continue;
            out_.append(text.data() + plain, i - plain);
            plain = i + 1;
            AppendSpecial(text, i, kind);
        }
        out_.append(text.data() + plain, text.size() - plain);
    }
    void Syntax(std::string_view text) override { out_.append(text); }

private:
    void AppendSpecial(std::string_view text, std::size_t i, unsigned char kind) {
        const char c = text[i];
        switch (kind) {
            case kBodySpecial:
                out_ += c == '\\' ? "\\\\\\\\" : "\\\\$";
                break;
            case kBrace:
                out_ += "\\\\}";
                break;
            case kLineFeed:
                out_ += "\",\n\t\t\t\"";
                break;
            case kReturn:
                // A CR before a line break is the line break's.
                if (i + 1 >= text.size() || text[i + 1] != '\n')
                    out_ += "\\r";
                break;
            default:
                AppendJsonEscape(out_, static_cast<unsigned char>(c));
        }
    }

    std::string& out_;
};

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

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
    out_ = "{";
    firstSnippet_ = true;
}

// Room for the usual snippet: its entry's text and the JSON around it; the
// table of titles is kept at most half full.
void VsCodeWriter::Reserve(std::size_t entries) {
    constexpr std::size_t kUsualSnippet = 320;
    out_.reserve(entries * kUsualSnippet);
    std::size_t slots = 16;
    while (slots < 2 * entries)
        slots *= 2;
    titles_.assign(slots, TitleCount{});
}

// How often the title came before; counts it.
int VsCodeWriter::CountTitle(std::string_view title) {
    const std::size_t mask = titles_.size() - 1;
    for (auto slot = std::hash<std::string_view>()(title) & mask;; slot = (slot + 1) & mask) {
        auto& known = titles_[slot];
        if (known.count == 0) {
            known = {title, 1};
            return 0;
        }
        if (known.title == title)
            return known.count++;
    }
}

std::string VsCodeWriter::End() {
    out_ += firstSnippet_ ? "}\n" : "\n}\n";
    return std::move(out_);
}

void VsCodeWriter::AppendLanguage(const std::vector<AutotextEntry*>& entries, int scopeLanguage) {
    std::vector<const AutotextEntry*> group;
    for (const auto* entry : entries) {
        if (entry == nullptr || !IsWritten(*entry))
            continue;
        if (!group.empty() && !DifferOnlyInShortcut(*group.front(), *entry)) {
            AppendSnippet(group, scopeLanguage);
            group.clear();
        }
        group.push_back(entry);
    }
    if (!group.empty())
        AppendSnippet(group, scopeLanguage);
}

void VsCodeWriter::AppendSnippet(const std::vector<const AutotextEntry*>& group, int scopeLanguage) {
    const auto& entry = *group.front();
    out_ += firstSnippet_ ? "\n\t" : ",\n\t";
    firstSnippet_ = false;
    AppendName(entry.title);
    out_ += ": {\n\t\t\"prefix\": ";
    if (group.size() == 1) {
        AppendString(entry.shortcut);
    } else {
        out_ += '[';
        for (const auto* one : group) {
            if (one != group.front())
                out_ += ", ";
            AppendString(one->shortcut);
        }
        out_ += ']';
    }
    out_ += ",\n\t\t\"body\": ";
    AppendBody(entry.code);
    if (!entry.description.empty()) {
        out_ += ",\n\t\t\"description\": ";
        AppendLines(entry.description);
    }
    if (scopeLanguage != kNoScope)
        AppendMember("scope", SnippetMapping::VsCodeScopeOf(scopeLanguage));
    out_ += "\n\t}";
}

// The body syntax escapes ASCII characters, which in UTF-8, unlike in a
// double-byte code page, are never part of another character.
void VsCodeWriter::AppendBody(std::string_view code) {
    const bool lines = code.find('\n') != std::string_view::npos;
    out_ += lines ? "[\n\t\t\t\"" : "\"";
    JsonBody body(out_);
    VsCodeBody::Write(IsAscii(code) ? code : Utf8(code), body);
    out_ += lines ? "\"\n\t\t]" : "\"";
}

// One line as a string, several as an array of them, as VS Code writes
// bodies (and reads descriptions): a CR before a line break then stays.
void VsCodeWriter::AppendLines(std::string_view text) {
    if (text.find('\n') == std::string_view::npos) {
        AppendString(text);
        return;
    }
    out_ += '[';
    for (bool first = true;; first = false) {
        out_ += first ? "\n\t\t\t" : ",\n\t\t\t";
        const auto lf = text.find('\n');
        const auto line = text.substr(0, lf);
        if (lf == std::string_view::npos) {
            AppendString(line);
            break;
        }
        AppendString(!line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
        text.remove_prefix(lf + 1);
    }
    out_ += "\n\t\t]";
}

// Valid until the next call.
std::string_view VsCodeWriter::Utf8(std::string_view ansi) {
    converted_ = codePage_.ToUtf8(ansi);
    return converted_;
}

void VsCodeWriter::AppendMember(const char* key, std::string_view value) {
    out_.append(",\n\t\t\"").append(key).append("\": ");
    AppendString(value);
}

void VsCodeWriter::AppendString(std::string_view ansi) {
    out_ += '"';
    AppendEscaped(ansi);
    out_ += '"';
}

// The ANSI text in UTF-8 with JSON's escapes. Runs of characters that need
// no escape are copied whole; text with a character beyond ASCII, which
// entries seldom hold, is converted first.
void VsCodeWriter::AppendEscaped(std::string_view ansi) {
    const auto start = out_.size();
    std::size_t plain = 0;
    for (std::size_t i = 0; i < ansi.size(); ++i) {
        const auto kind = ClassOf(ansi[i]);
        if (kind == kPlain || kind == kBrace || (kind == kBodySpecial && ansi[i] == '$'))
            continue;
        if (kind == kHigh) {
            out_.resize(start);
            AppendEscapedUtf8(codePage_.ToUtf8(ansi));
            return;
        }
        out_.append(ansi.data() + plain, i - plain);
        plain = i + 1;
        AppendJsonEscape(out_, static_cast<unsigned char>(ansi[i]));
    }
    out_.append(ansi.data() + plain, ansi.size() - plain);
}

void VsCodeWriter::AppendEscapedUtf8(std::string_view utf8) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto kind = ClassOf(utf8[i]);
        if (kind == kPlain || kind == kHigh || kind == kBrace || (kind == kBodySpecial && utf8[i] == '$'))
            continue;
        out_.append(utf8.data() + plain, i - plain);
        plain = i + 1;
        AppendJsonEscape(out_, static_cast<unsigned char>(utf8[i]));
    }
    out_.append(utf8.data() + plain, utf8.size() - plain);
}

// A title holds no padding, so the title with as many paddings as it came
// before is unique.
void VsCodeWriter::AppendName(const std::string& title) {
    const int repeats = CountTitle(title);
    out_ += '"';
    AppendEscaped(title);
    for (int i = 0; i < repeats; ++i)
        out_ += VsCodeReader::kNamePadding;
    out_ += '"';
}
