// A drop in the editor's tree of 8 x 1,000 entries, from the tree's
// begin-drag notification to the button's release with the move, the
// selection of the moved entry and the renumbering, against the floor of
// moving one item in a bare tree control of the same size and walking its
// 8,000 items. Runs under Wine; it times itself with QueryPerformanceCounter.
#include <windows.h>
#include <commctrl.h>

#include "bench/support/ModuleUnderTest.h"
#include "bench/support/RunTiming.h"
#include "host/TarvelLibrary.h"
#include "tests/editor/MessageBoxAnswerer.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

using namespace tarvel;
using namespace tarvel::bench;
using namespace tarvel::uitest;

constexpr int kLanguages = 8;
constexpr int kEntriesPerLanguage = 1000;
constexpr int kDrops = 41;
constexpr double kTargetRatio = 2.0;
constexpr char kEditorCaption[] = "Autotext";
constexpr int kTreeId = 1020;
// Within a language the entry dragged and the one it is dropped on, near the
// top of the tree; across languages an entry of the last root dropped on the
// root before it, which renumbers two languages.
constexpr int kDraggedIndex = 5;
constexpr int kTargetIndex = 1;
constexpr int kTextRoot = 6;
constexpr int kVbRoot = 7;

void WriteManyEntries(const TemplateFolder& folder) {
    for (int language = 0; language < kLanguages; ++language) {
        std::string text;
        for (int index = 0; index < kEntriesPerLanguage; ++index) {
            const std::string n = std::to_string(index);
            text += TemplateRecord("entry " + n, "s" + std::to_string(language) + "_" + n, "code of " + n);
        }
        folder.Write(kTemplateFiles[language], text);
    }
}

HTREEITEM NthChild(HWND tree, HTREEITEM parent, int n) {
    HTREEITEM item = TreeView_GetChild(tree, parent);
    for (int i = 0; item != nullptr && i < n; ++i) {
        item = TreeView_GetNextSibling(tree, item);
    }
    return item;
}

POINT LabelCentre(HWND tree, HTREEITEM item) {
    RECT rect{};
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// One drop as the tree control and the mouse deliver it: the begin-drag
// notification to the dialog, the mouse moving onto the target, the release.
double TimeOneDrop(HWND dialog, HWND tree, HTREEITEM dragged, HTREEITEM target) {
    const POINT start = LabelCentre(tree, dragged);
    const POINT drop = LabelCentre(tree, target);
    NMTREEVIEWA begin{};
    begin.hdr.hwndFrom = tree;
    begin.hdr.idFrom = kTreeId;
    begin.hdr.code = TVN_BEGINDRAGA;
    begin.itemNew.hItem = dragged;
    begin.ptDrag = start;
    const LONGLONG before = Now();
    ::SendMessageA(dialog, WM_NOTIFY, kTreeId, reinterpret_cast<LPARAM>(&begin));
    ::SendMessageA(tree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    ::SendMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    return Milliseconds(Now() - before);
}

void PumpPending() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageA(&message);
    }
}

// The floor: a shown bare tree of the same items, in a window of its own;
// one item re-created after another (insert, delete) and every item's data
// read in tree order.
class BareTree {
public:
    BareTree() {
        frame_ = ::CreateWindowExA(0, "STATIC", "floor", WS_POPUP | WS_VISIBLE, 0, 0, 400, 500, nullptr, nullptr,
                                   nullptr, nullptr);
        tree_ = ::CreateWindowExA(0, WC_TREEVIEWA, "",
                                  WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT |
                                      TVS_SHOWSELALWAYS | TVS_NOTOOLTIPS,
                                  0, 0, 400, 500, frame_, nullptr, nullptr, nullptr);
        for (int language = 0; language < kLanguages; ++language) {
            roots_.push_back(Insert(TVI_ROOT, kRootLabels[language], language));
        }
        for (int language = 0; language < kLanguages; ++language) {
            for (int index = 0; index < kEntriesPerLanguage; ++index) {
                Insert(roots_[language], "s" + std::to_string(language) + "_" + std::to_string(index), index + 100);
            }
        }
        TreeView_Expand(tree_, roots_[0], TVE_EXPAND);
    }
    ~BareTree() {
        ::ShowWindow(frame_, SW_HIDE);
        ::DestroyWindow(frame_);
    }
    BareTree(const BareTree&) = delete;
    BareTree& operator=(const BareTree&) = delete;

