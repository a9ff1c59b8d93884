#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tooltip/CHtmlFontCache.h"
#include "tooltip/CHtmlImageCache.h"
#include "tooltip/CHtmlLayout.h"
#include "tooltip/CHtmlStyleSheet.h"

namespace tarvel {

// Measures and draws tooltip markup into a device context and handles its
// links. What the tooltip window calls:
//
//   drawer.SetCssStyles(110);                        // a string resource, or a text
//   drawer.SetCallbackHyperlink(tip, 0x465, 0);      // for msg links
//   SIZE need = drawer.PrepareOutput(dc, markup, maxWidth);
//   drawer.DrawPreparedOutput(dc, rect);             // at rect's top-left
//   drawer.SetLinkCursor(point);                     // on WM_SETCURSOR
//   drawer.OnLButtonDown(point);                     // opens the link there
//   if (drawer.IsRedrawNeeded(cursor)) Invalidate;   // every 100 ms
//
// Points are in the coordinates of the DC drawn into. Never throws.
class CPPHtmlDrawer {
public:
    // `module` holds the resources the markup names by id; null: the module
    // this code is linked into.
    explicit CPPHtmlDrawer(HINSTANCE module = nullptr);

    void SetCssStyles(std::string_view text);
    // A style sheet from a string resource of `module` (null: the drawer's
    // own); a missing string leaves an empty sheet.
    void SetCssStyles(UINT resourceId, HINSTANCE module = nullptr);
    void SetImageShadow(const HtmlImageShadow& shadow);
    // Line feeds and tabs as <br> and <t> (on by default); off drops them.
    void EnableLineBreakTags(bool enable) { options_.breaksAsTags = enable; }
    void SetBackgroundGranularity(int granularity) { granularity_ = granularity; }
    // A click on a msg link sends `message` with the link's text as wParam.
    void SetCallbackHyperlink(HWND window, UINT message, LPARAM lParam);

    // Lays the markup out for `maxWidth` (0: no wrapping) and returns the
    // size it needs.
    SIZE PrepareOutput(HDC dc, std::string_view markup, int maxWidth);
    void DrawPreparedOutput(HDC dc, const RECT& rect);

    // The number of the link at a point of the last drawing, or -1.
    int LinkAt(POINT point) const;
    // Sets the hand cursor over a link; false elsewhere.
    bool SetLinkCursor(POINT point) const;
    // Opens the link at the point; false when there is none.
    bool OnLButtonDown(POINT point);
    // Whether, with the cursor there, a link's hover state, a hot image or
    // an animation differs from the last drawing.
    bool IsRedrawNeeded(POINT cursor);

    const HtmlDisplayList& DisplayList() const { return list_; }

    // The millisecond clock that moves animations (GetTickCount by default);
    // a test steps its own so frames change exactly when it says.
    using Clock = DWORD(WINAPI*)();
    void SetClock(Clock clock);

private:
    void Layout(HDC dc);
    int HotImageAt(POINT point) const;
    DWORD Elapsed() const { return clock_() - start_; }
    bool AnimationMoved(DWORD from, DWORD to) const;
    void Click(const HtmlLink& link);

    HINSTANCE module_;
    CHtmlStyleSheet sheet_;
    HtmlLayoutOptions options_;
    int granularity_ = 5;
    HWND callbackWindow_ = nullptr;
    UINT callbackMessage_ = 0;
    LPARAM callbackParam_ = 0;
    std::string markup_;
    HtmlDisplayList list_;
    CHtmlFontCache fonts_;
    CHtmlImageCache images_;
    POINT origin_{};
    int hover_ = -1;
    int hotImage_ = -1;
    int drawnHotImage_ = -1;
    Clock clock_ = ::GetTickCount;
    DWORD start_;
    DWORD drawnAt_ = 0;
};

}  // namespace tarvel
