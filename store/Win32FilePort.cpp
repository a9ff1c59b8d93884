#include "store/Win32FilePort.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <string>
#include <utility>
#include <vector>

#include "handles/UniqueHandle.h"

namespace tarvel {

namespace {

// Another program (a virus scanner, an editor) may hold the file for a moment.
constexpr int kReplaceAttempts = 20;
constexpr DWORD kReplaceRetryDelayMs = 50;

constexpr std::size_t kMaxChunk = 1 << 20;
// Room for an access list of a few entries, so that one query usually does.
constexpr std::size_t kUsualAccessListBytes = 1024;
// Room for a usual final path, so that one query usually does.
constexpr DWORD kUsualPathLength = 2 * MAX_PATH;
constexpr ULONGLONG kFileTimeUnitsPerSecond = 10000000;

// The C runtime's codes that the store's chmod messages know.
constexpr int kErrnoNotFound = ENOENT;
constexpr int kErrnoInvalid = EINVAL;
constexpr int kErrnoDenied = EACCES;

constexpr wchar_t kLongPrefix[] = L"\\\\?\\";
constexpr wchar_t kLongUncPrefix[] = L"\\\\?\\UNC\\";

std::wstring Wide(const std::string& text) {
    if (text.empty())
        return {};
    const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// Empty when the ANSI code page cannot spell the text. No best fit: it
// spells a name it cannot hold as another one ("zloty" for "z\u0142oty"), which
// may name a different file.
std::string Narrow(const std::wstring& wide) {
    if (wide.empty())
        return {};
    BOOL lossy = FALSE;
    const int length = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                           nullptr, 0, nullptr, &lossy);
    if (length <= 0 || lossy)
        return {};
    std::string text(static_cast<std::size_t>(length), '\0');
    if (WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), text.data(),
                            length, nullptr, &lossy) != length ||
        lossy)
        return {};
    return text;
}

std::wstring FullPath(const std::wstring& path) {
    const DWORD needed = GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (needed == 0)
        return path;
    std::wstring full(needed, L'\0');
    full.resize(GetFullPathNameW(path.c_str(), needed, full.data(), nullptr));
    return full;
}

// The path as the wide calls take it beyond the classic limit: full, with
// the long-path prefix.
std::wstring LongPath(const std::string& path) {
    const std::wstring wide = Wide(path);
    if (wide.empty() || wide.rfind(kLongPrefix, 0) == 0)
        return wide;
    const std::wstring full = FullPath(wide);
    if (full.rfind(L"\\\\", 0) == 0)
        return kLongUncPrefix + full.substr(2);
    return kLongPrefix + full;
}

