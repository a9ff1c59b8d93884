#pragma once

#include <string>
#include <string_view>

namespace tarvel {

// Plain text as tooltip markup that shows it unchanged: "&" and "<" become
// entities, so neither a tag nor an entity typed in the text is read as one.
std::string EscapeMarkupText(std::string_view text);

}  // namespace tarvel
