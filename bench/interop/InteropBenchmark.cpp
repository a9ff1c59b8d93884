// Import of the whole vim-snippets collection (snipMate and UltiSnips files,
// with the report) against reading the same files and splitting their lines;
// export of 80,000 entries as one VS Code file against writing the same bytes
// the same safe way. The sides run in interleaved rounds, in turns first;
// each ratio is of the medians, with the spread of the per-round ratios.
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "interop/ImportReport.h"
#include "interop/SnippetImporter.h"
#include "interop/VsCodeWriter.h"
#include "interop/Windows1252CodePage.h"
#include "store/PosixFilePort.h"
#include "store/SafeFileWriter.h"

namespace {

constexpr int kRounds = 21;
constexpr int kExportEntries = 80000;
constexpr double kImportTarget = 5.0;
constexpr double kExportTarget = 3.0;

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "%s\n", what.c_str());
    std::exit(1);
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

double CpuSeconds() {
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_utime.tv_sec + usage.ru_stime.tv_sec + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// Wall time; the process's processor time goes to cpu.
double Seconds(const std::function<void()>& work, double& cpu) {
    const auto start = std::chrono::steady_clock::now();
    const auto startCpu = CpuSeconds();
    work();
    cpu = CpuSeconds() - startCpu;
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs both sides kRounds times, alternating which goes first; prints the
// ratio of the medians and whether it meets the target.
bool Compare(const char* label, const std::function<void()>& product, const std::function<void()>& floor,
             double target) {
    product();
    floor();
    std::vector<double> products, floors, ratios, productCpus, floorCpus;
    for (int round = 0; round < kRounds; ++round) {
        double productTime = 0;
        double floorTime = 0;
        double productCpu = 0;
        double floorCpu = 0;
        if (round % 2 == 0) {
            productTime = Seconds(product, productCpu);
            floorTime = Seconds(floor, floorCpu);
        } else {
            floorTime = Seconds(floor, floorCpu);
            productTime = Seconds(product, productCpu);
        }
        products.push_back(productTime);
        floors.push_back(floorTime);
        productCpus.push_back(productCpu);
        floorCpus.push_back(floorCpu);
        ratios.push_back(productTime / floorTime);
    }
    const double ratio = Median(products) / Median(floors);
    std::sort(ratios.begin(), ratios.end());
    const bool met = ratio <= target;
    std::printf("%s: product %.2f ms, floor %.2f ms (medians of %d rounds); processor time %.2f ms and %.2f ms\n",
                label, Median(products) * 1000, Median(floors) * 1000, kRounds, Median(productCpus) * 1000,
                Median(floorCpus) * 1000);
    std::printf("%s ratio: %.2f (target %.1f) %s; per-round ratios %.2f..%.2f\n", label, ratio, target,
                met ? "met" : "MISSED", ratios.front(), ratios.back());
    return met;
}

std::size_t CountLines(const std::string& bytes) {
    std::size_t lines = 0;
    const char* at = bytes.data();
    const char* end = at + bytes.size();
    while (const void* lf = std::memchr(at, '\n', static_cast<std::size_t>(end - at))) {
        at = static_cast<const char*>(lf) + 1;
        ++lines;
    }
    return lines;
}

bool BenchImport() {
    std::vector<std::string> files;
    FindSnippetFiles(CollectionsFolder() + "/vim-snippets", files);
    if (files.empty())
        Fail("no vim-snippets under " + CollectionsFolder() + ": scripts/setup fetches them");
    std::sort(files.begin(), files.end());
    PosixFilePort port;
    const Windows1252CodePage codePage;
    std::size_t imported = 0;
    const auto product = [&] {
        const auto result = SnippetImporter(port, codePage, SnippetImporter::Shortcuts()).Import(files, {});
        imported = result.EntryCount() + ImportReport::Text(result).size() / 1000000;
    };
    std::size_t lines = 0;
    const auto floor = [&] {
        lines = 0;
        for (const auto& file : files) {
            std::string bytes;
            if (port.ReadAll(file, bytes) != 0)
                Fail("cannot read " + file);
            lines += CountLines(bytes);
        }
    };
    const bool met = Compare("import of vim-snippets", product, floor, kImportTarget);
    std::printf("  %zu files, %zu lines, %zu entries\n", files.size(), lines, imported);
    return met;
}

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

bool BenchExport() {
    char pattern[] = "/tmp/tarvel-bench-XXXXXX";
    if (::mkdtemp(pattern) == nullptr)
        Fail("cannot create a folder for the exported file");
    const std::string folder = pattern;
    std::mt19937 random(42);
    std::vector<AutotextEntry> entries;
    entries.reserve(kExportEntries);
    for (int i = 0; i < kExportEntries; ++i)
        entries.push_back(RealisticEntry(random, i));
    VsCodeWriter::LanguageEntries languages;
    for (int i = 0; i < kExportEntries; ++i)
        languages[i % TemplateLanguage::kCount].push_back(&entries[i]);

    PosixFilePort port;
    const Windows1252CodePage codePage;
    const auto productPath = folder + "/all.code-snippets";
    const auto floorPath = folder + "/bytes.code-snippets";
    const auto bytes = VsCodeWriter(codePage).ScopedFile(languages);
    const auto product = [&] {
        if (!SafeFileWriter(port).Write(productPath, VsCodeWriter(codePage).ScopedFile(languages)).Succeeded())
            Fail("cannot write " + productPath);
    };
    const auto floor = [&] {
        if (!SafeFileWriter(port).Write(floorPath, bytes).Succeeded())
            Fail("cannot write " + floorPath);
    };
    const bool met = Compare("export of 80,000 entries", product, floor, kExportTarget);
    std::printf("  %zu bytes\n", bytes.size());
    std::remove(productPath.c_str());
    std::remove(floorPath.c_str());
    ::rmdir(folder.c_str());
    return met;
}

}  // namespace

// With an argument, "import" or "export", only that one runs.
int main(int argc, char** argv) {
    const std::string only = argc > 1 ? argv[1] : "";
    double load[3] = {};
    if (::getloadavg(load, 3) > 0)
        std::printf("load average %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    const bool importMet = only == "export" || BenchImport();
    const bool exportMet = only == "import" || BenchExport();
    return importMet && exportMet ? 0 : 1;
}
