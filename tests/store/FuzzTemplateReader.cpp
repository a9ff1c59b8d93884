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
    void appendItem(const std::string&, std::unique_ptr<AutotextEntry> entry) override {
        if (entry)
            entries.push_back(std::move(entry));
    }
    std::vector<AutotextEntry*> pointers() const {
        std::vector<AutotextEntry*> result;
        for (const auto& entry : entries)
            result.push_back(entry.get());
        return result;
    }
    std::vector<std::unique_ptr<AutotextEntry>> entries;
};

std::string withCrLf(std::string text) {
    TextRules::replaceAll(text, "\r\n", "\n");
    TextRules::replaceAll(text, "\n", "\r\n");
    return text;
}

// The writer trims a description, which can turn its last line into an old
// header text that reading drops; such descriptions are not compared.
bool endsInOldHeader(const std::string& description) {
    const auto trimmed = TextRules::trimmedRightView(description);
    const auto lineStart = trimmed.rfind('\n');
    return TextRules::isOldHeaderText(lineStart == std::string_view::npos ? trimmed : trimmed.substr(lineStart + 1));
}

std::string expectedDescription(const std::string& description) {
    return description.empty() ? "" : withCrLf(std::string(TextRules::trimmedRightView(description))) + "\r\n";
}

void require(bool condition) {
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CollectingSink first;
    TemplateReader(0, first).read(std::string_view(reinterpret_cast<const char*>(data), size));
    std::vector<AutotextEntry> kept;
    for (const auto& entry : first.entries)
        if (!(entry->title.empty() && entry->shortcut.empty() && entry->code.empty()))
            kept.push_back(*entry);

    CollectingSink second;
    TemplateReader(0, second).read(TemplateWriter::FormatLanguageRecords(first.pointers()));
    require(second.entries.size() == kept.size());
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const auto& before = kept[i];
        const auto& after = *second.entries[i];
        require(after.title == before.title && after.shortcut == before.shortcut);
        require(after.code == withCrLf(before.code));
        require(endsInOldHeader(before.description) || after.description == expectedDescription(before.description));
    }
    return 0;
}
