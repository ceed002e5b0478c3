// Civil date-times to the minute, without daylight saving, and the clock that gives "now".
//
// A value is the count of minutes since 01.01.1970 00:00, so that comparisons and
// differences are plain integer operations.  The only texts are "dd.mm.yyyy HH:MM" and
// "dd.mm.yyyy".
#pragma once

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace runtime {

class DateTime {
 public:
  DateTime() = default;

  // Nothing when a field is out of its range (month 13, 30 February, hour 24, ...).
  static std::optional<DateTime> FromParts(int year, int month, int day, int hour = 0,
                                           int minute = 0);
  // "dd.mm.yyyy HH:MM" or "dd.mm.yyyy" (midnight); nothing for any other text.
  static std::optional<DateTime> Parse(std::string_view text);
  static DateTime FromMinutes(std::int64_t minutes) { return DateTime(minutes); }

  std::int64_t Minutes() const { return minutes_; }
  int Year() const;
  int Month() const;
  int Day() const;
  int Hour() const;
  int Minute() const;

  // Day of the week, 1 to 7, counted from `firstDay` (1 Sunday, 2 Monday, ... 7 Saturday).
  int Weekday(int firstDay = 1) const;

  DateTime Date() const;  // midnight of the same day
  DateTime AddMinutes(std::int64_t minutes) const { return DateTime(minutes_ + minutes); }
  DateTime AddDays(std::int64_t days) const { return DateTime(minutes_ + days * 1440); }
  // Whole months; a day past the end of the target month becomes its last day.
  DateTime AddMonths(int months) const;
  DateTime AddYears(int years) const { return AddMonths(years * 12); }

  std::string Text() const;      // "dd.mm.yyyy HH:MM"
  std::string DateText() const;  // "dd.mm.yyyy"
  std::string TimeText() const;  // "HH:MM"

  friend auto operator<=>(const DateTime&, const DateTime&) = default;

 private:
  explicit DateTime(std::int64_t minutes) : minutes_(minutes) {}
  std::int64_t minutes_ = 0;
};

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);

// Minutes from `from` to `to` (negative when `to` comes first).
inline std::int64_t MinutesBetween(DateTime from, DateTime to) {
  return to.Minutes() - from.Minutes();
}
// Midnights crossed from `from` to `to`, as a calendar counts days.
std::int64_t DaysBetween(DateTime from, DateTime to);

// Where "now" comes from; tests inject a fixed one.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime LocalNow() const = 0;     // the workstation's wall-clock time
  virtual std::time_t UtcNow() const = 0;    // seconds since the epoch, UTC
  DateTime Today() const { return LocalNow().Date(); }
};

class SystemClock final : public Clock {
 public:
  DateTime LocalNow() const override;
  std::time_t UtcNow() const override;
};

class FixedClock final : public Clock {
 public:
  FixedClock(DateTime local, std::time_t utc) : local_(local), utc_(utc) {}
  DateTime LocalNow() const override { return local_; }
  std::time_t UtcNow() const override { return utc_; }
  void Set(DateTime local, std::time_t utc) { local_ = local; utc_ = utc; }

 private:
  DateTime local_;
  std::time_t utc_;
};

}  // namespace runtime
