#pragma once

#include <windows.h>

#include <deque>
#include <string>
#include <vector>

namespace tarvel::uitest {

// Answers the message boxes of this thread as a user would: when a box is
// activated (HCBT_ACTIVATE) its caption and text are recorded and the next
// queued answer is posted to it as a button command; with none queued, its
// first button, the default that Enter would press (OK, or Yes of a question).
// Dialogs with the ignored caption (the one under test) are left alone.
class MessageBoxAnswerer {
public:
    struct Box {
        std::string caption;
        std::string text;
        // "stop", "exclamation", "question", "information", or empty.
        std::string icon;
        int answer = IDOK;
    };

    explicit MessageBoxAnswerer(std::string ignoredCaption);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // The text of a message box: its one static control with text.
    static std::string MessageText(HWND box);
    static std::string IconName(HWND box);

    void QueueAnswer(int buttonId) { answers_.push_back(buttonId); }
    const std::vector<Box>& Boxes() const noexcept { return boxes_; }
    // True from a box's activation until its window is destroyed.
    bool IsBoxOpen() const noexcept { return !openBoxes_.empty(); }

private:
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void OnActivate(HWND window);
    void OnDestroy(HWND window) noexcept;

    static MessageBoxAnswerer* current_;
    HHOOK hook_ = nullptr;
    std::string ignoredCaption_;
    std::deque<int> answers_;
    std::vector<Box> boxes_;
    std::vector<HWND> openBoxes_;
};

}  // namespace tarvel::uitest
