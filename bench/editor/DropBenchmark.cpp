// A drop in the editor's tree of 8 x 1,000 entries, within a language and
// onto another language's root, from the tree's begin-drag notification
// through the mouse's move and release to the first idle moment, against a
// bare tree of the same items and images in a window of its own that does
// what the drop must: the item moved (re-created and the old one deleted),
// the target root opened, the moved item shown and selected, and the
// positions of the entries under the one or two roots it touched renumbered.
// Rounds interleave the sides and alternate which goes first.
#include <windows.h>
#include <commctrl.h>

#include "bench/editor/BareTree.h"
#include "bench/editor/IdleCancel.h"
#include "bench/support/Comparison.h"
#include "bench/support/ModuleUnderTest.h"
#include "bench/support/Win32Bench.h"
#include "host/TarvelLibrary.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/MessageBoxAnswerer.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

namespace {

using namespace tarvel;
using namespace tarvel::bench;
using namespace tarvel::uitest;

constexpr int kLanguages = 8;
constexpr int kEntriesPerLanguage = 1000;
constexpr int kDropsPerRound = 3;
constexpr double kTarget = 1.5;
constexpr int kTreeId = 1020;
// Within a language the entry dragged and the one it is dropped on, near the
// top of the first language; across languages an entry of the last language
// dropped on the root before it.
constexpr int kCppRoot = 0;
constexpr int kTextRoot = 6;
constexpr int kVbRoot = 7;
constexpr int kDraggedIndex = 5;
constexpr int kTargetIndex = 1;

void WriteEntries(const TemplateFolder& folder) {
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
    for (int i = 0; item != nullptr && i < n; ++i)
        item = TreeView_GetNextSibling(tree, item);
    return item;
}

int ChildCount(HWND tree, HTREEITEM parent) {
    int count = 0;
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        ++count;
    return count;
}

POINT LabelCenter(HWND tree, HTREEITEM item) {
    RECT rect{};
    TreeView_GetItemRect(tree, item, &rect, TRUE);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

// Where an entry stands: what the renumbering keeps up to date.
struct Position {
    int language = 0;
    int ordinal = 0;
};

// The floor: a shown bare tree of the same items and images.
class BareTree {
public:
    BareTree(HMODULE module, SIZE size) : positions_(kLanguages * kEntriesPerLanguage) {
        frame_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "floor", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                                   nullptr, nullptr, nullptr, nullptr);
        tree_ = ::CreateWindowExA(0, WC_TREEVIEWA, "", kBareTreeStyle, 0, 0, size.cx, size.cy, frame_, nullptr, nullptr,
                                  nullptr);
        images_ = LoadTreeImages(module);
        TreeView_SetImageList(tree_, images_, TVSIL_NORMAL);
        for (int language = 0; language < kLanguages; ++language)
            roots_.push_back(AppendItem(tree_, TVI_ROOT, kRootLabels[language], kRootImage, kRootImage, language));
        for (int language = 0; language < kLanguages; ++language) {
            for (int index = 0; index < kEntriesPerLanguage; ++index) {
                const std::string label = "s" + std::to_string(language) + "_" + std::to_string(index);
                const int entry = language * kEntriesPerLanguage + index;
                positions_[static_cast<size_t>(entry)] = {language, index};
                AppendItem(tree_, roots_[static_cast<size_t>(language)], label.c_str(), kEntryImage, kSelectedEntryImage,
                           reinterpret_cast<LPARAM>(&positions_[static_cast<size_t>(entry)]));
            }
        }
    }
    ~BareTree() {
        ::DestroyWindow(frame_);
        ImageList_Destroy(images_);
    }
    BareTree(const BareTree&) = delete;
    BareTree& operator=(const BareTree&) = delete;

    HWND Tree() const { return tree_; }
    HTREEITEM Root(int language) const { return roots_[static_cast<size_t>(language)]; }

    // Milliseconds for one move to the first idle moment after it.
    double Move(HTREEITEM dragged, HTREEITEM target) {
        const Stopwatch watch;
        const HTREEITEM oldRoot = TreeView_GetParent(tree_, dragged);
        const HTREEITEM targetParent = TreeView_GetParent(tree_, target);
        const HTREEITEM newRoot = targetParent != nullptr ? targetParent : target;
        TreeView_Expand(tree_, newRoot, TVE_EXPAND);
        char text[64] = {};
        TVINSERTSTRUCTA insert{};
        insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        insert.item.hItem = dragged;
        insert.item.pszText = text;
        insert.item.cchTextMax = sizeof text;
        TreeView_GetItem(tree_, &insert.item);
        insert.hParent = newRoot;
        insert.hInsertAfter = targetParent != nullptr ? target : TVI_LAST;
        const HTREEITEM moved = TreeView_InsertItem(tree_, &insert);
        TreeView_DeleteItem(tree_, dragged);
        TreeView_EnsureVisible(tree_, moved);
        TreeView_SelectItem(tree_, moved);
        Renumber(oldRoot);
        if (newRoot != oldRoot)
            Renumber(newRoot);
        RunUntilIdle();
        return watch.Milliseconds();
    }

private:
    void Renumber(HTREEITEM root) {
        TVITEMA rootData{};
        rootData.mask = TVIF_PARAM;
        rootData.hItem = root;
        TreeView_GetItem(tree_, &rootData);
        int ordinal = 0;
        for (HTREEITEM child = TreeView_GetChild(tree_, root); child; child = TreeView_GetNextSibling(tree_, child)) {
            TVITEMA data{};
            data.mask = TVIF_PARAM;
            data.hItem = child;
            TreeView_GetItem(tree_, &data);
            auto* position = reinterpret_cast<Position*>(data.lParam);
            position->language = static_cast<int>(rootData.lParam);
            position->ordinal = ordinal++;
        }
    }

    HWND frame_ = nullptr;
    HWND tree_ = nullptr;
    HIMAGELIST images_ = nullptr;
    std::vector<HTREEITEM> roots_;
    std::vector<Position> positions_;
};

// One drop as the tree control and the mouse deliver it: the begin-drag
// notification to the dialog, the mouse moving onto the target, the release;
// milliseconds to the first idle moment after it.
double Drop(HWND dialog, HWND tree, HTREEITEM dragged, HTREEITEM target) {
    const POINT start = LabelCenter(tree, dragged);
    const POINT drop = LabelCenter(tree, target);
    NMTREEVIEWA begin{};
    begin.hdr.hwndFrom = tree;
    begin.hdr.idFrom = kTreeId;
    begin.hdr.code = TVN_BEGINDRAGA;
    begin.itemNew.hItem = dragged;
    begin.ptDrag = start;
    const Stopwatch watch;
    ::SendMessageA(dialog, WM_NOTIFY, kTreeId, reinterpret_cast<LPARAM>(&begin));
    ::SendMessageA(tree, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(drop.x, drop.y));
    ::SendMessageA(tree, WM_LBUTTONUP, 0, MAKELPARAM(drop.x, drop.y));
    RunUntilIdle();
    return watch.Milliseconds();
}

class Measurements {
public:
    Measurements(HMODULE module, int rounds) : module_(module), rounds_(rounds) {}

