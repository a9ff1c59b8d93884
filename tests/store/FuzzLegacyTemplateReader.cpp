// Any bytes as a legacy template file: no crash, no leak, no hang.
#include <cstddef>
#include <cstdint>
#include <string>

#include "store/LegacyTemplateReader.h"

namespace {
class DiscardingSink : public TreeSink {
public:
    void AppendItem(const std::string&, std::unique_ptr<AutotextEntry>) override {}
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    DiscardingSink sink;
    LegacyTemplateReader(sink).Read(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
