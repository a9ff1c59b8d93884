#include "tests/widgets/TestSupport.h"
#include "tests/widgets/WidgetTestResources.h"
#include "widgets/CToolBar24.h"
#include "handles/UniqueHandle.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace tarvel {
namespace {

using test::TestModule;

constexpr COLORREF kMagenta = RGB(255, 0, 255);

struct ToolBarFixture : ::testing::Test {
    test::TestHost host;
    CToolBar24 toolbar{TestModule()};

    void SetUp() override {
        ASSERT_TRUE(toolbar.Create(host.Get()));
        ASSERT_TRUE(toolbar.LoadToolBar(IDR_TEST_TOOLBAR));
    }

    std::string TipOf(UINT command) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = nullptr;
        info.hdr.idFrom = command;
        info.hdr.code = TTN_GETDISPINFOA;
        toolbar.Send(WM_NOTIFY, command, reinterpret_cast<LPARAM>(&info));
        return info.lpszText ? info.lpszText : "";
    }

    // What the bar itself holds, as any window asking it sees it.
    int ButtonCount() const { return static_cast<int>(toolbar.Send(TB_BUTTONCOUNT)); }
    // The command of the button at index, 0 for a separator.
    UINT CommandAt(int index) const {
        TBBUTTON button = {};
        if (!toolbar.Send(TB_GETBUTTON, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&button)))
            return 0;
        return (button.fsStyle & BTNS_SEP) ? 0 : static_cast<UINT>(button.idCommand);
    }
    bool IsEnabled(UINT command) const { return toolbar.Send(TB_ISBUTTONENABLED, command) != FALSE; }
    HIMAGELIST Images() const { return reinterpret_cast<HIMAGELIST>(toolbar.Send(TB_GETIMAGELIST)); }
};

TEST_F(ToolBarFixture, ButtonsComeFromTheResourceInItsOrder) {
    EXPECT_EQ(::GetDlgCtrlID(toolbar.GetHwnd()), static_cast<int>(CToolBar24::kFirstBarId));
    ASSERT_EQ(ButtonCount(), 5);
    EXPECT_EQ(CommandAt(0), static_cast<UINT>(ID_TEST_NEW));
    EXPECT_EQ(CommandAt(1), static_cast<UINT>(ID_TEST_SAVE));
    EXPECT_EQ(CommandAt(2), 0u) << "separator";
    EXPECT_EQ(CommandAt(3), static_cast<UINT>(ID_TEST_DUPLICATE));
    EXPECT_EQ(CommandAt(4), static_cast<UINT>(ID_TEST_DELETE));
    int width = 0, height = 0;
    ASSERT_TRUE(::ImageList_GetIconSize(Images(), &width, &height));
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 15);
}

TEST_F(ToolBarFixture, TrueColorImagesReplaceTheResourceBitmap) {
    const HIMAGELIST fromResource = Images();
    ASSERT_TRUE(toolbar.LoadTrueColorImages(IDB_TEST_TOOLBAR24, kMagenta, SIZE{16, 16}));
    HIMAGELIST images = Images();
    ASSERT_TRUE(images);
    EXPECT_NE(images, fromResource);
    EXPECT_EQ(::ImageList_GetImageCount(images), 4);
    int width = 0, height = 0;
    ::ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    IMAGEINFO info = {};
    ASSERT_TRUE(::ImageList_GetImageInfo(images, 0, &info));
    EXPECT_TRUE(info.hbmMask) << "magenta becomes the mask";
    EXPECT_FALSE(toolbar.LoadTrueColorImages(4444, kMagenta, SIZE{16, 16}));
    EXPECT_EQ(Images(), images) << "a missing bitmap keeps the images";
}

TEST_F(ToolBarFixture, ButtonTipIsTheSecondHalfOfTheStringEntry) {
    EXPECT_EQ(TipOf(ID_TEST_NEW), "New (Insert)");
    EXPECT_EQ(TipOf(ID_TEST_SAVE), "Save (Alt-A)");
    EXPECT_EQ(TipOf(ID_TEST_DUPLICATE), "Duplicate (Ctrl-C)");
    EXPECT_EQ(TipOf(ID_TEST_DELETE), "Delete (Delete)") << "an entry without a line break is the tip";
    EXPECT_EQ(TipOf(12345), "");
}

