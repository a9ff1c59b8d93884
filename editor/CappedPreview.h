#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tarvel {

// What a code preview shows within the room it may take: the whole code when
// it fits; otherwise the first lines that fit, each line too wide cut and
// ended with "...", and then a line that says how many lines are not shown.
// Room and sizes are those of the preview's text, without the balloon's
// margins.
class CappedPreview {
public:
    // The size the preview of a text takes on the screen.
    using Measure = std::function<SIZE(const std::string& text)>;

    CappedPreview(Measure measure, SIZE room) : measure_(std::move(measure)), room_(room) {}

    std::string Text(const std::string& code) const;

private:
    bool Fits(const std::string& text) const;
    bool FitsWidth(const std::string& text) const;
    std::string CutToWidth(const std::string& line) const;
    static std::vector<std::string> Lines(const std::string& code);
    static std::string MoreLines(size_t count);

    Measure measure_;
    SIZE room_;
};

}  // namespace tarvel
