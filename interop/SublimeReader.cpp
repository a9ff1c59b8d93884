#include "interop/SublimeReader.h"

#include "interop/SourceText.h"
#include "interop/XmlDocument.h"

namespace tarvel::SublimeReader {

namespace {

// Sublime drops the line break after <![CDATA[ and the one before ]]>, which
// the usual layout of the file puts there.
std::string_view WithoutFramingLineBreaks(std::string_view content) {
    if (content.substr(0, 2) == "\r\n")
        content.remove_prefix(2);
    else if (content.substr(0, 1) == "\n")
        content.remove_prefix(1);
    if (content.size() >= 2 && content.substr(content.size() - 2) == "\r\n")
        content.remove_suffix(2);
    else if (!content.empty() && content.back() == '\n')
        content.remove_suffix(1);
    return content;
}

}  // namespace

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path) {
    const XmlDocument document(bytes, "snippet");
    const auto root = document.Root();
    SourceSnippet snippet;
    snippet.line = document.LineOf(root);
    snippet.name = std::string(SourceText::Stem(path));
    snippet.triggers = {root.child_value("tabTrigger")};
    snippet.description = SourceText::WithCrLf(root.child_value("description"));
    snippet.languageName = root.child_value("scope");
    snippet.language = SnippetMapping::LanguageOfSublimeScope(snippet.languageName);
    snippet.syntax = SourceSnippet::Syntax::VsCode;
    snippet.code = SourceText::WithCrLf(WithoutFramingLineBreaks(root.child_value("content")));
    return {snippet};
}

}  // namespace tarvel::SublimeReader
