// Tables: grids of cell rectangles that the client fills one cell at a time.  Tables nest;
// cells go to the table opened last.
#include <algorithm>
#include <climits>
#include <cstdint>

#include "pdf/pagelith.h"

namespace pdf {

namespace {

int ColumnCount(const TableRecord& table)
{
    return static_cast<int>(table.ColumnX.size()) - 1;
}

int RowCount(const TableRecord& table)
{
    return table.Rows.back().LastRow;
}

// The boundary below row `row`; row 0 is the table's top edge.
float RowBoundary(const TableRecord& table, int row)
{
    if (row == 0)
        return table.OriginY;
    const auto run = std::lower_bound(
        table.Rows.begin(), table.Rows.end(), row,
        [](const TableRowRun& r, int wanted) { return r.LastRow < wanted; });
    return run->Top + static_cast<float>(row - run->FirstRow + 1) * run->Height;
}

// Rows up to `last` exist afterwards; the new ones get the table's current row height.
void CreateRows(TableRecord& table, int last)
{
    const int count = RowCount(table);
    if (last <= count)
        return;
    TableRowRun& previous = table.Rows.back();
    if (previous.Height == table.RowHeight)
        previous.LastRow = last;
    else
        table.Rows.push_back({count + 1, last, RowBoundary(table, count), table.RowHeight});
}

Error OutsideTable(const std::string& what)
{
    return Error(err::kSubscriptOutOfRange, "Subscript out of range: " + what);
}

}  // namespace

void Pagelith::BeginTable(float x, float y, float rowsHeight, const std::vector<float>& colsWidth)
{
    RequireFinite({x, y, rowsHeight});
    RequireFinite(colsWidth);
    TableRecord table;
    table.ColumnX.reserve(colsWidth.size() + 1);
    table.ColumnX.push_back(x);
    double right = x;
    for (float width : colsWidth) {
        right += width;
        table.ColumnX.push_back(static_cast<float>(right));
    }
    table.OriginY = y;
    table.RowHeight = rowsHeight;
    table.Rows.push_back({1, 1, y, rowsHeight});
    mTables.push_back(std::move(table));
    SaveGraphicState(StateOpener::Table);
}

// A column beyond the last lands in the last one, and one below 1 in the first; a column
// span is cut at the last column.  Rows grow as far down as the cell reaches.
std::array<float, 4> Pagelith::TableCell(int row, int col, int rowSpan, int colSpan,
                                         int options, int boxBorder, float ray)
{
    if (mTables.empty())
        return {0, 0, 0, 0};
    if (row < 1)
        throw OutsideTable("a table has no row " + std::to_string(row));
    if (rowSpan < 0 || colSpan < 0)
        throw OutsideTable("a cell cannot span a negative number of rows or columns");
    const std::int64_t last = std::int64_t{row} + rowSpan - 1;
    if (last > INT_MAX)
        throw Error(err::kOverflow, "Overflow");

    TableRecord& table = mTables.back();
    CreateRows(table, static_cast<int>(last));
    const int columns = ColumnCount(table);
    const int c = std::max(std::min(col, columns), 1);
    const int s = std::int64_t{c} + colSpan - 1 > columns ? columns - c + 1 : colSpan;

    const float x = table.ColumnX[static_cast<std::size_t>(c - 1)];
    const float y = RowBoundary(table, row - 1);
    const float w = table.ColumnX[static_cast<std::size_t>(c + s - 1)] - x;
    const float h = RowBoundary(table, static_cast<int>(last)) - y;
    DrawRect(x, y, w, h, options, boxBorder, ray);
    return {x, y, w, h};
}

void Pagelith::TableRowHeight(float value)
{
    RequireFinite({value});
    if (value > 0 && !mTables.empty())
        mTables.back().RowHeight = value;
}

void Pagelith::EndTable()
{
    if (mTables.empty())
        return;
    mTables.pop_back();
    RestoreGraphicState(StateOpener::Table);
}

}  // namespace pdf
