// Reading and saving eight template files of 10,000 entries each (or as many
// as TARVEL_BENCH_ENTRIES says), against the raw cost of the same bytes:
// reading them and splitting lines with memchr, and writing them to a
// temporary file with a flush.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/support/RatioReporter.h"
#include "store/PosixFilePort.h"
#include "store/TemplateStore.h"
#include "store/TemplateWriter.h"

namespace {

constexpr int kDefaultEntriesPerLanguage = 10000;

int EntriesPerLanguage() {
    const char* setting = std::getenv("TARVEL_BENCH_ENTRIES");
    const int entries = setting != nullptr ? std::atoi(setting) : 0;
    return entries > 0 ? entries : kDefaultEntriesPerLanguage;
}

class SilentReporter : public Reporter {
public:
    void Report(const std::string& text, const std::string&, MessageIcon) override {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
    bool Ask(const std::string& text, const std::string& caption, MessageIcon icon) override {
        Report(text, caption, icon);
        return false;
    }
};

class OwningSink : public TreeSink {
public:
    void AppendItem(const std::string&, std::unique_ptr<AutotextEntry> entry) override {
        if (entry)
            entries.push_back(std::move(entry));
    }
    std::vector<std::unique_ptr<AutotextEntry>> entries;
};

// Entries like a user's: a title, usually a shortcut, a few lines of code with
// variables and prompts, and now and then a description.
AutotextEntry RealisticEntry(std::mt19937& random, int index) {
    static const char* kLines[] = {
        "for (int $i$ = 0; $i$ < $count$; ++$i$) {",
        "    $end$",
        "}",
        "if ($condition$) {",
        "    return $selected$;",
        "// $FILE$ $DATE$",
        "std::vector<$Type$> $name$;",
        "    printf(\"%d\\n\", $value$);",
        "",
        "class $ClassName$ : public $Base$ {",
    };
    auto pick = [&](int n) { return std::uniform_int_distribution<int>(0, n - 1)(random); };
    AutotextEntry entry;
    entry.title = "snippet number " + std::to_string(index);
    if (pick(4) != 0)
        entry.shortcut = "sn" + std::to_string(index);
    for (int line = 3 + pick(8); line > 0; --line)
        entry.code += std::string(kLines[pick(10)]) + (line > 1 ? "\r\n" : "");
    if (pick(3) == 0)
        entry.description = "Inserts snippet " + std::to_string(index) + ".\r\nSee the manual.";
    return entry;
}

// Measuring files that are not all there would print meaningless ratios.
[[noreturn]] void Fail(const char* what) {
    std::perror(what);
    std::exit(1);
}

struct BenchmarkFiles {
    BenchmarkFiles() {
        char pattern[] = "/tmp/tarvel-bench-XXXXXX";
        if (mkdtemp(pattern) == nullptr)
            Fail("cannot create a folder for the template files");
        directory = std::string(pattern) + "/";
        std::mt19937 random(42);
        std::vector<AutotextEntry> generated;
        const int entriesPerLanguage = EntriesPerLanguage();
        generated.reserve(entriesPerLanguage);
        for (int language = 0; language < TemplateLanguage::kCount; ++language) {
            generated.clear();
            std::vector<AutotextEntry*> pointers;
            for (int i = 0; i < entriesPerLanguage; ++i)
                generated.push_back(RealisticEntry(random, i));
            for (auto& entry : generated)
                pointers.push_back(&entry);
            const auto bytes = TemplateWriter::FormatLanguageRecords(pointers);
            FILE* file = std::fopen((directory + TemplateLanguage::At(language).fileName).c_str(), "wb");
            if (file == nullptr)
                Fail("cannot create a template file");
            const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
            if (std::fclose(file) != 0 || !written)
                Fail("cannot write a template file");
            totalBytes += bytes.size();
        }
    }
    ~BenchmarkFiles() {
        for (const auto& language : TemplateLanguage::All())
            std::remove((directory + language.fileName).c_str());
        std::remove((directory + "raw.tmp").c_str());
        rmdir(directory.c_str());
    }
    std::string directory;
    std::size_t totalBytes = 0;
};

BenchmarkFiles& files() {
    static BenchmarkFiles instance;
    return instance;
}

void BM_ReadTemplates(benchmark::State& state) {
    PosixFilePort port;
    SilentReporter reporter;
    TemplateStore store(files().directory, port, reporter);
    for (auto _ : state) {
        std::array<OwningSink, TemplateLanguage::kCount> sinks;
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            store.LoadLanguageTemplates(language, sinks[language]);
        benchmark::DoNotOptimize(sinks);
        // Freeing the entries is not part of reading them.
        state.PauseTiming();
        for (auto& sink : sinks)
            sink.entries.clear();
        state.ResumeTiming();
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files().totalBytes));
}

void BM_RawReadAndSplitLines(benchmark::State& state) {
    PosixFilePort port;
    for (auto _ : state) {
        std::size_t lines = 0;
        for (const auto& language : TemplateLanguage::All()) {
            std::string bytes;
            port.ReadAll(files().directory + language.fileName, bytes);
            const char* at = bytes.data();
            const char* end = at + bytes.size();
            while (const void* lf = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
                at = static_cast<const char*>(lf) + 1;
                ++lines;
            }
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files().totalBytes));
}

struct LoadedLanguages {
    LoadedLanguages() {
        PosixFilePort port;
        SilentReporter reporter;
        TemplateStore store(files().directory, port, reporter);
        for (int language = 0; language < TemplateLanguage::kCount; ++language) {
            store.LoadLanguageTemplates(language, sinks[language]);
            for (auto& entry : sinks[language].entries)
                entries[language].push_back(entry.get());
        }
    }
    std::array<OwningSink, TemplateLanguage::kCount> sinks;
    TemplateStore::LanguageEntries entries;
};

void BM_SaveTemplates(benchmark::State& state) {
    LoadedLanguages loaded;
    PosixFilePort port;
    SilentReporter reporter;
    TemplateStore store(files().directory, port, reporter);
    for (auto _ : state)
        store.SaveAllTemplates(loaded.entries);
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files().totalBytes));
}

void BM_RawWriteAndFlush(benchmark::State& state) {
    PosixFilePort port;
    std::vector<std::string> contents;
    for (const auto& language : TemplateLanguage::All()) {
        contents.emplace_back();
        port.ReadAll(files().directory + language.fileName, contents.back());
    }
    const auto path = files().directory + "raw.tmp";
    for (auto _ : state) {
        for (const auto& bytes : contents) {
            const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
            benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
            ::fsync(fd);
            ::close(fd);
        }
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * files().totalBytes));
}

BENCHMARK(BM_RawReadAndSplitLines)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadTemplates)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawWriteAndFlush)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SaveTemplates)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    return runBenchmarksWithRatios(
        argc, argv,
        {{"reading / raw read and line split", "BM_ReadTemplates", "BM_RawReadAndSplitLines", 4.0},
         {"saving / raw write and flush", "BM_SaveTemplates", "BM_RawWriteAndFlush", 3.0}});
}
