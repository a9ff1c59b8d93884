#pragma once

#include <array>
#include <string>
#include <unordered_map>
#include <vector>

#include "interop/CodePage.h"
#include "store/AutotextEntry.h"
#include "store/TemplateLanguage.h"

// Entries as VS Code's snippets, in UTF-8 JSON. Next entries that differ only
// in their shortcuts become one snippet with an array of prefixes; entries of
// another kind, and entries with no title, shortcut or code, which the
// template files do not keep either, are left out.
class VsCodeWriter {
public:
    using LanguageEntries = std::array<std::vector<AutotextEntry*>, TemplateLanguage::kCount>;

    explicit VsCodeWriter(const CodePage& codePage) : codePage_(codePage) {}

    // One language's snippets: the file VS Code names after the language.
    std::string LanguageFile(const std::vector<AutotextEntry*>& entries);
    // Every language's snippets in one ".code-snippets" file, each snippet
    // naming its language in "scope".
    std::string ScopedFile(const LanguageEntries& entries);
    // The name of one language's file, such as "cpp.json".
    static std::string LanguageFileName(int language);

private:
    void Begin();
    void AppendLanguage(const std::vector<AutotextEntry*>& entries, int scopeLanguage);
    void AppendSnippet(const std::vector<const AutotextEntry*>& group, int scopeLanguage);
    void AppendLines(const std::string& text);
    void AppendMember(const char* key, std::string_view value);
    void AppendString(std::string_view utf8);
    std::string UniqueName(std::string name);
    std::string End();

    const CodePage& codePage_;
    std::string out_;
    // How often each title was written.
    std::unordered_map<std::string, int> names_;
    bool firstSnippet_ = true;
};
