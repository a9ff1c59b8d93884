#pragma once

#include <cstddef>
#include <string>

namespace tarvel {

// What the arguments page knows of its dialog: the working value of each
// prompt row, which the page's data exchange reads and writes, and word of
// each change the user makes to a value.
class IPromptValues {
public:
    virtual std::string& PromptValue(std::size_t row) = 0;
    virtual void PromptValueEdited(std::size_t row) = 0;

protected:
    ~IPromptValues() = default;
};

}  // namespace tarvel
