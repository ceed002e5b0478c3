// The messages with which the activity save refuses what the editor holds, worded from the
// terminology: element 1 of the terms is the singular, element 2 the gender ("F" feminine,
// anything else masculine).
#pragma once

#include <string>
#include <string_view>

#include "app/activities/skipped_hour.h"
#include "app/store/planner.h"
#include "runtime/datetime.h"

namespace activities {

// "Un projet doit être affecté à cette étape"
std::string ProjectMissingMessage(const store::Terms& projectTerms,
                                  const store::Terms& activityTerms);

// "L'heure de fin ne peut être avant l'heure de début"
std::string TimeOrderMessage();

// "L'heure de début 02:30 n'existe pas le 28.03.2027 : au passage à l'heure d'été, les
// horloges passent de 02:00 à 03:00"; the end's "L'heure de fin" when `isStart` is false.
std::string SkippedTimeMessage(bool isStart, runtime::DateTime time, const SkippedHour& skip);

// "Salle 2 ne peut pas être utilisé plusieurs fois pour la même Étape"
std::string ResourceTwiceMessage(std::string_view resourceName,
                                 const store::Terms& activityTerms);

// The resource is booked by the stored occurrence of another activity, named by its
// record's name, start and end texts.
std::string ResourceBookedMessage(std::string_view resourceName,
                                  const store::Terms& activityTerms,
                                  std::string_view otherName, std::string_view otherStart,
                                  std::string_view otherEnd);

// The resource is booked by a later occurrence of a periodic activity, named by its
// record's name and its first start and end texts.
std::string ResourceBookedPeriodicMessage(std::string_view resourceName,
                                          const store::Terms& activityTerms,
                                          std::string_view otherName,
                                          std::string_view otherStart,
                                          std::string_view otherEnd);

}  // namespace activities
