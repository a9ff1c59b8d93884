#pragma once

#include <gtest/gtest.h>

#include <windows.h>

#include "host/HostPromptRequest.h"
#include "tests/editor/DialogScript.h"

#include <string>
#include <vector>

namespace tarvel::uitest {

// One prompt dialog test: a record built as a host builds it, the dialog
// opened through the real export and driven by a script.
class PromptTest : public ::testing::Test {
protected:
    static constexpr char kTitle[] = "Prompt under test";

    // The dialog opens where it opens for a new user.
    void SetUp() override;

    // Every byte of the record and of the blocks it points at.
    struct Snapshot {
        std::vector<char> record;
        std::vector<std::string> blocks;
        bool operator==(const Snapshot& other) const { return record == other.record && blocks == other.blocks; }
    };
    static Snapshot Take(const AutotextDlgRequest& request);

    static int Run(DialogScript& script, host::HostPromptRequest& request);
    static int Run(DialogScript& script, AutotextDlgRequest& request);
};

// The rows of the arguments page and the code view.
HWND PromptEdit(const EditorWindow& window, int row) noexcept;
HWND PromptLabel(const EditorWindow& window, int row) noexcept;
HWND CodeView(const EditorWindow& window) noexcept;
std::string TextOf(HWND window);
void SetText(HWND edit, const std::string& text) noexcept;

// Holds Control and Shift for this thread's key state (as GetKeyState reads
// it) while the object lives.
class HeldControlShift {
public:
    HeldControlShift() noexcept;
    ~HeldControlShift();
    HeldControlShift(const HeldControlShift&) = delete;
    HeldControlShift& operator=(const HeldControlShift&) = delete;

private:
    BYTE saved_[256] = {};
};

// The dialog's buttons, clicked as the user clicks them.
void ClickOk(EditorWindow& window);
void ClickCancel(EditorWindow& window);

// Posts Ctrl+Shift+V to the focused window with the keys held.
void PostControlShiftV() noexcept;

}  // namespace tarvel::uitest
