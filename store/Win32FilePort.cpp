#include "store/Win32FilePort.h"

#include <windows.h>

#include <io.h>
#include <shlwapi.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <string>

#include "handles/UniqueHandle.h"

using tarvel::UniqueFileHandle;

namespace {

// Another program (a virus scanner, an editor) may hold the file for a moment.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryDelayMs = 50;

constexpr int kTemporaryNameAttempts = 100;

// The directory part of a path as written: up to the last separator, or the
// drive of a drive-relative path such as "D:cpp.tpl".
std::string DirectoryPartOf(const std::string& path) {
    const auto end = path.find_last_of("\\/:");
    return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

// A new file beside the path: same directory, same drive, and a name no
// longer than a template file's, so that a path the system accepts for the
// file is accepted for it too. Its name, or empty with the error in
// GetLastError.
std::string CreateTemporaryBeside(const std::string& path, UniqueFileHandle& file) {
    const std::string directory = DirectoryPartOf(path);
    for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
        const std::string name = directory + "~tv" + std::to_string(10 + attempt);
        HANDLE handle =
            CreateFileA(name.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (handle != INVALID_HANDLE_VALUE) {
            file.reset(handle);
            return name;
        }
        if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
            return {};
    }
    return {};
}

bool IsTransientError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED;
}

bool WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr))
            return false;
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        done += written;
    }
    return true;
}

bool MoveIntoPlace(const std::string& temporary, const std::string& path) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt == kReplaceAttempts || !IsTransientError(GetLastError()))
            return false;
        Sleep(kReplaceRetryDelayMs);
    }
}

}  // namespace

bool Win32FilePort::Exists(const std::string& path) { return PathFileExistsA(path.c_str()) != FALSE; }

unsigned long Win32FilePort::CreateEmpty(const std::string& path) {
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr));
    return file ? 0 : GetLastError();
}

int Win32FilePort::MakeWritable(const std::string& path) {
    return _chmod(path.c_str(), _S_IREAD | _S_IWRITE) == 0 ? 0 : errno;
}

unsigned long Win32FilePort::ReadAll(const std::string& path, std::string& bytes) {
    bytes.clear();
    UniqueFileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return GetLastError();
    LARGE_INTEGER size{};
    if (GetFileSizeEx(file.get(), &size) && size.QuadPart < static_cast<LONGLONG>(bytes.max_size()))
        bytes.reserve(static_cast<std::size_t>(size.QuadPart));
    char buffer[64 * 1024];
    for (;;) {
        DWORD got = 0;
        if (!ReadFile(file.get(), buffer, sizeof buffer, &got, nullptr))
            return GetLastError();
        if (got == 0)
            return 0;
        bytes.append(buffer, got);
    }
}

FilePort::WriteResult Win32FilePort::ReplaceContents(const std::string& path, const std::string& bytes) {
    UniqueFileHandle file;
    const std::string temporary = CreateTemporaryBeside(path, file);
    if (temporary.empty())
        return {WriteStage::Open, GetLastError()};
    // The handle goes before the file: an open file cannot be deleted.
    const auto fail = [&](WriteStage stage) {
        const DWORD error = GetLastError();
        file.reset();
        DeleteFileA(temporary.c_str());
        return WriteResult{stage, error};
    };
    if (!WriteAll(file.get(), bytes) || !FlushFileBuffers(file.get()))
        return fail(WriteStage::Write);
    if (!CloseHandle(file.release()))
        return fail(WriteStage::Write);
    if (!MoveIntoPlace(temporary, path))
        return fail(WriteStage::Replace);
    return {};
}

std::optional<std::string> Win32FilePort::SystemErrorText(unsigned long code) {
    char* buffer = nullptr;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr)
        return std::nullopt;
    std::string text(buffer, length);
    LocalFree(buffer);
    return text;
}
