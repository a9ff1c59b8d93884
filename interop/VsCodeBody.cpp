#include "interop/VsCodeBody.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <iterator>
#include <limits>
#include <vector>

#include "interop/SnippetMapping.h"
#include "store/FormatLimits.h"
#include "store/ReservedVariables.h"

namespace tarvel::VsCodeBody {

namespace {

constexpr std::string_view kEnd = "end";
// Room for the syntax around a name: a variable's name of VS Code, or a tab
// stop's number.
constexpr std::size_t kLongestSyntax = 48;

// A name of the code as the body writes it: a reserved variable as its VS
// Code twin (or its own name), a prompt as a tab stop numbered in order of
// first appearance.
struct Name {
    std::string_view text;
    bool reserved = false;
    std::string_view twin;
    std::size_t number = 0;
};

// Names are short: compared here, not by a call into the library.
bool SameName(std::string_view one, std::string_view other) {
    if (one.size() != other.size())
        return false;
    for (std::size_t i = 0; i < one.size(); ++i)
        if (one[i] != other[i])
            return false;
    return true;
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
        name.reserved = ReservedVariables::IsReserved(text);
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
        if (SameName(piece.text, kEnd)) {
            // Braces always: a digit after it would lengthen the number.
            sink.Syntax("${0}");
            return;
        }
        bool first = false;
        const auto& name = names.Of(piece.text, first);
        // "${TWIN}", "${n}", or "${n:" before the placeholder's text: one
        // piece of syntax, made here.
        std::array<char, kLongestSyntax> syntax{'$', '{'};
        char* end = syntax.data() + 2;
        if (!name.reserved) {
            end = std::to_chars(end, syntax.data() + syntax.size() - 1, name.number).ptr;
            *end++ = first ? ':' : '}';
        } else if (name.twin.size() + 3 <= syntax.size()) {
            end = std::copy(name.twin.begin(), name.twin.end(), end);
            *end++ = '}';
        } else {
            sink.Syntax("${");
            sink.Syntax(name.twin);
            sink.Syntax("}");
            return;
        }
        sink.Syntax({syntax.data(), static_cast<std::size_t>(end - syntax.data())});
        if (first && !name.reserved) {
            sink.Literal(piece.text, true);
            sink.Syntax("}");
        }
    });
}

}  // namespace tarvel::VsCodeBody
