#pragma once

#include "store/AutotextEntry.h"

#include <optional>
#include <string>

namespace tarvel::host {

// Finds the entry a host would expand for a typed shortcut: the first entry,
// language by language in file order, whose shortcut is the word; failing
// that, the first whose title is. The store's messages go to standard error.
std::optional<AutotextEntry> FindTemplateEntry(const std::string& directory, const std::string& word);

}  // namespace tarvel::host
