// Opening the editor on 8 x 1,000 entries: the time from the call to the
// dialog's first idle moment plus closing, less the same with an empty
// template directory, divided by the floor of inserting the same labels into
// a bare tree control.
#include <windows.h>
#include <commctrl.h>

#include "bench/editor/IdleCancel.h"
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
using namespace tarvel::uitest;

constexpr int kEntriesPerLanguage = 1000;
constexpr int kRepetitions = 5;
constexpr double kTargetRatio = 1.5;
constexpr int kSetupError = 2;

double Milliseconds(LONGLONG ticks) {
    LARGE_INTEGER frequency;
    ::QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return now.QuadPart;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

std::string EntryLabel(int language, int index) { return "s" + std::to_string(language) + "_" + std::to_string(index); }

void WriteManyEntries(const TemplateFolder& folder) {
    for (int language = 0; language < 8; ++language) {
        std::string text;
        for (int index = 0; index < kEntriesPerLanguage; ++index) {
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

// The floor: a shown tree control in a window of ours, filled with the eight
// roots and the same 8,000 labels, painted and destroyed.
double TimeBareTree() {
    const LONGLONG start = Now();
    HWND frame = ::CreateWindowExA(0, "STATIC", "floor", WS_POPUP | WS_VISIBLE, 0, 0, 400, 500, nullptr, nullptr,
                                   nullptr, nullptr);
    HWND tree = ::CreateWindowExA(
        0, WC_TREEVIEWA, "",
        WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0, 0,
        400, 500, frame, nullptr, nullptr, nullptr);
    for (int language = 0; language < 8; ++language) {
        TVINSERTSTRUCTA insert{};
        insert.hParent = TVI_ROOT;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = const_cast<char*>(kRootLabels[language]);
        const auto root =
            reinterpret_cast<HTREEITEM>(::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        for (int index = 0; index < kEntriesPerLanguage; ++index) {
            const std::string label = EntryLabel(language, index);
            insert.hParent = root;
            insert.item.pszText = const_cast<char*>(label.c_str());
            ::SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert));
        }
    }
    ::UpdateWindow(frame);
    PumpPending();
    ::DestroyWindow(frame);
    return Milliseconds(Now() - start);
}

}  // namespace

int main() {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_TREEVIEW_CLASSES};
    ::InitCommonControlsEx(&controls);
    std::string error;
    const auto library = host::TarvelLibrary::LoadBesideProgram(error);
    if (!library) {
        std::fprintf(stderr, "bench_editor_open: %s\n", error.c_str());
        return kSetupError;
    }
    TemplateFolder empty;
    TemplateFolder many;
    WriteManyEntries(many);

    std::vector<double> emptyTotals, manyTotals, emptyIdle, manyIdle, floors;
    for (int run = 0; run < kRepetitions; ++run) {
        const EditorTiming emptyTiming = TimeEditorOpen(*library, empty.Path());
        const EditorTiming manyTiming = TimeEditorOpen(*library, many.Path());
        if (emptyTiming.total == 0 || manyTiming.total == 0) {
            std::fprintf(stderr, "bench_editor_open: the editor did not open\n");
            return kSetupError;
        }
        emptyTotals.push_back(emptyTiming.total);
        emptyIdle.push_back(emptyTiming.toFirstIdle);
        manyTotals.push_back(manyTiming.total);
        manyIdle.push_back(manyTiming.toFirstIdle);
        floors.push_back(TimeBareTree());
    }
    ProfileKey::DeleteModuleKey();

    const double open = Median(manyTotals) - Median(emptyTotals);
    const double floor = Median(floors);
    std::printf("median of %d runs\n", kRepetitions);
    std::printf("editor, empty directory:      %8.1f ms to the first idle, %8.1f ms with closing\n", Median(emptyIdle),
                Median(emptyTotals));
    std::printf("editor, 8 x %d entries:     %8.1f ms to the first idle, %8.1f ms with closing\n", kEntriesPerLanguage,
                Median(manyIdle), Median(manyTotals));
    std::printf("floor, %d labels into a bare tree: %8.1f ms\n", 8 * kEntriesPerLanguage, floor);
    std::printf("ratio (entries - empty) / floor: %.2f (target %.1f)\n", open / floor, kTargetRatio);
    return 0;
}
