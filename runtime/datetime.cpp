#include "runtime/datetime.h"

#include <algorithm>
#include <cstdio>

namespace runtime {
namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

// Days since 01.01.1970 of a proleptic Gregorian date (H. Hinnant's algorithm).
std::int64_t DaysFromCivil(int y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const unsigned yoe = static_cast<unsigned>(y - era * 400);
  const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

struct Civil {
  int year, month, day;
};

Civil CivilFromDays(std::int64_t z) {
  z += 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const unsigned doe = static_cast<unsigned>(z - era * 146097);
  const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const unsigned mp = (5 * doy + 2) / 153;
  const int d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  const int m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  return {static_cast<int>(yoe + era * 400) + (m <= 2), m, d};
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

Civil CivilOf(std::int64_t minutes) { return CivilFromDays(FloorDiv(minutes, kMinutesPerDay)); }

int MinuteOfDay(std::int64_t minutes) {
  return static_cast<int>(minutes - FloorDiv(minutes, kMinutesPerDay) * kMinutesPerDay);
}

// Exactly `width` decimal digits at `text[at]`.
std::optional<int> Digits(std::string_view text, size_t at, size_t width) {
  if (at + width > text.size()) return std::nullopt;
  int value = 0;
  for (size_t i = at; i < at + width; ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    value = value * 10 + (text[i] - '0');
  }
  return value;
}

}  // namespace

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

std::optional<DateTime> DateTime::FromParts(int year, int month, int day, int hour,
                                            int minute) {
  if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1 ||
      day > DaysInMonth(year, month) || hour < 0 || hour > 23 || minute < 0 || minute > 59) {
    return std::nullopt;
  }
  return DateTime(DaysFromCivil(year, month, day) * kMinutesPerDay + hour * 60 + minute);
}

std::optional<DateTime> DateTime::Parse(std::string_view text) {
  if (text.size() != 10 && text.size() != 16) return std::nullopt;
  if (text[2] != '.' || text[5] != '.') return std::nullopt;
  const auto day = Digits(text, 0, 2), month = Digits(text, 3, 2), year = Digits(text, 6, 4);
  if (!day || !month || !year) return std::nullopt;
  if (text.size() == 10) return FromParts(*year, *month, *day);
  if (text[10] != ' ' || text[13] != ':') return std::nullopt;
  const auto hour = Digits(text, 11, 2), minute = Digits(text, 14, 2);
  if (!hour || !minute) return std::nullopt;
  return FromParts(*year, *month, *day, *hour, *minute);
}

int DateTime::Year() const { return CivilOf(minutes_).year; }
int DateTime::Month() const { return CivilOf(minutes_).month; }
int DateTime::Day() const { return CivilOf(minutes_).day; }
int DateTime::Hour() const { return MinuteOfDay(minutes_) / 60; }
int DateTime::Minute() const { return MinuteOfDay(minutes_) % 60; }

int DateTime::Weekday(int firstDay) const {
  // 01.01.1970 was a Thursday, day 5 when Sunday is day 1.
  const std::int64_t days = FloorDiv(minutes_, kMinutesPerDay);
  const std::int64_t sundayBased = ((days + 4) % 7 + 7) % 7;  // 0 Sunday .. 6 Saturday
  return static_cast<int>(((sundayBased - (firstDay - 1)) % 7 + 7) % 7) + 1;
}

DateTime DateTime::Date() const {
  return DateTime(FloorDiv(minutes_, kMinutesPerDay) * kMinutesPerDay);
}

DateTime DateTime::AddMonths(int months) const {
  const Civil c = CivilOf(minutes_);
  const std::int64_t index = static_cast<std::int64_t>(c.year) * 12 + (c.month - 1) + months;
  const int year = static_cast<int>(FloorDiv(index, 12));
  const int month = static_cast<int>(index - static_cast<std::int64_t>(year) * 12) + 1;
  const int day = std::min(c.day, DaysInMonth(year, month));
  return DateTime(DaysFromCivil(year, month, day) * kMinutesPerDay + MinuteOfDay(minutes_));
}

std::string DateTime::Text() const { return DateText() + ' ' + TimeText(); }

std::string DateTime::DateText() const {
  const Civil c = CivilOf(minutes_);
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", c.day, c.month, c.year);
  return buffer;
}

std::string DateTime::TimeText() const {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "%02d:%02d", Hour(), Minute());
  return buffer;
}

std::int64_t DaysBetween(DateTime from, DateTime to) {
  return FloorDiv(to.Minutes(), kMinutesPerDay) - FloorDiv(from.Minutes(), kMinutesPerDay);
}

DateTime SystemClock::LocalNow() const {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return *DateTime::FromParts(local.tm_year + 1900, local.tm_mon + 1, local.tm_mday,
                              local.tm_hour, local.tm_min);
}

std::time_t SystemClock::UtcNow() const { return std::time(nullptr); }

}  // namespace runtime
