// The store against the raw cost of the same bytes, natively and under Wine:
// - reading eight template files of 10,000 entries each into entries, against
//   reading the files and splitting them into lines;
// - the memory the read entries hold, against the bytes of the files;
// - saving eight files of 10,000 and of 100,000 entries each, against writing
//   the same bytes as every save must so that a failure leaves the old file
//   whole: to a new file, flushed, that then replaces the old one.
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>
#include <random>
#include <string>
#include <vector>

#include "bench/support/Comparison.h"
#include "bench/support/LineCount.h"
#include "bench/support/RealisticEntry.h"
#include "store/TemplateStore.h"
#include "store/TemplateWriter.h"

#ifdef _WIN32
#include <malloc.h>
#include <windows.h>

#include "store/Win32FilePort.h"
using PlatformFilePort = tarvel::Win32FilePort;
#else
#include <fcntl.h>
#include <malloc.h>
#include <unistd.h>

#include "store/PosixFilePort.h"
using PlatformFilePort = tarvel::PosixFilePort;
#endif

// While the memory the read entries hold is taken, every allocation is
// counted with the room the allocator gave it. Only then: asking for the
// room takes the heap's lock once more for every block, which the timed
// rounds must not pay.
namespace {
bool gCounting = false;
std::size_t gLiveBytes = 0;
std::size_t gAllocations = 0;

std::size_t RoomOf(void* block) {
#ifdef _WIN32
    return _msize(block);
#else
    return malloc_usable_size(block);
#endif
}
}  // namespace

// Kept out of line: inlined into the standard containers, the pairing of
// malloc and free behind new and delete confuses the compiler's checks.
[[gnu::noinline]] void* operator new(std::size_t size) {
    void* block = std::malloc(size);
    if (block == nullptr)
        throw std::bad_alloc();
    if (gCounting) {
        gLiveBytes += RoomOf(block);
        ++gAllocations;
    }
    return block;
}

[[gnu::noinline]] void operator delete(void* block) noexcept {
    if (block == nullptr)
        return;
    if (gCounting)
        gLiveBytes -= RoomOf(block);
    std::free(block);
}

[[gnu::noinline]] void operator delete(void* block, std::size_t) noexcept { operator delete(block); }

namespace {

using namespace tarvel;
using namespace tarvel::bench;

constexpr int kSmallFiles = 10000;
constexpr int kLargeFiles = 100000;
constexpr double kReadTarget = 2.0;
constexpr double kMemoryTarget = 1.5;
constexpr double kSaveTarget = 2.5;

class QuietReporter : public Reporter {
public:
    void Report(const std::string& text, const std::string&, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
        failed = true;
    }
    bool Ask(const std::string& text, const std::string& caption, MessageIcon icon) override {
        Report(text, caption, icon);
        return false;
    }
    bool failed = false;
};

class OwningSink : public TreeSink {
public:
    explicit OwningSink(std::size_t expected) { entries.reserve(expected); }
    void AppendItem(std::string_view, std::unique_ptr<AutotextEntry> entry) override {
        if (entry)
            entries.push_back(std::move(entry));
    }
    std::vector<std::unique_ptr<AutotextEntry>> entries;
};

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "bench_store: %s\n", what);
    std::exit(2);
}

#ifdef _WIN32
std::string NewFolder() {
    char base[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, base);
    const std::string folder = std::string(base) + "tarvel-bench-" + std::to_string(::GetCurrentProcessId()) + "\\";
    if (!::CreateDirectoryA(folder.c_str(), nullptr))
        Fail("cannot create a folder for the template files");
    return folder;
}
void RemoveFolder(const std::string& folder) { ::RemoveDirectoryA(folder.c_str()); }

// The bytes written to a new file and flushed to disk.
bool WriteAndFlush(const std::string& path, const std::string& bytes) {
    const HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
                    written == bytes.size() && ::FlushFileBuffers(file);
    return ::CloseHandle(file) && ok;
}

