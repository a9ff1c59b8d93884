#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "tooltip/HtmlTagTable.h"

namespace tarvel {

struct HtmlAttribute {
    std::string name;   // lower case
    std::string value;  // without its quotes
};

struct HtmlToken {
    enum class Type { Text, Open, Close };

    Type type = Type::Text;
    std::string name;  // tag name in lower case
    HtmlTagKind kind = HtmlTagKind::Unknown;
    std::string text;  // Text: the text; Open: a value written "<br=2>"
    std::vector<HtmlAttribute> attributes;
    int link = -1;          // an opening a: its number in text order
    std::size_t match = 0;  // an opening table: its closing token, or the end

    // The first attribute of that (lower-case) name, or null.
    const std::string* Attribute(std::string_view attributeName) const;
    bool IsOpen(std::string_view tag) const { return type == Type::Open && name == tag; }
    bool IsClose(std::string_view tag) const { return type == Type::Close && name == tag; }
};

struct HtmlLink {
    enum class Kind { Href, Message };
    Kind kind = Kind::Message;
    std::string target;  // the address, or the message text
};

// A markup text split into text and tags, with its links in text order.
struct HtmlMarkup {
    std::vector<HtmlToken> tokens;
    std::vector<HtmlLink> links;
};

// Parses a text prepared by PrepareHtmlMarkup. A "<" without a closing ">"
// is kept as text.
HtmlMarkup ParseHtmlMarkup(std::string_view prepared);

}  // namespace tarvel
