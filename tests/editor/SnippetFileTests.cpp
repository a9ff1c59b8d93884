// Import... and Export... on a language root's right-click menu: the file
// dialogs are the system's, filled in as a user types a name; the report
// dialog is read as it opens.
#include "tests/editor/EditorTest.h"

#include <commctrl.h>

#include <array>
#include <cstdlib>
#include <functional>

#include "editor/SnippetFileTexts.h"
#include "host/HostPaths.h"
#include "res/resource.h"
#include "tests/editor/DisplayResolution.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/ScreenCapture.h"
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
    // Runs the step on the report's dialog once it shows; the dialog stays
    // open until the step closes it.
    void OnReport(std::function<void(HWND)> step) { onReport_ = std::move(step); }
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
            if (onReport_)
                ::SetTimer(window, kReportShown, kReportShowTime, &OnReportShown);
        } else if (caption == caption_ && !answered_) {
            ::SetDlgItemTextA(window, kFileNameEdit, path_.c_str());
            ::SetDlgItemTextA(window, kFileNameCombo, path_.c_str());
            answered_ = true;
        }
    }

    static void CALLBACK OnReportShown(HWND window, UINT, UINT_PTR timer, DWORD) noexcept {
        ::KillTimer(window, timer);
        if (current_ != nullptr)
            current_->onReport_(window);
    }

    static constexpr UINT_PTR kReportShown = 1;
    static constexpr UINT kReportShowTime = 300;
    static FileDialogFiller* current_;
    HHOOK hook_;
    std::string caption_;
    std::string path_;
    std::string report_;
    std::function<void(HWND)> onReport_;
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


// The report dialog's controls, in its client coordinates: the intro, the
// box, Copy and OK; and whether each one's text fits it in its own font.
constexpr std::array<int, 4> kReportControls{IDC_IMPORT_REPORT_INTRO, IDC_IMPORT_REPORT_TEXT, IDC_IMPORT_REPORT_COPY,
                                             IDOK};

struct ReportLayout {
    std::array<RECT, kReportControls.size()> controls{};
    RECT client{};
    std::vector<std::string> unfitTexts;
};

// A label's or a button's text is wider than the control (a button's less
// its edges); the box's text is the report, which scrolls.
bool TextFits(HWND control) {
    const auto text = TextOf(control);
    RECT rect{};
    ::GetClientRect(control, &rect);
    HDC dc = ::GetDC(control);
    const auto font = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageA(control, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, 0, 0};
    ::DrawTextA(dc, text.c_str(), -1, &needed, DT_CALCRECT | DT_SINGLELINE);
    ::SelectObject(dc, font);
    ::ReleaseDC(control, dc);
    return needed.right <= rect.right && needed.bottom <= rect.bottom;
}

ReportLayout ReadReportLayout(HWND dialog) {
    ReportLayout layout;
    for (std::size_t i = 0; i < kReportControls.size(); ++i) {
        const HWND control = ::GetDlgItem(dialog, kReportControls[i]);
        ::GetWindowRect(control, &layout.controls[i]);
        ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&layout.controls[i]), 2);
        if (kReportControls[i] != IDC_IMPORT_REPORT_TEXT && !TextFits(control))
            layout.unfitTexts.push_back(TextOf(control));
    }
    ::GetClientRect(dialog, &layout.client);
    return layout;
}

void ExpectNothingOverlaps(const ReportLayout& layout, const char* when) {
    EXPECT_TRUE(layout.unfitTexts.empty()) << when << ": " << layout.unfitTexts.front();
    for (std::size_t i = 0; i < layout.controls.size(); ++i) {
        RECT common{};
        EXPECT_TRUE(::IntersectRect(&common, &layout.controls[i], &layout.client) &&
                    ::EqualRect(&common, &layout.controls[i]))
            << when << ": control " << i << " is not inside the dialog";
        for (std::size_t j = i + 1; j < layout.controls.size(); ++j)
            EXPECT_FALSE(::IntersectRect(&common, &layout.controls[i], &layout.controls[j]))
                << when << ": controls " << i << " and " << j << " overlap";
    }
}

