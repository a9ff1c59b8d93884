#pragma once

#include <cstddef>
#include <optional>
#include <vector>

#include "tooltip/CHtmlFlow.h"
#include "tooltip/HtmlTableLook.h"

namespace tarvel {

// Lays out one table: its rows and cells on a grid (with rowspan and
// colspan), column widths from the cells' contents and the widths asked
// for, row heights from the laid-out cells, then backgrounds, borders and
// the cells' contents as one block.
class CHtmlTableLayout {
public:
    CHtmlTableLayout(CHtmlLayoutContext& context, const HtmlFlowFrame& outer, const HtmlFlowState& state);

    // The table whose opening tag is tokens[table]; its tokens end at `end`.
    HtmlBlock Layout(std::size_t table, std::size_t end);
    // Where the table sits on its line.
    HtmlHAlign Placement() const { return placement_; }

private:
    struct Cell {
        std::size_t begin = 0, end = 0;  // content tokens
        const HtmlToken* tag = nullptr;
        std::size_t row = 0;
        int column = 0;
        HtmlTableLook look;
        HtmlBlock content;
        int fixedWidth = -1;
    };
    struct Row {
        const HtmlToken* tag = nullptr;
        HtmlTableLook look;
    };

    void ReadTable(const HtmlToken& tag);
    void Scan(std::size_t table, std::size_t end);
    void OpenCell(std::size_t index);
    void CloseCell(std::size_t index);
    void PlaceOnGrid();
    void MeasureCells();
    void SizeColumns();
    void Spread(std::vector<int>& widths, const Cell& cell, long long wanted) const;
    std::vector<int> Floors(long long room) const;
    void Grow(int delta, const std::vector<bool>& fixed);
    void Shrink(long long amount, const std::vector<int>& chosen, const std::vector<int>& minimum);
    std::vector<int> ColumnMinimums(bool keepWords) const;
    int NarrowestWidth(const Cell& cell, bool keepWords) const;
    void LayOutCells();
    void SizeRows();
    HtmlBlock Emit();
    void EmitBox(HtmlBlock& out, const HtmlRect& box, const HtmlTableLook& look, bool raised) const;

    HtmlFlowState CellState(const Cell& cell) const;
    HtmlBlock LayOutContent(const Cell& cell, int width, int percentBase) const;
    int Inset(const Cell& cell) const { return padding_ + cell.look.border; }
    int CellWidth(const Cell& cell) const;
    int CellHeight(const Cell& cell) const;
    int ColumnX(int column) const;
    int RowY(std::size_t row) const;
    std::optional<int> Length(const std::optional<std::string>& value, int base) const;

    CHtmlLayoutContext& context_;
    HtmlFlowFrame outer_;
    HtmlFlowState state_;
    HtmlHAlign placement_;
    HtmlTableLook look_;
    int padding_ = 1;
    int spacing_ = 2;
    std::optional<int> width_;  // asked for in pixels, or known from a percentage
    bool usesPercent_ = false;
    std::optional<HtmlImageSource> background_;
    std::vector<Row> rows_;
    std::vector<Cell> cells_;
    std::optional<std::size_t> openCell_;
    bool rowOpen_ = false;
    int columnCount_ = 0;
    std::vector<int> columns_;
    std::vector<int> rowHeights_;
};

}  // namespace tarvel
