#include "interop/PromptNamer.h"

#include "store/FormatLimits.h"

namespace {
constexpr const char* kEnd = "end";
constexpr const char* kArgument = "arg";
}  // namespace

void PromptNamer::Offer(int number, std::string_view defaultText) {
    if (IsUsable(defaultText))
        offered_.emplace(number, std::string(defaultText));
}

bool PromptNamer::IsUsable(std::string_view text) {
    return !text.empty() && text.find_first_of(" \t\r\n$") == std::string_view::npos &&
           !FormatLimits::IsReservedVariable(text);
}

const std::string& PromptNamer::NameOf(int number) {
    const auto named = names_.find(number);
    if (named != names_.end())
        return named->second;
    std::string name = kEnd;
    if (number != 0) {
        const auto offered = offered_.find(number);
        name = offered != offered_.end() && !IsTaken(offered->second) ? offered->second
                                                                        : kArgument + std::to_string(number);
        for (int suffix = 2; IsTaken(name); ++suffix)
            name = kArgument + std::to_string(number) + "_" + std::to_string(suffix);
    }
    return names_.emplace(number, name).first->second;
}

bool PromptNamer::IsTaken(const std::string& name) const {
    for (const auto& [number, taken] : names_)
        if (taken == name)
            return true;
    return false;
}
