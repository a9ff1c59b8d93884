// Import... and Export... on a language root's right-click menu: the file
// dialogs are the system's, filled in as a user types a name; the report
// dialog is read as it opens.
#include "tests/editor/EditorTest.h"

#include <commctrl.h>

#include "editor/SnippetFileTexts.h"
#include "res/resource.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/XPointer.h"

namespace tarvel::uitest {
namespace {

// The file name boxes of the explorer-style file dialogs.
constexpr int kFileNameEdit = 0x480;
constexpr int kFileNameCombo = 0x47c;

std::string TextOf(HWND window) {
    char text[1 << 14] = {};
    ::GetWindowTextA(window, text, sizeof text);
    return text;
}

// When a file dialog with the caption opens, types the path into it, as a
// user would before pressing the default button (which the message box
// answerer presses); when the import's report opens, keeps its text.
class FileDialogFiller {
public:
    FileDialogFiller() : hook_(::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId())) {
        current_ = this;
    }
    ~FileDialogFiller() {
        ::UnhookWindowsHookEx(hook_);
        current_ = nullptr;
    }
    FileDialogFiller(const FileDialogFiller&) = delete;
    FileDialogFiller& operator=(const FileDialogFiller&) = delete;

    void Answer(std::string caption, std::string path) {
        caption_ = std::move(caption);
        path_ = std::move(path);
    }
    const std::string& Report() const { return report_; }
    bool Answered() const { return answered_; }

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam) noexcept {
        if (code == HCBT_ACTIVATE && current_ != nullptr)
            current_->OnActivate(reinterpret_cast<HWND>(wParam));
        return ::CallNextHookEx(nullptr, code, wParam, lParam);
    }
    void OnActivate(HWND window) {
        const auto caption = TextOf(window);
        if (caption == TEXT_IMPORT_REPORT_CAPTION) {
            report_ = TextOf(::GetDlgItem(window, IDC_IMPORT_REPORT_TEXT));
        } else if (caption == caption_ && !answered_) {
            ::SetDlgItemTextA(window, kFileNameEdit, path_.c_str());
            ::SetDlgItemTextA(window, kFileNameCombo, path_.c_str());
            answered_ = true;
        }
    }

    static FileDialogFiller* current_;
    HHOOK hook_;
    std::string caption_;
    std::string path_;
    std::string report_;
    bool answered_ = false;
};

FileDialogFiller* FileDialogFiller::current_ = nullptr;

POINT RootOnScreen(const EditorWindow& window, const char* root) {
    const RECT label = window.LabelRect(window.Root(root));
    POINT point{(label.left + label.right) / 2, (label.top + label.bottom) / 2};
    ::ClientToScreen(window.Tree(), &point);
    return point;
}

HWND OpenMenu() { return ::FindWindowA("#32768", nullptr); }

std::vector<std::string> MenuTexts(HWND menuWindow) {
    std::vector<std::string> texts;
    const auto menu = reinterpret_cast<HMENU>(::SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    for (int i = 0; i < ::GetMenuItemCount(menu); ++i) {
        char text[64] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(i), text, sizeof text, MF_BYPOSITION);
        texts.push_back(text);
    }
    return texts;
}

// Right-clicks the root and picks the menu item by its mnemonic.
void ChooseFromRootMenu(DialogScript& script, const char* root, char mnemonic, std::vector<std::string>& seen) {
    script
        .Do("rest beside the tree",
            [](EditorWindow& window) { ASSERT_TRUE(XPointer::MoveTo(BesideTreeOnScreen(window))); })
        .WaitUntil("nothing to cover the root",
                   [root](EditorWindow& window) { return TreeIsUnder(window, RootOnScreen(window, root)); })
        .Do("right-click the root",
            [root](EditorWindow& window) {
                ASSERT_TRUE(XPointer::MoveTo(RootOnScreen(window, root)));
                ASSERT_TRUE(XPointer::Click(XPointer::kRightButton));
            })
        .WaitUntil("the menu", [](EditorWindow&) { return OpenMenu() != nullptr && ::IsWindowVisible(OpenMenu()); })
        .Do("choose", [&seen, mnemonic](EditorWindow& window) {
            seen = MenuTexts(OpenMenu());
            ::PostMessageA(window.Handle(), WM_CHAR, mnemonic, 0);
        });
}

