#include "layout/WindowPlacementText.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tarvel {
namespace {

constexpr int kNumberCount = 6;
constexpr char kSeparator = ',';
// The show commands that show a window, "normal" to "force minimised"; 0
// hides it, which would leave a modal window unreachable.
constexpr int kFirstShowCommand = 1;
constexpr int kLastShowCommand = 11;

// One side of the rectangle: its start kept where the extent fits, else
// moved so that it ends at the area's end or, where it is larger than the
// area, starts at the area's start with the area's extent. Wide arithmetic:
// the stored numbers may be the extreme integers.
void FitSpan(int& start, int& end, long areaStart, long areaEnd) {
    const long long extent = std::min<long long>(static_cast<long long>(end) - start, areaEnd - areaStart);
    const long long fitted = std::clamp<long long>(start, areaStart, areaEnd - extent);
    start = static_cast<int>(fitted);
    end = static_cast<int>(fitted + extent);
}

bool ReadNumber(const char*& cursor, int& value) {
    char* end = nullptr;
    errno = 0;
    const long number = std::strtol(cursor, &end, 10);
    if (end == cursor || errno == ERANGE || number < INT_MIN || number > INT_MAX) {
        return false;
    }
    value = static_cast<int>(number);
    cursor = end;
    return true;
}

}  // namespace

std::string WindowPlacementText::Format() const {
    const int numbers[kNumberCount] = {left, top, right, bottom, showCommand, flags};
    std::string text;
    for (int i = 0; i < kNumberCount; ++i) {
        if (i > 0) {
            text += kSeparator;
        }
        text += std::to_string(numbers[i]);
    }
    return text;
}

std::optional<WindowPlacementText> WindowPlacementText::Parse(const std::string& text) {
    int numbers[kNumberCount] = {};
    const char* cursor = text.c_str();
    for (int i = 0; i < kNumberCount; ++i) {
        if (i > 0) {
            if (*cursor != kSeparator) {
                return std::nullopt;
            }
            ++cursor;
        }
        if (!ReadNumber(cursor, numbers[i])) {
            return std::nullopt;
        }
    }
    WindowPlacementText placement{numbers[0], numbers[1], numbers[2], numbers[3], numbers[4], numbers[5]};
    if (placement.right <= placement.left || placement.bottom <= placement.top ||
        placement.showCommand < kFirstShowCommand || placement.showCommand > kLastShowCommand) {
        return std::nullopt;
    }
    return placement;
}

WindowPlacementText WindowPlacementText::OnWorkArea(const LayoutRect& area) const {
    WindowPlacementText fitted = *this;
    if (area.Width() <= 0 || area.Height() <= 0) {
        return fitted;
    }
    FitSpan(fitted.left, fitted.right, area.left, area.right);
    FitSpan(fitted.top, fitted.bottom, area.top, area.bottom);
    return fitted;
}

}  // namespace tarvel
