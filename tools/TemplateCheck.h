#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "store/AutotextEntry.h"

// What the template format cannot keep, or what will surprise the user when
// an entry is read back or expanded.
namespace tarvel::TemplateCheck {

struct LineProblem {
    std::size_t line;  // from 1
    std::string problem;
};

// Problems of an entry as it was read, with its tree label and the entries of
// its language: what the format cannot keep (FormatLimits), a label that the
// next save loses, and a shortcut another entry has too.
std::vector<std::string> FindEntryProblems(const AutotextEntry& entry, const std::string& label,
                                           const std::vector<AutotextEntry*>& language);

// What the reading of a current-format file drops or changes: a title or
// shortcut that held a colon or a shortcut that held a space, text after a
// form feed, separator marker lines outside a record or readme block, and
// "%0" in code.
std::vector<LineProblem> FindLineProblems(std::string_view bytes);

// What a current-format file as a whole will not keep: a byte order mark,
// lines ended by CR alone, and text that becomes part of no entry.
std::vector<std::string> FindFileProblems(std::string_view bytes, const std::string& fileName);

}  // namespace tarvel::TemplateCheck