    // Runs inside the editor's modal loop.
    void Run(HWND editor) {
        const HWND tree = EditorWindow(editor).Control(kTreeId);
        RECT rect{};
        ::GetClientRect(tree, &rect);
        BareTree floor(module_, {rect.right, rect.bottom});
        Prepare(tree, NthChild(tree, TVI_ROOT, kCppRoot));
        Prepare(floor.Tree(), floor.Root(kCppRoot));
        within_.emplace("drop within a language", kTarget);
        const auto withinDrop = [&](HWND into, const auto& drop) {
            const HTREEITEM cpp = NthChild(into, TVI_ROOT, kCppRoot);
            double total = 0;
            for (int n = 0; n < kDropsPerRound; ++n)
                total += drop(NthChild(into, cpp, kDraggedIndex), NthChild(into, cpp, kTargetIndex));
            return total / kDropsPerRound;
        };
        const bool withinDone = Interleave(
            *within_, rounds_,
            [&] { return withinDrop(tree, [&](HTREEITEM from, HTREEITEM to) { return Drop(editor, tree, from, to); }); },
            [&] {
                return withinDrop(floor.Tree(), [&](HTREEITEM from, HTREEITEM to) { return floor.Move(from, to); });
            });
        across_.emplace("drop onto another language", kTarget);
        const auto acrossDrop = [&](HWND into, const auto& drop) {
            const HTREEITEM text = NthChild(into, TVI_ROOT, kTextRoot);
            const HTREEITEM vb = NthChild(into, TVI_ROOT, kVbRoot);
            double total = 0;
            for (int n = 0; n < kDropsPerRound; ++n) {
                PrepareAcross(into, vb, text);
                total += drop(NthChild(into, vb, kDraggedIndex), text);
            }
            return total / kDropsPerRound;
        };
        const bool acrossDone = withinDone && Interleave(
            *across_, rounds_,
            [&] { return acrossDrop(tree, [&](HTREEITEM from, HTREEITEM to) { return Drop(editor, tree, from, to); }); },
            [&] {
                return acrossDrop(floor.Tree(), [&](HTREEITEM from, HTREEITEM to) { return floor.Move(from, to); });
            });
        const int drops = rounds_ * kDropsPerRound;
        moved_ = acrossDone && ChildCount(tree, NthChild(tree, TVI_ROOT, kTextRoot)) == kEntriesPerLanguage + drops &&
                 ChildCount(tree, NthChild(tree, TVI_ROOT, kVbRoot)) == kEntriesPerLanguage - drops;
    }

