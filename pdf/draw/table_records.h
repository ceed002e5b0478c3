// The record of one open table: its column boundaries and the rows created so far.
#pragma once

#include <vector>

namespace pdf {

// Rows created together share one height; a run of them keeps only its first boundary,
// so a cell far down a table costs no memory for the rows above it.
struct TableRowRun {
    int FirstRow = 1;
    int LastRow = 1;
    float Top = 0;  // boundary above the first row
    float Height = 0;
};

struct TableRecord {
    std::vector<float> ColumnX;  // boundaries: the left edge, then one after each column
    std::vector<TableRowRun> Rows;
    float OriginY = 0;
    float RowHeight = 0;         // of the rows created from now on
};

}  // namespace pdf
