#include "interop/VsCodeBody.h"

#include "interop/SnippetMapping.h"
#include "store/ReservedVariables.h"

namespace VsCodeBody {

namespace {

// Names are short: compared here, not by a call into the library.
bool SameName(std::string_view one, std::string_view other) {
    if (one.size() != other.size())
        return false;
    for (std::size_t i = 0; i < one.size(); ++i)
        if (one[i] != other[i])
            return false;
    return true;
}

}  // namespace

const Name& Names::Of(std::string_view text, bool& first) {
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

}  // namespace VsCodeBody
