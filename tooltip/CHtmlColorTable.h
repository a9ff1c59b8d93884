#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

#include "tooltip/HtmlTypes.h"

namespace tarvel {

class IHtmlPlatform;

// The colour names of the markup and style sheets: 140 fixed colours and 28
// system colours read from the platform when the table is built.
class CHtmlColorTable {
public:
    explicit CHtmlColorTable(IHtmlPlatform& platform);

    std::optional<HtmlColor> Find(std::string_view name) const;
    std::size_t Count() const { return colors_.size(); }
    // A colour value: a name, "#rrggbb", or a C number taken as 0x00BBGGRR.
    // Nothing for any other form, which leaves the caller's colour as it is.
    std::optional<HtmlColor> Parse(std::string_view value) const;

private:
    std::unordered_map<std::string, HtmlColor> colors_;
};

}  // namespace tarvel
