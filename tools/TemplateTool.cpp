#include "tools/TemplateTool.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <memory>
#include <ostream>

#include "interop/ImportReport.h"
#include "interop/SnippetImporter.h"
#include "interop/SnippetMapping.h"
#include "interop/VsCodeWriter.h"
#include "store/SafeFileWriter.h"
#include "store/StoreTexts.h"
#include "store/TemplateStore.h"
#include "tools/TemplateCheck.h"

namespace tarvel {

namespace {

constexpr const char* kUsageLine =
    "usage: autotext-tpl dump|resave|check DIR\n"
    "       autotext-tpl import DIR FILE... [--language NAME] [--dry-run]\n"
    "       autotext-tpl export DIR OUT [--format vscode]";
constexpr const char* kCodeSnippetsExtension = ".code-snippets";

// The store's messages go to standard error, and are counted.
class StreamReporter : public Reporter {
public:
    explicit StreamReporter(std::ostream& err) : err_(err) {}
    void Report(const std::string& text, const std::string& caption, MessageIcon) override {
        std::string oneLine = text;
        while (!oneLine.empty() && oneLine.back() == '\n')
            oneLine.pop_back();
        for (auto& c : oneLine)
            if (c == '\n')
                c = ' ';
        err_ << caption << ": " << oneLine << '\n';
        ++count;
    }
    // No one is there to answer: the file on disk is kept.
    bool Ask(const std::string& text, const std::string& caption, MessageIcon icon) override {
        Report(text + " No.", caption, icon);
        return false;
    }
    int count = 0;

private:
    std::ostream& err_;
};

struct LoadedItem {
    std::string label;
    std::unique_ptr<AutotextEntry> entry;
};

class LanguageSink : public TreeSink {
public:
    void AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) override {
        items.push_back({std::string(label), std::move(entry)});
    }
    std::vector<LoadedItem> items;
};

// The eight languages as the editor loads them.
struct LoadedTemplates {
    LoadedTemplates(const std::string& directory, FilePort& files, std::ostream& err)
        : reporter(err), store(directory, files, reporter) {
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            store.LoadLanguageTemplates(language, languages[language]);
    }

    TemplateStore::LanguageEntries Entries() const {
        TemplateStore::LanguageEntries result;
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            for (const auto& item : languages[language].items)
                if (item.entry)
                    result[language].push_back(item.entry.get());
        return result;
    }

    StreamReporter reporter;
    TemplateStore store;
    std::array<LanguageSink, TemplateLanguage::kCount> languages;
};

// Each byte of the ANSI text as the Unicode code point of the same value, so
// that the dump is lossless and reversible.
std::string BytesAsUtf8(const std::string& bytes) {
    std::string utf8;
    utf8.reserve(bytes.size());
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            utf8 += static_cast<char>(c);
        } else {
            utf8 += static_cast<char>(0xC0 | (c >> 6));
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return utf8;
}

char SeparatorOf(const std::string& directory) { return directory.find('\\') != std::string::npos ? '\\' : '/'; }

std::string WithSeparator(std::string directory) {
    const char last = directory.empty() ? '\0' : directory.back();
    if (last != '/' && last != '\\')
        directory += SeparatorOf(directory);
    return directory;
}

bool EndsWith(const std::string& text, std::string_view end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The value after an option, taken out of the arguments with the option;
// empty when the option is not there. False when it has no value.
bool TakeOption(std::vector<std::string>& arguments, const std::string& option, std::string& value) {
    const auto found = std::find(arguments.begin(), arguments.end(), option);
    if (found == arguments.end())
        return true;
    if (found + 1 == arguments.end())
        return false;
    value = *(found + 1);
    arguments.erase(found, found + 2);
    return true;
}

bool TakeFlag(std::vector<std::string>& arguments, const std::string& flag) {
    const auto found = std::find(arguments.begin(), arguments.end(), flag);
    if (found == arguments.end())
        return false;
    arguments.erase(found);
    return true;
}

SnippetImporter::Shortcuts ShortcutsOf(const TemplateStore::LanguageEntries& entries) {
    SnippetImporter::Shortcuts shortcuts;
    for (int language = 0; language < TemplateLanguage::kCount; ++language)
        for (const auto* entry : entries[language])
            if (!entry->shortcut.empty())
                shortcuts[language].insert(entry->shortcut);
    return shortcuts;
}

int ExitCodeFor(const StreamReporter& reporter) {
    return reporter.count == 0 ? TemplateTool::kOk : TemplateTool::kReported;
}

}  // namespace

int TemplateTool::Usage() {
    err_ << kUsageLine << '\n';
    return kUsage;
}

int TemplateTool::Run(const std::vector<std::string>& arguments) {
    if (arguments.size() < 2)
        return Usage();
    const auto& command = arguments[0];
    const auto directory = WithSeparator(arguments[1]);
    const bool takesMore = command == "import" || command == "export";
    if (!takesMore && (arguments.size() != 2 || (command != "dump" && command != "resave" && command != "check")))
        return Usage();
    if (arguments[1].empty() || !files_.Exists(directory)) {
        err_ << "autotext-tpl: no such directory: " << arguments[1] << '\n';
        return kUsage;
    }
    if (command == "dump")
        return WithOutputChecked(Dump(directory));
    if (command == "resave")
        return WithOutputChecked(Resave(directory));
    if (command == "import")
        return Import(directory, {arguments.begin() + 2, arguments.end()});
    if (command == "export")
        return Export(directory, {arguments.begin() + 2, arguments.end()});
    return WithOutputChecked(Check(directory));
}

// Output that never reached its file (a full disk, a closed pipe) makes the
// run a failure instead of a clean one.
int TemplateTool::WithOutputChecked(int exitCode) {
    out_.flush();
    if (out_)
        return exitCode;
    err_ << "autotext-tpl: could not write the output\n";
    return kReported;
}

int TemplateTool::Dump(const std::string& directory) {
    LoadedTemplates loaded(directory, files_, err_);
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        for (const auto& item : loaded.languages[language].items) {
            if (!item.entry)
                continue;
            const auto& entry = *item.entry;
            nlohmann::ordered_json line{
                {"language", language},
                {"language_label", TemplateLanguage::At(language).rootLabel},
                {"ordinal", entry.ordinal},
                {"label", BytesAsUtf8(item.label)},
                {"title", BytesAsUtf8(entry.title)},
                {"shortcut", BytesAsUtf8(entry.shortcut)},
                {"description", BytesAsUtf8(entry.description)},
                {"code", BytesAsUtf8(entry.code)},
            };
            out_ << line.dump() << '\n';
        }
    }
    return ExitCodeFor(loaded.reporter);
}

