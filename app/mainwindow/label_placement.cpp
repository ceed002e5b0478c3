#include "app/mainwindow/label_placement.h"

#include "runtime/rounding.h"

namespace mainwindow {
namespace {

constexpr double kMinimumHeight = 285;

}  // namespace

void PositionActivityLabel(forms::ControlArray<forms::Label>& lblActivite, int index,
                           runtime::DateTime start, runtime::DateTime end, int left, int width,
                           const forms::ControlArray<forms::Label>& lblHeures,
                           const forms::ComboBox& cmbHeures, forms::Label& lblInfo) {
  lblInfo.SetVisible(false);

  const int range = cmbHeures.ListIndex();
  const bool twelveHours = range >= 1;
  const int firstHour = twelveHours ? range + 4 : 0;
  const int lastRow = twelveHours ? 11 : 23;
  const double halfRow = lblHeures[0].Height() / 2;

  // An activity before the range is drawn from the range's first line and one after it up
  // to its last line, at their least height: never over the day headers above the grid nor
  // below its bottom border.
  const double rangeEnd = lblHeures[lastRow].Top() + lblHeures[lastRow].Height();
  const int startRow = start.Hour() - firstHour;
  double top;
  if (startRow < 0)
    top = lblHeures[0].Top();
  else if (startRow > lastRow)
    top = rangeEnd - kMinimumHeight;
  else
    top = lblHeures[startRow].Top() + (start.Minute() > 15 ? halfRow : 0);

  // An activity that ends when the range does, or later the same day, is drawn down to the
  // range's last line, as is one that ends on a later day.
  const int endRow = end.Hour() - firstHour;
  double height;
  if (endRow > lastRow || end.Date() != start.Date()) {
    height = rangeEnd - top;
  } else if (endRow < 0) {
    height = 0;  // ended before the range: the least height at its first line
  } else {
    const forms::Label& row = lblHeures[endRow];
    height = row.Top() - top;
    if (end.Minute() > 15) height += row.Height() / 2;
  }
  if (height < kMinimumHeight) height = kMinimumHeight;

  lblActivite[index].Move(left, static_cast<double>(runtime::RoundHalfEven(top)), width,
                          static_cast<double>(runtime::RoundHalfEven(height)));
}

}  // namespace mainwindow