bool MoveOver(const std::string& replacement, const std::string& path) {
    return ::MoveFileExA(replacement.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
}
#else
std::string NewFolder() {
    char pattern[] = "/tmp/tarvel-bench-XXXXXX";
    if (mkdtemp(pattern) == nullptr)
        Fail("cannot create a folder for the template files");
    return std::string(pattern) + "/";
}
void RemoveFolder(const std::string& folder) { rmdir(folder.c_str()); }

bool WriteAndFlush(const std::string& path, const std::string& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (fd < 0)
        return false;
    const bool ok = ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && ::fsync(fd) == 0;
    return ::close(fd) == 0 && ok;
}

bool MoveOver(const std::string& replacement, const std::string& path) {
    return std::rename(replacement.c_str(), path.c_str()) == 0;
}
#endif

// The floor of a save: the least a save that keeps the old file whole until
// the new one is on disk can do.
bool WriteSafely(const std::string& path, const std::string& bytes) {
    const std::string replacement = path + ".new";
    return WriteAndFlush(replacement, bytes) && MoveOver(replacement, path);
}

// The floor of a read: the whole file in memory, then split into lines.
std::size_t ReadAndSplitLines(const std::string& path, std::string& bytes) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr)
        return 0;
    std::fseek(file, 0, SEEK_END);
    bytes.resize(static_cast<std::size_t>(std::ftell(file)));
    std::fseek(file, 0, SEEK_SET);
    const std::size_t read = std::fread(bytes.data(), 1, bytes.size(), file);
    std::fclose(file);
    if (read != bytes.size())
        return 0;
    return CountLines(bytes);
}

// Eight template files of generated entries in a folder of their own.
class TemplateFiles {
public:
    explicit TemplateFiles(int entriesPerFile) : directory_(NewFolder()), entriesPerFile_(entriesPerFile) {
        std::mt19937 random(42);
        for (const auto& language : TemplateLanguage::All()) {
            std::vector<AutotextEntry> generated;
            generated.reserve(static_cast<std::size_t>(entriesPerFile));
            std::vector<AutotextEntry*> pointers;
            for (int i = 0; i < entriesPerFile; ++i)
                generated.push_back(RealisticEntry(random, i));
            for (auto& entry : generated)
                pointers.push_back(&entry);
            const std::string bytes = TemplateWriter::FormatLanguageRecords(pointers);
            if (!WriteAndFlush(directory_ + language.fileName, bytes))
                Fail("cannot write a template file");
            bytes_ += bytes.size();
        }
    }
    ~TemplateFiles() {
        for (const auto& language : TemplateLanguage::All()) {
            std::remove((directory_ + language.fileName).c_str());
            std::remove((directory_ + language.fileName + ".raw").c_str());
            std::remove((directory_ + language.fileName + ".raw.new").c_str());
        }
        RemoveFolder(directory_);
    }
    TemplateFiles(const TemplateFiles&) = delete;
    TemplateFiles& operator=(const TemplateFiles&) = delete;

    const std::string& Directory() const { return directory_; }
    std::size_t Bytes() const { return bytes_; }
    int EntriesPerFile() const { return entriesPerFile_; }

private:
    std::string directory_;
    int entriesPerFile_;
    std::size_t bytes_ = 0;
};

// The entries of the eight files as the editor holds them after opening.
struct LoadedStore {
    LoadedStore(const TemplateFiles& files, FilePort& port)
        : store(files.Directory(), port, reporter) {
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            sinks.emplace_back(static_cast<std::size_t>(files.EntriesPerFile()));
    }
    void Load() {
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            store.LoadLanguageTemplates(language, sinks[static_cast<std::size_t>(language)]);
    }
    TemplateStore::LanguageEntries Pointers() const {
        TemplateStore::LanguageEntries pointers;
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            for (const auto& entry : sinks[static_cast<std::size_t>(language)].entries)
                pointers[static_cast<std::size_t>(language)].push_back(entry.get());
        return pointers;
    }
    std::size_t EntryCount() const {
        std::size_t count = 0;
        for (const auto& sink : sinks)
            count += sink.entries.size();
        return count;
    }
    QuietReporter reporter;
    TemplateStore store;
    std::vector<OwningSink> sinks;
};