int TemplateTool::Resave(const std::string& directory) {
    LoadedTemplates loaded(directory, files_, err_);
    loaded.store.SaveAllTemplates(loaded.Entries());
    return ExitCodeFor(loaded.reporter);
}

int TemplateTool::Check(const std::string& directory) {
    LoadedTemplates loaded(directory, files_, err_);
    int findings = loaded.reporter.count;
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        const std::string fileName = TemplateLanguage::At(language).fileName;
        std::string bytes;
        const auto path = loaded.store.TemplatePath(language);
        if (files_.Exists(path) && files_.ReadAll(path, bytes) == 0) {
            if (TemplateStore::IsLegacyFormat(bytes)) {
                out_ << fileName << ": legacy format; the next save rewrites it in the current format and keeps the old file as "
                     << fileName << ".bak\n";
                ++findings;
            } else {
                for (const auto& problem : TemplateCheck::FindFileProblems(bytes, fileName)) {
                    out_ << fileName << ": " << problem << '\n';
                    ++findings;
                }
                for (const auto& [line, problem] : TemplateCheck::FindLineProblems(bytes)) {
                    out_ << fileName << ": line " << line << ": " << problem << '\n';
                    ++findings;
                }
            }
        }
        std::vector<AutotextEntry*> entries;
        for (const auto& item : loaded.languages[language].items)
            if (item.entry)
                entries.push_back(item.entry.get());
        for (const auto& item : loaded.languages[language].items) {
            if (!item.entry)
                continue;
            for (const auto& problem : TemplateCheck::FindEntryProblems(*item.entry, item.label, entries)) {
                out_ << fileName << ": " << item.label << ": " << problem << '\n';
                ++findings;
            }
        }
    }
    return findings == 0 ? kOk : kReported;
}

int TemplateTool::Import(const std::string& directory, const std::vector<std::string>& arguments) {
    auto files = arguments;
    const bool dryRun = TakeFlag(files, "--dry-run");
    std::string languageName;
    if (!TakeOption(files, "--language", languageName) || files.empty())
        return Usage();
    SnippetImporter::Target target;
    if (!languageName.empty()) {
        target.otherLanguages = SnippetMapping::LanguageNamed(languageName);
        if (target.otherLanguages < 0) {
            err_ << "autotext-tpl: no such language: " << languageName << '\n';
            return kUsage;
        }
    }
    LoadedTemplates loaded(directory, files_, err_);
    auto result = SnippetImporter(files_, codePage_, ShortcutsOf(loaded.Entries())).Import(files, target);
    err_ << ImportReport::Text(result);
    if (!dryRun && result.EntryCount() > 0) {
        for (auto& snippet : result.snippets)
            for (auto& entry : snippet.entries)
                loaded.languages[entry.language].items.push_back(
                    {entry.shortcut.empty() ? entry.title : entry.shortcut,
                     std::make_unique<AutotextEntry>(std::move(entry))});
        loaded.store.SaveAllTemplates(loaded.Entries());
    }
    return loaded.reporter.count == 0 && !result.LostSomething() ? kOk : kReported;
}

int TemplateTool::Export(const std::string& directory, const std::vector<std::string>& arguments) {
    auto rest = arguments;
    std::string format;
    if (!TakeOption(rest, "--format", format) || rest.size() != 1 || !(format.empty() || format == "vscode"))
        return Usage();
    const auto& out = rest.front();
    LoadedTemplates loaded(directory, files_, err_);
    const auto entries = loaded.Entries();
    VsCodeWriter writer(codePage_);
    bool written = true;
    if (EndsWith(out, kCodeSnippetsExtension)) {
        written = WriteExport(out, writer.ScopedFile(entries));
    } else if (!files_.Exists(WithSeparator(out))) {
        err_ << "autotext-tpl: no such directory: " << out << '\n';
        return kUsage;
    } else {
        for (int language = 0; language < TemplateLanguage::kCount; ++language)
            if (!entries[language].empty())
                written = WriteExport(WithSeparator(out) + VsCodeWriter::LanguageFileName(language),
                                      writer.LanguageFile(entries[language])) && written;
    }
    return written && loaded.reporter.count == 0 ? kOk : kReported;
}

bool TemplateTool::WriteExport(const std::string& path, const std::string& text) {
    const auto result = SafeFileWriter(files_).Write(path, text);
    if (result.Succeeded())
        return true;
    const auto reason = files_.SystemErrorText(result.error);
    err_ << "autotext-tpl: could not write " << path << ": " << (reason ? *reason : std::to_string(result.error))
         << '\n';
    return false;
}

}  // namespace tarvel
