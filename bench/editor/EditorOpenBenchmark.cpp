// Opening the editor on 1,000, 8,000 and 50,000 entries: the time from the
// call to the dialog's first idle moment plus closing, less the same with an
// empty template directory, divided by the floor: showing, filling, painting
// and destroying a bare tree control with the same labels, less the same
// with none. Both sides subtract their empty run, so what Wine spends on a
// top-level window whatever it holds (up to two seconds to withdraw it from
// a display without a window manager) is in neither. Each run gives a ratio;
// the median and the spread of the runs are printed.
#include <windows.h>
#include <commctrl.h>

#include "bench/editor/IdleCancel.h"
#include "bench/support/ModuleUnderTest.h"
#include "bench/support/RunTiming.h"
#include "host/TarvelLibrary.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

using namespace tarvel;
using namespace tarvel::bench;
using namespace tarvel::uitest;

constexpr int kLanguages = 8;
constexpr int kEntryCounts[] = {1000, 8000, 50000};
constexpr int kTargetCount = 8000;
constexpr int kRepetitions = 9;
constexpr double kTargetRatio = 1.5;

std::string EntryLabel(int language, int index) { return "s" + std::to_string(language) + "_" + std::to_string(index); }

void WriteManyEntries(const TemplateFolder& folder, int perLanguage) {
    for (int language = 0; language < kLanguages; ++language) {
        std::string text;
        for (int index = 0; index < perLanguage; ++index) {
            text += TemplateRecord("entry " + std::to_string(index), EntryLabel(language, index),
                                   "first line of " + std::to_string(index) + "\nsecond line");
        }
        folder.Write(kTemplateFiles[language], text);
    }
}

struct EditorTiming {
    double toFirstIdle = 0;
    double total = 0;
};

// Opens the editor and cancels it as soon as it first runs idle.
EditorTiming TimeEditorOpen(const host::TarvelLibrary& library, const std::string& directory) {
    ProfileKey::DeleteModuleKey();
    tarvel::bench::IdleCancel idle;
    const LONGLONG start = Now();
    library.ShowAutotextEditor(nullptr, directory.c_str());
    const LONGLONG end = Now();
    if (!idle.Cancelled()) {
        return {};
    }
    return {Milliseconds(idle.FirstIdleTicks() - start), Milliseconds(end - start)};
}

void PumpPending() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::DispatchMessageA(&message);
    }
}

HTREEITEM InsertLabel(HWND tree, HTREEITEM parent, const char* label) {
    TVINSERTSTRUCTA insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = const_cast<char*>(label);
    return reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
}

// The floor: a tree control in a window of ours, filled with the eight roots
// and the same labels, showing what the editor first shows, painted and
// destroyed.
double TimeBareTree(int perLanguage) {
    const LONGLONG start = Now();
    // Filled before it is shown, as the editor fills its tree.
    HWND frame = ::CreateWindowExA(0, "STATIC", "floor", WS_POPUP, 0, 0, 400, 500, nullptr, nullptr, nullptr, nullptr);
    HWND tree = ::CreateWindowExA(0, WC_TREEVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                      TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
                                  0, 0, 400, 500, frame, nullptr, nullptr, nullptr);
    // Roots first, then each root's labels, as the editor builds its tree.
    std::vector<HTREEITEM> roots;
    for (int language = 0; language < kLanguages; ++language) {
        roots.push_back(InsertLabel(tree, TVI_ROOT, kRootLabels[language]));
    }
    HTREEITEM firstEntry = nullptr;
    for (int language = 0; language < kLanguages; ++language) {
        for (int index = 0; index < perLanguage; ++index) {
            const HTREEITEM item = InsertLabel(tree, roots[language], EntryLabel(language, index).c_str());
            firstEntry = firstEntry ? firstEntry : item;
        }
    }
    const HTREEITEM firstRoot = roots[0];
    // The editor's first view: the first language open, its first entry selected.
    ::SendMessageA(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(firstRoot));
    ::SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(firstEntry ? firstEntry : firstRoot));
    ::ShowWindow(frame, SW_SHOW);
    ::UpdateWindow(frame);
    PumpPending();
    // Hidden first, as the editor's window is when its dialog ends.
    ::SetWindowPos(frame, nullptr, 0, 0, 0, 0,
                   SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ::DestroyWindow(frame);
    return Milliseconds(Now() - start);
}

// One run: the editor's extra time for the entries over the floor's extra
// time for the labels; both the empty runs come right before.
struct RunResult {
    double editorExtra = 0;
    double floorExtra = 0;
    double firstIdle = 0;
};

bool MeasureRun(const host::TarvelLibrary& library, const std::string& empty, const std::string& many, int perLanguage,
                RunResult& result) {
    const EditorTiming emptyTiming = TimeEditorOpen(library, empty);
    const EditorTiming manyTiming = TimeEditorOpen(library, many);
    if (emptyTiming.total == 0 || manyTiming.total == 0) {
        return false;
    }
    const double emptyFloor = TimeBareTree(0);
    const double manyFloor = TimeBareTree(perLanguage);
    result = {manyTiming.total - emptyTiming.total, manyFloor - emptyFloor, manyTiming.toFirstIdle};
    return true;
}

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_editor_open");
    if (!library)
        return kSetupError;
    TemplateFolder empty;
    std::printf("%d runs each; ratio = (editor - editor on no entries) / (bare tree - bare tree with no labels)\n",
                kRepetitions);
    for (const int count : kEntryCounts) {
        const int perLanguage = count / kLanguages;
        TemplateFolder many;
        WriteManyEntries(many, perLanguage);
        std::vector<double> ratios, editor, floors, idle;
        for (int run = 0; run < kRepetitions; ++run) {
            RunResult result;
            if (!MeasureRun(*library, empty.Path(), many.Path(), perLanguage, result)) {
                std::fprintf(stderr, "bench_editor_open: the editor did not open\n");
                return kSetupError;
            }
            ratios.push_back(result.editorExtra / result.floorExtra);
            editor.push_back(result.editorExtra);
            floors.push_back(result.floorExtra);
            idle.push_back(result.firstIdle);
        }
        const Spread ratio = SpreadOf(ratios);
        const double medianRatio = SpreadOf(editor).median / SpreadOf(floors).median;
        std::printf(
            "%6d entries: first idle after %7.1f ms; extra: editor %7.1f ms, floor %7.1f ms; ratio of medians "
            "%.2f, of runs %.2f [%.2f .. %.2f]",
            count, SpreadOf(idle).median, SpreadOf(editor).median, SpreadOf(floors).median, medianRatio, ratio.median,
            ratio.low, ratio.high);
        if (count == kTargetCount) {
            std::printf(" (target %.1f)", kTargetRatio);
        }
        std::printf("\n");
    }
    ProfileKey::DeleteModuleKey();
    return 0;
}
