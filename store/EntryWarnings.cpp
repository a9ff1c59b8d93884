#include "store/EntryWarnings.h"

#include <algorithm>

#include "store/ReservedVariables.h"

namespace EntryWarnings {
namespace {

constexpr const char* kPercentZero = "%0";

bool SharesShortcut(const AutotextEntry& entry, const std::vector<AutotextEntry*>& language) {
    return !entry.shortcut.empty() &&
           std::any_of(language.begin(), language.end(), [&entry](const AutotextEntry* other) {
               return other != &entry && other->kind == entry.kind && other->shortcut == entry.shortcut;
           });
}

}  // namespace

std::vector<Warning> Find(const AutotextEntry& entry, const std::vector<AutotextEntry*>& language) {
    std::vector<Warning> warnings;
    if (entry.code.find(kPercentZero) != std::string::npos)
        warnings.push_back(Warning::PercentZero);
    if (ReservedVariables::PromptNames(entry.code).size() > kMaxPrompts)
        warnings.push_back(Warning::TooManyPrompts);
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

}  // namespace EntryWarnings
