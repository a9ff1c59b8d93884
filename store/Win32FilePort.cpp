#include "store/Win32FilePort.h"

#include <windows.h>

#include <io.h>
#include <shlwapi.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>

namespace {

// Another program (a virus scanner, an editor) may hold the file for a moment.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryDelayMs = 50;

class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle()
    {
        if (valid())
            CloseHandle(handle_);
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return handle_; }
    bool close()
    {
        const HANDLE handle = handle_;
        handle_ = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != FALSE;
    }

private:
    HANDLE handle_;
};

std::string directoryOf(const std::string& path)
{
    const auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string(".") : path.substr(0, slash + 1);
}

bool isTransientError(DWORD error)
{
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ||
           error == ERROR_ACCESS_DENIED;
}

bool writeAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1 << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

bool moveIntoPlace(const std::string& temporary, const std::string& path)
{
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(temporary.c_str(), path.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        if (attempt == kReplaceAttempts || !isTransientError(GetLastError()))
            return false;
        Sleep(kReplaceRetryDelayMs);
    }
}

} // namespace

bool Win32FilePort::exists(const std::string& path)
{
    return PathFileExistsA(path.c_str()) != FALSE;
}

unsigned long Win32FilePort::createEmpty(const std::string& path)
{
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr));
    return file.valid() ? 0 : GetLastError();
}

int Win32FilePort::makeWritable(const std::string& path)
{
    return _chmod(path.c_str(), _S_IREAD | _S_IWRITE) == 0 ? 0 : errno;
}

unsigned long Win32FilePort::readAll(const std::string& path, std::string& bytes)
{
    bytes.clear();
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file.valid())
        return GetLastError();
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

FilePort::WriteResult Win32FilePort::replaceContents(const std::string& path, const std::string& bytes)
{
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(directoryOf(path).c_str(), "tpl", 0, temporary))
        return {WriteStage::Open, GetLastError()};
    const auto fail = [&](WriteStage stage) {
        const DWORD error = GetLastError();
        DeleteFileA(temporary);
        return WriteResult{stage, error};
    };
    FileHandle file(CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid())
        return fail(WriteStage::Open);
    if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.close())
        return fail(WriteStage::Write);
    if (!moveIntoPlace(temporary, path))
        return fail(WriteStage::Replace);
    return {};
}

std::optional<std::string> Win32FilePort::systemErrorText(unsigned long code)
{
    char* buffer = nullptr;
    const DWORD length = FormatMessageA(
        FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(&buffer), 0, nullptr);
    if (length == 0 || buffer == nullptr)
        return std::nullopt;
    std::string text(buffer, length);
    LocalFree(buffer);
    return text;
}
