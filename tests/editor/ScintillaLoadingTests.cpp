// The editing library missing or broken: a second host program with its own
// copy of Tarvel.dll (the library stays loaded in this process once loaded)
// reports it and runs the editor without a code view.
#include <gtest/gtest.h>

#include <windows.h>

#include "host/HostPaths.h"
#include "tests/editor/EditorWindow.h"
#include "tests/editor/MessageBoxAnswerer.h"
#include "tests/editor/TemplateFolder.h"
#include "handles/UniqueHandle.h"

#include <algorithm>
#include <cctype>
#include <string>

namespace tarvel::uitest {
namespace {

constexpr DWORD kWait = 20000;
constexpr char kLibraryCaption[] = "Error!";
constexpr char kEditorCaption[] = "Autotext";

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// autotext-host and Tarvel.dll copied into a folder of their own, run on an
// empty template folder.
class SecondHost {
public:
    SecondHost() {
        for (const char* file : {"autotext-host.exe", "Tarvel.dll"}) {
            copied_ &= ::CopyFileA((host::ProgramFolder() + file).c_str(), (program_.Path() + file).c_str(), FALSE) != 0;
        }
    }
    ~SecondHost() {
        if (process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT) {
            ::TerminateProcess(process_.get(), 1);
            ::WaitForSingleObject(process_.get(), kWait);
        }
    }

    const TemplateFolder& ProgramFolder() const { return program_; }

    bool Start() {
        std::string command = "\"" + program_.Path() + "autotext-host.exe\" edit \"" +
                              templates_.PathWithoutSeparator() + "\"";
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION started{};
        if (!copied_ || !::CreateProcessA(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                          &startup, &started)) {
            return false;
        }
        ::CloseHandle(started.hThread);
        process_.reset(started.hProcess);
        processId_ = started.dwProcessId;
        return true;
    }

    // A visible top-level window of the process with the caption.
    HWND WaitForWindow(const char* caption) const {
        const DWORD start = ::GetTickCount();
        while (::GetTickCount() - start < kWait) {
            if (HWND window = FindWindowOfProcess(caption)) {
                return window;
            }
            ::Sleep(50);
        }
        return nullptr;
    }

    // The exit code, or STILL_ACTIVE.
    DWORD WaitForExit() const {
        DWORD code = STILL_ACTIVE;
        if (::WaitForSingleObject(process_.get(), kWait) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(process_.get(), &code);
        }
        return code;
    }

private:
    struct Search {
        DWORD processId;
        const char* caption;
        HWND found;
    };
    static BOOL CALLBACK Match(HWND window, LPARAM lParam) {
        auto* search = reinterpret_cast<Search*>(lParam);
        DWORD processId = 0;
        ::GetWindowThreadProcessId(window, &processId);
        char text[64] = {};
        ::GetWindowTextA(window, text, sizeof text);
        if (processId == search->processId && ::IsWindowVisible(window) && std::string(text) == search->caption) {
            search->found = window;
            return FALSE;
        }
        return TRUE;
    }
    HWND FindWindowOfProcess(const char* caption) const {
        Search search{processId_, caption, nullptr};
        ::EnumWindows(Match, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    TemplateFolder program_;
    TemplateFolder templates_;
    bool copied_ = true;
    UniqueKernelHandle process_;
    DWORD processId_ = 0;
};

// Runs the host, answers the library's message and checks that the editor
// then opens without a code view; the message's text.
std::string LibraryMessageOfEditor(SecondHost& host) {
    if (!host.Start()) {
        ADD_FAILURE() << "the second host did not start";
        return "";
    }
    HWND box = host.WaitForWindow(kLibraryCaption);
    if (!box) {
        ADD_FAILURE() << "no \"Error!\" message";
        return "";
    }
    const std::string text = MessageBoxAnswerer::MessageText(box);
    ::PostMessageA(box, WM_COMMAND, IDOK, 0);
    HWND dialog = host.WaitForWindow(kEditorCaption);
    EXPECT_NE(dialog, nullptr) << "the editor runs on without the library";
    if (dialog) {
        EXPECT_EQ(EditorWindow(dialog).ControlOfClass("Scintilla"), nullptr);
        EXPECT_NE(EditorWindow(dialog).PageWithCaption("Code"), nullptr);
        ::PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    EXPECT_EQ(host.WaitForExit(), 0u);
    return text;
}

TEST(ScintillaLoading, AMissingLibraryIsReportedWithItsPath) {
    SecondHost host;
    const std::string expected = "Could not locate " + host.ProgramFolder().Path() + "scilexer.dll";
    EXPECT_EQ(Lower(LibraryMessageOfEditor(host)), Lower(expected));
}

TEST(ScintillaLoading, AFileThatIsNoLibraryIsReportedWithTheFailedHandle) {
    SecondHost host;
    host.ProgramFolder().Write("scilexer.dll", "not a library\r\n");
    const std::string expected = "Could not load " + host.ProgramFolder().Path() + "scilexer.dll - 0x00000000";
    EXPECT_EQ(Lower(LibraryMessageOfEditor(host)), Lower(expected));
}

}  // namespace
}  // namespace tarvel::uitest