TEST_F(ToolBarFixture, ButtonsEnableAndDisable) {
    EXPECT_TRUE(IsEnabled(ID_TEST_SAVE));
    toolbar.EnableButton(ID_TEST_SAVE, false);
    EXPECT_FALSE(IsEnabled(ID_TEST_SAVE));
    EXPECT_TRUE(IsEnabled(ID_TEST_NEW));
    toolbar.EnableButton(ID_TEST_SAVE, true);
    EXPECT_TRUE(IsEnabled(ID_TEST_SAVE));
}

TEST_F(ToolBarFixture, StretchesAlongTheTopOfItsParent) {
    const int height = toolbar.StretchToParent();
    EXPECT_GT(height, 15);
    RECT bar{};
    ::GetWindowRect(toolbar.GetHwnd(), &bar);
    ::MapWindowPoints(HWND_DESKTOP, host.Get(), reinterpret_cast<POINT*>(&bar), 2);
    RECT client{};
    ::GetClientRect(host.Get(), &client);
    EXPECT_EQ(bar.left, 0);
    EXPECT_EQ(bar.top, 0);
    EXPECT_EQ(bar.right, client.right);
    EXPECT_EQ(bar.bottom - bar.top, height);
}

// A parent that erases its background, as a dialog does.
HWND CreateErasingParent() {
    static const char kClass[] = "TarvelToolBarTestParent";
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = TestModule();
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClass;
    ::RegisterClassA(&windowClass);
    return ::CreateWindowExA(0, kClass, "parent", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10, 10, 600, 400, nullptr, nullptr,
                             TestModule(), nullptr);
}

COLORREF PixelOf(HWND window, POINT point) {
    HDC dc = ::GetDC(window);
    const COLORREF pixel = ::GetPixel(dc, point.x, point.y);
    ::ReleaseDC(window, dc);
    return pixel;
}

void Repaint(HWND window) {
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// A solid control on the bar's strip; the middle of it in the parent.
POINT PlaceSolidControl(HWND parent, int left) {
    constexpr int kTop = 2, kWidth = 100, kHeight = 12;
    ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BLACKRECT, left, kTop, kWidth, kHeight, parent,
                      nullptr, TestModule(), nullptr);
    return POINT{left + kWidth / 2, kTop + kHeight / 2};
}

// Controls placed on the bar's strip (the dialog's company line before the
// bar, others after it) survive every repaint of the parent and of the bar.
TEST(ToolBar24, ControlsOnItsStripStayVisibleAfterRepaints) {
    const UniqueHwnd host(CreateErasingParent());
    ASSERT_TRUE(host);
    const POINT before = PlaceSolidControl(host.get(), 400);
    Repaint(host.get());
    const COLORREF solid = PixelOf(host.get(), before);
    CToolBar24 toolbar(TestModule());
    ASSERT_TRUE(toolbar.Create(host.get()));
    ASSERT_TRUE(toolbar.LoadToolBar(IDR_TEST_TOOLBAR));
    const POINT after = PlaceSolidControl(host.get(), 250);
    for (int stretch = 0; stretch < 2; ++stretch) {
        toolbar.StretchToParent();
        ASSERT_GT(toolbar.GetRectInParent().bottom, before.y);
        Repaint(host.get());
        Repaint(toolbar.GetHwnd());
        EXPECT_EQ(PixelOf(host.get(), before), solid) << "created before the bar, stretch " << stretch;
        EXPECT_EQ(PixelOf(host.get(), after), solid) << "created after the bar, stretch " << stretch;
    }
}

TEST(ToolBar24, MissingResourceIsReported) {
    test::TestHost host;
    CToolBar24 toolbar(TestModule());
    ASSERT_TRUE(toolbar.Create(host.Get()));
    EXPECT_FALSE(toolbar.LoadToolBar(4545));
    EXPECT_EQ(toolbar.Send(TB_BUTTONCOUNT), 0);
}

}  // namespace
}  // namespace tarvel
