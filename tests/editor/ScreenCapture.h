#pragma once

#include <windows.h>

#include <string>

namespace tarvel::uitest {

// Copies what the screen shows of a window into a 24-bit BMP file, and reads
// single pixels of the screen.
class ScreenCapture {
public:
    static bool SaveWindow(HWND window, const std::string& path);
    static COLORREF PixelAt(POINT screenPoint);
};

}  // namespace tarvel::uitest
