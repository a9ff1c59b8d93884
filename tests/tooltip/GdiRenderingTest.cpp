#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "tests/tooltip/GdiTestCanvas.h"

using namespace tarvel;

namespace {

const HtmlTextRun& RunOf(const CPPHtmlDrawer& drawer, std::string_view text) {
    for (const HtmlDisplayItem& item : drawer.DisplayList().items)
        if (const auto* run = std::get_if<HtmlTextRun>(&item); run && run->text == text)
            return *run;
    ADD_FAILURE() << "no run " << text;
    static const HtmlTextRun none;
    return none;
}

LOGFONTA FontOf(const HtmlTextRun& run) {
    LOGFONTA font{};
    ::GetObjectA(reinterpret_cast<HFONT>(run.font), sizeof(font), &font);
    return font;
}

TEST(GdiRendering, TextIsDrawnInItsColorInsideItsRun) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "<font color=red>RRRR</font> <font color=#0000ff>BBBB</font>");
    const RECT red = ToRect(RunOf(drawer, "RRRR").box), blue = ToRect(RunOf(drawer, "BBBB").box);
    EXPECT_GT(canvas.Count(red, Reddish), 10);
    EXPECT_EQ(canvas.Count(red, Bluish), 0);
    EXPECT_GT(canvas.Count(blue, Bluish), 10);
    EXPECT_EQ(canvas.Count(blue, Reddish), 0);
    const RECT inked = canvas.Bounds(canvas.Whole(), NotWhite);
    EXPECT_GE(inked.left, red.left);
    EXPECT_LE(inked.right, blue.right + 1);
}

// A row of the run's box, above or below its baseline, inked all across.
bool CrossedByALine(GdiTestCanvas& canvas, const HtmlTextRun& run, bool belowBaseline) {
    const RECT box = ToRect(run.box);
    const int baseline = box.top + run.ascent;
    for (int y = belowBaseline ? baseline : box.top; y < (belowBaseline ? box.bottom : baseline); ++y)
        if (canvas.Count({box.left, y, box.right, y + 1}, NotWhite) == box.right - box.left)
            return true;
    return false;
}

TEST(GdiRendering, RunsGetTheFontsAndLinesOfTheirStyle) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "a<b>b</b><i>c</i><font face=\"Courier New\" size=24px>d</font><u>ooo</u><s>oo</s> oooo");
    EXPECT_STREQ(FontOf(RunOf(drawer, "a")).lfFaceName, "Verdana");
    EXPECT_EQ(FontOf(RunOf(drawer, "a")).lfHeight, -13);
    EXPECT_EQ(FontOf(RunOf(drawer, "b")).lfWeight, 800);
    EXPECT_TRUE(FontOf(RunOf(drawer, "c")).lfItalic);
    EXPECT_STREQ(FontOf(RunOf(drawer, "d")).lfFaceName, "Courier New");
    EXPECT_EQ(FontOf(RunOf(drawer, "d")).lfHeight, -24);
    EXPECT_TRUE(CrossedByALine(canvas, RunOf(drawer, "ooo"), true)) << "underlined";
    EXPECT_TRUE(CrossedByALine(canvas, RunOf(drawer, "oo"), false)) << "struck out";
    for (const bool below : {true, false})
        EXPECT_FALSE(CrossedByALine(canvas, RunOf(drawer, " oooo"), below));
}

TEST(GdiRendering, MarkupWithManySizesGetsABoundedNumberOfFonts) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    std::string markup;
    for (int size = 1; size <= 3 * static_cast<int>(CHtmlFontCache::kMaxFonts); ++size)
        markup += "<font size=" + std::to_string(size) + "px>x</font>";
    canvas.Draw(drawer, markup);
    std::set<HtmlFontId> fonts;
    for (const HtmlDisplayItem& item : drawer.DisplayList().items)
        if (const auto* run = std::get_if<HtmlTextRun>(&item))
            fonts.insert(run->font);
    EXPECT_LE(fonts.size(), CHtmlFontCache::kMaxFonts + 1);
    canvas.Draw(drawer, "<font size=1000px>a</font>");
    EXPECT_EQ(FontOf(RunOf(drawer, "a")).lfHeight, -1000);
}

TEST(GdiRendering, OverlineStandsJustAboveItsLettersNotOnTheLineAbove) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "gjpq<br><font style=o color=red bkgnd=#00ff00>HH</font><br><font color=red>HH</font>");
    const HtmlRect box = RunOf(drawer, "HH").box;
    const auto redRow = [&](int y) {
        return canvas.Count({box.left, y, box.right, y + 1}, Reddish) >= box.Width() - 1;
    };
    int overline = box.top;
    while (overline < box.bottom && !redRow(overline))
        ++overline;
    const HtmlRect plain = std::get<HtmlTextRun>(drawer.DisplayList().items.back()).box;
    const RECT letters = canvas.Bounds(ToRect(plain), NotWhite);
    const int letterTop = letters.top - plain.top + box.top;
    EXPECT_LT(overline, letterTop) << "above the letters";
    EXPECT_GE(overline, letterTop - 2) << "just above them, below the line above";
    EXPECT_EQ(canvas.At(box.right - 1, box.bottom - 1), RGB(0, 255, 0));
}

