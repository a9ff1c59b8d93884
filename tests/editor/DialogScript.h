#pragma once

#include <windows.h>

#include "tests/editor/EditorWindow.h"
#include "tests/editor/MessageBoxAnswerer.h"

#include <functional>
#include <string>
#include <vector>

namespace tarvel::uitest {

// Scripted steps that run on the UI thread inside the modal loop of a dialog
// that a call opens: a thread timer, installed before the call, finds the
// dialog by class and caption and runs one step per tick, so that what a step
// posts has been handled when the next one runs. Message boxes are answered
// by the script's MessageBoxAnswerer and no step runs while one is open.
// A step that fails fatally, a condition that never comes true or a script
// that ends with the dialog still open cancels the dialog and fails the test.
class DialogScript {
public:
    using Action = std::function<void(EditorWindow&)>;
    using Condition = std::function<bool(EditorWindow&)>;

    static constexpr char kEditorCaption[] = "Autotext";
    static constexpr DWORD kDefaultWait = 10000;

    explicit DialogScript(std::string caption = kEditorCaption);
    DialogScript(const DialogScript&) = delete;
    DialogScript& operator=(const DialogScript&) = delete;

    DialogScript& Do(std::string what, Action action);
    DialogScript& WaitUntil(std::string what, Condition condition, DWORD timeout = kDefaultWait);
    // Lets the dialog run for a while (painting, idle passes).
    DialogScript& Pause(DWORD milliseconds);

    // Runs the call, which opens the dialog modally on this thread, with the
    // steps running inside; the call's result.
    int Run(const std::function<int()>& call);

    MessageBoxAnswerer& Boxes() noexcept { return answerer_; }
    // Steps that ran, of all steps.
    size_t StepsRun() const noexcept { return next_; }
    bool Completed() const noexcept { return next_ == steps_.size(); }

private:
    struct Step {
        std::string what;
        Condition run;  // true when the step is done
        DWORD timeout = kDefaultWait;
    };

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept;
    void Tick();
    HWND FindDialog() const;
    void RunStep(HWND dialog);
    void Abort(const std::string& reason);
    void CloseAbandonedDialog(HWND dialog);

    static DialogScript* current_;
    std::string caption_;
    MessageBoxAnswerer answerer_;
    std::vector<Step> steps_;
    size_t next_ = 0;
    DWORD stepStart_ = 0;
    DWORD finishedAt_ = 0;
    DWORD abortedAt_ = 0;
    bool aborted_ = false;
    bool cancelPosted_ = false;
    bool inStep_ = false;
};

}  // namespace tarvel::uitest
