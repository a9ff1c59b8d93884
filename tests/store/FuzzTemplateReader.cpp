// Any bytes as a current-format template file: no crash, no leak, no hang,
// and the entries read survive a write and a second read.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/TemplateReader.h"
#include "store/TemplateWriter.h"
#include "store/TextRules.h"

namespace {
class CollectingSink : public TreeSink {
public:
    void AppendItem(const std::string&, std::unique_ptr<AutotextEntry> entry) override {
        if (entry)
            entries.push_back(std::move(entry));
    }
    std::vector<AutotextEntry*> Pointers() const {
        std::vector<AutotextEntry*> result;
        for (const auto& entry : entries)
            result.push_back(entry.get());
        return result;
    }
    std::vector<std::unique_ptr<AutotextEntry>> entries;
};

std::string WithCrLf(std::string text) {
    TextRules::ReplaceAll(text, "\r\n", "\n");
    TextRules::ReplaceAll(text, "\n", "\r\n");
    return text;
}

// The writer trims a description, which can turn its last line into an old
// header text that reading drops; such descriptions are not compared.
bool EndsInOldHeader(const std::string& description) {
    const auto trimmed = TextRules::TrimmedRightView(description);
    const auto lineStart = trimmed.rfind('\n');
    return TextRules::IsOldHeaderText(lineStart == std::string_view::npos ? trimmed : trimmed.substr(lineStart + 1));
}

std::string ExpectedDescription(const std::string& description) {
    return description.empty() ? "" : WithCrLf(std::string(TextRules::TrimmedRightView(description))) + "\r\n";
}

void require(bool condition) {
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CollectingSink first;
    TemplateReader(0, first).Read(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<AutotextEntry> kept;
    for (const auto& entry : first.entries)
        if (!(entry->title.empty() && entry->shortcut.empty() && entry->code.empty()))
            kept.push_back(*entry);

    CollectingSink second;
    TemplateReader(0, second).Read(TemplateWriter::FormatLanguageRecords(first.Pointers()));
    require(second.entries.size() == kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const auto& before = kept[i];
        const auto& after = *second.entries[i];
        require(after.title == before.title && after.shortcut == before.shortcut);
        require(after.code == WithCrLf(before.code));
        require(EndsInOldHeader(before.description) || after.description == ExpectedDescription(before.description));
    }
    return 0;
}
