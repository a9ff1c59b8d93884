#pragma once

#include <string>
#include <vector>

#include "store/AutotextEntry.h"

// What the template format cannot keep of an entry, or what will surprise the
// user when the entry is read back or expanded.
namespace TemplateCheck {

std::vector<std::string> findProblems(const AutotextEntry& entry, const std::string& label);

// The distinct names between dollar signs that are not reserved variables:
// the prompts the host asks for when it expands the entry.
std::vector<std::string> promptNames(const std::string& code);

constexpr std::size_t kMaxPrompts = 8;

} // namespace TemplateCheck
