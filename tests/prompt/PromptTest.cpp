#include "tests/prompt/PromptTest.h"

#include "res/resource.h"
#include "tests/editor/EditorHost.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/ProfileKey.h"

#include <cstring>

namespace tarvel::uitest {

void PromptTest::SetUp() { ProfileKey::DeleteModuleKey(); }

PromptTest::Snapshot PromptTest::Take(const AutotextDlgRequest& request) {
    Snapshot snapshot;
    const auto* bytes = reinterpret_cast<const char*>(&request);
    snapshot.record.assign(bytes, bytes + sizeof request);
    for (const HostTextBuffer& value : request.values) {
        snapshot.blocks.emplace_back(value.data ? std::string(value.data, static_cast<size_t>(value.capacity)) : "");
    }
    return snapshot;
}

int PromptTest::Run(DialogScript& script, host::HostPromptRequest& request) { return Run(script, request.Record()); }

int PromptTest::Run(DialogScript& script, AutotextDlgRequest& request) {
    return script.Run([&request] { return EditorHost::ShowAutotextDlg(request); });
}

HWND PromptEdit(const EditorWindow& window, int row) noexcept { return window.Control(IDC_PROMPT_EDIT(row)); }

HWND PromptLabel(const EditorWindow& window, int row) noexcept { return window.Control(IDC_PROMPT_LABEL(row)); }

HWND CodeView(const EditorWindow& window) noexcept { return window.Control(IDC_CODE_EDITOR); }

std::string TextOf(HWND window) {
    std::string text(static_cast<size_t>(::GetWindowTextLengthA(window)) + 1, '\0');
    text.resize(static_cast<size_t>(::GetWindowTextA(window, &text[0], static_cast<int>(text.size()))));
    return text;
}

void SetText(HWND edit, const std::string& text) noexcept { ::SetWindowTextA(edit, text.c_str()); }

void ClickOk(EditorWindow& window) { window.PostCommand(IDOK); }

void ClickCancel(EditorWindow& window) { window.PostCommand(IDCANCEL); }

HeldControlShift::HeldControlShift() noexcept {
    ::GetKeyboardState(saved_);
    BYTE held[256];
    std::memcpy(held, saved_, sizeof held);
    held[VK_CONTROL] = held[VK_LCONTROL] = 0x80;
    held[VK_SHIFT] = held[VK_LSHIFT] = 0x80;
    ::SetKeyboardState(held);
}

HeldControlShift::~HeldControlShift() { ::SetKeyboardState(saved_); }

void PostControlShiftV() noexcept {
    const LPARAM data = 1 | (static_cast<LPARAM>(::MapVirtualKeyA('V', MAPVK_VK_TO_VSC)) << 16);
    ::PostMessageA(::GetFocus(), WM_KEYDOWN, 'V', data);
}

}  // namespace tarvel::uitest
