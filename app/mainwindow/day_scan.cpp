#include "app/mainwindow/day_scan.h"

#include <algorithm>
#include <set>
#include <utility>
#include <string_view>

#include "app/activities/activity_record.h"
#include "app/mainwindow/occurrence_range.h"
#include "app/mainwindow/table_filter.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

std::string_view ProjectName(std::string_view record) {
  return record.substr(0, record.find(store::kFieldSeparator));
}

// The record's own dates and repetition, once read.
struct Timing {
  runtime::DateTime start;
  runtime::DateTime end;
  bool repeats = false;
  std::optional<runtime::DateTime> lastRepetitionDay;  // none: repeats without end
};

// Pushes the showings of one activity on the days of the scan; returns how many.
int AddShowings(int activity, int code, const Timing& timing, runtime::DateTime first,
                runtime::DateTime last, DayScan& scan) {
  const runtime::DateTime startDay = timing.start.Date();
  const runtime::DateTime endDay = LastDayCovered(timing.start, timing.end);
  const runtime::DateTime earlier = std::min(startDay, endDay);
  const runtime::DateTime later = std::max(startDay, endDay);

  // After its earlier own day, a repetition that begins on a day stands in for the own
  // dates there, up to the last day of repetition.
  std::vector<Occurrence> repetitions;
  if (timing.repeats) {
    const runtime::DateTime from = std::max(first, earlier.AddDays(1));
    runtime::DateTime to = last;
    if (timing.lastRepetitionDay) to = std::min(to, *timing.lastRepetitionDay);
    if (from <= to) repetitions = OccurrencesBetween(timing.start, timing.end, code, from, to);
  }

  int count = 0;
  auto push = [&](runtime::DateTime day, runtime::DateTime start, runtime::DateTime end,
                  bool periodic) {
    const auto offset = static_cast<std::size_t>(runtime::DaysBetween(first, day));
    scan.days[offset].push_back({activity, start, end, periodic});
    ++count;
  };
  std::size_t next = 0;
  auto pushRepetitionsBefore = [&](runtime::DateTime day) {
    for (; next < repetitions.size() && repetitions[next].start.Date() < day; ++next)
      push(repetitions[next].start.Date(), repetitions[next].start, repetitions[next].end,
           true);
  };

  const runtime::DateTime lastOwnDay = std::min(last, later);
  for (runtime::DateTime day = std::max(first, earlier); day <= lastOwnDay;
       day = day.AddDays(1)) {
    pushRepetitionsBefore(day);
    if (next < repetitions.size() && repetitions[next].start.Date() == day) continue;
    if (day == startDay || day == endDay || (startDay < day && day < endDay))
      push(day, timing.start, timing.end, code != 0 && day == earlier);
  }
  pushRepetitionsBefore(last.AddDays(1));
  return count;
}

}  // namespace

activities::Occurrence HoursOn(const DayShowing& showing, runtime::DateTime day) {
  if (showing.end < showing.start) return {showing.start, showing.end};
  return {std::max(showing.start, day), std::min(showing.end, day.AddDays(1))};
}

ShownBookings BookingsOf(const DayScan& scan, runtime::DateTime first, int dayCount) {
  ShownBookings shown{first, first.AddDays(std::max(dayCount, 0)), {}};
  std::set<std::pair<int, runtime::DateTime>> seen;
  for (const std::vector<DayShowing>& day : scan.days) {
    for (const DayShowing& showing : day) {
      const GridActivity& activity = scan.activities[static_cast<std::size_t>(showing.activity)];
      if (activity.projectMissing || !seen.insert({activity.record, showing.start}).second)
        continue;
      shown.bookings.push_back({activity.record, {showing.start, showing.end}});
    }
  }
  return shown;
}

std::int64_t MinutesShown(const ShownBookings& shown, const activities::Occurrence& hours) {
  const runtime::DateTime from = std::max(hours.start, shown.from);
  const runtime::DateTime to = std::min(hours.end, shown.to);
  return from < to ? runtime::MinutesBetween(from, to) : 0;
}

DayScan ScanDays(const store::Planner& planner, runtime::DateTime first, int dayCount,
                 int selectedProjectFilter, const std::optional<std::string>& chosenResource) {
  DayScan scan;
  scan.days.resize(static_cast<std::size_t>(std::max(dayCount, 0)));
  if (dayCount <= 0) return scan;
  const runtime::DateTime last = first.AddDays(dayCount - 1);

  for (int record = 0; record <= planner.ActivityMax(); ++record) {
    const std::string& text = planner.Activities[static_cast<std::size_t>(record)];
    if (chosenResource &&
        !PassesResourceFilter(ActivityResourceNames(planner, text), chosenResource))
      continue;
    const auto read = activities::ParseActivityRecord(text);
    if (!read) continue;
    if (selectedProjectFilter != 0 && selectedProjectFilter != read->project + 1) continue;
    const int code = read->periodicityCode;
    const Timing timing{read->start, read->end, code != 0, read->lastDay};
    const int index = static_cast<int>(scan.activities.size());
    if (AddShowings(index, code, timing, first, last, scan) == 0) continue;

    GridActivity& activity = scan.activities.emplace_back();
    activity.record = record;
    activity.code = code;
    activity.backColor = static_cast<forms::Color>(read->backColour);
    activity.blackText = read->blackText;
    if (read->project < 0 || read->project > planner.CategoryMax()) {
      activity.projectMissing = true;
    } else {
      activity.caption = ProjectName(planner.Categories[static_cast<std::size_t>(read->project)]);
      activity.caption += ": ";
      activity.caption += read->name;
    }
  }
  return scan;
}

}  // namespace mainwindow
