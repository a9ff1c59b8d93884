#include "interop/VimSnippetFile.h"

#include "interop/SnippetMapping.h"
#include "interop/SourceText.h"
#include "store/TextRules.h"

namespace VimSnippetFile {

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

bool StartsWithWord(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word &&
           (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

bool IsUltiSnips(std::string_view bytes) {
    constexpr std::string_view kEndSnippet = "endsnippet";
    for (auto at = bytes.find(kEndSnippet); at != std::string_view::npos; at = bytes.find(kEndSnippet, at + 1)) {
        const auto rest = bytes.substr(at + kEndSnippet.size());
        const auto lineEnd = rest.find_first_of("\r\n");
        if ((at == 0 || bytes[at - 1] == '\n' || bytes[at - 1] == '\r') &&
            TextRules::TrimmedView(rest.substr(0, lineEnd)).empty())
            return true;
    }
    return false;
}

}  // namespace VimSnippetFile
