#pragma once

#include "widgets/CWindow.h"

#include <string>

namespace tarvel {

// An edit control that shows a dimmed hint while it is empty, with or
// without the focus. The hint colour is the window colour darkened by a
// fixed step, so it reads as a hint on any scheme; it follows a change of
// the system colours.
class CDimEditCtrl : public CWindow {
public:
    static constexpr std::size_t kMaxHintLength = 127;
    static constexpr int kDimStep = 64;

    CDimEditCtrl() noexcept;

    // At most kMaxHintLength characters; null or empty clears the hint.
    void SetHintText(const char* text);

    // COLOR_WINDOW with each of its components lowered by kDimStep (not below 0).
    static COLORREF DimmedWindowColor() noexcept;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override;

private:
    LRESULT OnChange(const Message& message);
    LRESULT OnSetFocus(const Message& message);
    LRESULT OnPaintOrErase(const Message& message);
    LRESULT OnSettingChange(const Message& message);
    void DrawHint() const noexcept;

    std::string hint_;
    bool hintShown_ = true;
    COLORREF hintColor_;
};

}  // namespace tarvel
