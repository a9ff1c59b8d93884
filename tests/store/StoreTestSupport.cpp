#include "tests/store/StoreTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>
#include <utility>

#include "store/LegacyTemplateReader.h"
#include "store/SaveJournal.h"
#include "store/TemplateReader.h"

#ifdef _WIN32
#include <windows.h>
#include "store/Win32FilePort.h"
#else
#include <sys/stat.h>
#include <unistd.h>
#include "store/PosixFilePort.h"
#endif

namespace tarvel {

namespace fs = std::filesystem;

namespace storetest {

std::vector<AutotextEntry*> RecordingSink::Entries() const {
    std::vector<AutotextEntry*> result;
    for (const auto& item : items)
        if (item.entry)
            result.push_back(item.entry.get());
    return result;
}

std::vector<std::string> RecordingSink::Labels() const {
    std::vector<std::string> result;
    for (const auto& item : items)
        result.push_back(item.label);
    return result;
}

std::vector<ReadItem> RecordingSink::Read() const {
    std::vector<ReadItem> read;
    for (const auto& item : items) {
        auto& readItem = read.emplace_back();
        readItem.label = item.label;
        if (const AutotextEntry* entry = item.entry.get())
            readItem = {item.label, std::string(entry->title), std::string(entry->shortcut),
                        std::string(entry->description), std::string(entry->code)};
    }
    return read;
}

bool ReadItem::operator==(const ReadItem& other) const {
    return label == other.label && title == other.title && shortcut == other.shortcut &&
           description == other.description && code == other.code;
}

std::ostream& operator<<(std::ostream& out, const ReadItem& item) {
    return out << "{" << ::testing::PrintToString(item.label) << ", " << ::testing::PrintToString(item.title) << ", "
               << ::testing::PrintToString(item.shortcut) << ", " << ::testing::PrintToString(item.description)
               << ", " << ::testing::PrintToString(item.code) << "}";
}

TempDir::TempDir() {
    static std::atomic<int> counter{0};
#ifdef _WIN32
    const auto process = static_cast<unsigned long>(GetCurrentProcessId());
#else
    const auto process = static_cast<unsigned long>(getpid());
#endif
    const auto dir =
        fs::temp_directory_path() / ("tarvel-test-" + std::to_string(process) + "-" + std::to_string(counter++));
    fs::remove_all(dir);
    fs::create_directories(dir);
    path_ = dir.string() + static_cast<char>(fs::path::preferred_separator);
}

// Never throws: a folder that cannot be listed or removed is left behind
// rather than ending the test run.
TempDir::~TempDir() {
    std::error_code ignored;
    for (fs::directory_iterator item(path_, ignored), end; !ignored && item != end; item.increment(ignored)) {
        fs::permissions(item->path(), fs::perms::owner_all, fs::perm_options::add, ignored);
        ignored.clear();
    }
    fs::remove_all(path_, ignored);
}

std::vector<std::string> TempDir::FileNames() const {
    std::vector<std::string> names;
    for (const auto& item : fs::directory_iterator(path_))
        names.push_back(item.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::unique_ptr<FilePort> MakePlatformFilePort() {
#ifdef _WIN32
    return std::make_unique<Win32FilePort>();
#else
    return std::make_unique<PosixFilePort>();
#endif
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

void SetReadOnly(const std::string& path) {
#ifdef _WIN32
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
#else
    chmod(path.c_str(), 0444);
#endif
}

#ifdef _WIN32
namespace {
// Wine's own symbolic links are those of the system underneath: made there
// with ln, they are what a user's links look like to the module.
constexpr int kLinkAttempts = 100;
constexpr DWORD kLinkRetryDelayMs = 50;

std::string UnixName(const std::wstring& wide) {
    using UnixNameOf = char*(CDECL*)(LPCWSTR);
    const auto unixName = reinterpret_cast<UnixNameOf>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    if (unixName == nullptr)
        return {};
    char* name = unixName(wide.c_str());
    std::string result = name != nullptr ? name : "";
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

// Runs a program of the system underneath Wine, and waits until the path
// exists or is gone as wanted: Wine does not wait for such a program.
// The command is in UTF-8, as the system underneath names its files.
bool RunUnixCommand(const std::string& command, const std::string& path, bool exists) {
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, nullptr, 0)),
                      L'\0');
    MultiByteToWideChar(CP_UTF8, 0, command.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, wide.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    for (int attempt = 0; attempt < kLinkAttempts; ++attempt) {
        if ((GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES) == exists)
            return true;
        Sleep(kLinkRetryDelayMs);
    }
    return false;
}

std::string UnixName(const std::string& path) { return UnixName(std::wstring(path.begin(), path.end())); }

// Wine's own symbolic links are those of the system underneath: made there
// with ln, they are what a user's links look like to the module.
bool MakeUnixLink(const std::wstring& target, const std::string& link) {
    const auto unixTarget = UnixName(target);
    const auto unixLink = UnixName(link);
    if (unixTarget.empty() || unixLink.empty())
        return false;
    return RunUnixCommand("/bin/ln -s \"" + unixTarget + "\" \"" + unixLink + "\"", link, true);
}
}  // namespace
#endif

bool MakeSymbolicLink(const std::string& target, const std::string& link) {
#ifdef _WIN32
    if (CreateSymbolicLinkA(link.c_str(), target.c_str(), 0) &&
        GetFileAttributesA(link.c_str()) != INVALID_FILE_ATTRIBUTES)
        return true;
    return MakeUnixLink(std::wstring(target.begin(), target.end()), link);
#else
    return symlink(target.c_str(), link.c_str()) == 0;
#endif
}

#ifdef _WIN32
bool MakeSymbolicLinkW(const std::wstring& target, const std::string& link) { return MakeUnixLink(target, link); }

namespace {
// Asks the system underneath with stat; the answer is moved into place whole,
// since only its existence is waited for.
std::string UnixStat(const std::string& path, const std::string& format) {
    const auto unixPath = UnixName(path);
    const auto answer = path + ".stat";
    const auto unixAnswer = UnixName(answer);
    if (unixPath.empty() || unixAnswer.empty())
        return {};
    if (!RunUnixCommand("/bin/sh -c \"stat -c " + format + " '" + unixPath + "' > '" + unixAnswer + ".part' && mv '" +
                            unixAnswer + ".part' '" + unixAnswer + "'\"",
                        answer, true))
        return {};
    auto text = ReadFileBytes(answer);
    DeleteFileA(answer.c_str());
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return text;
}
}  // namespace

long long UnixBytesOnDisk(const std::string& path) {
    const auto blocks = UnixStat(path, "%b");
    return blocks.empty() ? -1 : std::stoll(blocks) * 512;
}

std::string UnixMode(const std::string& path) { return UnixStat(path, "%a"); }

bool SetUnixMode(const std::string& path, const std::string& octal) {
    const auto unixPath = UnixName(path);
    const auto done = path + ".done";
    if (unixPath.empty() || !RunUnixCommand("/bin/sh -c \"chmod " + octal + " '" + unixPath + "' && touch '" +
                                                UnixName(done) + "'\"",
                                            done, true))
        return false;
    DeleteFileA(done.c_str());
    return UnixMode(path) == octal;
}
#endif

bool MakeHardLink(const std::string& existing, const std::string& link) {
#ifdef _WIN32
    return CreateHardLinkA(link.c_str(), existing.c_str(), nullptr) != FALSE;
#else
    return ::link(existing.c_str(), link.c_str()) == 0;
#endif
}

#ifdef _WIN32
constexpr const char* kTemporaryVariable = "TMP";
#else
constexpr const char* kTemporaryVariable = "TMPDIR";
#endif

TemporaryFolderOverride::TemporaryFolderOverride(const std::string& folder) {
    if (const char* previous = std::getenv(kTemporaryVariable))
        previous_ = previous;
#ifdef _WIN32
    SetEnvironmentVariableA(kTemporaryVariable, folder.c_str());
#else
    setenv(kTemporaryVariable, folder.c_str(), 1);
#endif
}

TemporaryFolderOverride::~TemporaryFolderOverride() {
#ifdef _WIN32
    SetEnvironmentVariableA(kTemporaryVariable, previous_ ? previous_->c_str() : nullptr);
#else
    if (previous_)
        setenv(kTemporaryVariable, previous_->c_str(), 1);
    else
        unsetenv(kTemporaryVariable);
#endif
}

void RemoveSymbolicLink(const std::string& link) {
#ifdef _WIN32
    const auto unixLink = UnixName(link);
    if (unixLink.empty())
        DeleteFileA(link.c_str());
    else
        RunUnixCommand("/bin/rm -f \"" + unixLink + "\"", link, false);
#else
    unlink(link.c_str());
#endif
}

#ifdef _WIN32
namespace {
std::wstring LongPathOf(const std::string& path) {
    std::wstring wide(static_cast<std::size_t>(MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0)), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), static_cast<int>(wide.size()));
    wide.pop_back();
    return L"\\\\?\\" + wide;
}
}  // namespace
#endif

bool MakeDirectory(const std::string& path) {
#ifdef _WIN32
    return CreateDirectoryW(LongPathOf(path).c_str(), nullptr) != FALSE;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

bool RemoveEmptyDirectory(const std::string& path) {
#ifdef _WIN32
    return RemoveDirectoryW(LongPathOf(path).c_str()) != FALSE;
#else
    return rmdir(path.c_str()) == 0;
#endif
}

bool IsReadOnly(const std::string& path) {
#ifdef _WIN32
    return (GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) != 0;
#else
    struct stat info {};
    stat(path.c_str(), &info);
    return (info.st_mode & S_IWUSR) == 0;
#endif
}

void ReplaceEach(std::string& text, const std::string& from, const std::string& to) {
    for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

RecordingSink ReadTemplate(const std::string& bytes, int language) {
    RecordingSink sink;
    TemplateReader(language, sink).Read(bytes);
    return sink;
}

RecordingSink ReadLegacyTemplate(const std::string& bytes) {
    RecordingSink sink;
    LegacyTemplateReader(sink).Read(bytes);
    return sink;
}

namespace {

using Stage = SafeFileWriter::Stage;

// What a file of the scripted port is written for, which names its steps.
enum class FileRole { Temporary, InPlace, Journal };

struct RoleStages {
    Stage write, flush, close;
};

constexpr RoleStages kRoleStages[] = {
    {Stage::Write, Stage::Flush, Stage::Close},
    {Stage::WriteInPlace, Stage::FlushInPlace, Stage::CloseInPlace},
    {Stage::WriteJournal, Stage::FlushJournal, Stage::CloseJournal},
};

bool IsJournal(const std::string& path) {
    const std::string suffix = SaveJournal::kSuffix;
    return path.size() >= suffix.size() && path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0;
}

// A file of the real port whose steps the scripted port may fail.
class ScriptedFile : public WritableFile {
public:
    ScriptedFile(ScriptedFilePort& port, std::unique_ptr<WritableFile> real, std::string path, FileRole role)
        : port_(port), real_(std::move(real)), path_(std::move(path)), stages_(kRoleStages[static_cast<int>(role)]) {}

    unsigned long ReadAll(std::string& bytes) override {
        return Run(Stage::ReadInPlace, [&] { return real_->ReadAll(bytes); });
    }
    // A crash half way puts down the first half of the bytes.
    unsigned long Write(std::string_view bytes) override {
        if (const auto error = port_.Step(stages_.write, path_, &bytes)) {
            real_->Write(bytes);
            port_.WrittenUpToCrash();
            return error;
        }
        return real_->Write(bytes);
    }
    unsigned long Flush() override {
        return Run(stages_.flush, [&] { return real_->Flush(); });
    }
    unsigned long Reserve(std::uint64_t size) override {
        return Run(Stage::Reserve, [&] { return real_->Reserve(size); });
    }
    unsigned long Truncate(std::uint64_t size) override {
        return Run(Stage::Truncate, [&] { return real_->Truncate(size); });
    }
    unsigned long Close() override {
        return Run(stages_.close, [&] { return real_->Close(); });
    }

private:
    template <class Action>
    unsigned long Run(Stage stage, Action action) {
        if (const auto error = port_.Step(stage, path_))
            return error;
        return action();
    }

    ScriptedFilePort& port_;
    std::unique_ptr<WritableFile> real_;
    std::string path_;
    RoleStages stages_;
};

}  // namespace

#ifdef _WIN32
const unsigned long ScriptedFilePort::kCrashed = ERROR_WRITE_FAULT;
#else
const unsigned long ScriptedFilePort::kCrashed = EIO;
#endif

unsigned long ScriptedFilePort::Step(SafeFileWriter::Stage stage, const std::string& path, std::string_view* bytes) {
    if (crashed_) {
        if (bytes)
            *bytes = {};
        return kCrashed;
    }
    steps.push_back(stage);
    if (crashAt_ == stage) {
        crashed_ = true;
        if (bytes)
            *bytes = bytes->substr(0, bytes->size() / 2);
        else
            WrittenUpToCrash();
        return kCrashed;
    }
    const auto error = fault ? fault(stage, path) : 0;
    if (error && bytes)
        *bytes = {};
    return error;
}

void ScriptedFilePort::WrittenUpToCrash() {
    if (crashed_ && onCrash_)
        std::exchange(onCrash_, nullptr)();
}

// A read that a test replaces gives the file's state as it is now.
unsigned long ScriptedFilePort::ReadWithState(const std::string& path, std::string& bytes, FileState& state) {
    if (!onReadAll)
        return real_->ReadWithState(path, bytes, state);
    const auto error = onReadAll(path, bytes);
    if (error == 0)
        state = real_->StateOf(path).value_or(FileState{});
    return error;
}

unsigned long ScriptedFilePort::Remove(const std::string& path) {
    if (crashed_)
        return kCrashed;
    if (IsJournal(path)) {
        if (const auto error = Step(Stage::RemoveJournal, path))
            return error;
    }
    return real_->Remove(path);
}

unsigned long ScriptedFilePort::CreateNew(const std::string& path, const std::string& model,
                                          std::unique_ptr<WritableFile>& file) {
    const bool journal = IsJournal(path);
    if (const auto error = Step(journal ? Stage::CreateJournal : Stage::CreateTemporary, path))
        return error;
    std::unique_ptr<WritableFile> real;
    if (const auto error = real_->CreateNew(path, model, real))
        return error;
    file = std::make_unique<ScriptedFile>(*this, std::move(real), path,
                                          journal ? FileRole::Journal : FileRole::Temporary);
    return 0;
}

unsigned long ScriptedFilePort::OpenExisting(const std::string& path, std::unique_ptr<WritableFile>& file) {
    if (const auto error = Step(Stage::OpenInPlace, path))
        return error;
    std::unique_ptr<WritableFile> real;
    if (const auto error = real_->OpenExisting(path, real))
        return error;
    file = std::make_unique<ScriptedFile>(*this, std::move(real), path, FileRole::InPlace);
    return 0;
}

unsigned long ScriptedFilePort::Replace(const std::string& replacement, const std::string& path) {
    if (crashed_)
        return kCrashed;
    if (const auto error = Step(Stage::Replace, path))
        return error;
    return real_->Replace(replacement, path);
}

}  // namespace storetest

}  // namespace tarvel
