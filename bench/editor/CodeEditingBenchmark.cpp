// The code editor inside the running editor, against a bare Scintilla of the
// same size, set up with the same lexer and settings, in a window of its own:
// - a selection change between HTML and C++ entries on show in the tree, as
//   a click makes it (the lexer switched and the code loaded), against loading the same text the way the editor loads
//   it (drawing paused, cleared, added, caret to the start, drawing resumed,
//   undo emptied) after switching the lexer: a new lexer, its keyword lists
//   and properties, and only the style colours that differ between the two;
// - a keystroke into an entry of ten lines and into one of 1 MB, against the
//   same keystroke into the bare editor holding the same text.
// Each is timed from the call to the first idle moment, painting included;
// rounds interleave the sides and alternate which goes first.
#include <windows.h>
#include <commctrl.h>

#include "bench/editor/IdleCancel.h"
#include "bench/support/Comparison.h"
#include "bench/support/ModuleUnderTest.h"
#include "bench/support/Win32Bench.h"
#include "host/TarvelLibrary.h"
#include "pages/EditorSetup.h"
#include "pages/LanguageKeywords.h"
#include "pages/LanguageLexer.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/MessageBoxAnswerer.h"
#include "tests/editor/ProfileKey.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"
#include "widgets/CScintilla.h"

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "ILexer.h"
#include "Lexilla.h"
#include "Scintilla.h"

namespace {

using namespace tarvel;
using namespace tarvel::uitest;
using namespace tarvel::bench;

// Few enough that both languages' entries show at once in the enlarged
// editor: a click selects an entry on show, so the tree does not scroll.
constexpr int kEntriesPerLanguage = 8;
constexpr int kEditorWidth = 900;
constexpr int kEditorHeight = 760;
constexpr int kLinesPerEntry = 30;
constexpr int kSelectionsPerRound = 20;
constexpr int kKeystrokesPerRound = 10;
constexpr size_t kLargeCode = 1024 * 1024;
constexpr double kSelectionTarget = 2.0;
constexpr double kKeystrokeTarget = 1.3;
constexpr int kCpp = 0;
constexpr int kHtml = 2;
// Style numbers whose colours a language set-up may give.
constexpr int kStyleCount = STYLE_MAX + 1;
constexpr char kSmallCode[] = "one\ntwo\nthree\nfour\nfive\nsix\nseven\neight\nnine\nten";

std::string EntryCode(int language, int index) {
    std::string code;
    for (int line = 0; line < kLinesPerEntry; ++line) {
        code += language == kHtml ? "<p class=\"item\">paragraph " + std::to_string(index) + " line " +
                                        std::to_string(line) + "</p>\n"
                                  : "    int value" + std::to_string(line) + " = compute(" + std::to_string(index) +
                                        "); // note\n";
    }
    return code;
}

std::string LargeCode() {
    std::string code;
    while (code.size() < kLargeCode)
        code += "    total += item[" + std::to_string(code.size()) + "]; // a long entry\n";
    return code;
}

// The code as the entry holds it after reading: CR LF line breaks.
std::string WithCrLf(const std::string& text) {
    std::string result;
    for (char c : text) {
        if (c == '\n')
            result += '\r';
        result += c;
    }
    return result;
}

void WriteEntries(const TemplateFolder& folder) {
    std::string html, cpp;
    for (int index = 0; index < kEntriesPerLanguage; ++index) {
        html += TemplateRecord("page " + std::to_string(index), "h" + std::to_string(index), EntryCode(kHtml, index));
        cpp += TemplateRecord("code " + std::to_string(index), "c" + std::to_string(index), EntryCode(kCpp, index));
    }
    cpp += TemplateRecord("large", "large", LargeCode());
    cpp += TemplateRecord("small", "small", kSmallCode);
    folder.Write("html.tpl", html);
    folder.Write("cpp.tpl", cpp);
}

// What a language's set-up leaves in the styles.
struct StyleColors {
    COLORREF fore[kStyleCount];
    COLORREF back[kStyleCount];
};

// The floor: a Scintilla set up by the module's own set-up code, in a popup
// of its own at the code view's size. Its timed work sends the component
// only what a switch or a load needs.
class BareCodeView {
public:
    explicit BareCodeView(SIZE size) {
        frame_ = ::CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", "floor", WS_POPUP | WS_VISIBLE, 0, 0, size.cx, size.cy,
                                   nullptr, nullptr, nullptr, nullptr);
        if (!CreateEditorWindow(editor_, frame_, EditorForm::Editable))
            return;
        ::MoveWindow(editor_, 0, 0, size.cx, size.cy, TRUE);
        ApplyEditorDefaults(editor_);
        // A set-up leaves the colours it does not give as the one before left
        // them: each language is taken as it follows the other.
        StylesAfter(kHtml);
        StylesAfter(kCpp);
        html_ = StylesAfter(kHtml);
        cpp_ = StylesAfter(kCpp);
        createLexer_ = reinterpret_cast<Lexilla::CreateLexerFn>(
            reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleA("scilexer.dll"), LEXILLA_CREATELEXER)));
        RunUntilIdle();
    }
    ~BareCodeView() {
        editor_.DestroyWindow();
        ::DestroyWindow(frame_);
    }
    BareCodeView(const BareCodeView&) = delete;
    BareCodeView& operator=(const BareCodeView&) = delete;

    bool Created() const { return editor_.GetHwnd() != nullptr && createLexer_ != nullptr; }
    HWND Editor() const { return editor_.GetHwnd(); }

    // The lexer of the language, its keywords, properties and the colours
    // that differ from the language shown.
    void SwitchTo(int language) {
        if (language == shown_)
            return;
        const StyleColors& to = language == kHtml ? html_ : cpp_;
        const StyleColors& from = language == kHtml ? cpp_ : html_;
        for (int style = 0; style < kStyleCount; ++style) {
            if (to.fore[style] != from.fore[style])
                editor_.Send(SCI_STYLESETFORE, static_cast<WPARAM>(style), static_cast<LPARAM>(to.fore[style]));
            if (to.back[style] != from.back[style])
                editor_.Send(SCI_STYLESETBACK, static_cast<WPARAM>(style), static_cast<LPARAM>(to.back[style]));
        }
        editor_.Send(SCI_SETILEXER, 0, reinterpret_cast<LPARAM>(createLexer_(language == kHtml ? "hypertext" : "cpp")));
        SetProperty("fold", "1");
        SetProperty("fold.compact", "1");
        if (language == kHtml) {
            SetKeywords(0, LanguageKeywords::kHtmlTagNames);
            SetKeywords(1, LanguageKeywords::kHtmlAttributeNames);
            SetKeywords(5, LanguageKeywords::kHtmlDeclarationNames);
        } else {
            SetProperty("styling.within.preprocessor", "1");
            SetKeywords(0, LanguageKeywords::kCppKeywords);
        }
        shown_ = language;
    }

    // As the editor loads an entry's code.
    void Load(const std::string& code) {
        ::SendMessageA(editor_, WM_SETREDRAW, FALSE, 0);
        editor_.Send(SCI_CLEARALL);
        editor_.Send(SCI_ADDTEXT, code.size(), reinterpret_cast<LPARAM>(code.data()));
        editor_.Send(SCI_GOTOPOS, 0);
        ::SendMessageA(editor_, WM_SETREDRAW, TRUE, 0);
        ::RedrawWindow(editor_, nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE);
        editor_.Send(SCI_EMPTYUNDOBUFFER);
    }

