#include "app/activities/periodicity.h"

#include <algorithm>

namespace activities {

bool IsPeriodicCode(int code) { return code >= 1 && code <= 7; }

std::string PeriodicityName(int code) {
  static const char* const kNames[] = {"journalier", "hebdomadaire", "bi-mensuel", "mensuel",
                                       "trimestriel", "semestriel", "annuel"};
  return IsPeriodicCode(code) ? kNames[code - 1] : "";
}

int PeriodDays(int code) {
  switch (code) {
    case 1: return 1;
    case 2: return 7;
    case 3: return 14;
    default: return 0;
  }
}

int PeriodMonths(int code) {
  switch (code) {
    case 4: return 1;
    case 5: return 3;
    case 6: return 6;
    case 7: return 12;
    default: return 0;
  }
}

runtime::DateTime RepetitionStart(runtime::DateTime start, int code, std::int64_t steps) {
  if (const int days = PeriodDays(code)) return start.AddDays(steps * days);
  const int months = PeriodMonths(code);
  if (months == 0 || steps <= 0) return start;
  // Clamping only lowers the day, and within two years of steps every month the steps can
  // reach has been visited (February twice, once in a common year): from then on the day
  // no longer changes and the remaining steps are one jump.
  const std::int64_t stepped = std::min<std::int64_t>(steps, (24 + months - 1) / months);
  for (std::int64_t i = 0; i < stepped; ++i) start = start.AddMonths(months);
  return start.AddMonths(static_cast<int>((steps - stepped) * months));
}

}  // namespace activities
