#include "tooltip/HelpTipMarkup.h"

#include <cstdio>

#include "tooltip/MarkupEscape.h"

namespace tarvel {

namespace {

constexpr char kIconCell[] = "<table><tr><td><center><icon idres=1076 style=s></center></td>";
constexpr char kSeparator[] = "<br><hr width=\"100%\" color=green></td></tr><tr><td></td><td>";
constexpr char kNextRow[] = "</td></tr><tr><td></td><td>";
constexpr char kEnd[] = "</td></tr></table>";
constexpr char kPreviewStart[] = "<table><tr><td><icon idres=144 width=0 height=0></td><td>";

std::string WithPicture(const HelpTipParts& parts, const std::string& picture) {
    std::string markup = kIconCell;
    markup += "<td>" + parts.text;
    if (!parts.address.empty())
        markup += "<br><a href=" + parts.address + ">More...</a>";
    markup += parts.separator ? kSeparator : kNextRow;
    return markup + picture + kEnd;
}

}  // namespace

std::string HelpTipWithBitmap(const HelpTipParts& parts, unsigned bitmapId, std::uint32_t mask) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "<bmp idres=%u mask=0x%X style=s>", bitmapId, static_cast<unsigned>(mask));
    return WithPicture(parts, buffer);
}

std::string HelpTipWithImageList(const HelpTipParts& parts, unsigned listId, int cx, int cy, std::uint32_t mask,
                                 int speed) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, "<ilst idres=%u cx=%d cy=%d mask=0x%X speed=%d style=s>", listId, cx, cy,
                  static_cast<unsigned>(mask), speed);
    return WithPicture(parts, buffer);
}

std::string CodePreviewMarkup(std::string_view text) { return kPreviewStart + EscapeMarkupText(text) + kEnd; }

}  // namespace tarvel
