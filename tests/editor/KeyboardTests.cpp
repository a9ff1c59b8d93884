// The editor's keyboard set works wherever the focus is: Alt+T, S, D and E
// move it, Alt+A applies, Alt+O confirms, Alt+C and Escape cancel; the entry
// toolbar is enabled only while the tree holds the focus.
#include "tests/editor/EditorTest.h"

#include "res/resource.h"
#include "tests/editor/IdleCounter.h"

#include "Scintilla.h"

#include <sstream>
#include <vector>

namespace tarvel::uitest {
namespace {

enum class Place { Tree, Title, Shortcut, Description, Code };
constexpr Place kEveryPlace[] = {Place::Tree, Place::Title, Place::Shortcut, Place::Description, Place::Code};

const char* NameOf(Place place) {
    switch (place) {
        case Place::Tree:
            return "tree";
        case Place::Title:
            return "title";
        case Place::Shortcut:
            return "shortcut";
        case Place::Description:
            return "description";
        case Place::Code:
            return "code";
    }
    return "?";
}

// The code editor's window, or its page while the page holds no editor.
HWND CodeWindow(const EditorWindow& window) {
    HWND page = window.PageWithCaption(texts::kCodePageCaption);
    HWND editor = window.ControlOfClass("Scintilla");
    return editor && ::IsChild(page, editor) ? editor : page;
}

// The places that are controls of their own, by id.
constexpr std::pair<Place, int> kFieldIds[] = {{Place::Tree, IDC_EXPANSION_TREE},
                                               {Place::Title, IDC_TITLE},
                                               {Place::Shortcut, IDC_SHORTCUT},
                                               {Place::Description, IDC_DESCRIPTION}};

void FocusPlace(const EditorWindow& window, Place place) {
    for (const auto& [field, id] : kFieldIds) {
        if (field == place) {
            window.Focus(id);
            return;
        }
    }
    ::SetFocus(CodeWindow(window));
}

std::string FocusedPlace(const EditorWindow& window) {
    for (const auto& [field, id] : kFieldIds) {
        if (::GetFocus() == window.Control(id)) {
            return NameOf(field);
        }
    }
    const bool inCode = EditorWindow::FocusIsWithin(window.PageWithCaption(texts::kCodePageCaption));
    return inCode ? NameOf(Place::Code) : "elsewhere";
}

void SelectFirstCppEntry(EditorWindow& window) { window.Select(window.Child("C++", 0)); }

using Keyboard = EditorTest;

// Until the code page holds its editor, Alt+E has nowhere to go and leaves
// the focus where it was (the page's placeholder would take every key).
bool HasCodeEditor(const EditorWindow& window) { return window.ControlOfClass("Scintilla") != nullptr; }

TEST_F(Keyboard, AltTSDAndEMoveTheFocusFromEveryField) {
    WriteSampleTemplates();
    const std::pair<char, Place> keys[] = {
        {'T', Place::Title}, {'S', Place::Shortcut}, {'D', Place::Description}, {'E', Place::Code}};
    std::vector<std::string> wrong;
    DialogScript script;
    script.Do("select an entry", SelectFirstCppEntry);
    for (Place from : kEveryPlace) {
        for (const auto& [key, to] : keys) {
            const std::string name = std::string("Alt+") + key + " from the " + NameOf(from);
            script.Do("focus for " + name, [from = from](EditorWindow& window) { FocusPlace(window, from); })
                .Do("press " + name, [key = key](EditorWindow& window) { window.PostAltKey(key); })
                .Do("look after " + name, [&, name, from = from, key = key, to = to](EditorWindow& window) {
                    const Place expected = key == 'E' && !HasCodeEditor(window) ? from : to;
                    if (FocusedPlace(window) != NameOf(expected)) {
                        wrong.push_back(name + " focused the " + FocusedPlace(window));
                    }
                });
        }
    }
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

TEST_F(Keyboard, AltAAppliesFromEveryFieldWithoutMovingTheFocus) {
    WriteSampleTemplates();
    std::vector<std::string> wrong;
    DialogScript script;
    script.Do("select an entry", SelectFirstCppEntry);
    int round = 0;
    for (Place from : kEveryPlace) {
        const std::string title = "applied from the " + std::string(NameOf(from));
        script
            .Do("edit and focus the " + std::string(NameOf(from)),
                [from, title](EditorWindow& window) {
                    window.ReplaceText(IDC_TITLE, title);
                    FocusPlace(window, from);
                })
            .Do("press Alt+A", [](EditorWindow& window) { window.PostAltKey('A'); })
            .Do("look", [&, from, title](EditorWindow& window) {
                const std::string cpp = folder_.Read("cpp.tpl").value_or("");
                std::ostringstream problems;
                if (window.IsEnabled(IDC_APPLY)) {
                    problems << " Apply stayed enabled;";
                }
                if (cpp.find("a:" + title + ":fori:") == std::string::npos) {
                    problems << " the title was not saved;";
                }
                if (FocusedPlace(window) != NameOf(from)) {
                    problems << " the focus went to the " << FocusedPlace(window) << ";";
                }
                if (!problems.str().empty()) {
                    wrong.push_back(std::string("from the ") + NameOf(from) + ":" + problems.str());
                }
                ++round;
            });
    }
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(round, 5);
    EXPECT_EQ(wrong, std::vector<std::string>{});
}

TEST_F(Keyboard, AltOConfirmsAndAltCCancelsFromEveryField) {
    WriteSampleTemplates();
    for (Place from : kEveryPlace) {
        for (const auto& [key, result] : {std::pair<char, int>{'O', IDOK}, {'C', IDCANCEL}}) {
            const std::string title = std::string("closed with ") + key + " from the " + NameOf(from);
            DialogScript script;
            script.Do("select an entry", SelectFirstCppEntry)
                .Do("edit and focus",
                    [from = from, &title](EditorWindow& window) {
                        window.ReplaceText(IDC_TITLE, title);
                        FocusPlace(window, from);
                    })
                .Do("press the key", [key = key](EditorWindow& window) { window.PostAltKey(key); });
            EXPECT_EQ(OpenEditor(script), result) << title;
            const bool saved = folder_.Read("cpp.tpl").value_or("").find("a:" + title + ":") != std::string::npos;
            EXPECT_EQ(saved, result == IDOK) << title;
        }
    }
}

// Apply disables itself; a disabled window loses the focus, and with no focus
// Windows sends every plain key as a system key, which the dialog manager
// takes for a mnemonic ("c" would cancel). Apply hands its focus on first.
TEST_F(Keyboard, ClickingApplyKeepsTheFocusInTheEditor) {
    WriteSampleTemplates();
    bool focusInEditor = false;
    DialogScript script;
    script.Do("select an entry", SelectFirstCppEntry)
        .Do("edit the title", [](EditorWindow& window) { window.ReplaceText(IDC_TITLE, "applied title"); })
        .Do("click Apply",
            [](EditorWindow& window) {
                window.Focus(IDC_APPLY);
                ::SendMessageA(window.Control(IDC_APPLY), BM_CLICK, 0, 0);
            })
        .Do("look at the focus",
            [&](EditorWindow& window) {
                focusInEditor = ::GetFocus() != nullptr && ::IsChild(window.Handle(), ::GetFocus());
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(focusInEditor);
    EXPECT_NE(folder_.Read("cpp.tpl").value_or("").find("a:applied title:fori:"), std::string::npos);
}

// The description, a multi-line edit, keeps Escape from the dialog manager
// and asks its page to close instead; that must cancel the editor too.
TEST_F(Keyboard, EscapeCancelsFromEveryField) {
    WriteSampleTemplates();
    const auto before = FilesOnDisk();
    for (Place from : kEveryPlace) {
        SCOPED_TRACE(NameOf(from));
        DialogScript script;
        script.Do("select an entry", SelectFirstCppEntry)
            .Do("edit and focus",
                [from](EditorWindow& window) {
                    window.ReplaceText(IDC_TITLE, "never saved");
                    FocusPlace(window, from);
                })
            .Do("press Escape", [](EditorWindow& window) { window.PostKeyDown(VK_ESCAPE); });
        EXPECT_EQ(OpenEditor(script), IDCANCEL) << NameOf(from);
    }
    EXPECT_EQ(FilesOnDisk(), before);
}

TEST_F(Keyboard, TheEntryToolbarIsEnabledOnlyWhileTheTreeHasTheFocus) {
    WriteSampleTemplates();
    IdleCounter idle;
    long mark = 0;
    std::vector<std::vector<bool>> states;
    const auto afterAnIdlePass = [&](EditorWindow&) { return idle.Count() > mark; };
    const auto readButtons = [&](EditorWindow& window) {
        std::vector<bool> enabled;
        for (int command : {ID_ENTRY_NEW, ID_ENTRY_SAVE, ID_ENTRY_DUPLICATE, ID_ENTRY_DELETE}) {
            enabled.push_back(window.IsToolbarButtonEnabled(command));
        }
        states.push_back(enabled);
    };
    DialogScript script;
    script.Do("select an entry", SelectFirstCppEntry);
    for (Place place : {Place::Title, Place::Tree, Place::Description, Place::Code, Place::Tree}) {
        script
            .Do(std::string("focus the ") + NameOf(place),
                [&, place](EditorWindow& window) {
                    FocusPlace(window, place);
                    mark = idle.Count();
                })
            .WaitUntil("an idle pass", afterAnIdlePass)
            .Do("read the buttons", readButtons);
    }
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    const std::vector<bool> off(4, false);
    const std::vector<bool> on(4, true);
    EXPECT_EQ(states, (std::vector<std::vector<bool>>{off, on, off, off, on}));
}

// With a language root selected the fields are disabled: Alt+T, S and D
// leave the focus where it was, and no plain letter typed afterwards, not
// even with the focus on the title page itself, presses OK, Cancel or Apply.
TEST_F(Keyboard, LettersAfterAltTSDWithARootSelectedCloseNothing) {
    WriteSampleTemplates();
    const auto before = FilesOnDisk();
    std::vector<std::string> wrong;
    DialogScript script;
    script.Do("select the C++ root", [](EditorWindow& window) {
        window.Select(window.Root("C++"));
        window.Focus(IDC_EXPANSION_TREE);
    });
    for (const char key : {'T', 'S', 'D'}) {
        for (const char letter : {'o', 'a', 'c'}) {
            const std::string name = std::string("Alt+") + key + " then " + letter;
            script.Do("press Alt+" + std::string(1, key), [key](EditorWindow& window) { window.PostAltKey(key); })
                .Do("type after " + name,
                    [&, name, letter](EditorWindow& window) {
                        if (::GetFocus() != window.Control(IDC_EXPANSION_TREE)) {
                            wrong.push_back(name + " moved the focus");
                            window.Focus(IDC_EXPANSION_TREE);
                        }
                        window.PostChar(letter);
                    })
                .Pause(50);
        }
    }
    for (const char letter : {'o', 'a', 'c'}) {
        script.Do(std::string("type ") + letter + " on the title page", [letter](EditorWindow& window) {
            ::SetFocus(window.PageWithCaption(texts::kTitlePageCaption));
            window.PostChar(letter);
        });
        script.Pause(50);
    }
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(script.Completed()) << "the editor closed before the last step";
    EXPECT_EQ(wrong, std::vector<std::string>{});
    EXPECT_EQ(FilesOnDisk(), before);
}

// With no window focused Windows sends plain keys to the active window as
// system keys and characters: a plain letter then is no Alt key either.
TEST_F(Keyboard, PlainLettersWithNoFocusCloseNothing) {
    WriteSampleTemplates();
    const auto before = FilesOnDisk();
    DialogScript script;
    script.Do("type o, a and c with no focus", [](EditorWindow& window) {
        ::SetFocus(nullptr);
        for (const UINT key : {'O', 'A', 'C'}) {
            const auto scanCode = static_cast<LPARAM>(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC));
            ::PostMessageA(window.Handle(), WM_SYSKEYDOWN, key, 1 | (scanCode << 16));
        }
    });
    script.Pause(100);
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(script.Completed()) << "the editor closed before the last step";
    EXPECT_EQ(FilesOnDisk(), before);
}

// Tab goes through the editor in reading order: tree, title, shortcut,
// description, code, the tip buttons, OK, Cancel, Apply.
// The code editor keeps a plain Tab (it indents) and is left with Ctrl+Tab.
TEST_F(Keyboard, TabFollowsTheReadingOrder) {
    WriteSampleTemplates();
    std::vector<int> visited;
    bool codeEditor = false;
    constexpr int kCodeStop = -2;
    DialogScript script;
    script.Do("select an entry and edit it", [](EditorWindow& window) {
        SelectFirstCppEntry(window);
        window.ReplaceText(IDC_TITLE, "tabbed");
        window.Focus(IDC_EXPANSION_TREE);
    });
    for (int step = 0; step < 11; ++step) {
        script
            .Do("press Tab",
                [&](EditorWindow& window) {
                    HWND code = window.ControlOfClass("Scintilla");
                    const bool inCode = code != nullptr && ::GetFocus() == code;
                    HoldControl(inCode);
                    window.PostKeyDown(VK_TAB);
                })
            .Do("note the focus", [&](EditorWindow& window) {
                HoldControl(false);
                codeEditor = HasCodeEditor(window);
                const bool inCode = EditorWindow::FocusIsWithin(window.PageWithCaption(texts::kCodePageCaption));
                visited.push_back(inCode ? kCodeStop : window.FocusedControlId());
            });
    }
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    std::vector<int> expected = {IDC_TITLE, IDC_SHORTCUT, IDC_DESCRIPTION};
    if (codeEditor) {
        expected.push_back(kCodeStop);
    }
    for (int id : {IDC_PREVIOUS_TIP, IDC_NEXT_TIP, IDOK, IDCANCEL, IDC_APPLY, IDC_TREE_FILTER, IDC_EXPANSION_TREE}) {
        expected.push_back(id);
    }
    visited.resize(expected.size());
    EXPECT_EQ(visited, expected);
}

TEST_F(Keyboard, TabInTheCodeEditorTypesATab) {
    WriteSampleTemplates();
    HWND code = nullptr;
    LRESULT lengthBefore = -1;
    LRESULT lengthAfter = -1;
    bool focusKept = false;
    DialogScript script;
    script
        .Do("focus the code",
            [&](EditorWindow& window) {
                SelectFirstCppEntry(window);
                code = window.ControlOfClass("Scintilla");
                ASSERT_NE(code, nullptr);
                ::SetFocus(code);
                lengthBefore = ::SendMessageA(code, SCI_GETLENGTH, 0, 0);
                window.PostKeyDown(VK_TAB);
            })
        .Do("read the code", [&](EditorWindow&) {
            focusKept = ::GetFocus() == code;
            lengthAfter = ::SendMessageA(code, SCI_GETLENGTH, 0, 0);
        });
    script.Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_TRUE(focusKept);
    EXPECT_EQ(lengthAfter, lengthBefore + 1);
}

// Tab into an edit selects its text, so that typing replaces it; Tab into
// the code must not: the next Tab would replace or indent all of it.
TEST_F(Keyboard, TabIntoTheCodeKeepsItsCaretSoTheNextTabIndentsOneLine) {
    WriteSampleTemplates();
    HWND code = nullptr;
    std::pair<LRESULT, LRESULT> selection{-1, -1};
    std::string after;
    DialogScript script;
    script
        .Do("tab from the description",
            [&](EditorWindow& window) {
                SelectFirstCppEntry(window);
                code = window.ControlOfClass("Scintilla");
                ASSERT_NE(code, nullptr);
                window.Focus(IDC_DESCRIPTION);
                window.PostKeyDown(VK_TAB);
            })
        .Do("tab in the code",
            [&](EditorWindow& window) {
                ASSERT_EQ(::GetFocus(), code);
                selection = {::SendMessageA(code, SCI_GETSELECTIONSTART, 0, 0),
                             ::SendMessageA(code, SCI_GETSELECTIONEND, 0, 0)};
                window.PostKeyDown(VK_TAB);
            })
        .Do("read the code",
            [&](EditorWindow&) {
                const auto length = static_cast<size_t>(::SendMessageA(code, SCI_GETLENGTH, 0, 0));
                after.assign(length + 1, '\0');
                ::SendMessageA(code, SCI_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&after[0]));
                after.resize(length);
            })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(selection, (std::pair<LRESULT, LRESULT>{0, 0})) << "the caret at the start, nothing selected";
    EXPECT_EQ(after, "\tfor (int i = 0; i < n; ++i) {\r\n    $end$\r\n}");
}

// F2 in the tree renames as in a file list; the Alt keys, like Tab, select
// the whole field so that typing replaces it.
TEST_F(Keyboard, F2AndAltTSDSelectTheWholeField) {
    WriteSampleTemplates();
    // The field each key should land in, whole: F2, then Alt+S, Alt+D, Alt+T.
    const int expected[] = {IDC_TITLE, IDC_SHORTCUT, IDC_DESCRIPTION, IDC_TITLE};
    size_t looked = 0;
    const auto look = [&](EditorWindow& window) {
        ASSERT_LT(looked, std::size(expected));
        SCOPED_TRACE(looked);
        const int focus = window.FocusedControlId();
        EXPECT_EQ(focus, expected[looked++]);
        const auto length = static_cast<DWORD>(window.Text(focus).size());
        EXPECT_GT(length, 1u);
        EXPECT_EQ(window.Selection(focus), (std::pair<DWORD, DWORD>{0, length}));
    };
    // A caret inside each field, so that a focus alone selects nothing.
    const auto caretsInside = [](EditorWindow& window) {
        for (int id : {IDC_TITLE, IDC_SHORTCUT, IDC_DESCRIPTION}) {
            ::SendMessageA(window.Control(id), EM_SETSEL, 1, 1);
        }
    };
    DialogScript script;
    script.Do("press F2 in the tree", [&](EditorWindow& window) {
        SelectFirstCppEntry(window);
        caretsInside(window);
        window.Focus(IDC_EXPANSION_TREE);
        window.PostKeyDown(VK_F2);
    });
    for (const char key : {'S', 'D', 'T'}) {
        script.Do(std::string("look, then press Alt+") + key, [&, key](EditorWindow& window) {
            look(window);
            caretsInside(window);
            window.PostAltKey(key);
        });
    }
    script.Do("look", look).Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    EXPECT_EQ(looked, std::size(expected));
}

}  // namespace
}  // namespace tarvel::uitest