// The short (8.3) form of a path in the long-path form; empty when the
// system has none.
std::wstring ShortPath(const std::wstring& path) {
    const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (needed == 0)
        return {};
    std::wstring shortPath(needed, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
    if (length == 0 || length >= needed)
        return {};
    shortPath.resize(length);
    return shortPath;
}

// A path from the system without its long-path prefix.
std::wstring WithoutLongPrefix(const std::wstring& path) {
    if (path.rfind(kLongUncPrefix, 0) == 0)
        return L"\\\\" + path.substr(std::wcslen(kLongUncPrefix));
    if (path.rfind(kLongPrefix, 0) == 0)
        return path.substr(std::wcslen(kLongPrefix));
    return path;
}

// Opened only to ask about the file: it conflicts with no other program's
// sharing, and a directory opens too.
UniqueFileHandle OpenForQuery(const std::string& path, DWORD access = FILE_READ_ATTRIBUTES) {
    return UniqueFileHandle(CreateFileW(LongPath(path).c_str(), access,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                        FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

bool IsTransientError(DWORD error) {
    return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION || error == ERROR_ACCESS_DENIED ||
           error == ERROR_UNABLE_TO_REMOVE_REPLACED;
}

std::uint64_t ToUnsigned(DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; }

bool MoveTo(HANDLE file, std::uint64_t offset) {
    LARGE_INTEGER position{};
    position.QuadPart = static_cast<LONGLONG>(offset);
    return SetFilePointerEx(file, position, nullptr, FILE_BEGIN) != FALSE;
}

class Win32WritableFile : public WritableFile {
public:
    explicit Win32WritableFile(UniqueFileHandle file) : file_(std::move(file)) {}

    unsigned long ReadAll(std::string& bytes) override {
        bytes.clear();
        if (!MoveTo(file_.get(), 0))
            return GetLastError();
        char buffer[64 * 1024];
        for (;;) {
            DWORD got = 0;
            if (!ReadFile(file_.get(), buffer, sizeof buffer, &got, nullptr))
                return GetLastError();
            if (got == 0)
                break;
            bytes.append(buffer, got);
        }
        return MoveTo(file_.get(), 0) ? 0 : GetLastError();
    }

    unsigned long Write(std::string_view bytes) override {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = static_cast<DWORD>(std::min(bytes.size() - done, kMaxChunk));
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr))
                return GetLastError();
            if (written == 0)
                return ERROR_WRITE_FAULT;
            done += written;
        }
        return 0;
    }
    unsigned long Flush() override { return FlushFileBuffers(file_.get()) ? 0 : GetLastError(); }
    // Zeros written past the old end take the room on disk. The length alone
    // leaves a sparse file where the system allocates only on writing (Wine
    // refuses the allocation call), and a full disk would then show only once
    // old bytes were overwritten. A refusal gives the file its old length back.
    unsigned long Reserve(std::uint64_t size) override {
        LARGE_INTEGER current{};
        if (!GetFileSizeEx(file_.get(), &current))
            return GetLastError();
        const auto old = static_cast<std::uint64_t>(current.QuadPart);
        if (size <= old)
            return 0;
        if (const auto error = WriteZeros(old, size)) {
            Truncate(old);
            return error;
        }
        return MoveTo(file_.get(), 0) ? 0 : GetLastError();
    }
    unsigned long Truncate(std::uint64_t size) override {
        if (!MoveTo(file_.get(), size) || !SetEndOfFile(file_.get()))
            return GetLastError();
        return 0;
    }
    unsigned long Close() override { return CloseHandle(file_.release()) ? 0 : GetLastError(); }

private:
    unsigned long WriteZeros(std::uint64_t from, std::uint64_t to) {
        static const char kZeros[64 * 1024] = {};
        if (!MoveTo(file_.get(), from))
            return GetLastError();
        for (auto left = to - from; left > 0;) {
            const auto chunk = static_cast<std::size_t>(std::min<std::uint64_t>(left, sizeof kZeros));
            if (const auto error = Write(std::string_view(kZeros, chunk)))
                return error;
            left -= chunk;
        }
        return 0;
    }

    UniqueFileHandle file_;
};

// Straight into the string as long as the file is as long as it was found;
// what it gained since comes through the buffer.
unsigned long ReadInto(HANDLE file, std::string& bytes) {
    std::size_t done = 0;
    char buffer[64 * 1024];
    for (;;) {
        const bool inPlace = done < bytes.size();
        char* into = inPlace ? bytes.data() + done : buffer;
        const auto room = inPlace ? std::min<std::size_t>(bytes.size() - done, kMaxChunk) : sizeof buffer;
        DWORD got = 0;
        if (!ReadFile(file, into, static_cast<DWORD>(room), &got, nullptr))
            return GetLastError();
        if (got == 0) {
            bytes.resize(done);
            return 0;
        }
        if (!inPlace)
            bytes.append(buffer, got);
        done += got;
    }
}

// The size and modification time of an open file. Not
// GetFileInformationByHandle: it also asks for the volume's serial number, a
// round trip to the mount manager under Wine.
std::optional<FileState> StateOfOpen(HANDLE file) {
    FILE_STANDARD_INFO standard{};
    FILE_BASIC_INFO basic{};
    if (!GetFileInformationByHandleEx(file, FileStandardInfo, &standard, sizeof standard) ||
        !GetFileInformationByHandleEx(file, FileBasicInfo, &basic, sizeof basic))
        return std::nullopt;
    return FileState{static_cast<std::uint64_t>(standard.EndOfFile.QuadPart),
                     static_cast<std::int64_t>(basic.LastWriteTime.QuadPart)};
}

// The path of an open file as the system resolved it, with the long-path
// prefix; empty when it cannot be asked.
std::wstring FinalPathOf(HANDLE file) {
    constexpr DWORD kFlags = FILE_NAME_NORMALIZED | VOLUME_NAME_DOS;
    std::wstring final(kUsualPathLength, L'\0');
    DWORD length = GetFinalPathNameByHandleW(file, final.data(), kUsualPathLength, kFlags);
    if (length >= kUsualPathLength) {
        final.resize(length);
        length = GetFinalPathNameByHandleW(file, final.data(), length, kFlags);
    }
    final.resize(length < final.size() ? length : 0);
    return final;
}

// Attributes that describe the file rather than its contents or its kind.
constexpr DWORD kKeptAttributes =
    FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

// The attributes a new file takes from the one it replaces.
DWORD AttributesToKeep(const std::wstring& model) {
    const DWORD attributes = GetFileAttributesW(model.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & kKeptAttributes) == 0)
        return FILE_ATTRIBUTE_NORMAL;
    return attributes & kKeptAttributes;
}

