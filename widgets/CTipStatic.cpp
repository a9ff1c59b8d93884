#include "widgets/CTipStatic.h"

#include "handles/PaintScope.h"

namespace tarvel {
namespace {

constexpr char kTipFontFace[] = "MS Shell Dlg";
constexpr int kTipFontPoints = 8;
constexpr int kPointsPerInch = 72;

BYTE Blend(BYTE from, BYTE to, int done, int steps) {
    return static_cast<BYTE>(from + (static_cast<int>(to) - from) * done / steps);
}

}  // namespace

bool CTipStatic::AddText(const std::string& text) {
    if (texts_.size() >= kMaxTexts) {
        return false;
    }
    texts_.push_back(text);
    return true;
}

void CTipStatic::ShowText(const std::string& text, int fadeSteps, COLORREF startColor) {
    Show(text, fadeSteps, startColor, false);
}

void CTipStatic::ShowWarning(const std::string& text, int fadeSteps, COLORREF startColor) {
    Show(text, fadeSteps, startColor, true);
}

void CTipStatic::Show(const std::string& text, int fadeSteps, COLORREF startColor, bool warning) {
    shown_ = text;
    warning_ = warning;
    startColor_ = startColor;
    fadeSteps_ = fadeSteps > 0 ? fadeSteps : 0;
    stepsDone_ = 0;
    ticksLeft_ = fadeSteps_ > kRepaintTicks ? fadeSteps_ : kRepaintTicks;
    if (GetHwnd()) {
        // The control's own text stays what it shows, for readers of the window text.
        Default(Message{GetHwnd(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(shown_.c_str())});
        ::SetTimer(GetHwnd(), kFadeTimer, kFadeInterval, nullptr);
        ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    }
}

bool CTipStatic::ShowTip(int index, int fadeSteps, COLORREF startColor) {
    if (index < 0 || index >= GetCount()) {
        return false;
    }
    current_ = index;
    ShowText(texts_[static_cast<size_t>(index)], fadeSteps, startColor);
    return true;
}

int CTipStatic::ShowPrevious(int fadeSteps) {
    if (texts_.empty()) {
        return current_;
    }
    ShowTip(current_ == 0 ? GetCount() - 1 : current_ - 1, fadeSteps, background_);
    return current_;
}

int CTipStatic::ShowNext(int fadeSteps) {
    if (texts_.empty()) {
        return current_;
    }
    ShowTip(current_ + 1 >= GetCount() ? 0 : current_ + 1, fadeSteps, background_);
    return current_;
}

void CTipStatic::SetBackgroundColor(COLORREF color) {
    background_ = color;
    Repaint();
}

void CTipStatic::SetAlignment(int alignment) {
    alignment_ = alignment;
    Repaint();
}

void CTipStatic::SetEngraved(bool engraved) {
    engraved_ = engraved;
    Repaint();
}

void CTipStatic::SetWordWrap(bool wrap) {
    wordWrap_ = wrap;
    Repaint();
}

// A setting made before the control exists waits for its first paint: a
// null window would invalidate every window on the screen.
void CTipStatic::Repaint() const noexcept {
    if (GetHwnd()) {
        ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    }
}

COLORREF CTipStatic::GetCurrentTextColor() const noexcept {
    if (fadeSteps_ == 0 || stepsDone_ >= fadeSteps_) {
        return kTextColor;
    }
    return RGB(Blend(GetRValue(startColor_), GetRValue(kTextColor), stepsDone_, fadeSteps_),
               Blend(GetGValue(startColor_), GetGValue(kTextColor), stepsDone_, fadeSteps_),
               Blend(GetBValue(startColor_), GetBValue(kTextColor), stepsDone_, fadeSteps_));
}

bool CTipStatic::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CTipStatic> map = MessageMap<CTipStatic>()
                                                  .OnMessage(WM_PAINT, &CTipStatic::OnPaint)
                                                  .OnMessage(WM_ERASEBKGND, &CTipStatic::OnEraseBackground)
                                                  .OnMessage(WM_TIMER, &CTipStatic::OnTimer)
                                                  .OnMessage(WM_DESTROY, &CTipStatic::OnDestroy);
    return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
}

LRESULT CTipStatic::OnPaint(const Message&) {
    PaintScope paint(GetHwnd());
    Draw(paint.dc());
    return 0;
}

LRESULT CTipStatic::OnEraseBackground(const Message&) {
    // Painting fills the whole control itself.
    return TRUE;
}

LRESULT CTipStatic::OnTimer(const Message& message) {
    if (message.TimerId() != kFadeTimer) {
        return Default(message);
    }
    if (stepsDone_ < fadeSteps_) {
        ++stepsDone_;
    }
    if (--ticksLeft_ <= 0) {
        ticksLeft_ = 0;
        ::KillTimer(GetHwnd(), kFadeTimer);
    }
    ::InvalidateRect(GetHwnd(), nullptr, FALSE);
    return 0;
}

LRESULT CTipStatic::OnDestroy(const Message& message) {
    ::KillTimer(GetHwnd(), kFadeTimer);
    ticksLeft_ = 0;
    return Default(message);
}

UINT CTipStatic::TextFormat() const noexcept {
    const UINT horizontal = alignment_ == kAlignRight ? DT_RIGHT : alignment_ == kAlignCenter ? DT_CENTER : DT_LEFT;
    const UINT lines = wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE | DT_VCENTER;
    return horizontal | lines | DT_NOPREFIX | DT_END_ELLIPSIS;
}

// The system centres a single line itself, not a wrapped block.
RECT CTipStatic::CenteredBlock(HDC dc, RECT rect, UINT format) const {
    if (!wordWrap_) {
        return rect;
    }
    RECT needed = rect;
    ::DrawTextA(dc, shown_.c_str(), static_cast<int>(shown_.size()), &needed, format | DT_CALCRECT);
    const LONG spare = (rect.bottom - rect.top) - (needed.bottom - needed.top);
    if (spare > 0) {
        rect.top += spare / 2;
    }
    return rect;
}

HFONT CTipStatic::TipFont() {
    if (!font_) {
        UniqueWindowDC dc(::GetDC(GetHwnd()), GetHwnd());
        const int height = -::MulDiv(kTipFontPoints, ::GetDeviceCaps(dc.get(), LOGPIXELSY), kPointsPerInch);
        font_.reset(::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kTipFontFace));
    }
    return font_.get();
}

