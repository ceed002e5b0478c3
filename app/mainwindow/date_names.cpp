#include "app/mainwindow/date_names.h"

namespace mainwindow {

std::string WeekdayName(runtime::DateTime date) {
  static const char* const kNames[] = {"dimanche", "lundi",    "mardi", "mercredi",
                                       "jeudi",    "vendredi", "samedi"};
  return kNames[date.Weekday() - 1];
}

std::string MonthName(runtime::DateTime date) {
  static const char* const kNames[] = {"janvier", "février", "mars",      "avril",
                                       "mai",     "juin",    "juillet",   "août",
                                       "septembre", "octobre", "novembre", "décembre"};
  return kNames[date.Month() - 1];
}

std::string MonthYearText(runtime::DateTime date) {
  return MonthName(date) + " " + std::to_string(date.Year());
}

}  // namespace mainwindow
