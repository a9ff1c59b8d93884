#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvel {

// The markup of a code preview: the preview icon beside the text, which
// shows exactly as written.
std::string CodePreviewMarkup(std::string_view text);

// The markup of the help tips: an icon cell, the help text, a "More..."
// link and a picture below, optionally under a green rule.
struct HelpTipParts {
    std::string text;
    std::string address;  // empty: no "More..." link
    bool separator = false;
};

// The picture is bitmap `bitmapId` with `mask` as its transparent colour.
std::string HelpTipWithBitmap(const HelpTipParts& parts, unsigned bitmapId, std::uint32_t mask);
// The picture is the animated image list `listId` of cx x cy cells.
std::string HelpTipWithImageList(const HelpTipParts& parts, unsigned listId, int cx, int cy, std::uint32_t mask,
                                 int speed);

}  // namespace tarvel
