// The editing component's wrapper against the real scilexer.dll beside the
// test program: the shared library, direct calls, lexers by id and folding.
#include "tests/widgets/TestSupport.h"
#include "widgets/CScintilla.h"
#include "widgets/ScintillaLibrary.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SciLexer.h"

namespace tarvel {
namespace {

// Hands the editor's notifications to its folding, as the code page does.
class EditorParent : public CWindow {
public:
    CScintilla* editor = nullptr;

protected:
    bool OnMessage(const Message& message, LRESULT& result) override {
        if (message.id == WM_NOTIFY && editor && message.Notify()->hwndFrom == editor->GetHwnd()) {
            editor->HandleEditorNotification(*reinterpret_cast<const SCNotification*>(message.lParam));
        }
        return CWindow::OnMessage(message, result);
    }
};

class ScintillaTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(parent.CreateEx(test::TestModule(), 0, "STATIC", "", WS_POPUP | WS_VISIBLE,
                                    RECT{0, 0, 500, 400}, nullptr, 0));
        ASSERT_TRUE(editor.Create(0, WS_CHILD | WS_VISIBLE, RECT{0, 0, 480, 380}, parent, 1021));
        parent.editor = &editor;
        editor.EnableDirectCalls();
    }
    void TearDown() override { parent.editor = nullptr; }

    Final<EditorParent> parent;
    CScintilla editor;
};

TEST(ScintillaLibrary, IsSharedByItsHoldersAndUnloadedWithTheLast) {
    ASSERT_EQ(ScintillaLibrary::HolderCount(), 0);
    ASSERT_EQ(::GetModuleHandleA(ScintillaLibrary::kFileName), nullptr);
    auto first = std::make_unique<CScintilla>();
    const HMODULE loaded = ScintillaLibrary::Handle();
    ASSERT_NE(loaded, nullptr);
    EXPECT_EQ(::GetModuleHandleA(ScintillaLibrary::kFileName), loaded);
    EXPECT_EQ(ScintillaLibrary::HolderCount(), 1);
    {
        CScintilla second;
        EXPECT_EQ(ScintillaLibrary::HolderCount(), 2);
        EXPECT_EQ(ScintillaLibrary::Handle(), loaded) << "loaded once";
    }
    EXPECT_EQ(ScintillaLibrary::HolderCount(), 1);
    EXPECT_EQ(::GetModuleHandleA(ScintillaLibrary::kFileName), loaded) << "the first still holds it";
    first.reset();
    EXPECT_EQ(ScintillaLibrary::HolderCount(), 0);
    EXPECT_EQ(ScintillaLibrary::Handle(), nullptr);
    EXPECT_EQ(::GetModuleHandleA(ScintillaLibrary::kFileName), nullptr);
}

TEST(ScintillaLibrary, IsLookedForInTheFolderOfThisCode) {
    wchar_t program[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring expected(program);
    expected.erase(expected.find_last_of(L'\\') + 1);
    EXPECT_EQ(ScintillaLibrary::ModuleDirectory(), expected);
}

TEST(Scintilla, WithoutAWindowEveryMessageAnswersZero) {
    CScintilla editor;
    EXPECT_FALSE(editor.HasDirectCalls());
    editor.EnableDirectCalls();
    EXPECT_FALSE(editor.HasDirectCalls());
    EXPECT_EQ(editor.Send(SCI_GETLENGTH), 0);
    EXPECT_EQ(editor.GetWholeText(), "");
}

TEST_F(ScintillaTest, DirectCallsReachTheWindowItWasCreatedFor) {
    ASSERT_TRUE(editor.HasDirectCalls());
    editor.SetText("one two");
    EXPECT_EQ(editor.GetLength(), 7);
    EXPECT_EQ(::SendMessageA(editor, SCI_GETLENGTH, 0, 0), 7) << "the same document as the window's";
    editor.DestroyWindow();
    EXPECT_FALSE(editor.HasDirectCalls()) << "the direct pointer died with the window";
    EXPECT_EQ(editor.Send(SCI_GETLENGTH), 0);
}

TEST_F(ScintillaTest, LexerIdsBecomeLexillaLexersOfTheSameLibrary) {
    struct Case {
        int id;
        const char* name;
    };
    for (const Case& lexer : std::vector<Case>{{SCLEX_CPP, "cpp"}, {SCLEX_HTML, "hypertext"}, {SCLEX_VB, "vb"},
                                               {SCLEX_PERL, "perl"}, {SCLEX_NULL, "null"}}) {
        editor.SetLexer(lexer.id);
        char name[32] = {};
        editor.Send(SCI_GETLEXERLANGUAGE, 0, reinterpret_cast<LPARAM>(name));
        EXPECT_STREQ(name, lexer.name) << "lexer id " << lexer.id;
    }
}

TEST_F(ScintillaTest, WholeTextKeepsNulBytesAndAnyLength) {
    std::string text("before\0after\r\n", 14);
    text += std::string(100 * 1024, 'x');
    editor.SetWholeText(text);
    EXPECT_EQ(editor.GetLength(), static_cast<int>(text.size()));
    EXPECT_EQ(editor.GetWholeText(), text);
    editor.SetWholeText("");
    EXPECT_EQ(editor.GetWholeText(), "");
}

// ---- folding in the fold margin ----------------------------------------------

constexpr const char* kFoldedCode =
    "int main() {\r\n"        // 0 header
    "    if (ready) {\r\n"    // 1 nested header
    "        run();\r\n"      // 2
    "    }\r\n"               // 3
    "    return 0;\r\n"       // 4
    "}\r\n"                   // 5
    "void stop() {\r\n"       // 6 header
    "    halt();\r\n"         // 7
    "}";                      // 8

class FoldingTest : public ScintillaTest {
protected:
    void SetUp() override {
        ScintillaTest::SetUp();
        editor.SetLexer(SCLEX_CPP);
        editor.SetProperty("fold", "1");
        editor.SetMarginWidthN(0, 0);
        editor.SetMarginWidthN(1, 0);
        editor.SetMarginTypeN(CScintilla::kFoldMargin, SC_MARGIN_SYMBOL);
        editor.SetMarginMaskN(CScintilla::kFoldMargin, static_cast<int>(SC_MASK_FOLDERS));
        editor.SetMarginWidthN(CScintilla::kFoldMargin, 14);
        editor.SetMarginSensitiveN(CScintilla::kFoldMargin, true);
        editor.SetText(kFoldedCode);
        editor.Colorize(0, -1);
    }

    // A real click in the fold margin beside the line, with the mouse keys' modifiers.
    void ClickFoldMargin(int line, WPARAM modifiers = 0) {
        const auto start = editor.Send(SCI_POSITIONFROMLINE, line);
        const int y = static_cast<int>(editor.Send(SCI_POINTYFROMPOSITION, 0, start)) + 3;
        const LPARAM point = MAKELPARAM(7, y);
        ::SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON | modifiers, point);
        ::SendMessageA(editor, WM_LBUTTONUP, modifiers, point);
        // Far apart in time, so that no two clicks make a double click.
        test::PumpFor(::GetDoubleClickTime() + 20);
    }
    std::string Visible() {
        std::string lines;
        for (int line = 0; line < editor.GetLineCount(); ++line) {
            lines += editor.Send(SCI_GETLINEVISIBLE, line) ? 'v' : '-';
        }
        return lines;
    }
    bool Expanded(int line) { return editor.GetFoldExpanded(line); }
};

