#include "tests/widgets/TestSupport.h"
#include "tests/widgets/WidgetTestResources.h"
#include "widgets/CResizableDialog.h"
#include "widgets/CResizablePage.h"
#include "widgets/CToolBar24.h"
#include "widgets/CTreePropSheetBordered.h"
#include "widgets/CTreePropSheetSplitter.h"

#include <gtest/gtest.h>

namespace tarvel {
namespace {

using test::RectIn;
using test::TestModule;
using Orientation = CTreePropSheetSplitter::Orientation;

constexpr int kMinimumPane = 75;
constexpr int kBarWidth = 5;
constexpr int kBottomSpace = 35;

class EditPage : public CResizablePage {
public:
    EditPage() : CResizablePage(TestModule(), IDD_TEST_PAGE) {}

protected:
    BOOL OnInitDialog() override {
        CResizablePage::OnInitDialog();
        AddAnchor(IDC_TEST_PAGE_EDIT, TOP_LEFT, BOTTOM_RIGHT);
        return TRUE;
    }
};

// The editor's arrangement: toolbar on top, tree beside two stacked page
// frames, all inside a resizable dialog.
class LayoutDialog : public CResizableDialog {
public:
    LayoutDialog() : CResizableDialog(TestModule(), IDD_TEST_RESIZABLE) {}

    CToolBar24 toolbar{TestModule()};
    EditPage titlePage, codePage;
    CTreePropSheetBordered titleFrame{TestModule()}, codeFrame{TestModule()};
    CTreePropSheetSplitter outer{TestModule(), 2, Orientation::SideBySide, kMinimumPane, kBarWidth};
    CTreePropSheetSplitter inner{TestModule(), 2, Orientation::Stacked, kMinimumPane, kBarWidth};

protected:
    BOOL OnInitDialog() override {
        CResizableDialog::OnInitDialog();
        toolbar.Create(GetHwnd());
        toolbar.LoadToolBar(IDR_TEST_TOOLBAR);
        const int top = toolbar.StretchToParent();
        titleFrame.AddPage(titlePage);
        codeFrame.AddPage(codePage);
        const RECT none{0, 0, 10, 10};
        titleFrame.Create(GetHwnd(), WS_VISIBLE, 0, none, 0x300);
        codeFrame.Create(GetHwnd(), WS_VISIBLE, 0, none, 0x301);
        const RECT client = GetClientRect();
        outer.Create(GetHwnd(), RECT{0, top, client.right, client.bottom - kBottomSpace}, 0xE900);
        inner.Create(outer.GetHwnd(), outer.GetPaneRect(1), 0xE900);
        outer.SetPane(0, GetItem(IDC_TEST_TREE));
        outer.SetPane(1, inner.GetHwnd());
        inner.SetPane(0, titleFrame.GetHwnd());
        inner.SetPane(1, codeFrame.GetHwnd());
        outer.SetPaneProportions({30, 70});
        inner.SetPaneProportions({45, 55});
        outer.RecalcLayout();
        inner.RecalcLayout();
        AddAnchor(outer.GetHwnd(), TOP_LEFT, BOTTOM_RIGHT);
        AddAnchor(IDOK, BOTTOM_RIGHT);
        return TRUE;
    }

