#include "app/activities/booking_messages.h"

#include "runtime/text.h"

namespace activities {
namespace {

bool Feminine(const store::Terms& terms) { return terms[2] == "F"; }

// "<resource> n'est pas disponible dans cette plage horaire", a blank line, the activity
// term with `conflictLabel`, and on the last line the other activity.
std::string Unavailable(std::string_view resourceName, const store::Terms& activityTerms,
                        std::string_view conflictLabel, std::string_view otherName,
                        std::string_view startLabel, std::string_view otherStart,
                        std::string_view otherEnd) {
  std::string message(resourceName);
  message += " n'est pas disponible dans cette plage horaire\n\n";
  message += activityTerms[1];
  message += conflictLabel;
  message += '\n';
  message += otherName;
  message += startLabel;
  message += otherStart;
  message += " - ";
  message += otherEnd;
  message += ')';
  return message;
}

}  // namespace

std::string ProjectMissingMessage(const store::Terms& projectTerms,
                                  const store::Terms& activityTerms) {
  const char* projectEnding = Feminine(projectTerms) ? "e " : " ";
  return std::string("Un") + projectEnding + projectTerms[1] + " doit être affecté" +
         projectEnding + "à ce" + (Feminine(activityTerms) ? "tte " : " ") +
         runtime::LCase(activityTerms[1]);
}

std::string TimeOrderMessage() { return "L'heure de fin ne peut être avant l'heure de début"; }

std::string SkippedTimeMessage(bool isStart, runtime::DateTime time, const SkippedHour& skip) {
  return std::string(isStart ? "L'heure de début " : "L'heure de fin ") + time.TimeText() +
         " n'existe pas le " + time.DateText() +
         " : au passage à l'heure d'été, les horloges passent de " + skip.from.TimeText() +
         " à " + skip.from.AddMinutes(skip.minutes).TimeText();
}

std::string ResourceTwiceMessage(std::string_view resourceName,
                                 const store::Terms& activityTerms) {
  return std::string(resourceName) + " ne peut pas être utilisé plusieurs fois pour l" +
         (Feminine(activityTerms) ? "a" : "e") + " même " + activityTerms[1];
}

std::string ResourceBookedMessage(std::string_view resourceName,
                                  const store::Terms& activityTerms,
                                  std::string_view otherName, std::string_view otherStart,
                                  std::string_view otherEnd) {
  return Unavailable(resourceName, activityTerms, " en conflit :", otherName, " (", otherStart,
                     otherEnd);
}

std::string ResourceBookedPeriodicMessage(std::string_view resourceName,
                                          const store::Terms& activityTerms,
                                          std::string_view otherName,
                                          std::string_view otherStart,
                                          std::string_view otherEnd) {
  return Unavailable(resourceName, activityTerms, " (périodique) en conflit :", otherName,
                     " (débuté le ", otherStart, otherEnd);
}

}  // namespace activities
