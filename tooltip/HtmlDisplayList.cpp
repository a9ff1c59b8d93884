#include "tooltip/HtmlDisplayList.h"

namespace tarvel {

void OffsetDisplayItem(HtmlDisplayItem& item, int dx, int dy) {
    std::visit([dx, dy](auto& i) { i.box.Offset(dx, dy); }, item);
}

int HtmlDisplayList::LinkAt(int x, int y) const {
    for (const HtmlDisplayItem& item : items)
        if (const auto* area = std::get_if<HtmlLinkArea>(&item); area && area->box.Contains(x, y))
            return area->link;
    return -1;
}

}  // namespace tarvel
