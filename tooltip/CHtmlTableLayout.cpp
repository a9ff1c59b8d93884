#include "tooltip/CHtmlTableLayout.h"

#include <algorithm>
#include <numeric>

#include "tooltip/HtmlLength.h"
#include "tooltip/HtmlText.h"

namespace tarvel {

namespace {

constexpr int kMaxColumns = 100;
constexpr int kDefaultPadding = 1;
constexpr int kDefaultSpacing = 2;

int Clamp(long long value) { return static_cast<int>(std::clamp<long long>(value, 0, kMaxExtent)); }

bool IsPercent(const std::optional<std::string>& value) { return value && IsHtmlPercentage(*value); }

}  // namespace

CHtmlTableLayout::CHtmlTableLayout(CHtmlLayoutContext& context, const HtmlFlowFrame& outer, const HtmlFlowState& state)
    : context_(context), outer_(outer), state_(state), placement_(state.style.hAlign) {}

HtmlBlock CHtmlTableLayout::Layout(std::size_t table, std::size_t end) {
    ReadTable(context_.Markup().tokens[table]);
    Scan(table, end);
    PlaceOnGrid();
    MeasureCells();
    SizeColumns();
    LayOutCells();
    SizeRows();
    HtmlBlock block = Emit();
    block.usesPercent = usesPercent_;
    return block;
}

std::optional<int> CHtmlTableLayout::Length(const std::optional<std::string>& value, int base) const {
    if (!value)
        return std::nullopt;
    return context_.StyleContext().Length(*value, base, state_.style);
}

void CHtmlTableLayout::ReadTable(const HtmlToken& tag) {
    const CHtmlStyleContext& styles = context_.StyleContext();
    look_ = ReadHtmlTableLook(tag, HtmlTablePart::Table, styles, state_.style);
    if (look_.align)
        placement_ = *look_.align;
    const auto length = [&](std::string_view name, int fallback) {
        const std::string* v = tag.Attribute(name);
        return v ? styles.Length(*v, 0, state_.style).value_or(fallback) : fallback;
    };
    padding_ = length("cellpadding", kDefaultPadding);
    spacing_ = length("cellspacing", kDefaultSpacing);
    if (IsPercent(look_.width)) {
        usesPercent_ = true;
        if (outer_.percentBase > 0)
            width_ = Length(look_.width, outer_.percentBase);
    } else {
        width_ = Length(look_.width, 0);
    }
    if (const std::string* image = tag.Attribute("background")) {
        HtmlImageSource source;
        if (ParseCNumber(TrimSpaces(*image)))
            source.resourceId = ParseResourceId(*image).value_or(0);
        else
            source.file = *image;
        background_ = source;
    }
}

// Splits the table's tokens into rows and cells; a nested table belongs to
// the cell it stands in. Cells without a row open one.
void CHtmlTableLayout::Scan(std::size_t table, std::size_t end) {
    const auto& tokens = context_.Markup().tokens;
    for (std::size_t i = table + 1; i < end; ++i) {
        const HtmlToken& t = tokens[i];
        const bool cellTag = t.name == "td" || t.name == "th";
        if (t.IsOpen("table")) {
            i = std::max(i, std::min(t.match, end));
        } else if (t.IsOpen("tr")) {
            CloseCell(i);
            rows_.push_back({&t, ReadHtmlTableLook(t, HtmlTablePart::Row, context_.StyleContext(), state_.style)});
            rowOpen_ = true;
        } else if (cellTag && t.type == HtmlToken::Type::Open) {
            OpenCell(i);
        } else if (cellTag || t.IsClose("tr")) {
            CloseCell(i);
            rowOpen_ = rowOpen_ && !t.IsClose("tr");
        }
    }
    CloseCell(end);
}

void CHtmlTableLayout::OpenCell(std::size_t index) {
    CloseCell(index);
    if (!rowOpen_) {
        rows_.push_back({});
        rowOpen_ = true;
    }
    Cell cell;
    cell.tag = &context_.Markup().tokens[index];
    cell.begin = index + 1;
    cell.row = rows_.size() - 1;
    cell.look = ReadHtmlTableLook(*cell.tag, HtmlTablePart::Cell, context_.StyleContext(), state_.style);
    if (!cell.look.borderGiven && look_.border > 0) {
        cell.look.border = 1;
        cell.look.borderStyle = look_.borderStyle;
        if (!cell.look.colorGiven) {
            cell.look.light = look_.light;
            cell.look.dark = look_.dark;
        }
    }
    openCell_ = cells_.size();
    cells_.push_back(std::move(cell));
}

void CHtmlTableLayout::CloseCell(std::size_t index) {
    if (!openCell_)
        return;
    cells_[*openCell_].end = index;
    openCell_.reset();
}

// Gives each cell the first free column of its row; spans are cut to the
// rows there are and to the column limit.
void CHtmlTableLayout::PlaceOnGrid() {
    std::vector<std::vector<bool>> taken(rows_.size());
    std::vector<Cell> placed;
    for (Cell& cell : cells_) {
        auto& row = taken[cell.row];
        int column = 0;
        while (column < static_cast<int>(row.size()) && row[column])
            ++column;
        if (column >= kMaxColumns)
            continue;
        cell.column = column;
        cell.look.colSpan = std::min(cell.look.colSpan, kMaxColumns - column);
        cell.look.rowSpan = static_cast<int>(std::min<std::size_t>(cell.look.rowSpan, rows_.size() - cell.row));
        for (std::size_t r = cell.row; r < cell.row + cell.look.rowSpan; ++r) {
            auto& occupied = taken[r];
            if (occupied.size() < static_cast<std::size_t>(column + cell.look.colSpan))
                occupied.resize(column + cell.look.colSpan, false);
            std::fill(occupied.begin() + column, occupied.begin() + column + cell.look.colSpan, true);
        }
        columnCount_ = std::max(columnCount_, column + cell.look.colSpan);
        placed.push_back(std::move(cell));
    }
    cells_ = std::move(placed);
}

HtmlFlowState CHtmlTableLayout::CellState(const Cell& cell) const {
    HtmlFlowState state = state_;
    const auto& rowLook = rows_[cell.row].look;
    if (cell.look.align)
        state.style.hAlign = *cell.look.align;
    else if (rowLook.align)
        state.style.hAlign = *rowLook.align;
    return state;
}

HtmlBlock CHtmlTableLayout::LayOutContent(const Cell& cell, int width, int percentBase) const {
    HtmlFlowFrame frame;
    frame.wrapWidth = std::max(1, width);
    frame.percentBase = percentBase;
    frame.tableDepth = outer_.tableDepth + 1;
    return CHtmlFlow(context_, frame, CellState(cell)).Run(cell.begin, cell.end);
}

// Lays every cell out as wide as the table may be, for the widths its
// content wants.
void CHtmlTableLayout::MeasureCells() {
    const int available = width_.value_or(outer_.wrapWidth);
    const int frame = 2 * look_.border + 2 * spacing_;
    for (Cell& cell : cells_) {
        cell.content = LayOutContent(cell, available - frame - 2 * Inset(cell), 0);
        if (IsPercent(cell.look.width)) {
            if (width_)
                cell.fixedWidth = Length(cell.look.width, *width_).value_or(-1);
        } else {
            cell.fixedWidth = Length(cell.look.width, 0).value_or(-1);
        }
    }
}

// Widens the columns a cell spans, evenly, until they hold `wanted`.
void CHtmlTableLayout::Spread(std::vector<int>& widths, const Cell& cell, long long wanted) const {
    const auto first = widths.begin() + cell.column;
    const auto last = first + cell.look.colSpan;
    const long long have = std::accumulate(first, last, 0LL) + (cell.look.colSpan - 1) * spacing_;
    // The share's remainder goes to the first columns, so the span is not
    // left a few pixels short of its content.
    const int missing = Clamp(wanted - have);
    const int share = missing / cell.look.colSpan;
    int remainder = missing % cell.look.colSpan;
    for (auto c = first; c != last; ++c, --remainder)
        *c = Clamp(*c + static_cast<long long>(share) + (remainder > 0 ? 1 : 0));
}

// Columns as wide as their content or the width asked for, but never
// narrower than their floors when those are needed: when the table must
// shrink, or a width asked for may be too small for a word. Then the table
// is widened or narrowed to its width, the free columns first.
void CHtmlTableLayout::SizeColumns() {
    columns_.assign(columnCount_, 0);
    std::vector<bool> fixed(columnCount_, false);
    for (int pass = 1; pass <= 2; ++pass) {
        for (const Cell& cell : cells_) {
            if ((cell.look.colSpan == 1) != (pass == 1))
                continue;
            Spread(columns_, cell, cell.fixedWidth >= 0 ? cell.fixedWidth : cell.content.width + 2 * Inset(cell));
            if (pass == 1 && cell.fixedWidth >= 0)
                fixed[cell.column] = true;
        }
    }
    const long long frame = 2LL * look_.border + static_cast<long long>(columnCount_ + 1) * spacing_;
    const auto total = [&] { return std::accumulate(columns_.begin(), columns_.end(), 0LL) + frame; };
    const long long limit = width_ ? *width_ : outer_.wrapWidth;
    std::vector<int> floors;
    if (total() > limit || std::find(fixed.begin(), fixed.end(), true) != fixed.end()) {
        floors = Floors(limit - frame);
        for (int c = 0; c < columnCount_; ++c)
            columns_[c] = std::max(columns_[c], floors[c]);
    }
    const long long target = width_ ? *width_ : std::min(total(), limit);
    if (total() <= target) {
        Grow(static_cast<int>(std::min<long long>(target - total(), kMaxExtent)), fixed);
        return;
    }
    std::vector<int> free, all;
    for (int c = 0; c < columnCount_; ++c) {
        all.push_back(c);
        if (!fixed[c])
            free.push_back(c);
    }
    Shrink(total() - target, free, floors);
    Shrink(total() - target, all, floors);
}

// The narrowest each column may be: as wide as its longest word (or
// image) when all of those fit side by side in the room; else the longest
// words are cut to the widest share that leaves the other columns theirs,
// and only those words break, never below a column's widest letter.
std::vector<int> CHtmlTableLayout::Floors(long long room) const {
    const std::vector<int> words = ColumnMinimums(true);
    if (words.empty() || std::accumulate(words.begin(), words.end(), 0LL) <= room)
        return words;
    const std::vector<int> letters = ColumnMinimums(false);
    const auto capped = [&](long long cap, int c) {
        return std::max<long long>(letters[c], std::min<long long>(words[c], cap));
    };
    const auto sum = [&](long long cap) {
        long long total = 0;
        for (int c = 0; c < columnCount_; ++c)
            total += capped(cap, c);
        return total;
    };
    long long low = 0, high = *std::max_element(words.begin(), words.end());
    while (low < high) {
        const long long cap = (low + high + 1) / 2;
        if (sum(cap) <= room)
            low = cap;
        else
            high = cap - 1;
    }
    std::vector<int> floors(columnCount_);
    for (int c = 0; c < columnCount_; ++c)
        floors[c] = Clamp(capped(low, c));
    return floors;
}

// The width of the cell's content when every line is broken wherever it
// can be: its widest image or word, or (words broken after any letter, as
// a word longer than its line is) its widest image.
int CHtmlTableLayout::NarrowestWidth(const Cell& cell, bool keepWords) const {
    HtmlFlowFrame frame;
    frame.wrapWidth = 1;
    frame.tableDepth = outer_.tableDepth + 1;
    frame.keepWords = keepWords;
    return CHtmlFlow(context_, frame, CellState(cell)).Run(cell.begin, cell.end).width + 2 * Inset(cell);
}

std::vector<int> CHtmlTableLayout::ColumnMinimums(bool keepWords) const {
    std::vector<int> minimum(columnCount_, 0);
    for (int pass = 1; pass <= 2; ++pass)
        for (const Cell& cell : cells_)
            if ((cell.look.colSpan == 1) == (pass == 1))
                Spread(minimum, cell, NarrowestWidth(cell, keepWords));
    return minimum;
}

// Narrows the chosen columns by up to `amount` in all, each in proportion
// to how much narrower it can be: no column gets narrower than its
// minimum.
void CHtmlTableLayout::Shrink(long long amount, const std::vector<int>& chosen, const std::vector<int>& minimum) {
    long long slack = 0;
    for (int c : chosen)
        slack += std::max(0, columns_[c] - minimum[c]);
    amount = std::min(amount, slack);
    long long before = 0;
    for (int c : chosen) {
        const long long own = std::max(0, columns_[c] - minimum[c]);
        const long long taken = amount * (before + own) / std::max(1LL, slack) - amount * before / std::max(1LL, slack);
        columns_[c] = Clamp(columns_[c] - taken);
        before += own;
    }
}

// Widens the columns by `delta` in all, in proportion to their widths: the
// free ones if there are any, else all of them.
void CHtmlTableLayout::Grow(int delta, const std::vector<bool>& fixed) {
    std::vector<int> chosen;
    for (int c = 0; c < columnCount_; ++c)
        if (!fixed[c])
            chosen.push_back(c);
    if (chosen.empty())
        for (int c = 0; c < columnCount_; ++c)
            chosen.push_back(c);
    if (chosen.empty() || delta <= 0)
        return;
    long long sum = 0;
    for (int c : chosen)
        sum += columns_[c];
    long long given = 0;
    for (std::size_t i = 0; i < chosen.size(); ++i) {
        const bool last = i + 1 == chosen.size();
        const long long share = last ? delta - given
                                     : (sum > 0 ? delta * static_cast<long long>(columns_[chosen[i]]) / sum
                                                : delta / static_cast<long long>(chosen.size()));
        columns_[chosen[i]] = Clamp(columns_[chosen[i]] + share);
        given += share;
    }
}

int CHtmlTableLayout::CellWidth(const Cell& cell) const {
    long long width = (cell.look.colSpan - 1) * static_cast<long long>(spacing_);
    for (int c = cell.column; c < cell.column + cell.look.colSpan; ++c)
        width += columns_[c];
    return Clamp(width);
}

int CHtmlTableLayout::CellHeight(const Cell& cell) const {
    long long height = (cell.look.rowSpan - 1) * static_cast<long long>(spacing_);
    for (std::size_t r = cell.row; r < cell.row + cell.look.rowSpan; ++r)
        height += rowHeights_[r];
    return Clamp(height);
}

// Lays out again the cells that are now narrower than their content or
// that hold percentages of their width.
void CHtmlTableLayout::LayOutCells() {
    for (Cell& cell : cells_) {
        const int width = std::max(0, CellWidth(cell) - 2 * Inset(cell));
        if (cell.content.width > width || cell.content.usesPercent)
            cell.content = LayOutContent(cell, width, width);
        cell.content.Align(width);
    }
}

void CHtmlTableLayout::SizeRows() {
    rowHeights_.assign(rows_.size(), 0);
    for (std::size_t r = 0; r < rows_.size(); ++r)
        rowHeights_[r] = Length(rows_[r].look.height, 0).value_or(0);
    for (int pass = 1; pass <= 2; ++pass) {
        for (const Cell& cell : cells_) {
            if ((cell.look.rowSpan == 1) != (pass == 1))
                continue;
            const long long wanted =
                std::max<long long>(cell.content.height + 2LL * Inset(cell), Length(cell.look.height, 0).value_or(0));
            const std::size_t last = cell.row + cell.look.rowSpan - 1;
            rowHeights_[last] = Clamp(rowHeights_[last] + std::max(0LL, wanted - CellHeight(cell)));
        }
    }
    const int asked = Length(look_.height, 0).value_or(0);
    const int height = RowY(rows_.size()) + look_.border;
    if (!rowHeights_.empty() && asked > height)
        rowHeights_.back() = Clamp(rowHeights_.back() + asked - height);
}

int CHtmlTableLayout::ColumnX(int column) const {
    long long x = look_.border + spacing_;
    for (int c = 0; c < column; ++c)
        x += columns_[c] + spacing_;
    return Clamp(x);
}

int CHtmlTableLayout::RowY(std::size_t row) const {
    long long y = look_.border + spacing_;
    for (std::size_t r = 0; r < row; ++r)
        y += rowHeights_[r] + spacing_;
    return Clamp(y);
}

void CHtmlTableLayout::EmitBox(HtmlBlock& out, const HtmlRect& box, const HtmlTableLook& look, bool raised) const {
    if (look.fill.effect != kEffectTransparent) {
        HtmlFill fill = look.fill;
        fill.box = box;
        out.items.push_back(fill);
    }
    if (look.border > 0) {
        out.items.push_back(HtmlBorder{box, look.border, look.borderStyle, look.light, look.dark, raised});
    }
}

HtmlBlock CHtmlTableLayout::Emit() {
    HtmlBlock out;
    out.width = Clamp(static_cast<long long>(ColumnX(columnCount_)) + look_.border);
    out.height = Clamp(static_cast<long long>(RowY(rows_.size())) + look_.border);
    const HtmlRect whole = MakeRect(0, 0, out.width, out.height);
    EmitBox(out, whole, look_, true);
    if (background_) {
        HtmlImage image;
        image.source = *background_;
        image.box = MakeRect(look_.border, look_.border, out.width - 2 * look_.border, out.height - 2 * look_.border);
        image.tiled = true;
        out.items.push_back(image);
    }
    for (std::size_t r = 0; r < rows_.size(); ++r) {
        const int inner = out.width - 2 * look_.border - 2 * spacing_;
        EmitBox(out, MakeRect(look_.border + spacing_, RowY(r), inner, rowHeights_[r]), rows_[r].look, true);
    }
    for (Cell& cell : cells_) {
        const HtmlRect box = MakeRect(ColumnX(cell.column), RowY(cell.row), CellWidth(cell), CellHeight(cell));
        EmitBox(out, box, cell.look, false);
        const int room = box.Height() - 2 * Inset(cell) - cell.content.height;
        const auto vAlign = cell.look.vAlign ? cell.look.vAlign : rows_[cell.row].look.vAlign;
        // Top unless asked otherwise: beside a long text a centred image
        // would stand out of sight.
        int dy = 0;
        if (vAlign == HtmlVAlign::Middle)
            dy = room / 2;
        else if (vAlign == HtmlVAlign::Bottom)
            dy = room;
        const int inset = Inset(cell);
        for (HtmlDisplayItem& item : cell.content.items) {
            OffsetDisplayItem(item, box.left + inset, box.top + inset + std::max(0, dy));
            out.items.push_back(std::move(item));
        }
    }
    return out;
}

}  // namespace tarvel
