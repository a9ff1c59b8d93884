#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "interop/CodePage.h"
#include "store/TextBuffer.h"
#include "interop/VsCodeBody.h"
#include "store/AutotextEntry.h"
#include "store/TemplateLanguage.h"

namespace tarvel {

// Entries as VS Code's snippets, in UTF-8 JSON. Next entries that differ only
// in their shortcuts become one snippet with an array of prefixes; entries of
// another kind, and entries with no title, shortcut or code, which the
// template files do not keep either, are left out.
class VsCodeWriter {
public:
    using LanguageEntries = std::array<std::vector<AutotextEntry*>, TemplateLanguage::kCount>;

    explicit VsCodeWriter(const CodePage& codePage) : codePage_(codePage), body_(out_) {}

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
    // The entries of group_, which differ only in their shortcuts, as one
    // snippet.
    void AppendSnippet(std::string_view scope);
    void AppendBody(std::string_view code);
    void AppendLines(std::string_view ansi);
    void AppendMember(const char* key, std::string_view ascii);
    void AppendString(std::string_view ansi);
    void AppendEscaped(std::string_view ansi);
    void AppendEscapedUtf8(std::string_view utf8);
    void AppendName(std::string_view title, int repeats);
    int CountTitle(std::string_view title, std::uint32_t hash);
    std::uint32_t HashAndFetchTitle(const AutotextEntry* entry) const;
    void Reserve(std::size_t entries);
    std::string End();

    const CodePage& codePage_;
    TextBuffer out_;
    VsCodeBody body_;
    // How often each title was written, the titles being the entries' own,
    // in the order they came; found through a table of open addressing whose
    // slots hold a title's hash and place, small for the cache, as every
    // entry's title is looked up.
    struct TitleCount {
        std::string_view title;
        int count = 0;
    };
    struct TitleSlot {
        std::uint32_t hash = 0;
        std::uint32_t place = 0;  // from 1; 0 is a free slot
    };
    std::vector<TitleCount> titles_;
    std::vector<TitleSlot> titleSlots_;
    // The hash of the title of group_'s first entry.
    std::uint32_t groupHash_ = 0;
    bool firstSnippet_ = true;
    // Next entries that differ only in their shortcuts: one snippet.
    std::vector<const AutotextEntry*> group_;
};

}  // namespace tarvel
