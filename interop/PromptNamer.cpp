#include "interop/PromptNamer.h"

#include <algorithm>

#include "store/FormatLimits.h"
#include "store/ReservedVariables.h"

namespace tarvel {

namespace {
constexpr const char* kEnd = "end";
constexpr const char* kArgument = "arg";
// Room for the tab stops of a usual snippet at once, made when it has any.
constexpr std::size_t kUsualTabStops = 8;
}  // namespace

PromptNamer::Prompt* PromptNamer::Find(int number) {
    const auto found = std::find_if(prompts_.begin(), prompts_.end(),
                                    [number](const Prompt& prompt) { return prompt.number == number; });
    return found == prompts_.end() ? nullptr : &*found;
}

// The first usable text offered for a number counts.
void PromptNamer::Offer(int number, std::string_view defaultText) {
    if (!IsUsable(defaultText))
        return;
    if (auto* prompt = Find(number)) {
        if (prompt->offered.empty())
            prompt->offered = defaultText;
        return;
    }
    if (prompts_.empty())
        prompts_.reserve(kUsualTabStops);
    prompts_.push_back({number, defaultText, {}});
}

bool PromptNamer::IsUsable(std::string_view text) {
    return !text.empty() && text.find_first_of(" \t\r\n$") == std::string_view::npos &&
           !ReservedVariables::IsReserved(text);
}

const std::string& PromptNamer::NameOf(int number) {
    auto* prompt = Find(number);
    if (prompt != nullptr && !prompt->name.empty())
        return prompt->name;
    std::string name = kEnd;
    if (number != 0) {
        const bool offered = prompt != nullptr && !prompt->offered.empty();
        name = offered && !IsTaken(prompt->offered) ? std::string(prompt->offered)
                                                                 : kArgument + std::to_string(number);
        for (int suffix = 2; IsTaken(name); ++suffix)
            name = kArgument + std::to_string(number) + "_" + std::to_string(suffix);
    }
    if (prompt != nullptr) {
        prompt->name = std::move(name);
        return prompt->name;
    }
    if (prompts_.empty())
        prompts_.reserve(kUsualTabStops);
    prompts_.push_back({number, {}, std::move(name)});
    return prompts_.back().name;
}

// Names are never empty: a prompt not named yet takes none.
bool PromptNamer::IsTaken(std::string_view name) const {
    for (const auto& prompt : prompts_)
        if (prompt.name == name)
            return true;
    return false;
}

}  // namespace tarvel
