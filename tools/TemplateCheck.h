#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/AutotextEntry.h"

// What the template format cannot keep, or what will surprise the user when
// an entry is read back or expanded.
namespace TemplateCheck {

struct LineProblem {
    std::size_t line;  // from 1
    std::string problem;
};

// Problems of an entry as it was read, with its tree label: what the format
// cannot keep (FormatLimits) and a label that the next save loses.
std::vector<std::string> FindEntryProblems(const AutotextEntry& entry, const std::string& label);

// What the reading of a current-format file drops: a title or shortcut that
// held a colon or a shortcut that held a space, text after a form feed, and
// separator marker lines outside a record or readme block.
std::vector<LineProblem> FindLineProblems(std::string_view bytes);

// What a current-format file as a whole will not keep: a byte order mark,
// lines ended by CR alone, and text that becomes part of no entry.
std::vector<std::string> FindFileProblems(std::string_view bytes, const std::string& fileName);

}  // namespace TemplateCheck
