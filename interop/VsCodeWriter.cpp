#include "interop/VsCodeWriter.h"

#include <cstdio>

#include "interop/SnippetMapping.h"
#include "interop/VsCodeBody.h"
#include "interop/VsCodeReader.h"
#include "interop/SourceText.h"

namespace {

constexpr int kNoScope = -1;

bool IsWritten(const AutotextEntry& entry) {
    return entry.kind == 0 && !(entry.title.empty() && entry.shortcut.empty() && entry.code.empty());
}

bool DifferOnlyInShortcut(const AutotextEntry& one, const AutotextEntry& other) {
    return one.title == other.title && SourceText::WithLf(one.code) == SourceText::WithLf(other.code) &&
           SourceText::WithLf(one.description) == SourceText::WithLf(other.description);
}

// The lines of a text, at LF with a CR before it taken off.
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    std::size_t start = 0;
    for (auto lf = text.find('\n'); lf != std::string_view::npos; lf = text.find('\n', start)) {
        const auto end = lf > start && text[lf - 1] == '\r' ? lf - 1 : lf;
        lines.push_back(text.substr(start, end - start));
        start = lf + 1;
    }
    lines.push_back(text.substr(start));
    return lines;
}

}  // namespace

std::string VsCodeWriter::LanguageFileName(int language) {
    return std::string(SnippetMapping::VsCodeIdOf(language)) + ".json";
}

std::string VsCodeWriter::LanguageFile(const std::vector<AutotextEntry*>& entries) {
    Begin();
    AppendLanguage(entries, kNoScope);
    return End();
}

std::string VsCodeWriter::ScopedFile(const LanguageEntries& entries) {
    Begin();
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        AppendLanguage(entries[language], language);
    return End();
}

void VsCodeWriter::Begin() {
    out_ = "{";
    names_.clear();
    firstSnippet_ = true;
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
    AppendString(UniqueName(codePage_.ToUtf8(entry.title)));
    out_ += ": {\n\t\t\"prefix\": ";
    if (group.size() == 1) {
        AppendString(codePage_.ToUtf8(entry.shortcut));
    } else {
        out_ += '[';
        for (const auto* one : group) {
            if (one != group.front())
                out_ += ", ";
            AppendString(codePage_.ToUtf8(one->shortcut));
        }
        out_ += ']';
    }
    out_ += ",\n\t\t\"body\": ";
    AppendLines(codePage_.ToUtf8(VsCodeBody::FromCode(entry.code)));
    if (!entry.description.empty()) {
        out_ += ",\n\t\t\"description\": ";
        AppendLines(codePage_.ToUtf8(entry.description));
    }
    if (scopeLanguage != kNoScope)
        AppendMember("scope", SnippetMapping::VsCodeScopeOf(scopeLanguage));
    out_ += "\n\t}";
}

// One line as a string, several as an array of them, as VS Code writes
// bodies (and reads descriptions): a CR before a line break then stays.
void VsCodeWriter::AppendLines(const std::string& text) {
    const auto lines = LinesOf(text);
    if (lines.size() == 1) {
        AppendString(lines.front());
        return;
    }
    out_ += '[';
    for (std::size_t i = 0; i < lines.size(); ++i) {
        out_ += i == 0 ? "\n\t\t\t" : ",\n\t\t\t";
        AppendString(lines[i]);
    }
    out_ += "\n\t\t]";
}

void VsCodeWriter::AppendMember(const char* key, std::string_view value) {
    out_.append(",\n\t\t\"").append(key).append("\": ");
    AppendString(value);
}

void VsCodeWriter::AppendString(std::string_view utf8) {
    out_ += '"';
    for (const char c : utf8) {
        switch (c) {
            case '"': out_ += "\\\""; break;
            case '\\': out_ += "\\\\"; break;
            case '\n': out_ += "\\n"; break;
            case '\r': out_ += "\\r"; break;
            case '\t': out_ += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned char>(c));
                    out_ += escaped;
                } else {
                    out_ += c;
                }
        }
    }
    out_ += '"';
}

// A title holds no padding, so the title with as many paddings as it came
// before is unique.
std::string VsCodeWriter::UniqueName(std::string name) {
    const int repeats = names_[name]++;
    for (int i = 0; i < repeats; ++i)
        name += VsCodeReader::kNamePadding;
    return name;
}
