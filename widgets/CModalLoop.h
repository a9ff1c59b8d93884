#pragma once

#include <windows.h>

namespace tarvel {

class CDialog;
class CWindow;

// The message loop of a modal dialog: every message first passes the
// PreTranslateMessage of each wrapped window from its target up to the
// dialog; when the queue runs empty the dialog gets WM_KICKIDLE.
class CModalLoop {
public:
    explicit CModalLoop(CDialog& dialog) noexcept : dialog_(dialog) {}

    void Run();

private:
    bool PreTranslate(MSG& message);
    static bool TranslatedBy(CWindow& window, MSG& message) noexcept;
    void KickIdle();
    bool StartsIdleAgain(const MSG& message) noexcept;

    CDialog& dialog_;
    bool idle_ = true;
    LPARAM idleCount_ = 0;
    POINT lastMouse_{-1, -1};
};

}  // namespace tarvel
