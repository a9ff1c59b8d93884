// autotext-host expand, end to end: the stand-in host finds the entry and its
// prompts, runs the prompt dialog through the export and prints the code
// with the values put in.
#include <gtest/gtest.h>

#include <windows.h>

#include "host/HostPaths.h"
#include "res/resource.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/TemplateFolder.h"
#include "tests/editor/TemplateText.h"

#include <string>
#include <vector>

namespace tarvel::uitest {
namespace {

constexpr DWORD kAppearTimeout = 30000;
constexpr DWORD kExitTimeout = 15000;
constexpr DWORD kPollInterval = 50;
constexpr char kEntryTitle[] = "counting loop";

// The host stand-in running as its own process, its output collected.
class HostProcess {
public:
    explicit HostProcess(const std::string& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE write = nullptr;
        ::CreatePipe(&read_, &write, &inherit, 0);
        ::SetHandleInformation(read_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = write;
        startup.hStdError = write;
        std::string commandLine = "\"" + host::ProgramFolder() + "autotext-host.exe\" " + arguments;
        started_ = ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                                    &process_) != FALSE;
        ::CloseHandle(write);
    }
    ~HostProcess() {
        if (started_) {
            if (::WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
                ::TerminateProcess(process_.hProcess, 1);
            }
            ::CloseHandle(process_.hThread);
            ::CloseHandle(process_.hProcess);
        }
        ::CloseHandle(read_);
    }
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    bool Started() const noexcept { return started_; }

    // The host's visible top-level window with the caption, waited for.
    HWND WaitForWindow(const std::string& caption) const {
        for (DWORD waited = 0; waited < kAppearTimeout; waited += kPollInterval) {
            Search search{process_.dwProcessId, &caption, nullptr, {}};
            ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
            if (search.found) {
                return search.found;
            }
            ::Sleep(kPollInterval);
        }
        return nullptr;
    }

    // Everything it printed, once it has ended; its exit code in exitCode.
    // A host that has not ended in time keeps exitCode at -1 and is ended by
    // the destructor, so a dialog nobody closed fails the test, not the run.
    std::string Output(DWORD& exitCode) const {
        std::string output;
        exitCode = static_cast<DWORD>(-1);
        for (DWORD waited = 0; waited < kExitTimeout; waited += kPollInterval) {
            const bool ended = ::WaitForSingleObject(process_.hProcess, kPollInterval) == WAIT_OBJECT_0;
            Drain(output);
            if (ended) {
                ::GetExitCodeProcess(process_.hProcess, &exitCode);
                break;
            }
        }
        return output;
    }

    // The captions of the host's visible windows: what it waits on when it
    // does not end.
    std::string VisibleWindows() const {
        Search search{process_.dwProcessId, nullptr, nullptr, {}};
        ::EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
        return search.captions;
    }

private:
    struct Search {
        DWORD processId;
        const std::string* caption;
        HWND found;
        std::string captions;
    };
    static std::string Caption(HWND hwnd) {
        char text[256] = {};
        ::GetWindowTextA(hwnd, text, sizeof text);
        return text;
    }
    static BOOL CALLBACK Collect(HWND hwnd, LPARAM context) {
        auto& search = *reinterpret_cast<Search*>(context);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hwnd, &processId);
        if (processId == search.processId && ::IsWindowVisible(hwnd)) {
            search.captions += "\"" + Caption(hwnd) + "\" ";
        }
        return TRUE;
    }
    // What the pipe holds now, without waiting for more.
    void Drain(std::string& output) const {
        char buffer[512];
        DWORD available = 0;
        DWORD got = 0;
        while (::PeekNamedPipe(read_, nullptr, 0, nullptr, &available, nullptr) && available > 0 &&
               ::ReadFile(read_, buffer, sizeof buffer, &got, nullptr) && got > 0) {
            output.append(buffer, got);
        }
    }
    static BOOL CALLBACK Match(HWND hwnd, LPARAM context) {
        auto& search = *reinterpret_cast<Search*>(context);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(hwnd, &processId);
        if (processId == search.processId && ::IsWindowVisible(hwnd) && *search.caption == Caption(hwnd)) {
            search.found = hwnd;
            return FALSE;
        }
        return TRUE;
    }

    HANDLE read_ = nullptr;
    PROCESS_INFORMATION process_{};
    bool started_ = false;
};

class HostExpand : public ::testing::Test {
protected:
    void SetUp() override {
        folder_.Write("cpp.tpl", TemplateRecord("for each", "fe", "for (auto& $item$ : $range$) {}") +
                                     TemplateRecord(kEntryTitle, "fori",
                                                    "for (int $i$ = 0; $i$ < $count$; ++$i$) {\n    $end$\n}") +
                                     TemplateRecord("nine", "nine", "$a$$b$$c$$d$$e$$f$$g$$h$ $i$") +
                                     TemplateRecord("plain", "plain", "// costs $5 or $10\n$selected$$end$;"));
        folder_.Write("perl.tpl",
                      TemplateRecord("open file", "open",
                                     "open(my $fh, '<', $file$) or die \"Cannot open $file$: $!\";\n$end$\nclose($fh);"));
    }
    // Without the trailing backslash, which would escape the closing quote;
    // the host adds the separator itself.
    std::string Arguments(const std::string& word) const {
        return "expand \"" + folder_.PathWithoutSeparator() + "\" " + word;
    }

