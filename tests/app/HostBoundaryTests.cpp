// What a host hands to the two exports beyond the records: its window (of
// another thread, out of sight), a second thread, the module's own folder.
#include <gtest/gtest.h>

#include <windows.h>

#include "host/HostPaths.h"
#include "host/HostPromptRequest.h"
#include "tests/editor/DialogScript.h"
#include "tests/editor/EditorHost.h"
#include "tests/editor/TemplateFolder.h"

#include <atomic>
#include <functional>
#include <thread>

namespace tarvel::uitest {
namespace {

constexpr char kPromptTitle[] = "Prompt over the host";
constexpr DWORD kHostBlock = 8000;
constexpr DWORD kSecondCallWait = 5000;

// One export on a fresh record: what it returns when cancelled and when refused.
struct ExportCall {
    const char* what;
    const char* caption;
    int cancelled;
    int refused;
    std::function<int(HWND parent)> call;
};

const ExportCall kExports[] = {
    {"the editor", DialogScript::kEditorCaption, IDCANCEL, -1,
     [](HWND parent) { return EditorHost::ShowAutotextEditor(TemplateFolder().Path(), parent); }},
    {"the prompt", kPromptTitle, IDCANCEL, IDCANCEL,
     [](HWND parent) {
         host::HostPromptRequest request(kPromptTitle, "code", {"name"}, {});
         request.Record().parentWindow = parent;
         return EditorHost::ShowAutotextDlg(request.Record());
     }},
};

// Runs the export with the step inside its dialog, then cancels it.
int RunAndCancel(const ExportCall& open, HWND parent, const std::function<void(EditorWindow&)>& step) {
    DialogScript script(open.caption);
    script.Do("look and cancel", [&](EditorWindow& window) {
        step(window);
        window.PostCommand(IDCANCEL);
    });
    return script.Run([&] { return open.call(parent); });
}

// A host window whose thread answers no message for a while, as a host
// thread that waits for the call would.
TEST(HostBoundary, AParentWindowOfAnotherThreadIsTakenAsNoneAndNothingWaitsOnIt) {
    for (const ExportCall& open : kExports) {
        std::atomic<HWND> host{nullptr};
        std::atomic<bool> answering{false};
        std::atomic<DWORD> hostThreadId{0};
        const HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::thread hostThread([&] {
            hostThreadId = ::GetCurrentThreadId();
            host = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                     nullptr, nullptr, nullptr);
            ::WaitForSingleObject(release, kHostBlock);
            answering = true;
            MSG message;
            while (::GetMessageA(&message, nullptr, 0, 0) > 0) {
                ::DispatchMessageA(&message);
            }
            ::DestroyWindow(host);
        });
        while (!host) {
            ::Sleep(10);
        }
        bool answeredFirst = true;
        HWND owner = nullptr;
        EXPECT_EQ(RunAndCancel(open, host,
                               [&](EditorWindow& window) {
                                   answeredFirst = answering;
                                   owner = ::GetWindow(window.Handle(), GW_OWNER);
                               }),
                  open.cancelled)
            << open.what;
        EXPECT_FALSE(answeredFirst) << open.what << " waited for the other thread";
        EXPECT_NE(owner, host) << open.what;
        ::SetEvent(release);
        ::PostThreadMessageA(hostThreadId, WM_QUIT, 0, 0);
        hostThread.join();
        ::CloseHandle(release);
    }
}

// The second call's dialog, if it opens after all, is cancelled so that its
// thread ends; the test has failed by then.
BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    ::PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    return TRUE;
}

TEST(HostBoundary, ACallFromAnotherThreadWhileADialogRunsIsRefused) {
    for (size_t first = 0; first < std::size(kExports); ++first) {
        const ExportCall& second = kExports[1 - first];
        std::atomic<bool> returned{false};
        int result = 0;
        EXPECT_EQ(RunAndCancel(kExports[first], nullptr,
                               [&](EditorWindow&) {
                                   std::atomic<DWORD> id{0};
                                   std::thread other([&] {
                                       id = ::GetCurrentThreadId();
                                       result = second.call(nullptr);
                                       returned = true;
                                   });
                                   for (DWORD waited = 0; !returned && waited < kSecondCallWait; waited += 50) {
                                       ::Sleep(50);
                                   }
                                   EXPECT_TRUE(returned) << second.what << " opened beside the other dialog";
                                   while (!returned) {
                                       ::EnumThreadWindows(id, CancelDialog, 0);
                                       ::Sleep(100);
                                   }
                                   other.join();
                               }),
                  kExports[first].cancelled);
        EXPECT_EQ(result, second.refused) << second.what;
    }
}

bool IsOnScreen(const RECT& window) {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    return window.left >= left && window.top >= top &&
           window.right <= left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN) &&
           window.bottom <= top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN);
}

// A host that expands an entry while minimized or in its tray.
TEST(HostBoundary, AnOwnerOutOfSightLeavesTheDialogOnTheScreen) {
    for (const ExportCall& open : kExports) {
        for (const int show : {SW_MINIMIZE, SW_HIDE}) {
            HWND owner = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                           nullptr, nullptr, nullptr, nullptr);
            ::ShowWindow(owner, show);
            RECT shown{};
            EXPECT_EQ(RunAndCancel(open, owner, [&](EditorWindow& window) { ::GetWindowRect(window.Handle(), &shown); }),
                      open.cancelled);
            EXPECT_TRUE(IsOnScreen(shown)) << open.what << " with show " << show << " at " << shown.left << ","
                                           << shown.top;
            ::DestroyWindow(owner);
        }
    }
}

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                          &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

// A copy of the module beside its editing library, in a folder whose name
// the ANSI code page cannot spell (a user profile in another script), loaded
// as a module of its own.
TEST(HostBoundary, AModuleInAFolderOutsideTheCodePageFindsItsEditingLibrary) {
    const TemplateFolder parent;
    const std::wstring folder = Wide(parent.Path()) + L"\u0416\u0438\u0437\\";
    const std::wstring copyName = folder + L"TarvelCopy.dll";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(::CopyFileW(Wide(host::ProgramFolder() + "Tarvel.dll").c_str(), copyName.c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(Wide(host::ProgramFolder() + "scilexer.dll").c_str(), (folder + L"scilexer.dll").c_str(),
                            FALSE));
    const HMODULE copy = ::LoadLibraryW(copyName.c_str());
    ASSERT_NE(copy, nullptr);
    const auto prompt = reinterpret_cast<int(__cdecl*)(AutotextDlgRequest*)>(
        reinterpret_cast<void (*)()>(::GetProcAddress(copy, "ShowAutotextDlg")));
    host::HostPromptRequest request(kPromptTitle, "code", {"name"}, {});
    bool codeView = false;
    DialogScript script(kPromptTitle);
    script.Do("look for the code view", [&](EditorWindow& window) {
        codeView = window.ControlOfClass("Scintilla") != nullptr;
        window.PostCommand(IDCANCEL);
    });
    EXPECT_EQ(script.Run([&] { return prompt(&request.Record()); }), IDCANCEL);
    ::FreeLibrary(copy);
    EXPECT_TRUE(codeView);
    for (const auto& box : script.Boxes().Boxes()) {
        ADD_FAILURE() << box.caption << ": " << box.text;
    }
    for (const wchar_t* file : {L"TarvelCopy.dll", L"scilexer.dll"}) {
        ::DeleteFileW((folder + file).c_str());
    }
    ::RemoveDirectoryW(folder.c_str());
}

}  // namespace
}  // namespace tarvel::uitest
