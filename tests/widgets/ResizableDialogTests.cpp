#include "tests/widgets/TestSupport.h"
#include "tests/widgets/WidgetTestResources.h"
#include "widgets/CResizableDialog.h"
#include "handles/UniqueHandle.h"
#include "layout/WindowPlacementText.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::TestModule;

constexpr char kPlacementSection[] = "Widget Placement Test";

CProfile TestProfile() { return CProfile("Ambergrove\\Quillon X", "Tarvel"); }

class AnchoredDialog : public CResizableDialog {
public:
    AnchoredDialog() : CResizableDialog(TestModule(), IDD_TEST_RESIZABLE) {}

    RECT initialWindow{};

protected:
    BOOL OnInitDialog() override {
        CResizableDialog::OnInitDialog();
        ::GetWindowRect(GetHwnd(), &initialWindow);
        SetMinTrackSize(
            SIZE{(initialWindow.right - initialWindow.left) / 2 + 100, initialWindow.bottom - initialWindow.top});
        AddAnchor(IDC_TEST_LEFT_BUTTON, BOTTOM_LEFT);
        AddAnchor(IDOK, BOTTOM_RIGHT);
        AddAnchor(IDCANCEL, BOTTOM_RIGHT);
        AddAnchor(IDC_TEST_STRETCH, BOTTOM_LEFT, BOTTOM_RIGHT);
        AddAnchor(IDC_TEST_TREE, TOP_LEFT, BOTTOM_RIGHT);
        AddAnchor(IDC_TEST_TIP, TOP_RIGHT, TOP_RIGHT);
        AddAnchor(IDC_TEST_RIGHT_BUTTON, Anchor{50, 50});
        return TRUE;
    }
};

RECT ChildRect(HWND dialog, int id) { return test::RectIn(::GetDlgItem(dialog, id), dialog); }

SIZE ClientSize(HWND hwnd) {
    RECT client{};
    ::GetClientRect(hwnd, &client);
    return SIZE{client.right, client.bottom};
}

// The size grip among the dialog's children, as the user meets it.
HWND SizeGripOf(HWND dialog) {
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char name[16] = {};
        ::GetClassNameA(child, name, sizeof name);
        if (::lstrcmpiA(name, "ScrollBar") == 0 && (::GetWindowLongA(child, GWL_STYLE) & SBS_SIZEGRIP))
            return child;
    }
    return nullptr;
}

SIZE WindowSize(HWND hwnd) {
    RECT rect{};
    ::GetWindowRect(hwnd, &rect);
    return SIZE{rect.right - rect.left, rect.bottom - rect.top};
}

