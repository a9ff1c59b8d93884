// Any bytes as a legacy template file: no crash, no leak, no hang; a byte
// order mark in front changes nothing, text with CRs and no LF reads as the
// same text with CR LF, and under a double-byte code page text without a lead
// byte reads as under a single-byte one.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/LegacyTemplateReader.h"
#include "store/TextRules.h"

using namespace tarvel;

namespace {
// Each item as one text: its label, and its entry's fields when it has one.
class FlatteningSink : public TreeSink {
public:
    void AppendItem(std::string_view label, std::unique_ptr<AutotextEntry> entry) override {
        std::string item(label);
        if (entry)
            item += '\0' + entry->title + '\0' + entry->shortcut + '\0' + entry->code + '\0' + entry->description;
        items.push_back(std::move(item));
    }
    std::vector<std::string> items;
};

const LeadByteSet kCodePage932{{0x81, 0x9F}, {0xE0, 0xFC}};

std::vector<std::string> Read(std::string_view bytes, const LeadByteSet& leadBytes = LeadByteSet()) {
    FlatteningSink sink;
    LegacyTemplateReader(sink, leadBytes).Read(bytes);
    return sink.items;
}

void require(bool condition) {
    if (!condition)
        std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const auto items = Read(bytes);
    if (!TextRules::StartsWithByteOrderMark(bytes))
        require(Read(std::string(TextRules::kByteOrderMark) + std::string(bytes)) == items);
    if (TextRules::HasOnlyCarriageReturns(bytes)) {
        std::string crLf(bytes);
        TextRules::ReplaceAll(crLf, "\r", "\r\n");
        require(Read(crLf) == items);
    }
    const auto doubleByte = Read(bytes, kCodePage932);
    if (std::none_of(bytes.begin(), bytes.end(), [](char c) { return kCodePage932.IsLead(c); }))
        require(doubleByte == items);
    return 0;
}