void SaveReportScreenshot(HWND dialog, const std::string& name) {
    ::RedrawWindow(dialog, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    const auto path = host::ProgramFolder() + name;
    EXPECT_TRUE(ScreenCapture::SaveWindow(dialog, path)) << path;
}

// The report's box takes what the dialog grows by, its buttons keep to the
// corner; at every resolution no text is cut and nothing overlaps.
TEST_F(SnippetFiles, TheImportReportSizesLikeTheEditorAtTheResolutionOfTheDisplay) {
    constexpr int kGrowX = 240;
    constexpr int kGrowY = 160;
    WriteSampleTemplates();
    folder_.Write("mine.code-snippets", kImported);
    FileDialogFiller filler;
    filler.Answer("Import Snippets into C++", folder_.Path() + "mine.code-snippets");
    ReportLayout opened;
    ReportLayout grown;
    bool sizable = false;
    int dpi = 0;
    filler.OnReport([&](HWND dialog) {
        HDC dc = ::GetDC(dialog);
        dpi = ::GetDeviceCaps(dc, LOGPIXELSY);
        ::ReleaseDC(dialog, dc);
        sizable = (::GetWindowLongA(dialog, GWL_STYLE) & WS_THICKFRAME) != 0;
        opened = ReadReportLayout(dialog);
        SaveReportScreenshot(dialog, "import-report-" + std::to_string(dpi) + "dpi.bmp");
        RECT outside{};
        ::GetWindowRect(dialog, &outside);
        ::SetWindowPos(dialog, nullptr, 0, 0, outside.right - outside.left + kGrowX,
                       outside.bottom - outside.top + kGrowY, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        grown = ReadReportLayout(dialog);
        SaveReportScreenshot(dialog, "import-report-" + std::to_string(dpi) + "dpi-grown.bmp");
        ::PostMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    std::vector<std::string> menu;
    DialogScript script;
    // The file dialog is answered with OK; the report with Copy, which keeps it open.
    script.Boxes().QueueAnswer(IDOK);
    script.Boxes().QueueAnswer(IDC_IMPORT_REPORT_COPY);
    ChooseFromRootMenu(script, "C++", 'i', menu);
    script
        .WaitUntil("the report closed",
                   [&](EditorWindow&) {
                       return dpi != 0 && ::FindWindowA(nullptr, TEXT_IMPORT_REPORT_CAPTION) == nullptr;
                   })
        .Do("press Cancel", PressCancel);
    OpenEditor(script);
    if (const char* wanted = std::getenv(kDpiVariable)) {
        ASSERT_EQ(dpi, std::atoi(wanted)) << "the display's resolution was not changed for this run";
    }
    EXPECT_TRUE(sizable);
    ExpectNothingOverlaps(opened, "as opened");
    ExpectNothingOverlaps(grown, "grown");
    const auto [intro, text, copy, ok] = grown.controls;
    const auto [introBefore, textBefore, copyBefore, okBefore] = opened.controls;
    EXPECT_EQ(intro.right - introBefore.right, kGrowX);
    EXPECT_EQ(text.right - textBefore.right, kGrowX);
    EXPECT_EQ(text.bottom - textBefore.bottom, kGrowY);
    EXPECT_EQ(text.top, textBefore.top);
    for (const auto& [button, before] : {std::pair{copy, copyBefore}, std::pair{ok, okBefore}}) {
        EXPECT_EQ(button.left - before.left, kGrowX);
        EXPECT_EQ(button.top - before.top, kGrowY);
    }
}

TEST_F(SnippetFiles, TheImportReportSizesLikeTheEditorAtOneAndAHalfTimesTheResolution) {
    if (std::getenv(kDpiVariable)) {
        GTEST_SKIP() << "this is the run at a changed resolution";
    }
    const DisplayResolution resolution(kHigherDpi);
    ASSERT_TRUE(resolution.IsSet());
    EXPECT_EQ(RunThisProgramAt(kHigherDpi, "SnippetFiles.TheImportReportSizesLikeTheEditorAtTheResolutionOfTheDisplay"),
              0);
}

}  // namespace
}  // namespace tarvel::uitest
