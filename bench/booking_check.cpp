// The full save check of a new activity against 10,000 activities (2,000 of them repeating)
// that share 50 resources, against the lower bound of reading every activity record once.
// The new activities find every resource free, so every check runs to its end.  The same
// plan stored in years 1 to 7 and checked against new activities in year 9990 gives the
// far-apart case, whose time is compared with the typical one.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

#include "app/activities/activity_record.h"
#include "app/activities/booking.h"
#include "app/store/planner.h"
#include "app/store/terminology.h"

namespace {

constexpr int kResources = 50;
constexpr int kActivities = 10000;
constexpr int kRepeatingEvery = 5;  // one activity in five repeats
constexpr int kRounds = 15;

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

double BestMicroseconds(const std::function<void()>& run) {
  double best = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::micro> elapsed =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
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

// The best time of the check, or a negative time when the new activity is refused.
double CheckMicroseconds(const store::Planner& planner, const activities::ActivityDraft& draft) {
  bool passed = false;
  const double us =
      BestMicroseconds([&] { passed = activities::CheckActivitySave(planner, draft).Passed(); });
  return passed ? us : -1;
}

}  // namespace

int main() {
  const store::Planner planner = Planner(2024);
  const store::Planner early = Planner(1);

  int readable = 0;
  const double parseUs = BestMicroseconds([&] {
    readable = 0;
    for (const std::string& record : planner.Activities) {
      readable += activities::ParseActivityRecord(record).has_value();
    }
  });
  if (readable != kActivities) {
    std::fprintf(stderr, "booking_check: %d of %d records readable\n", readable, kActivities);
    return 1;
  }

  std::printf("booking_check: %d activities, %d repeating, %d resources; parse %.1f us\n",
              kActivities, kActivities / kRepeatingEvery, kResources, parseUs);
  for (const int code : {0, 2, 4}) {
    activities::ActivityDraft draft = NightDraft("02.03.2027");
    draft.periodicityCode = code;
    const double checkUs = CheckMicroseconds(planner, draft);
    activities::ActivityDraft farDraft = NightDraft("02.03.9990");
    farDraft.periodicityCode = code;
    const double farUs = CheckMicroseconds(early, farDraft);
    if (checkUs < 0 || farUs < 0) {
      std::fprintf(stderr, "booking_check: the new activity was refused\n");
      return 1;
    }
    const char* name = code == 0   ? "one-off"
                       : code == 2 ? "weekly without end"
                                   : "monthly without end";
    std::printf("booking_check: %s check %.1f us against parse %.1f us, ratio %.2f\n", name,
                checkUs, parseUs, checkUs / parseUs);
    std::printf("booking_check: %s check in 9990 against a plan of years 1-7 %.1f us "
                "against the typical %.1f us, ratio %.2f\n",
                name, farUs, checkUs, farUs / checkUs);
  }
  return 0;
}
