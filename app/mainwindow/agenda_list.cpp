#include "app/mainwindow/agenda_list.h"

#include <algorithm>
#include <cstdint>
#include <string_view>
#include <tuple>
#include <vector>

#include "app/mainwindow/date_names.h"
#include "app/mainwindow/day_scan.h"
#include "runtime/rounding.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

constexpr double kFrameTop = 1000;
constexpr double kFrameBottomMargin = 580;
constexpr double kScrollBarTop = 140;
constexpr double kScrollStep = 300;
constexpr double kFirstBlockTop = 100;
constexpr double kBlockGap = 80;
constexpr double kLinePitch = 300;
constexpr double kSmallestBlock = 520;
constexpr double kFirstLineInset = 50;
// Starts are compared on "dd.mm.yyyy HH:MM", which orders the days and times of one month.
constexpr std::size_t kSortKeyLength = 16;

// One line of the list.
struct Entry {
  std::string start;  // "dd.mm.yyyy HH:MM"
  runtime::DateTime day;
  int record = 0;
  std::string text;  // project name, ": ", activity name
  forms::Color backColor = 0;
  bool blackText = false;
};

std::string_view SortKey(const Entry& entry) {
  return std::string_view(entry.start).substr(0, kSortKeyLength);
}

void ThrowAway(forms::ControlArray<forms::Label>& labels) {
  for (int index : labels.Indexes()) {
    if (index == 0) continue;
    forms::Label& label = labels[index];
    label.SetVisible(false);
    label.SetCaption("");
    label.SetTag("");
    labels.Unload(index);
  }
}

// The lines of the days from `first` on, one per activity the grids show on each day: at
// the time of day its first label starts there, from 00:00 on the days after an
// occurrence's first.
std::vector<Entry> EntriesOf(const DayScan& scan, runtime::DateTime first) {
  std::vector<Entry> entries;
  for (std::size_t offset = 0; offset < scan.days.size(); ++offset) {
    const runtime::DateTime day = first.AddDays(static_cast<std::int64_t>(offset));
    for (const DayShowing& showing : OnePerActivity(scan.days[offset])) {
      const GridActivity& activity = scan.activities[static_cast<std::size_t>(showing.activity)];
      const runtime::DateTime from = HoursOn(showing, day).start;
      entries.push_back({day.AddMinutes(runtime::MinutesBetween(from.Date(), from)).Text(), day,
                         activity.record, activity.caption, activity.backColor,
                         activity.blackText});
    }
  }
  return entries;
}

std::string DateBlockCaption(runtime::DateTime day) {
  const std::string dayText = day.DateText();
  return WeekdayName(day) + "\n" + dayText.substr(0, 2) + " " + MonthName(day);
}

void LayOut(const AgendaControls& agenda, const std::vector<Entry>& entries) {
  double nextBlockTop = kFirstBlockTop;
  double lineTop = 0;
  std::int32_t lineCount = 0;
  const double lineHeight = agenda.lblDetail[0].Height();
  for (std::size_t k = 0; k < entries.size(); ++k) {
    const Entry& entry = entries[k];
    const std::string_view day = std::string_view(entry.start).substr(0, 10);
    if (k > 0 && std::string_view(entries[k - 1].start).substr(0, 10) == day) {
      ++lineCount;
    } else {
      forms::Label& block = agenda.lblDate.Load(agenda.lblDate.UBound() + 1);
      block.SetCaption(DateBlockCaption(entry.day));
      block.SetTop(nextBlockTop);
      block.SetVisible(true);
      lineTop = nextBlockTop + kFirstLineInset;
      lineCount = 1;
    }
    forms::Label& block = agenda.lblDate[agenda.lblDate.UBound()];
    // Lines stand one label height apart, a little more than the block's pitch: a long day
    // grows its block so that its last lines never run into the next day.
    const double height = std::max({kSmallestBlock, lineCount * kLinePitch + 100,
                                    kFirstLineInset + lineCount * lineHeight});
    block.SetHeight(height);
    nextBlockTop = static_cast<double>(runtime::RoundHalfEven(block.Top() + height + kBlockGap));

    const auto start = runtime::DateTime::Parse(entry.start);
    forms::Label& line = agenda.lblDetail.Load(agenda.lblDetail.UBound() + 1);
    line.SetCaption((start ? start->TimeText() : std::string("00:00")) + " " + entry.text);
    line.SetBackColor(entry.backColor);
    line.SetForeColor(entry.blackText ? forms::kBlack : forms::kWhite);
    line.SetTop(lineTop);
    line.SetTag(std::to_string(entry.record));
    line.ZOrder(0);
    line.SetVisible(true);
    lineTop += lineHeight;
  }
}

