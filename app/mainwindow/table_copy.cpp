// The copy button: the activity table is never shown, so its visible cells reach the user
// as tab-separated text on the clipboard.  Rows the filter hides and columns kept out of
// sight (height or width 0) are left out.
#include <string>

#include "app/mainwindow/frmMain.h"

namespace mainwindow {

namespace {

// A tab follows every copied cell but one of the last column, CR LF every copied row but the
// last one: a hidden last column or row leaves its separator at the end of the text.
std::string VisibleCellsText(const forms::MSFlexGrid& grid) {
  const int rows = grid.Rows();
  const int cols = grid.Cols();
  std::string text;
  for (int r = 0; r < rows; ++r) {
    if (grid.RowHeight(r) < 1) continue;
    for (int c = 0; c < cols; ++c) {
      if (grid.ColWidth(c) < 1) continue;
      text += grid.TextMatrix(r, c);
      if (c != cols - 1) text += '\t';
    }
    if (r != rows - 1) text += "\r\n";
  }
  return text;
}

}  // namespace

void frmMain::imgCopy_Click() {
  MSFlexGrid1.SetRedraw(false);
  const std::string text = VisibleCellsText(MSFlexGrid1);
  MSFlexGrid1.SetRedraw(true);
  if (text.empty()) return;
  services_.clipboard.Clear();
  services_.clipboard.SetText(text);
}

void frmMain::imgCopy_MouseDown(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  shSelect.SetVisible(true);
}

void frmMain::imgCopy_MouseUp(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  shSelect.SetVisible(false);
}

}  // namespace mainwindow
