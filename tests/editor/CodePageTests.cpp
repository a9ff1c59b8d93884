// The code page: each entry's code in the code editor, coloured for its
// language; every edit goes into the entry; the context menu's commands and
// reserved variables; Ctrl+S. Driven through the export like a host.
#include "tests/editor/EditorTest.h"

#include "pages/ReservedVariableTable.h"
#include "res/resource.h"
#include "tests/editor/TemplateText.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <functional>
#include <sstream>
#include <vector>

#include "SciLexer.h"
#include "Scintilla.h"

namespace tarvel::uitest {
namespace {

using CodePage = EditorTest;

// The lexer examples that Lexilla carries (tests/data/lexilla).
std::string LexillaExample(const char* name) {
    std::ifstream file(std::string(TARVEL_TEST_DATA_DIR) + "/lexilla/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << file.rdbuf();
    EXPECT_FALSE(bytes.str().empty()) << name;
    return bytes.str();
}

std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text) {
        result += c == '\n' ? std::string("\r\n") : std::string(1, c);
    }
    return result;
}

HWND Editor(const EditorWindow& window) { return window.ControlOfClass("Scintilla"); }
HWND Page(const EditorWindow& window) { return window.PageWithCaption(texts::kCodePageCaption); }

LRESULT Sci(HWND editor, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(editor, message, wParam, lParam);
}

std::string CodeOf(HWND editor) {
    const auto length = static_cast<size_t>(Sci(editor, SCI_GETLENGTH));
    std::string text(length + 1, '\0');
    Sci(editor, SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(length);
    return text;
}

std::string LexerOf(HWND editor) {
    char name[32] = {};
    Sci(editor, SCI_GETLEXERLANGUAGE, 0, reinterpret_cast<LPARAM>(name));
    return name;
}

// A character typed by the user, as the keyboard delivers it.
void Type(HWND editor, wchar_t character) { ::SendMessageW(editor, WM_CHAR, character, 1); }

void Command(const EditorWindow& window, UINT id) { ::SendMessageA(Page(window), WM_COMMAND, id, 0); }

TEST_F(CodePage, EachLanguageShowsItsCodeExactlyWithItsOwnColoring) {
    struct Case {
        const char* root;
        std::string code;
        const char* lexer;
        const char* word;  // a keyword of the code
        int style;         // its style
        COLORREF fore;
    };
    const std::vector<Case> cases{
        {"C++", LexillaExample("x.cxx"), "cpp", "int main", SCE_C_WORD, 0xFF0000},
        {"HTML", LexillaExample("x.html"), "hypertext", "html xmlns", SCE_H_TAG, 0x800000},
        {"Perl", LexillaExample("x.pl"), "perl", "while", SCE_PL_WORD, 0xFF0000},
        {"VB", LexillaExample("x.vb"), "vb", "Dim", SCE_B_KEYWORD, 0xFF0000},
        {"Text", "while <b>plain</b>", "null", "while", 0, 0x000000},
        {"C#", "class A { int b; }", "cpp", "class", SCE_C_WORD, 0xFF0000},
        {"Java", "public static void main", "cpp", "static", SCE_C_WORD, 0xFF0000},
        {"JavaScript", "function f() { return 1; }", "cpp", "return", SCE_C_WORD, 0xFF0000},
    };
    for (size_t language = 0; language < 8; ++language) {
        for (const Case& c : cases) {
            if (kRootLabels[language] == std::string(c.root)) {
                folder_.Write(kTemplateFiles[language], TemplateRecord("example", "ex", c.code));
            }
        }
    }
    size_t shown = 0;
    DialogScript script;
    script.Do("show every language's entry", [&](EditorWindow& window) {
        HWND editor = Editor(window);
        ASSERT_NE(editor, nullptr);
        for (const Case& c : cases) {
            SCOPED_TRACE(c.root);
            window.Select(window.Child(c.root, 0));
            const std::string code = CodeOf(editor);
            EXPECT_EQ(code, WithCrLf(c.code));
            EXPECT_EQ(LexerOf(editor), c.lexer);
            Sci(editor, SCI_COLOURISE, 0, -1);
            const auto at = static_cast<WPARAM>(code.find(c.word) + (c.style == SCE_H_TAG ? 1 : 0));
            const int style = static_cast<int>(Sci(editor, SCI_GETSTYLEAT, at));
            EXPECT_EQ(style, c.style);
            EXPECT_EQ(static_cast<COLORREF>(Sci(editor, SCI_STYLEGETFORE, static_cast<WPARAM>(style))), c.fore);
            EXPECT_EQ(static_cast<COLORREF>(Sci(editor, SCI_STYLEGETBACK, static_cast<WPARAM>(style))), 0xFFFFFFu);
            ++shown;
        }
    });
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(shown, cases.size());
}

// The hypertext lexer takes tag and attribute names from its first list and
// script words from its second; attributes keep their colour whichever
// language was shown before.
TEST_F(CodePage, HtmlAttributesAndScriptKeywordsAreColoredAfterEveryLanguage) {
    WriteSampleTemplates();
    const std::string html = "<p class=\"note\" data-kind=\"x\">\n<script>\nvar n = 1;\n</script>";
    folder_.Write("html.tpl", TemplateRecord("note", "note", html));
    const char* before[] = {"C++", "VB", "Perl", "Text"};
    size_t shown = 0;
    DialogScript script;
    script.Do("show HTML after each language", [&](EditorWindow& window) {
        HWND editor = Editor(window);
        ASSERT_NE(editor, nullptr);
        for (const char* root : before) {
            SCOPED_TRACE(std::string("after ") + root);
            window.Select(window.Child(root, 0));
            window.Select(window.Child("HTML", 0));
            Sci(editor, SCI_COLOURISE, 0, -1);
            const auto styleAt = [&](const char* word) {
                return static_cast<int>(Sci(editor, SCI_GETSTYLEAT, WithCrLf(html).find(word)));
            };
            const auto fore = [&](const char* word) {
                return static_cast<COLORREF>(Sci(editor, SCI_STYLEGETFORE, static_cast<WPARAM>(styleAt(word))));
            };
            EXPECT_EQ(styleAt("class"), SCE_H_ATTRIBUTE);
            EXPECT_EQ(styleAt("var"), SCE_HJ_KEYWORD);
            EXPECT_EQ(fore("class"), 0x808000u);
            EXPECT_EQ(fore("data-kind"), 0x808000u) << "a later attribute looks like a known one";
            ++shown;
        }
    });
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(shown, std::size(before));
}

// Code lines up in columns and the edge stands at column 80 only in a
// fixed-pitch face; the preferred one is missing on many systems.
TEST_F(CodePage, CodeIsShownInAFixedPitchFace) {
    WriteSampleTemplates();
    std::string face;
    LRESULT narrow = 0;
    LRESULT wide = 0;
    DialogScript script;
    script.Do("measure the code's face", [&](EditorWindow& window) {
        HWND editor = Editor(window);
        ASSERT_NE(editor, nullptr);
        window.Select(window.Child("C++", 0));
        char name[LF_FACESIZE] = {};
        Sci(editor, SCI_STYLEGETFONT, STYLE_DEFAULT, reinterpret_cast<LPARAM>(name));
        face = name;
        narrow = Sci(editor, SCI_TEXTWIDTH, STYLE_DEFAULT, reinterpret_cast<LPARAM>(std::string(80, 'i').c_str()));
        wide = Sci(editor, SCI_TEXTWIDTH, STYLE_DEFAULT, reinterpret_cast<LPARAM>(std::string(80, 'M').c_str()));
    });
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_GT(narrow, 0);
    EXPECT_EQ(narrow, wide) << face;
}

TEST_F(CodePage, TypingMarksTheEntryAndUndoNeverReachesThePreviousEntry) {
    WriteSampleTemplates();
    DialogScript script;
    script
        .Do("show the loop and undo",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                EXPECT_FALSE(window.IsEnabled(IDC_APPLY));
                Command(window, ID_CODE_UNDO);
                EXPECT_EQ(CodeOf(Editor(window)), "for (int i = 0; i < n; ++i) {\r\n    $end$\r\n}");
            })
        .Do("type into it",
            [](EditorWindow& window) {
                Sci(Editor(window), SCI_GOTOPOS, 0);
                Type(Editor(window), L'x');
                EXPECT_TRUE(window.IsEnabled(IDC_APPLY));
            })
        .Do("undo in the next entry",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 1));
                Command(window, ID_CODE_UNDO);
                Command(window, ID_CODE_UNDO);
                EXPECT_EQ(CodeOf(Editor(window)), "class $Name$ {\r\n};");
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(folder_.Read("cpp.tpl"),
              TemplateRecord("for loop", "fori", "xfor (int i = 0; i < n; ++i) {\n    $end$\n}", "A counting loop.") +
                  TemplateRecord("class declaration", "cls", "class $Name$ {\n};") +
                  TemplateRecord("file header", "", "// $FILE$"));
}

