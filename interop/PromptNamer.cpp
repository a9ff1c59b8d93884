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

template <class Pairs>
auto FindNumber(Pairs& pairs, int number) {
    return std::find_if(pairs.begin(), pairs.end(), [number](const auto& pair) { return pair.first == number; });
}
}  // namespace

// The first usable text offered for a number counts.
void PromptNamer::Offer(int number, std::string_view defaultText) {
    if (!IsUsable(defaultText) || FindNumber(offered_, number) != offered_.end())
        return;
    if (offered_.empty())
        offered_.reserve(kUsualTabStops);
    offered_.emplace_back(number, std::string(defaultText));
}

bool PromptNamer::IsUsable(std::string_view text) {
    return !text.empty() && text.find_first_of(" \t\r\n$") == std::string_view::npos &&
           !ReservedVariables::IsReserved(text);
}

const std::string& PromptNamer::NameOf(int number) {
    const auto named = FindNumber(names_, number);
    if (named != names_.end())
        return named->second;
    std::string name = kEnd;
    if (number != 0) {
        const auto offered = FindNumber(offered_, number);
        name = offered != offered_.end() && !IsTaken(offered->second) ? offered->second
                                                                        : kArgument + std::to_string(number);
        for (int suffix = 2; IsTaken(name); ++suffix)
            name = kArgument + std::to_string(number) + "_" + std::to_string(suffix);
    }
    if (names_.empty())
        names_.reserve(kUsualTabStops);
    names_.emplace_back(number, std::move(name));
    return names_.back().second;
}

bool PromptNamer::IsTaken(const std::string& name) const {
    for (const auto& [number, taken] : names_)
        if (taken == name)
            return true;
    return false;
}

}  // namespace tarvel