TEST_F(FoldingTest, FixtureHasTwoTopLevelHeadersAndANestedOne) {
    for (int line : {0, 1, 6}) {
        EXPECT_TRUE(editor.GetFoldLevel(line) & SC_FOLDLEVELHEADERFLAG) << line;
    }
    EXPECT_EQ(editor.GetFoldLevel(1) & SC_FOLDLEVELNUMBERMASK, SC_FOLDLEVELBASE + 1);
    EXPECT_EQ(Visible(), "vvvvvvvvv");
}

TEST_F(FoldingTest, PlainClickTogglesOneHeaderAndClicksElsewhereDoNothing) {
    ClickFoldMargin(0);
    EXPECT_EQ(Visible(), "v-----vvv");
    EXPECT_TRUE(Expanded(1)) << "the nested fold keeps its state";
    ClickFoldMargin(8);
    EXPECT_EQ(Visible(), "v-----vvv") << "not a header";
    ClickFoldMargin(0);
    EXPECT_EQ(Visible(), "vvvvvvvvv");
}

TEST_F(FoldingTest, CtrlClickClosesAHeaderWithItsNestedFoldsAndShiftClickOpensThemAll) {
    ClickFoldMargin(0, MK_CONTROL);
    EXPECT_EQ(Visible(), "v-----vvv");
    EXPECT_FALSE(Expanded(0));
    EXPECT_FALSE(Expanded(1));
    ClickFoldMargin(0, MK_SHIFT);
    EXPECT_EQ(Visible(), "vvvvvvvvv");
    EXPECT_TRUE(Expanded(0));
    EXPECT_TRUE(Expanded(1));
    ClickFoldMargin(0, MK_CONTROL);
    ClickFoldMargin(0, MK_CONTROL);
    EXPECT_EQ(Visible(), "vvvvvvvvv") << "Ctrl on a closed header opens it and everything in it";
    EXPECT_TRUE(Expanded(1));
}

TEST_F(FoldingTest, ShiftCtrlClickClosesEveryTopLevelFoldThenOpensEverything) {
    ClickFoldMargin(1, MK_CONTROL);
    ClickFoldMargin(4, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(Visible(), "v-----v--");
    EXPECT_FALSE(Expanded(0));
    EXPECT_FALSE(Expanded(6));
    ClickFoldMargin(4, MK_SHIFT | MK_CONTROL);
    EXPECT_EQ(Visible(), "vvvvvvvvv") << "the closed nested fold opens as well";
    EXPECT_TRUE(Expanded(1));
}

TEST_F(FoldingTest, ALineThatStopsFoldingShowsTheLinesItHid) {
    ClickFoldMargin(6);
    ASSERT_EQ(Visible(), "vvvvvvv--");
    const auto brace = editor.Send(SCI_GETLINEENDPOSITION, 6) - 1;
    editor.Send(SCI_DELETERANGE, brace, 1);
    editor.Colorize(0, -1);
    EXPECT_FALSE(editor.GetFoldLevel(6) & SC_FOLDLEVELHEADERFLAG);
    EXPECT_EQ(Visible(), "vvvvvvvvv");
}

}  // namespace
}  // namespace tarvel
