#include "tests/widgets/TestSupport.h"
#include "tests/widgets/WidgetTestResources.h"
#include "widgets/CResizablePage.h"
#include "widgets/CTreePropSheetBordered.h"
#include "handles/UniqueHandle.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tarvel {
namespace {

using test::RectIn;
using test::TestModule;

class TitlePage : public CResizablePage {
public:
    TitlePage() : CResizablePage(TestModule(), IDD_TEST_PAGE, 135) {}

    std::vector<std::string>* journal = nullptr;
    int activations = 0;

    bool PreTranslateMessage(MSG& message) override {
        if (journal && message.message == WM_APP) {
            journal->push_back("page");
        }
        return CResizablePage::PreTranslateMessage(message);
    }
    bool OnSetActive() override {
        ++activations;
        return true;
    }

protected:
    BOOL OnInitDialog() override {
        CResizablePage::OnInitDialog();
        AddAnchor(IDC_TEST_PAGE_EDIT, TOP_LEFT, TOP_RIGHT);
        return TRUE;
    }
};

std::string TabText(HWND tab, int index) {
    char text[64] = {};
    TCITEMA item = {};
    item.mask = TCIF_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof(text);
    ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return text;
}

struct FrameFixture : ::testing::Test {
    test::TestHost host;
    TitlePage page;
    CTreePropSheetBordered frame{TestModule()};

