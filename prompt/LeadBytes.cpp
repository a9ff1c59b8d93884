#include "prompt/LeadBytes.h"

namespace tarvel {

std::size_t LeadBytes::CharacterLength(std::string_view text, std::size_t at) const noexcept {
    return IsLead(text[at]) && at + 1 < text.size() ? 2 : 1;
}

std::size_t LeadBytes::BoundaryAtOrBefore(std::string_view text, std::size_t limit) const noexcept {
    std::size_t boundary = 0;
    while (boundary < text.size()) {
        const std::size_t next = boundary + CharacterLength(text, boundary);
        if (next > limit) {
            break;
        }
        boundary = next;
    }
    return boundary;
}

}  // namespace tarvel
