// Any bytes as a current-format template file: no crash, no leak, no hang,
// and whatever is read writes out and reads back to the same bytes.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "store/TemplateReader.h"
#include "store/TemplateWriter.h"

namespace {
class CollectingSink : public TreeSink {
public:
    void appendItem(const std::string&, std::unique_ptr<AutotextEntry> entry) override
    {
        if (entry)
            entries.push_back(std::move(entry));
    }
    std::vector<AutotextEntry*> pointers() const
    {
        std::vector<AutotextEntry*> result;
        for (const auto& entry : entries)
            result.push_back(entry.get());
        return result;
    }
    std::vector<std::unique_ptr<AutotextEntry>> entries;
};

std::string writtenBytes(const CollectingSink& sink)
{
    return TemplateWriter::FormatLanguageRecords(sink.pointers());
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    CollectingSink first;
    TemplateReader(0, first).read(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto written = writtenBytes(first);
    CollectingSink second;
    TemplateReader(0, second).read(written);
    // A file the writer produced from read entries is stable from then on.
    CollectingSink third;
    const auto rewritten = writtenBytes(second);
    TemplateReader(0, third).read(rewritten);
    if (writtenBytes(third) != rewritten)
        std::abort();
    return 0;
}
