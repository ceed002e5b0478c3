// The month, week and work-week grids, drawn anew from the activity records on every
// change: day headers and cells, the hour scale, one label per activity and day (with a
// small icon on the labels of periodic activities), then the arrangement of the labels.
#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/activities/periodicity.h"
#include "app/mainwindow/date_names.h"
#include "app/mainwindow/day_cell_order.h"
#include "app/mainwindow/day_scan.h"
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/hour_grid.h"
#include "app/mainwindow/label_placement.h"
#include "app/mainwindow/looks.h"
#include "app/mainwindow/overlap_layout.h"
#include "app/mainwindow/periodic_icons.h"
#include "app/mainwindow/table_filter.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "runtime/rounding.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

constexpr double kMonthHeaderLeft = 240;
constexpr double kWeekHeaderLeft = 540;
constexpr double kColumnGap = 40;
constexpr double kFrameMargin = 860;  // hour scale and borders beside the columns
constexpr double kPageColumnWidth = 2150;
constexpr double kPageWorkWeekColumnWidth = 3150;
constexpr double kMonthCellHeight = 2100;
constexpr double kPageMonthCellHeight = 1800;
constexpr double kWeekCellHeight = 10560;
constexpr double kLabelIndent = 240;  // month labels leave the day number visible
constexpr double kLabelPitch = 300;
constexpr int kFirstCell = 7;
constexpr int kLastMonthCell = 37;
constexpr int kLastWeekCell = 13;
constexpr int kLastWorkWeekCell = 11;
constexpr int kLastHourRow = 23;
constexpr int kDays = 7;

using Columns = std::array<double, kDays>;

// Monday 0 to Sunday 6.
int ColumnOf(runtime::DateTime day) { return day.Weekday(2) - 1; }

// The weeks a month touches: four to six rows of the month grid.
int MonthRows(runtime::DateTime firstDay, int dayCount) {
  return (ColumnOf(firstDay) + dayCount + kDays - 1) / kDays;
}

// A month that spans six rows gets shorter cells on the page, so that its last row still
// fits on the landscape sheet.
double PageMonthCellHeight(runtime::DateTime firstDay, int dayCount) {
  return MonthRows(firstDay, dayCount) > 5 ? kPageMonthCellHeight * 5 / 6 : kPageMonthCellHeight;
}

double Whole(double twips) { return static_cast<double>(runtime::RoundHalfEven(twips)); }

// On screen the month's rows share the `room` below the headers when they would not all fit
// at the full cell height: every day of the month stays in view.  Still one label high at
// least.
double ScreenMonthCellHeight(runtime::DateTime firstDay, int dayCount, double room) {
  const double shared = Whole(room / MonthRows(firstDay, dayCount) - kColumnGap);
  return std::clamp(shared, kLabelPitch, kMonthCellHeight);
}

// The screen width of a day column: the frame's width less the margin, shared by the days
// shown.  A frame too narrow for the margin gives empty columns.
double ScreenColumnWidth(double frameWidth, int days) {
  return std::max(0.0, Whole((frameWidth - kFrameMargin) / days));
}

// "Lundi".
std::string CapitalisedWeekday(runtime::DateTime day) {
  const std::string name = WeekdayName(day);
  return runtime::UCase(runtime::Left(name, 1)) + runtime::Mid(name, 2);
}

std::string TwoDigits(int value) { return (value < 10 ? "0" : "") + std::to_string(value); }

// "d.mm".
std::string DayAndMonth(runtime::DateTime day) {
  return std::to_string(day.Day()) + "." + TwoDigits(day.Month());
}

runtime::DateTime FirstOfMonth(runtime::DateTime date) {
  return date.Date().AddDays(1 - date.Day());
}

// How many labels a month cell `height` high holds one under the other, each wholly inside
// it; always one at least.
std::size_t CellLines(double height, double labelHeight) {
  return static_cast<std::size_t>(std::max(0.0, (height - labelHeight) / kLabelPitch)) + 1;
}