// An item of a menu that runs a command.
struct CommandItem {
    UINT id;
    std::string text;
};

// The open context menu as its popup window shows it.
struct MenuSeen {
    std::vector<std::string> items;      // the popup's texts, "" for separators
    std::vector<std::string> insert;     // the Insert submenu's texts
    std::vector<std::string> refactor;   // the Refactor submenu's texts, if any
    std::vector<CommandItem> variables;  // the commands under Insert, in menu order
    std::vector<std::string> grey;       // texts of grey items of the popup
    RECT place{};
};

std::string ItemText(HMENU menu, int position) {
    char text[64] = {};
    ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
    return text;
}

std::vector<std::string> Texts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        texts.push_back(ItemText(menu, i));
    }
    return texts;
}

std::vector<CommandItem> CommandItems(HMENU menu) {
    std::vector<CommandItem> items;
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        if (HMENU submenu = ::GetSubMenu(menu, i)) {
            const std::vector<CommandItem> inner = CommandItems(submenu);
            items.insert(items.end(), inner.begin(), inner.end());
        } else {
            items.push_back({::GetMenuItemID(menu, i), ItemText(menu, i)});
        }
    }
    return items;
}

HWND OpenMenuWindow() {
    HWND popup = ::FindWindowA("#32768", nullptr);
    return popup && ::IsWindowVisible(popup) ? popup : nullptr;
}

