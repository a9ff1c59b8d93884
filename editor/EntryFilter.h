#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "store/AutotextEntry.h"

namespace tarvel {

// What a filter text keeps of the entries: those whose title, shortcut,
// description or code holds every word of it (words are separated by blanks),
// case-insensitive by a fold table of the system's code page. Portable: the
// editor passes the table of its ANSI code page.
class EntryFilter {
public:
    // Each byte to the byte it is compared as.
    using CaseFold = std::array<unsigned char, 256>;
    // A run of a label that a word matches: begin and length in bytes.
    struct Span {
        std::size_t begin;
        std::size_t length;
        bool operator==(const Span& other) const { return begin == other.begin && length == other.length; }
    };

    // ASCII letters folded to lower case, every other byte kept.
    static CaseFold AsciiCaseFold();

    EntryFilter(std::string_view text, const CaseFold& fold);

    // Only blanks or nothing: every entry is kept.
    bool IsEmpty() const noexcept { return words_.empty(); }
    bool Matches(const AutotextEntry& entry) const;
    // The runs of the label that the words match, in order and not overlapping.
    std::vector<Span> SpansIn(std::string_view label) const;

private:
    bool Holds(std::string_view text, const std::string& word) const;
    std::size_t Find(std::string_view text, const std::string& word, std::size_t from) const;

    CaseFold fold_;
    std::vector<std::string> words_;  // folded
};

}  // namespace tarvel
