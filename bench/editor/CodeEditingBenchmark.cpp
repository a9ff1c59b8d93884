// The code editor under load, both measured in one run of the editor:
// (a) moving the selection through 200 entries that alternate between HTML
//     and C++ (each move applies the language set-up and loads the code),
//     against setting the same texts into a bare Scintilla window;
// (b) typing one character into an entry of 1 MB of code, against typing one
//     into an entry of ten lines (each keystroke goes into the entry).
// Runs under Wine; it times itself with QueryPerformanceCounter.
#include <windows.h>
#include <commctrl.h>

#include "host/TarvelLibrary.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/MessageBoxAnswerer.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "Scintilla.h"
#include "bench/support/ModuleUnderTest.h"
#include "bench/support/RunTiming.h"

namespace {

using namespace tarvel;
using namespace tarvel::uitest;
using namespace tarvel::bench;

constexpr int kEntriesPerLanguage = 100;
constexpr int kLinesPerEntry = 30;
constexpr int kRepetitions = 9;
constexpr int kKeystrokes = 50;
constexpr size_t kLargeCode = 1024 * 1024;
constexpr double kSelectionTarget = 2.0;
constexpr double kTypingTarget = 3.0;

std::string EntryCode(const char* language, int index) {
    std::string code;
    for (int line = 0; line < kLinesPerEntry; ++line) {
        code += std::string(language) == "html"
                    ? "<p class=\"item\">paragraph " + std::to_string(index) + " line " + std::to_string(line) + "</p>\n"
                    : "    int value" + std::to_string(line) + " = compute(" + std::to_string(index) + "); // note\n";
    }
    return code;
}

std::string LargeCode() {
    std::string code;
    while (code.size() < kLargeCode) {
        code += "    total += item[" + std::to_string(code.size()) + "]; // a long entry\n";
    }
    return code;
}

void WriteEntries(const TemplateFolder& folder) {
    std::string html, cpp;
    for (int index = 0; index < kEntriesPerLanguage; ++index) {
        html += TemplateRecord("page " + std::to_string(index), "h" + std::to_string(index), EntryCode("html", index));
        cpp += TemplateRecord("code " + std::to_string(index), "c" + std::to_string(index), EntryCode("cpp", index));
    }
    cpp += TemplateRecord("large", "large", LargeCode());
    cpp += TemplateRecord("small", "small", "one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten");
    folder.Write("html.tpl", html);
    folder.Write("cpp.tpl", cpp);
}

// Runs the work once inside the editor's modal loop, then cancels it.
class InsideEditor {
public:
    explicit InsideEditor(std::function<void(EditorWindow&)> work) : work_(std::move(work)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTimer);
    }
    ~InsideEditor() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Ran() const { return ran_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
        HWND dialog = ::FindWindowA(nullptr, "Autotext");
        if (!current_ || current_->ran_ || !dialog || !::IsWindowVisible(dialog)) {
            return;
        }
        current_->ran_ = true;
        EditorWindow window(dialog);
        current_->work_(window);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    static InsideEditor* current_;
    std::function<void(EditorWindow&)> work_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};
InsideEditor* InsideEditor::current_ = nullptr;

struct EditorTimes {
    double selection = 0;   // all 200 moves
    double largeTyping = 0;  // one keystroke
    double smallTyping = 0;
};

double TimeKeystrokes(EditorWindow& window, HTREEITEM entry) {
    window.Select(entry);
    HWND editor = window.ControlOfClass("Scintilla");
    const auto middle = ::SendMessageA(editor, SCI_GETLENGTH, 0, 0) / 2;
    ::SendMessageA(editor, SCI_GOTOPOS, static_cast<WPARAM>(middle), 0);
    const LONGLONG start = Now();
    for (int key = 0; key < kKeystrokes; ++key) {
        ::SendMessageW(editor, WM_CHAR, L'x', 1);
    }
    return Milliseconds(Now() - start) / kKeystrokes;
}

EditorTimes TimeEditor(const host::TarvelLibrary& library, const std::string& directory) {
    EditorTimes times;
    ProfileKey::DeleteModuleKey();
    InsideEditor inside([&](EditorWindow& window) {
        const auto html = window.Children(window.Root("HTML"));
        const auto cpp = window.Children(window.Root("C++"));
        const LONGLONG start = Now();
        for (int index = 0; index < kEntriesPerLanguage; ++index) {
            window.Select(html[static_cast<size_t>(index)]);
            window.Select(cpp[static_cast<size_t>(index)]);
        }
        times.selection = Milliseconds(Now() - start);
        times.largeTyping = TimeKeystrokes(window, cpp[kEntriesPerLanguage]);
        times.smallTyping = TimeKeystrokes(window, cpp[kEntriesPerLanguage + 1]);
    });
    // The typing is unsaved: Cancel asks, and is answered Yes.
    const MessageBoxAnswerer discard("Autotext");
    library.ShowAutotextEditor(nullptr, directory.c_str());
    return inside.Ran() ? times : EditorTimes{};
}

// A shown Scintilla of about the code view's size, as a child like the code
// view (a top-level window would pay for its own X window).
struct BareScintilla {
    BareScintilla() {
        frame = ::CreateWindowExA(0, "STATIC", "floor", WS_POPUP | WS_VISIBLE, 0, 0, 480, 180, nullptr, nullptr,
                                  nullptr, nullptr);
        editor = ::CreateWindowExA(0, "Scintilla", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 470,
                                   170, frame, nullptr, nullptr, nullptr);
    }
    ~BareScintilla() { ::DestroyWindow(frame); }
    HWND frame;
    HWND editor;
};

// The floor of (a): the same 200 texts set into a bare Scintilla.
double TimeBareScintilla() {
    std::vector<std::string> texts;
    for (int index = 0; index < kEntriesPerLanguage; ++index) {
        texts.push_back(EntryCode("html", index));
        texts.push_back(EntryCode("cpp", index));
    }
    BareScintilla bare;
    const LONGLONG start = Now();
    for (const std::string& text : texts) {
        ::SendMessageA(bare.editor, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    }
    return Milliseconds(Now() - start);
}

// Typing into a bare Scintilla holding the text: what the component itself costs.
double TimeBareKeystroke(const std::string& text) {
    BareScintilla bare;
    ::SendMessageA(bare.editor, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
    ::SendMessageA(bare.editor, SCI_GOTOPOS, text.size() / 2, 0);
    const LONGLONG start = Now();
    for (int key = 0; key < kKeystrokes; ++key) {
        ::SendMessageW(bare.editor, WM_CHAR, L'x', 1);
    }
    return Milliseconds(Now() - start) / kKeystrokes;
}

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_code_editing");
    if (!library)
        return kSetupError;
    const HMODULE scintilla = ::LoadLibraryA("scilexer.dll");
    if (!scintilla) {
        std::fprintf(stderr, "bench_code_editing: scilexer.dll is missing\n");
        return kSetupError;
    }
    TemplateFolder folder;
    WriteEntries(folder);

    std::vector<double> selections, floors, large, small;
    for (int run = 0; run < kRepetitions; ++run) {
        const EditorTimes times = TimeEditor(*library, folder.Path());
        if (times.selection == 0) {
            std::fprintf(stderr, "bench_code_editing: the editor did not open\n");
            return kSetupError;
        }
        selections.push_back(times.selection);
        large.push_back(times.largeTyping);
        small.push_back(times.smallTyping);
        floors.push_back(TimeBareScintilla());
    }
    ProfileKey::DeleteModuleKey();

    const auto print = [](const char* what, const char* format, const Spread& spread) {
        std::printf(format, what, spread.median, spread.low, spread.high);
    };
    const Spread selection = SpreadOf(selections), floor = SpreadOf(floors);
    const Spread largeTyping = SpreadOf(large), smallTyping = SpreadOf(small);
    std::printf("median of %d runs (spread min .. max)\n", kRepetitions);
    print("(a) 200 selection moves HTML/C++ in the editor:", "%s %8.2f ms (%.2f .. %.2f)\n", selection);
    print("    the same 200 texts into a bare Scintilla:  ", "%s %8.2f ms (%.2f .. %.2f)\n", floor);
    std::printf("    ratio: %.2f (target %.1f)\n", selection.median / floor.median, kSelectionTarget);
    print("(b) one keystroke into 1 MB of code:", "%s %8.3f ms (%.3f .. %.3f)\n", largeTyping);
    print("    one keystroke into ten lines:   ", "%s %8.3f ms (%.3f .. %.3f)\n", smallTyping);
    std::printf("    ratio: %.2f (target %.1f)\n", largeTyping.median / smallTyping.median, kTypingTarget);
    std::printf("    bare Scintilla: %8.3f ms into 1 MB, %8.3f ms into ten lines\n", TimeBareKeystroke(LargeCode()),
                TimeBareKeystroke("one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten"));
    ::FreeLibrary(scintilla);
    return 0;
}
