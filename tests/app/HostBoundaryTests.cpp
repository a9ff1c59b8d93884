// What a host hands to the two exports across threads: a window of another
// thread as the parent, and a call from a second thread while a dialog runs.
#include <gtest/gtest.h>

#include <windows.h>

#include "host/HostPaths.h"
#include "host/HostPromptRequest.h"
#include "tests/editor/DialogScript.h"
#include "tests/editor/EditorHost.h"
#include "tests/editor/TemplateFolder.h"

#include <atomic>
#include <cstring>
#include <functional>
#include <optional>
#include <thread>

namespace tarvel::uitest {
namespace {

constexpr char kPromptTitle[] = "Prompt over the host";
constexpr int kEditorRefused = -1;
constexpr int kPromptCancelled = 2;
constexpr DWORD kForeignBlock = 8000;
constexpr DWORD kSecondCallWait = 5000;

// A window of another thread, which does not answer messages until it is
// released (or the block ends), as a host thread waiting for the call would.
class ForeignWindow {
public:
    ForeignWindow() {
        const HANDLE created = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread_ = std::thread([this, created] {
            hwnd_ = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr,
                                      nullptr, nullptr, nullptr);
            ::SetEvent(created);
            ::WaitForSingleObject(release_, kForeignBlock);
            answering_ = true;
            MSG message;
            while (!stop_) {
                while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                    ::DispatchMessageA(&message);
                }
                ::Sleep(10);
            }
            ::DestroyWindow(hwnd_);
        });
        ::WaitForSingleObject(created, INFINITE);
        ::CloseHandle(created);
    }
    ~ForeignWindow() {
        stop_ = true;
        ::SetEvent(release_);
        thread_.join();
        ::CloseHandle(release_);
    }
    ForeignWindow(const ForeignWindow&) = delete;
    ForeignWindow& operator=(const ForeignWindow&) = delete;

    HWND Handle() const noexcept { return hwnd_; }
    bool Answering() const noexcept { return answering_; }

private:
    HANDLE release_ = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> answering_{false};
    std::atomic<bool> stop_{false};
    HWND hwnd_ = nullptr;
    std::thread thread_;
};

// One export as a host calls it, with a parent window, on a fresh record.
struct ExportCall {
    const char* what;
    const char* caption;
    int cancelled;
    int refused;
    std::function<int(HWND parent)> call;
};

const ExportCall kExports[] = {
    {"the editor", DialogScript::kEditorCaption, IDCANCEL, kEditorRefused,
     [](HWND parent) {
         const TemplateFolder folder;
         return EditorHost::ShowAutotextEditor(folder.Path(), parent);
     }},
    {"the prompt", kPromptTitle, kPromptCancelled, kPromptCancelled,
     [](HWND parent) {
         host::HostPromptRequest request(kPromptTitle, "code", {"name"}, {});
         request.Record().parentWindow = parent;
         return EditorHost::ShowAutotextDlg(request.Record());
     }},
};

TEST(HostBoundary, AParentWindowOfAnotherThreadIsTakenAsNoneAndNothingWaitsOnIt) {
    for (const ExportCall& open : kExports) {
        ForeignWindow host;
        bool hostAnsweredFirst = true;
        HWND owner = nullptr;
        DialogScript script(open.caption);
        script.Do("look at the owner", [&](EditorWindow& window) {
            hostAnsweredFirst = host.Answering();
            owner = ::GetWindow(window.Handle(), GW_OWNER);
            window.PostCommand(IDCANCEL);
        });
        EXPECT_EQ(script.Run([&] { return open.call(host.Handle()); }), open.cancelled) << open.what;
        EXPECT_FALSE(hostAnsweredFirst) << open.what << " waited for the other thread";
        EXPECT_NE(owner, host.Handle()) << open.what;
    }
}

BOOL CALLBACK CancelDialog(HWND window, LPARAM) {
    ::PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    return TRUE;
}

// The call's result on a thread of its own, or none when it did not return
// in time (its dialog is then cancelled, so that the thread ends).
std::optional<int> CallOnAnotherThread(const ExportCall& second) {
    std::atomic<bool> done{false};
    std::atomic<DWORD> threadId{0};
    int result = 0;
    std::thread thread([&] {
        threadId = ::GetCurrentThreadId();
        result = second.call(nullptr);
        done = true;
    });
    const DWORD start = ::GetTickCount();
    while (!done && ::GetTickCount() - start < kSecondCallWait) {
        ::Sleep(20);
    }
    const bool returned = done;
    while (!done) {
        ::EnumThreadWindows(threadId, CancelDialog, 0);
        ::Sleep(100);
    }
    thread.join();
    return returned ? std::optional<int>(result) : std::nullopt;
}

TEST(HostBoundary, ACallFromAnotherThreadWhileADialogRunsIsRefused) {
    for (size_t first = 0; first < std::size(kExports); ++first) {
        const ExportCall& running = kExports[first];
        const ExportCall& second = kExports[1 - first];
        std::optional<int> secondResult;
        DialogScript script(running.caption);
        script.Do("call the other export from another thread", [&](EditorWindow& window) {
            secondResult = CallOnAnotherThread(second);
            window.PostCommand(IDCANCEL);
        });
        EXPECT_EQ(script.Run([&] { return running.call(nullptr); }), running.cancelled) << running.what;
        ASSERT_TRUE(secondResult.has_value()) << second.what << " opened beside " << running.what;
        EXPECT_EQ(*secondResult, second.refused) << second.what;
    }
}

}  // namespace
}  // namespace tarvel::uitest