// A month cell lists its day's activities by time of day, as its labels are ordered, so
// that the ones a full cell leaves out are the latest.
std::vector<DayShowing> ByTimeOfDay(std::vector<DayShowing> showings) {
  std::stable_sort(showings.begin(), showings.end(), [](const DayShowing& a, const DayShowing& b) {
    return a.start.Hour() * 60 + a.start.Minute() < b.start.Hour() * 60 + b.start.Minute();
  });
  return showings;
}

// Element `index` for a new label or icon: the one the previous drawing left hidden there,
// brought in front of its siblings as a newly loaded element stands, or else a new one.
// The drawing sets every property it reads afresh.
template <class T>
T& TakeUpLabel(forms::ControlArray<T>& array, int index) {
  if (!array.Exists(index)) return array.Load(index);
  T& element = array[index];
  element.ZOrder(0);
  return element;
}

// Unloads the elements past `last`, the highest first.
template <class T>
void UnloadPast(forms::ControlArray<T>& array, int last) {
  while (array.UBound() > last) array.Unload(array.UBound());
}

}  // namespace

void frmMain::DrawCalendar(bool week, bool workWeek, bool exportPdf) {
  for (;;) {
    shToday.SetVisible(false);
    double columnWidth;
    if (exportPdf) {
      // The print follows the view on screen, whatever the caller asked.
      if (fraSemaine.Visible()) week = true;
      if (!lblJour[6].Visible()) workWeek = true;
      columnWidth = week && workWeek ? kPageWorkWeekColumnWidth : kPageColumnWidth;
    } else {
      columnWidth = ScreenColumnWidth(fraCalendar.Width(), week && workWeek ? 5 : kDays);
    }

    RemoveActivityLabels();
    PlaceDayHeaders(week, workWeek, columnWidth);
    LayoutHourGrid(fraSemaine, cmbHeures, lblJour, lblHeures, Line1, Line2);
    const runtime::DateTime firstDay = week ? CaptionWeek(workWeek) : FirstOfMonth(CurrentDate);
    ClearDayCells();
    FillDayCells(week, workWeek, exportPdf, firstDay);

    if (week)
      ArrangeOverlappingActivities(lblActivite, imgPeriode, Width());
    else
      OrderDayCellActivities(lblJour, lblActivite, imgPeriode, planner_);
    FilterActivityGrid();

    if (!exportPdf) return;
    if (ExportPdf) ExportPdf();
    exportPdf = false;
  }
}

// The labels and icons of the previous drawing are hidden and their Tags cleared; the new
// drawing takes them up again from element 1 on, in creation order, as if each were loaded
// anew (see TakeUpLabel), and unloads the ones it did not need.  Unloading every element
// each time would cost as much as the rest of a drawing many times over.
void frmMain::RemoveActivityLabels() {
  for (int index : lblActivite.Indexes()) {
    if (index == 0) continue;
    lblActivite[index].SetVisible(false);
    lblActivite[index].SetTag("");
  }
  for (int index : imgPeriode.Indexes()) {
    if (index == 0) continue;
    imgPeriode[index].SetVisible(false);
    imgPeriode[index].SetTag("");
  }
  for (int index : lblMore.Indexes())
    if (index != 0) lblMore[index].SetVisible(false);
}