    TemplateFolder folder_;
};

TEST_F(HostExpand, OkPrintsTheCodeWithTheValuesPutIn) {
    HostProcess host(Arguments("fori"));
    ASSERT_TRUE(host.Started());
    HWND dialog = host.WaitForWindow(kEntryTitle);
    ASSERT_NE(dialog, nullptr) << "the prompt dialog did not appear";
    char label[64] = {};
    ::GetWindowTextA(EditorWindow(dialog).Control(IDC_PROMPT_LABEL(1)), label, sizeof label);
    EXPECT_STREQ(label, "count");
    ::SendMessageA(EditorWindow(dialog).Control(IDC_PROMPT_EDIT(0)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("k"));
    ::SendMessageA(EditorWindow(dialog).Control(IDC_PROMPT_EDIT(1)), WM_SETTEXT, 0, reinterpret_cast<LPARAM>("size"));
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    DWORD exitCode = 0;
    const std::string output = host.Output(exitCode);
    EXPECT_EQ(exitCode, 0u) << "still showing: " << host.VisibleWindows();
    EXPECT_EQ(output, "result: 1\r\nfor (int k = 0; k < size; ++k) {\r\n    \r\n}\r\ncaret: line 2, column 5\r\n");
}

// Each entry is confirmed with every prompt row filled with its own row number.
struct ExpandCase {
    const char* what;
    std::string arguments;
    std::string caption;  // of the prompt dialog; none when no dialog should come
    std::vector<std::string> labels;
    std::string output;
};

TEST_F(HostExpand, AsksForTheNamesInTheCodeAndPutsInWhatAHostKnows) {
    const std::vector<ExpandCase> cases{
        {"a Perl entry asks for its one prompt", "open", "open file", {"file"},
         "result: 1\r\nopen(my $fh, '<', 0) or die \"Cannot open 0: $!\";\r\n\r\nclose($fh);\r\ncaret: line 2, column 1\r\n"},
        {"past eight prompts the rest are named", "nine", "nine", {"a", "b", "c", "d", "e", "f", "g", "h"},
         "not asked, the dialog holds eight prompts: $i$\r\nresult: 1\r\n01234567 $i$\r\n"},
        {"no prompt: no dialog, the selection put in", "plain --selected chosen", "", {},
         "// costs $5 or $10\r\nchosen;\r\ncaret: line 2, column 7\r\n"},
    };
    for (const ExpandCase& c : cases) {
        HostProcess host(Arguments(c.arguments));
        ASSERT_TRUE(host.Started()) << c.what;
        std::vector<std::string> labels;
        if (!c.caption.empty()) {
            HWND dialog = host.WaitForWindow(c.caption);
            ASSERT_NE(dialog, nullptr) << c.what;
            for (int row = 0; row < 8; ++row) {
                HWND label = EditorWindow(dialog).Control(IDC_PROMPT_LABEL(row));
                char text[64] = {};
                ::GetWindowTextA(label, text, sizeof text);
                if (::IsWindowVisible(label)) {
                    labels.emplace_back(text);
                }
                const std::string value = std::to_string(row);
                ::SendMessageA(EditorWindow(dialog).Control(IDC_PROMPT_EDIT(row)), WM_SETTEXT, 0,
                               reinterpret_cast<LPARAM>(value.c_str()));
            }
            ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
        DWORD exitCode = 0;
        EXPECT_EQ(host.Output(exitCode), c.output) << c.what;
        EXPECT_EQ(exitCode, 0u) << c.what << ", still showing: " << host.VisibleWindows();
        EXPECT_EQ(labels, c.labels) << c.what;
    }
}

TEST_F(HostExpand, CancelPrintsOnlyTheResult) {
    HostProcess host(Arguments("\"" + std::string(kEntryTitle) + "\""));
    ASSERT_TRUE(host.Started());
    HWND dialog = host.WaitForWindow(kEntryTitle);
    ASSERT_NE(dialog, nullptr) << "the prompt dialog did not appear";
    ::PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    DWORD exitCode = 0;
    EXPECT_EQ(host.Output(exitCode), "result: 2\r\n");
    EXPECT_EQ(exitCode, 0u) << "still showing: " << host.VisibleWindows();
}

TEST_F(HostExpand, AnUnknownShortcutIsReportedWithoutADialog) {
    HostProcess host(Arguments("nothing"));
    ASSERT_TRUE(host.Started());
    DWORD exitCode = 0;
    const std::string output = host.Output(exitCode);
    EXPECT_EQ(exitCode, 2u);
    EXPECT_NE(output.find("no entry with the shortcut or title \"nothing\""), std::string::npos) << output;
}

}  // namespace
}  // namespace tarvel::uitest
