// The tips the product shows, rendered as users see them: the hover preview
// of a code entry with sheet 110 and the three help tips of the title page
// with sheet 109, at the tooltip's default width and at 200 and 300 pixels,
// written as PNG files to look at (into $TARVEL_TIP_PICTURES, else into
// tip-pictures beside the test program), and checked for what looks
// unfinished.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/tooltip/GdiTestCanvas.h"
#include "tooltip/CGdiHtmlPlatform.h"

using namespace tarvel;

namespace {

constexpr int kMargin = 4;
constexpr COLORREF kTipBackground = RGB(255, 255, 255);
const HtmlImageShadow kTipShadow{6, 6, 25, true, 8, 8};
constexpr int kWidths[] = {0, 200, 300};

const char kCode[] =
    "#include <vector>\r\n"
    "// Sums the visible items.\r\n"
    "template <typename T> int Total(const std::vector<T>& items) {\r\n"
    "\tint total = 0;\r\n"
    "\tfor (std::size_t i = 0; i <items.size(); ++i)\r\n"
    "\t\tif (items[i].visible && items[i].value > 0) total += items[i].value; // $selected$\r\n"
    "\treturn total;\r\n"
    "}\r\n";

std::string PreviewMarkup() {
    std::string escaped;
    for (const char c : std::string(kCode))
        escaped += c == '<' ? std::string("&lt;") : std::string(1, c);
    return "<table><tr><td><icon idres=144 width=0 height=0></td><td>" + escaped + "</td></tr></table>";
}

struct HelpTip {
    const char* name;
    UINT text;
    const char* option;
    bool separator;
    int bitmap;
};

constexpr HelpTip kHelpTips[] = {
    {"title", 104, "autotextTitle", true, 146},
    {"shortcut", 105, "autotextShortcut", false, 144},
    {"description", 106, "autotextShortcut", false, 144},
};

// As the tooltip's help-tip builder writes it.
std::string HelpTipMarkup(const HelpTip& tip) {
    const std::string text = LoadResourceString(::GetModuleHandleA(nullptr), tip.text);
    const std::string address = std::string("https://www.example.com/support/tooltip.html?option=") + tip.option;
    const char* const separator = tip.separator ? "<br><hr width=\"100%\" color=green></td></tr><tr><td></td><td>"
                                                : "</td></tr><tr><td></td><td>";
    char markup[1024];
    std::snprintf(markup, sizeof markup,
                  "<table><tr><td><center><icon idres=1076 style=s></center></td>"
                  "%s<td>%s<br><a href=%s>More...</a>%s<bmp idres=%d mask=0x%X style=s></td></tr></table>",
                  "", text.c_str(), address.c_str(), separator, tip.bitmap, 0xFFFFFFu);
    return markup;
}

std::string PictureFolder() {
    if (const char* folder = std::getenv("TARVEL_TIP_PICTURES"); folder && *folder)
        return std::string(folder) + "\\";
    char program[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string folder(program);
    folder = folder.substr(0, folder.find_last_of("\\/") + 1) + "tip-pictures";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    return folder + "\\";
}

bool Overlap(const HtmlRect& a, const HtmlRect& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

// Renders the markup on a tip-coloured canvas, saves it, and checks that it
// keeps to the width, that nothing leaves the laid-out size and that no
// image (with its shadow) covers text.
void RenderAndCheck(const std::string& name, const std::string& sheet, const std::string& markup, int maxWidth) {
    SCOPED_TRACE(name);
    CPPHtmlDrawer drawer(::GetModuleHandleA(nullptr));
    drawer.SetCssStyles(sheet);
    drawer.SetImageShadow(kTipShadow);
    GdiTestCanvas probe(1, 1);
    const SIZE size = drawer.PrepareOutput(probe.Dc(), markup, maxWidth);
    GdiTestCanvas canvas(size.cx + 2 * kMargin, size.cy + 2 * kMargin);
    canvas.Draw(drawer, markup, kMargin, kMargin, maxWidth);
    EXPECT_TRUE(canvas.SavePng(PictureFolder() + name + ".png"));
    if (maxWidth > 0) {
        EXPECT_LE(size.cx, maxWidth);
    }
    const HtmlDisplayList& list = drawer.DisplayList();
    const HtmlRect whole = MakeRect(0, 0, size.cx, size.cy);
    for (const HtmlDisplayItem& textItem : list.items) {
        const auto* run = std::get_if<HtmlTextRun>(&textItem);
        if (!run)
            continue;
        EXPECT_GE(run->box.left, 0) << run->text;
        EXPECT_LE(run->box.right, whole.right) << run->text;
        EXPECT_LE(run->box.bottom, whole.bottom) << run->text;
        for (const HtmlDisplayItem& item : list.items)
            if (const auto* image = std::get_if<HtmlImage>(&item)) {
                HtmlRect shadowed = image->box;
                if (image->style & kImageShadow) {
                    shadowed.right += kTipShadow.offsetX;
                    shadowed.bottom += kTipShadow.offsetY;
                }
                EXPECT_FALSE(Overlap(shadowed, run->box)) << "an image covers " << run->text;
            }
    }
}

std::string Sheet(UINT id) { return LoadResourceString(::GetModuleHandleA(nullptr), id); }

std::string Suffix(int width) { return width > 0 ? "-" + std::to_string(width) : "-default"; }

TEST(TipPictures, HoverPreviewOfACodeEntry) {
    for (const int width : kWidths)
        RenderAndCheck("preview" + Suffix(width), Sheet(110), PreviewMarkup(), width);
}

TEST(TipPictures, HelpTipsOfTheTitlePage) {
    for (const HelpTip& tip : kHelpTips)
        for (const int width : kWidths)
            RenderAndCheck(std::string("help-") + tip.name + Suffix(width), Sheet(109), HelpTipMarkup(tip), width);
}

TEST(TipPictures, EveryFeatureOnOneSheet) {
    const std::string markup =
        "<h2>Heading</h2><br><font style=o>Overline</font> <u>under</u> <s>struck</s> <i>italic</i> <b>bold</b><br>"
        "<justify>Justified text spreads its words over the whole line until the last line.</justify><br>"
        "<pre>two\tstops\tand\ttabs</pre><br>"
        "<span class=cpp-comment>// a comment</span> <code>code()</code> x<sub>1</sub> y<sup>2</sup> "
        "<big>big</big> <small>small</small><br>"
        "<table border=1><tr><td>default</td><td>border</td></tr></table>"
        "<bmp idres=146 mask=0xFFFFFF width=50% height=50%> <bmp idres=146 mask=0xFFFFFF style=s> "
        "<icon idres=144> <a href=x>a link</a><br>"
        "Before <span class=box>a boxed run that wraps over lines</span> after.";
    const std::string sheet = Sheet(109) +
                              "\n.box {border-width:1px; border-style:solid; border-color:#8080c0; padding:2px; "
                              "margin:3px; background-color:#eeeeff}";
    for (const int width : kWidths)
        RenderAndCheck("features" + Suffix(width), sheet, markup, width);
}

TEST(TipPictures, CornersOfTheMarkup) {
    const std::pair<const char*, std::string> corners[] = {
        {"scaled-image-list",
         "<ilst idres=204 cx=24 cy=24 mask=0xFF00FF index=0 width=48 height=48> "
         "<ilst idres=204 cx=24 cy=24 mask=0xFF00FF index=1 width=12 height=12>"},
        {"table-words", "<table border=1 cellpadding=2><tr><td>Short</td><td>" + std::string(55, 'W') +
                            "</td><td>x</td></tr></table><table><tr><td><table width=100% border=1><tr><td "
                            "width=40%>Percentages keep words</td><td width=60%>beside room to spare</td></tr>"
                            "</table></td></tr></table>"},
        {"wrapped-code",
         "<font face=\"Lucida Console\">{\r\n\t\t\t\treturn items[i].visible &amp;&amp; "
         "items[i].value &gt; 0;   \r\n\t}   \r\nend</font>"},
        {"tab-in-cell", "<table border=1><tr><td>key\tvalue</td></tr><tr><td>shortcut\tAlt+T</td></tr></table>"},
        {"image-in-box", "Before <span class=box>an image <bmp idres=146 mask=0xFFFFFF> inside</span> after."},
        {"backgrounds",
         "<font bkgnd=#ffff80>Water is H<sub>2</sub>O, E = mc<sup>2</sup> and <big>big</big> "
         "<font bkgnd=#ffc0c0>inner</font> text</font>"},
        {"lines",
         "<s>struck <big>big</big> sub<sub>2</sub></s> <font style=o>over <big>BIG</big></font> "
         "<u>under <big>big</big> text</u>"},
        {"wide-rule", "<hr width=500><table width=100% border=1><tr><td>A table beside a wide rule</td></tr></table>"},
        {"rules-only", "<hr><hr size=3 color=red>"},
    };
    const std::string sheet = Sheet(109) +
                              "\n.box {border-width:1px; border-style:solid; border-color:#8080c0; "
                              "padding:2px; margin:3px; background-color:#eeeeff}";
    for (const auto& [name, markup] : corners)
        for (const int width : kWidths)
            RenderAndCheck(std::string("corner-") + name + Suffix(width), sheet, markup, width);
}

}  // namespace
