// The full save check of a new activity against 10,000 activities (2,000 of them repeating)
// that share 50 resources, against the lower bound of reading every activity record once.
// The new activities find every resource free, so every check runs to its end.
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

// Between 07:00 and 19:00 on a day of 2024 to 2030; repeating ones with every code, half of
// them without a last day.
std::string ActivityRecord(int i) {
  const std::string date = TwoDigits(1 + i % 28) + "." + TwoDigits(1 + i / 28 % 12) + "." +
                           std::to_string(2024 + i % 7);
  const int hour = 7 + i % 11;
  std::string record = date + " " + TwoDigits(hour) + ":00¦" + date + " " +
                       TwoDigits(hour + 1) + ":30¦Intervention n° " + std::to_string(i) + "¦" +
                       std::to_string(i % 20) + "¦" + std::to_string(i * 7919 % 0xFFFFFF) + "-1";
  if (i % kRepeatingEvery == 0) {
    record += "-" + std::to_string(1 + i / kRepeatingEvery % 7);
    if (i % (2 * kRepeatingEvery) == 0) record += "-30.06." + std::to_string(2031 + i % 5);
  }
  for (int r = 0; r < 1 + i % 3; ++r) record += "¦" + std::to_string((i + r * 17) % kResources);
  return record;
}

store::Planner Planner() {
  store::Planner planner;
  planner.ProjectTerms[0] = "Chantiers";
  planner.ActivityTerms[0] = "Étapes";
  planner.ResourceTerms[0] = "Matériels";
  store::ApplyTerminology(planner);
  for (int r = 0; r < kResources; ++r) planner.Resources.push_back("Équipe " + std::to_string(r));
  for (int c = 0; c < 20; ++c) planner.Categories.push_back("Chantier " + std::to_string(c) + "¦255-1");
  for (int i = 0; i < kActivities; ++i) planner.Activities.push_back(ActivityRecord(i));
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

}  // namespace

int main() {
  const store::Planner planner = Planner();

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

  // Night hours, which no stored activity takes, with three resources.
  activities::ActivityDraft draft;
  draft.start = *runtime::DateTime::Parse("02.03.2027 02:00");
  draft.end = *runtime::DateTime::Parse("02.03.2027 03:30");
  draft.project = 0;
  draft.resourceRows = {3, -1, 21, 40};

  std::printf("booking_check: %d activities, %d repeating, %d resources; parse %.1f us\n",
              kActivities, kActivities / kRepeatingEvery, kResources, parseUs);
  for (const int code : {0, 2}) {
    draft.periodicityCode = code;
    bool passed = false;
    const double checkUs =
        BestMicroseconds([&] { passed = activities::CheckActivitySave(planner, draft).Passed(); });
    if (!passed) {
      std::fprintf(stderr, "booking_check: the new activity was refused\n");
      return 1;
    }
    std::printf("booking_check: %s check %.1f us against parse %.1f us, ratio %.2f\n",
                code == 0 ? "one-off" : "weekly without end", checkUs, parseUs,
                checkUs / parseUs);
  }
  return 0;
}
