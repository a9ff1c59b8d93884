#include "widgets/CDataExchange.h"

#include "widgets/CWindow.h"

namespace tarvel {

HWND CDataExchange::ControlWindow(int controlId) noexcept {
    HWND control = ::GetDlgItem(dialog_, controlId);
    if (!control) {
        failed_ = true;
    }
    return control;
}

void CDataExchange::Control(int controlId, CWindow& control) noexcept {
    if (control.GetHwnd()) {
        return;
    }
    HWND window = ControlWindow(controlId);
    if (window && !control.SubclassWindow(window)) {
        failed_ = true;
    }
}

void CDataExchange::Text(int controlId, std::string& value) {
    HWND window = ControlWindow(controlId);
    if (!window) {
        return;
    }
    if (!saving_) {
        ::SetWindowTextA(window, value.c_str());
        return;
    }
    value = CWindow::TextOf(window);
}

}  // namespace tarvel
