// The live preview of the prompt dialog: one keystroke into a prompt edit
// while the Code page holds 1 MB of code, against its floor, a bare
// Scintilla given the same text the way the view takes it (redraw suspended,
// the old text cleared, the new one added, undo emptied), hidden like the
// view while the user types on the Arguments page. Both sides run inside
// the dialog's modal loop, round by round in turn, the side that goes first
// alternating. Runs under Wine; it times itself with QueryPerformanceCounter.
#include <windows.h>

#include "bench/support/ModuleUnderTest.h"
#include "bench/support/RunTiming.h"
#include "host/HostPromptRequest.h"
#include "res/resource.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/ProfileKey.h"

#include <cstdio>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "Scintilla.h"

namespace {

using namespace tarvel;
using namespace tarvel::bench;
using tarvel::uitest::EditorWindow;

constexpr char kTitle[] = "preview benchmark";
constexpr size_t kLargeCode = 1024 * 1024;
constexpr int kRounds = 9;
constexpr int kKeystrokes = 10;
constexpr double kTarget = 2.0;
constexpr double kKeystrokeBudget = 10.0;

// 1 MB of code with a prompt on every tenth line and a reserved variable
// beside some of them.
std::string LargeCode() {
    std::string code;
    for (int line = 0; code.size() < kLargeCode; ++line) {
        code += "    total += item[" + std::to_string(line) + "]; // a long entry";
        code += line % 10 == 0 ? " $name$\r\n" : line % 25 == 0 ? " $DATE$ $count$\r\n" : "\r\n";
    }
    return code;
}

// The hidden floor: a child of a hidden frame, the size of the code view.
struct BareScintilla {
    BareScintilla() {
        frame = ::CreateWindowExA(0, "STATIC", "floor", WS_POPUP, 0, 0, 480, 300, nullptr, nullptr, nullptr, nullptr);
        editor = ::CreateWindowExA(0, "Scintilla", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL, 0, 0, 470,
                                   290, frame, nullptr, nullptr, nullptr);
        ::SendMessageA(editor, SCI_SETCODEPAGE, SC_CP_UTF8, 0);
    }
    ~BareScintilla() { ::DestroyWindow(frame); }
    void SetText(const std::string& text) const {
        ::SendMessageA(editor, WM_SETREDRAW, FALSE, 0);
        ::SendMessageA(editor, SCI_CLEARALL, 0, 0);
        ::SendMessageA(editor, SCI_ADDTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
        ::SendMessageA(editor, SCI_EMPTYUNDOBUFFER, 0, 0);
        ::SendMessageA(editor, WM_SETREDRAW, TRUE, 0);
    }
    HWND frame;
    HWND editor;
};

std::string ViewText(HWND view) {
    const auto length = static_cast<size_t>(::SendMessageA(view, SCI_GETLENGTH, 0, 0));
    std::string text(length + 1, '\0');
    ::SendMessageA(view, SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

struct Rounds {
    std::vector<double> preview;  // per round, the median keystroke
    std::vector<double> floor;    // per round, the median set-text
    std::vector<double> ratios;
};

double MedianOf(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < kKeystrokes; ++i) {
        const LONGLONG start = Now();
        work();
        times.push_back(Milliseconds(Now() - start));
    }
    return SpreadOf(times).median;
}

// Runs once inside the dialog's modal loop, then cancels it.
class InsideDialog {
public:
    explicit InsideDialog(std::function<void(HWND)> work) : work_(std::move(work)) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTimer);
    }
    ~InsideDialog() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    bool Ran() const { return ran_; }

private:
    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
        HWND dialog = ::FindWindowA(nullptr, kTitle);
        if (!current_ || current_->ran_ || !dialog || !::IsWindowVisible(dialog)) {
            return;
        }
        current_->ran_ = true;
        current_->work_(dialog);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }

    static InsideDialog* current_;
    std::function<void(HWND)> work_;
    UINT_PTR timer_ = 0;
    bool ran_ = false;
};
InsideDialog* InsideDialog::current_ = nullptr;

std::string LoadAverage() {
    std::ifstream file("Z:\\proc\\loadavg");
    std::string one, five;
    file >> one >> five;
    return one + " " + five;
}

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_prompt_preview");
    if (!library)
        return kSetupError;
    const HMODULE scintilla = ::LoadLibraryA("scilexer.dll");
    if (!scintilla) {
        std::fprintf(stderr, "bench_prompt_preview: scilexer.dll is missing\n");
        return kSetupError;
    }
    uitest::ProfileKey::DeleteModuleKey();
    Rounds rounds;
    host::HostPromptRequest request(kTitle, LargeCode(), {"name", "count"}, {});
    InsideDialog inside([&](HWND dialog) {
        const HWND edit = EditorWindow(dialog).Control(IDC_PROMPT_EDIT(0));
        const HWND view = EditorWindow(dialog).Control(IDC_CODE_EDITOR);
        ::SendMessageW(edit, WM_CHAR, L'x', 1);
        const BareScintilla bare;
        const std::string text = ViewText(view);
        for (int round = 0; round < kRounds; ++round) {
            const auto preview = [&] { return MedianOf([&] { ::SendMessageW(edit, WM_CHAR, L'x', 1); }); };
            const auto floor = [&] { return MedianOf([&] { bare.SetText(text); }); };
            const bool previewFirst = round % 2 == 0;
            const double first = previewFirst ? preview() : floor();
            const double second = previewFirst ? floor() : preview();
            rounds.preview.push_back(previewFirst ? first : second);
            rounds.floor.push_back(previewFirst ? second : first);
            rounds.ratios.push_back(rounds.preview.back() / rounds.floor.back());
        }
    });
    library->ShowAutotextDlg(request.Record());
    uitest::ProfileKey::DeleteModuleKey();
    ::FreeLibrary(scintilla);
    if (!inside.Ran()) {
        std::fprintf(stderr, "bench_prompt_preview: the prompt dialog did not open\n");
        return kSetupError;
    }
    const Spread preview = SpreadOf(rounds.preview), floor = SpreadOf(rounds.floor), ratio = SpreadOf(rounds.ratios);
    std::printf("%d rounds of %d, medians (spread min .. max), load average %s\n", kRounds, kKeystrokes,
                LoadAverage().c_str());
    std::printf("keystroke with the preview of 1 MB: %8.2f ms (%.2f .. %.2f), budget %.0f ms\n", preview.median,
                preview.low, preview.high, kKeystrokeBudget);
    std::printf("bare Scintilla set-text of it:      %8.2f ms (%.2f .. %.2f)\n", floor.median, floor.low, floor.high);
    std::printf("ratio of medians: %.2f (per round %.2f .. %.2f), target %.1f\n", preview.median / floor.median,
                ratio.low, ratio.high, kTarget);
    return 0;
}
