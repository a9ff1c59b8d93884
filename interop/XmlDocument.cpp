#include "interop/XmlDocument.h"

#include <string>

#include "interop/SourceSnippet.h"
#include "interop/SourceText.h"

namespace tarvel {

XmlDocument::XmlDocument(std::string_view bytes, const char* rootName) : bytes_(bytes), rootName_(rootName) {
    const auto result = document_.load_buffer(bytes.data(), bytes.size(), pugi::parse_default, pugi::encoding_auto);
    if (!result)
        throw SourceError(SourceText::LineOf(bytes, static_cast<std::size_t>(result.offset)),
                          std::string("not valid XML: ") + result.description());
    if (!Root())
        throw SourceError(1, std::string("holds no <") + rootName + "> element");
}

// pugixml keeps where each node stands in the text it converted, which for a
// file in UTF-8 is the file itself.
int XmlDocument::LineOf(const pugi::xml_node& node) const {
    const auto offset = node.offset_debug();
    return offset < 0 ? 0 : SourceText::LineOf(bytes_, static_cast<std::size_t>(offset));
}

}  // namespace tarvel