    bool OnMessage(const Message& message, LRESULT& result) override {
        static const MessageMap<LayoutDialog> map = MessageMap<LayoutDialog>().OnSize(&LayoutDialog::OnSize);
        return map.Dispatch(*this, message, result) || CResizableDialog::OnMessage(message, result);
    }

private:
    void OnSize(UINT kind, SIZE size) {
        CResizableDialog::OnSize(kind, size);
        if (toolbar.GetHwnd()) {
            toolbar.StretchToParent();
        }
    }
};

TEST(Composition, SplittersFramesAndPagesFollowTheDialogSize) {
    LayoutDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(nullptr));
    ::ShowWindow(dialog.GetHwnd(), SW_SHOW);
    const HWND hwnd = dialog.GetHwnd();
    const RECT bar = RectIn(dialog.toolbar.GetHwnd(), hwnd);
    const RECT tree = RectIn(dialog.GetItem(IDC_TEST_TREE), hwnd);
    EXPECT_EQ(tree.top, bar.bottom) << "the splitter area starts below the toolbar";
    EXPECT_EQ(tree.left, 0);
    const RECT title = RectIn(dialog.titleFrame.GetHwnd(), hwnd);
    const RECT code = RectIn(dialog.codeFrame.GetHwnd(), hwnd);
    EXPECT_EQ(title.left, tree.right + kBarWidth);
    EXPECT_EQ(code.top, title.bottom + kBarWidth);
    EXPECT_EQ(code.bottom, tree.bottom);
    const RECT client = dialog.GetClientRect();
    EXPECT_EQ(code.bottom, client.bottom - kBottomSpace);
    EXPECT_EQ(code.right, client.right);

    RECT window{};
    ::GetWindowRect(hwnd, &window);
    ::SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left + 200, window.bottom - window.top + 100,
                   SWP_NOMOVE | SWP_NOZORDER);
    const RECT grown = dialog.GetClientRect();
    const RECT codeNow = RectIn(dialog.codeFrame.GetHwnd(), hwnd);
    EXPECT_EQ(codeNow.right, grown.right);
    EXPECT_EQ(codeNow.bottom, grown.bottom - kBottomSpace);
    EXPECT_EQ(RectIn(dialog.toolbar.GetHwnd(), hwnd).right, grown.right) << "the toolbar is stretched";
    const RECT treeNow = RectIn(dialog.GetItem(IDC_TEST_TREE), hwnd);
    EXPECT_NEAR(treeNow.right - treeNow.left, (grown.right - kBarWidth) * 30 / 100, 1) << "30 : 70 kept";
    const RECT edit = RectIn(dialog.codePage.GetItem(IDC_TEST_PAGE_EDIT), dialog.codePage.GetHwnd());
    const RECT page = dialog.codePage.GetClientRect();
    EXPECT_LT(edit.right, page.right);
    EXPECT_GT(edit.right, page.right - 20) << "the page's controls grew with the page";
}

// What a page is asked to do while the dialog holding it runs; a dialog still
// open after the request has been sent a few times ends with IDABORT.
struct PageRequest {
    LayoutDialog* dialog = nullptr;
    UINT message = 0;
    WPARAM wParam = 0;
    int ticks = 0;
};
PageRequest pageRequest;

void CALLBACK SendPageRequest(HWND, UINT, UINT_PTR, DWORD) {
    constexpr int kTicksBeforeGivingUp = 20;
    if (!pageRequest.dialog || !pageRequest.dialog->codePage.GetHwnd()) {
        return;
    }
    if (++pageRequest.ticks > kTicksBeforeGivingUp) {
        pageRequest.dialog->EndModal(IDABORT);
        return;
    }
    ::PostMessageA(pageRequest.dialog->codePage.GetHwnd(), pageRequest.message, pageRequest.wParam, 0);
}

// A page cannot end itself: its close request (a multi-line edit's answer to
// Escape) and its Cancel end the dialog that holds it, as Cancel.
TEST(Composition, APagesCloseRequestAndCancelEndTheDialogThatHoldsIt) {
    const std::pair<UINT, WPARAM> requests[] = {{WM_CLOSE, 0}, {WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)}};
    for (const auto& [message, wParam] : requests) {
        LayoutDialog dialog;
        pageRequest = PageRequest{&dialog, message, wParam, 0};
        const UINT_PTR timer = ::SetTimer(nullptr, 0, USER_TIMER_MINIMUM, SendPageRequest);
        EXPECT_EQ(dialog.DoModal(nullptr), IDCANCEL) << "message " << message;
        ::KillTimer(nullptr, timer);
        EXPECT_EQ(pageRequest.ticks, 1) << "message " << message;
        pageRequest = PageRequest{};
    }
}

}  // namespace
}  // namespace tarvel
