// Redrawing the month, week and agenda views of a plan of 10,000 activities (2,000 of them
// repeating daily, weekly or monthly, some for three years), set against reading those
// records once: splitting each into its fields and reading its dates and numbers.  That
// reading is a reference, not a bound: a view need not read every field of every record.
// Each view and the reading take turns.  Before the timing, every record must be readable
// and a view must draw something and draw the same again; exits 2 when one fails.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "app/mainwindow/frmMain.h"
#include "app/store/records.h"
#include "bench/best_time.h"
#include "forms/testing.h"
#include "runtime/text.h"

namespace {

constexpr int kActivities = 10000;
constexpr int kRepeating = 2000;
constexpr int kProjects = 40;
constexpr int kResources = 60;

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

  bench::Verdict verdict;
  const int readable = ParseOnce(planner);
  verdict.Agree(readable == kActivities,
                std::to_string(readable) + " readable records of " + std::to_string(kActivities));
  std::printf("draw_calendar: %d activities (%d repeating)\n", kActivities, kRepeating);

  struct View {
    const char* name;
    int index;  // for ShowView
    std::function<void()> draw;
    const forms::ControlArray<forms::Label>& drawn;
    const char* what;
  };
  const View views[] = {
      {"month", 0, [&] { window.DrawCalendar(false, false, false); }, window.lblActivite, "labels"},
      {"week", 2, [&] { window.DrawCalendar(true, false, false); }, window.lblActivite, "labels"},
      {"agenda", 1, [&] { window.DrawAgenda(); }, window.lblDetail, "lines"},
  };
  for (const View& view : views) {
    window.ShowView(view.index);
    view.draw();
    const int drawn = Loaded(view.drawn);
    view.draw();
    if (!verdict.Agree(drawn > 0 && Loaded(view.drawn) == drawn,
                       std::string(view.name) + " draws the same again") ||
        readable != kActivities) {
      continue;
    }
    const std::vector<double> best =
        bench::BestSeconds({{view.name, view.draw}, {"reading", [&] { ParseOnce(planner); }}}, 7);
    std::printf("draw_calendar: %s %.2f ms (%d %s), reading every record %.2f ms, ratio %.2f\n",
                view.name, best[0] * 1e3, drawn, view.what, best[1] * 1e3, best[0] / best[1]);
  }
  return verdict.ExitCode();
}