    double TimeMove() const {
        ::UpdateWindow(tree_);
        const LONGLONG before = Now();
        const HTREEITEM item = NthChild(tree_, roots_[0], kDraggedIndex);
        char text[64] = {};
        TVINSERTSTRUCTA insert{};
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.hItem = item;
        insert.item.pszText = text;
        insert.item.cchTextMax = sizeof text;
        TreeView_GetItem(tree_, &insert.item);
        insert.hParent = roots_[0];
        insert.hInsertAfter = NthChild(tree_, roots_[0], kTargetIndex);
        TreeView_InsertItem(tree_, &insert);
        TreeView_DeleteItem(tree_, item);
        LPARAM sum = 0;
        for (HTREEITEM root : roots_) {
            for (HTREEITEM child = TreeView_GetChild(tree_, root); child;
                 child = TreeView_GetNextSibling(tree_, child)) {
                TVITEMA data{};
                data.mask = TVIF_PARAM;
                data.hItem = child;
                TreeView_GetItem(tree_, &data);
                sum += data.lParam;
            }
        }
        const double elapsed = Milliseconds(Now() - before);
        return sum > 0 ? elapsed : 0;
    }

private:
    HTREEITEM Insert(HTREEITEM parent, const std::string& label, LPARAM data) const {
        TVINSERTSTRUCTA insert{};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(label.c_str());
        insert.item.lParam = data;
        return TreeView_InsertItem(tree_, &insert);
    }

    HWND frame_ = nullptr;
    HWND tree_ = nullptr;
    std::vector<HTREEITEM> roots_;
};

// Drops, each after the paint of the one before and each followed by a move
// in the bare tree, so that both sides see the same load of the machine; run
// inside the editor's modal loop by a thread timer, then the editor is
// cancelled.
class EditorDrops {
public:
    explicit EditorDrops(const BareTree& floor) : floor_(floor) {
        current_ = this;
        timer_ = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, OnTimer);
    }
    ~EditorDrops() {
        ::KillTimer(nullptr, timer_);
        current_ = nullptr;
    }
    EditorDrops(const EditorDrops&) = delete;
    EditorDrops& operator=(const EditorDrops&) = delete;

    const std::vector<double>& WithinLanguage() const noexcept { return within_; }
    const std::vector<double>& AcrossLanguages() const noexcept { return across_; }
    const std::vector<double>& Floor() const noexcept { return floorTimes_; }
    // Every drop moved its entry.
    bool Moved() const noexcept { return moved_; }

