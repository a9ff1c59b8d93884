#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>

#include "handles/PaintScope.h"
#include "handles/UniqueHandle.h"

namespace tarvel {

// A 32-bit top-down DIB section with its own memory DC, for pixel work.
// Pixels are 0x00RRGGBB words, row by row from the top.
class CCeXDib {
public:
    CCeXDib(int width, int height);
    CCeXDib(const CCeXDib&) = delete;
    CCeXDib& operator=(const CCeXDib&) = delete;

    bool Valid() const { return bits_ != nullptr; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    HDC Dc() const { return dc_.get(); }
    std::uint32_t& At(int x, int y) { return bits_[static_cast<std::size_t>(y) * width_ + x]; }
    std::uint32_t* Bits() { return bits_; }
    void Fill(COLORREF color);
    void CopyFrom(HDC source, int x, int y);
    void DrawTo(HDC target, int x, int y) const;

    static std::uint32_t Pixel(COLORREF c) { return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c); }

private:
    int width_;
    int height_;
    std::uint32_t* bits_ = nullptr;
    tarvel::UniqueMemoryDC dc_;
    tarvel::UniqueBitmap bitmap_;
    // Deselected before the bitmap and the DC go.
    std::optional<tarvel::SelectedObject> selection_;
};

}  // namespace tarvel