namespace tarvel::uitest {
namespace {

struct OwnerState {
    const char* what;
    int show;
};

const OwnerState kOwnersOutOfSight[] = {{"minimized", SW_MINIMIZE}, {"hidden", SW_HIDE}};

bool IsOnScreen(const RECT& window) {
    const int left = ::GetSystemMetrics(SM_XVIRTUALSCREEN), top = ::GetSystemMetrics(SM_YVIRTUALSCREEN);
    const RECT screen{left, top, left + ::GetSystemMetrics(SM_CXVIRTUALSCREEN),
                      top + ::GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    return window.left >= screen.left && window.top >= screen.top && window.right <= screen.right &&
           window.bottom <= screen.bottom;
}

// A host that expands an entry from its tray, or while minimized, still
// gets a dialog the user can see.
TEST(HostBoundary, AnOwnerOutOfSightLeavesTheDialogOnTheScreen) {
    for (const ExportCall& open : kExports) {
        for (const OwnerState& state : kOwnersOutOfSight) {
            HWND owner = ::CreateWindowExA(0, "STATIC", "host", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 100, 100, 400, 300,
                                           nullptr, nullptr, nullptr, nullptr);
            ::ShowWindow(owner, state.show);
            RECT shown{};
            DialogScript script(open.caption);
            script.Do("read where the dialog is", [&](EditorWindow& window) {
                ::GetWindowRect(window.Handle(), &shown);
                window.PostCommand(IDCANCEL);
            });
            EXPECT_EQ(script.Run([&] { return open.call(owner); }), open.cancelled) << open.what;
            EXPECT_TRUE(IsOnScreen(shown)) << open.what << " over a " << state.what << " owner at " << shown.left
                                           << "," << shown.top;
            ::DestroyWindow(owner);
        }
    }
}

}  // namespace
}  // namespace tarvel::uitest

namespace tarvel::uitest {
namespace {

using ExportFunction = int(__cdecl*)(void*);

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size(), L'\0');
    wide.resize(static_cast<size_t>(::MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()),
                                                          &wide[0], static_cast<int>(wide.size()))));
    return wide;
}

// A copy of the module with its editing library, in a folder whose name the
// ANSI code page cannot spell (a user profile named in another script),
// loaded as a second module of its own.
class ModuleCopy {
public:
    explicit ModuleCopy(const TemplateFolder& parent) : folder_(Wide(parent.Path()) + L"\u0416\u0438\u0437\\") {
        ::CreateDirectoryW(folder_.c_str(), nullptr);
        for (const char* file : {"Tarvel.dll", "scilexer.dll"}) {
            ::CopyFileW(Wide(host::ProgramFolder() + file).c_str(), (folder_ + Wide(file)).c_str(), FALSE);
        }
        ::MoveFileW((folder_ + L"Tarvel.dll").c_str(), (folder_ + kCopyName).c_str());
        module_ = ::LoadLibraryW((folder_ + kCopyName).c_str());
    }
    ~ModuleCopy() {
        if (module_) {
            ::FreeLibrary(module_);
        }
        for (const wchar_t* file : {kCopyName, L"scilexer.dll"}) {
            ::DeleteFileW((folder_ + file).c_str());
        }
        ::RemoveDirectoryW(folder_.c_str());
    }
    ModuleCopy(const ModuleCopy&) = delete;
    ModuleCopy& operator=(const ModuleCopy&) = delete;

    ExportFunction Export(const char* name) const {
        return module_ ? reinterpret_cast<ExportFunction>(reinterpret_cast<void (*)()>(::GetProcAddress(module_, name)))
                       : nullptr;
    }

private:
    static constexpr wchar_t kCopyName[] = L"TarvelCopy.dll";
    std::wstring folder_;
    HMODULE module_ = nullptr;
};

TEST(HostBoundary, AModuleInAFolderOutsideTheCodePageFindsItsEditingLibrary) {
    const TemplateFolder parent;
    const ModuleCopy copy(parent);
    const ExportFunction prompt = copy.Export("ShowAutotextDlg");
    ASSERT_NE(prompt, nullptr);
    host::HostPromptRequest request(kPromptTitle, "code", {"name"}, {});
    bool codeView = false;
    DialogScript script(kPromptTitle);
    script.Do("look for the code view", [&](EditorWindow& window) {
        codeView = window.ControlOfClass("Scintilla") != nullptr;
        window.PostCommand(IDCANCEL);
    });
    EXPECT_EQ(script.Run([&] { return prompt(&request.Record()); }), kPromptCancelled);
    EXPECT_TRUE(codeView);
    for (const auto& box : script.Boxes().Boxes()) {
        ADD_FAILURE() << box.caption << ": " << box.text;
    }
}

}  // namespace
}  // namespace tarvel::uitest
