#include "app/activities/periodic_overlap.h"

#include <algorithm>
#include <bitset>
#include <cstdlib>
#include <numeric>

#include "app/activities/periodicity.h"

namespace activities {
namespace {

constexpr std::int64_t kMinutesPerDay = 1440;
// The Gregorian calendar repeats every 400 years; twice that is a whole number of 14 days.
constexpr std::int64_t kCalendarCycleDays = 2 * 146097;
// Month steps settle on their day within two years (SteadyFrom).
constexpr std::int64_t kSettlingDays = 800;
constexpr std::int64_t kMonthKeyLongest = 300 * kMinutesPerDay;

std::int64_t FloorMod(std::int64_t value, std::int64_t divisor) {
  const std::int64_t rest = value % divisor;
  return rest < 0 ? rest + divisor : rest;
}

// How an occurrence of `other` stands towards the series `lattice`: two occurrences of
// `other` far from the ends of `lattice` with one key meet it alike.  Against days steps it
// is the day modulo the period; against month steps, when neither series lasts long, the
// month of the year and which of the years around it are leap years.
class StandingKeys {
 public:
  StandingKeys(const OccurrenceWalk& lattice, const OccurrenceWalk& other)
      : latticeDays_(PeriodDays(lattice.Code())),
        origin_(lattice.Current().start),
        latticeEnd_(lattice.StartsBefore()) {
    const std::int64_t longest = std::max(std::abs(lattice.Duration()), std::abs(other.Duration()));
    margin_ = longest + kSettlingDays * kMinutesPerDay;
    if (latticeDays_ > 0) {
      count_ = latticeDays_;
    } else if (longest <= kMonthKeyLongest && PeriodMonths(other.Code()) > 0) {
      count_ = 4 * 12 / PeriodMonths(other.Code());
    }
  }

  // Notes the key of `b`, an occurrence of the other series that meets no occurrence of the
  // lattice; true once every key there is has been seen.
  bool SeenAll(const OccurrenceWalk& other) {
    const Occurrence& b = other.Current();
    if (count_ == 0 || !other.Steady() || b.start.AddMinutes(-margin_) < origin_) return false;
    if (latticeEnd_ && b.end.AddMinutes(margin_) >= *latticeEnd_) return false;
    if (!seen_.test(Key(b.start))) {
      seen_.set(Key(b.start));
      ++seenCount_;
    }
    return seenCount_ == count_;
  }

 private:
  std::size_t Key(runtime::DateTime start) const {
    if (latticeDays_ > 0) {
      return static_cast<std::size_t>(
          FloorMod(runtime::DaysBetween(origin_, start), latticeDays_));
    }
    const int year = start.Year();
    const int leap = runtime::IsLeapYear(year - 1) ? 1
                     : runtime::IsLeapYear(year)   ? 2
                     : runtime::IsLeapYear(year + 1) ? 3
                                                     : 0;
    return static_cast<std::size_t>((start.Month() - 1) * 4 + leap);
  }

  int latticeDays_;
  runtime::DateTime origin_;
  std::optional<runtime::DateTime> latticeEnd_;
  std::int64_t margin_ = 0;
  int count_ = 0;  // 0: no key serves, the search runs to its limit
  int seenCount_ = 0;
  std::bitset<48> seen_;
};

// A start after which no first meeting can lie: past it, the two series meet only where
// they met one whole cycle of the pair earlier.
runtime::DateTime SearchLimit(const OccurrenceWalk& a, const OccurrenceWalk& b) {
  const int daysA = PeriodDays(a.Code()), daysB = PeriodDays(b.Code());
  const std::int64_t cycleDays = daysA > 0 && daysB > 0 ? std::lcm(daysA, daysB)
                                                         : kCalendarCycleDays;
  const std::int64_t longest = std::max(std::abs(a.Duration()), std::abs(b.Duration()));
  return std::max(a.Current().start, b.Current().start)
      .AddDays(kSettlingDays + cycleDays + 1)
      .AddMinutes(longest);
}

}  // namespace

bool PeriodicOverlaps(OccurrenceWalk booking, OccurrenceWalk windows) {
  if (booking.AtEnd() || windows.AtEnd()) return false;
  // The series stepped by days, when there is one, serves as the lattice the other's
  // occurrences are measured against.
  const bool bookingByDays = PeriodDays(booking.Code()) > 0;
  OccurrenceWalk& lattice = bookingByDays ? booking : windows;
  OccurrenceWalk& other = bookingByDays ? windows : booking;
  const runtime::DateTime limit = SearchLimit(lattice, other);
  StandingKeys keys(lattice, other);

  // Starts and ends only grow from one occurrence to the next, so an occurrence that ends
  // before the other walk's current one starts can meet none of its later ones either.
  while (!lattice.AtEnd() && !other.AtEnd()) {
    const Occurrence& a = lattice.Current();
    const Occurrence& b = other.Current();
    if (a.start >= limit || b.start >= limit) return false;
    if (b.end < a.start) {
      other.SkipEndingBefore(a.start);
    } else if (a.end < b.start) {
      lattice.SkipEndingBefore(b.start);
      if (!lattice.AtEnd() && lattice.Current().start > other.Current().end &&
          keys.SeenAll(other)) {
        return false;
      }
    } else {
      return true;
    }
  }
  return false;
}

}  // namespace activities
