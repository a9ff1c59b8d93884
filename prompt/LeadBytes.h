#pragma once

#include <bitset>
#include <cstddef>
#include <string_view>

namespace tarvel {

// Which bytes of the ANSI code page open a two-byte character: none on a
// single-byte system, for instance 0x81..0x9F and 0xE0..0xFC on a Japanese
// one. Text is only ever cut between characters.
class LeadBytes {
public:
    // A single-byte code page.
    LeadBytes() = default;

    template <class IsLead>
    static LeadBytes Where(IsLead isLead) {
        LeadBytes bytes;
        for (std::size_t byte = 0; byte < kByteValues; ++byte) {
            bytes.lead_[byte] = isLead(static_cast<unsigned char>(byte));
        }
        return bytes;
    }

    bool IsLead(char byte) const noexcept { return lead_[static_cast<unsigned char>(byte)]; }
    // The bytes of the character at text[at]: two for a lead byte with its
    // trail byte, else one (also for a lead byte without a trail byte).
    std::size_t CharacterLength(std::string_view text, std::size_t at) const noexcept;
    // The last character boundary at or before limit.
    std::size_t BoundaryAtOrBefore(std::string_view text, std::size_t limit) const noexcept;

private:
    static constexpr std::size_t kByteValues = 256;
    std::bitset<kByteValues> lead_;
};

}  // namespace tarvel
