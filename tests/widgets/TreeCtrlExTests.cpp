#include "tests/widgets/TestSupport.h"
#include "widgets/CTreeCtrlEx.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::TestModule;

constexpr COLORREF kRed = RGB(255, 0, 0);

struct TreeFixture : ::testing::Test {
    test::TestHost host;
    CTreeCtrlEx tree;
    HTREEITEM cpp = nullptr;
    HTREEITEM java = nullptr;
    HTREEITEM first = nullptr;
    HTREEITEM second = nullptr;

    void SetUp() override {
        HWND control = ::CreateWindowExA(
            0, WC_TREEVIEWA, "",
            WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS, 0,
            0, 300, 300, host.Get(), nullptr, TestModule(), nullptr);
        ASSERT_TRUE(tree.SubclassWindow(control));
        cpp = tree.InsertItem("C++", 4, 4);
        java = tree.InsertItem("Java", 4, 4);
        first = tree.InsertItem("WWWWWWWWWW first", 0, 1, cpp, TVI_LAST, 0x1234);
        second = tree.InsertItem("WWWWWWWWWW second", 0, 1, cpp, first);
        tree.Expand(cpp);
    }

    // Counts pixels of the colour inside the item's label, as painted on screen.
    int PixelsOf(HTREEITEM item, COLORREF color) {
        ::RedrawWindow(tree.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
        RECT label{};
        EXPECT_TRUE(tree.GetItemRect(item, label, true));
        HDC dc = ::GetDC(tree.GetHwnd());
        int count = 0;
        for (int y = label.top; y < label.bottom; ++y) {
            for (int x = label.left; x < label.right; ++x) {
                count += ::GetPixel(dc, x, y) == color;
            }
        }
        ::ReleaseDC(tree.GetHwnd(), dc);
        return count;
    }
};

TEST_F(TreeFixture, ItemOperationsReachTheControl) {
    EXPECT_EQ(tree.GetCount(), 4u);
    EXPECT_EQ(tree.GetRootItem(), cpp);
    EXPECT_EQ(tree.GetNextSiblingItem(cpp), java);
    EXPECT_EQ(tree.GetChildItem(cpp), first);
    EXPECT_EQ(tree.GetNextSiblingItem(first), second);
    EXPECT_EQ(tree.GetParentItem(second), cpp);
    EXPECT_EQ(tree.GetParentItem(cpp), nullptr);
    EXPECT_EQ(tree.GetItemText(second), "WWWWWWWWWW second");
    EXPECT_TRUE(tree.SetItemText(second, "renamed"));
    EXPECT_EQ(tree.GetItemText(second), "renamed");
    EXPECT_EQ(tree.GetItemData(first), 0x1234);
    int image = -1, selected = -1;
    ASSERT_TRUE(tree.GetItemImage(first, image, selected));
    EXPECT_EQ(image, 0);
    EXPECT_EQ(selected, 1);
    EXPECT_EQ(tree.GetFirstVisibleItem(), cpp);
    EXPECT_EQ(tree.GetNextVisibleItem(cpp), first) << "expanded";

    EXPECT_TRUE(tree.SelectItem(second));
    EXPECT_EQ(tree.GetSelectedItem(), second);
    EXPECT_TRUE(tree.SelectDropTarget(java));
    EXPECT_EQ(tree.GetDropHilightItem(), java);
    EXPECT_TRUE(tree.GetItemState(java, TVIS_DROPHILITED) & TVIS_DROPHILITED);

    RECT row{};
    ASSERT_TRUE(tree.GetItemRect(first, row, false));
    UINT flags = 0;
    EXPECT_EQ(tree.HitTest(POINT{(row.left + row.right) / 2, (row.top + row.bottom) / 2}, &flags), first);
    EXPECT_EQ(tree.HitTest(POINT{5, 290}, &flags), nullptr);
    EXPECT_TRUE(flags & TVHT_NOWHERE);

    EXPECT_TRUE(tree.DeleteItem(second));
    EXPECT_EQ(tree.GetCount(), 3u);
}

TEST_F(TreeFixture, DragRulesRefuseRootsAndDroppingOnItself) {
    struct PlainRules : ITreeDragSite {
    } rules;
    EXPECT_FALSE(rules.CanDragItem(tree, cpp));
    EXPECT_TRUE(rules.CanDragItem(tree, first));
    EXPECT_FALSE(rules.CanDropOn(tree, first, first));
    EXPECT_TRUE(rules.CanDropOn(tree, first, second));
    EXPECT_TRUE(rules.CanDropOn(tree, first, java)) << "every root takes a drop";
}

TEST_F(TreeFixture, ColorMapKeepsOneRecordPerItem) {
    EXPECT_EQ(tree.GetItemColor(first), Color_Font::kDefaultColor);
    EXPECT_FALSE(tree.HasColorFont(first));
    tree.SetItemColor(first, kRed);
    EXPECT_TRUE(tree.HasColorFont(first));
    EXPECT_EQ(tree.GetItemColor(first), kRed);
    EXPECT_EQ(tree.GetItemColor(second), Color_Font::kDefaultColor);
    LOGFONTA font{};
    EXPECT_FALSE(tree.GetItemFont(first, font)) << "an empty face name means the tree's font";
    LOGFONTA courier{};
    courier.lfHeight = -12;
    lstrcpyA(courier.lfFaceName, "Courier New");
    tree.SetItemFont(first, courier);
    ASSERT_TRUE(tree.GetItemFont(first, font));
    EXPECT_STREQ(font.lfFaceName, "Courier New");
    EXPECT_EQ(tree.GetItemColor(first), kRed) << "setting the font keeps the colour";
}

// The control gives a deleted item's handle to a later item, which must not
// inherit the colour.
TEST_F(TreeFixture, DeletingAnItemDropsItsRecordAndThoseOfItsChildren) {
    tree.SetItemColor(first, kRed);
    tree.SetItemColor(java, kRed);
    ASSERT_TRUE(tree.DeleteItem(first));
    EXPECT_FALSE(tree.HasColorFont(first));
    EXPECT_TRUE(tree.HasColorFont(java));

    tree.SetItemColor(second, kRed);
    ::SendMessageA(tree.GetHwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(cpp));
    EXPECT_FALSE(tree.HasColorFont(second)) << "a child goes with its parent, whoever sends the deletion";

    ::SendMessageA(tree.GetHwnd(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    EXPECT_FALSE(tree.HasColorFont(java));
    const HTREEITEM reused = tree.InsertItem("new", 0, 1);
    EXPECT_FALSE(tree.HasColorFont(reused));
    EXPECT_EQ(tree.GetItemColor(reused), Color_Font::kDefaultColor);
}

TEST_F(TreeFixture, ColoredLabelIsPaintedInItsColorUnlessSelectedInTheFocusedTree) {
    tree.SetItemColor(first, kRed);
    EXPECT_GT(PixelsOf(first, kRed), 10);
    EXPECT_EQ(PixelsOf(second, kRed), 0) << "items without a record keep the system colours";

    tree.SelectItem(first);
    ::SetFocus(tree.GetHwnd());
    ASSERT_EQ(::GetFocus(), tree.GetHwnd());
    EXPECT_EQ(PixelsOf(first, kRed), 0) << "selected in the focused tree: the ordinary selected look";

    ::SetFocus(host.Get());
    EXPECT_GT(PixelsOf(first, kRed), 10) << "selected but the tree has no focus";
}

TEST_F(TreeFixture, PaintingIntoAGivenDcDrawsTheColoredLabelsThere) {
    tree.SetItemColor(first, kRed);
    const RECT client = tree.GetClientRect();
    HDC screen = ::GetDC(tree.GetHwnd());
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.right, client.bottom);
    ::ReleaseDC(tree.GetHwnd(), screen);
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::SendMessageA(tree.GetHwnd(), WM_PAINT, reinterpret_cast<WPARAM>(memory), 0);
    RECT label{};
    ASSERT_TRUE(tree.GetItemRect(first, label, true));
    int red = 0;
    for (int y = label.top; y < label.bottom; ++y) {
        for (int x = label.left; x < label.right; ++x) {
            red += ::GetPixel(memory, x, y) == kRed;
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    EXPECT_GT(red, 10);
}

TEST_F(TreeFixture, BoldItemIsDrawnBoldInItsColor) {
    tree.SetItemColor(first, kRed);
    tree.SetItemColor(second, kRed);
    TVITEMA bold = {};
    bold.mask = TVIF_STATE;
    bold.hItem = second;
    bold.state = TVIS_BOLD;
    bold.stateMask = TVIS_BOLD;
    tree.Send(TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&bold));
    tree.SetItemText(second, "WWWWWWWWWW first");
    EXPECT_GT(PixelsOf(second, kRed), PixelsOf(first, kRed)) << "the same label in weight 700 has more ink";
}

}  // namespace
}  // namespace tarvel
