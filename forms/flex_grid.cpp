#include "forms/flex_grid.h"

#include <algorithm>

#include "forms/error.h"

namespace forms {

namespace {

constexpr double kDefaultRowHeight = 240;
constexpr double kDefaultColWidth = 960;

}  // namespace

MSFlexGrid::MSFlexGrid(Container& parent, std::string name) : Control(parent, std::move(name)) {
  SetBackColor(kWindowBackground);
  SetForeColor(kWindowText);
  Move(0, 0, 2415, 1455);
  SetRows(2);
  SetCols(2);
}

void MSFlexGrid::CheckRow(int row) const {
  if (row < 0 || row >= Rows()) throw RuntimeError(kErrInvalidRowValue, "Subscript out of range");
}

void MSFlexGrid::CheckCol(int col) const {
  if (col < 0 || col >= Cols()) throw RuntimeError(kErrInvalidRowValue, "Subscript out of range");
}

const MSFlexGrid::Cell& MSFlexGrid::At(int row, int col) const {
  CheckRow(row);
  CheckCol(col);
  return cells_[row][col];
}

MSFlexGrid::Cell& MSFlexGrid::At(int row, int col) {
  CheckRow(row);
  CheckCol(col);
  return cells_[row][col];
}

void MSFlexGrid::SetRows(int value) {
  if (value < fixedRows_ || value < 0)
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  cells_.resize(value, std::vector<Cell>(Cols()));
  rowHeights_.resize(value, kDefaultRowHeight);
  row_ = std::min(row_, std::max(0, value - 1));
  Changed();
}

void MSFlexGrid::SetCols(int value) {
  if (value < fixedCols_ || value < 0)
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  for (auto& row : cells_) row.resize(value);
  colWidths_.resize(value, kDefaultColWidth);
  col_ = std::min(col_, std::max(0, value - 1));
  Changed();
}

void MSFlexGrid::SetFixedRows(int value) {
  if (value < 0 || value > Rows())
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  Update(fixedRows_, value);
}

void MSFlexGrid::SetFixedCols(int value) {
  if (value < 0 || value > Cols())
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
  Update(fixedCols_, value);
}

const std::string& MSFlexGrid::TextMatrix(int row, int col) const { return At(row, col).text; }

void MSFlexGrid::SetTextMatrix(int row, int col, std::string text) {
  Update(At(row, col).text, std::move(text));
}

double MSFlexGrid::ColWidth(int col) const {
  CheckCol(col);
  return colWidths_[col];
}

void MSFlexGrid::SetColWidth(int col, double twips) {
  CheckCol(col);
  Update(colWidths_[col], std::max(0.0, twips));
}

double MSFlexGrid::RowHeight(int row) const {
  CheckRow(row);
  return rowHeights_[row];
}

void MSFlexGrid::SetRowHeight(int row, double twips) {
  CheckRow(row);
  Update(rowHeights_[row], std::max(0.0, twips));
}

void MSFlexGrid::SetRow(int value) {
  CheckRow(value);
  Update(row_, value);
}

void MSFlexGrid::SetCol(int value) {
  CheckCol(value);
  Update(col_, value);
}

Color MSFlexGrid::CellBackColor() const { return At(row_, col_).back; }
void MSFlexGrid::SetCellBackColor(Color value) { Update(At(row_, col_).back, value); }
Color MSFlexGrid::CellForeColor() const { return At(row_, col_).fore; }
void MSFlexGrid::SetCellForeColor(Color value) { Update(At(row_, col_).fore, value); }

}  // namespace forms
