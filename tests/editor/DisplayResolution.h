#pragma once

// Runs at another resolution of the display: Wine reads it from the registry
// when a program starts, so a test sets it and runs one test of its own
// program again, which reads the resolution it should see from the variable.
#include <windows.h>

#include <string>

#include <gtest/gtest.h>

namespace tarvel::uitest {

inline constexpr char kDpiVariable[] = "TARVEL_TEST_DPI";
inline constexpr int kHigherDpi = 144;
inline constexpr DWORD kChildRunTimeout = 120000;

class DisplayResolution {
public:
    explicit DisplayResolution(int dpi) {
        if (::RegCreateKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr,
                              &key_, nullptr) != ERROR_SUCCESS) {
            key_ = nullptr;
            return;
        }
        DWORD size = sizeof(previous_);
        DWORD type = 0;
        hadValue_ = ::RegQueryValueExA(key_, kValue, nullptr, &type, reinterpret_cast<BYTE*>(&previous_), &size) ==
                        ERROR_SUCCESS &&
                    type == REG_DWORD;
        const DWORD value = static_cast<DWORD>(dpi);
        set_ = ::RegSetValueExA(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
               ERROR_SUCCESS;
    }
    ~DisplayResolution() {
        if (!key_) {
            return;
        }
        if (hadValue_) {
            ::RegSetValueExA(key_, kValue, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&previous_), sizeof(previous_));
        } else {
            ::RegDeleteValueA(key_, kValue);
        }
        ::RegCloseKey(key_);
    }
    DisplayResolution(const DisplayResolution&) = delete;
    DisplayResolution& operator=(const DisplayResolution&) = delete;

    bool IsSet() const { return set_; }

private:
    static constexpr char kValue[] = "LogPixels";
    HKEY key_ = nullptr;
    DWORD previous_ = 0;
    bool hadValue_ = false;
    bool set_ = false;
};

// Runs one test of this program in a process of its own that knows the
// resolution it should see; its exit code.
inline int RunThisProgramAt(int dpi, const char* test) {
    char program[MAX_PATH] = {};
    ::GetModuleFileNameA(nullptr, program, MAX_PATH);
    std::string commandLine = std::string("\"") + program + "\" --gtest_filter=" + test;
    ::SetEnvironmentVariableA(kDpiVariable, std::to_string(dpi).c_str());
    STARTUPINFOA startup = {};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process = {};
    const BOOL started =
        ::CreateProcessA(nullptr, &commandLine[0], nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process);
    ::SetEnvironmentVariableA(kDpiVariable, nullptr);
    if (!started) {
        ADD_FAILURE() << "cannot start " << commandLine;
        return -1;
    }
    DWORD exitCode = static_cast<DWORD>(-1);
    if (::WaitForSingleObject(process.hProcess, kChildRunTimeout) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &exitCode);
    } else {
        ADD_FAILURE() << "the run at " << dpi << " dpi did not end";
        ::TerminateProcess(process.hProcess, 1);
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);
    return static_cast<int>(exitCode);
}

}  // namespace tarvel::uitest