void Resize(HWND hwnd, int width, int height) {
    ::SetWindowPos(hwnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

struct DialogFixture : ::testing::Test {
    AnchoredDialog dialog;
    void SetUp() override { ASSERT_TRUE(dialog.CreateModeless(nullptr)); }
};

TEST_F(DialogFixture, BecomesResizableWithoutLosingClientSpace) {
    const LONG style = ::GetWindowLongA(dialog.GetHwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_THICKFRAME);
    EXPECT_FALSE(::GetWindowLongA(dialog.GetHwnd(), GWL_EXSTYLE) & WS_EX_DLGMODALFRAME);
    // The Cancel button was laid out 5 dialog units from the right edge; it must still be inside.
    const RECT cancel = ChildRect(dialog.GetHwnd(), IDCANCEL);
    EXPECT_LT(cancel.right, ClientSize(dialog.GetHwnd()).cx);
    EXPECT_LT(cancel.bottom, ClientSize(dialog.GetHwnd()).cy);
}

TEST_F(DialogFixture, AnchoredControlsKeepTheirDistancesWhenResized) {
    const HWND hwnd = dialog.GetHwnd();
    const SIZE before = ClientSize(hwnd);
    const RECT left = ChildRect(hwnd, IDC_TEST_LEFT_BUTTON);
    const RECT ok = ChildRect(hwnd, IDOK);
    const RECT stretch = ChildRect(hwnd, IDC_TEST_STRETCH);
    const RECT tree = ChildRect(hwnd, IDC_TEST_TREE);
    const RECT tip = ChildRect(hwnd, IDC_TEST_TIP);
    const RECT middle = ChildRect(hwnd, IDC_TEST_RIGHT_BUTTON);

    const SIZE window = WindowSize(hwnd);
    Resize(hwnd, window.cx + 120, window.cy + 60);
    const SIZE after = ClientSize(hwnd);
    const int dx = after.cx - before.cx;
    const int dy = after.cy - before.cy;
    ASSERT_EQ(dx, 120);
    ASSERT_EQ(dy, 60);

    const RECT leftNow = ChildRect(hwnd, IDC_TEST_LEFT_BUTTON);
    EXPECT_EQ(leftNow.left, left.left);
    EXPECT_EQ(leftNow.top, left.top + dy) << "bottom-left: same distance to the bottom";
    const RECT okNow = ChildRect(hwnd, IDOK);
    EXPECT_EQ(okNow.left, ok.left + dx);
    EXPECT_EQ(okNow.top, ok.top + dy);
    EXPECT_EQ(okNow.right - okNow.left, ok.right - ok.left) << "no bottom-right anchor: same size";
    const RECT stretchNow = ChildRect(hwnd, IDC_TEST_STRETCH);
    EXPECT_EQ(stretchNow.left, stretch.left);
    EXPECT_EQ(stretchNow.right, stretch.right + dx) << "stretches along the bottom";
    EXPECT_EQ(stretchNow.bottom - stretchNow.top, stretch.bottom - stretch.top);
    const RECT treeNow = ChildRect(hwnd, IDC_TEST_TREE);
    EXPECT_EQ(treeNow.left, tree.left);
    EXPECT_EQ(treeNow.top, tree.top);
    EXPECT_EQ(treeNow.right, tree.right + dx);
    EXPECT_EQ(treeNow.bottom, tree.bottom + dy);
    const RECT tipNow = ChildRect(hwnd, IDC_TEST_TIP);
    EXPECT_EQ(tipNow.left, tip.left + dx) << "top-right: follows the right edge only";
    EXPECT_EQ(tipNow.top, tip.top);
    const RECT middleNow = ChildRect(hwnd, IDC_TEST_RIGHT_BUTTON);
    EXPECT_EQ(middleNow.left, middle.left + dx / 2) << "anchors are percentages";
    EXPECT_EQ(middleNow.top, middle.top + dy / 2);
}

TEST_F(DialogFixture, MinimumTrackSizeHolds) {
    const HWND hwnd = dialog.GetHwnd();
    const SIZE minimum = dialog.GetMinTrackSize();
    EXPECT_EQ(minimum.cx, (dialog.initialWindow.right - dialog.initialWindow.left) / 2 + 100);

    MINMAXINFO info{};
    ::SendMessageA(hwnd, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, minimum.cx);
    EXPECT_EQ(info.ptMinTrackSize.y, minimum.cy);

    Resize(hwnd, 60, 40);
    const SIZE after = WindowSize(hwnd);
    EXPECT_EQ(after.cx, minimum.cx);
    EXPECT_EQ(after.cy, minimum.cy);
}

TEST_F(DialogFixture, SizeGripSitsInTheCornerAndHidesWhenMaximised) {
    const HWND grip = SizeGripOf(dialog.GetHwnd());
    ASSERT_TRUE(grip);
    const SIZE client = ClientSize(dialog.GetHwnd());
    RECT rect{};
    ::GetWindowRect(grip, &rect);
    ::MapWindowPoints(HWND_DESKTOP, dialog.GetHwnd(), reinterpret_cast<POINT*>(&rect), 2);
    EXPECT_EQ(rect.right, client.cx);
    EXPECT_EQ(rect.bottom, client.cy);
    ::SendMessageA(dialog.GetHwnd(), WM_SIZE, SIZE_MAXIMIZED, MAKELPARAM(client.cx, client.cy));
    EXPECT_FALSE(::IsWindowVisible(grip));
    ::SendMessageA(dialog.GetHwnd(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(client.cx, client.cy));
    EXPECT_TRUE(::GetWindowLongA(grip, GWL_STYLE) & WS_VISIBLE);
}

// ---- window placement ------------------------------------------------------

std::string StoredPlacement() { return TestProfile().GetString(kPlacementSection, "WindowPlacement", "none"); }

TEST(WindowPlacement, IsStoredOnDestroyAndRestoredWhenEnabled) {
    {
        AnchoredDialog first;
        ASSERT_TRUE(first.CreateModeless(nullptr));
        first.EnableSaveRestore(TestProfile(), kPlacementSection);
        ::SetWindowPos(first.GetHwnd(), nullptr, 40, 50, 700, 420, SWP_NOZORDER | SWP_NOACTIVATE);
        first.DestroyWindow();
    }
    const auto stored = WindowPlacementText::Parse(StoredPlacement());
    ASSERT_TRUE(stored) << StoredPlacement();
    EXPECT_EQ(stored->left, 40);
    EXPECT_EQ(stored->top, 50);
    EXPECT_EQ(stored->right, 740);
    EXPECT_EQ(stored->bottom, 470);

    AnchoredDialog second;
    ASSERT_TRUE(second.CreateModeless(nullptr));
    second.EnableSaveRestore(TestProfile(), kPlacementSection);
    RECT rect{};
    ::GetWindowRect(second.GetHwnd(), &rect);
    EXPECT_EQ(rect.left, 40);
    EXPECT_EQ(rect.top, 50);
    EXPECT_EQ(rect.right, 740);
    EXPECT_EQ(rect.bottom, 470);
}

TEST(WindowPlacement, ValueWithoutAllSixNumbersIsIgnored) {
    for (const char* malformed : {"30,40,500,400,1", "", "30,40,500,400,1,x", "a,b,c,d,e,f", "30;40;500;400;1;0"}) {
        ASSERT_TRUE(TestProfile().WriteString(kPlacementSection, "WindowPlacement", malformed));
        AnchoredDialog dialog;
        ASSERT_TRUE(dialog.CreateModeless(nullptr));
        RECT before{};
        ::GetWindowRect(dialog.GetHwnd(), &before);
        dialog.EnableSaveRestore(TestProfile(), kPlacementSection);
        RECT after{};
        ::GetWindowRect(dialog.GetHwnd(), &after);
        EXPECT_TRUE(::EqualRect(&before, &after)) << "value \"" << malformed << "\"";
    }
}

TEST(WindowPlacement, MinimisedDialogComesBackRestored) {
    ASSERT_TRUE(TestProfile().WriteString(kPlacementSection, "WindowPlacement", "60,70,660,470,2,0"));
    AnchoredDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    dialog.EnableSaveRestore(TestProfile(), kPlacementSection);
    EXPECT_FALSE(::IsIconic(dialog.GetHwnd()));
    RECT rect{};
    ::GetWindowRect(dialog.GetHwnd(), &rect);
    EXPECT_EQ(rect.left, 60);
    EXPECT_EQ(rect.bottom, 470);
}

}  // namespace
}  // namespace tarvel
