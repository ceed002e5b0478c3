// Moving the shown date (month and week arrows, "Aujourd'hui", the drop-down month
// calendar), the project bar, and the clicks on the day cells of the grids.
#include <algorithm>

#include "app/mainwindow/date_names.h"
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/looks.h"
#include "runtime/rounding.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

// The pointer's height in the calendar frame is its height in the day cell plus the top
// of the week columns.
constexpr double kWeekColumnTop = 1200;
// A press further than this below an hour row's top is in its second half hour.
constexpr double kHalfHourOffset = 500;
constexpr double kProjectRowPitch = 300;
constexpr double kFirstProjectTop = 60;
constexpr double kMarkerAboveLabel = 50;
// Room kept between the title and the bar's PDF entry, and within the title for the
// rounding of its width to whole pixels.
constexpr double kTitleGap = 120;
constexpr double kTitleSlack = 30;
// A title too long for the bar shrinks by a pixel of its height at a time (at 96 dots per
// inch), down to this size, where text is still readable.
constexpr double kPointsPerPixel = 0.75;
constexpr double kSmallestTitleSize = 6;

// How many lines `text` takes in a label `width` wide that breaks its lines at blanks; a
// word wider than the label stands on a line of its own.
int WrappedLines(const forms::TextMetrics& metrics, const forms::Font& font,
                 const std::string& text, double width) {
  int lines = 1;
  std::string line;
  for (const std::string& word : runtime::Split(text, " ")) {
    const std::string longer = line.empty() ? word : line + " " + word;
    if (line.empty() || metrics.TextWidth(font, longer) <= width) {
      line = longer;
    } else {
      ++lines;
      line = word;
    }
  }
  return lines;
}

struct TitleShape {
  double width;
  int lines;
};

// The width the title takes at `font` (its longest line, from its designed width up to
// `room`) and the number of lines it then has.
TitleShape ShapeOfTitle(const forms::TextMetrics& metrics, const forms::Font& font,
                        const std::vector<std::string>& paragraphs, double room) {
  double widest = 0;
  for (const std::string& paragraph : paragraphs)
    widest = std::max(widest, metrics.TextWidth(font, paragraph));
  TitleShape shape{std::max(kTitleWidth, std::min(widest + kTitleSlack, room)), 0};
  for (const std::string& paragraph : paragraphs)
    shape.lines += WrappedLines(metrics, font, paragraph, shape.width - kTitleSlack);
  return shape;
}

}  // namespace

void frmMain::lblLeft_Click() { PreviousMonth(); }
void frmMain::lblRight_Click() { NextMonth(); }
void frmMain::lblLeftSem_Click() { PreviousWeek(); }
void frmMain::lblRightSem_Click() { NextWeek(); }

void frmMain::PreviousMonth() {
  lblInfo.SetVisible(false);
  CurrentDate = CurrentDate.AddMonths(-1);
  SetMonthCaptions();
  DrawCalendar(false, false, false);
}

void frmMain::NextMonth() {
  lblInfo.SetVisible(false);
  CurrentDate = CurrentDate.AddMonths(1);
  SetMonthCaptions();
  DrawCalendar(false, false, false);
}

void frmMain::PreviousWeek() {
  lblInfo.SetVisible(false);
  const bool workWeek = WorkWeekShown();
  CurrentDate = CurrentDate.AddDays(-7);
  DrawCalendar(true, workWeek, false);
}

void frmMain::NextWeek() {
  lblInfo.SetVisible(false);
  const bool workWeek = WorkWeekShown();
  CurrentDate = CurrentDate.AddDays(7);
  DrawCalendar(true, workWeek, false);
}

void frmMain::imgToday_Click(int /*index*/) {
  const bool week = !fraMois.Visible();
  const bool workWeek = week && WorkWeekShown();
  CurrentDate = services_.clock.Today();
  lblMois.SetCaption(MonthYearText(CurrentDate));
  DrawCalendar(week, workWeek, false);
}

void frmMain::lblMois_Click() { ToggleMonthCalendar(fraMois); }
void frmMain::lblSemaine_Click() { ToggleMonthCalendar(fraSemaine); }

// Opens the drop-down month calendar under `bar` on the shown date, or closes it.
void frmMain::ToggleMonthCalendar(const forms::Frame& bar) {
  if (!MonthView1.Visible()) {
    MonthView1.SetLeft(bar.Left());
    MonthView1.SetValue(CurrentDate);
    MonthView1.SetVisible(true);
  } else {
    MonthView1.SetVisible(false);
  }
}

