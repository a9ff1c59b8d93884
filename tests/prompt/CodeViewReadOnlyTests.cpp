// The prompt dialog's read-only code page, alone in a page frame.
#include "prompt/CPropPageSnippetCodeReadOnly.h"
#include "pages/EditorSetup.h"
#include "res/resource.h"
#include "widgets/CTreePropSheetBordered.h"
#include "handles/UniqueHandle.h"

#include <gtest/gtest.h>

#include <string>

using namespace tarvel;

namespace {

using tarvel::CScintilla;

HINSTANCE TarvelModule() {
    static const HMODULE module = ::LoadLibraryA("Tarvel.dll");
    return module;
}

RECT RectIn(HWND window, HWND parent) {
    RECT rect{};
    ::GetWindowRect(window, &rect);
    ::MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

class ReadOnlyCodePage : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_NE(TarvelModule(), nullptr);
        host.reset(::CreateWindowExA(0, "STATIC", "sheet", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 640, 400,
                                     nullptr, nullptr, nullptr, nullptr));
        frame.AddPage(page);
        ASSERT_TRUE(frame.Create(host.get(), WS_VISIBLE, 0, RECT{0, 0, 600, 360}, 1));
        ASSERT_TRUE(editor().GetHwnd());
    }
    const CScintilla& editor() const { return page.Editor(); }
    // Code without prompts, shown as the prompt dialog shows it.
    void Show(const std::string& code) { page.ShowPreview({CPropPageSnippetCodeReadOnly::ViewText(code), {}}); }
    // The view's UTF-8 text back in the ANSI code page.
    std::string Text() const {
        const std::string utf8 = editor().GetWholeText();
        std::wstring wide(utf8.size(), L'\0');
        wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()),
                                                              &wide[0], static_cast<int>(wide.size()))));
        std::string ansi(wide.size() * 2, '\0');
        ansi.resize(static_cast<size_t>(::WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(wide.size()),
                                                              &ansi[0], static_cast<int>(ansi.size()), nullptr,
                                                              nullptr)));
        return ansi;
    }

    tarvel::UniqueHwnd host;
    CPropPageSnippetCodeReadOnly page{TarvelModule()};
    tarvel::Final<tarvel::CTreePropSheetBordered> frame{TarvelModule()};
};

TEST_F(ReadOnlyCodePage, IsTheCodePageWithAnEditorOutOfTheTabOrder) {
    EXPECT_EQ(page.GetCaption(), "Code");
    EXPECT_EQ(page.GetIconId(), static_cast<UINT>(IDI_CODE_PAGE));
    HWND view = ::GetDlgItem(page, IDC_CODE_EDITOR);
    ASSERT_EQ(view, editor().GetHwnd());
    char className[32] = {};
    ::GetClassNameA(view, className, sizeof(className));
    EXPECT_STREQ(className, "Scintilla");
    const LONG style = ::GetWindowLongA(view, GWL_STYLE);
    EXPECT_TRUE(::IsWindowVisible(view));
    EXPECT_FALSE(style & WS_TABSTOP);
    EXPECT_TRUE(style & WS_CLIPCHILDREN);
    EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(page, IDC_CODE_PLACEHOLDER)));
    EXPECT_TRUE(editor().HasDirectCalls());
}

TEST_F(ReadOnlyCodePage, FillsThePageInsetAndGrowsWithIt) {
    const RECT client = page.GetClientRect();
    const RECT view = RectIn(editor(), page);
    EXPECT_EQ(view.left, 0);
    EXPECT_EQ(view.top, 5);
    EXPECT_EQ(view.right, client.right - 3);
    EXPECT_EQ(view.bottom, client.bottom - 3);
    ::SetWindowPos(frame, nullptr, 0, 0, 700, 420, SWP_NOMOVE | SWP_NOZORDER);
    const RECT grown = page.GetClientRect();
    ASSERT_GT(grown.right, client.right);
    const RECT viewNow = RectIn(editor(), page);
    EXPECT_EQ(viewNow.right, grown.right - 3);
    EXPECT_EQ(viewNow.bottom, grown.bottom - 3);
}