MenuSeen ReadMenu(HWND popup) {
    MenuSeen seen;
    auto menu = reinterpret_cast<HMENU>(::SendMessageA(popup, MN_GETHMENU, 0, 0));
    seen.items = Texts(menu);
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(i), MF_BYPOSITION);
        if ((state & MF_GRAYED) && !(state & MF_SEPARATOR)) {
            seen.grey.push_back(ItemText(menu, i));
        }
    }
    HMENU insert = ::GetSubMenu(menu, ::GetMenuItemCount(menu) - 1);
    seen.insert = Texts(insert);
    seen.variables = CommandItems(insert);
    for (int i = 0; i < ::GetMenuItemCount(insert); ++i) {
        if (ItemText(insert, i) == "Refactor") {
            seen.refactor = Texts(::GetSubMenu(insert, i));
        }
    }
    ::GetWindowRect(popup, &seen.place);
    return seen;
}

// Opens the menu with a right-click's message, reads it and ends it.
void OpenAndReadMenu(DialogScript& script, const std::string& what, std::function<void(EditorWindow&)> before,
                     POINT point, MenuSeen& seen) {
    script
        .Do("open the menu " + what,
            [before, point](EditorWindow& window) {
                before(window);
                ::PostMessageA(Page(window), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(Editor(window)),
                               MAKELPARAM(point.x, point.y));
            })
        .WaitUntil("the menu " + what, [&seen](EditorWindow&) {
            HWND popup = OpenMenuWindow();
            if (!popup) {
                return false;
            }
            seen = ReadMenu(popup);
            ::SendMessageA(::GetWindow(popup, GW_OWNER) ? ::GetWindow(popup, GW_OWNER) : popup, WM_CANCELMODE, 0, 0);
            ::EndMenu();
            return true;
        })
        .WaitUntil("the menu " + what + " to close", [](EditorWindow&) { return OpenMenuWindow() == nullptr; });
}

