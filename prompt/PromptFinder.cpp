#include "prompt/PromptFinder.h"

#include "pages/ReservedVariableTable.h"

#include <algorithm>

namespace tarvel {
namespace {

constexpr char kDollar = '$';

bool IsName(std::string_view text) noexcept {
    return !text.empty() && text.find_first_of("\r\n") == std::string_view::npos;
}

// Calls visit(name, begin, end) for each name between dollar signs, [begin,
// end) spanning the name with its signs; visit returns false to stop.
template <class Visit>
void ForEachDollarName(std::string_view code, Visit visit) {
    std::size_t from = 0;
    for (;;) {
        const std::size_t open = code.find(kDollar, from);
        const std::size_t close = open == std::string_view::npos ? open : code.find(kDollar, open + 1);
        if (close == std::string_view::npos) {
            return;
        }
        const std::string_view name = code.substr(open + 1, close - open - 1);
        if (!IsName(name)) {
            from = close;
            continue;
        }
        if (!visit(name, open, close + 1)) {
            return;
        }
        from = close + 1;
    }
}

}  // namespace

std::vector<std::string> FindPrompts(std::string_view code) {
    std::vector<std::string> prompts;
    ForEachDollarName(code, [&prompts](std::string_view name, std::size_t, std::size_t) {
        if (!IsReservedVariableName(name) && std::find(prompts.begin(), prompts.end(), name) == prompts.end()) {
            prompts.emplace_back(name);
        }
        return prompts.size() < kMaxPrompts;
    });
    return prompts;
}

std::string ExpandPrompts(std::string_view code, const std::vector<std::string>& prompts,
                          const std::vector<std::string>& values) {
    std::string expanded;
    std::size_t copied = 0;
    ForEachDollarName(code, [&](std::string_view name, std::size_t begin, std::size_t end) {
        const auto found = std::find(prompts.begin(), prompts.end(), name);
        const auto index = static_cast<std::size_t>(found - prompts.begin());
        if (found != prompts.end() && index < values.size()) {
            expanded.append(code.substr(copied, begin - copied));
            expanded += values[index];
            copied = end;
        }
        return true;
    });
    expanded.append(code.substr(copied));
    return expanded;
}

}  // namespace tarvel
