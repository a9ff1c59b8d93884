#pragma once

#include <stdexcept>
#include <string>
#include <vector>

#include "interop/SnippetLoss.h"
#include "interop/SnippetMapping.h"

namespace tarvel {

// One snippet as a reader found it, in UTF-8, before it becomes entries.
struct SourceSnippet {
    int line = 0;  // from 1
    std::string name;
    std::vector<std::string> triggers;  // one entry each; at least one, maybe empty
    // The body in its file's syntax, converted only for the snippets that
    // are imported; or, for a syntax read along with the file, the code.
    enum class Syntax { Code, VsCode, Vim };
    Syntax syntax = Syntax::Code;
    std::string code;                   // CR LF line breaks
    std::string description;            // CR LF line breaks
    int language = SnippetMapping::kNoLanguage;
    std::string languageName;           // what the file called its language
    std::vector<SnippetLoss> losses;
};

// A file that is not what its format says, at a line (from 1).
class SourceError : public std::runtime_error {
public:
    SourceError(int line, const std::string& message) : std::runtime_error(message), line(line) {}
    int line;
};

}  // namespace tarvel
