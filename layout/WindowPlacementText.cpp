#include "layout/WindowPlacementText.h"

#include <cerrno>
#include <climits>
#include <cstdlib>

namespace tarvel {
namespace {

constexpr int kNumberCount = 6;
constexpr char kSeparator = ',';

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
    if (placement.right <= placement.left || placement.bottom <= placement.top) {
        return std::nullopt;
    }
    return placement;
}

}  // namespace tarvel
