// A spring night in three zones on three sides of the world: the day their clocks go
// from 02:00 to 03:00, and the day after it, when that hour exists again.
#pragma once

#include <string>

struct SpringNight {
  const char* zone;
  const char* day;
  const char* dayAfter;
};

inline constexpr SpringNight kSpringNights[] = {
    {"Europe/Paris", "28.03.2027", "29.03.2027"},
    {"America/New_York", "14.03.2027", "15.03.2027"},
    {"Australia/Sydney", "03.10.2027", "04.10.2027"}};

// What the save tells of a start (`bound` "début") or an end ("fin") at `time` on the night
// the clocks skip from 02:00 to 03:00.
inline std::string SkippedHourRefusal(const char* bound, const std::string& time,
                                      const std::string& day) {
  return std::string("L'heure de ") + bound + " " + time + " n'existe pas le " + day +
         " : au passage à l'heure d'été, les horloges passent de 02:00 à 03:00";
}
