#include "prompt/LeadBytes.h"

namespace tarvel {

namespace {

// No double-byte code page has a second byte below the digits: a lead byte
// before a line break, a blank or a dollar sign is a broken character and
// stands alone, so that the sign still counts.
constexpr unsigned char kLowestTrailByte = 0x30;

}  // namespace

std::size_t LeadBytes::CharacterLength(std::string_view text, std::size_t at) const noexcept {
    const bool paired = at + 1 < text.size() && static_cast<unsigned char>(text[at + 1]) >= kLowestTrailByte;
    return IsLead(text[at]) && paired ? 2 : 1;
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
