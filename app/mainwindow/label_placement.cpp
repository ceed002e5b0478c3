#include "app/mainwindow/label_placement.h"

#include "runtime/rounding.h"

namespace mainwindow {
namespace {

constexpr double kMinimumHeight = 285;
// How far below the top of row 11 an activity after the range is drawn.
constexpr double kAfterRange = 600;

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

  int startRow = start.Hour() - firstHour;
  double top;
  if (startRow < 0)
    top = 0;
  else if (startRow > lastRow)
    top = lblHeures[11].Top() + kAfterRange;
  else
    top = lblHeures[startRow].Top();
  if (start.Minute() > 15) top += halfRow;

  int endRow = end.Hour() - firstHour;
  double height;
  if (endRow < 0) {
    endRow = 0;
    height = lblHeures[0].Top() - top;
  } else if (endRow > lastRow) {
    endRow = 11;
    height = lblHeures[11].Top() + kAfterRange - top;
  } else {
    height = lblHeures[endRow].Top() - top;
  }
  if (end.Minute() > 15) height += lblHeures[endRow].Height() / 2;

  if (end.Date() != start.Date())
    height = lblHeures[lastRow].Top() + lblHeures[lastRow].Height() - top;
  if (height < kMinimumHeight) height = kMinimumHeight;

  lblActivite[index].Move(left, static_cast<double>(runtime::RoundHalfEven(top)), width,
                          static_cast<double>(runtime::RoundHalfEven(height)));
}

}  // namespace mainwindow
