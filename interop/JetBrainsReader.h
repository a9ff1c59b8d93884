#pragma once

#include <string_view>
#include <vector>

#include "interop/SourceSnippet.h"

// JetBrains' live templates: a <templateSet> of <template name value
// description> with their <variable name expression defaultValue> and the
// <context> options that name their languages. A template's name is what is
// typed, and names it; in its value $NAME$ is a variable, $END$ the caret's
// place, $SELECTION$ the selection, and $$ a dollar sign.
namespace tarvel::JetBrainsReader {

std::vector<SourceSnippet> Read(std::string_view bytes, std::string_view path);

}  // namespace tarvel::JetBrainsReader
