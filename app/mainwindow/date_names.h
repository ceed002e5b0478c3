// Dates as the windows write them, in French.
#pragma once

#include <string>

#include "runtime/datetime.h"

namespace mainwindow {

// "dddd": the weekday's name in lower case, "lundi" to "dimanche".
std::string WeekdayName(runtime::DateTime date);

// "mmmm": the month's name in lower case, "janvier" to "décembre".
std::string MonthName(runtime::DateTime date);

// "mmmm yyyy": "mars 2026".
std::string MonthYearText(runtime::DateTime date);

}  // namespace mainwindow
