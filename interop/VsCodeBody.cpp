#include "interop/VsCodeBody.h"

#include <array>
#include <charconv>
#include <cstring>
#include <iterator>
#include <limits>
#include <vector>

#include "interop/SnippetMapping.h"
#include "store/FormatLimits.h"

namespace VsCodeBody {

namespace {

constexpr std::string_view kEnd = "end";

// A name of the code as the body writes it: a reserved variable as its VS
// Code twin (or its own name), a prompt as a tab stop numbered in order of
// first appearance.
struct Name {
    std::string_view text;
    bool reserved = false;
    std::string_view twin;
    std::size_t number = 0;
};

// Names of the same length seldom share their first letter.
bool SameName(std::string_view one, std::string_view other) {
    return one.size() == other.size() && one[0] == other[0] && std::memcmp(one.data(), other.data(), one.size()) == 0;
}

// The names of one entry's code. An export looks up every name of every
// entry: each is sorted out once per entry, and an entry has a few, kept
// without allocating.
class Names {
public:
    // The name as written; first tells whether it came before.
    const Name& Of(std::string_view text, bool& first) {
        for (std::size_t i = 0; i < count_; ++i)
            if (SameName(At(i).text, text))
                return At(i);
        first = true;
        Name name;
        name.text = text;
        name.reserved = FormatLimits::IsReservedVariable(text);
        if (name.reserved) {
            name.twin = SnippetMapping::VsCodeVariableOf(text);
            if (name.twin.empty())
                name.twin = text;
        } else {
            name.number = ++prompts_;
        }
        if (count_ >= few_.size())
            more_.push_back(name);
        else
            few_[count_] = name;
        return At(count_++);
    }

private:
    const Name& At(std::size_t i) const { return i < few_.size() ? few_[i] : more_[i - few_.size()]; }

    std::array<Name, 16> few_;
    std::vector<Name> more_;
    std::size_t count_ = 0;
    std::size_t prompts_ = 0;
};

}  // namespace

void Write(std::string_view code, Sink& sink) {
    Names names;
    FormatLimits::ForEachPiece(code, [&](const FormatLimits::CodePiece& piece) {
        if (!piece.isName) {
            sink.Literal(piece.text, false);
            return;
        }
        if (piece.text == kEnd) {
            // Braces always: a digit after it would lengthen the number.
            sink.Syntax("${0}");
            return;
        }
        bool first = false;
        const auto& name = names.Of(piece.text, first);
        if (name.reserved) {
            sink.Syntax("${");
            sink.Syntax(name.twin);
            sink.Syntax("}");
            return;
        }
        // "${n}", or "${n:" before the placeholder's text: one piece of syntax.
        char syntax[std::numeric_limits<std::size_t>::digits10 + 4] = "${";
        char* end = std::to_chars(syntax + 2, std::end(syntax) - 1, name.number).ptr;
        *end++ = first ? ':' : '}';
        sink.Syntax({syntax, static_cast<std::size_t>(end - syntax)});
        if (first) {
            sink.Literal(piece.text, true);
            sink.Syntax("}");
        }
    });
}

}  // namespace VsCodeBody
