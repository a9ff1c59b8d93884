#include "widgets/CDataExchange.h"

#include "widgets/CWindow.h"

#include <typeinfo>

namespace tarvel {

HWND CDataExchange::ControlWindow(int controlId) noexcept {
    HWND control = ::GetDlgItem(dialog_, controlId);
    if (!control) {
        failed_ = true;
    }
    return control;
}

// A plain wrapper only names the control: its notifications stay with the
// dialog. A wrapper with handlers of its own takes the control's messages.
void CDataExchange::Control(int controlId, CWindow& control) noexcept {
    HWND window = ControlWindow(controlId);
    if (!window || control.GetHwnd() == window) {
        return;
    }
    if (typeid(control) == typeid(CWindow)) {
        control.Detach();
        control.Attach(window);
        return;
    }
    if (control.GetHwnd() || !control.SubclassWindow(window)) {
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
