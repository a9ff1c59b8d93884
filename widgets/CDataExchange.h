#pragma once

#include <windows.h>

#include <string>

namespace tarvel {

class CWindow;

// One pass of data exchange between a dialog's controls and its members;
// the direction flag says which way the values go.
class CDataExchange {
public:
    CDataExchange(HWND dialog, bool saveAndValidate) noexcept : dialog_(dialog), saving_(saveAndValidate) {}

    bool Failed() const noexcept { return failed_; }

    // Binds a wrapper to control id: a plain CWindow is attached, a derived
    // one with behaviour of its own subclasses the control.
    void Control(int controlId, CWindow& control) noexcept;
    // Control text to member when saving, member to control otherwise.
    void Text(int controlId, std::string& value);

private:
    HWND ControlWindow(int controlId) noexcept;

    HWND dialog_;
    bool saving_;
    bool failed_ = false;
};

}  // namespace tarvel
