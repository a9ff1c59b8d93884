// The one third-party component, as the module will use it: the Scintilla
// window class from scilexer.dll, a lexer from Lexilla by id, and colouring.
#include <gtest/gtest.h>

#include <windows.h>

#include "tests/app/ProcAddress.h"

#include "ILexer.h"
#include "SciLexer.h"
#include "Scintilla.h"

using namespace tarvel;

namespace {

using CreateLexerFn = Scintilla::ILexer5*(__stdcall*)(const char*);
using LexerNameFromIdFn = const char*(__stdcall*)(int);

TEST(Scilexer, ColorsCppKeywordsThroughLexilla) {
    HMODULE library = LoadLibraryA("scilexer.dll");
    ASSERT_NE(library, nullptr) << "error " << GetLastError();
    auto createLexer = procAddress<CreateLexerFn>(library, "CreateLexer");
    auto lexerNameFromId = procAddress<LexerNameFromIdFn>(library, "LexerNameFromID");
    ASSERT_NE(createLexer, nullptr);
    ASSERT_NE(lexerNameFromId, nullptr);
    EXPECT_STREQ(lexerNameFromId(SCLEX_CPP), "cpp");
    EXPECT_STREQ(lexerNameFromId(SCLEX_HTML), "hypertext");
    EXPECT_STREQ(lexerNameFromId(SCLEX_VB), "vb");

    HWND editor = CreateWindowExA(0, "Scintilla", "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(editor, nullptr) << "error " << GetLastError();
    SendMessageA(editor, SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(createLexer("cpp")));
    SendMessageA(editor, SCI_SETKEYWORDS, 0, reinterpret_cast<LPARAM>("int return"));
    SendMessageA(editor, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("int x;"));
    SendMessageA(editor, SCI_COLOURISE, 0, -1);
    EXPECT_EQ(SendMessageA(editor, SCI_GETSTYLEAT, 0, 0), SCE_C_WORD);
    EXPECT_EQ(SendMessageA(editor, SCI_GETSTYLEAT, 4, 0), SCE_C_IDENTIFIER);
    DestroyWindow(editor);
    FreeLibrary(library);
}

}  // namespace