constexpr char kImported[] =
    "// A snippet with a placeholder that names no prompt, and one with a tab stop.\n"
    "{\n"
    "  \"Print\": {\"prefix\": \"pr\", \"body\": [\"printf(\\\"%s\\\", ${1:the text});\", \"$0\"]},\n"
    "  \"Loop\": {\"prefix\": [\"lp\", \"fori\"], \"body\": \"for (${1:i} = 0; $1 < n; ++$1) {}\",},\n"
    "}\n";

class SnippetFiles : public EditorTest {};

TEST_F(SnippetFiles, ImportAddsChangedEntriesUnderTheRootAndReportsWhatDidNotCarryOver) {
    WriteSampleTemplates();
    folder_.Write("mine.code-snippets", kImported);
    const auto cppBefore = folder_.Read("cpp.tpl");
    FileDialogFiller filler;
    filler.Answer("Import Snippets into C++", folder_.Path() + "mine.code-snippets");
    std::vector<std::string> menu;
    std::vector<std::string> labels;
    std::optional<std::string> cppAfterImport;
    int red = 0;
    bool applyEnabled = false;
    DialogScript script;
    ChooseFromRootMenu(script, "C++", 'i', menu);
    script
        .WaitUntil("the import", [&](EditorWindow& window) {
            return filler.Answered() && !filler.Report().empty() && window.Children(window.Root("C++")).size() > 3 &&
                   ::FindWindowA(nullptr, TEXT_IMPORT_REPORT_CAPTION) == nullptr;
        })
        .Pause(300)
        .Do("look",
            [&](EditorWindow& window) {
                const auto items = window.Children(window.Root("C++"));
                labels = window.Labels(items);
                red = RedPixelsOf(window, items.back());
                applyEnabled = window.IsEnabled(IDC_APPLY);
                cppAfterImport = folder_.Read("cpp.tpl");
            })
        .Do("press OK", PressOk);
    EXPECT_EQ(OpenEditor(script), IDOK);
    EXPECT_EQ(menu, (std::vector<std::string>{"&New", "D&uplicate", "&Save", "", "&Delete", "", "&Import...", "&Export..."}));
    EXPECT_EQ(labels, (std::vector<std::string>{"fori", "cls", "file header", "pr", "lp", "fori"}));
    EXPECT_GT(red, 0) << "imported entries are marked as changed";
    EXPECT_TRUE(applyEnabled);
    EXPECT_EQ(cppAfterImport, cppBefore) << "nothing is saved before Apply or OK";
    EXPECT_NE(filler.Report().find("mine.code-snippets:3: Print: default text \"the text\" is not kept"),
              std::string::npos)
        << filler.Report();
    EXPECT_NE(filler.Report().find("shortcut \"fori\" is already in this language"), std::string::npos);
    const auto saved = folder_.Read("cpp.tpl").value_or("");
    EXPECT_NE(saved.find("a:Print:pr:\r\nprintf(\"%s\", $arg1$);\r\n$end$\f\r\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("a:Loop:fori:\r\nfor ($i$ = 0; $i$ < n; ++$i$) {}\f\r\n"), std::string::npos) << saved;
}

TEST_F(SnippetFiles, ExportWritesTheRootsEntriesAsVsCodeSnippets) {
    WriteSampleTemplates();
    FileDialogFiller filler;
    filler.Answer("Export the Java Entries", folder_.Path() + "java.json");
    std::vector<std::string> menu;
    DialogScript script;
    ChooseFromRootMenu(script, "Java", 'e', menu);
    script.WaitUntil("the file", [&](EditorWindow&) { return filler.Answered() && folder_.Exists("java.json"); })
        .Do("press Cancel", PressCancel);
    EXPECT_EQ(OpenEditor(script), IDCANCEL);
    const auto exported = folder_.Read("java.json").value_or("");
    EXPECT_NE(exported.find("\"main method\": {\n\t\t\"prefix\": \"psvm\""), std::string::npos) << exported;
    EXPECT_NE(exported.find("\"body\": [\n\t\t\t\"public static void main(String[] args) {\",\n\t\t\t\"}\"\n\t\t]"),
              std::string::npos)
        << exported;
}

}  // namespace
}  // namespace tarvel::uitest
