// The full save check of a new activity against 10,000 activities (2,000 of them repeating)
// that share 50 resources, set against two readings of every activity record: parsing each
// in full, and finding each one's resource fields.  Neither is a bound: the check parses in
// full only the records that share a resource with the new activity, and finding the
// resource fields is only the first part of its work.  The new activities find every
// resource free, so every check runs to its end.  The same plan stored in years 1 to 7 and
// checked against new activities in year 9990 gives the far-apart case, set against the
// typical one.  All take turns; before the timing, the new activities must pass, one that
// takes a booked resource must be refused, and every record must parse.  Exits 2 when one
// of these fails.
#include <cstdio>
#include <string>
#include <string_view>

#include "app/activities/activity_record.h"
#include "app/activities/booking.h"
#include "app/store/planner.h"
#include "app/store/records.h"
#include "app/store/terminology.h"
#include "bench/best_time.h"
#include "runtime/text.h"

namespace {

constexpr int kResources = 50;
constexpr int kActivities = 10000;
constexpr int kRepeatingEvery = 5;  // one activity in five repeats
constexpr int kRounds = 11;

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string Year(int year) {
  const std::string digits = std::to_string(year);
  return std::string(4 - std::min<size_t>(4, digits.size()), '0') + digits;
}

// Between 07:00 and 19:00 on a day of the seven years from `firstYear`; repeating ones with
// every code, half of them without a last day (the others end seven to eleven years on).
std::string ActivityRecord(int i, int firstYear) {
  const std::string date = TwoDigits(1 + i % 28) + "." + TwoDigits(1 + i / 28 % 12) + "." +
                           Year(firstYear + i % 7);
  const int hour = 7 + i % 11;
  std::string record = date + " " + TwoDigits(hour) + ":00¦" + date + " " +
                       TwoDigits(hour + 1) + ":30¦Intervention n° " + std::to_string(i) + "¦" +
                       std::to_string(i % 20) + "¦" + std::to_string(i * 7919 % 0xFFFFFF) + "-1";
  if (i % kRepeatingEvery == 0) {
    record += "-" + std::to_string(1 + i / kRepeatingEvery % 7);
    if (i % (2 * kRepeatingEvery) == 0) record += "-30.06." + Year(firstYear + 7 + i % 5);
  }
  for (int r = 0; r < 1 + i % 3; ++r) record += "¦" + std::to_string((i + r * 17) % kResources);
  return record;
}

store::Planner Planner(int firstYear) {
  store::Planner planner;
  planner.ProjectTerms[0] = "Chantiers";
  planner.ActivityTerms[0] = "Étapes";
  planner.ResourceTerms[0] = "Matériels";
  store::ApplyTerminology(planner);
  for (int r = 0; r < kResources; ++r) planner.Resources.push_back("Équipe " + std::to_string(r));
  for (int c = 0; c < 20; ++c) planner.Categories.push_back("Chantier " + std::to_string(c) + "¦255-1");
  for (int i = 0; i < kActivities; ++i) {
    planner.Activities.push_back(ActivityRecord(i, firstYear));
  }
  return planner;
}

// Night hours, which no stored activity takes, with three resources.
activities::ActivityDraft NightDraft(const char* day) {
  activities::ActivityDraft draft;
  draft.start = *runtime::DateTime::Parse(std::string(day) + " 02:00");
  draft.end = *runtime::DateTime::Parse(std::string(day) + " 03:30");
  draft.project = 0;
  draft.resourceRows = {3, -1, 21, 40};
  return draft;
}

// Inside activity 1's time (02.01.2025 08:00-09:30), with its second resource.
activities::ActivityDraft BookedDraft() {
  activities::ActivityDraft draft;
  draft.start = *runtime::DateTime::Parse("02.01.2025 08:30");
  draft.end = *runtime::DateTime::Parse("02.01.2025 09:00");
  draft.project = 0;
  draft.resourceRows = {18};
  return draft;
}

int ParseAll(const store::Planner& planner) {
  int readable = 0;
  for (const std::string& record : planner.Activities) {
    readable += activities::ParseActivityRecord(record).has_value();
  }
  return readable;
}

// The resource numbers of every record: its fields from the sixth on.
long long SumOfResourceFields(const store::Planner& planner) {
  long long sum = 0;
  for (const std::string& record : planner.Activities) {
    std::string_view rest = record;
    for (int field = 0; field < 5 && !rest.empty(); ++field) {
      const std::size_t at = rest.find(store::kFieldSeparator);
      rest.remove_prefix(at == std::string_view::npos ? rest.size()
                                                      : at + store::kFieldSeparator.size());
    }
    while (!rest.empty()) {
      const std::size_t at = rest.find(store::kFieldSeparator);
      sum += runtime::ParseInteger(rest.substr(0, at)).value_or(0);
      rest.remove_prefix(at == std::string_view::npos ? rest.size()
                                                      : at + store::kFieldSeparator.size());
    }
  }
  return sum;
}

}  // namespace

int main() {
  bench::Verdict verdict;
  const store::Planner planner = Planner(2024);
  const store::Planner early = Planner(1);

  const bool agree =
      verdict.Agree(ParseAll(planner) == kActivities, "every record parses") &
      verdict.Agree(!activities::CheckActivitySave(planner, BookedDraft()).Passed(),
                    "a booked resource is refused");
  std::printf("booking_check: %d activities, %d repeating, %d resources\n", kActivities,
              kActivities / kRepeatingEvery, kResources);
  for (const int code : {0, 2, 4}) {
    const char* name = code == 0   ? "one-off"
                       : code == 2 ? "weekly without end"
                                   : "monthly without end";
    activities::ActivityDraft draft = NightDraft("02.03.2027");
    draft.periodicityCode = code;
    activities::ActivityDraft farDraft = NightDraft("02.03.9990");
    farDraft.periodicityCode = code;
    if (!(verdict.Agree(activities::CheckActivitySave(planner, draft).Passed(),
                        std::string(name) + " at night passes") &
          verdict.Agree(activities::CheckActivitySave(early, farDraft).Passed(),
                        std::string(name) + " in 9990 passes")) ||
        !agree) {
      continue;
    }
    const std::vector<double> best = bench::BestSeconds(
        {{"check", [&] { activities::CheckActivitySave(planner, draft); }},
         {"far check", [&] { activities::CheckActivitySave(early, farDraft); }},
         {"parse", [&] { ParseAll(planner); }},
         {"resource fields", [&] { SumOfResourceFields(planner); }}},
        kRounds);
    const double us[] = {best[0] * 1e6, best[1] * 1e6, best[2] * 1e6, best[3] * 1e6};
    std::printf("booking_check: %s check %.1f us, parsing every record %.1f us, ratio %.2f\n",
                name, us[0], us[2], us[0] / us[2]);
    std::printf("booking_check: %s check %.1f us, finding every record's resources %.1f us, "
                "ratio %.2f\n",
                name, us[0], us[3], us[0] / us[3]);
    std::printf("booking_check: %s check in 9990 against a plan of years 1-7 %.1f us, "
                "the typical %.1f us, ratio %.2f\n",
                name, us[1], us[0], us[1] / us[0]);
  }
  return verdict.ExitCode();
}
