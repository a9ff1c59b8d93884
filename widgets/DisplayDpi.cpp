#include "widgets/DisplayDpi.h"

#include "handles/UniqueHandle.h"

namespace tarvel {

int DisplayDpi(HWND window) noexcept {
    const UniqueWindowDC dc(::GetDC(window), window);
    return dc ? ::GetDeviceCaps(dc.get(), LOGPIXELSY) : kReferenceDpi;
}

int AtDisplayDpi(int length, HWND window) noexcept { return ::MulDiv(length, DisplayDpi(window), kReferenceDpi); }

}  // namespace tarvel
