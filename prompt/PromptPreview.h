#pragma once

#include "prompt/LeadBytes.h"

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace tarvel {

// A stretch of the preview that stands for a prompt: its value, or, while
// the value is empty, the prompt as written.
struct PreviewMark {
    std::size_t start;
    std::size_t length;
    bool filled;
};

struct PreviewText {
    std::string text;
    std::vector<PreviewMark> marks;
};

// The expansion as it will be: an entry's code with each prompt replaced by
// its value so far. The prompts are found once; each Build then only joins
// the pieces. Text goes through the view's encoding as it is added, so the
// marks count the view's bytes.
class PromptPreview {
public:
    using Encoding = std::function<std::string(std::string_view)>;

    // names[row] is the prompt of that row; an empty name is no prompt.
    PromptPreview(std::string_view code, const std::vector<std::string>& names, const LeadBytes& leadBytes,
                  Encoding encoding);

    // values[row] for the prompt of each row; missing values count as empty.
    void Build(const std::vector<std::string>& values, PreviewText& preview) const;

private:
    // The code before one prompt, then the prompt of a row as written.
    struct Piece {
        std::string before;
        std::string asWritten;
        std::size_t row;
    };

    std::vector<Piece> pieces_;
    std::string rest_;
    Encoding encoding_;
};

}  // namespace tarvel
