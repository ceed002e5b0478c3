// Which activities the grid views show on each day of a range.  Every record is read once
// per drawing and its repetitions in the range are computed directly, so that a drawing
// costs about one reading of the records whatever the number of days shown.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/activities/occurrence.h"
#include "app/store/planner.h"
#include "forms/forms.h"
#include "runtime/datetime.h"

namespace mainwindow {

// One activity record as the grids show it.
struct GridActivity {
  int record = 0;          // its index in Activities
  std::string caption;     // project name, ": ", activity text
  forms::Color backColor = 0;
  bool blackText = false;  // black text on the back colour, else white
  int code = 0;            // periodicity 1 to 7, 0 for none
};

// An occurrence of an activity on one day, with its start and end; or two that overlap
// there, from the first one's start to the second one's end.
struct DayShowing {
  int activity = 0;  // index into DayScan::activities
  runtime::DateTime start;
  runtime::DateTime end;
  bool periodic = false;  // carries the periodic icon
};

// The hours of `showing` on `day` (a date at 00:00): from its start, or from the day's
// beginning when it began earlier, to its end, or to the next day's beginning when it ends
// later.  One that ends before it starts is given whole.
activities::Occurrence HoursOn(const DayShowing& showing, runtime::DateTime day);

struct DayScan {
  std::vector<GridActivity> activities;
  // days[i] is the day `first` + i; each day's showings are in record order, and an
  // activity's showings on a day (two at most) in order of time.
  std::vector<std::vector<DayShowing>> days;
};

// A day's showings with one per activity, for the views that give an activity one line a
// day: its earliest there, with the periodic icon when any of its showings has it.
std::vector<DayShowing> OnePerActivity(const std::vector<DayShowing>& showings);

// What a grid drawing shows, for the hours booked in it: the days shown and the hours of
// each showing on its day, so that the hours counted are the hours drawn.
struct ShownBookings {
  runtime::DateTime from;  // the first day shown, at 00:00
  runtime::DateTime to;    // the day after the last one shown, at 00:00
  struct Booking {
    int record = 0;
    activities::Occurrence hours;
  };
  std::vector<Booking> bookings;
};

// The showings `scan` finds on its `dayCount` days from `first`, a full month cell's
// counted ones included.
ShownBookings BookingsOf(const DayScan& scan, runtime::DateTime first, int dayCount);

// The minutes of `hours` within the days shown.
std::int64_t MinutesShown(const ShownBookings& shown, const activities::Occurrence& hours);

// The activities of the project chosen (`selectedProjectFilter` 0 for all, k for project
// k - 1) and of the chosen resource on the `dayCount` days from `first` (a date at 00:00).
// An activity shows on its start day, its end day and the days between (an end at 00:00
// ends with the day before: it covers nothing of its own day); a periodic one (code 1 to 7)
// also on the days of each repetition that begins up to its last day of repetition, with
// that repetition's times.  Each occurrence is marked periodic on its first day.  On a day
// that an occurrence begins while an earlier one still runs, both show, as one showing
// when they overlap.  Records are read by ParseActivityRecord; those it passes over, and
// those of a project that is missing, which have nothing to show, are passed over here too.
DayScan ScanDays(const store::Planner& planner, runtime::DateTime first, int dayCount,
                 int selectedProjectFilter, const std::optional<std::string>& chosenResource);

}  // namespace mainwindow
