#include "widgets/CDimEditCtrl.h"

#include "handles/PaintScope.h"
#include "handles/UniqueHandle.h"

namespace tarvel {
namespace {

BYTE Dimmed(BYTE component) noexcept {
    return static_cast<BYTE>(component > CDimEditCtrl::kDimStep ? component - CDimEditCtrl::kDimStep : 0);
}

}  // namespace

CDimEditCtrl::CDimEditCtrl() noexcept : hintColor_(DimmedWindowColor()) {}

COLORREF CDimEditCtrl::DimmedWindowColor() noexcept {
    const COLORREF window = ::GetSysColor(COLOR_WINDOW);
    return RGB(Dimmed(GetRValue(window)), Dimmed(GetGValue(window)), Dimmed(GetBValue(window)));
}

void CDimEditCtrl::SetHintText(const char* text) {
    hint_ = text ? std::string(text).substr(0, kMaxHintLength) : std::string();
    if (GetHwnd() && hintShown_) {
        ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    }
}

bool CDimEditCtrl::OnMessage(const Message& message, LRESULT& result) {
    static const MessageMap<CDimEditCtrl> map = MessageMap<CDimEditCtrl>()
                                                    .OnReflectedCommand(EN_CHANGE, &CDimEditCtrl::OnChange)
                                                    .OnReflectedCommand(EN_SETFOCUS, &CDimEditCtrl::OnSetFocus)
                                                    .OnMessage(WM_PAINT, &CDimEditCtrl::OnPaintOrErase)
                                                    .OnMessage(WM_ERASEBKGND, &CDimEditCtrl::OnPaintOrErase)
                                                    .OnMessage(WM_SETTINGCHANGE, &CDimEditCtrl::OnSettingChange);
    return map.Dispatch(*this, message, result) || CWindow::OnMessage(message, result);
}

LRESULT CDimEditCtrl::OnChange(const Message&) {
    hintShown_ = ::GetWindowTextLengthA(GetHwnd()) == 0;
    if (hintShown_) {
        DrawHint();
    }
    return 0;
}

LRESULT CDimEditCtrl::OnSetFocus(const Message&) {
    if (hintShown_) {
        DrawHint();
    }
    return 0;
}

LRESULT CDimEditCtrl::OnPaintOrErase(const Message& message) {
    const LRESULT result = Default(message);
    if (hintShown_) {
        DrawHint();
    }
    return result;
}

LRESULT CDimEditCtrl::OnSettingChange(const Message& message) {
    hintColor_ = DimmedWindowColor();
    ::InvalidateRect(GetHwnd(), nullptr, TRUE);
    return Default(message);
}

void CDimEditCtrl::DrawHint() const noexcept {
    if (hint_.empty() || !GetHwnd()) {
        return;
    }
    UniqueWindowDC dc(::GetDC(GetHwnd()), GetHwnd());
    if (!dc) {
        return;
    }
    RECT rect = GetClientRect();
    ::OffsetRect(&rect, 1, 1);
    const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(Send(WM_GETFONT)));
    ::SetTextColor(dc.get(), hintColor_);
    ::SetBkColor(dc.get(), ::GetSysColor(COLOR_WINDOW));
    ::DrawTextA(dc.get(), hint_.c_str(), static_cast<int>(hint_.size()), &rect, DT_CENTER | DT_VCENTER);
}

}  // namespace tarvel
