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

std::vector<std::string_view> LinesOf(std::string_view bytes) {
    std::vector<std::string_view> lines;
    TextRules::LineCursor cursor(bytes);
    for (std::string_view line; cursor.Next(line);)
        lines.push_back(line);
    return lines;
}

bool StartsWithWord(std::string_view line, std::string_view word) {
    return line.substr(0, word.size()) == word &&
           (line.size() == word.size() || line[word.size()] == ' ' || line[word.size()] == '\t');
}

bool IsUltiSnips(std::string_view bytes) {
    for (const auto line : LinesOf(bytes))
        if (TextRules::TrimmedRightView(line) == "endsnippet")
            return true;
    return false;
}

}  // namespace VimSnippetFile