    void SetUp() override {
        frame.AddPage(page);
        ASSERT_TRUE(frame.Create(host.Get(), WS_VISIBLE, 0, RECT{10, 10, 410, 210}, 0x100));
    }
};

TEST_F(FrameFixture, HostsThePageAsAChildLabelledWithItsCaption) {
    ASSERT_TRUE(page.GetHwnd());
    EXPECT_EQ(::GetParent(page.GetHwnd()), frame.GetHwnd());
    const LONG style = ::GetWindowLongA(page.GetHwnd(), GWL_STYLE);
    EXPECT_TRUE(style & WS_CHILD);
    EXPECT_TRUE(style & DS_CONTROL);
    EXPECT_FALSE(style & WS_CAPTION) << "a page has no frame of its own";
    EXPECT_TRUE(::GetWindowLongA(page.GetHwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(::GetWindowLongA(frame.GetHwnd(), GWL_EXSTYLE) & WS_EX_CONTROLPARENT);
    EXPECT_TRUE(::IsWindowVisible(page.GetHwnd()));
    EXPECT_EQ(page.GetCaption(), "Title");
    EXPECT_EQ(page.GetIconId(), 135u);
    EXPECT_EQ(::SendMessageA(frame.GetTabControl(), TCM_GETITEMCOUNT, 0, 0), 1);
    EXPECT_EQ(TabText(frame.GetTabControl(), 0), "Title");
    EXPECT_EQ(frame.GetActiveIndex(), 0);
    EXPECT_EQ(page.activations, 1);
    EXPECT_FALSE(frame.SetActivePage(1)) << "there is only one page";
    EXPECT_TRUE(frame.SetActivePage(0));
}

TEST_F(FrameFixture, PageFillsTheFrameAndItsAnchorsFollowAResize) {
    const RECT pageRect = frame.GetPageRect();
    const RECT placed = RectIn(page.GetHwnd(), frame.GetHwnd());
    EXPECT_TRUE(::EqualRect(&pageRect, &placed));
    const RECT edit = RectIn(page.GetItem(IDC_TEST_PAGE_EDIT), page.GetHwnd());

    ::SetWindowPos(frame.GetHwnd(), nullptr, 0, 0, 480, 260, SWP_NOMOVE | SWP_NOZORDER);
    const RECT grown = RectIn(page.GetHwnd(), frame.GetHwnd());
    EXPECT_EQ(grown.right - grown.left, placed.right - placed.left + 80);
    EXPECT_EQ(grown.bottom - grown.top, placed.bottom - placed.top + 60);
    const RECT editNow = RectIn(page.GetItem(IDC_TEST_PAGE_EDIT), page.GetHwnd());
    EXPECT_EQ(editNow.left, edit.left);
    EXPECT_EQ(editNow.right, edit.right + 80) << "stretches with the page";
    EXPECT_EQ(editNow.bottom - editNow.top, edit.bottom - edit.top);
}

// A page that keeps its field's text in a member.
class TextPage : public CResizablePage {
public:
    explicit TextPage(UINT iconId) : CResizablePage(TestModule(), IDD_TEST_PAGE, iconId) {}
    std::string text;

protected:
    void DoDataExchange(CDataExchange& exchange) override { exchange.Text(IDC_TEST_PAGE_EDIT, text); }
};

int TabImage(HWND tab, int index) {
    TCITEMA item = {};
    item.mask = TCIF_IMAGE;
    ::SendMessageA(tab, TCM_GETITEMA, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

TEST(PageHost, CaptionsShowThePagesIconsAndLeavingAPageExchangesItsData) {
    test::TestHost host;
    TextPage withIcon(IDI_TEST_PAGE);
    TextPage withoutIcon(0);
    Final<CTreePropSheetBordered> frame(TestModule());
    frame.AddPage(withIcon);
    frame.AddPage(withoutIcon);
    ASSERT_TRUE(frame.Create(host.Get(), WS_VISIBLE, 0, RECT{0, 0, 300, 200}, 1));
    const HWND tab = frame.GetTabControl();
    const auto icons = reinterpret_cast<HIMAGELIST>(::SendMessageA(tab, TCM_GETIMAGELIST, 0, 0));
    ASSERT_NE(icons, nullptr);
    EXPECT_EQ(::ImageList_GetImageCount(icons), 1);
    EXPECT_EQ(TabImage(tab, 0), 0);
    EXPECT_EQ(TabImage(tab, 1), -1) << "a page without an icon has a text-only caption";

    ::SetDlgItemTextA(withIcon.GetHwnd(), IDC_TEST_PAGE_EDIT, "typed");
    ASSERT_TRUE(frame.SetActivePage(1));
    EXPECT_EQ(withIcon.text, "typed");
    EXPECT_FALSE(::IsWindowVisible(withIcon.GetHwnd()));
}

TEST(PageFrame, TheTabsUseTheFontOfTheWindowThatHoldsTheFrame) {
    test::TestHost host;
    UniqueFont font(::CreateFontA(-19, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, "Tahoma"));
    ::SendMessageA(host.Get(), WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), FALSE);
    TitlePage page;
    CTreePropSheetBordered frame(TestModule());
    frame.AddPage(page);
    ASSERT_TRUE(frame.Create(host.Get(), WS_VISIBLE, 0, RECT{0, 0, 300, 200}, 1));
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(frame.GetTabControl(), WM_GETFONT, 0, 0)), font.get());
    frame.DestroyWindow();
}

TEST(PageFrame, MissingPageTemplateFailsTheFrame) {
    test::TestHost host;
    CResizablePage missing(TestModule(), 4343);
    CTreePropSheetBordered frame(TestModule());
    frame.AddPage(missing);
    EXPECT_FALSE(frame.Create(host.Get(), WS_VISIBLE, 0, RECT{0, 0, 100, 100}, 1));
}

// The modal loop walks from the window a message is for up to the dialog.
class HostDialog : public CDialog {
public:
    HostDialog() : CDialog(TestModule(), IDD_TEST_MODAL) {}

    std::vector<std::string> journal;
    TitlePage page;
    CTreePropSheetBordered frame{TestModule()};

    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_APP) {
            journal.push_back("dialog");
            EndModal(IDOK);
            return true;
        }
        return CDialog::PreTranslateMessage(message);
    }

protected:
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        page.journal = &journal;
        frame.AddPage(page);
        frame.Create(GetHwnd(), WS_VISIBLE, 0, RECT{0, 0, 200, 100}, 0x200);
        ::PostMessageA(page.GetItem(IDC_TEST_PAGE_EDIT), WM_APP, 0, 0);
        return TRUE;
    }
};

TEST(PageFrame, MessagesForAPageControlPassThePageBeforeTheDialog) {
    HostDialog dialog;
    EXPECT_EQ(dialog.DoModal(nullptr), IDOK);
    EXPECT_EQ(dialog.journal, (std::vector<std::string>{"page", "dialog"}));
}

}  // namespace
}  // namespace tarvel
