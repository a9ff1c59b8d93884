#pragma once

#include "prompt/LeadBytes.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel::host {

// What the stand-in host puts in for the reserved variables it knows.
struct ReservedValues {
    std::string date;       // $DATE$
    std::string selected;   // $selected$: the text selected in the document
    std::string clipboard;  // $clipboard$
};

// An entry's code as a host inserts it: prompts replaced by their values,
// the known reserved variables by theirs, $end$ removed with the caret left
// where the first one stood. Other names stay as written.
struct HostExpansion {
    std::string text;
    std::optional<std::size_t> caret;  // a byte offset into text

    // "line L, column C" of the caret, both from 1, columns in bytes.
    std::string CaretPlace() const;
};

HostExpansion ExpandAsHost(std::string_view code, const std::vector<std::string>& prompts,
                           const std::vector<std::string>& values, const ReservedValues& reserved,
                           const LeadBytes& leadBytes);

}  // namespace tarvel::host
