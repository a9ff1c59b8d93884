#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "store/TextBuffer.h"

namespace tarvel {

// An entry's code, in UTF-8 or ASCII, as the body of a VS Code snippet,
// written straight into the JSON: each line a string of the body's array.
// Prompts become tab stops numbered in order of first appearance, the first
// one holding the prompt's name as its placeholder and the others mirroring
// it; $end$ becomes ${0}; reserved variables become their VS Code twins, or
// variables of their own name; $ and \ are escaped, and } in a placeholder.
// Reading the body back (TextMateBody) gives the code unchanged.
//
// The names are those FormatLimits::ForEachPiece finds, found here in the
// one pass over the code that escapes it: an export writes every entry's
// code, and its pieces are a few bytes each. What a name becomes is worked
// out once for the whole export, as its entries use the same few names.
class VsCodeBody {
public:
    explicit VsCodeBody(TextBuffer& out) : out_(out), slots_(kFirstSlots) {}

    // The code between the quotes that open the body's first line and close
    // its last one. WriteAscii takes ANSI code and writes it when it is
    // plain ASCII; false, with nothing written, when it holds a byte beyond,
    // whose UTF-8 WriteUtf8 then writes.
    bool WriteAscii(std::string_view code);
    void WriteUtf8(std::string_view code);

private:
    // A name's first bytes, up to a word, and a hash of them and its length.
    struct Key {
        std::uint64_t head = 0;
        std::uint32_t hash = 0;
    };
    // A name of the code as the body writes it: a reserved variable as its VS
    // Code twin (or its own name), a prompt as a tab stop numbered in order
    // of first appearance in each entry. Texts are kept in spellings_.
    struct Name {
        Key key;
        std::size_t text;
        std::size_t size;
        // "${TWIN}" of a variable; the escaped placeholder of a prompt's
        // first tab stop and the brace that closes it.
        std::size_t spelling;
        std::size_t spellingSize;
        bool prompt;
        // The entry the prompt was last written in, and its number there.
        std::size_t entry;
        std::size_t number;
    };

    // The name between the dollar signs that open at the place, if they
    // enclose one; its length, else 0. Its key comes with it.
    template <bool kAnsi>
    bool WriteAs(std::string_view code);
    template <bool kAnsi>
    static std::size_t NameAt(std::string_view code, std::size_t open, Key& key);
    char* WriteName(std::string_view text, const Key& key, std::size_t rest);
    Name& Find(std::string_view text, const Key& key);
    Name& Add(std::string_view text, const Key& key);
    void SpellPlaceholder(std::string_view text);
    void Place(std::uint32_t hash, std::size_t place);
    void Grow();
    std::string_view TextOf(std::size_t at, std::size_t size) const { return {spellings_.data() + at, size}; }

    TextBuffer& out_;
    std::vector<Name> names_;
    static constexpr std::size_t kFirstSlots = 64;
    // Places in names_ from 1, by hash; 0 is a free slot. At most half full.
    std::vector<std::uint32_t> slots_;
    std::string spellings_;
    std::size_t entry_ = 0;
    std::size_t prompts_ = 0;
};

}  // namespace tarvel