private:
    static BOOL CALLBACK MatchEditor(HWND window, LPARAM found) noexcept {
        char caption[32] = {};
        ::GetWindowTextA(window, caption, sizeof caption);
        if (::IsWindowVisible(window) && std::strcmp(caption, kEditorCaption) == 0) {
            *reinterpret_cast<HWND*>(found) = window;
            return FALSE;
        }
        return TRUE;
    }

    static void CALLBACK OnTimer(HWND, UINT, UINT_PTR, DWORD) noexcept {
        HWND editor = nullptr;
        ::EnumThreadWindows(::GetCurrentThreadId(), MatchEditor, reinterpret_cast<LPARAM>(&editor));
        if (current_ == nullptr || editor == nullptr || current_->done_) {
            return;
        }
        current_->done_ = true;
        current_->Run(editor);
    }

    void Run(HWND editor) {
        const HWND tree = FindTree(editor);
        const HTREEITEM cpp = NthChild(tree, TVI_ROOT, 0);
        const HTREEITEM text = NthChild(tree, TVI_ROOT, kTextRoot);
        const HTREEITEM vb = NthChild(tree, TVI_ROOT, kVbRoot);
        TreeView_Expand(tree, cpp, TVE_EXPAND);
        TreeView_EnsureVisible(tree, cpp);
        for (int drop = 0; drop < kDrops; ++drop) {
            ::UpdateWindow(tree);
            within_.push_back(
                TimeOneDrop(editor, tree, NthChild(tree, cpp, kDraggedIndex), NthChild(tree, cpp, kTargetIndex)));
            floorTimes_.push_back(floor_.TimeMove());
            PumpPending();
        }
        TreeView_Expand(tree, cpp, TVE_COLLAPSE);
        TreeView_Expand(tree, vb, TVE_EXPAND);
        for (int drop = 0; drop < kDrops; ++drop) {
            TreeView_EnsureVisible(tree, cpp);
            ::UpdateWindow(tree);
            across_.push_back(TimeOneDrop(editor, tree, NthChild(tree, vb, kDraggedIndex), text));
            // The drop opened the root it went to.
            TreeView_Expand(tree, text, TVE_COLLAPSE);
            floorTimes_.push_back(floor_.TimeMove());
            PumpPending();
        }
        moved_ = ChildCount(tree, cpp) == kEntriesPerLanguage &&
                 ChildCount(tree, text) == kEntriesPerLanguage + kDrops &&
                 ChildCount(tree, vb) == kEntriesPerLanguage - kDrops;
        ::PostMessageA(editor, WM_COMMAND, IDCANCEL, 0);
    }

    static int ChildCount(HWND tree, HTREEITEM parent) {
        int count = 0;
        for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child)) {
            ++count;
        }
        return count;
    }

    static BOOL CALLBACK MatchTree(HWND child, LPARAM found) noexcept {
        if (::GetDlgCtrlID(child) != kTreeId) {
            return TRUE;
        }
        *reinterpret_cast<HWND*>(found) = child;
        return FALSE;
    }

    // The tree sits in a splitter pane, not directly in the dialog.
    static HWND FindTree(HWND editor) {
        HWND tree = nullptr;
        ::EnumChildWindows(editor, MatchTree, reinterpret_cast<LPARAM>(&tree));
        return tree;
    }

    static EditorDrops* current_;
    const BareTree& floor_;
    UINT_PTR timer_ = 0;
    bool done_ = false;
    bool moved_ = false;
    std::vector<double> within_;
    std::vector<double> across_;
    std::vector<double> floorTimes_;
};

EditorDrops* EditorDrops::current_ = nullptr;

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_editor_drop");
    if (!library)
        return kSetupError;
    TemplateFolder many;
    WriteManyEntries(many);
    ProfileKey::DeleteModuleKey();
    std::vector<double> within, across, floorTimes;
    bool moved = false;
    {
        const BareTree bare;
        EditorDrops editor(bare);
        // The moves are unsaved: Cancel asks, and is answered Yes.
        const tarvel::uitest::MessageBoxAnswerer discard("Autotext");
        library->ShowAutotextEditor(nullptr, many.Path().c_str());
        within = editor.WithinLanguage();
        across = editor.AcrossLanguages();
        floorTimes = editor.Floor();
        moved = editor.Moved();
    }
    ProfileKey::DeleteModuleKey();
    if (within.empty() || across.empty() || !moved ||
        std::find(floorTimes.begin(), floorTimes.end(), 0.0) != floorTimes.end()) {
        std::fprintf(stderr, "bench_editor_drop: the editor did not open or its drops did not move their entries\n");
        return kSetupError;
    }
    const Spread floor = SpreadOf(floorTimes);
    std::printf(
        "%d drops of each kind in a tree of %d x %d entries, each followed by a move in the bare tree "
        "(low / median / high)\n",
        kDrops, kLanguages, kEntriesPerLanguage);
    std::printf("floor, move one item and walk all:  %8.3f / %8.3f / %8.3f ms\n", floor.low, floor.median, floor.high);
    const std::pair<const char*, Spread> drops[] = {{"editor drop within a language:     ", SpreadOf(within)},
                                                    {"editor drop onto another language: ", SpreadOf(across)}};
    for (const auto& [name, spread] : drops) {
        std::printf("%s%8.3f / %8.3f / %8.3f ms, ratio of medians %.2f (target %.1f)\n", name, spread.low,
                    spread.median, spread.high, spread.median / floor.median, kTargetRatio);
    }
    return 0;
}