// The model's access list, for a new file to take in its place: without it
// the new file would get the folder's inherited one (and under Wine the
// default permission bits). Empty when it cannot be read.
std::vector<BYTE> AccessListOf(const std::string& model) {
    std::vector<BYTE> descriptor(kUsualAccessListBytes);
    const auto file = OpenForQuery(model, READ_CONTROL);
    DWORD needed = 0;
    if (!file)
        return {};
    if (GetKernelObjectSecurity(file.get(), DACL_SECURITY_INFORMATION, descriptor.data(),
                                static_cast<DWORD>(descriptor.size()), &needed))
        return descriptor;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || needed == 0)
        return {};
    descriptor.resize(needed);
    if (!GetKernelObjectSecurity(file.get(), DACL_SECURITY_INFORMATION, descriptor.data(), needed, &needed))
        descriptor.clear();
    return descriptor;
}

// The handle is owned before the file object is allocated, so that running
// out of memory there still closes it.
unsigned long Opened(HANDLE handle, std::unique_ptr<WritableFile>& file) {
    UniqueFileHandle owned(handle);
    if (!owned)
        return GetLastError();
    file = std::make_unique<Win32WritableFile>(std::move(owned));
    return 0;
}

// Closes a directory search when it goes out of scope.
class FindHandle {
public:
    explicit FindHandle(HANDLE handle) : handle_(handle) {}
    ~FindHandle() {
        if (handle_ != INVALID_HANDLE_VALUE)
            FindClose(handle_);
    }
    FindHandle(const FindHandle&) = delete;
    FindHandle& operator=(const FindHandle&) = delete;
    HANDLE get() const { return handle_; }

private:
    HANDLE handle_;
};

// The files in the directory, with the directory, whose names end with the
// suffix and that the test takes.
template <typename Test>
std::vector<std::string> FilesWhere(const std::string& directory, const std::string& suffix, Test takes) {
    std::vector<std::string> files;
    const std::wstring pattern = LongPath(directory.empty() ? std::string(".\\") : directory) + L"*" + Wide(suffix);
    WIN32_FIND_DATAW found{};
    FindHandle search(FindFirstFileW(pattern.c_str(), &found));
    if (search.get() == INVALID_HANDLE_VALUE)
        return files;
    do {
        const std::string name = Narrow(found.cFileName);
        const bool isFile = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
        if (isFile && !name.empty() && takes(found))
            files.push_back(directory + name);
    } while (FindNextFileW(search.get(), &found));
    return files;
}

}  // namespace

bool Win32FilePort::Exists(const std::string& path) {
    return GetFileAttributesW(LongPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

unsigned long Win32FilePort::CreateEmpty(const std::string& path) {
    UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OVERLAPPED, nullptr));
    return file ? 0 : GetLastError();
}