void CTipStatic::Draw(HDC dc) {
    const RECT client = GetClientRect();
    UniqueBrush background(::CreateSolidBrush(background_));
    ::FillRect(dc, &client, background.get());
    ::SetBkMode(dc, TRANSPARENT);
    RECT rect = client;
    if (engraved_) {
        DrawEngraved(dc, rect, TextFormat());
        return;
    }
    if (warning_)
        rect = DrawWarningIcon(dc, rect);
    SelectedObject font(dc, TipFont());
    ::SetTextColor(dc, GetCurrentTextColor());
    rect = CenteredBlock(dc, rect, TextFormat());
    ::DrawTextA(dc, shown_.c_str(), static_cast<int>(shown_.size()), &rect, TextFormat());
}

RECT CTipStatic::DrawWarningIcon(HDC dc, RECT rect) const {
    const int size = ::GetSystemMetrics(SM_CXSMICON);
    // A shared system icon: the system owns it, nothing to destroy.
    const auto icon = static_cast<HICON>(::LoadImage(nullptr, IDI_WARNING, IMAGE_ICON, size, size, LR_SHARED));
    if (icon != nullptr)
        ::DrawIconEx(dc, rect.left, rect.top + (rect.bottom - rect.top - size) / 2, icon, size, size, 0, nullptr,
                     DI_NORMAL);
    rect.left += size + size / 2;
    return rect;
}

void CTipStatic::DrawEngraved(HDC dc, RECT rect, UINT format) const {
    SelectedObject font(dc, ::GetStockObject(SYSTEM_FONT));
    rect = CenteredBlock(dc, rect, format);
    RECT highlight = rect;
    ::OffsetRect(&highlight, 1, 1);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNHIGHLIGHT));
    ::DrawTextA(dc, shown_.c_str(), static_cast<int>(shown_.size()), &highlight, format);
    ::SetTextColor(dc, ::GetSysColor(COLOR_BTNSHADOW));
    ::DrawTextA(dc, shown_.c_str(), static_cast<int>(shown_.size()), &rect, format);
}

}  // namespace tarvel
