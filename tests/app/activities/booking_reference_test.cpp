// The save check against a slow reference: every occurrence of every activity stepped one
// by one, repetitions without end for years past the latest start, every range compared.
// Random activities, seeded, crowd a few weeks around month ends and 29 February so that
// collisions, touching ends, clamped days and malformed records come up often.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "app/activities/booking.h"
#include "app/activities/booking_messages.h"
#include "app/activities/occurrence.h"
#include "app/store/records.h"
#include "runtime/text.h"
#include "site_planner.h"

namespace {

using activities::ActivityDraft;
using activities::CheckActivitySave;
using activities::SaveCheck;
using runtime::DateTime;

struct Range {
  DateTime start, end;
};

bool Meet(const Range& n, const Range& r) { return n.start <= r.end && n.end >= r.start; }

constexpr int kResources = 4;

// A stored record as the reference reads it, or nothing when every check passes it over.
struct Stored {
  std::vector<std::string> fields;
  Range first;
  int code = 0;
  std::optional<DateTime> lastDay;
  std::vector<long long> resources;
};

std::optional<Stored> ReadStored(const std::string& text) {
  Stored stored;
  stored.fields = runtime::Split(text, store::kFieldSeparator);
  if (stored.fields.size() < 5) return std::nullopt;
  const auto start = DateTime::Parse(stored.fields[0]);
  const auto end = DateTime::Parse(stored.fields[1]);
  const auto project = runtime::ParseInteger(stored.fields[3]);
  if (!start || !end || !project || *project < INT32_MIN || *project > INT32_MAX) {
    return std::nullopt;
  }
  stored.first = {*start, *end};
  for (size_t i = 5; i < stored.fields.size(); ++i) {
    const auto resource = runtime::ParseInteger(stored.fields[i]);
    if (resource && *resource >= INT32_MIN && *resource <= INT32_MAX) {
      stored.resources.push_back(*resource);
    }
  }
  const std::vector<std::string> parts = runtime::Split(stored.fields[4], "-");
  const long long code = parts.size() > 2 ? runtime::ParseInteger(parts[2]).value_or(0) : 0;
  if (code >= 1 && code <= 7) {
    stored.code = static_cast<int>(code);
    if (parts.size() > 3) {
      stored.lastDay = DateTime::Parse(parts[3]);
      if (stored.lastDay) {
        stored.lastDay = stored.lastDay->Date();
      } else {
        stored.code = 0;  // a last day that is no date: the stored occurrence alone
      }
    }
  }
  return stored;
}

// The occurrences after the first through `lastDay`, stepped one by one (the walk's steps
// are held to OccurrenceOnDate day by day by the walk's own tests).
std::vector<Range> LaterOccurrences(const Range& first, int code, DateTime lastDay) {
  std::vector<Range> found;
  auto walk = activities::OccurrenceWalk::ThroughLastDay({first.start, first.end}, code, lastDay);
  for (walk.Next(); !walk.AtEnd(); walk.Next()) {
    found.push_back({walk.Current().start, walk.Current().end});
  }
  return found;
}

// A repetition without end is followed this far past the latest start of the case: every
// way two of our periods can stand towards each other comes up well within it.
constexpr int kEndlessYears = 12;

struct Expected {
  SaveCheck check = SaveCheck::Passed;
  int activity = -1;
  int row = -1;
  std::string message;
};

Expected Reference(const store::Planner& planner, const ActivityDraft& draft) {
  const auto name = [&](long long resource) {
    return runtime::Split(planner.Resources[resource], store::kFieldSeparator)[0];
  };
  if (draft.project < 0)
    return {SaveCheck::ProjectMissing, -1, -1,
            activities::ProjectMissingMessage(planner.ProjectTerms, planner.ActivityTerms)};
  if (draft.start > draft.end)
    return {SaveCheck::TimeOrder, -1, -1, activities::TimeOrderMessage()};
  const std::vector<int>& rows = draft.resourceRows;
  for (size_t r = 0; r < rows.size(); ++r)
    for (size_t s = r + 1; s < rows.size(); ++s)
      if (rows[r] >= 0 && rows[r] == rows[s])
        return {SaveCheck::ResourceTwice, -1, static_cast<int>(s),
                activities::ResourceTwiceMessage(name(rows[r]), planner.ActivityTerms)};

  std::vector<std::optional<Stored>> stored;
  DateTime latest = draft.start;
  for (int i = 0; i <= planner.ActivityMax(); ++i) {
    stored.push_back(draft.editedIndex == i ? std::nullopt : ReadStored(planner.Activities[i]));
    if (stored[i]) latest = std::max(latest, stored[i]->first.start);
  }
  const DateTime horizon = latest.AddYears(kEndlessYears).Date();

  // The new activity's own occurrences, in order of start and so of end.
  std::vector<Range> windows = {{draft.start, draft.end}};
  for (const Range& w : LaterOccurrences({draft.start, draft.end}, draft.periodicityCode,
                                         draft.lastDay.value_or(horizon)))
    windows.push_back(w);
  DateTime lastEnd = std::max(draft.end, windows.back().end);

  const auto rowOf = [&](long long resource) -> int {
    for (size_t r = 0; r < rows.size(); ++r)
      if (rows[r] >= 0 && rows[r] == resource) return static_cast<int>(r);
    return -1;
  };
  const auto meetsAWindow = [&](const Range& booked) {
    const auto w = std::lower_bound(
        windows.begin(), windows.end(), booked.start,
        [](const Range& window, DateTime start) { return window.end < start; });
    return w != windows.end() && Meet(*w, booked);
  };

  // Stored occurrences first: the lowest record, and its first resource a row holds.
  for (int i = 0; i <= planner.ActivityMax(); ++i) {
    if (!stored[i] || !meetsAWindow(stored[i]->first)) continue;
    for (long long resource : stored[i]->resources) {
      const int row = rowOf(resource);
      if (row < 0) continue;
      const auto& f = stored[i]->fields;
      return {SaveCheck::ResourceBooked, i, row,
              activities::ResourceBookedMessage(name(resource), planner.ActivityTerms, f[2],
                                                f[0], f[1])};
    }
  }
  // Then the later occurrences, row by row.
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r] < 0) continue;
    for (int i = 0; i <= planner.ActivityMax(); ++i) {
      if (!stored[i] || stored[i]->code == 0) continue;
      const auto& held = stored[i]->resources;
      if (std::find(held.begin(), held.end(), rows[r]) == held.end()) continue;
      const DateTime last = stored[i]->lastDay ? std::min(*stored[i]->lastDay, lastEnd.Date())
                                               : lastEnd.Date();
      const auto later = LaterOccurrences(stored[i]->first, stored[i]->code, last);
      if (std::none_of(later.begin(), later.end(), meetsAWindow)) continue;
      const auto& f = stored[i]->fields;
      return {SaveCheck::ResourceBookedPeriodic, i, static_cast<int>(r),
              activities::ResourceBookedPeriodicMessage(name(rows[r]), planner.ActivityTerms,
                                                        f[2], f[0], f[1])};
    }
  }
  return {};
}

