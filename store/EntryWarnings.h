#pragma once

#include <cstddef>
#include <vector>

#include "store/AutotextEntry.h"
#include "store/FormatLimits.h"

// What the editor warns about while an entry is shown, as it is typed: text
// that its next reading changes, and what surprises when the host expands
// it. Warnings, not errors: the entry keeps what was typed (the host may
// rely on it).
namespace tarvel::EntryWarnings {

enum class Warning {
    PercentZero,     // "%0" in the code reads back as "$selected$"
    TooManyPrompts,  // the prompt dialog shows eight
    SharedShortcut,  // the host offers every entry of the language with the shortcut
};

// The entry's warnings, in the order above; `language` holds the entries of
// its language, the entry itself among them or not.
std::vector<Warning> Find(const AutotextEntry& entry, const std::vector<AutotextEntry*>& language);
// The text the editor shows for a warning.
const char* TextOf(Warning warning);

}  // namespace tarvel::EntryWarnings
