// Periodicity codes: the position of the chosen entry in the editor's periodicity list.
#pragma once

#include <cstdint>
#include <string>

#include "runtime/datetime.h"

namespace activities {

// Codes 1 to 7 repeat daily, weekly, every 14 days, monthly, quarterly, half-yearly and
// yearly; 0 and every other code mean the activity does not repeat.
bool IsPeriodicCode(int code);

// The code's name in the activity table and the hover details; empty for other codes.
std::string PeriodicityName(int code);

// Days between repetitions for the codes that step by days (1 to 3), months for the codes
// that step by months (4 to 7); 0 for every other code.
int PeriodDays(int code);
int PeriodMonths(int code);

// Where a month-stepped repetition settles: each month step keeps the day of the month of
// the step before, clamped to the month's last day, so the day can only fall.  Once every
// month the steps reach has been met (February in a common year included) the day no longer
// changes; from `step` on, repetition k starts on `start` moved by (k - step) periods.
struct SteadyRepetition {
  std::int64_t step = 0;
  runtime::DateTime start;
};
SteadyRepetition SteadyFrom(runtime::DateTime start, int code);

// The start of repetition number `steps` (0 is the stored occurrence), as if each step were
// taken from the one before: a day clamped at the end of a shorter month stays clamped.
runtime::DateTime RepetitionStart(runtime::DateTime start, int code, std::int64_t steps);
runtime::DateTime RepetitionStart(runtime::DateTime start, int code, std::int64_t steps,
                                  const SteadyRepetition& steady);

// The first repetition number from `from` on whose start is at or after `time`.
std::int64_t FirstStepFrom(runtime::DateTime start, int code, const SteadyRepetition& steady,
                           std::int64_t from, runtime::DateTime time);

}  // namespace activities
