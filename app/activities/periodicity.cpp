#include "app/activities/periodicity.h"

namespace activities {

bool IsPeriodicCode(int code) { return code >= 1 && code <= 7; }

std::string PeriodicityName(int code) {
  static const char* const kNames[] = {"journalier", "hebdomadaire", "bi-mensuel", "mensuel",
                                       "trimestriel", "semestriel", "annuel"};
  return IsPeriodicCode(code) ? kNames[code - 1] : "";
}

}  // namespace activities
