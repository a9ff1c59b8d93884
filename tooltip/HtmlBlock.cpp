#include "tooltip/HtmlBlock.h"

#include <algorithm>
#include <utility>

namespace tarvel {

void HtmlBlock::Align(int boxWidth) {
    for (const Line& line : lines) {
        const int room = boxWidth - line.width;
        if (room <= 0)
            continue;
        if (line.align == HtmlHAlign::Justify) {
            if (line.wrapped)
                Justify(line, room);
            continue;
        }
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

// Spreads the room over the spaces of the line's runs; everything on the
// line moves right by what the runs before it grew, and what spans runs
// (a link's area, a styled run's border) grows with them.
void HtmlBlock::Justify(const Line& line, int room) {
    long long spaces = 0;
    for (std::size_t i = line.first; i < line.last; ++i)
        if (const auto* run = std::get_if<HtmlTextRun>(&items[i]))
            spaces += std::count(run->text.begin(), run->text.end(), ' ');
    if (spaces == 0)
        return;
    std::vector<std::pair<int, int>> growth;  // a run's left edge, its extra width
    long long seen = 0;
    for (std::size_t i = line.first; i < line.last; ++i) {
        auto* run = std::get_if<HtmlTextRun>(&items[i]);
        if (!run)
            continue;
        const long long own = std::count(run->text.begin(), run->text.end(), ' ');
        run->justify = static_cast<int>(room * (seen + own) / spaces - room * seen / spaces);
        seen += own;
        growth.emplace_back(run->box.left, run->justify);
    }
    const auto grownBefore = [&](int x) {
        int sum = 0;
        for (const auto& [left, extra] : growth)
            sum += left < x ? extra : 0;
        return sum;
    };
    for (std::size_t i = line.first; i < line.last; ++i)
        std::visit(
            [&](auto& item) {
                const int left = item.box.left, right = item.box.right;
                item.box.left += grownBefore(left);
                item.box.right += grownBefore(right);
            },
            items[i]);
}

}  // namespace tarvel