TEST(GdiRendering, JustifiedTextReachesBothEdges) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "<justify>iii mmmmmmmmmm ii WWWWWWWWWWWW end</justify>", 0, 0, 200);
    const auto& items = drawer.DisplayList().items;
    const auto& first = std::get<HtmlTextRun>(items.at(0));
    ASSERT_GT(first.justify, 0);
    const RECT ink = canvas.Bounds(ToRect(first.box), NotWhite);
    EXPECT_LE(first.box.right - ink.right, 3) << "the letters reach the right edge";
}

TEST(GdiRendering, ABackgroundShowsNoGapWhereATabFalls) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "<pre>ab<t>cd</pre>");
    const HtmlRect ab = RunOf(drawer, "ab").box, cd = RunOf(drawer, "cd").box;
    const int y = ab.top + ab.Height() / 2;
    EXPECT_EQ(canvas.Count({ab.right, y, cd.left, y + 1}, [](COLORREF c) { return c == RGB(0xfb, 0xed, 0xbb); }),
              cd.left - ab.right);
}

TEST(GdiRendering, ABackgroundHasNoHolesBesideSmallerOrBiggerText) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    const SIZE size = canvas.Draw(drawer, "<font bkgnd=#ffff00>a<sub>b</sub><big>C</big>d<sup>e</sup></font>");
    EXPECT_EQ(canvas.Count({0, 0, size.cx, size.cy}, [](COLORREF c) { return c == RGB(255, 255, 255); }), 0);
}

TEST(GdiRendering, MonospaceFacesStayMonospaceWhenMissing) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    for (const char* face : {"Lucida Console", "Courier", "Consolas"}) {
        SCOPED_TRACE(face);
        canvas.Draw(drawer, std::string("<font face=\"") + face + "\">iiii<br>WWWW</font>");
        EXPECT_EQ(RunOf(drawer, "iiii").box.Width(), RunOf(drawer, "WWWW").box.Width());
    }
}

TEST(GdiRendering, DefaultTableBordersShowAllFourSidesOnWhite) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    const SIZE size = canvas.Draw(drawer, "<table border=1><tr><td>x</td></tr></table>");
    const int sides[][4] = {
        {0, 0, size.cx, 1}, {0, 0, 1, size.cy}, {0, size.cy - 1, size.cx, size.cy}, {size.cx - 1, 0, size.cx, size.cy}};
    for (const auto& s : sides) {
        const RECT edge{s[0], s[1], s[2], s[3]};
        EXPECT_EQ(canvas.Count(edge, NotWhite), (edge.right - edge.left) * (edge.bottom - edge.top));
    }
}

TEST(GdiRendering, BordersAndRulesWhereTheLayoutPutThem) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer,
                "<table border=2 bordercolor=red><tr><td bordercolor=blue>x</td></tr></table>"
                "<hr color=green size=2 width=30>");
    const auto& items = drawer.DisplayList().items;
    const HtmlBorder* table = nullptr;
    const HtmlBorder* cell = nullptr;
    const HtmlRule* rule = nullptr;
    for (const auto& item : items) {
        if (const auto* b = std::get_if<HtmlBorder>(&item))
            (table ? cell : table) = b;
        if (const auto* r = std::get_if<HtmlRule>(&item))
            rule = r;
    }
    ASSERT_TRUE(table && cell && rule);
    const HtmlRect t = table->box, c = cell->box, r = rule->box;
    EXPECT_EQ(canvas.At(t.left, t.top + t.Height() / 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(t.left + 1, t.top + t.Height() / 2), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(t.right - 1, t.top + 1), RGB(255, 0, 0));
    EXPECT_EQ(canvas.At(t.left + 2, t.top + t.Height() / 2), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(c.left, c.top + c.Height() / 2), RGB(0, 0, 255));
    EXPECT_EQ(canvas.At(c.right - 1, c.bottom - 1), RGB(0, 0, 255));
    EXPECT_EQ(canvas.Count(ToRect(r), [](COLORREF p) { return p == RGB(0, 128, 0); }), 2 * 30);
    EXPECT_EQ(canvas.At(r.left, r.top - 1), RGB(255, 255, 255));
    EXPECT_EQ(canvas.At(r.right, r.top), RGB(255, 255, 255));
}

TEST(GdiRendering, DottedAndDoubleBordersStayOnTheirBox) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "<table borderstyle=dotted bordercolor=red cellpadding=4><tr><td>x</td></tr></table>", 0, 0);
    const RECT dotted = canvas.Bounds(canvas.Whole(), Reddish);
    const SIZE size{drawer.DisplayList().size.cx, drawer.DisplayList().size.cy};
    EXPECT_EQ(dotted.left, 0);
    EXPECT_EQ(dotted.right, size.cx);
    EXPECT_LT(canvas.Count({0, 0, size.cx, 1}, Reddish), size.cx);
    EXPECT_GT(canvas.Count({0, 0, size.cx, 1}, Reddish), size.cx / 4);
}

