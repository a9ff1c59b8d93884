// Reordering entries by dragging them in the expansion tree with the real
// pointer of the virtual display: where a drop puts an entry, what the next
// save writes, how a drag scrolls, opens roots, and is abandoned.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateText.h"
#include "tests/editor/XPointer.h"

#include <functional>
#include <vector>

namespace tarvel::uitest {
namespace {

using Labels = std::vector<std::string>;
using ItemOf = std::function<HTREEITEM(EditorWindow&)>;

constexpr UINT_PTR kScrollTimer = 1;
constexpr UINT_PTR kHoverTimer = 2;
// Far enough for the tree to take a press and a move for a drag.
constexpr LONG kDragStartDistance = 12;

ItemOf Entry(const char* root, size_t index) {
    return [root, index](EditorWindow& window) { return window.Child(root, index); };
}

ItemOf RootItem(const char* root) {
    return [root](EditorWindow& window) { return window.Root(root); };
}

POINT OnScreen(const EditorWindow& window, POINT inTree) {
    ::ClientToScreen(window.Tree(), &inTree);
    return inTree;
}

POINT LabelCenter(const EditorWindow& window, HTREEITEM item) {
    const RECT label = window.LabelRect(item);
    return OnScreen(window, {(label.left + label.right) / 2, (label.top + label.bottom) / 2});
}

bool TreeHasCapture(EditorWindow& window) { return ::GetCapture() == window.Tree(); }

HTREEITEM DropTarget(const EditorWindow& window) { return TreeView_GetDropHilight(window.Tree()); }

// By the items' looks: the tree view names the pressed item as drop target
// even when its parent refused the drag.
bool AnyItemMarkedAsDropTarget(const EditorWindow& window) {
    for (HTREEITEM root : window.Roots()) {
        std::vector<HTREEITEM> items = window.Children(root);
        items.push_back(root);
        for (HTREEITEM item : items) {
            if (TreeView_GetItemState(window.Tree(), item, TVIS_DROPHILITED) & TVIS_DROPHILITED) {
                return true;
            }
        }
    }
    return false;
}

// Two presses closer in time would make a double click.
constexpr DWORD kBetweenPresses = 700;

class DragAndDrop : public EditorTest {
protected:
    // A script that stopped halfway leaves no button held for the next test.
    void TearDown() override {
        XPointer::Release(XPointer::kLeftButton);
        EditorTest::TearDown();
    }

    // Presses the left button on the item and moves on until the drag runs.
    static void StartDrag(DialogScript& script, ItemOf item) {
        script
            .Do("rest beside the tree",
                [](EditorWindow& window) { ASSERT_TRUE(XPointer::MoveTo(BesideTreeOnScreen(window))); })
            .WaitUntil("nothing to cover the dragged item",
                       [item](EditorWindow& window) { return TreeIsUnder(window, LabelCenter(window, item(window))); })
            .Do("press on the dragged item",
                [item](EditorWindow& window) {
                    ASSERT_TRUE(XPointer::MoveTo(LabelCenter(window, item(window))));
                    ASSERT_TRUE(XPointer::Press(XPointer::kLeftButton));
                })
            .Do("move away from it",
                [item](EditorWindow& window) {
                    POINT point = LabelCenter(window, item(window));
                    point.x += kDragStartDistance;
                    ASSERT_TRUE(XPointer::MoveTo(point));
                })
            .WaitUntil("the drag to start", TreeHasCapture);
    }

    static void MoveOnto(DialogScript& script, ItemOf target) {
        script
            .Do("move onto the target",
                [target](EditorWindow& window) { ASSERT_TRUE(XPointer::MoveTo(LabelCenter(window, target(window)))); })
            .WaitUntil("the target marked",
                       [target](EditorWindow& window) { return DropTarget(window) == target(window); });
    }

    static void Release(DialogScript& script) {
        script.Do("release the button", [](EditorWindow&) { ASSERT_TRUE(XPointer::Release(XPointer::kLeftButton)); })
            .WaitUntil("the drag to end", [](EditorWindow& window) { return !TreeHasCapture(window); });
    }