// What the C runtime's chmod does for read and write: clear the read-only
// attribute; with its errno values.
int Win32FilePort::MakeWritable(const std::string& path) {
    const auto longPath = LongPath(path);
    const DWORD attributes = GetFileAttributesW(longPath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return kErrnoNotFound;
        return error == ERROR_INVALID_NAME || error == ERROR_INVALID_PARAMETER ? kErrnoInvalid : kErrnoDenied;
    }
    if ((attributes & FILE_ATTRIBUTE_READONLY) == 0)
        return 0;
    const DWORD writable = attributes & ~FILE_ATTRIBUTE_READONLY;
    return SetFileAttributesW(longPath.c_str(), writable == 0 ? FILE_ATTRIBUTE_NORMAL : writable) ? 0 : kErrnoDenied;
}

unsigned long Win32FilePort::ReadAll(const std::string& path, std::string& bytes) {
    FileState state;
    return ReadWithState(path, bytes, state);
}

// The state comes from the handle that reads: no second open. The bytes the
// string holds already are read over, not cleared first: a save reads each
// file back into the room of the one before.
unsigned long Win32FilePort::ReadWithState(const std::string& path, std::string& bytes, FileState& state) {
    const auto failed = [&bytes](unsigned long error) {
        bytes.clear();
        return error;
    };
    UniqueFileHandle file(CreateFileW(LongPath(path).c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return failed(GetLastError());
    const auto found = StateOfOpen(file.get());
    if (!found)
        return failed(GetLastError());
    state = *found;
    // In the 32-bit build a string holds far less than a file may: such a
    // file is refused before its bytes fill the memory, with an error that
    // says why.
    if (state.size > bytes.max_size())
        return failed(ERROR_FILE_TOO_LARGE);
    bytes.resize(static_cast<std::size_t>(state.size));
    if (const auto error = ReadInto(file.get(), bytes))
        return failed(error);
    return 0;
}

std::optional<FileState> Win32FilePort::StateOf(const std::string& path) {
    const auto file = OpenForQuery(path);
    return file ? StateOfOpen(file.get()) : std::nullopt;
}

std::optional<FileIdentity> Win32FilePort::IdentityOf(const std::string& path) {
    const auto file = OpenForQuery(path);
    BY_HANDLE_FILE_INFORMATION information{};
    if (!file || !GetFileInformationByHandle(file.get(), &information))
        return std::nullopt;
    return FileIdentity{information.dwVolumeSerialNumber,
                        ToUnsigned(information.nFileIndexHigh, information.nFileIndexLow),
                        std::max<unsigned long>(information.nNumberOfLinks, 1)};
}

// Only a path that leads elsewhere is given back resolved, so that an
// ordinary path keeps its spelling. The attributes cannot tell a link first:
// Wine marks no link to a file as a reparse point.
FileTarget Win32FilePort::TargetOf(const std::string& path) {
    const auto longPath = LongPath(path);
    const UniqueFileHandle file(CreateFileW(longPath.c_str(), FILE_READ_ATTRIBUTES,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                            OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return {path};
    FILE_STANDARD_INFO standard{};
    const unsigned long links = GetFileInformationByHandleEx(file.get(), FileStandardInfo, &standard, sizeof standard)
                                    ? std::max<unsigned long>(standard.NumberOfLinks, 1)
                                    : 1;
    const auto final = FinalPathOf(file.get());
    const auto target = WithoutLongPrefix(final);
    if (final.empty() ||
        CompareStringOrdinal(target.c_str(), -1, WithoutLongPrefix(longPath).c_str(), -1, TRUE) == CSTR_EQUAL)
        return {path, links};
    if (auto narrow = Narrow(target); !narrow.empty())
        return {narrow, links};
    // A name that the code page cannot spell often has a short form it can,
    // the way ANSI programs reach such folders.
    return {Narrow(WithoutLongPrefix(ShortPath(final))), links};
}

// Inherited entries of the model's access list are inherited again from the
// folder; its own entries, and its protection from inheriting, are kept.
unsigned long Win32FilePort::CreateNew(const std::string& path, const std::string& model,
                                       std::unique_ptr<WritableFile>& file) {
    auto accessList = model.empty() ? std::vector<BYTE>() : AccessListOf(model);
    SECURITY_ATTRIBUTES security{sizeof security, accessList.data(), FALSE};
    return Opened(CreateFileW(LongPath(path).c_str(), GENERIC_WRITE, 0, accessList.empty() ? nullptr : &security,
                              CREATE_NEW, AttributesToKeep(LongPath(model)), nullptr),
                  file);
}

// Shared with every other program, which may hold the file open as well.
unsigned long Win32FilePort::OpenExisting(const std::string& path, std::unique_ptr<WritableFile>& file) {
    return Opened(CreateFileW(LongPath(path).c_str(), GENERIC_READ | GENERIC_WRITE,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr),
                  file);
}

// One rename, retried while another program holds the file for a moment.
// Not ReplaceFile: under Wine it leaves files of its own behind when it
// fails, and its access list turns into wider permission bits.
unsigned long Win32FilePort::Replace(const std::string& replacement, const std::string& path) {
    const auto from = LongPath(replacement);
    const auto to = LongPath(path);
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExW(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return 0;
        const DWORD error = GetLastError();
        if (attempt == kReplaceAttempts || !IsTransientError(error))
            return error;
        Sleep(kReplaceRetryDelayMs);
    }
}

unsigned long Win32FilePort::Remove(const std::string& path) {
    return DeleteFileW(LongPath(path).c_str()) ? 0 : GetLastError();
}

unsigned long Win32FilePort::Copy(const std::string& from, const std::string& to) {
    return CopyFileW(LongPath(from).c_str(), LongPath(to).c_str(), FALSE) ? 0 : GetLastError();
}

std::vector<std::string> Win32FilePort::StaleFiles(const std::string& directory, const std::string& suffix,
                                                   int seconds) {
    FILETIME now{};
    GetSystemTimeAsFileTime(&now);
    const auto limit = ToUnsigned(now.dwHighDateTime, now.dwLowDateTime) -
                       static_cast<ULONGLONG>(seconds) * kFileTimeUnitsPerSecond;
    return FilesWhere(directory, suffix, [limit](const WIN32_FIND_DATAW& found) {
        return ToUnsigned(found.ftLastWriteTime.dwHighDateTime, found.ftLastWriteTime.dwLowDateTime) <= limit;
    });
}

std::vector<std::string> Win32FilePort::FilesEndingWith(const std::string& directory, const std::string& suffix) {
    return FilesWhere(directory, suffix, [](const WIN32_FIND_DATAW&) { return true; });
}

// As ANSI programs reach a folder that the code page cannot spell: by its
// short name.
std::string Win32FilePort::TemporaryFolder() {
    wchar_t folder[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    if (length == 0 || length > MAX_PATH)
        return {};
    const std::wstring wide(folder, length);
    if (auto narrow = Narrow(wide); !narrow.empty())
        return narrow;
    return Narrow(ShortPath(wide));
}

unsigned long Win32FilePort::ProcessId() { return GetCurrentProcessId(); }

std::optional<std::string> Win32FilePort::SystemErrorText(unsigned long code) {
    UniqueLocalMemory<char> buffer;
    const DWORD length =
        FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<char*>(buffer.put()), 0, nullptr);
    if (length == 0 || !buffer)
        return std::nullopt;
    return std::string(buffer.get(), length);
}

LeadByteSet Win32FilePort::AnsiLeadBytes() {
    LeadByteSet leadBytes;
    CPINFO information{};
    if (!GetCPInfo(CP_ACP, &information) || information.MaxCharSize < 2)
        return leadBytes;
    for (int at = 0; at + 1 < MAX_LEADBYTES && information.LeadByte[at] != 0; at += 2)
        leadBytes.Add(information.LeadByte[at], information.LeadByte[at + 1]);
    return leadBytes;
}

}  // namespace tarvel
