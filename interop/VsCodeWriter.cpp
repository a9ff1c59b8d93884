#include "interop/VsCodeWriter.h"

#include <algorithm>
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
    names_.clear();
    firstSnippet_ = true;
}

// Room for the usual snippet: its entry's text and the JSON around it.
void VsCodeWriter::Reserve(std::size_t entries) {
    constexpr std::size_t kUsualSnippet = 320;
    out_.reserve(entries * kUsualSnippet);
    names_.reserve(entries);
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
    // The body syntax escapes ASCII characters, which in UTF-8, unlike in a
    // double-byte code page, are never part of another character.
    body_.clear();
    VsCodeBody::Append(body_, IsAscii(entry.code) ? std::string_view(entry.code) : Utf8(entry.code));
    AppendLines(body_, Encoding::Utf8);
    if (!entry.description.empty()) {
        out_ += ",\n\t\t\"description\": ";
        AppendLines(entry.description, Encoding::Ansi);
    }
    if (scopeLanguage != kNoScope)
        AppendMember("scope", SnippetMapping::VsCodeScopeOf(scopeLanguage));
    out_ += "\n\t}";
}

// One line as a string, several as an array of them, as VS Code writes
// bodies (and reads descriptions): a CR before a line break then stays.
void VsCodeWriter::AppendLines(std::string_view text, Encoding encoding) {
    const auto appendLine = [&](std::string_view line) {
        out_ += '"';
        if (encoding == Encoding::Utf8)
            AppendEscapedUtf8(line);
        else
            AppendEscaped(line);
        out_ += '"';
    };
    if (text.find('\n') == std::string_view::npos) {
        appendLine(text);
        return;
    }
    out_ += '[';
    for (bool first = true;; first = false) {
        out_ += first ? "\n\t\t\t" : ",\n\t\t\t";
        const auto lf = text.find('\n');
        const auto line = text.substr(0, lf);
        if (lf == std::string_view::npos) {
            appendLine(line);
            break;
        }
        appendLine(!line.empty() && line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
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
        const auto c = static_cast<unsigned char>(ansi[i]);
        if (c >= 0x20 && c < 0x80 && c != '"' && c != '\\')
            continue;
        if (c >= 0x80) {
            out_.resize(start);
            AppendEscapedUtf8(codePage_.ToUtf8(ansi));
            return;
        }
        out_.append(ansi.data() + plain, i - plain);
        plain = i + 1;
        AppendEscape(c);
    }
    out_.append(ansi.data() + plain, ansi.size() - plain);
}

void VsCodeWriter::AppendEscapedUtf8(std::string_view utf8) {
    std::size_t plain = 0;
    for (std::size_t i = 0; i < utf8.size(); ++i) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c >= 0x20 && c != '"' && c != '\\')
            continue;
        out_.append(utf8.data() + plain, i - plain);
        plain = i + 1;
        AppendEscape(c);
    }
    out_.append(utf8.data() + plain, utf8.size() - plain);
}

void VsCodeWriter::AppendEscape(unsigned char c) {
    switch (c) {
        case '"': out_ += "\\\""; break;
        case '\\': out_ += "\\\\"; break;
        case '\n': out_ += "\\n"; break;
        case '\r': out_ += "\\r"; break;
        case '\t': out_ += "\\t"; break;
        default: {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
            out_ += escaped;
        }
    }
}

// A title holds no padding, so the title with as many paddings as it came
// before is unique.
void VsCodeWriter::AppendName(const std::string& title) {
    const int repeats = names_[title]++;
    out_ += '"';
    AppendEscaped(title);
    for (int i = 0; i < repeats; ++i)
        out_ += VsCodeReader::kNamePadding;
    out_ += '"';
}
