#pragma once

#include <string>

#include "interop/ImportResult.h"

// An import's report, in UTF-8: the messages about whole files, one line per
// snippet that lost something or was said something about ("file:line: name:
// what; what"), and a summary with a count per kind.
namespace tarvel::ImportReport {

std::string Text(const ImportResult& result);

}  // namespace tarvel::ImportReport
