#include "prompt/PromptFinder.h"

#include "store/ReservedVariables.h"

#include <algorithm>

namespace tarvel {
namespace {

constexpr char kDollar = '$';
constexpr char kBlank = ' ';

bool IsNameCharacter(char c) noexcept {
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-' ||
           c == kBlank || byte >= 0x80;
}

bool IsName(std::string_view text) noexcept {
    return !text.empty() && text.front() != kBlank && text.back() != kBlank;
}

// The end of the name characters from position at.
std::size_t NameEnd(std::string_view code, std::size_t at, const LeadBytes& leadBytes) noexcept {
    while (at < code.size() && IsNameCharacter(code[at])) {
        at += leadBytes.CharacterLength(code, at);
    }
    return at;
}

// The next dollar sign from position at, stepping over two-byte characters,
// whose second byte may be any byte.
std::size_t NextDollar(std::string_view code, std::size_t at, const LeadBytes& leadBytes) noexcept {
    while (at < code.size() && code[at] != kDollar) {
        at += leadBytes.CharacterLength(code, at);
    }
    return at;
}

}  // namespace

std::vector<NamePlace> FindNames(std::string_view code, const LeadBytes& leadBytes) {
    std::vector<NamePlace> places;
    std::size_t open = NextDollar(code, 0, leadBytes);
    while (open < code.size()) {
        const std::size_t close = NameEnd(code, open + 1, leadBytes);
        if (close >= code.size()) {
            break;
        }
        const std::string_view name = code.substr(open + 1, close - open - 1);
        if (code[close] == kDollar && IsName(name)) {
            places.push_back({open, close + 1, name});
            open = NextDollar(code, close + 1, leadBytes);
        } else {
            open = NextDollar(code, close, leadBytes);
        }
    }
    return places;
}

std::vector<std::string> FindPrompts(std::string_view code, const LeadBytes& leadBytes) {
    std::vector<std::string> prompts;
    for (const NamePlace& place : FindNames(code, leadBytes)) {
        if (!ReservedVariables::IsReserved(place.name) &&
            std::find(prompts.begin(), prompts.end(), place.name) == prompts.end()) {
            prompts.emplace_back(place.name);
        }
    }
    return prompts;
}

std::string ExpandPrompts(std::string_view code, const std::vector<std::string>& prompts,
                          const std::vector<std::string>& values, const LeadBytes& leadBytes) {
    std::string expanded;
    std::size_t copied = 0;
    for (const NamePlace& place : FindNames(code, leadBytes)) {
        const auto found = std::find(prompts.begin(), prompts.end(), place.name);
        const auto index = static_cast<std::size_t>(found - prompts.begin());
        if (found != prompts.end() && index < values.size()) {
            expanded.append(code.substr(copied, place.begin - copied));
            expanded += values[index];
            copied = place.end;
        }
    }
    expanded.append(code.substr(copied));
    return expanded;
}

}  // namespace tarvel
