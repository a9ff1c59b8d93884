#include "host/HostExpansion.h"

#include "prompt/PromptFinder.h"

#include <algorithm>

namespace tarvel::host {
namespace {

constexpr std::string_view kEnd = "end";

// The value of a reserved variable that the stand-in fills in, or null.
const std::string* ReservedValue(std::string_view name, const ReservedValues& reserved) {
    if (name == "DATE") {
        return &reserved.date;
    }
    if (name == "selected") {
        return &reserved.selected;
    }
    return name == "clipboard" ? &reserved.clipboard : nullptr;
}

}  // namespace

std::string HostExpansion::CaretPlace() const {
    if (!caret) {
        return {};
    }
    const std::string_view before = std::string_view(text).substr(0, *caret);
    const std::size_t lineStart = before.rfind('\n');
    const std::size_t column = lineStart == std::string_view::npos ? *caret : *caret - lineStart - 1;
    const auto line = static_cast<std::size_t>(std::count(before.begin(), before.end(), '\n'));
    return "line " + std::to_string(line + 1) + ", column " + std::to_string(column + 1);
}

HostExpansion ExpandAsHost(std::string_view code, const std::vector<std::string>& prompts,
                           const std::vector<std::string>& values, const ReservedValues& reserved,
                           const LeadBytes& leadBytes) {
    HostExpansion expansion;
    std::size_t copied = 0;
    for (const NamePlace& place : FindNames(code, leadBytes)) {
        const auto prompt = std::find(prompts.begin(), prompts.end(), place.name);
        const auto index = static_cast<std::size_t>(prompt - prompts.begin());
        const std::string* value = prompt != prompts.end() && index < values.size() ? &values[index]
                                                                                    : ReservedValue(place.name, reserved);
        const bool end = place.name == kEnd;
        if (!value && !end) {
            continue;
        }
        expansion.text.append(code.substr(copied, place.begin - copied));
        if (end && !expansion.caret) {
            expansion.caret = expansion.text.size();
        }
        if (value) {
            expansion.text += *value;
        }
        copied = place.end;
    }
    expansion.text.append(code.substr(copied));
    return expansion;
}

}  // namespace tarvel::host