TEST_F(ReadOnlyCodePage, HasTheCommonEditorSettingsButNoLexerAndAFixedDefaultStyle) {
    struct Setting {
        UINT message;
        WPARAM wParam;
        LRESULT expected;
    };
    for (const Setting& setting : {
             Setting{SCI_GETTABWIDTH, 0, 4}, Setting{SCI_GETCARETLINEBACK, 0, 0x99FFFF},
             Setting{SCI_GETEDGECOLUMN, 0, 80}, Setting{SCI_GETEDGEMODE, 0, EDGE_LINE},
             Setting{SCI_GETEDGECOLOUR, 0, 0x0000FF}, Setting{SCI_GETMARGINTYPEN, 0, SC_MARGIN_NUMBER},
             Setting{SCI_GETMARGINWIDTHN, 0, 22}, Setting{SCI_GETMARGINWIDTHN, 1, 0},
             Setting{SCI_GETMARGINWIDTHN, 2, 14}, Setting{SCI_GETMARGINSENSITIVEN, 2, 1},
             Setting{SCI_GETMARGINMASKN, 2, static_cast<LRESULT>(SC_MASK_FOLDERS)},
             Setting{SCI_STYLEGETBACK, STYLE_LINENUMBER, 0xE1E1E1}, Setting{SCI_STYLEGETSIZE, STYLE_DEFAULT, 10},
             Setting{SCI_STYLEGETCHANGEABLE, STYLE_DEFAULT, 0}, Setting{SCI_STYLEGETEOLFILLED, STYLE_DEFAULT, 1},
             Setting{SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDEROPEN, SC_MARK_BOXMINUS},
             Setting{SCI_MARKERSYMBOLDEFINED, SC_MARKNUM_FOLDERMIDTAIL, SC_MARK_TCORNER},
             Setting{SCI_GETCODEPAGE, 0, SC_CP_UTF8},
             Setting{SCI_STYLEGETCHARACTERSET, STYLE_DEFAULT, tarvel::EditorCharacterSet()}}) {
        EXPECT_EQ(editor().Send(setting.message, setting.wParam), setting.expected)
            << "message " << setting.message << " (" << setting.wParam << ")";
    }
    char font[64] = {};
    editor().Send(SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(font));
    // Lucida Console where the system has it, else another fixed-pitch face.
    const std::string narrow(80, 'i');
    const std::string wide(80, 'M');
    EXPECT_EQ(editor().TextWidth(STYLE_DEFAULT, narrow.c_str()), editor().TextWidth(STYLE_DEFAULT, wide.c_str()))
        << font;
    char lexer[32] = {};
    editor().Send(SCI_GETLEXERLANGUAGE, 0, reinterpret_cast<LPARAM>(lexer));
    EXPECT_STREQ(lexer, "") << "the code is shown uncoloured";
}

TEST_F(ReadOnlyCodePage, ShowsTheCodeAsGivenOneNumberedLinePerLine) {
    Show("");
    EXPECT_EQ(editor().GetLineCount(), 1);
    const std::string code("first\r\n\tsecond \xE9\0\r\nthird", 23);
    Show(code);
    EXPECT_EQ(Text(), code) << "every byte, the NUL and the ANSI accent included";
    EXPECT_EQ(editor().GetLineCount(), 3);
}

TEST_F(ReadOnlyCodePage, ShowsLongCodeFromItsStartWithEveryLineNumberInItsMargin) {
    std::string code;
    for (int line = 1; line <= 200; ++line) {
        code += "line " + std::to_string(line) + "\r\n";
    }
    Show(code);
    EXPECT_EQ(editor().Send(SCI_GETCURRENTPOS), 0);
    EXPECT_EQ(editor().Send(SCI_GETFIRSTVISIBLELINE), 0);
    EXPECT_GT(editor().GetMarginWidthN(0), editor().TextWidth(STYLE_LINENUMBER, "201"));
}

TEST_F(ReadOnlyCodePage, TypingChangesNothing) {
    Show("fixed");
    ::SetFocus(editor());
    ::SendMessageW(editor(), WM_CHAR, L'x', 1);
    ::SendMessageA(editor(), WM_KEYDOWN, VK_DELETE, 0);
    ::SendMessageA(editor(), WM_KEYDOWN, VK_BACK, 0);
    editor().Send(SCI_PASTE);
    editor().Send(SCI_UNDO);
    EXPECT_EQ(Text(), "fixed");
    EXPECT_NE(editor().Send(SCI_GETREADONLY), 0);
}

}  // namespace
