// Import and export against the raw cost of their bytes:
// - import of the whole vim-snippets collection (snipMate and UltiSnips
//   files, with the report), against reading the same files and splitting
//   them into lines;
// - export of 80,000 entries as one VS Code file, against writing the same
//   bytes the way every export writes its file (a temporary file, flushed,
//   that replaces the old one).
#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "bench/support/Comparison.h"
#include "bench/support/LineCount.h"
#include "bench/support/RealisticEntry.h"
#include "interop/ImportReport.h"
#include "interop/SnippetImporter.h"
#include "interop/VsCodeWriter.h"
#include "interop/Windows1252CodePage.h"
#include "store/PosixFilePort.h"
#include "store/SafeFileWriter.h"

namespace {

using namespace tarvel;
using namespace tarvel::bench;

constexpr int kExportEntries = 80000;
constexpr double kImportTarget = 5.0;
// An import takes a few milliseconds, its floor less than one: a sample of
// each that short is preempted by a busy machine in a way that does not
// scale with its length. A sample is several imports, and as many readings.
constexpr int kImportsPerSample = 8;
constexpr double kExportTarget = 3.0;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "bench_interop: %s\n", what.c_str());
    std::exit(2);
}

std::string CollectionsFolder() {
    const char* setting = std::getenv("TARVEL_SNIPPET_COLLECTIONS");
    return setting != nullptr ? setting : "/var/cache/tarvel/snippets";
}

void FindSnippetFiles(const std::string& folder, std::vector<std::string>& files) {
    DIR* directory = ::opendir(folder.c_str());
    if (directory == nullptr)
        return;
    while (const dirent* item = ::readdir(directory)) {
        const std::string name = item->d_name;
        if (name == "." || name == "..")
            continue;
        const auto path = folder + "/" + name;
        struct stat info {};
        if (::stat(path.c_str(), &info) != 0)
            continue;
        if (S_ISDIR(info.st_mode))
            FindSnippetFiles(path, files);
        else if (name.size() > 9 && name.compare(name.size() - 9, 9, ".snippets") == 0)
            files.push_back(path);
    }
    ::closedir(directory);
}

void CompareImport(int rounds) {
    std::vector<std::string> files;
    FindSnippetFiles(CollectionsFolder() + "/vim-snippets", files);
    if (files.empty())
        Fail("no vim-snippets under " + CollectionsFolder() + ": scripts/setup fetches them");
    std::sort(files.begin(), files.end());
    PosixFilePort port;
    const Windows1252CodePage codePage;
    std::size_t entries = 0;
    const auto product = [&] {
        std::vector<ImportResult> results;
        results.reserve(kImportsPerSample);
        bool reported = true;
        const Stopwatch watch;
        for (int i = 0; i < kImportsPerSample; ++i) {
            results.push_back(SnippetImporter(port, codePage, SnippetImporter::Shortcuts()).Import(files, {}));
            reported = !ImportReport::Text(results.back()).empty() && reported;
        }
        const double elapsed = watch.Milliseconds();
        // Freeing the entries is not part of importing them.
        entries = results.front().EntryCount();
        return entries == 0 || !reported ? -1 : elapsed;
    };
    std::size_t lines = 0;
    const auto floor = [&] {
        std::vector<std::string> contents(files.size() * kImportsPerSample);
        const Stopwatch watch;
        lines = 0;
        for (std::size_t i = 0; i < contents.size(); ++i) {
            if (port.ReadAll(files[i % files.size()], contents[i]) != 0)
                return -1.0;
            lines += CountLines(contents[i]);
        }
        lines /= kImportsPerSample;
        return watch.Milliseconds();
    };
    Comparison comparison("import of vim-snippets", kImportTarget);
    if (!Interleave(comparison, rounds, product, floor))
        Fail("the collection could not be imported");
    comparison.Print();
    std::printf("  %zu files, %zu lines, %zu entries\n", files.size(), lines, entries);
}

void CompareExport(int rounds) {
    char pattern[] = "/tmp/tarvel-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr)
        Fail("cannot create a folder for the exported file");
    const std::string folder = pattern;
    std::mt19937 random(42);
    std::vector<AutotextEntry> entries;
    entries.reserve(kExportEntries);
    for (int i = 0; i < kExportEntries; ++i)
        entries.push_back(RealisticEntry(random, i));
    // A language's entries lie together, as reading its file makes them.
    VsCodeWriter::LanguageEntries languages;
    for (int i = 0; i < kExportEntries; ++i)
        languages[i * TemplateLanguage::kCount / kExportEntries].push_back(&entries[i]);

    PosixFilePort port;
    const Windows1252CodePage codePage;
    const auto productPath = folder + "/all.code-snippets";
    const auto floorPath = folder + "/bytes.code-snippets";
    const auto bytes = VsCodeWriter(codePage).ScopedFile(languages);
    const auto product = [&] {
        const Stopwatch watch;
        const auto text = VsCodeWriter(codePage).ScopedFile(languages);
        const bool written = SafeFileWriter(port).Write(productPath, text).Succeeded();
        const double elapsed = watch.Milliseconds();
        // Freeing the text is not part of writing it, as the floor's bytes stay.
        return written ? elapsed : -1;
    };
    const auto floor = [&] {
        const Stopwatch watch;
        const bool written = SafeFileWriter(port).Write(floorPath, bytes).Succeeded();
        const double elapsed = watch.Milliseconds();
        return written ? elapsed : -1;
    };
    Comparison comparison("export of 80,000 entries", kExportTarget);
    const bool done = Interleave(comparison, rounds, product, floor);
    std::string exported;
    const bool same = done && port.ReadAll(productPath, exported) == 0 && exported == bytes;
    std::remove(productPath.c_str());
    std::remove(floorPath.c_str());
    ::rmdir(folder.c_str());
    if (!same)
        Fail(done ? "the export wrote other bytes than the floor" : "the export could not be written");
    comparison.Print();
    std::printf("  %zu bytes\n", bytes.size());
}

}  // namespace

int main() {
    const int rounds = Rounds();
    PrintHeader("bench_interop", rounds);
    CompareImport(rounds);
    CompareExport(rounds);
    return 0;
}
