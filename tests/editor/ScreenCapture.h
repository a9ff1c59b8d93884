#pragma once

#include <windows.h>

#include <string>

namespace tarvel::uitest {

// What a window shows, read through its own device context (under Wine that
// is the window's drawing surface, current even before it reaches the
// display): the whole window as a 24-bit BMP file, or single pixels.
class ScreenCapture {
public:
    static bool SaveWindow(HWND window, const std::string& path);
    static COLORREF PixelAt(HWND window, POINT clientPoint);
};

}  // namespace tarvel::uitest
