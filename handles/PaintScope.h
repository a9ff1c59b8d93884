#pragma once

#include <windows.h>

namespace tarvel {

// BeginPaint to EndPaint: a handler that leaves early or throws still ends
// the paint, so the window is not asked to paint again and again.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : window_(window), dc_(::BeginPaint(window, &paint_)) {}
    ~PaintScope() {
        if (dc_) {
            ::EndPaint(window_, &paint_);
        }
    }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;

    HDC dc() const noexcept { return dc_; }
    const RECT& area() const noexcept { return paint_.rcPaint; }
    bool erase() const noexcept { return paint_.fErase != FALSE; }

private:
    HWND window_;
    PAINTSTRUCT paint_{};
    HDC dc_;
};

// An object selected into a DC for the scope's life; the DC gets back what
// it had, so no pen, font or bitmap stays selected after a throw.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) noexcept
        : dc_(dc), previous_(dc && object ? ::SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() {
        if (previous_ && previous_ != HGDI_ERROR) {
            ::SelectObject(dc_, previous_);
        }
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

    bool selected() const noexcept { return previous_ != nullptr && previous_ != HGDI_ERROR; }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// SaveDC to RestoreDC: fonts, clipping, modes and colours a painter set on a
// DC it was lent go back as they were, even after a throw.
class SavedDC {
public:
    explicit SavedDC(HDC dc) noexcept : dc_(dc), level_(dc ? ::SaveDC(dc) : 0) {}
    ~SavedDC() {
        if (level_ > 0) {
            ::RestoreDC(dc_, level_);
        }
    }
    SavedDC(const SavedDC&) = delete;
    SavedDC& operator=(const SavedDC&) = delete;

private:
    HDC dc_;
    int level_;
};

}  // namespace tarvel
