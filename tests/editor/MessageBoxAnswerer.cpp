#include "tests/editor/MessageBoxAnswerer.h"

#include <algorithm>

namespace tarvel::uitest {
namespace {

constexpr char kDialogClass[] = "#32770";

std::string WindowText(HWND hwnd) {
    char text[2048] = {};
    ::GetWindowTextA(hwnd, text, sizeof text);
    return text;
}

bool IsTopLevelDialog(HWND hwnd) {
    char name[32] = {};
    ::GetClassNameA(hwnd, name, sizeof name);
    return ::lstrcmpA(name, kDialogClass) == 0 && !(::GetWindowLongA(hwnd, GWL_STYLE) & WS_CHILD);
}

// The message text is the one static control with text (the icon has none).
BOOL CALLBACK CollectStaticText(HWND child, LPARAM context) {
    char name[32] = {};
    ::GetClassNameA(child, name, sizeof name);
    auto& text = *reinterpret_cast<std::string*>(context);
    if (::lstrcmpiA(name, "Static") == 0 && text.empty()) {
        text = WindowText(child);
    }
    return TRUE;
}

BOOL CALLBACK FindIcon(HWND child, LPARAM context) {
    if ((::GetWindowLongA(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
        *reinterpret_cast<HICON*>(context) = reinterpret_cast<HICON>(::SendMessageA(child, STM_GETICON, 0, 0));
    }
    return TRUE;
}

// The default button of a box is its first one (OK, or Yes of a question)
// unless the box was told otherwise; a box may keep the buttons it does not
// use, hidden.
BOOL CALLBACK FindFirstButton(HWND child, LPARAM context) {
    char name[32] = {};
    ::GetClassNameA(child, name, sizeof name);
    const LONG style = ::GetWindowLongA(child, GWL_STYLE);
    const LONG type = style & BS_TYPEMASK;
    if (::lstrcmpiA(name, "Button") != 0 || (type != BS_PUSHBUTTON && type != BS_DEFPUSHBUTTON) ||
        (style & WS_VISIBLE) == 0) {
        return TRUE;
    }
    *reinterpret_cast<int*>(context) = ::GetDlgCtrlID(child);
    return FALSE;
}

int DefaultButton(HWND box) {
    int id = 0;
    ::EnumChildWindows(box, FindFirstButton, reinterpret_cast<LPARAM>(&id));
    return id;
}

}  // namespace

MessageBoxAnswerer* MessageBoxAnswerer::current_ = nullptr;

// A message box shows the system's shared icons.
std::string MessageBoxAnswerer::IconName(HWND box) {
    HICON shown = nullptr;
    ::EnumChildWindows(box, FindIcon, reinterpret_cast<LPARAM>(&shown));
    const std::pair<LPCSTR, const char*> icons[] = {{IDI_HAND, "stop"},
                                                     {IDI_EXCLAMATION, "exclamation"},
                                                     {IDI_QUESTION, "question"},
                                                     {IDI_ASTERISK, "information"}};
    for (const auto& [id, name] : icons) {
        if (shown != nullptr && shown == ::LoadIconA(nullptr, id)) {
            return name;
        }
    }
    return {};
}

std::string MessageBoxAnswerer::MessageText(HWND box) {
    std::string text;
    ::EnumChildWindows(box, CollectStaticText, reinterpret_cast<LPARAM>(&text));
    return text;
}

MessageBoxAnswerer::MessageBoxAnswerer(std::string ignoredCaption) : ignoredCaption_(std::move(ignoredCaption)) {
    current_ = this;
    hook_ = ::SetWindowsHookExA(WH_CBT, HookProcedure, nullptr, ::GetCurrentThreadId());
}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    ::UnhookWindowsHookEx(hook_);
    current_ = nullptr;
}

LRESULT CALLBACK MessageBoxAnswerer::HookProcedure(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (current_) {
        try {
            if (code == HCBT_ACTIVATE) {
                current_->OnActivate(reinterpret_cast<HWND>(wParam));
            } else if (code == HCBT_DESTROYWND) {
                current_->OnDestroy(reinterpret_cast<HWND>(wParam));
            }
        } catch (...) {
            // Recording is best effort; the hook chain must go on.
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

void MessageBoxAnswerer::OnActivate(HWND window) {
    if (!IsTopLevelDialog(window) || WindowText(window) == ignoredCaption_ ||
        std::find(openBoxes_.begin(), openBoxes_.end(), window) != openBoxes_.end()) {
        return;
    }
    Box box;
    box.caption = WindowText(window);
    box.text = MessageText(window);
    box.icon = IconName(window);
    if (!answers_.empty()) {
        box.answer = answers_.front();
        answers_.pop_front();
    } else if (const int defaultButton = DefaultButton(window)) {
        box.answer = defaultButton;
    }
    boxes_.push_back(box);
    openBoxes_.push_back(window);
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(box.answer, BN_CLICKED),
                   reinterpret_cast<LPARAM>(::GetDlgItem(window, box.answer)));
}

void MessageBoxAnswerer::OnDestroy(HWND window) noexcept {
    openBoxes_.erase(std::remove(openBoxes_.begin(), openBoxes_.end(), window), openBoxes_.end());
}

}  // namespace tarvel::uitest
