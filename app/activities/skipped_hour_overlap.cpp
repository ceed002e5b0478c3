#include "app/activities/skipped_hour_overlap.h"

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/activities/periodicity.h"
#include "app/activities/skipped_hour.h"

namespace activities {
namespace {

constexpr std::int64_t kMinutesPerDay = 1440;
// The days of the week of the transitions repeat with the Gregorian calendar, every 400
// years; twice that is a whole number of the steps of every periodicity, and month steps
// settle on their day within two years.
constexpr std::int64_t kCycleDays = 2 * 146097 + 800;

std::int64_t FloorMod(std::int64_t value, std::int64_t divisor) {
  const std::int64_t rest = value % divisor;
  return rest < 0 ? rest + divisor : rest;
}

// Whether a time of day, in minutes, falls where the clocks skip on some day.  A repetition
// keeps its times of day, so one whose start and end never do is never moved.
bool CanBeSkipped(const platform::ZoneRules& rules, runtime::DateTime time) {
  for (const SkippedHour& skip : SkippedHoursOf(rules, 2000)) {
    const std::int64_t from = FloorMod(skip.from.Minutes(), kMinutesPerDay);
    if (FloorMod(time.Minutes() - from, kMinutesPerDay) < skip.minutes) return true;
  }
  return false;
}

bool CanBeMoved(const platform::ZoneRules& rules, const OccurrenceWalk& walk) {
  return !walk.AtEnd() &&
         (CanBeSkipped(rules, walk.Current().start) || CanBeSkipped(rules, walk.Current().end));
}

// The start of the last occurrence a walk can reach; nothing for a repetition without end.
std::optional<runtime::DateTime> LastStart(const OccurrenceWalk& walk) {
  if (!IsPeriodicCode(walk.Code())) return walk.Current().start;
  return walk.StartsBefore();
}

// Whether an occurrence of `others`, from its current one on, meets `placed` (where readers
// place an occurrence of the other series) as readers place it.
bool MeetsAny(const Occurrence& placed, OccurrenceWalk others, const platform::ZoneRules& rules,
              int longestSkip) {
  // Readers move a time forward only, by one skip at most.
  others.SkipEndingBefore(placed.start.AddMinutes(-longestSkip));
  for (; !others.AtEnd() && others.Current().start <= placed.end; others.Next()) {
    if (Meets(AsReadersPlaceIt(rules, others.Current()), placed)) return true;
  }
  return false;
}

}  // namespace

Occurrence AsReadersPlaceIt(const platform::ZoneRules& rules, const Occurrence& occurrence) {
  const int skipped = SkippedMinutes(rules, occurrence.start);
  const runtime::DateTime end = occurrence.end.AddMinutes(skipped);
  return {occurrence.start.AddMinutes(skipped), end.AddMinutes(SkippedMinutes(rules, end))};
}

bool MeetWhereClocksSkip(const OccurrenceWalk& a, const OccurrenceWalk& b,
                         const platform::ZoneRules& rules) {
  const bool aMoves = CanBeMoved(rules, a), bMoves = CanBeMoved(rules, b);
  if (!aMoves && !bMoves) return false;
  if (a.AtEnd() || b.AtEnd()) return false;

  const std::int64_t longest = std::max(std::abs(a.Duration()), std::abs(b.Duration()));
  const runtime::DateTime from =
      std::max(a.Current().start, b.Current().start).AddMinutes(-longest);
  runtime::DateTime until = std::max(a.Current().start, b.Current().start).AddDays(kCycleDays);
  for (const auto& last : {LastStart(a), LastStart(b)}) {
    if (last) until = std::min(until, *last);
  }
  until = until.AddMinutes(longest);

  int longestSkip = 0;
  for (const SkippedHour& skip : SkippedHoursOf(rules, 2000))
    longestSkip = std::max(longestSkip, skip.minutes);

  // Each series' occurrences that start or end in a skipped hour, taken in order, against
  // the other series.
  struct Side {
    OccurrenceWalk walk;
    const OccurrenceWalk& others;
    bool moves;
  } sides[] = {{a, b, aMoves}, {b, a, bMoves}};
  for (int year = std::max(from.Year() - 1, 1); year <= std::min(until.Year() + 1, 9999); ++year) {
    for (const SkippedHour& skip : SkippedHoursOf(rules, year)) {
      const runtime::DateTime skipEnd = skip.from.AddMinutes(skip.minutes);
      for (Side& side : sides) {
        if (!side.moves) continue;
        side.walk.SkipEndingBefore(skip.from);
        for (; !side.walk.AtEnd() && side.walk.Current().start < skipEnd; side.walk.Next()) {
          const Occurrence& moved = side.walk.Current();
          if (!skip.Holds(moved.start) && !skip.Holds(moved.end)) continue;
          if (MeetsAny(AsReadersPlaceIt(rules, moved), side.others, rules, longestSkip))
            return true;
        }
      }
    }
  }
  return false;
}

}  // namespace activities