// The weekday headers side by side from Monday, the week views' column separators, and
// the hour scale hidden until the hour grid lays it out.
void frmMain::PlaceDayHeaders(bool week, bool workWeek, double columnWidth) {
  forms::Label& monday = lblJour[0];
  monday.Move(week ? kWeekHeaderLeft : kMonthHeaderLeft, monday.Top(), columnWidth);
  lblActivite[0].SetWidth(week ? columnWidth : std::max(0.0, columnWidth - kLabelIndent));

  for (int r = 0; r <= kLastHourRow; ++r) {
    lblHeures[r].SetVisible(false);
    Line1[r].SetVisible(false);
    Line2[r].SetVisible(false);
  }
  for (int k = 0; k < kDays; ++k) Line3[k].SetVisible(false);

  auto placeSeparator = [&](int k) {
    const forms::Label& header = lblJour[k];
    forms::Line& line = Line3[k];
    const double x = header.Left() + header.Width() + 10;
    line.SetX1(x);
    line.SetX2(x);
    line.SetY1(header.Top());
    line.SetY2(fraCalendar.Height() - header.Top());
    line.SetVisible(true);
  };

  // Any Monday names the days; 4 August 2025 is one.  The week views centre their
  // headers (CaptionWeek); the month view keeps them as designed.
  runtime::DateTime day = *runtime::DateTime::FromParts(2025, 8, 4);
  monday.SetCaption(CapitalisedWeekday(day));
  if (!week) monday.SetAlignment(forms::kAlignLeft);
  if (week) placeSeparator(0);
  for (int k = 1; k < kDays; ++k) {
    day = day.AddDays(1);
    const forms::Label& previous = lblJour[k - 1];
    forms::Label& header = lblJour[k];
    header.Move(previous.Left() + previous.Width() + kColumnGap, previous.Top(), monday.Width());
    header.SetCaption(CapitalisedWeekday(day));
    if (!week) header.SetAlignment(forms::kAlignLeft);
    if (week) placeSeparator(k);
    if (workWeek && k > 4) {
      Line3[k].SetVisible(false);
      header.SetVisible(false);
    } else {
      header.SetVisible(true);
    }
  }
}

// The week views' headers name the days of the week of CurrentDate; returns its Monday.
runtime::DateTime frmMain::CaptionWeek(bool workWeek) {
  const runtime::DateTime date = CurrentDate.Date();
  const runtime::DateTime monday = date.AddDays(1 - date.Weekday(2));
  const runtime::DateTime today = services_.clock.Today();
  const int lastHeader = workWeek ? 4 : 6;
  for (int k = 0; k <= lastHeader; ++k) {
    const runtime::DateTime day = monday.AddDays(k);
    forms::Label& header = lblJour[k];
    header.SetCaption(CapitalisedWeekday(day) + " " + std::to_string(day.Day()) + " " +
                      MonthName(day));
    header.SetAlignment(forms::kAlignCenter);
    if (day == today) {
      shToday.Move(header.Left(), header.Top() - 80, header.Width(), 500);
      shToday.SetVisible(true);
      shToday.ZOrder(0);
    }
  }
  const runtime::DateTime last = monday.AddDays(lastHeader);
  lblSemaine.SetCaption("Semaine du \n" + DayAndMonth(monday) + " au " + DayAndMonth(last) +
                        "." + std::to_string(last.Year()));
  return monday;
}

void frmMain::ClearDayCells() {
  for (int j = kFirstCell; j <= kLastMonthCell; ++j) {
    forms::Label& cell = lblJour[j];
    cell.SetCaption("");
    cell.SetTag("");
    cell.SetVisible(false);
  }
}

