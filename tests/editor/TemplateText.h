#pragma once

#include <string>

namespace tarvel::uitest {

// Records of the current template format as the editor writes them (CR LF
// line ends): a readme block when there is a description, then the
// "a:title:shortcut:" header and the code closed by a form feed. Line breaks
// in code and description are given as "\n".
std::string TemplateRecord(const std::string& title, const std::string& shortcut, const std::string& code,
                           const std::string& description = {});

// The eight template files of every language, in language order.
constexpr const char* kTemplateFiles[] = {"cpp.tpl", "cs.tpl",   "html.tpl", "java.tpl",
                                          "js.tpl",  "perl.tpl", "txt.tpl",  "vb.tpl"};
constexpr const char* kRootLabels[] = {"C++", "C#", "HTML", "Java", "JavaScript", "Perl", "Text", "VB"};

}  // namespace tarvel::uitest