    static void Expand(DialogScript& script, std::vector<const char*> roots) {
        script.Do("expand the roots", [roots](EditorWindow& window) {
            for (const char* root : roots) {
                TreeView_Expand(window.Tree(), window.Root(root), TVE_EXPAND);
            }
        });
    }
};

TEST_F(DragAndDrop, TheThirdEntryDroppedOnTheFirstBecomesTheSecondAndStaysRed) {
    WriteSampleTemplates();
    Labels cpp;
    bool applyEnabled = false;
    int red = 0;
    DialogScript script;
    script.Do("change the third entry's description", [](EditorWindow& window) {
        window.Select(window.Child("C++", 2));
        window.ReplaceText(IDC_DESCRIPTION, "moved and changed");
        window.SendCommand(IDC_APPLY);
    });
    StartDrag(script, Entry("C++", 2));
    MoveOnto(script, Entry("C++", 0));
    Release(script);
    script
        .Do("look",
            [&](EditorWindow& window) {
                cpp = window.Labels(window.Children(window.Root("C++")));
                applyEnabled = window.IsEnabled(IDC_APPLY);
                window.Focus(IDC_TITLE);
                red = RedPixelsOf(window, window.Child("C++", 1));
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(cpp, (Labels{"fori", "file header", "cls"}));
    EXPECT_TRUE(applyEnabled) << "the new order is not saved yet";
    EXPECT_GT(red, 0) << "the moved entry keeps its mark";
    EXPECT_EQ(folder_.Read("cpp.tpl"),
              TemplateRecord("for loop", "fori", "for (int i = 0; i < n; ++i) {\n    $end$\n}", "A counting loop.") +
                  TemplateRecord("file header", "", "// $FILE$", "moved and changed") +
                  TemplateRecord("class declaration", "cls", "class $Name$ {\n};"));
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 0);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 1);
}

// Dropped between two entries that a filter shows, an entry lands between
// them in the real order too; the hidden entries keep their places.
TEST_F(DragAndDrop, ADropWhileFilteredLandsAfterTheTargetInTheRealOrder) {
    WriteOddAndEvenTemplates();
    Labels shown;
    DialogScript script;
    script.Do("filter", [](EditorWindow& window) { window.ReplaceText(IDC_TREE_FILTER, "odd"); });
    StartDrag(script, Entry("HTML (3)", 0));
    MoveOnto(script, Entry("HTML (3)", 1));
    Release(script);
    script.Do("look", [&](EditorWindow& window) { shown = window.Labels(window.Children(window.Root("HTML (3)"))); })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(shown, (Labels{"a3", "a1", "a5"}));
    EXPECT_EQ(folder_.Read("html.tpl"), OddAndEvenRecord(0) + OddAndEvenRecord(2) + OddAndEvenRecord(3) +
                                            OddAndEvenRecord(1) + OddAndEvenRecord(4) + OddAndEvenRecord(5) +
                                            OddAndEvenRecord(6));
}

TEST_F(DragAndDrop, AnEntryDroppedOnAnotherLanguagesRootMovesIntoItsFile) {
    WriteSampleTemplates();
    Labels java, cs;
    DialogScript script;
    Expand(script, {"C#"});
    StartDrag(script, Entry("C#", 0));
    MoveOnto(script, RootItem("Java"));
    Release(script);
    script
        .Do("look",
            [&](EditorWindow& window) {
                java = window.Labels(window.Children(window.Root("Java")));
                cs = window.Labels(window.Children(window.Root("C#")));
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(java, (Labels{"psvm", "prop"}));
    EXPECT_EQ(cs, Labels{});
    EXPECT_EQ(folder_.Read("java.tpl"), SampleFile("java.tpl") + SampleFile("cs.tpl"));
    EXPECT_EQ(folder_.Read("cs.tpl"), std::string());
    // The restore point names the entry in its new language.
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 3);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 1);
}

TEST_F(DragAndDrop, DroppingOnItselfOrOnEmptySpaceMovesNothing) {
    WriteSampleTemplates();
    Labels afterItself, afterEmptySpace;
    bool applyEnabled = true;
    DialogScript script;
    StartDrag(script, Entry("C++", 1));
    MoveOnto(script, Entry("C++", 1));
    Release(script);
    script.Do("look", [&](EditorWindow& window) { afterItself = window.Labels(window.Children(window.Root("C++"))); });
    script.Pause(kBetweenPresses);
    StartDrag(script, Entry("C++", 1));
    script.Do("move below the last item", [](EditorWindow& window) {
        const RECT client = [&] {
            RECT rect{};
            ::GetClientRect(window.Tree(), &rect);
            return rect;
        }();
        ASSERT_TRUE(XPointer::MoveTo(OnScreen(window, {client.right / 2, client.bottom - 20})));
    });
    script.Pause(200);
    Release(script);
    script
        .Do("look",
            [&](EditorWindow& window) {
                afterEmptySpace = window.Labels(window.Children(window.Root("C++")));
                applyEnabled = window.IsEnabled(IDC_APPLY);
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    const Labels unchanged{"fori", "cls", "file header"};
    EXPECT_EQ(afterItself, unchanged);
    EXPECT_EQ(afterEmptySpace, unchanged);
    EXPECT_FALSE(applyEnabled);
}

TEST_F(DragAndDrop, RestingOnACollapsedRootForASecondOpensAndSelectsIt) {
    WriteSampleTemplates();
    bool expandedEarly = true;
    bool expanded = false;
    std::string selected;
    Labels perl;
    int redAfterEditMidDrag = -1;
    DialogScript script;
    StartDrag(script, Entry("C++", 0));
    // An edit while a drag runs goes into the entry but colours nothing.
    script.Do("edit the dragged entry mid-drag",
              [](EditorWindow& window) { window.ReplaceText(IDC_DESCRIPTION, "edited mid-drag"); });
    MoveOnto(script, RootItem("Perl"));
    script.Do("look at once", [&](EditorWindow& window) { expandedEarly = window.IsExpanded(window.Root("Perl")); });
    script.Pause(1500);
    script.Do("look after a second", [&](EditorWindow& window) {
        expanded = window.IsExpanded(window.Root("Perl"));
        selected = window.Label(window.SelectedItem());
    });
    MoveOnto(script, RootItem("Perl"));
    Release(script);
    script
        .Do("look",
            [&](EditorWindow& window) {
                perl = window.Labels(window.Children(window.Root("Perl")));
                window.Focus(IDC_TITLE);
                redAfterEditMidDrag = RedPixelsOf(window, window.Child("Perl", 1));
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(redAfterEditMidDrag, 0);
    EXPECT_FALSE(expandedEarly);
    EXPECT_TRUE(expanded);
    EXPECT_EQ(selected, "Perl");
    EXPECT_EQ(perl, (Labels{"sub", "fori"}));
    // Closed with the moved entry selected: second of "Perl".
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kRootNode), 5);
    EXPECT_EQ(ProfileKey::ReadInt(ProfileKey::kBranchNode), 1);
}

// A root that opens at the bottom of the view would scroll its entries into
// sight and bring another item under the resting pointer, while the mark
// stayed on the root: the drop goes where the mark shows.
TEST_F(DragAndDrop, ARootOpenedAtTheBottomStaysUnderThePointerAndTakesTheDrop) {
    // More entries under VB than the view shows: opened, VB goes to the top.
    constexpr int kEntries = 30;
    std::string cpp;
    std::string vb;
    Labels expected;
    for (int i = 0; i < kEntries; ++i) {
        cpp += TemplateRecord("entry " + std::to_string(i), "c" + std::to_string(i), "code");
        vb += TemplateRecord("entry " + std::to_string(i), "v" + std::to_string(i), "code");
        expected.push_back("v" + std::to_string(i));
    }
    expected.push_back("c" + std::to_string(kEntries - 1));
    folder_.Write("cpp.tpl", cpp);
    folder_.Write("vb.tpl", vb);
    std::string underPointer;
    std::string marked;
    Labels vbAfter;
    DialogScript script;
    script.Do("open C++ and show VB on the last row", [](EditorWindow& window) {
        TreeView_Expand(window.Tree(), window.Root("C++"), TVE_EXPAND);
        TreeView_EnsureVisible(window.Tree(), window.Root("VB"));
    });
    StartDrag(script, Entry("C++", kEntries - 1));
    MoveOnto(script, RootItem("VB"));
    script
        .WaitUntil(
            "VB to open", [](EditorWindow& window) { return window.IsExpanded(window.Root("VB")); }, 3000)
        .Do("look under the pointer", [&](EditorWindow& window) {
            TVHITTESTINFO hit{};
            ::GetCursorPos(&hit.pt);
            ::ScreenToClient(window.Tree(), &hit.pt);
            underPointer = window.Label(TreeView_HitTest(window.Tree(), &hit));
            marked = window.Label(DropTarget(window));
        });
    Release(script);
    script.Do("read VB", [&](EditorWindow& window) { vbAfter = window.Labels(window.Children(window.Root("VB"))); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(underPointer, "VB");
    EXPECT_EQ(marked, "VB");
    EXPECT_EQ(vbAfter, expected);
}

// A preview balloon would cover the drop targets and, kept up after the drop,
// show a picture of the tree as it was before the root opened.
TEST_F(DragAndDrop, NoPreviewShowsWhileAnEntryIsDragged) {
    constexpr DWORD kPastPreviewDelay = 1500;
    WriteSampleTemplates();
    bool balloonDuringDrag = true;
    DialogScript script;
    StartDrag(script, Entry("C++", 0));
    MoveOnto(script, RootItem("Java"));
    script.Pause(kPastPreviewDelay).Do("look for a balloon", [&](EditorWindow&) {
        balloonDuringDrag = EditorWindow::VisibleBalloon() != nullptr;
    });
    Release(script);
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_FALSE(balloonDuringDrag);
}

TEST_F(DragAndDrop, EscapeAbandonsTheDragAndLeavesNothingBehind) {
    WriteSampleTemplates();
    struct Left {
        bool capture = true, scrollTimer = true, hoverTimer = true, dropMark = true;
    } left;
    Labels cpp;
    DialogScript script;
    // The selected item takes no drop mark in some tree views.
    script.Do("select a root", [](EditorWindow& window) { window.Select(window.Root("Java")); });
    StartDrag(script, Entry("C++", 2));
    MoveOnto(script, Entry("C++", 0));
    // Tab moves no focus away from a drag, so Escape still reaches it.
    script.Do("press Tab", [](EditorWindow& window) { window.PostKeyDown(VK_TAB); })
        .Do("press Escape", [](EditorWindow& window) { window.PostKeyDown(VK_ESCAPE); })
        .Do("look",
            [&](EditorWindow& window) {
                left.capture = TreeHasCapture(window);
                left.dropMark = AnyItemMarkedAsDropTarget(window);
                // A timer that still ran is stopped here, and the test says so.
                left.scrollTimer = ::KillTimer(window.Tree(), kScrollTimer) != FALSE;
                left.hoverTimer = ::KillTimer(window.Tree(), kHoverTimer) != FALSE;
            })
        .Do("release the button on the target",
            [](EditorWindow&) { ASSERT_TRUE(XPointer::Release(XPointer::kLeftButton)); });
    script.Pause(200);
    script.Do("look", [&](EditorWindow& window) { cpp = window.Labels(window.Children(window.Root("C++"))); })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK) << "Escape ended the drag, not the editor";
    EXPECT_FALSE(left.capture);
    EXPECT_FALSE(left.scrollTimer);
    EXPECT_FALSE(left.hoverTimer);
    EXPECT_FALSE(left.dropMark);
    EXPECT_EQ(cpp, (Labels{"fori", "cls", "file header"}));
    EXPECT_EQ(folder_.Read("cpp.tpl"), SampleFile("cpp.tpl"));
}

// The entry keys wait for the drag to end: a Delete mid-drag would free the
// dragged item under the drag, an Insert would add an item beneath it.
TEST_F(DragAndDrop, EntryKeysChangeNothingWhileADragRuns) {
    WriteSampleTemplates();
    Labels cpp;
    bool applyEnabled = true;
    DialogScript script;
    script.Do("select the dragged entry", [](EditorWindow& window) { window.Select(window.Child("C++", 2)); });
    StartDrag(script, Entry("C++", 2));
    MoveOnto(script, Entry("C++", 0));
    script.Do("press Insert", [](EditorWindow& window) { window.PostKeyDown(VK_INSERT); })
        .Do("press Delete", [](EditorWindow& window) { window.PostKeyDown(VK_DELETE); })
        .Do("press Escape", [](EditorWindow& window) { window.PostKeyDown(VK_ESCAPE); })
        .Do("release the button", [](EditorWindow&) { ASSERT_TRUE(XPointer::Release(XPointer::kLeftButton)); });
    script.Pause(200);
    script
        .Do("look",
            [&](EditorWindow& window) {
                cpp = window.Labels(window.Children(window.Root("C++")));
                applyEnabled = window.IsEnabled(IDC_APPLY);
            })
        .Do("press Cancel", [](EditorWindow& window) { window.SendCommand(IDCANCEL); });
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(cpp, (Labels{"fori", "cls", "file header"}));
    EXPECT_FALSE(applyEnabled);
}

TEST_F(DragAndDrop, RootsCannotBeDragged) {
    WriteSampleTemplates();
    bool dragged = true;
    Labels roots;
    DialogScript script;
    script.Do("press on the HTML root", [](EditorWindow& window) {
        ASSERT_TRUE(XPointer::MoveTo(LabelCenter(window, window.Root("HTML"))));
        ASSERT_TRUE(XPointer::Press(XPointer::kLeftButton));
    });
    script.Do("move onto the C# root",
              [](EditorWindow& window) { ASSERT_TRUE(XPointer::MoveTo(LabelCenter(window, window.Root("C#")))); });
    script.Pause(300);
    script
        .Do("look",
            [&](EditorWindow& window) { dragged = TreeHasCapture(window) || AnyItemMarkedAsDropTarget(window); })
        .Do("release", [](EditorWindow&) { ASSERT_TRUE(XPointer::Release(XPointer::kLeftButton)); });
    script.Pause(200);
    script.Do("read the roots", [&](EditorWindow& window) { roots = window.Labels(window.Roots()); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_FALSE(dragged);
    EXPECT_EQ(roots, Labels(std::begin(kRootLabels), std::end(kRootLabels)));
}

TEST_F(DragAndDrop, HoldingNearTheBottomEdgeScrollsTheTree) {
    std::string text;
    for (int i = 0; i < 60; ++i) {
        text += TemplateRecord("line " + std::to_string(i), "t" + std::to_string(i), "text");
    }
    folder_.Write("txt.tpl", text);
    HTREEITEM firstVisible = nullptr;
    bool scrolled = false;
    DialogScript script;
    script.Do("open Text at the top", [](EditorWindow& window) {
        TreeView_Expand(window.Tree(), window.Root("Text"), TVE_EXPAND);
        TreeView_EnsureVisible(window.Tree(), window.Root("C++"));
    });
    StartDrag(script, Entry("Text", 0));
    script.Do("hold near the bottom edge", [&](EditorWindow& window) {
        firstVisible = TreeView_GetFirstVisible(window.Tree());
        RECT client{};
        ::GetClientRect(window.Tree(), &client);
        ASSERT_TRUE(XPointer::MoveTo(OnScreen(window, {client.right / 2, client.bottom - 4})));
    });
    script.WaitUntil(
        "the tree to scroll",
        [&](EditorWindow& window) {
            scrolled = TreeView_GetFirstVisible(window.Tree()) != firstVisible;
            return scrolled;
        },
        3000);
    script.Do("abandon the drag", [](EditorWindow& window) { window.PostKeyDown(VK_ESCAPE); })
        .Do("release", [](EditorWindow&) { ASSERT_TRUE(XPointer::Release(XPointer::kLeftButton)); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(scrolled);
}

}  // namespace
}  // namespace tarvel::uitest