// Random activities between late January and the end of March of a leap year.
class Generator {
 public:
  explicit Generator(unsigned seed) : random_(seed) {}

  int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }
  bool OneIn(int n) { return Below(n) == 0; }

  DateTime Day() {
    static const DateTime kFirst = *DateTime::Parse("25.01.2024");
    // Month ends come up far more often than the other days.
    if (OneIn(3)) {
      static const char* const kEnds[] = {"31.01.2024", "29.02.2024", "30.01.2024",
                                          "28.02.2024", "31.03.2024", "30.03.2024"};
      return *DateTime::Parse(kEnds[Below(6)]);
    }
    return kFirst.AddDays(Below(70));
  }

  Range Times() {
    const DateTime start = Day().AddMinutes(15 * Below(96));
    int minutes = 15 * Below(9);                  // up to two hours, touching ends included
    if (OneIn(6)) minutes = 15 * Below(4 * 60);   // up to two and a half days
    if (OneIn(10)) minutes = 24 * 60 * Below(3);  // whole days
    return {start, start.AddMinutes(minutes)};
  }

  int Code() { return OneIn(3) ? 0 : 1 + Below(7); }

  std::optional<DateTime> LastDay(const Range& first) {
    if (OneIn(2)) return std::nullopt;
    if (OneIn(8)) return first.start.Date().AddDays(-Below(3));  // before or on the start
    return first.start.Date().AddDays(Below(200));
  }

  std::string Record(int project) {
    const Range first = Times();
    const int code = Code();
    std::string colour = "255-1";
    if (code > 0) {
      colour += "-" + std::to_string(code);
      if (const auto last = LastDay(first)) colour += "-" + last->DateText();
    }
    std::vector<std::string> fields = {first.start.Text(), first.end.Text(),
                                       "Act " + std::to_string(Below(1000)),
                                       std::to_string(project), colour};
    const int count = Below(4);  // an activity without resources too
    for (int k = 0; k < count; ++k) fields.push_back(std::to_string(Resource()));
    if (OneIn(8)) Damage(fields);
    return runtime::Join(fields, store::kFieldSeparator);
  }

  // Resources of the table, and now and then an index that no resource has.
  int Resource() { return OneIn(12) ? (OneIn(2) ? 77 : -1) : Below(kResources); }

  ActivityDraft Draft(const store::Planner& planner) {
    ActivityDraft draft;
    Range first = Times();
    if (OneIn(2)) {  // months or years on, where only repetitions reach
      const int months = 1 + Below(OneIn(4) ? 80 : 14);
      first = {first.start.AddMonths(months), first.end.AddMonths(months)};
    }
    draft.start = first.start;
    draft.end = first.end;
    draft.name = "Nouvelle";
    draft.project = OneIn(50) ? -1 : 0;
    draft.periodicityCode = Code();
    draft.lastDay = LastDay(first);
    const int rows = 1 + Below(4);
    for (int r = 0; r < rows; ++r) draft.resourceRows.push_back(OneIn(5) ? -1 : Below(kResources));
    if (planner.ActivityMax() >= 0 && OneIn(3)) draft.editedIndex = Below(planner.ActivityMax() + 1);
    return draft;
  }

 private:
  // One of the ways a record written by hand or cut short goes wrong.
  void Damage(std::vector<std::string>& fields) {
    switch (Below(11)) {
      case 0: fields.resize(Below(5)); break;
      case 1: fields[0] = "32.01.2024 10:00"; break;
      case 2: fields[1] = "29.02.2024 24:00"; break;
      case 3: fields.push_back("x"); break;
      case 4: fields.push_back(""); break;
      case 5: fields[4] = "255-1-" + std::to_string(1 + Below(7)) + "-31.02.2024"; break;
      case 6: fields[4] = "255-1-" + std::string(OneIn(2) ? "9" : "z") + "-10.03.2024"; break;
      case 7: fields[4] = OneIn(2) ? "" : "?"; break;
      case 8: fields.push_back("99999999999"); break;
      case 9: std::swap(fields[0], fields[1]); break;  // ends before it starts
      case 10: fields[3] = "?"; break;
    }
  }

  std::mt19937 random_;
};

