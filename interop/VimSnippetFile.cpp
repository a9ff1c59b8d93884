#include "interop/VimSnippetFile.h"

#include <algorithm>
#include <functional>

#include "interop/SnippetMapping.h"
#include "interop/SourceText.h"
#include "store/TextRules.h"

namespace tarvel::VimSnippetFile {

int LanguageOf(std::string_view path, std::string& languageName) {
    const auto name = SourceText::FileName(path);
    const auto fileType = name.substr(0, name.find_first_of("._-"));
    languageName = std::string(fileType);
    int language = SnippetMapping::LanguageOfVimFiletype(fileType);
    if (language == SnippetMapping::kNoLanguage) {
        const auto folder = SourceText::FolderName(path);
        language = SnippetMapping::LanguageOfVimFiletype(folder);
        if (language != SnippetMapping::kNoLanguage)
            languageName = std::string(folder);
    }
    return language;
}

// A skipping search: a plain one stops at every "e" of a snipMate file,
// which has no end line to find.
bool IsUltiSnips(std::string_view bytes) {
    constexpr std::string_view kEndSnippet = "endsnippet";
    const std::boyer_moore_horspool_searcher searcher(kEndSnippet.begin(), kEndSnippet.end());
    const auto find = [&](std::size_t from) {
        const auto found = std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), searcher);
        return found == bytes.end() ? std::string_view::npos : static_cast<std::size_t>(found - bytes.begin());
    };
    for (auto at = find(0); at != std::string_view::npos; at = find(at + 1)) {
        const auto rest = bytes.substr(at + kEndSnippet.size());
        const auto lineEnd = rest.find_first_of("\r\n");
        if ((at == 0 || bytes[at - 1] == '\n' || bytes[at - 1] == '\r') &&
            TextRules::TrimmedView(rest.substr(0, lineEnd)).empty())
            return true;
    }
    return false;
}

std::vector<SourceSnippet> RoomForSnippetsOf(std::string_view bytes) {
    constexpr std::size_t kShortSnippet = 64;
    std::vector<SourceSnippet> snippets;
    snippets.reserve(bytes.size() / kShortSnippet + 1);
    return snippets;
}

}  // namespace tarvel::VimSnippetFile