    // Every drop of the editor moved its entry.
    bool Moved() const { return moved_; }
    void Print() const {
        within_->Print();
        across_->Print();
    }

private:
    // The first language open at the top, as the user sees it.
    static void Prepare(HWND tree, HTREEITEM cpp) {
        TreeView_Expand(tree, cpp, TVE_EXPAND);
        TreeView_EnsureVisible(tree, cpp);
        RunUntilIdle();
    }

    // The last language open below the first's root, the root dropped on
    // closed, as before each drop across.
    static void PrepareAcross(HWND tree, HTREEITEM vb, HTREEITEM text) {
        TreeView_Expand(tree, NthChild(tree, TVI_ROOT, kCppRoot), TVE_COLLAPSE);
        TreeView_Expand(tree, text, TVE_COLLAPSE);
        TreeView_Expand(tree, vb, TVE_EXPAND);
        TreeView_EnsureVisible(tree, NthChild(tree, TVI_ROOT, kCppRoot));
        RunUntilIdle();
    }

    HMODULE module_;
    int rounds_;
    bool moved_ = false;
    std::optional<Comparison> within_;
    std::optional<Comparison> across_;
};

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_editor_drop");
    if (!library)
        return kSetupError;
    TemplateFolder folder;
    WriteEntries(folder);
    const int rounds = Rounds();
    PrintHeader("bench_editor_drop (begin-drag to first idle, per drop)", rounds);
    Measurements measurements(library->Module(), rounds);
    ProfileKey::DeleteModuleKey();
    {
        const IdleCancel inside(IdleCancel::kEditorCaption, [&](HWND dialog) { measurements.Run(dialog); });
        // The edits are unsaved: Cancel asks, and is answered Yes.
        const MessageBoxAnswerer discard("Autotext");
        library->ShowAutotextEditor(nullptr, folder.Path().c_str());
    }
    ProfileKey::DeleteModuleKey();
    if (!measurements.Moved()) {
        std::fprintf(stderr, "bench_editor_drop: the editor did not open or its drops did not move their entries\n");
        return kSetupError;
    }
    measurements.Print();
    return 0;
}