TEST_F(CodePage, EachInsertItemTypesItsVariableAtTheCaretWithoutReplacingTheSelection) {
    folder_.Write("cpp.tpl", TemplateRecord("Refactor rename", "", "abcd"));
    MenuSeen menu;
    DialogScript script;
    OpenAndReadMenu(
        script, "of an entry with the Refactor submenu",
        [](EditorWindow& window) { window.Select(window.Child("C++", 0)); }, POINT{200, 200}, menu);
    script
        .Do("insert every variable",
            [&](EditorWindow& window) {
                ASSERT_EQ(menu.variables.size(), AllReservedVariables().count);
                HWND editor = Editor(window);
                for (const CommandItem& item : menu.variables) {
                    SCOPED_TRACE(item.text);
                    const ReservedVariable* variable = FindReservedVariable(item.id);
                    ASSERT_NE(variable, nullptr);
                    EXPECT_EQ(item.text, variable->text) << "the item shows the variable it types";
                    Sci(editor, SCI_SETTEXT, 0, reinterpret_cast<LPARAM>("abcd"));
                    Sci(editor, SCI_SETSEL, 0, 2);  // "ab" selected, the caret after it
                    Command(window, item.id);
                    EXPECT_EQ(CodeOf(editor), "ab" + item.text + "cd");
                    EXPECT_EQ(static_cast<size_t>(Sci(editor, SCI_GETCURRENTPOS)), 2 + item.text.size());
                }
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    ASSERT_FALSE(menu.variables.empty());
    EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("Refactor rename", "", "ab" + menu.variables.back().text + "cd"));
}

TEST_F(CodePage, TheRefactorSubmenuFollowsTheTitleAndTheMenuKeyOpensAtTheMouse) {
    const std::vector<std::pair<std::string, bool>> titles{
        {"Refactor Extract Method", true}, {"Refactor", true}, {"refactor lower", false},
        {"Refacto", false}, {"", false}, {"My Refactor", false}};
    std::string records;
    for (const auto& title : titles) {
        records += TemplateRecord(title.first, "s" + std::to_string(records.size()), "code");
    }
    folder_.Write("cpp.tpl", records);
    std::vector<MenuSeen> seen(titles.size() + 1);
    DialogScript script;
    for (size_t i = 0; i < titles.size(); ++i) {
        OpenAndReadMenu(
            script, "for \"" + titles[i].first + "\"",
            [i](EditorWindow& window) { window.Select(window.Child("C++", i)); }, POINT{200, 200}, seen[i]);
    }
    OpenAndReadMenu(
        script, "by the menu key", [](EditorWindow&) { ::SetCursorPos(420, 310); }, POINT{-1, -1}, seen.back());
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);

    const std::vector<std::string> popup{"Undo", "Redo", "", "Cut", "Copy", "Paste", "Delete", "", "Select All",
                                         "&Insert"};
    // The submenus hold every reserved variable in the table's order, the
    // Refactor submenu's last.
    std::vector<std::string> menuOrder;
    for (const CommandItem& item : seen[2].variables) {
        menuOrder.push_back(item.text);
    }
    menuOrder.insert(menuOrder.end(), seen[0].refactor.begin(), seen[0].refactor.end());
    std::vector<std::string> tableOrder;
    for (const ReservedVariable& variable : AllReservedVariables()) {
        tableOrder.emplace_back(variable.text);
    }
    EXPECT_EQ(menuOrder, tableOrder);
    for (size_t i = 0; i < titles.size(); ++i) {
        SCOPED_TRACE(titles[i].first);
        EXPECT_EQ(seen[i].items, popup);
        EXPECT_EQ(seen[i].grey, std::vector<std::string>{});
        if (titles[i].second) {
            EXPECT_EQ(seen[i].insert,
                      (std::vector<std::string>{"Date", "File", "General", "Guid", "Refactor", "Time"}));
            EXPECT_EQ(seen[i].refactor, seen[0].refactor);
        } else {
            EXPECT_EQ(seen[i].insert, (std::vector<std::string>{"Date", "File", "General", "Guid", "Time"}));
        }
    }
    EXPECT_EQ(seen[0].place.left, 200);
    EXPECT_EQ(seen[0].place.top, 200);
    EXPECT_EQ(seen.back().place.left, 420) << "at the mouse, not at the caret";
    EXPECT_EQ(seen.back().place.top, 310);
}