void CompareRead(const TemplateFiles& files, int rounds) {
    PlatformFilePort port;
    const auto product = [&] {
        LoadedStore loaded(files, port);
        const Stopwatch watch;
        loaded.Load();
        const double elapsed = watch.Milliseconds();
        // Freeing the entries is not part of reading them.
        return loaded.reporter.failed || loaded.EntryCount() == 0 ? -1 : elapsed;
    };
    const auto floor = [&] {
        std::vector<std::string> contents(TemplateLanguage::kCount);
        const Stopwatch watch;
        std::size_t lines = 0;
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            lines += ReadAndSplitLines(files.Directory() + TemplateLanguage::At(language).fileName,
                                       contents[static_cast<std::size_t>(language)]);
        const double elapsed = watch.Milliseconds();
        return lines == 0 ? -1 : elapsed;
    };
    const std::string figure = "store read, 8 x " + std::to_string(files.EntriesPerFile());
    Comparison comparison(figure, kReadTarget);
    if (!Interleave(comparison, rounds, product, floor))
        Fail("the template files could not be read");
    comparison.Print();
}

// Not a time: the bytes the entries hold, and the allocations behind them.
void ReportMemory(const TemplateFiles& files) {
    PlatformFilePort port;
    LoadedStore loaded(files, port);
    const std::size_t bytesBefore = gLiveBytes;
    const std::size_t allocationsBefore = gAllocations;
    gCounting = true;
    loaded.Load();
    gCounting = false;
    const double held = static_cast<double>(gLiveBytes - bytesBefore);
    const double entries = static_cast<double>(loaded.EntryCount());
    const double ratio = held / static_cast<double>(files.Bytes());
    std::printf("%-42s entries %9.0f KB  files %9.0f KB  ratio %6.2f  %.2f allocations and %.0f bytes per entry  "
                "<= %.1f %s\n",
                "store memory after reading", held / 1024, static_cast<double>(files.Bytes()) / 1024, ratio,
                static_cast<double>(gAllocations - allocationsBefore) / entries, held / entries, kMemoryTarget,
                ratio <= kMemoryTarget ? "met" : "MISSED");
}

void CompareSave(const TemplateFiles& files, int rounds) {
    PlatformFilePort port;
    LoadedStore loaded(files, port);
    loaded.Load();
    const TemplateStore::LanguageEntries entries = loaded.Pointers();
    std::vector<std::string> contents;
    for (const auto& language : entries)
        contents.push_back(TemplateWriter::FormatLanguageRecords(language));
    const auto product = [&] {
        const Stopwatch watch;
        const bool saved = loaded.store.SaveAllTemplates(entries);
        const double elapsed = watch.Milliseconds();
        return saved ? elapsed : -1;
    };
    const auto floor = [&] {
        const Stopwatch watch;
        bool written = true;
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            written = WriteSafely(files.Directory() + TemplateLanguage::At(language).fileName + ".raw",
                                  contents[static_cast<std::size_t>(language)]) && written;
        const double elapsed = watch.Milliseconds();
        return written ? elapsed : -1;
    };
    const std::string figure = "store save, 8 x " + std::to_string(files.EntriesPerFile());
    Comparison comparison(figure, kSaveTarget);
    if (!Interleave(comparison, rounds, product, floor))
        Fail("the template files could not be saved");
    comparison.Print();
}

}  // namespace

int main() {
    const int rounds = Rounds();
    PrintHeader("bench_store", rounds);
    {
        const TemplateFiles files(kSmallFiles);
        CompareRead(files, rounds);
        ReportMemory(files);
        CompareSave(files, rounds);
    }
    const TemplateFiles large(kLargeFiles);
    CompareSave(large, rounds);
    return 0;
}
