#include "app/settings/unsent_calendars.h"

#include <algorithm>
#include <set>

#include "app/settings/calendar_export.h"
#include "app/store/records.h"
#include "app/store/system_error_text.h"
#include "app/store/unsent_calendars_file.h"
#include "runtime/text.h"

namespace settings {

bool PublishCalendars(store::Planner& planner, const std::vector<int>& projects,
                      const runtime::Clock& clock, const Publishing& publishing) {
  std::vector<int> due = projects;
  for (int p : planner.UnsentCalendars)
    if (std::find(due.begin(), due.end(), p) == due.end()) due.push_back(p);
  const std::set<int> unsentBefore = planner.UnsentCalendars;
  bool failed = false;
  for (int p : due) {
    if (p < 0 || p > planner.CategoryMax()) {
      planner.UnsentCalendars.erase(p);
    } else if (!failed && ExportICalendar(planner, planner.UserId, p, clock, publishing)) {
      planner.UnsentCalendars.erase(p);
    } else {
      failed = true;
      planner.UnsentCalendars.insert(p);
    }
  }
  // Kept for the next run too; should the file fail, the message says it holds for this run.
  if (planner.UnsentCalendars != unsentBefore) store::WriteUnsentCalendars(planner);
  return !failed;
}

std::string UnsentCalendarsMessage(const store::Planner& planner) {
  std::string names;
  std::size_t named = 0;
  for (int p : planner.UnsentCalendars) {
    if (named > 0) names += named + 1 == planner.UnsentCalendars.size() ? " et " : ", ";
    const std::vector<std::string> fields =
        runtime::Split(planner.Categories.at(p), store::kFieldSeparator);
    names += "« " + (fields.empty() ? std::string() : fields[0]) + " »";
    ++named;
  }
  const bool one = named == 1;
  std::string message =
      "Les modifications sont enregistrées, mais " +
      std::string(one ? "le calendrier en ligne de " : "les calendriers en ligne de ") + names +
      (one ? " n'a pas pu être envoyé au serveur. Il sera envoyé"
           : " n'ont pas pu être envoyés au serveur. Ils seront envoyés") +
      " de nouveau à la prochaine publication";
  if (planner.UnsentCalendarsError == 0) return message + ".";
  return message + ", si le programme reste ouvert jusque-là : la liste des calendriers à "
                   "envoyer n'a pas pu être enregistrée dans le dossier des données.\nCause : " +
         store::SystemErrorText(planner.UnsentCalendarsError);
}

}  // namespace settings