TEST_F(CodePage, WithARootSelectedTheEditorIsEmptyDisabledAndTakesNothing) {
    WriteSampleTemplates();
    MenuSeen menu;
    DialogScript script;
    OpenAndReadMenu(
        script, "on the root",
        [](EditorWindow& window) {
            window.Select(window.Child("C++", 0));
            window.Select(window.Root("HTML"));
        },
        POINT{200, 200}, menu);
    script
        .Do("paste and insert into it",
            [&](EditorWindow& window) {
                HWND editor = Editor(window);
                EXPECT_FALSE(::IsWindowEnabled(editor));
                EXPECT_FALSE(menu.variables.empty());
                Command(window, ID_CODE_PASTE);
                for (const CommandItem& item : menu.variables) {
                    Command(window, item.id);
                }
                EXPECT_EQ(CodeOf(editor), "");
                EXPECT_FALSE(window.IsEnabled(IDC_APPLY)) << "nothing was changed";
                window.Select(window.Child("HTML", 0));
                EXPECT_TRUE(::IsWindowEnabled(editor));
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(menu.grey, (std::vector<std::string>{"Undo", "Redo", "Cut", "Paste", "Delete", "&Insert"}));
}

// A key posted to the editor with Ctrl (and maybe Shift) held for this thread.
void PostWithModifiers(HWND editor, UINT key, const std::vector<int>& modifiers) {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    for (int modifier : modifiers) {
        keys[modifier] = 0x80;
    }
    ::SetKeyboardState(keys);
    ::PostMessageA(editor, WM_KEYDOWN, key, 1);
}

void ReleaseModifiers() {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = keys[VK_SHIFT] = 0;
    ::SetKeyboardState(keys);
}

TEST_F(CodePage, CtrlSAndCtrlShiftSApplyFromTheEditor) {
    WriteSampleTemplates();
    std::vector<std::string> savedCode;
    DialogScript script;
    for (const auto& modifiers : {std::vector<int>{VK_CONTROL}, std::vector<int>{VK_CONTROL, VK_SHIFT}}) {
        script
            .Do("type",
                [](EditorWindow& window) {
                    window.Select(window.Child("C#", 0));
                    ::SetFocus(Editor(window));
                    Sci(Editor(window), SCI_DOCUMENTEND);
                    Type(Editor(window), L'!');
                })
            .Do("press the keys",
                [modifiers](EditorWindow& window) {
                    PostWithModifiers(Editor(window), 'S', modifiers);
                })
            .WaitUntil("Apply to be done", [&](EditorWindow& window) { return !window.IsEnabled(IDC_APPLY); })
            .Do("read the file", [&](EditorWindow&) {
                ReleaseModifiers();
                savedCode.push_back(folder_.Read("cs.tpl").value_or(""));
            });
    }
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    ReleaseModifiers();
    EXPECT_EQ(savedCode, (std::vector<std::string>{TemplateRecord("property", "prop", "public int $Name$ { get; set; }!"),
                                                   TemplateRecord("property", "prop", "public int $Name$ { get; set; }!!")}));
}

TEST_F(CodePage, AltEFocusesTheCodeEditorItself) {
    WriteSampleTemplates();
    bool focused = false;
    DialogScript script;
    script.Do("select an entry", [](EditorWindow& window) { window.Select(window.Child("C++", 0)); })
        .Do("press Alt+E in the tree",
            [](EditorWindow& window) {
                window.Focus(IDC_EXPANSION_TREE);
                window.PostAltKey('E');
            })
        .Do("look", [&](EditorWindow& window) { focused = ::GetFocus() == Editor(window); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(focused);
}

// A real click in the fold margin (margin 2, after the 22 pixels of line numbers).
void ClickFoldMargin(HWND editor, int line, WPARAM modifiers = 0) {
    const auto start = Sci(editor, SCI_POSITIONFROMLINE, static_cast<WPARAM>(line));
    const int y = static_cast<int>(Sci(editor, SCI_POINTYFROMPOSITION, 0, start)) + 3;
    ::SendMessageA(editor, WM_LBUTTONDOWN, MK_LBUTTON | modifiers, MAKELPARAM(22 + 7, y));
    ::SendMessageA(editor, WM_LBUTTONUP, modifiers, MAKELPARAM(22 + 7, y));
}

TEST_F(CodePage, TheFoldMarginFoldsRealCppCode) {
    // Lexilla's example has one brace fold; a second function of ours follows it.
    const std::string code = LexillaExample("x.cxx") + "void stop() {\n\thalt();\n}\n";
    folder_.Write("cpp.tpl", TemplateRecord("example", "ex", code));
    std::vector<int> hiddenAfter;
    const auto hidden = [](HWND editor) {
        int count = 0;
        for (int line = 0; line < Sci(editor, SCI_GETLINECOUNT); ++line) {
            count += Sci(editor, SCI_GETLINEVISIBLE, static_cast<WPARAM>(line)) == 0;
        }
        return count;
    };
    DialogScript script;
    script
        .Do("fold main, then everything, then open everything",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                HWND editor = Editor(window);
                Sci(editor, SCI_COLOURISE, 0, -1);
                const auto main = static_cast<int>(
                    std::count(code.begin(), code.begin() + static_cast<std::ptrdiff_t>(code.find("int main")), '\n'));
                ClickFoldMargin(editor, main);
                hiddenAfter.push_back(hidden(editor));
                ClickFoldMargin(editor, main);
                hiddenAfter.push_back(hidden(editor));
                ::Sleep(::GetDoubleClickTime() + 50);
                ClickFoldMargin(editor, 0, MK_SHIFT | MK_CONTROL);
                hiddenAfter.push_back(hidden(editor));
                ::Sleep(::GetDoubleClickTime() + 50);
                ClickFoldMargin(editor, 0, MK_SHIFT | MK_CONTROL);
                hiddenAfter.push_back(hidden(editor));
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    // main's body and brace are 15 lines; stop's 2 and, the folds being
    // compact, the empty last line.
    EXPECT_EQ(hiddenAfter, (std::vector<int>{15, 0, 18, 0}));
}

// ---- code is stored whole, as the user left it --------------------------------

// Code past what a 32 KB buffer held, and code with a NUL byte in it, are
// shown whole, from their start, and stored whole after an edit.
TEST_F(CodePage, CodeIsShownEditedAndStoredWhole) {
    std::string longCode;
    while (longCode.size() < 100 * 1024) {
        longCode += "line " + std::to_string(longCode.size()) + " of a long entry, well past what a 32 KB buffer held\n";
    }
    for (const std::string& code : {longCode, std::string("before\0after", 12)}) {
        folder_.Write("cpp.tpl", TemplateRecord("whole", "whole", code));
        std::string shown;
        LRESULT caret = -1;
        LRESULT firstLine = -1;
        DialogScript script;
        script
            .Do("type at the end",
                [&](EditorWindow& window) {
                    window.Select(window.Child("C++", 0));
                    shown = CodeOf(Editor(window));
                    caret = Sci(Editor(window), SCI_GETCURRENTPOS);
                    ::UpdateWindow(Editor(window));
                    firstLine = Sci(Editor(window), SCI_GETFIRSTVISIBLELINE);
                    Sci(Editor(window), SCI_DOCUMENTEND);
                    Type(Editor(window), L'x');
                })
            .Do("press OK", PressOk);
        EXPECT_EQ(OpenEditor(script), IDOK);
        EXPECT_EQ(shown, WithCrLf(code)) << code.size();
        EXPECT_EQ(caret, 0) << "an entry is shown from its start";
        EXPECT_EQ(firstLine, 0);
        EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("whole", "whole", code + "x")) << code.size();
    }
}

// Apply leaves the entry's code with LF breaks while the editor keeps its
// CR LF ones: the next edit still reaches the entry whole.
TEST_F(CodePage, EditsAfterApplyReachTheEntry) {
    struct Edit {
        std::string code;
        Sci_Position from, to;  // the text deleted, or where "x" is typed
        std::string stored;
    };
    const std::vector<Edit> edits{
        {"a\nb", 3, 4, "a\n"},
        {"a\nb\ncd", 6, 8, "a\nb\n"},
        {"a\nb\nc", 1, 3, "ab\nc"},
        {"a\nb\nc", 0, 0, "xa\nb\nc"},
    };
    for (const Edit& edit : edits) {
        SCOPED_TRACE(edit.stored);
        folder_.Write("cpp.tpl", TemplateRecord("abc", "abc", edit.code));
        DialogScript script;
        script
            .Do("type, apply and edit",
                [&](EditorWindow& window) {
                    window.Select(window.Child("C++", 0));
                    HWND editor = Editor(window);
                    Type(editor, L' ');
                    Sci(editor, SCI_DELETEBACK);
                    window.SendCommand(IDC_APPLY);
                    Sci(editor, SCI_SETSEL, static_cast<WPARAM>(edit.from), edit.to);
                    edit.from == edit.to ? Type(editor, L'x') : static_cast<void>(Sci(editor, SCI_CLEAR));
                })
            .Do("press OK", PressOk);
        EXPECT_EQ(OpenEditor(script), IDOK);
        EXPECT_EQ(folder_.Read("cpp.tpl"), TemplateRecord("abc", "abc", edit.stored));
    }
}

TEST_F(CodePage, DeletingAllTheCodeStoresEmptyCode) {
    WriteSampleTemplates();
    int lengthAfterDelete = -1;
    DialogScript script;
    script
        .Do("select all and delete",
            [&](EditorWindow& window) {
                window.Select(window.Child("C++", 1));
                Command(window, ID_CODE_SELECT_ALL);
                Command(window, ID_CODE_DELETE);
                lengthAfterDelete = static_cast<int>(Sci(Editor(window), SCI_GETLENGTH));
            })
        .Do("show another entry and come back",
            [](EditorWindow& window) {
                window.Select(window.Child("C++", 0));
                window.Select(window.Child("C++", 1));
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(lengthAfterDelete, 0);
    EXPECT_EQ(folder_.Read("cpp.tpl"),
              TemplateRecord("for loop", "fori", "for (int i = 0; i < n; ++i) {\n    $end$\n}", "A counting loop.") +
                  TemplateRecord("class declaration", "cls", "") + TemplateRecord("file header", "", "// $FILE$"));
}

// Template bytes in a system's ANSI code page, a letter typed and two pasted
// as the keyboard and the clipboard deliver them, and the bytes they become.
struct AnsiText {
    UINT codePage;
    std::string code;
    wchar_t typed;
    std::wstring pasted;
    std::string added;
};
const std::vector<AnsiText> kAnsiTexts{
    {1252, "caf\xE9 \xFC" "ber \xA3 \x80 \xC4\xB3", L'\u00E9', L"\u20AC\u00B1", "\xE9\x80\xB1"},
    {1251, "\xC6\xE5\xEB\xE5\xE7\xEE \x80", L'\u0416', L"\u0436\u0451", "\xC6\xE6\xB8"},
    {932, "// \x93\xFA\x96\x7B\x8C\xEA $\x95\x5C$", L'\u65E5', L"\u672C\u8A9E", "\x93\xFA\x96\x7B\x8C\xEA"},
};

// A Japanese system has a Japanese font; the set-up keeps one for the tests,
// which this process alone then sees.
void AddJapaneseFont() {
    if (::GetACP() == 932) {
        ASSERT_GT(::AddFontResourceExA(TARVEL_TEST_JAPANESE_FONT, FR_PRIVATE, nullptr), 0)
            << TARVEL_TEST_JAPANESE_FONT << " (scripts/setup puts it there)";
    }
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
    ASSERT_TRUE(::OpenClipboard(owner));
    ::EmptyClipboard();
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    std::memcpy(::GlobalLock(memory), text.c_str(), bytes);
    ::GlobalUnlock(memory);
    ::SetClipboardData(CF_UNICODETEXT, memory);
    ::CloseClipboard();
}

// Run on a Western system and, with TARVEL_TEST_ACP naming it, on a Cyrillic
// and on a Japanese one.
TEST_F(CodePage, TextStaysInTheAnsiCodePage) {
    if (const char* wanted = std::getenv("TARVEL_TEST_ACP")) {
        ASSERT_EQ(::GetACP(), static_cast<UINT>(std::atoi(wanted))) << "the system's code page was not changed";
    }
    AddJapaneseFont();
    const auto sample = std::find_if(kAnsiTexts.begin(), kAnsiTexts.end(),
                                     [](const AnsiText& text) { return text.codePage == ::GetACP(); });
    ASSERT_NE(sample, kAnsiTexts.end()) << "no sample for code page " << ::GetACP();
    folder_.Write("txt.tpl", TemplateRecord("ansi", "ansi", sample->code));
    std::string shown;
    LRESULT codePage = -1;
    DialogScript script;
    script
        .Do("type and paste letters",
            [&](EditorWindow& window) {
                window.Select(window.Child("Text", 0));
                shown = CodeOf(Editor(window));
                codePage = Sci(Editor(window), SCI_GETCODEPAGE);
                Sci(Editor(window), SCI_DOCUMENTEND);
                Type(Editor(window), sample->typed);
                PutOnClipboard(window.Handle(), sample->pasted);
                Command(window, ID_CODE_PASTE);
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(codePage, sample->codePage == 932 ? 932 : 0) << "the system's code page, not UTF-8";
    EXPECT_EQ(shown, sample->code);
    EXPECT_EQ(folder_.Read("txt.tpl"), TemplateRecord("ansi", "ansi", sample->code + sample->added));
}

}  // namespace
}  // namespace tarvel::uitest
