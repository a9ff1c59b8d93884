// Any bytes as a current-format template file: no crash, no leak, no hang,
// loading yields what a plain read does, a byte order mark in front changes
// nothing, text with CRs and no LF reads as the same text with CR LF, and the
// entries read survive a write and a second read.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/TemplateReader.h"
#include "store/TemplateWriter.h"
#include "store/TextRules.h"

using namespace tarvel;

namespace {
class CollectingSink : public TreeSink {
public:
    void AppendItem(std::string_view, std::unique_ptr<AutotextEntry> entry) override {
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

// What a second read gives for a description: the writer trims it and ends
// every line with CR LF, and the reader drops the header texts of older files
// (which a description gathered from several readme blocks may hold) and the
// line break before the block's form feed.
std::string ExpectedDescription(const std::string& description) {
    const auto written = WithCrLf(std::string(TextRules::TrimmedRightView(description)));
    std::string expected;
    for (std::size_t start = 0;;) {
        const auto end = written.find("\r\n", start);
        const auto line = written.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!TextRules::IsOldHeaderText(line))
            expected += line + "\r\n";
        if (end == std::string::npos)
            return expected.substr(0, expected.size() - std::min<std::size_t>(expected.size(), 2));
        start = end + 2;
    }
}

void require(bool condition) {
    if (!condition)
        std::abort();
}

struct Reading {
    CollectingSink sink;
    bool dropped = false;
};

Reading Read(std::string_view bytes) {
    Reading reading;
    TemplateReader reader(0, reading.sink);
    reader.Read(bytes);
    reading.dropped = reader.DroppedText();
    return reading;
}

void RequireSameReading(const Reading& one, const Reading& other) {
    require(one.dropped == other.dropped);
    require(one.sink.entries.size() == other.sink.entries.size());
    for (std::size_t i = 0; i < one.sink.entries.size(); ++i) {
        const auto& a = *one.sink.entries[i];
        const auto& b = *other.sink.entries[i];
        require(a.title == b.title && a.shortcut == b.shortcut && a.code == b.code && a.description == b.description);
    }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto reading = Read(bytes);
    const auto& first = reading.sink;

    if (!TextRules::StartsWithByteOrderMark(bytes))
        RequireSameReading(Read(std::string(TextRules::kByteOrderMark) + std::string(bytes)), reading);
    if (TextRules::HasOnlyCarriageReturns(bytes)) {
        std::string crLf(bytes);
        TextRules::ReplaceAll(crLf, "\r", "\r\n");
        RequireSameReading(Read(crLf), reading);
    }

    // Loading reads and detects the format in one pass: on a current file it
    // yields what a plain read does.
    CollectingSink loading;
    if (TemplateReader(0, loading).ReadCurrentFormat(bytes)) {
        require(loading.entries.size() == first.entries.size());
        for (std::size_t i = 0; i < first.entries.size(); ++i)
            require(loading.entries[i]->code == first.entries[i]->code &&
                    loading.entries[i]->description == first.entries[i]->description);
    }

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
        require(after.description == ExpectedDescription(before.description));
    }
    return 0;
}