private:
    StyleColors StylesAfter(int language) {
        ApplyLanguageLexer(editor_, language);
        shown_ = language;
        StyleColors colors{};
        for (int style = 0; style < kStyleCount; ++style) {
            colors.fore[style] = static_cast<COLORREF>(editor_.Send(SCI_STYLEGETFORE, static_cast<WPARAM>(style)));
            colors.back[style] = static_cast<COLORREF>(editor_.Send(SCI_STYLEGETBACK, static_cast<WPARAM>(style)));
        }
        return colors;
    }
    void SetProperty(const char* name, const char* value) {
        editor_.Send(SCI_SETPROPERTY, reinterpret_cast<WPARAM>(name), reinterpret_cast<LPARAM>(value));
    }
    void SetKeywords(int set, const char* words) {
        editor_.Send(SCI_SETKEYWORDS, static_cast<WPARAM>(set), reinterpret_cast<LPARAM>(words));
    }

    HWND frame_ = nullptr;
    CScintilla editor_;
    StyleColors html_{};
    StyleColors cpp_{};
    Lexilla::CreateLexerFn createLexer_ = nullptr;
    int shown_ = -1;
};

// Keystrokes into an editor window, the caret in the middle of its text;
// milliseconds per key to the first idle moment after it.
double TimeKeystrokes(HWND editor) {
    const Stopwatch watch;
    for (int key = 0; key < kKeystrokesPerRound; ++key) {
        ::SendMessageW(editor, WM_CHAR, L'x', 1);
        RunUntilIdle();
    }
    return watch.Milliseconds() / kKeystrokesPerRound;
}

void PutCaretInTheMiddle(HWND editor) {
    const auto middle = ::SendMessageA(editor, SCI_GETLENGTH, 0, 0) / 2;
    ::SendMessageA(editor, SCI_GOTOPOS, static_cast<WPARAM>(middle), 0);
    ::SetFocus(editor);
    RunUntilIdle();
}

class Measurements {
public:
    explicit Measurements(int rounds) : rounds_(rounds) {}

