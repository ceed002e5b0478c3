// Redrawing the month, week and agenda views of a plan of 10,000 activities (2,000 of them
// repeating daily, weekly or monthly, some for three years), against the lower bound of
// reading those records once: splitting each into its fields and reading its dates and
// numbers.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/mainwindow/frmMain.h"
#include "app/store/records.h"
#include "forms/testing.h"
#include "runtime/text.h"

namespace {

constexpr int kActivities = 10000;
constexpr int kRepeating = 2000;
constexpr int kProjects = 40;
constexpr int kResources = 60;
constexpr int kRounds = 7;

runtime::DateTime Day(int offset) {
  return runtime::DateTime::FromParts(2025, 1, 1)->AddDays(offset);
}

std::string ActivityRecord(int i) {
  const int dayCount = 3 * 365;
  const runtime::DateTime start = Day(i * 137 % dayCount).AddMinutes((7 + i % 11) * 60 + i % 2 * 30);
  const runtime::DateTime end = i % 50 == 0 ? start.AddDays(2) : start.AddMinutes(60 + i % 3 * 60);
  std::string record = start.Text() + "¦" + end.Text() + "¦Intervention " + std::to_string(i) +
                       "¦" + std::to_string(i % kProjects) + "¦" +
                       std::to_string(i * 7919 % 0xFFFFFF) + "-" + std::to_string(i % 2);
  if (i < kRepeating) {
    static const int kCodes[] = {1, 2, 4};  // daily, weekly, monthly
    record += "-" + std::to_string(kCodes[i % 3]);
    switch (i % 4) {
      case 0: break;  // without end
      case 1: record += "-" + start.AddYears(3).DateText(); break;
      case 2: record += "-" + start.AddMonths(3).DateText(); break;
      default: record += "-" + start.AddYears(1).DateText(); break;
    }
  }
  for (int r = 0; r < 1 + i % 3; ++r) record += "¦" + std::to_string((i + r * 17) % kResources);
  return record;
}

// What reading the records once costs at the least.
int ParseOnce(const store::Planner& planner) {
  int readable = 0;
  for (const std::string& record : planner.Activities) {
    const std::vector<std::string> fields = runtime::Split(record, store::kFieldSeparator);
    if (fields.size() < 5) continue;
    const auto start = runtime::DateTime::Parse(fields[0]);
    const auto end = runtime::DateTime::Parse(fields[1]);
    const auto project = runtime::ParseInteger(fields[3]);
    const std::vector<std::string> parts = runtime::Split(fields[4], store::kSubFieldSeparator);
    const auto colour = parts.empty() ? std::nullopt : runtime::ParseInteger(parts[0]);
    if (start && end && project && colour) ++readable;
  }
  return readable;
}

double BestMilliseconds(const std::function<void()>& run) {
  double best = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = std::chrono::steady_clock::now();
    run();
    const std::chrono::duration<double, std::milli> elapsed =
        std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

int Loaded(const forms::ControlArray<forms::Label>& labels) { return labels.Count() - 1; }

}  // namespace

int main() {
  store::Planner planner;
  planner.DataFolder = std::filesystem::temp_directory_path().string();
  planner.DataFile = planner.DataFolder + "/draw_calendar-absent-data";
  for (int r = 0; r < kResources; ++r) planner.Resources.push_back("Équipe " + std::to_string(r));
  for (int p = 0; p < kProjects; ++p)
    planner.Categories.push_back("Chantier " + std::to_string(p) + "¦" +
                                 std::to_string(p * 104729 % 0xFFFFFF) + "-0");
  for (int i = 0; i < kActivities; ++i) planner.Activities.push_back(ActivityRecord(i));
  planner.ProjectTerms = {"Chantiers", "Chantier", "M"};

  forms::testing::TestServices world;
  world.clock.Set(*runtime::DateTime::Parse("15.06.2026 09:00"), 0);
  mainwindow::frmMain window(planner, world.services());
  window.LoadForm();
  window.InitMainForm();

  int readable = 0;
  const double parseMs = BestMilliseconds([&] { readable = ParseOnce(planner); });

  window.ShowView(0);
  const double monthMs = BestMilliseconds([&] { window.DrawCalendar(false, false, false); });
  const int monthLabels = Loaded(window.lblActivite);
  window.ShowView(2);
  const double weekMs = BestMilliseconds([&] { window.DrawCalendar(true, false, false); });
  const int weekLabels = Loaded(window.lblActivite);
  window.ShowView(1);
  const double agendaMs = BestMilliseconds([&] { window.DrawAgenda(); });
  const int agendaLines = Loaded(window.lblDetail);

  if (readable != kActivities) {
    std::fprintf(stderr, "draw_calendar: %d readable records instead of %d\n", readable,
                 kActivities);
    return 1;
  }
  std::printf("draw_calendar: %d activities (%d repeating), parsed once in %.2f ms\n",
              kActivities, kRepeating, parseMs);
  std::printf("draw_calendar: month %.2f ms (%d labels), ratio %.2f\n", monthMs, monthLabels,
              monthMs / parseMs);
  std::printf("draw_calendar: week %.2f ms (%d labels), ratio %.2f\n", weekMs, weekLabels,
              weekMs / parseMs);
  std::printf("draw_calendar: agenda %.2f ms (%d lines), ratio %.2f\n", agendaMs, agendaLines,
              agendaMs / parseMs);
  return 0;
}
