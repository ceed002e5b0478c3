#include "app/mainwindow/day_scan.h"

#include <algorithm>
#include <cstdint>
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

// A repetition is at most a year (366 days) after the one before it.
constexpr std::int64_t kLongestPeriodDays = 366;

// The days an occurrence is shown on: its start day, its end day and, when it ends after
// it starts, the days between, from the earlier of its two days to the later.
struct Span {
  runtime::DateTime startDay;
  runtime::DateTime endDay;
  runtime::DateTime earlier;
  runtime::DateTime later;

  explicit Span(const Occurrence& occurrence)
      : startDay(occurrence.start.Date()),
        endDay(LastDayCovered(occurrence.start, occurrence.end)),
        earlier(std::min(startDay, endDay)),
        later(std::max(startDay, endDay)) {}

  bool Shows(runtime::DateTime day) const {
    return day == startDay || day == endDay || (startDay < day && day < endDay);
  }
};

// The record's own occurrence and, in order, the repetitions that may show from `first`
// to `last`: those that begin in the range, and those that begin before it (after it, for
// a record that ends before it starts) near enough to reach into it.  Of the ones begun
// before the range only the last can show there, and it begins at most a period before the
// range: no more are looked for, however long the activity.
std::vector<Occurrence> OccurrencesShown(const Occurrence& own, int code,
                                         const std::optional<runtime::DateTime>& lastRepetitionDay,
                                         runtime::DateTime first, runtime::DateTime last) {
  std::vector<Occurrence> occurrences{own};
  if (code == 0) return occurrences;
  const Span span(own);
  const std::int64_t reachBefore = runtime::DaysBetween(span.earlier, span.startDay);
  const std::int64_t reachAfter = runtime::DaysBetween(span.startDay, span.later);
  runtime::DateTime to = last.AddDays(std::min(reachBefore, kLongestPeriodDays));
  if (lastRepetitionDay) to = std::min(to, *lastRepetitionDay);
  const runtime::DateTime from =
      std::min(first, to).AddDays(-std::min(reachAfter, kLongestPeriodDays));
  if (from > to) return occurrences;
  for (const Occurrence& repetition : OccurrencesBetween(own.start, own.end, code, from, to))
    occurrences.push_back(repetition);
  return occurrences;
}

// Whether `later`, shown on `day` after `earlier`, begins there before `earlier` ends.
bool Overlaps(const DayShowing& earlier, const DayShowing& later, runtime::DateTime day) {
  return later.start < later.end && HoursOn(earlier, day).end > HoursOn(later, day).start;
}

// Pushes the showings of one activity on the days of the scan; returns how many.  Every
// occurrence is shown over its hours of each of its days, with the periodic icon on its
// first day.  The occurrences of one activity last alike, so on a day an occurrence begun
// earlier is covered by any later one begun before that day: of those, only the last is
// shown, from the day's beginning, beside the one that begins that day.  Where these two
// overlap (an activity longer than its period) they are shown as one span, so that a day
// holds at most two showings of an activity whatever its length.  A record that ends before
// it starts has no hours of a day to share: the occurrence that begins last stands for the
// others on a day.
int AddShowings(int activity, int code, const Occurrence& own,
                const std::optional<runtime::DateTime>& lastRepetitionDay,
                runtime::DateTime first, runtime::DateTime last, DayScan& scan) {
  const std::vector<Occurrence> occurrences =
      OccurrencesShown(own, code, lastRepetitionDay, first, last);
  const bool reversed = own.end < own.start;
  int count = 0;
  for (std::size_t k = 0; k < occurrences.size(); ++k) {
    const Occurrence& occurrence = occurrences[k];
    const Span span(occurrence);
    runtime::DateTime until = std::min(last, span.later);
    if (k + 1 < occurrences.size()) {
      const Span next(occurrences[k + 1]);
      until = std::min(until, reversed ? next.earlier.AddDays(-1) : next.startDay);
    }
    for (runtime::DateTime day = std::max(first, span.earlier); day <= until;
         day = day.AddDays(1)) {
      if (!span.Shows(day)) continue;
      std::vector<DayShowing>& showings =
          scan.days[static_cast<std::size_t>(runtime::DaysBetween(first, day))];
      const DayShowing showing{activity, occurrence.start, occurrence.end,
                               code != 0 && day == span.earlier};
      if (!showings.empty() && showings.back().activity == activity &&
          Overlaps(showings.back(), showing, day)) {
        showings.back().end = std::max(showings.back().end, showing.end);
        showings.back().periodic = showings.back().periodic || showing.periodic;
        continue;
      }
      showings.push_back(showing);
      ++count;
    }
  }
  return count;
}

}  // namespace

activities::Occurrence HoursOn(const DayShowing& showing, runtime::DateTime day) {
  if (showing.end < showing.start) return {showing.start, showing.end};
  return {std::max(showing.start, day), std::min(showing.end, day.AddDays(1))};
}

std::vector<DayShowing> OnePerActivity(const std::vector<DayShowing>& showings) {
  std::vector<DayShowing> lines;
  for (const DayShowing& showing : showings) {
    if (!lines.empty() && lines.back().activity == showing.activity)
      lines.back().periodic = lines.back().periodic || showing.periodic;
    else
      lines.push_back(showing);
  }
  return lines;
}

ShownBookings BookingsOf(const DayScan& scan, runtime::DateTime first, int dayCount) {
  ShownBookings shown{first, first.AddDays(std::max(dayCount, 0)), {}};
  for (std::size_t offset = 0; offset < scan.days.size(); ++offset) {
    const runtime::DateTime day = first.AddDays(static_cast<std::int64_t>(offset));
    for (const DayShowing& showing : scan.days[offset]) {
      const GridActivity& activity = scan.activities[static_cast<std::size_t>(showing.activity)];
      shown.bookings.push_back({activity.record, HoursOn(showing, day)});
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
    if (read->project < 0 || read->project > planner.CategoryMax()) continue;
    const int code = read->periodicityCode;
    const int index = static_cast<int>(scan.activities.size());
    if (AddShowings(index, code, {read->start, read->end}, read->lastDay, first, last, scan) == 0)
      continue;

    GridActivity& activity = scan.activities.emplace_back();
    activity.record = record;
    activity.code = code;
    activity.backColor = static_cast<forms::Color>(read->backColour);
    activity.blackText = read->blackText;
    activity.caption = ProjectName(planner.Categories[static_cast<std::size_t>(read->project)]);
    activity.caption += ": ";
    activity.caption += read->name;
  }
  return scan;
}

}  // namespace mainwindow
