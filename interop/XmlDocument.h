#pragma once

#include <pugixml.hpp>

#include <string_view>

namespace tarvel {

// An XML snippet file parsed by pugixml, with the lines of its nodes.
class XmlDocument {
public:
    // Throws SourceError with the line of the fault when the text is no XML,
    // or has no root element of the name.
    XmlDocument(std::string_view bytes, const char* rootName);

    pugi::xml_node Root() const { return document_.child(rootName_); }
    // The line (from 1) where a node starts.
    int LineOf(const pugi::xml_node& node) const;

private:
    std::string_view bytes_;
    const char* rootName_;
    pugi::xml_document document_;
};

}  // namespace tarvel
