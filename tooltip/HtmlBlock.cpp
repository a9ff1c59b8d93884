#include "tooltip/HtmlBlock.h"

void HtmlBlock::Align(int boxWidth) {
    for (const Line& line : lines) {
        const int room = boxWidth - line.width;
        int dx = 0;
        if (line.align == HtmlHAlign::Center)
            dx = room / 2;
        else if (line.align == HtmlHAlign::Right)
            dx = room;
        if (dx <= 0)
            continue;
        for (std::size_t i = line.first; i < line.last; ++i)
            OffsetDisplayItem(items[i], dx, 0);
    }
}
