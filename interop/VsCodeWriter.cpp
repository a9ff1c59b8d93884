#include "interop/VsCodeWriter.h"

#include <algorithm>
#include <array>

#include "interop/ByteWords.h"
#include "interop/JsonEscape.h"
#include "interop/SnippetMapping.h"
#include "interop/VsCodeBody.h"
#include "interop/VsCodeReader.h"
#include "store/ByteSearch.h"

namespace tarvel {

namespace {

using namespace ByteWords;

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

// The bytes a JSON string's scan for escapes stops at: a quote, a backslash,
// a control character, and a byte beyond ASCII, which the ANSI text holds
// in its code page.
constexpr std::array<bool, 256> MakeStringStops() {
    std::array<bool, 256> stops{};
    for (int c = 0; c < 256; ++c)
        stops[c] = c < 0x20 || c >= 0x80 || c == '"' || c == '\\';
    return stops;
}

constexpr auto kStringStops = MakeStringStops();

bool IsStop(char c) { return kStringStops[static_cast<unsigned char>(c)]; }

bool IsHigh(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// The string stops of a word.
Word StringStops(Word word) { return Below(word, 0x20) | High(word) | Equal(word, '"') | Equal(word, '\\'); }

void AppendJsonEscape(TextBuffer& out, unsigned char c) {
    out.Commit(JsonEscape::PutEscape(out.Open(JsonEscape::kLongest), c));
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
int VsCodeWriter::CountTitle(std::string_view title, std::uint32_t hash) {
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

// The hash of the entry's title, its slot asked from memory ahead: the table
// of titles is larger than the cache.
std::uint32_t VsCodeWriter::HashAndFetchTitle(const AutotextEntry* entry) const {
    if (entry == nullptr)
        return 0;
    const auto hash = static_cast<std::uint32_t>(std::hash<std::string_view>()(entry->title));
    __builtin_prefetch(&titleSlots_[hash & (titleSlots_.size() - 1)]);
    return hash;
}

std::string VsCodeWriter::End() {
    out_.Append(firstSnippet_ ? "}\n" : "\n}\n");
    return out_.Take();
}

// Each snippet is written as soon as its entries are found, while they are
// still in the cache: a language has tens of thousands of them.
void VsCodeWriter::AppendLanguage(const std::vector<AutotextEntry*>& entries, int scopeLanguage) {
    const auto scope = scopeLanguage == kNoScope ? std::string() : SnippetMapping::VsCodeScopeOf(scopeLanguage);
    group_.clear();
    // The next entry's title slot comes from memory while this one is written.
    auto next = entries.empty() ? 0 : HashAndFetchTitle(entries.front());
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const auto hash = next;
        next = i + 1 < entries.size() ? HashAndFetchTitle(entries[i + 1]) : 0;
        const auto* entry = entries[i];
        if (entry == nullptr || !IsWritten(*entry))
            continue;
        if (!group_.empty() && !DifferOnlyInShortcut(*group_.front(), *entry)) {
            AppendSnippet(scope);
            group_.clear();
        }
        if (group_.empty())
            groupHash_ = hash;
        group_.push_back(entry);
    }
    if (!group_.empty())
        AppendSnippet(scope);
}

void VsCodeWriter::AppendSnippet(std::string_view scope) {
    const auto& entry = *group_.front();
    out_.Append(firstSnippet_ ? "\n\t" : ",\n\t");
    firstSnippet_ = false;
    AppendName(entry.title, CountTitle(entry.title, groupHash_));
    out_.Append(": {\n\t\t\"prefix\": ");
    if (group_.size() == 1) {
        AppendString(entry.shortcut);
    } else {
        out_.Append('[');
        for (std::size_t i = 0; i < group_.size(); ++i) {
            if (i > 0)
                out_.Append(", ");
            AppendString(group_[i]->shortcut);
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
    const bool lines = FindByte(code, '\n') != std::string_view::npos;
    out_.Append(lines ? "[\n\t\t\t\"" : "\"");
    if (!body_.WriteAscii(code))
        body_.WriteUtf8(codePage_.ToUtf8(code));
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
    const auto first = FirstMarked(ansi, StringStops);
    if (first == ansi.size()) {
        out_.Append(ansi);
        return;
    }
    const auto start = out_.Size();
    std::size_t plain = 0;
    for (std::size_t i = first; i < ansi.size(); ++i) {
        if (!IsStop(ansi[i]))
            continue;
        if (IsHigh(ansi[i])) {
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
        if (IsHigh(utf8[i]) || !IsStop(utf8[i]))
            continue;
        out_.Append({utf8.data() + plain, i - plain});
        plain = i + 1;
        AppendJsonEscape(out_, static_cast<unsigned char>(utf8[i]));
    }
    out_.Append({utf8.data() + plain, utf8.size() - plain});
}

// A title holds no padding, so the title with as many paddings as it came
// before is unique.
void VsCodeWriter::AppendName(std::string_view title, int repeats) {
    out_.Append('"');
    AppendEscaped(title);
    for (int i = 0; i < repeats; ++i)
        out_.Append(VsCodeReader::kNamePadding);
    out_.Append('"');
}

}  // namespace tarvel
