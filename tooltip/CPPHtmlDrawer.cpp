#include "tooltip/CPPHtmlDrawer.h"

#include "handles/ModuleFile.h"
#include "tooltip/CGdiHtmlPlatform.h"
#include "tooltip/CHtmlGdiPainter.h"
#include "tooltip/CWin32HtmlShell.h"
#include "tooltip/HtmlDefaultStyleSheet.h"

namespace tarvel {

namespace {

constexpr int kMaxShadowOffset = 64;

}  // namespace

CPPHtmlDrawer::CPPHtmlDrawer(HINSTANCE module)
    : module_(module ? module : tarvel::ThisModule()),
      sheet_(kHtmlDefaultStyleSheet),
      images_(module_),
      start_(clock_()) {}

void CPPHtmlDrawer::SetClock(Clock clock) {
    clock_ = clock ? clock : ::GetTickCount;
    start_ = clock_();
}

void CPPHtmlDrawer::SetCssStyles(std::string_view text) { sheet_.Parse(text); }

void CPPHtmlDrawer::SetCssStyles(UINT resourceId, HINSTANCE module) {
    sheet_.Parse(LoadResourceString(module ? module : module_, resourceId));
}

void CPPHtmlDrawer::SetImageShadow(const HtmlImageShadow& shadow) {
    options_.imageShadow = shadow;
    auto clamp = [](int v, int low, int high) { return v < low ? low : v > high ? high : v; };
    options_.imageShadow.offsetX = clamp(shadow.offsetX, -kMaxShadowOffset, kMaxShadowOffset);
    options_.imageShadow.offsetY = clamp(shadow.offsetY, -kMaxShadowOffset, kMaxShadowOffset);
    options_.imageShadow.depthX = clamp(shadow.depthX, 0, kMaxShadowOffset);
    options_.imageShadow.depthY = clamp(shadow.depthY, 0, kMaxShadowOffset);
    options_.imageShadow.darkness = clamp(shadow.darkness, 0, 100);
}

void CPPHtmlDrawer::SetCallbackHyperlink(HWND window, UINT message, LPARAM lParam) {
    callbackWindow_ = window;
    callbackMessage_ = message;
    callbackParam_ = lParam;
}

void CPPHtmlDrawer::Layout(HDC dc) {
    try {
        // The list laid out last is replaced here, so its fonts and images
        // may go.
        if (fonts_.Full())
            fonts_.Clear();
        if (images_.Full())
            images_.Clear();
        CGdiHtmlPlatform platform(dc, fonts_, images_, module_);
        list_ = CHtmlLayout(platform, sheet_).Layout(markup_, options_);
    } catch (...) {
        list_ = {};
    }
}

SIZE CPPHtmlDrawer::PrepareOutput(HDC dc, std::string_view markup, int maxWidth) {
    markup_.assign(markup);
    options_.maxWidth = maxWidth;
    options_.hoverLink = hover_ = -1;
    hotImage_ = -1;
    Layout(dc);
    return {list_.size.cx, list_.size.cy};
}

void CPPHtmlDrawer::DrawPreparedOutput(HDC dc, const RECT& rect) {
    if (hover_ != options_.hoverLink) {
        options_.hoverLink = hover_;
        Layout(dc);
    }
    origin_ = {rect.left, rect.top};
    CHtmlGdiPainter::Options options;
    options.shadow = options_.imageShadow;
    options.elapsed = drawnAt_ = Elapsed();
    options.hotItem = drawnHotImage_ = hotImage_;
    options.granularity = granularity_;
    try {
        CHtmlGdiPainter(dc, images_, options).Paint(list_, origin_);
    } catch (...) {}
}

int CPPHtmlDrawer::LinkAt(POINT point) const { return list_.LinkAt(point.x - origin_.x, point.y - origin_.y); }

bool CPPHtmlDrawer::SetLinkCursor(POINT point) const {
    if (LinkAt(point) < 0)
        return false;
    ::SetCursor(::LoadCursor(nullptr, IDC_HAND));
    return true;
}

int CPPHtmlDrawer::HotImageAt(POINT point) const {
    const int link = LinkAt(point);
    for (std::size_t i = 0; i < list_.items.size(); ++i) {
        const auto* image = std::get_if<HtmlImage>(&list_.items[i]);
        if (!image || !image->hasHotStyle)
            continue;
        if (image->box.Contains(point.x - origin_.x, point.y - origin_.y) || (link >= 0 && image->link == link))
            return static_cast<int>(i);
    }
    return -1;
}

bool CPPHtmlDrawer::AnimationMoved(DWORD from, DWORD to) const {
    for (const HtmlDisplayItem& item : list_.items) {
        const auto* image = std::get_if<HtmlImage>(&item);
        if (image && image->speed > 0 &&
            from / static_cast<DWORD>(image->speed) != to / static_cast<DWORD>(image->speed))
            return true;
    }
    return false;
}

bool CPPHtmlDrawer::IsRedrawNeeded(POINT cursor) {
    hover_ = LinkAt(cursor);
    hotImage_ = HotImageAt(cursor);
    return hover_ != options_.hoverLink || hotImage_ != drawnHotImage_ || AnimationMoved(drawnAt_, Elapsed());
}

void CPPHtmlDrawer::Click(const HtmlLink& link) {
    if (link.target.empty())
        return;
    if (link.kind == HtmlLink::Kind::Href) {
        CWin32HtmlShell shell;
        OpenHtmlAddress(link.target, shell);
    } else if (callbackWindow_) {
        ::SendMessageA(callbackWindow_, callbackMessage_, reinterpret_cast<WPARAM>(link.target.c_str()),
                       callbackParam_);
    }
}

bool CPPHtmlDrawer::OnLButtonDown(POINT point) {
    const int link = LinkAt(point);
    if (link < 0 || link >= static_cast<int>(list_.links.size()))
        return false;
    try {
        // A copy: the callback may lay the drawer out again while it reads
        // the text.
        const HtmlLink clicked = list_.links[link];
        Click(clicked);
    } catch (...) {}
    return true;
}

}  // namespace tarvel