std::string Describe(const store::Planner& planner, const ActivityDraft& draft) {
  std::string text = "new ";
  text += draft.start.Text();
  text += " - ";
  text += draft.end.Text();
  text += " code ";
  text += std::to_string(draft.periodicityCode);
  if (draft.lastDay) text += " last " + draft.lastDay->DateText();
  text += " rows";
  for (int row : draft.resourceRows) {
    text += ' ';
    text += std::to_string(row);
  }
  if (draft.editedIndex) text += " editing " + std::to_string(*draft.editedIndex);
  for (int i = 0; i <= planner.ActivityMax(); ++i) {
    text += "\n  ";
    text += std::to_string(i);
    text += ": ";
    text += planner.Activities[i];
  }
  return text;
}

void CompareWithReference(unsigned seed, int cases, int maxRecords) {
  Generator generate(seed);
  int refused = 0, periodic = 0;
  for (int c = 0; c < cases; ++c) {
    store::Planner planner = SitePlanner();
    const int records = generate.Below(maxRecords + 1);
    for (int i = 0; i < records; ++i) planner.Activities.push_back(generate.Record(0));
    const ActivityDraft draft = generate.Draft(planner);

    const auto verdict = CheckActivitySave(planner, draft);
    const Expected expected = Reference(planner, draft);
    ASSERT_EQ(verdict.check, expected.check) << Describe(planner, draft);
    ASSERT_EQ(verdict.conflictingActivity, expected.activity) << Describe(planner, draft);
    ASSERT_EQ(verdict.row, expected.row) << Describe(planner, draft);
    ASSERT_EQ(verdict.message, expected.message) << Describe(planner, draft);
    refused += !verdict.Passed();
    periodic += verdict.check == SaveCheck::ResourceBookedPeriodic;
  }
  // The generator is only worth its time when both outcomes come up often.
  EXPECT_GT(refused, cases / 5);
  EXPECT_LT(refused, cases * 4 / 5);
  EXPECT_GT(periodic, cases / 40);
}

TEST(ActivitySaveReference, AFewCrowdedActivitiesAgreeWithEveryOccurrenceCompared) {
  CompareWithReference(20240229, 4000, 6);
}

TEST(ActivitySaveReference, ManyActivitiesAgreeWithEveryOccurrenceCompared) {
  CompareWithReference(31012025, 1000, 25);
}

// The reference leans on OccurrenceOnDate: it must agree with stepping k times from the
// first occurrence, start and end alike, by days or by calendar months.
TEST(ActivitySaveReference, OccurrenceOnDateGivesTheKthStepFromTheFirst) {
  Generator generate(7);
  for (int c = 0; c < 300; ++c) {
    const Range first = generate.Times();
    const int code = 1 + generate.Below(7);
    static const int kDays[] = {0, 1, 7, 14, 0, 0, 0, 0};
    static const int kMonths[] = {0, 0, 0, 0, 1, 3, 6, 12};
    const std::int64_t length = runtime::MinutesBetween(first.start, first.end);
    Range stepped = first;
    for (int k = 1; k <= 40; ++k) {
      // Starts step from the one before; each end follows its start by the first length.
      stepped.start = kDays[code] ? stepped.start.AddDays(kDays[code])
                                  : stepped.start.AddMonths(kMonths[code]);
      stepped.end = stepped.start.AddMinutes(length);
      const auto [s, e] = activities::OccurrenceOnDate(first.start.Text(), first.end.Text(), code,
                                                       stepped.start.Date());
      ASSERT_EQ(s, stepped.start.Text()) << first.start.Text() << " code " << code << " k " << k;
      ASSERT_EQ(e, stepped.end.Text()) << first.start.Text() << " code " << code << " k " << k;
    }
  }
}

}  // namespace
