// Occurrences of a periodic activity.  Only the first one is stored; the later ones follow
// from it by the period of its periodicity code, found by arithmetic rather than by stepping
// so that a date far from the first costs no more than a near one.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "app/activities/periodicity.h"
#include "runtime/datetime.h"

namespace activities {

// The date that stands for "no particular day" (30.12.1899, the zero date-time).
runtime::DateTime ZeroDate();

struct Occurrence {
  runtime::DateTime start;
  runtime::DateTime end;
  friend bool operator==(const Occurrence&, const Occurrence&) = default;
};

// Whether two occurrences share a minute, both bounds included: ranges that merely touch
// meet, and so does a range that encloses the other.
inline bool Meets(const Occurrence& a, const Occurrence& b) {
  return a.start <= b.end && a.end >= b.start;
}

// The occurrences of one activity in order, from the stored one (number 0) on.  A code
// outside 1..7 gives the stored occurrence only.  Each start is the one a step from the one
// before gives (see RepetitionStart: a day clamped at a month's end stays clamped) and each
// end follows its start by the stored occurrence's duration, so that clamping can never
// turn an activity over midnight into one that ends before it starts.  Occurrences after the stored
// one exist only while they start before `startsBefore`, when one is given.
class OccurrenceWalk {
 public:
  OccurrenceWalk(Occurrence first, int code,
                 std::optional<runtime::DateTime> startsBefore = std::nullopt);
  // The occurrences that start on or before `lastDay` (an occurrence on the last day of
  // repetition counts); every occurrence when there is no last day.
  static OccurrenceWalk ThroughLastDay(Occurrence first, int code,
                                       std::optional<runtime::DateTime> lastDay);

  bool AtEnd() const { return atEnd_; }
  const Occurrence& Current() const { return current_; }
  int Code() const { return code_; }
  std::int64_t Duration() const { return duration_; }  // minutes, end less start
  const std::optional<runtime::DateTime>& StartsBefore() const { return startsBefore_; }
  // Whether the current occurrence and every later one keep one day of the month.
  bool Steady() const { return step_ >= steady_.step; }

  void Next();
  // Move to the first occurrence from the current one on that ends (starts) at or after
  // `time`, in one jump.
  void SkipEndingBefore(runtime::DateTime time) { SkipBefore(&Occurrence::end, time); }
  void SkipStartingBefore(runtime::DateTime time) { SkipBefore(&Occurrence::start, time); }

 private:
  void SkipBefore(runtime::DateTime Occurrence::*bound, runtime::DateTime time);
  void MoveTo(std::int64_t step);

  Occurrence current_;
  runtime::DateTime origin_;  // the stored start
  std::int64_t duration_;
  int code_;
  SteadyRepetition steady_;
  std::int64_t step_ = 0;
  std::optional<runtime::DateTime> startsBefore_;
  bool atEnd_ = false;
};

// The (start, end) texts, "dd.mm.yyyy HH:MM", of the occurrence that begins on `day`
// (a date at 00:00), the stored first occurrence excepted; two empty texts when none
// begins that day.  On the zero date it gives the first occurrence after the stored one.
// The end of repetition is not looked at.
std::pair<std::string, std::string> OccurrenceOnDate(std::string_view start,
                                                     std::string_view end, int code,
                                                     runtime::DateTime day);

}  // namespace activities
