#include "app/activities/periodicity.h"

#include <algorithm>
#include <vector>

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

namespace {

constexpr std::int64_t kMinutesPerDay = 1440;

std::int64_t MonthNumber(runtime::DateTime date) {
  return std::int64_t{date.Year()} * 12 + date.Month() - 1;
}

}  // namespace

SteadyRepetition SteadyFrom(runtime::DateTime start, int code) {
  const int months = PeriodMonths(code);
  if (months == 0) return {0, start};
  // Within two years of steps every month the steps reach has been met, February twice and
  // so once in a common year: the day reached then is the lowest it will ever be.
  const std::int64_t settled = (24 + months - 1) / months;
  std::vector<runtime::DateTime> starts = {start};
  for (std::int64_t i = 0; i < settled; ++i) starts.push_back(starts.back().AddMonths(months));
  std::int64_t step = settled;
  while (step > 0 && starts[step - 1].Day() == starts[settled].Day()) --step;
  return {step, starts[step]};
}

runtime::DateTime RepetitionStart(runtime::DateTime start, int code, std::int64_t steps) {
  return RepetitionStart(start, code, steps, SteadyFrom(start, code));
}

runtime::DateTime RepetitionStart(runtime::DateTime start, int code, std::int64_t steps,
                                  const SteadyRepetition& steady) {
  if (const int days = PeriodDays(code)) return start.AddDays(steps * days);
  const int months = PeriodMonths(code);
  if (months == 0 || steps <= 0) return start;
  if (steps < steady.step) {
    for (std::int64_t i = 0; i < steps; ++i) start = start.AddMonths(months);
    return start;
  }
  return steady.start.AddMonths(static_cast<int>((steps - steady.step) * months));
}

std::int64_t FirstStepFrom(runtime::DateTime start, int code, const SteadyRepetition& steady,
                           std::int64_t from, runtime::DateTime time) {
  if (!IsPeriodicCode(code) || RepetitionStart(start, code, from, steady) >= time) return from;
  std::int64_t step = from;
  if (const int days = PeriodDays(code)) {
    const std::int64_t period = days * kMinutesPerDay;
    step = (runtime::MinutesBetween(start, time) + period - 1) / period;
  } else {
    // Repetition k falls in the k-th period's month, on a day no later than the first's:
    // the step whose month holds `time` starts before it or at it, the next one after.
    const int months = PeriodMonths(code);
    step = std::max(from, (MonthNumber(time) - MonthNumber(start)) / months);
  }
  while (RepetitionStart(start, code, step, steady) < time) ++step;
  return std::max(from, step);
}

}  // namespace activities
