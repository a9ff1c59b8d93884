#include "tooltip/CCeXDib.h"

#include <algorithm>

namespace tarvel {

CCeXDib::CCeXDib(int width, int height) : width_(std::max(1, width)), height_(std::max(1, height)) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = -height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    dc_.reset(::CreateCompatibleDC(nullptr));
    if (!bitmap_ || !dc_)
        return;
    selection_.emplace(dc_.get(), bitmap_.get());
    if (selection_->selected())
        bits_ = static_cast<std::uint32_t*>(bits);
}

void CCeXDib::Fill(COLORREF color) {
    if (bits_)
        std::fill(bits_, bits_ + static_cast<std::size_t>(width_) * height_, Pixel(color));
}

void CCeXDib::CopyFrom(HDC source, int x, int y) {
    if (bits_)
        ::BitBlt(dc_.get(), 0, 0, width_, height_, source, x, y, SRCCOPY);
}

void CCeXDib::DrawTo(HDC target, int x, int y) const {
    if (bits_)
        ::BitBlt(target, x, y, width_, height_, dc_.get(), 0, 0, SRCCOPY);
}

}  // namespace tarvel
