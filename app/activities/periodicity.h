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

// The start of repetition number `steps` (0 is the stored occurrence).  Month steps are
// taken one after the other, each keeping the day of the month of the one before, so that a
// day clamped at the end of a shorter month stays clamped.
runtime::DateTime RepetitionStart(runtime::DateTime start, int code, std::int64_t steps);

}  // namespace activities
