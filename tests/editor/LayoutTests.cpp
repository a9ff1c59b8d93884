// The editor's layout: its controls where the dialog resource puts them, the
// splitter shares, the anchors when it is resized, its minimum size and the
// window placement kept between calls. Screenshots of the default and the
// resized layout are saved beside the test program for a person to look at.
#include "tests/editor/EditorTest.h"

#include "host/HostPaths.h"
#include "res/resource.h"
#include "tests/editor/DisplayResolution.h"
#include "tests/editor/EditorHost.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/ScreenCapture.h"
#include "tests/editor/TemplateText.h"

#include <windows.h>

#include <array>
#include <cctype>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Scintilla.h"

namespace tarvel::uitest {
namespace {

using Box = std::array<long, 4>;  // left, top, right, bottom

constexpr int kSplitterId = 0xE900;
constexpr int kSplitterBar = 5;
constexpr int kButtonRow = 35;
constexpr int kGrowX = 200;
constexpr int kGrowY = 120;
constexpr DWORD kFadeInTime = 1500;

Box BoxOf(const RECT& rect) { return {rect.left, rect.top, rect.right, rect.bottom}; }
Box Moved(Box box, long dx, long dy) { return {box[0] + dx, box[1] + dy, box[2] + dx, box[3] + dy}; }
long Width(const Box& box) { return box[2] - box[0]; }
long Height(const Box& box) { return box[3] - box[1]; }

Box WindowBox(HWND window) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    return BoxOf(rect);
}

// A rectangle of the dialog resource, in dialog units, as pixels: like the
// dialog manager, position and size are converted each on its own.
Box DialogUnits(HWND dialog, int x, int y, int width, int height) {
    RECT units{x, y, width, height};
    ::MapDialogRect(dialog, &units);
    return {units.left, units.top, units.left + units.right, units.top + units.bottom};
}

Box Shrunk(const Box& box, long by) { return {box[0] + by, box[1], box[2] - by, box[3]}; }
bool Overlap(const Box& a, const Box& b) { return a[0] < b[2] && b[0] < a[2] && a[1] < b[3] && b[1] < a[3]; }

// What the layout test looks at, in the dialog's client coordinates.
struct Layout {
    Box client{};
    Box ok{}, cancel{}, apply{}, previousTip{}, nextTip{}, tipLine{}, companyLine{};
    Box toolbar{}, splitter{}, tree{}, right{}, titleFrame{}, codeFrame{};
};

Layout ReadLayout(const EditorWindow& window) {
    Layout layout;
    layout.client = BoxOf(window.ClientRect());
    layout.ok = BoxOf(window.RectInClient(IDOK));
    layout.cancel = BoxOf(window.RectInClient(IDCANCEL));
    layout.apply = BoxOf(window.RectInClient(IDC_APPLY));
    layout.previousTip = BoxOf(window.RectInClient(IDC_PREVIOUS_TIP));
    layout.nextTip = BoxOf(window.RectInClient(IDC_NEXT_TIP));
    layout.tipLine = BoxOf(window.RectInClient(IDC_TIP_LINE));
    layout.companyLine = BoxOf(window.RectInClient(IDC_COMPANY_LINE));
    layout.toolbar = BoxOf(window.RectInClient(window.Toolbar()));
    HWND outer = ::GetDlgItem(window.Handle(), kSplitterId);
    layout.splitter = BoxOf(window.RectInClient(outer));
    layout.tree = BoxOf(window.RectInClient(window.Tree()));
    layout.right = BoxOf(window.RectInClient(::GetDlgItem(outer, kSplitterId)));
    layout.titleFrame = BoxOf(window.RectInClient(::GetParent(window.PageWithCaption(texts::kTitlePageCaption))));
    layout.codeFrame = BoxOf(window.RectInClient(::GetParent(window.PageWithCaption(texts::kCodePageCaption))));
    return layout;
}

// A pane's share of the space beside the splitter bar, in percent.
double Share(long pane, long other) { return 100.0 * static_cast<double>(pane) / static_cast<double>(pane + other); }

void ExpectSplitterShares(const Layout& layout) {
    EXPECT_EQ(layout.tree[0], layout.splitter[0]);
    EXPECT_EQ(Width(layout.tree) + kSplitterBar + Width(layout.right), Width(layout.splitter));
    EXPECT_NEAR(Share(Width(layout.tree), Width(layout.right)), 30.0, 0.5);
    EXPECT_EQ(Height(layout.titleFrame) + kSplitterBar + Height(layout.codeFrame), Height(layout.right));
    EXPECT_NEAR(Share(Height(layout.titleFrame), Height(layout.codeFrame)), 45.0, 0.5);
    EXPECT_FALSE(Overlap(layout.tree, layout.right));
    EXPECT_FALSE(Overlap(layout.titleFrame, layout.codeFrame));
}

// Pixels of the company line that are not its background: its text shows.
int TextPixelsOfCompanyLine(const EditorWindow& window) {
    ::RedrawWindow(window.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const RECT line = window.RectInClient(IDC_COMPANY_LINE);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    int text = 0;
    for (LONG y = line.top; y < line.bottom; ++y) {
        for (LONG x = line.left; x < line.right; ++x) {
            text += ScreenCapture::PixelAt(window.Handle(), {x, y}) != face;
        }
    }
    return text;
}

// Neither the splitter area nor the controls of the bottom row overlap each
// other, and the company line covers no frame.
void ExpectNothingOverlaps(const Layout& layout) {
    const std::vector<Box> bottomRow{layout.previousTip, layout.nextTip, layout.tipLine,
                                     layout.ok,          layout.cancel,  layout.apply};
    for (size_t i = 0; i < bottomRow.size(); ++i) {
        EXPECT_FALSE(Overlap(bottomRow[i], layout.splitter)) << "bottom row control " << i;
        for (size_t j = i + 1; j < bottomRow.size(); ++j) {
            // The dialog manager rounds position and size each on its own:
            // buttons that touch in dialog units may share a column of pixels.
            EXPECT_FALSE(Overlap(Shrunk(bottomRow[i], 1), bottomRow[j])) << i << " and " << j;
        }
    }
    EXPECT_FALSE(Overlap(layout.companyLine, layout.splitter));
    EXPECT_FALSE(Overlap(layout.companyLine, layout.titleFrame));
}

void SaveScreenshot(const EditorWindow& window, const char* name) {
    ::RedrawWindow(window.Handle(), nullptr, nullptr,
                   RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const std::string path = host::ProgramFolder() + name;
    EXPECT_TRUE(ScreenCapture::SaveWindow(window.Handle(), path)) << path;
}

// The code editor's margins in pixels, and the width of two digits of its
// line numbers.
struct CodeMargins {
    int lineNumbers = 0;
    int fold = 0;
    int lastNumber = 0;  // the width of the last line's number
    int fontPoints = 0;
};

CodeMargins ReadCodeMargins(const EditorWindow& window) {
    HWND editor = window.ControlOfClass("Scintilla");
    const auto send = [editor](UINT message, WPARAM wParam, LPARAM lParam = 0) {
        return static_cast<int>(::SendMessageA(editor, message, wParam, lParam));
    };
    const std::string lastNumber = std::to_string(send(SCI_GETLINECOUNT, 0));
    return {send(SCI_GETMARGINWIDTHN, 0), send(SCI_GETMARGINWIDTHN, 2),
            send(SCI_TEXTWIDTH, STYLE_LINENUMBER, reinterpret_cast<LPARAM>(lastNumber.c_str())),
            send(SCI_STYLEGETSIZE, STYLE_DEFAULT)};
}

using EditorLayout = EditorTest;

TEST_F(EditorLayout, TheDefaultLayoutFollowsTheDialogResource) {
    WriteSampleTemplates();
    Layout layout;
    int companyText = 0;
    std::vector<std::pair<Box, Box>> resourceRects;
    DialogScript script;
    script.Pause(kFadeInTime)
        .Do("read the layout",
            [&](EditorWindow& window) {
                layout = ReadLayout(window);
                const HWND dialog = window.Handle();
                resourceRects = {
                    {layout.client, DialogUnits(dialog, 0, 0, 397, 230)},
                    {layout.ok, DialogUnits(dialog, 234, 213, 50, 14)},
                    {layout.cancel, DialogUnits(dialog, 288, 213, 50, 14)},
                    {layout.apply, DialogUnits(dialog, 342, 213, 50, 14)},
                    {layout.previousTip, DialogUnits(dialog, 5, 213, 15, 14)},
                    {layout.nextTip, DialogUnits(dialog, 20, 213, 17, 14)},
                    {layout.tipLine, DialogUnits(dialog, 39, 210, 192, 19)},
                    {layout.companyLine, DialogUnits(dialog, 243, 1, 150, 11)},
                };
                companyText = TextPixelsOfCompanyLine(window);
                SaveScreenshot(window, "editor-default.bmp");
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);

    for (size_t i = 0; i < resourceRects.size(); ++i) {
        EXPECT_EQ(resourceRects[i].first, resourceRects[i].second) << "rectangle " << i;
    }
    // The line stands on the toolbar's strip; it must stay visible over it.
    EXPECT_GT(companyText, 0);
    EXPECT_EQ(layout.toolbar[0], 0);
    EXPECT_EQ(layout.toolbar[1], 0);
    EXPECT_EQ(layout.toolbar[2], layout.client[2]);
    EXPECT_EQ(layout.splitter, (Box{0, layout.toolbar[3], layout.client[2], layout.client[3] - kButtonRow}));
    ExpectSplitterShares(layout);
    ExpectNothingOverlaps(layout);
}

// The module's manifest, not the host's (this test program has none), picks
// the control library: the tree's class procedure lies in the side-by-side
// comctl32 6, which draws the themed controls the layout is made for.
std::string ModuleHolding(const void* address) {
    HMODULE module = nullptr;
    if (!::GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                              static_cast<const char*>(address), &module))
        return "";
    char path[MAX_PATH] = {};
    ::GetModuleFileNameA(module, path, MAX_PATH);
    std::string lower = path;
    for (auto& c : lower)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return lower;
}

TEST_F(EditorLayout, TheControlsComeFromTheCommonControlsOfTheModuleManifest) {
    WriteSampleTemplates();
    std::string treeLibrary;
    DialogScript script;
    script
        .Do("find the tree's library",
            [&](EditorWindow& window) {
                // The wide query gives the procedure itself, not a thunk.
                const auto procedure = ::GetClassLongPtrW(window.Tree(), GCLP_WNDPROC);
                treeLibrary = ModuleHolding(reinterpret_cast<const void*>(procedure));
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_NE(treeLibrary.find("common-controls"), std::string::npos) << treeLibrary;
    EXPECT_NE(treeLibrary.find("_6."), std::string::npos) << treeLibrary;
}

// Controls grow with the resolution, the toolbar's images do not, so a run at
// a higher resolution checks what the default one cannot.
TEST_F(EditorLayout, NothingOverlapsAtTheResolutionOfTheDisplay) {
    WriteSampleTemplates();
    // Entries of 99 and 1,000 lines, the last one empty.
    const auto lines = [](int count) {
        std::string text;
        for (int line = 1; line < count; ++line) {
            text += "line " + std::to_string(line) + "\n";
        }
        return text;
    };
    folder_.Write("txt.tpl", TemplateRecord("lines", "lines", lines(99)) + TemplateRecord("many", "many", lines(1000)));
    Layout layout;
    CodeMargins margins;
    CodeMargins manyLines;
    int dpi = 0;
    DialogScript script;
    script
        .Do("read the layout",
            [&](EditorWindow& window) {
                window.Select(window.Child("Text", 0));
                layout = ReadLayout(window);
                margins = ReadCodeMargins(window);
                HDC dc = ::GetDC(window.Handle());
                dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
                ::ReleaseDC(window.Handle(), dc);
                SaveScreenshot(window, ("editor-" + std::to_string(dpi) + "dpi.bmp").c_str());
                window.Select(window.Child("Text", 1));
            })
        .Do("read the margins of a long entry", [&](EditorWindow& window) { manyLines = ReadCodeMargins(window); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    if (const char* wanted = std::getenv(kDpiVariable)) {
        ASSERT_EQ(dpi, std::atoi(wanted)) << "the display's resolution was not changed for this run";
    }
    ExpectNothingOverlaps(layout);
    // Scintilla scales its font with the resolution; the margins follow it.
    EXPECT_EQ(margins.fontPoints, 10);
    EXPECT_EQ(margins.lineNumbers, ::MulDiv(22, dpi, 96));
    EXPECT_EQ(margins.fold, ::MulDiv(14, dpi, 96));
    EXPECT_GT(margins.lineNumbers, margins.lastNumber) << "line numbers up to 99 fit their margin";
    EXPECT_GT(manyLines.lineNumbers, manyLines.lastNumber) << "the margin grows for line 1000";
    EXPECT_EQ(manyLines.fold, margins.fold);
}

TEST_F(EditorLayout, NothingOverlapsAtOneAndAHalfTimesTheResolution) {
    if (std::getenv(kDpiVariable)) {
        GTEST_SKIP() << "this is the run at a changed resolution";
    }
    const DisplayResolution resolution(kHigherDpi);
    ASSERT_TRUE(resolution.IsSet());
    EXPECT_EQ(RunThisProgramAt(kHigherDpi, "EditorLayout.NothingOverlapsAtTheResolutionOfTheDisplay"), 0);
}

TEST_F(EditorLayout, ResizingKeepsEveryControlOnItsAnchors) {
    WriteSampleTemplates();
    Layout before, after;
    int companyText = 0;
    DialogScript script;
    script.Pause(kFadeInTime)
        .Do("read the layout and grow the dialog",
            [&](EditorWindow& window) {
                before = ReadLayout(window);
                const Box outside = WindowBox(window.Handle());
                ::SetWindowPos(window.Handle(), nullptr, 0, 0, Width(outside) + kGrowX, Height(outside) + kGrowY,
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            })
        .Pause(kFadeInTime)
        .Do("read the layout again",
            [&](EditorWindow& window) {
                after = ReadLayout(window);
                companyText = TextPixelsOfCompanyLine(window);
                SaveScreenshot(window, "editor-resized.bmp");
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);

    EXPECT_EQ(after.client, (Box{0, 0, before.client[2] + kGrowX, before.client[3] + kGrowY}));
    EXPECT_EQ(after.ok, Moved(before.ok, kGrowX, kGrowY));
    EXPECT_EQ(after.cancel, Moved(before.cancel, kGrowX, kGrowY));
    EXPECT_EQ(after.apply, Moved(before.apply, kGrowX, kGrowY));
    EXPECT_EQ(after.previousTip, Moved(before.previousTip, 0, kGrowY));
    EXPECT_EQ(after.nextTip, Moved(before.nextTip, 0, kGrowY));
    EXPECT_EQ(after.tipLine, (Box{before.tipLine[0], before.tipLine[1] + kGrowY, before.tipLine[2] + kGrowX,
                                  before.tipLine[3] + kGrowY}));
    EXPECT_EQ(after.companyLine, Moved(before.companyLine, kGrowX, 0));
    EXPECT_GT(companyText, 0);
    EXPECT_EQ(after.toolbar[2], after.client[2]);
    EXPECT_EQ(after.splitter,
              (Box{before.splitter[0], before.splitter[1], before.splitter[2] + kGrowX, before.splitter[3] + kGrowY}));
    ExpectSplitterShares(after);
}

// The bands of rows that hold text in the tip line, by their pixels.
int TextLinesOfTipLine(const EditorWindow& window) {
    const HWND tipLine = window.Control(IDC_TIP_LINE);
    RECT client{};
    ::GetClientRect(tipLine, &client);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    int bands = 0;
    bool inText = false;
    for (LONG y = 0; y < client.bottom; ++y) {
        bool text = false;
        for (LONG x = 0; x < client.right && !text; ++x) {
            text = ScreenCapture::PixelAt(tipLine, {x, y}) != face;
        }
        bands += text && !inText;
        inText = text;
    }
    return bands;
}

// At the default size the longer tips take a second line instead of losing
// their end.
TEST_F(EditorLayout, ALongTipWrapsOntoASecondLineAtTheDefaultSize) {
    constexpr int kLongTip = 14;
    int shortTipLines = 0;
    int longTipLines = 0;
    DialogScript script;
    script.Pause(kFadeInTime)
        .Do("read the first tip, then step to the long one",
            [&](EditorWindow& window) {
                shortTipLines = TextLinesOfTipLine(window);
                for (int step = 0; step < kLongTip; ++step) {
                    window.SendCommand(IDC_NEXT_TIP);
                }
            })
        .Pause(kFadeInTime)
        .Do("read it",
            [&](EditorWindow& window) {
                longTipLines = TextLinesOfTipLine(window);
                SaveScreenshot(window, "editor-long-tip.bmp");
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(shortTipLines, 1);
    EXPECT_EQ(longTipLines, 2);
}

TEST_F(EditorLayout, TheDialogCannotShrinkBelowItsMinimum) {
    Box initial{}, minimum{}, shrunk{}, narrower{};
    DialogScript script;
    script
        .Do("shrink the dialog",
            [&](EditorWindow& window) {
                initial = WindowBox(window.Handle());
                MINMAXINFO info{};
                ::SendMessageA(window.Handle(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
                minimum = {0, 0, info.ptMinTrackSize.x, info.ptMinTrackSize.y};
                ::SetWindowPos(window.Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
                shrunk = WindowBox(window.Handle());
                ::SetWindowPos(window.Handle(), nullptr, 0, 0, Width(initial) - 50, Height(initial),
                               SWP_NOMOVE | SWP_NOZORDER);
                narrower = WindowBox(window.Handle());
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    const long minimumWidth = Width(initial) / 2 + 100;
    EXPECT_EQ(minimum, (Box{0, 0, minimumWidth, Height(initial)}));
    EXPECT_EQ(Width(shrunk), minimumWidth);
    EXPECT_EQ(Height(shrunk), Height(initial));
    EXPECT_EQ(Width(narrower), Width(initial) - 50);
}

TEST_F(EditorLayout, ThePlacementIsSavedRestoredAndIgnoredWhenItDoesNotParse) {
    const auto openAndMeasure = [this](const std::function<void(EditorWindow&)>& change = {}) {
        Box seen{};
        DialogScript script;
        script
            .Do("measure",
                [&](EditorWindow& window) {
                    seen = WindowBox(window.Handle());
                    if (change) {
                        change(window);
                    }
                })
            .Do("press Cancel", PressCancel);
        EXPECT_EQ(OpenEditor(script), IDCANCEL);
        return seen;
    };
    const Box standard = openAndMeasure();
    const Box moved{40, 50, 40 + Width(standard) + 60, 50 + Height(standard) + 30};
    openAndMeasure([&](EditorWindow& window) {
        ::SetWindowPos(window.Handle(), nullptr, moved[0], moved[1], Width(moved), Height(moved), SWP_NOZORDER);
    });
    char expected[128];
    std::snprintf(expected, sizeof expected, "%ld,%ld,%ld,%ld,%d,%d", moved[0], moved[1], moved[2], moved[3],
                  SW_SHOWNORMAL, 0);
    EXPECT_EQ(ProfileKey::ReadString(ProfileKey::kWindowPlacement), std::optional<std::string>(expected));
    EXPECT_EQ(openAndMeasure(), moved);

    for (const char* unusable : {"garbage", "40,50,700", "", "40,50,700,500,1"}) {
        ProfileKey::WriteString(ProfileKey::kWindowPlacement, unusable);
        EXPECT_EQ(openAndMeasure(), standard) << '"' << unusable << '"';
    }
}

// Without a stored placement the editor opens centred over its owner, or
// over the work area when it has none (not at the screen's corner).
TEST_F(EditorLayout, TheFirstOpeningIsCenteredOverTheOwnerOrTheWorkArea) {
    const HWND owner = ::CreateWindowExA(0, "STATIC", "owner", WS_POPUP | WS_VISIBLE, 300, 200, 900, 700, nullptr,
                                         nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const Box ownerBox = WindowBox(owner);
    const Box areaBox{workArea.left, workArea.top, workArea.right, workArea.bottom};
    for (const HWND parent : {owner, static_cast<HWND>(nullptr)}) {
        ProfileKey::DeleteModuleKey();
        Box seen{};
        DialogScript script;
        script.Do("measure", [&](EditorWindow& window) { seen = WindowBox(window.Handle()); })
            .Do("press Cancel", PressCancel);
        EXPECT_EQ(script.Run([&] { return EditorHost::ShowAutotextEditor(folder_.Path(), parent); }), IDCANCEL);
        const Box& over = parent ? ownerBox : areaBox;
        EXPECT_NEAR((seen[0] + seen[2]) / 2, (over[0] + over[2]) / 2, 1) << (parent ? "owner" : "work area");
        EXPECT_NEAR((seen[1] + seen[3]) / 2, (over[1] + over[3]) / 2, 1) << (parent ? "owner" : "work area");
    }
    ::DestroyWindow(owner);
}

BOOL CALLBACK CollectLabel(HWND child, LPARAM labels) {
    char className[16] = {};
    ::GetClassNameA(child, className, sizeof className);
    if (lstrcmpiA(className, "Static") == 0 && ::GetWindowTextLengthA(child) > 0) {
        reinterpret_cast<std::vector<HWND>*>(labels)->push_back(child);
    }
    return TRUE;
}

int DarkPixelsOf(HWND label) {
    RECT client{};
    ::GetClientRect(label, &client);
    int dark = 0;
    for (LONG y = 0; y < client.bottom; ++y) {
        for (LONG x = 0; x < client.right; ++x) {
            const COLORREF pixel = ScreenCapture::PixelAt(label, {x, y});
            dark += GetRValue(pixel) < 100 && GetGValue(pixel) < 100 && GetBValue(pixel) < 100;
        }
    }
    return dark;
}

// Growing the dialog and shrinking it again leaves every label of the title
// page painted: one layout pass moves the controls and redraws them all.
TEST_F(EditorLayout, LabelsStayPaintedAfterGrowingAndShrinking) {
    WriteSampleTemplates();
    std::vector<std::string> unpainted;
    size_t labelCount = 0;
    Box initial{};
    DialogScript script;
    script
        .Do("grow",
            [&](EditorWindow& window) {
                initial = WindowBox(window.Handle());
                ::SetWindowPos(window.Handle(), nullptr, 0, 0, Width(initial) + kGrowX, Height(initial) + kGrowY,
                               SWP_NOMOVE | SWP_NOZORDER);
            })
        .Pause(200)
        .Do("shrink",
            [&](EditorWindow& window) {
                ::SetWindowPos(window.Handle(), nullptr, 0, 0, Width(initial), Height(initial),
                               SWP_NOMOVE | SWP_NOZORDER);
            })
        .Pause(300)
        .Do("look at the labels",
            [&](EditorWindow& window) {
                std::vector<HWND> labels;
                ::EnumChildWindows(window.PageWithCaption(texts::kTitlePageCaption), CollectLabel,
                                   reinterpret_cast<LPARAM>(&labels));
                labelCount = labels.size();
                for (const HWND label : labels) {
                    if (DarkPixelsOf(label) == 0) {
                        char text[32] = {};
                        ::GetWindowTextA(label, text, sizeof text);
                        unpainted.push_back(text);
                    }
                }
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(labelCount, 3u);
    EXPECT_EQ(unpainted, std::vector<std::string>{});
}

// The two-pixel edges of a window, as the dialog shows them.
std::vector<COLORREF> EdgePixels(const EditorWindow& window, HWND pane) {
    constexpr long kEdge = 2;
    const Box box = BoxOf(window.RectInClient(pane));
    std::vector<COLORREF> pixels;
    for (long y = box[1]; y < box[3]; ++y) {
        for (long x = box[0]; x < box[2]; ++x) {
            const bool onEdge = x < box[0] + kEdge || x >= box[2] - kEdge || y < box[1] + kEdge || y >= box[3] - kEdge;
            if (onEdge) {
                pixels.push_back(ScreenCapture::PixelAt(window.Handle(), {x, y}));
            }
        }
    }
    return pixels;
}

// Dragging the bar between the tree and the pages leaves the panes' sunken
// edges drawn where they now stand, as a full repaint would draw them, not
// the pixels of the pane that stood there before.
TEST_F(EditorLayout, DraggingTheSplitterBarRedrawsTheEdgesOfThePanes) {
    constexpr long kDragLeft = 60;
    WriteSampleTemplates();
    std::vector<std::vector<COLORREF>> afterDrag, repainted;
    long treeWidthBefore = 0;
    long treeWidthAfter = 0;
    const auto codeFrame = [](const EditorWindow& window) {
        return ::GetParent(window.PageWithCaption(texts::kCodePageCaption));
    };
    DialogScript script;
    script.Pause(kFadeInTime)
        .Do("drag the bar to the left",
            [&](EditorWindow& window) {
                HWND outer = ::GetDlgItem(window.Handle(), kSplitterId);
                treeWidthBefore = Width(WindowBox(window.Tree()));
                const LPARAM onBar = MAKELPARAM(treeWidthBefore + kSplitterBar / 2, 40);
                const LPARAM left = MAKELPARAM(treeWidthBefore + kSplitterBar / 2 - kDragLeft, 40);
                ::SendMessageA(outer, WM_LBUTTONDOWN, MK_LBUTTON, onBar);
                ::SendMessageA(outer, WM_MOUSEMOVE, MK_LBUTTON, left);
                ::SendMessageA(outer, WM_LBUTTONUP, 0, left);
            })
        .Pause(300)
        .Do("read the edges, repaint everything and read them again",
            [&](EditorWindow& window) {
                treeWidthAfter = Width(WindowBox(window.Tree()));
                afterDrag = {EdgePixels(window, window.Tree()), EdgePixels(window, codeFrame(window))};
                ::RedrawWindow(window.Handle(), nullptr, nullptr,
                               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
                repainted = {EdgePixels(window, window.Tree()), EdgePixels(window, codeFrame(window))};
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(treeWidthAfter, treeWidthBefore - kDragLeft);
    ASSERT_EQ(afterDrag.size(), 2u);
    EXPECT_TRUE(afterDrag[0] == repainted[0]) << "the tree's edges";
    EXPECT_TRUE(afterDrag[1] == repainted[1]) << "the code frame's edges";
}

// A stored placement off every screen, or larger than it, opens the editor on
// the work area and within it, and closing keeps it there; one that would
// hide the editor is ignored.
TEST_F(EditorLayout, AStoredPlacementOffTheScreenOpensTheEditorOnTheWorkArea) {
    RECT workArea{};
    ::SystemParametersInfoA(SPI_GETWORKAREA, 0, &workArea, 0);
    const Box area = BoxOf(workArea);
    const auto openAndMeasure = [this](const char* stored) {
        ProfileKey::WriteString(ProfileKey::kWindowPlacement, stored);
        Box seen{};
        bool visible = false;
        DialogScript script;
        script
            .Do("measure",
                [&](EditorWindow& window) {
                    seen = WindowBox(window.Handle());
                    visible = ::IsWindowVisible(window.Handle()) != FALSE;
                })
            .Do("press Cancel", PressCancel);
        EXPECT_EQ(OpenEditor(script), IDCANCEL) << stored;
        EXPECT_TRUE(visible) << stored;
        return seen;
    };
    for (const char* stored : {"100000,100000,200000,200000,1,0", "-2147483648,-2147483648,2147483647,2147483647,1,0",
                               "-30000,-30000,-29000,-29300,1,0"}) {
        const Box seen = openAndMeasure(stored);
        EXPECT_TRUE(seen[0] >= area[0] && seen[1] >= area[1] && seen[2] <= area[2] && seen[3] <= area[3])
            << stored << ": " << seen[0] << "," << seen[1] << "," << seen[2] << "," << seen[3];
        const auto kept = ProfileKey::ReadString(ProfileKey::kWindowPlacement);
        ASSERT_TRUE(kept.has_value());
        EXPECT_EQ(std::atol(kept->c_str()), seen[0]) << *kept;
    }
    const Box standard = openAndMeasure("");
    EXPECT_EQ(openAndMeasure("40,50,700,500,0,0"), standard);
}

}  // namespace
}  // namespace tarvel::uitest
