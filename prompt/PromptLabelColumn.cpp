#include "prompt/PromptLabelColumn.h"

#include "handles/PaintScope.h"
#include "handles/UniqueHandle.h"
#include "prompt/PromptText.h"
#include "prompt/SystemLeadBytes.h"
#include "widgets/CWindow.h"

#include <commctrl.h>

#include <algorithm>

namespace tarvel {
namespace {

RECT RectInParent(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(window), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

}  // namespace

void PromptLabelColumn::Attach(HWND page, const std::array<HWND, kRows>& labels) {
    page_ = page;
    labels_ = labels;
    leadBytes_ = SystemLeadBytes();
    RECT client{};
    ::GetClientRect(page, &client);
    templateClientWidth_ = client.right;
    const RECT label = RectInParent(labels_[0]);
    templateLabelWidth_ = label.right - label.left;
    tooltip_ = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, 0,
                                 0, 0, 0, page, nullptr, nullptr, nullptr);
}

void PromptLabelColumn::SetName(std::size_t row, const std::string& name) {
    whole_[row] = OneLine(name);
    shortened_[row] = ShortenForDisplay(name, leadBytes_);
}

int PromptLabelColumn::LayOut(int clientWidth) {
    const UniqueWindowDC dc(::GetDC(page_), page_);
    if (!dc) {
        return 0;
    }
    const SelectedObject font(dc.get(), reinterpret_cast<HGDIOBJ>(::SendMessageA(labels_[0], WM_GETFONT, 0, 0)));
    long longest = 0;
    for (std::size_t row = 0; row < kRows; ++row) {
        // Shown on the page, whether or not the page itself is shown now.
        if (::GetWindowLongA(labels_[row], GWL_STYLE) & WS_VISIBLE) {
            longest = std::max(longest, WidthOf(dc.get(), shortened_[row]));
        }
    }
    const int room = templateLabelWidth_ + std::max(0, clientWidth - templateClientWidth_);
    const int width = std::clamp(static_cast<int>(longest), templateLabelWidth_, room);
    const TextWidth measure = [this, &dc](std::string_view text) { return WidthOf(dc.get(), std::string(text)); };
    for (std::size_t row = 0; row < kRows; ++row) {
        const RECT label = RectInParent(labels_[row]);
        ::MoveWindow(labels_[row], label.left, label.top, width, label.bottom - label.top, TRUE);
        const std::string shown = FitToWidth(shortened_[row], width, measure, leadBytes_);
        if (CWindow::TextOf(labels_[row]) != shown) {
            ::SetWindowTextA(labels_[row], shown.c_str());
        }
        ShowWhole(row, shown != whole_[row]);
    }
    return width - templateLabelWidth_;
}

long PromptLabelColumn::WidthOf(HDC dc, const std::string& text) const {
    SIZE size{};
    ::GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

// The tooltip of a label that does not show its whole name.
void PromptLabelColumn::ShowWhole(std::size_t row, bool clipped) {
    TOOLINFOA tool{};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = page_;
    tool.uId = reinterpret_cast<UINT_PTR>(labels_[row]);
    tool.lpszText = const_cast<char*>(whole_[row].c_str());
    if (clipped && !hasTip_[row]) {
        ::SendMessageA(tooltip_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (clipped) {
        ::SendMessageA(tooltip_, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    } else if (hasTip_[row]) {
        ::SendMessageA(tooltip_, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    }
    hasTip_[row] = clipped;
}

}  // namespace tarvel