void SetScrollRange(const AgendaControls& agenda) {
  agenda.ScrollAgenda.SetValue(0);
  const forms::Label& last = agenda.lblDate[agenda.lblDate.UBound()];
  const std::int64_t overflow =
      runtime::RoundHalfEven(last.Top() + last.Height() - agenda.fraAgenda.Height());
  if (overflow >= 0) {
    agenda.ScrollAgenda.SetEnabled(true);
    // A click in the track turns a page: what the frame shows.
    agenda.ScrollAgenda.SetLargeChange(
        std::max(1, static_cast<int>(agenda.fraAgenda.Height() / kScrollStep)));
    agenda.ScrollAgenda.SetMax(
        static_cast<int>(runtime::RoundHalfEven(static_cast<double>(overflow) / kScrollStep + 1)));
  } else {
    agenda.ScrollAgenda.SetEnabled(false);
  }
}

}  // namespace

void DrawAgenda(const AgendaControls& agenda, const store::Planner& planner,
                runtime::DateTime currentDate, int selectedProjectFilter,
                const std::optional<std::string>& chosenResource) {
  agenda.fraMenuCalendar.SetVisible(true);
  const forms::Frame& calendar = agenda.fraCalendar;
  agenda.fraAgenda.Move(calendar.Left(), kFrameTop, calendar.Width(),
                        std::max(0.0, calendar.Height() - kFrameBottomMargin));

  const forms::Label& dateTemplate = agenda.lblDate[0];
  const double datesRight = dateTemplate.Left() + dateTemplate.Width();
  agenda.lblDetail[0].SetLeft(datesRight + 80);
  agenda.lblDetail[0].SetWidth(std::max(0.0, agenda.fraAgenda.Width() - datesRight - 700));
  agenda.ScrollAgenda.Move(agenda.fraAgenda.Width() - 600, kScrollBarTop, 300,
                           std::max(0.0, agenda.fraAgenda.Height() - kScrollBarTop));

  agenda.lblMoisAg.SetCaption(MonthYearText(currentDate));

  ThrowAway(agenda.lblDate);
  ThrowAway(agenda.lblDetail);

  const runtime::DateTime first = currentDate.AddDays(1 - currentDate.Day()).Date();
  const runtime::DateTime last = first.AddMonths(1).AddDays(-1);
  const int days = static_cast<int>(runtime::DaysBetween(first, last)) + 1;
  std::vector<Entry> entries = EntriesOf(
      ScanDays(planner, first, days, selectedProjectFilter, chosenResource), first);
  // A start names its day, and a day lists an activity once: equal starts go by record.
  std::sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
    return std::forward_as_tuple(SortKey(a), a.record) <
           std::forward_as_tuple(SortKey(b), b.record);
  });

  LayOut(agenda, entries);
  SetScrollRange(agenda);
}

// The list scrolls inside the frame, which stays below the month bar: the date blocks and
// lines move up 300 twips a step and the frame shows what falls within it.  The first block
// stands at its designed top when the list is not scrolled, so its Top tells how far the
// list stands scrolled now.
void FollowAgendaScroll(const AgendaControls& agenda, forms::Label& lblInfoAg) {
  lblInfoAg.SetVisible(false);
  if (agenda.lblDate.UBound() < 1) return;
  const double scrolled = kFirstBlockTop - agenda.lblDate[1].Top();
  const double move = scrolled - kScrollStep * agenda.ScrollAgenda.Value();
  for (forms::ControlArray<forms::Label>* list : {&agenda.lblDate, &agenda.lblDetail})
    for (int index : list->Indexes())
      if (index != 0) (*list)[index].SetTop((*list)[index].Top() + move);
}

}  // namespace mainwindow
