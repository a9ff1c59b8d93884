#include "store/EntryWarnings.h"

#include <algorithm>

namespace tarvel::EntryWarnings {
namespace {

bool SharesShortcut(const AutotextEntry& entry, const std::vector<AutotextEntry*>& language) {
    return !entry.shortcut.empty() &&
           std::any_of(language.begin(), language.end(), [&entry](const AutotextEntry* other) {
               return other != &entry && other->kind == entry.kind && other->shortcut == entry.shortcut;
           });
}

}  // namespace

std::vector<Warning> Find(const AutotextEntry& entry, const std::vector<AutotextEntry*>& language) {
    std::vector<Warning> warnings;
    // The fields refuse colons and drop form feeds as they are typed; what is
    // left of the format's limits stays as typed, with a warning.
    for (const auto& breach : FormatLimits::Find(entry)) {
        if (breach.limit == FormatLimits::Limit::PercentZero)
            warnings.push_back(Warning::PercentZero);
        else if (breach.limit == FormatLimits::Limit::TooManyPrompts)
            warnings.push_back(Warning::TooManyPrompts);
    }
    if (SharesShortcut(entry, language))
        warnings.push_back(Warning::SharedShortcut);
    return warnings;
}

const char* TextOf(Warning warning) {
    switch (warning) {
        case Warning::PercentZero:
            return "The code holds %0, which is read back as $selected$.";
        case Warning::TooManyPrompts:
            return "More than eight prompts: the prompt dialog shows eight.";
        case Warning::SharedShortcut:
            return "Another entry of this language has this shortcut: the host offers both.";
    }
    return "";
}

}  // namespace tarvel::EntryWarnings
