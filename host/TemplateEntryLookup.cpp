#include "host/TemplateEntryLookup.h"

#include "store/TemplateLanguage.h"
#include "store/TemplateStore.h"
#include "store/Win32FilePort.h"

#include <cstdio>
#include <memory>
#include <vector>

namespace tarvel::host {
namespace {

class StandardErrorReporter : public Reporter {
public:
    void Report(const std::string& text, const std::string& caption, MessageIcon) override {
        std::fprintf(stderr, "%s: %s\n", caption.c_str(), text.c_str());
    }
    // Reading asks nothing that changes files; a question is answered No.
    bool Ask(const std::string& text, const std::string& caption, MessageIcon icon) override {
        Report(text, caption, icon);
        return false;
    }
};

class EntryList : public TreeSink {
public:
    void AppendItem(std::string_view, std::unique_ptr<AutotextEntry> entry) override {
        if (entry) {
            entries.push_back(std::move(entry));
        }
    }
    std::vector<std::unique_ptr<AutotextEntry>> entries;
};

}  // namespace

std::optional<AutotextEntry> FindTemplateEntry(const std::string& directory, const std::string& word) {
    Win32FilePort files;
    StandardErrorReporter reporter;
    TemplateStore store(directory, files, reporter);
    EntryList all;
    for (int language = 0; language < TemplateLanguage::kCount; ++language) {
        store.LoadLanguageTemplates(language, all);
    }
    for (EntryText AutotextEntry::*field : {&AutotextEntry::shortcut, &AutotextEntry::title}) {
        for (const auto& entry : all.entries) {
            if ((*entry).*field == word) {
                return *entry;
            }
        }
    }
    return std::nullopt;
}

}  // namespace tarvel::host
