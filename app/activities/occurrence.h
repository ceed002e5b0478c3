// Occurrences of a periodic activity.  Only the first one is stored; the later ones are
// stepped from it by the period of its periodicity code.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "runtime/datetime.h"

namespace activities {

// The date that stands for "no particular day" (30.12.1899, the zero date-time).
runtime::DateTime ZeroDate();

// Codes 1 to 7 repeat daily, weekly, every 14 days, monthly, quarterly, half-yearly and
// yearly; any other code is not periodic.  Month steps keep the day of the month, clamped
// to the last day of a shorter month, and each occurrence is stepped from the one before.
//
// The (start, end) texts, "dd.mm.yyyy HH:MM", of the occurrence that begins on `day`
// (a date at 00:00), the stored first occurrence excepted; two empty texts when none
// begins that day.  On the zero date it gives the first occurrence after the stored one.
// The end of repetition is not looked at.
std::pair<std::string, std::string> OccurrenceOnDate(std::string_view start,
                                                     std::string_view end, int code,
                                                     runtime::DateTime day);

}  // namespace activities