    // Runs inside the editor's modal loop.
    void Run(EditorWindow& window) {
        ::SetWindowPos(window.Handle(), nullptr, 0, 0, kEditorWidth, kEditorHeight, SWP_NOZORDER | SWP_NOACTIVATE);
        RunUntilIdle();
        const HWND code = window.ControlOfClass("Scintilla");
        RECT rect{};
        ::GetClientRect(code, &rect);
        BareCodeView floor({rect.right, rect.bottom});
        if (!floor.Created())
            return;
        const auto html = window.Children(window.Root("HTML"));
        const auto cpp = window.Children(window.Root("C++"));
        if (!AllOnShow(window, html, cpp) || !CompareSelections(window, floor, html, cpp))
            return;
        const HTREEITEM small = cpp[kEntriesPerLanguage + 1];
        const HTREEITEM large = cpp[kEntriesPerLanguage];
        done_ = CompareKeystrokes(window, code, small, floor, WithCrLf(kSmallCode), "keystroke, 10 lines") &&
                CompareKeystrokes(window, code, large, floor, WithCrLf(LargeCode()), "keystroke, 1 MB");
    }

    bool Done() const { return done_; }
    void Print() const {
        for (const auto& comparison : comparisons_)
            comparison.Print();
    }

private:
    // Selects one entry of each language, which expands both, and checks
    // that every entry to be selected is then inside the tree's client area.
    static bool AllOnShow(EditorWindow& window, const std::vector<HTREEITEM>& html, const std::vector<HTREEITEM>& cpp) {
        window.Select(html[0]);
        window.Select(cpp[0]);
        RunUntilIdle();
        RECT client{};
        ::GetClientRect(window.Tree(), &client);
        for (const auto* entries : {&html, &cpp})
            for (int index = 0; index < kEntriesPerLanguage; ++index) {
                RECT item{};
                if (!TreeView_GetItemRect(window.Tree(), (*entries)[static_cast<size_t>(index)], &item, FALSE) ||
                    item.bottom > client.bottom) {
                    std::fprintf(stderr, "bench_code_editing: an entry to select is not on show in the tree\n");
                    return false;
                }
            }
        return true;
    }

    bool CompareSelections(EditorWindow& window, BareCodeView& floor, const std::vector<HTREEITEM>& html,
                           const std::vector<HTREEITEM>& cpp) {
        std::vector<std::string> texts;
        for (int index = 0; index < kEntriesPerLanguage; ++index) {
            texts.push_back(WithCrLf(EntryCode(kHtml, index)));
            texts.push_back(WithCrLf(EntryCode(kCpp, index)));
        }
        int next = 0;
        int floorNext = 0;
        comparisons_.emplace_back("selection change, HTML and C++", kSelectionTarget);
        return Interleave(
            comparisons_.back(), rounds_,
            [&] {
                const Stopwatch watch;
                for (int move = 0; move < kSelectionsPerRound; ++move, ++next) {
                    const auto index = static_cast<size_t>(next / 2 % kEntriesPerLanguage);
                    window.Select(next % 2 == 0 ? html[index] : cpp[index]);
                    RunUntilIdle();
                }
                return watch.Milliseconds() / kSelectionsPerRound;
            },
            [&] {
                const Stopwatch watch;
                for (int move = 0; move < kSelectionsPerRound; ++move, ++floorNext) {
                    floor.SwitchTo(floorNext % 2 == 0 ? kHtml : kCpp);
                    floor.Load(texts[static_cast<size_t>(floorNext) % texts.size()]);
                    RunUntilIdle();
                }
                return watch.Milliseconds() / kSelectionsPerRound;
            });
    }

    bool CompareKeystrokes(EditorWindow& window, HWND code, HTREEITEM entry, BareCodeView& floor,
                           const std::string& text, const char* figure) {
        window.Select(entry);
        PutCaretInTheMiddle(code);
        floor.SwitchTo(kCpp);
        floor.Load(text);
        PutCaretInTheMiddle(floor.Editor());
        comparisons_.emplace_back(figure, kKeystrokeTarget);
        // The focus goes with the keys, as it would with the user's.
        return Interleave(
            comparisons_.back(), rounds_,
            [&] {
                ::SetFocus(code);
                return TimeKeystrokes(code);
            },
            [&] {
                ::SetFocus(floor.Editor());
                return TimeKeystrokes(floor.Editor());
            });
    }

    int rounds_;
    bool done_ = false;
    std::vector<Comparison> comparisons_;
};

}  // namespace

int main() {
    const auto library = LoadModuleUnderTest("bench_code_editing");
    if (!library)
        return kSetupError;
    TemplateFolder folder;
    WriteEntries(folder);
    const int rounds = Rounds();
    PrintHeader("bench_code_editing (call to first idle, per selection or key)", rounds);
    Measurements measurements(rounds);
    ProfileKey::DeleteModuleKey();
    {
        const IdleCancel inside(IdleCancel::kEditorCaption, [&](HWND dialog) {
            EditorWindow window(dialog);
            measurements.Run(window);
        });
        // The edits are unsaved: Cancel asks, and is answered Yes.
        const MessageBoxAnswerer discard("Autotext");
        library->ShowAutotextEditor(nullptr, folder.Path().c_str());
    }
    ProfileKey::DeleteModuleKey();
    if (!measurements.Done()) {
        std::fprintf(stderr, "bench_code_editing: the editor or the bare Scintilla did not open\n");
        return kSetupError;
    }
    measurements.Print();
    return 0;
}