// The day cells from `firstDay` on, each with the labels of its activities.  A month cell
// holds as many labels as fit 300 twips apart within its height; a week column holds all.
void frmMain::FillDayCells(bool week, bool workWeek, bool exportPdf,
                           runtime::DateTime firstDay) {
  const int lastCell = !week ? kLastMonthCell : workWeek ? kLastWorkWeekCell : kLastWeekCell;
  const int dayCount = week ? lastCell - kFirstCell + 1
                            : runtime::DaysInMonth(firstDay.Year(), firstDay.Month());
  double rowTop = lblJour[0].Top() + lblJour[0].Height() + kColumnGap;
  const double cellHeight =
      week        ? kWeekCellHeight
      : exportPdf ? PageMonthCellHeight(firstDay, dayCount)
                  : ScreenMonthCellHeight(firstDay, dayCount, fraCalendar.Height() - rowTop);
  const DayScan scan = ScanDays(planner_, firstDay, dayCount, SelectedProjectFilter,
                                ChosenResource(cmbAffiche));
  shownBookings_ = BookingsOf(scan, firstDay, dayCount);
  const forms::Label& model = lblActivite[0];
  const std::size_t cellLines = CellLines(cellHeight, model.Height());
  Columns columns;
  for (int k = 0; k < kDays; ++k) columns[k] = Whole(lblJour[k].Left());
  const int columnWidth = static_cast<int>(Whole(lblJour[0].Width()));
  const runtime::DateTime today = services_.clock.Today();

  int labelCount = 0;
  int iconCount = 0;
  int moreCount = 0;
  for (int offset = 0; offset < dayCount; ++offset) {
    const runtime::DateTime day = firstDay.AddDays(offset);
    const int c = ColumnOf(day);
    forms::Label& cell = lblJour[kFirstCell + offset];
    cell.Move(columns[c], rowTop, lblJour[kFirstCell + offset - 1].Width(), cellHeight);
    if (!week) {
      cell.SetCaption(std::to_string(day.Day()));
      cell.SetFontBold(true);
      if (day == today) {
        shToday.Move(cell.Left() - 60, cell.Top() - 60, 360, 360);
        shToday.SetVisible(true);
        shToday.ZOrder(0);
      }
    }
    cell.SetForeColor(kMenuBlue);
    cell.SetTag(day.DateText());
    cell.SetVisible(true);
    double slot = rowTop - kLabelPitch;
    if (c == 6) rowTop += cellHeight + kColumnGap;

    const std::vector<DayShowing>& ofDay = scan.days[static_cast<std::size_t>(offset)];
    // A week column draws each occurrence over its hours; a month cell gives an activity
    // one line.
    const std::vector<DayShowing> showings = week ? ofDay : ByTimeOfDay(OnePerActivity(ofDay));
    // A month cell too small for all its activities gives its last line to how many more
    // there are.
    const std::size_t drawn = week || showings.size() <= cellLines ? showings.size()
                                                                   : cellLines - 1;
    for (std::size_t k = 0; k < drawn; ++k) {
      const DayShowing& showing = showings[k];
      slot += kLabelPitch;
      const GridActivity& activity = scan.activities[static_cast<std::size_t>(showing.activity)];

      const int n = ++labelCount;
      forms::Label& label = TakeUpLabel(lblActivite, n);
      label.SetBackColor(activity.backColor);
      label.SetForeColor(activity.blackText ? forms::kBlack : forms::kWhite);
      label.SetCaption(activity.caption);
      label.SetTag(std::to_string(activity.record));
      if (week) {
        // Over the hours it covers this day: an activity over several days runs from its
        // start on its first day and up to its end on its last.
        const activities::Occurrence hours = HoursOn(showing, day);
        PositionActivityLabel(lblActivite, n, hours.start, hours.end,
                              static_cast<int>(columns[c]), columnWidth, lblHeures, cmbHeures,
                              lblInfo);
      } else {
        label.Move(columns[c] + kLabelIndent, slot, model.Width(), model.Height());
      }
      // A label too low for two lines (a month cell's, a short activity's, one before the
      // hour range) keeps its text on one line, cut with an ellipsis, rather than show a
      // second line cut through.
      label.SetEllipsis(label.Height() < 2 * model.Height());
      label.SetVisible(true);

      if (showing.periodic) {
        forms::Image& icon = TakeUpLabel(imgPeriode, ++iconCount);
        PlaceIconAtLabelCorner(icon, label, imgPeriode[0]);
        icon.SetTag(std::to_string(n));
        icon.SetToolTipText("Occurence d'un évènement périodique " +
                            activities::PeriodicityName(activity.code));
        icon.SetVisible(true);
      }
    }

    if (const std::size_t notDrawn = showings.size() - drawn; notDrawn > 0) {
      forms::Label& more = TakeUpLabel(lblMore, ++moreCount);
      more.Move(columns[c] + kLabelIndent, slot + kLabelPitch, model.Width(), model.Height());
      more.SetCaption("+" + std::to_string(notDrawn));
      more.SetVisible(true);
    }
  }
  UnloadPast(lblActivite, labelCount);
  UnloadPast(imgPeriode, iconCount);
  UnloadPast(lblMore, moreCount);
}

void frmMain::cmbHeures_Click() {
  if (!fraSemaine.Visible()) return;
  DrawCalendar(true, WorkWeekShown(), false);
  store::WriteIni(planner_, store::kParamSection, "Heure", std::to_string(cmbHeures.ListIndex()),
                  planner_.DataFile);
}

}  // namespace mainwindow
