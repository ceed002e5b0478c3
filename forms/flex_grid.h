// A grid of text cells.  It is never shown by the windows; the logic reads and writes its
// cells, sizes and current cell.  A row of height 0 or a column of width 0 is hidden.
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

class MSFlexGrid : public Control {
 public:
  MSFlexGrid(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kMSFlexGrid; }

  int Rows() const { return static_cast<int>(rowHeights_.size()); }
  int Cols() const { return static_cast<int>(colWidths_.size()); }
  // New rows and columns are empty, with the default size; the current cell stays inside.
  void SetRows(int value);
  void SetCols(int value);
  int FixedRows() const { return fixedRows_; }
  void SetFixedRows(int value);
  int FixedCols() const { return fixedCols_; }
  void SetFixedCols(int value);

  // Outside the grid these are errors (381).
  const std::string& TextMatrix(int row, int col) const;
  void SetTextMatrix(int row, int col, std::string text);
  double ColWidth(int col) const;
  void SetColWidth(int col, double twips);
  double RowHeight(int row) const;
  void SetRowHeight(int row, double twips);

  // The current cell.
  int Row() const { return row_; }
  void SetRow(int value);
  int Col() const { return col_; }
  void SetCol(int value);
  const std::string& Text() const { return TextMatrix(row_, col_); }
  void SetText(std::string text) { SetTextMatrix(row_, col_, std::move(text)); }
  // Colours of the current cell; 0 means the grid's own colours.
  Color CellBackColor() const;
  void SetCellBackColor(Color value);
  Color CellForeColor() const;
  void SetCellForeColor(Color value);

  // Whether the grid repaints after each change; the cells change the same either way.
  bool Redraw() const { return redraw_; }
  void SetRedraw(bool value) { Update(redraw_, value); }

 protected:
  template <class>
  friend class ControlArray;
  MSFlexGrid(const MSFlexGrid&) = default;

 private:
  struct Cell {
    std::string text;
    Color back = 0;
    Color fore = 0;
  };
  const Cell& At(int row, int col) const;
  Cell& At(int row, int col);
  void CheckRow(int row) const;
  void CheckCol(int col) const;

  std::vector<std::vector<Cell>> cells_;  // [row][col]
  std::vector<double> rowHeights_;
  std::vector<double> colWidths_;
  int fixedRows_ = 1;
  int fixedCols_ = 1;
  int row_ = 1;
  int col_ = 1;
  bool redraw_ = true;
};

}  // namespace forms