TEST(GdiRendering, LinkRectangleMatchesTheDrawnLink) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "see <a href=http://example.invalid/>the link</a> here", 10, 20);
    const RECT inked = canvas.Bounds(canvas.Whole(), Bluish);
    ASSERT_LT(inked.left, inked.right);
    EXPECT_EQ(drawer.LinkAt({inked.left, (inked.top + inked.bottom) / 2}), 0);
    EXPECT_EQ(drawer.LinkAt({inked.right - 1, (inked.top + inked.bottom) / 2}), 0);
    EXPECT_EQ(drawer.LinkAt({inked.left - 4, (inked.top + inked.bottom) / 2}), -1);
    EXPECT_EQ(drawer.LinkAt({inked.right + 4, (inked.top + inked.bottom) / 2}), -1);
    EXPECT_FALSE(drawer.SetLinkCursor({5, 5}));
}

TEST(GdiRendering, HoveringALinkRedrawsItInTheHoverStyle) {
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    canvas.Draw(drawer, "x <a href=u>link</a>");
    const HtmlRect box = RunOf(drawer, "link").box;
    const POINT over{box.left + 2, box.top + 2};
    EXPECT_FALSE(CrossedByALine(canvas, RunOf(drawer, "link"), true));
    EXPECT_FALSE(drawer.IsRedrawNeeded({0, 0}));
    EXPECT_TRUE(drawer.IsRedrawNeeded(over));
    drawer.DrawPreparedOutput(canvas.Dc(), {0, 0, 200, 50});
    EXPECT_TRUE(CrossedByALine(canvas, RunOf(drawer, "link"), true)) << "underlined";
    EXPECT_FALSE(drawer.IsRedrawNeeded(over));
    EXPECT_TRUE(drawer.IsRedrawNeeded({0, 0}));
}

LRESULT CALLBACK RecordLinkText(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_APP + 5) {
        auto* seen = reinterpret_cast<std::string*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
        *seen = reinterpret_cast<const char*>(wParam);
        *seen += '/' + std::to_string(lParam);
        return 0;
    }
    return ::DefWindowProcA(window, message, wParam, lParam);
}

TEST(GdiRendering, ClickOnAMsgLinkSendsTheCallbackWithItsText) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordLinkText;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarvelLinkSink";
    ::RegisterClassA(&wc);
    const HWND sink =
        ::CreateWindowA("TarvelLinkSink", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(sink, nullptr);
    std::string seen;
    ::SetWindowLongPtrA(sink, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&seen));
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    drawer.SetCallbackHyperlink(sink, WM_APP + 5, 7);
    canvas.Draw(drawer, "<a msg=\"hello there\">one</a> <a msg=\"\">two</a> three");
    EXPECT_TRUE(drawer.OnLButtonDown({RunOf(drawer, "one").box.left + 1, 2}));
    EXPECT_EQ(seen, "hello there/7");
    seen.clear();
    EXPECT_TRUE(drawer.OnLButtonDown({RunOf(drawer, "two").box.left + 1, 2}));
    EXPECT_EQ(seen, "");
    EXPECT_FALSE(drawer.OnLButtonDown({RunOf(drawer, " three").box.right - 2, 2}));
    ::DestroyWindow(sink);
}

// A sink that lays the drawer out again before it reads the link's text,
// as a tooltip that redraws on the callback does.
struct RelayingSink {
    CPPHtmlDrawer* drawer;
    HDC dc;
    std::string seen;
};

LRESULT CALLBACK RelayOutThenRead(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_APP + 6)
        return ::DefWindowProcA(window, message, wParam, lParam);
    auto* sink = reinterpret_cast<RelayingSink*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    sink->drawer->PrepareOutput(sink->dc, "<a msg=\"another text of about that length\">y</a>", 0);
    std::vector<std::string> reuse(32, std::string(40, 'X'));
    sink->seen = reinterpret_cast<const char*>(wParam);
    return 0;
}

TEST(GdiRendering, MsgLinkTextOutlivesALayoutDuringTheCallback) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = RelayOutThenRead;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "TarvelRelayingLinkSink";
    ::RegisterClassA(&wc);
    const HWND window =
        ::CreateWindowA(wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    GdiTestCanvas canvas;
    CPPHtmlDrawer drawer;
    RelayingSink sink{&drawer, canvas.Dc(), {}};
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&sink));
    drawer.SetCallbackHyperlink(window, WM_APP + 6, 0);
    canvas.Draw(drawer, "<a msg=\"the text of the message link\">one</a>");
    EXPECT_TRUE(drawer.OnLButtonDown({RunOf(drawer, "one").box.left + 1, 2}));
    EXPECT_EQ(sink.seen, "the text of the message link");
    ::DestroyWindow(window);
}

}  // namespace
