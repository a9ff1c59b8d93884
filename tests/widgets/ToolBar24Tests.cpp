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
};

TEST_F(ToolBarFixture, ButtonsComeFromTheResourceInItsOrder) {
    EXPECT_EQ(::GetDlgCtrlID(toolbar.GetHwnd()), static_cast<int>(CToolBar24::kFirstBarId));
    ASSERT_EQ(toolbar.GetButtonCount(), 5);
    EXPECT_EQ(toolbar.GetCommandId(0), static_cast<UINT>(ID_TEST_NEW));
    EXPECT_EQ(toolbar.GetCommandId(1), static_cast<UINT>(ID_TEST_SAVE));
    EXPECT_EQ(toolbar.GetCommandId(2), 0u) << "separator";
    EXPECT_EQ(toolbar.GetCommandId(3), static_cast<UINT>(ID_TEST_DUPLICATE));
    EXPECT_EQ(toolbar.GetCommandId(4), static_cast<UINT>(ID_TEST_DELETE));
    EXPECT_EQ(toolbar.GetButtonSize().cx, 16);
    EXPECT_EQ(toolbar.GetButtonSize().cy, 15);
}

TEST_F(ToolBarFixture, TrueColorImagesReplaceTheResourceBitmap) {
    ASSERT_TRUE(toolbar.LoadTrueColorImages(IDB_TEST_TOOLBAR24, kMagenta, SIZE{16, 16}));
    HIMAGELIST images = toolbar.GetImageList();
    ASSERT_TRUE(images);
    EXPECT_EQ(reinterpret_cast<HIMAGELIST>(toolbar.Send(TB_GETIMAGELIST)), images);
    EXPECT_EQ(::ImageList_GetImageCount(images), 4);
    int width = 0, height = 0;
    ::ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 16);
    EXPECT_EQ(height, 16);
    IMAGEINFO info = {};
    ASSERT_TRUE(::ImageList_GetImageInfo(images, 0, &info));
    EXPECT_TRUE(info.hbmMask) << "magenta becomes the mask";
    EXPECT_FALSE(toolbar.LoadTrueColorImages(4444, kMagenta, SIZE{16, 16}));
    EXPECT_EQ(toolbar.GetImageList(), images) << "a missing bitmap keeps the images";
}

TEST_F(ToolBarFixture, ButtonTipIsTheSecondHalfOfTheStringEntry) {
    EXPECT_EQ(TipOf(ID_TEST_NEW), "New (Insert)");
    EXPECT_EQ(TipOf(ID_TEST_SAVE), "Save (Alt-A)");
    EXPECT_EQ(TipOf(ID_TEST_DUPLICATE), "Duplicate (Ctrl-C)");
    EXPECT_EQ(TipOf(ID_TEST_DELETE), "Delete (Delete)") << "an entry without a line break is the tip";
    EXPECT_EQ(TipOf(12345), "");
}

TEST_F(ToolBarFixture, ButtonsEnableAndDisable) {
    EXPECT_TRUE(toolbar.IsButtonEnabled(ID_TEST_SAVE));
    toolbar.EnableButton(ID_TEST_SAVE, false);
    EXPECT_FALSE(toolbar.IsButtonEnabled(ID_TEST_SAVE));
    EXPECT_TRUE(toolbar.IsButtonEnabled(ID_TEST_NEW));
    toolbar.EnableButton(ID_TEST_SAVE, true);
    EXPECT_TRUE(toolbar.IsButtonEnabled(ID_TEST_SAVE));
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
    EXPECT_EQ(toolbar.GetButtonCount(), 0);
}

}  // namespace
}  // namespace tarvel
