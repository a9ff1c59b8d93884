#pragma once

#include <string>

#include "store/AutotextEntry.h"

namespace tarvel {

class ExpansionTree;
class CTipStatic;

// The tip line's warnings about the entry on show (what its next reading
// changes, what surprises at expansion): shown while the entry holds them,
// updated as it is typed; with none the line goes back to its tip.
class WarningTip {
public:
    WarningTip(tarvel::CTipStatic& line, const ExpansionTree& entries) : line_(line), entries_(entries) {}

    // The entry shown, or none, after a selection or an edit.
    void Update(const AutotextEntry* entry);

private:
    tarvel::CTipStatic& line_;
    const ExpansionTree& entries_;
    // The warnings on show; empty while the line shows its tip.
    std::string shown_;
};

}  // namespace tarvel
