#include "tests/editor/DialogScript.h"

#include <gtest/gtest.h>

#include <memory>

namespace tarvel::uitest {
namespace {

constexpr UINT kTickInterval = 20;
constexpr DWORD kAppearTimeout = 30000;
constexpr DWORD kCloseTimeout = 5000;
constexpr DWORD kForceCloseAfter = 3000;
constexpr char kDialogClass[] = "#32770";

struct DialogSearch {
    const std::string* caption;
    HWND found = nullptr;
};

BOOL CALLBACK MatchDialog(HWND hwnd, LPARAM context) {
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    char name[32] = {};
    char text[256] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    ::GetWindowTextA(hwnd, text, sizeof text);
    if (::lstrcmpA(name, kDialogClass) == 0 && *search.caption == text && ::IsWindowVisible(hwnd)) {
        search.found = hwnd;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

DialogScript* DialogScript::current_ = nullptr;

DialogScript::DialogScript(std::string caption) : caption_(caption), answerer_(std::move(caption)) {}

DialogScript& DialogScript::Do(std::string what, Action action) {
    steps_.push_back({std::move(what), [action](EditorWindow& window) {
                          action(window);
                          return true;
                      }});
    return *this;
}

DialogScript& DialogScript::WaitUntil(std::string what, Condition condition, DWORD timeout) {
    steps_.push_back({std::move(what), std::move(condition), timeout});
    return *this;
}

DialogScript& DialogScript::Pause(DWORD milliseconds) {
    auto until = std::make_shared<DWORD>(0);
    return WaitUntil(
        "a pause",
        [until, milliseconds](EditorWindow&) {
            if (*until == 0) {
                *until = ::GetTickCount() + milliseconds;
            }
            return static_cast<LONG>(::GetTickCount() - *until) >= 0;
        },
        milliseconds + kDefaultWait);
}

int DialogScript::Run(const std::function<int()>& call) {
    current_ = this;
    next_ = 0;
    stepStart_ = ::GetTickCount();
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kTickInterval, OnTimer);
    const int result = call();
    ::KillTimer(nullptr, timer);
    current_ = nullptr;
    if (!aborted_ && !Completed()) {
        ADD_FAILURE() << "the dialog closed before the step \"" << steps_[next_].what << "\" (" << next_ << " of "
                      << steps_.size() << " steps ran)";
    }
    return result;
}

void CALLBACK DialogScript::OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
    if (current_ && !current_->inStep_) {
        try {
            current_->Tick();
        } catch (const std::exception& error) {
            current_->Abort(std::string("a step threw: ") + error.what());
        } catch (...) {
            current_->Abort("a step threw");
        }
    }
}

void DialogScript::Tick() {
    if (answerer_.IsBoxOpen()) {
        return;
    }
    HWND dialog = FindDialog();
    if (!dialog) {
        if (next_ == 0 && !aborted_ && ::GetTickCount() - stepStart_ > kAppearTimeout) {
            aborted_ = true;
            ADD_FAILURE() << "the dialog \"" << caption_ << "\" did not appear";
        }
        return;
    }
    if (aborted_ || Completed()) {
        CloseAbandonedDialog(dialog);
        return;
    }
    RunStep(dialog);
}

HWND DialogScript::FindDialog() const {
    DialogSearch search{&caption_};
    ::EnumThreadWindows(::GetCurrentThreadId(), MatchDialog, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

void DialogScript::RunStep(HWND dialog) {
    Step& step = steps_[next_];
    EditorWindow window(dialog);
    inStep_ = true;
    const bool done = step.run(window);
    inStep_ = false;
    if (::testing::Test::HasFatalFailure()) {
        Abort("a fatal failure in the step \"" + step.what + "\"");
    } else if (done) {
        ++next_;
        stepStart_ = ::GetTickCount();
        finishedAt_ = stepStart_;
    } else if (::GetTickCount() - stepStart_ > step.timeout) {
        Abort("timed out waiting for " + step.what);
    }
}

void DialogScript::Abort(const std::string& reason) {
    ADD_FAILURE() << "script aborted: " << reason;
    aborted_ = true;
    abortedAt_ = ::GetTickCount();
    inStep_ = false;
}

// Cancels a dialog that the script no longer drives; destroys it when it
// does not react, so that the call returns and the test can report.
void DialogScript::CloseAbandonedDialog(HWND dialog) {
    if (!aborted_) {
        if (::GetTickCount() - finishedAt_ > kCloseTimeout) {
            Abort("the script ended with the dialog still open");
        }
        return;
    }
    if (!cancelPosted_) {
        ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        cancelPosted_ = true;
    } else if (::GetTickCount() - abortedAt_ > kForceCloseAfter) {
        ::DestroyWindow(dialog);
    }
}

}  // namespace tarvel::uitest
