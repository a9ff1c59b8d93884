// Measuring and drawing the hover preview of a 32 KB code entry with GDI
// into a memory bitmap, against DrawTextA measuring and drawing the same
// plain text in the same font and width, in the same run.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>

#include "bench/tooltip/PreviewMarkup.h"
#include "tooltip/CCeXDib.h"
#include "tooltip/CPPHtmlDrawer.h"

namespace {

constexpr double kGdiRatioTarget = 3.0;
constexpr int kRounds = 5;
constexpr int kRepeatsPerRound = 10;
// The preview's body text: 10 pt Lucida Console.
constexpr char kSheet[] = "body {font-size: 10pt; color:black; font-family:Lucida Console}";
constexpr char kFace[] = "Lucida Console";
constexpr int kPoints = 10;

double Seconds(const std::function<void()>& work) {
    LARGE_INTEGER frequency, start, stop;
    ::QueryPerformanceFrequency(&frequency);
    double best = 1e30;
    for (int round = 0; round < kRounds; ++round) {
        ::QueryPerformanceCounter(&start);
        for (int i = 0; i < kRepeatsPerRound; ++i)
            work();
        ::QueryPerformanceCounter(&stop);
        best = std::min(best, double(stop.QuadPart - start.QuadPart) / frequency.QuadPart / kRepeatsPerRound);
    }
    return best;
}

}  // namespace

int main() {
    const std::string code = PreviewCode();
    const std::string markup = PreviewMarkup(code);
    CCeXDib canvas(kPreviewWidth, 4096);
    const HDC dc = canvas.Dc();

    CPPHtmlDrawer drawer;
    drawer.SetCssStyles(kSheet);
    SIZE needed{};
    const double markupSeconds = Seconds([&] {
        needed = drawer.PrepareOutput(dc, markup, kPreviewWidth);
        drawer.DrawPreparedOutput(dc, {0, 0, needed.cx, needed.cy});
    });

    const int height = -::MulDiv(kPoints, ::GetDeviceCaps(dc, LOGPIXELSY), 72);
    const tarvel::UniqueFont font(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                                DEFAULT_PITCH | FF_DONTCARE, kFace));
    const HGDIOBJ old = ::SelectObject(dc, font.get());
    const UINT format = DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX;
    RECT plain{};
    const double plainSeconds = Seconds([&] {
        plain = {0, 0, kPreviewWidth, 0};
        ::DrawTextA(dc, code.data(), static_cast<int>(code.size()), &plain, format | DT_CALCRECT);
        ::DrawTextA(dc, code.data(), static_cast<int>(code.size()), &plain, format);
    });
    ::SelectObject(dc, old);

    const double ratio = markupSeconds / plainSeconds;
    std::printf("markup measure+draw: %.3f ms (%ld x %ld)\n", markupSeconds * 1e3, needed.cx, needed.cy);
    std::printf("DrawTextA measure+draw: %.3f ms (%ld x %ld)\n", plainSeconds * 1e3, plain.right, plain.bottom);
    std::printf("preview drawing / DrawTextA: %.2f (target %.1f) %s\n", ratio, kGdiRatioTarget,
                ratio <= kGdiRatioTarget ? "met" : "MISSED");
    return 0;
}
