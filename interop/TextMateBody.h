#pragma once

#include <string_view>

#include "interop/ConvertedBody.h"

// Reads the body of a snippet in the TextMate syntax that VS Code, Sublime
// Text, snipMate and UltiSnips share: tab stops $1 and ${1}, placeholders
// ${1:default}, choices ${1|a,b|}, $0, variables $NAME, ${NAME} and
// ${NAME:default}, transforms ${1/regex/format/options}, escapes \$ \} \\; in
// Vim's formats also interpolated code between backticks, with ${VISUAL} as
// the only variable. Text that is none of these stays as it is, as the
// editors themselves keep it.
namespace tarvel::TextMateBody {

enum class Dialect { VsCode, Vim };

ConvertedBody Convert(std::string_view body, Dialect dialect);

}  // namespace tarvel::TextMateBody
