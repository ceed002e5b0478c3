#include "app/mainwindow/hour_grid.h"

#include <cstdio>
#include <string>

namespace mainwindow {
namespace {

constexpr double kFirstRowTop = 1140;
constexpr int kLastRowIndex = 23;

struct HourRange {
  int firstHour;
  int lastHour;
  double rowHeight;
};

HourRange RangeOf(int listIndex) {
  if (listIndex == 0) return {0, 23, 440};
  if (listIndex >= 1 && listIndex <= 5) return {listIndex + 4, listIndex + 15, 880};
  return {0, 0, 880};
}

std::string TwoDigits(int value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

void PlaceLine(forms::Line& line, double x1, double x2, double y) {
  line.SetX1(x1);
  line.SetX2(x2);
  line.SetY1(y);
  line.SetY2(y);
  line.SetVisible(true);
  line.ZOrder(0);
}

}  // namespace

void LayoutHourGrid(const forms::Frame& fraSemaine, const forms::ComboBox& cmbHeures,
                    const forms::ControlArray<forms::Label>& lblJour,
                    forms::ControlArray<forms::Label>& lblHeures,
                    forms::ControlArray<forms::Line>& Line1,
                    forms::ControlArray<forms::Line>& Line2) {
  if (!fraSemaine.Visible()) return;

  const int listIndex = cmbHeures.ListIndex();
  const HourRange range = RangeOf(listIndex);
  const int lastRow = range.lastHour - range.firstHour;
  const forms::Label& lastDay = lblJour[6].Visible() ? lblJour[6] : lblJour[4];
  const double linesEnd = lastDay.Left() + lastDay.Width();

  for (int r = 0; r <= lastRow; ++r) {
    const int hour = range.firstHour + r;
    forms::Label& row = lblHeures[r];
    row.SetTag(std::to_string(hour));
    row.SetCaption(listIndex == 0 ? TwoDigits(hour) + ":00"
                                  : TwoDigits(hour) + ":00\n\n" + TwoDigits(hour) + ":30");
    if (r == 0) {
      row.Move(row.Left(), kFirstRowTop, row.Width(), range.rowHeight);
    } else {
      const forms::Label& above = lblHeures[r - 1];
      row.Move(above.Left(), above.Top() + above.Height(), lblHeures[0].Width(),
               range.rowHeight);
    }
    row.SetVisible(true);

    const double linesStart = row.Left() + row.Width() + 20;
    PlaceLine(Line1[r], linesStart, linesEnd, row.Top() + row.Height());
    if (listIndex > 0)
      PlaceLine(Line2[r], linesStart, linesEnd, row.Top() + row.Height() / 2);
    else
      Line2[r].SetVisible(false);
  }
  Line2[lastRow].SetVisible(false);

  for (int r = lastRow + 1; r <= kLastRowIndex; ++r) {
    lblHeures[r].SetVisible(false);
    Line1[r].SetVisible(false);
    Line2[r].SetVisible(false);
  }
}

}  // namespace mainwindow