void frmMain::MonthView1_DateClick(runtime::DateTime date) {
  CurrentDate = date.Date();
  if (fraMois.Visible()) {
    lblMois.SetCaption(MonthYearText(CurrentDate));
    MonthView1.SetVisible(false);
    DrawCalendar(false, false, false);
  } else if (fraSemaine.Visible()) {
    MonthView1.SetVisible(false);
    lblInfo.SetVisible(false);
    DrawCalendar(true, WorkWeekShown(), false);
  }
}

void frmMain::lblJour_Click(int /*index*/) { lblInfo.SetVisible(false); }

void frmMain::lblJour_MouseMove(int /*index*/, int /*button*/, int /*shift*/, double /*x*/,
                                double /*y*/) {
  LastHoverIndex = 0;
  lblInfo.SetVisible(false);
}

// Remembers the hour slot of the week grid under the pointer; 0:00 when there is none (the
// month view, whose hour rows are hidden, or a press above the first row).
void frmMain::lblJour_MouseDown(int /*index*/, int /*button*/, int /*shift*/, double /*x*/,
                                double y) {
  ClickedHour = 0;
  ClickedMinute = 0;
  const double p = y + kWeekColumnTop;
  const std::vector<int> rows = lblHeures.Indexes();
  for (auto r = rows.rbegin(); r != rows.rend(); ++r) {
    const forms::Label& row = lblHeures[*r];
    if (!row.Visible() || !(row.Top() < p)) continue;
    ClickedHour = static_cast<int>(runtime::ParseInteger(row.Tag()).value_or(0));
    ClickedMinute = p - row.Top() > kHalfHourOffset ? 30 : 0;
    return;
  }
}

void frmMain::lblJour_DblClick(int index) {
  if (index <= 6) return;  // a weekday header
  const std::string& date = lblJour[index].Tag();
  if (!runtime::DateTime::Parse(date)) return;
  if (OpenNewActivity) OpenNewActivity(date, ClickedHour, ClickedMinute);
}

void frmMain::lblCategories_Click(int index) {
  ShSelProjet.SetTop(lblCategories[index].Top() - kMarkerAboveLabel);
  SelectedProjectFilter = index;
  const bool resourceChosen = lstRessources.ListIndex() >= 1;
  if (index == 0) {
    SetTitle(resourceChosen ? lstRessources.Text() : "");
  } else {
    std::string title = planner_.ProjectTerms[0] + " " + lblCategories[index].Caption();
    if (resourceChosen) title += " (" + lstRessources.Text() + ")";
    SetTitle(title);
  }
  ShowView(VisibleView());
}

// One line stands where it was designed; more lines, its own or those a narrow bar breaks,
// are centred in the bar.  A title with more lines than the bar holds at the designed size
// takes the largest size, a pixel smaller at a time, at which they all fit, so none is cut.
void frmMain::SetTitle(const std::string& caption) {
  lblTitre.SetCaption(caption);
  const forms::TextMetrics& metrics = Metrics();
  const std::vector<std::string> paragraphs = runtime::Split(caption, "\n");
  const double room = shMenu.Exists(7) ? shMenu[7].Left() - kTitleGap - lblTitre.Left() : 0;
  forms::Font font = kTitleFont;
  TitleShape shape = ShapeOfTitle(metrics, font, paragraphs, room);
  while (shape.lines * metrics.LineHeight(font) > fraTitre.Height() &&
         font.size - kPointsPerPixel >= kSmallestTitleSize) {
    font.size -= kPointsPerPixel;
    shape = ShapeOfTitle(metrics, font, paragraphs, room);
  }
  lblTitre.SetFont(font);
  lblTitre.SetWidth(shape.width);
  if (shape.lines == 1) {
    lblTitre.SetTop(kTitleTop);
    lblTitre.SetHeight(kTitleHeight);
    return;
  }
  const double height = shape.lines * metrics.LineHeight(font);
  lblTitre.SetTop(std::max(0.0, (fraTitre.Height() - height) / 2));
  lblTitre.SetHeight(height);
}

// One step moves the project list up by one row; the marker stays on the chosen label.
void frmMain::scrollCat_Change() {
  const int v = scrollCat.Value();
  const double before = static_cast<double>(runtime::RoundHalfEven(lblCategories[0].Top()));
  for (int i : lblCategories.Indexes())
    lblCategories[i].SetTop(kFirstProjectTop - kProjectRowPitch * v + kProjectRowPitch * i);
  ShSelProjet.SetTop(ShSelProjet.Top() + (lblCategories[0].Top() - before));
}

}  // namespace mainwindow
