#pragma once

#include <bitset>
#include <initializer_list>
#include <string_view>
#include <utility>

namespace tarvel {

// The bytes that start a two-byte character in a double-byte ANSI code page
// (932, 936, 949, 950, 1361); empty for a single-byte one.
class LeadByteSet {
public:
    using Range = std::pair<unsigned char, unsigned char>;

    LeadByteSet() = default;
    // Each range from its first to its last byte, both included.
    explicit LeadByteSet(std::initializer_list<Range> ranges) {
        for (const auto& range : ranges)
            Add(range.first, range.second);
    }

    void Add(unsigned char first, unsigned char last) {
        for (unsigned byte = first; byte <= last; ++byte)
            leads_.set(byte);
    }
    bool Empty() const { return leads_.none(); }
    bool IsLead(char byte) const { return leads_.test(static_cast<unsigned char>(byte)); }
    // The length of the character at the start of the text: two for a lead
    // byte that has a byte after it, else one; zero for no text.
    std::size_t CharacterLength(std::string_view text) const {
        if (text.empty())
            return 0;
        return IsLead(text.front()) && text.size() > 1 ? 2 : 1;
    }

private:
    std::bitset<256> leads_;
};

}  // namespace tarvel
