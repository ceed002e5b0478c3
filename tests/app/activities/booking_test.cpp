#include "app/activities/booking.h"

#include <gtest/gtest.h>

#include "app/activities/activity_record.h"
#include "app/activities/booking_messages.h"
#include "app/activities/find_resource.h"
#include "site_planner.h"

namespace {

using activities::ActivityDraft;
using activities::CheckActivitySave;
using activities::SaveCheck;
using activities::SaveFocus;

runtime::DateTime At(const char* text) { return *runtime::DateTime::Parse(text); }

constexpr int kGrue = 0, kNacelle = 1, kEquipe = 2, kCamion = 3;

ActivityDraft Draft(const char* start, const char* end, std::vector<int> rows) {
  ActivityDraft draft;
  draft.start = At(start);
  draft.end = At(end);
  draft.name = "Nouvelle";
  draft.project = 0;
  draft.resourceRows = std::move(rows);
  return draft;
}

// Stores the activity as the save would, and gives its index.
int Book(store::Planner& planner, const char* name, const char* start, const char* end,
         std::vector<int> resources, const char* period = "") {
  std::string record = std::string(start) + "¦" + end + "¦" + name + "¦0¦255-1" + period;
  for (int resource : resources) record += "¦" + std::to_string(resource);
  planner.Activities.push_back(record);
  return planner.ActivityMax();
}

TEST(ActivitySave, ChecksRunInOrderAndTheFirstFailureSpeaks) {
  store::Planner planner = SitePlanner();
  Book(planner, "Levage", "05.03.2030 10:00", "05.03.2030 11:00", {kGrue});
  // Everything wrong at once: no project, end before start, a row twice, a booking taken.
  ActivityDraft draft = Draft("05.03.2030 10:30", "05.03.2030 10:00", {kGrue, kGrue});
  draft.project = -1;

  auto verdict = CheckActivitySave(planner, draft);
  EXPECT_EQ(verdict.check, SaveCheck::ProjectMissing);
  EXPECT_EQ(verdict.message, "Un Chantier doit être affecté à cette étape");
  EXPECT_EQ(verdict.focus, SaveFocus::Unchanged);

  draft.project = 0;
  verdict = CheckActivitySave(planner, draft);
  EXPECT_EQ(verdict.message, "L'heure de fin ne peut être avant l'heure de début");
  EXPECT_EQ(verdict.focus, SaveFocus::EndHour);

  draft.end = draft.start;  // equal times are accepted
  verdict = CheckActivitySave(planner, draft);
  EXPECT_EQ(verdict.message, "Grue ne peut pas être utilisé plusieurs fois pour la même Étape");
  EXPECT_EQ(verdict.focus, SaveFocus::ResourceRow);
  EXPECT_EQ(verdict.row, 1);

  draft.resourceRows = {kGrue};
  verdict = CheckActivitySave(planner, draft);
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBooked);
  EXPECT_EQ(verdict.message,
            "Grue n'est pas disponible dans cette plage horaire\n\n"
            "Étape en conflit :\nLevage (05.03.2030 10:00 - 05.03.2030 11:00)");

  draft.resourceRows = {kNacelle};
  EXPECT_TRUE(CheckActivitySave(planner, draft).Passed());
  EXPECT_TRUE(CheckActivitySave(planner, draft).message.empty());
}

TEST(ActivitySave, MessagesAgreeWithTheGenders) {
  store::Terms salles = {"Salles", "Salle", "F"};
  store::Terms rendezVous = {"Rendez-vous", "Rendez-vous", "M"};
  store::Terms periodes = {"Périodes", "période", "F"};
  EXPECT_EQ(activities::ProjectMissingMessage(salles, rendezVous),
            "Une Salle doit être affectée à ce rendez-vous");
  EXPECT_EQ(activities::ProjectMissingMessage(rendezVous, periodes),
            "Un Rendez-vous doit être affecté à cette période");
  EXPECT_EQ(activities::ResourceTwiceMessage("Box 3", rendezVous),
            "Box 3 ne peut pas être utilisé plusieurs fois pour le même Rendez-vous");
  EXPECT_EQ(activities::ResourceBookedPeriodicMessage("Box 3", periodes, "Cours", "01.09.2025 10:00",
                                                      "01.09.2025 11:00"),
            "Box 3 n'est pas disponible dans cette plage horaire\n\n"
            "période (périodique) en conflit :\nCours (débuté le 01.09.2025 10:00 - "
            "01.09.2025 11:00)");
}

TEST(ActivitySave, ARowTwiceIsFoundByTheLaterRowAndEmptyRowsAreNoDuplicates) {
  const store::Planner planner = SitePlanner();
  const auto verdictFor = [&](std::vector<int> rows) {
    return CheckActivitySave(planner, Draft("05.03.2030 10:00", "05.03.2030 11:00", rows));
  };
  EXPECT_TRUE(verdictFor({kGrue, -1, -1}).Passed());
  EXPECT_TRUE(verdictFor({-1, kNacelle, -1}).Passed());
  EXPECT_EQ(verdictFor({kGrue, kNacelle, kGrue}).row, 2);
  // The first row's pair comes first: [A, B, B, A] names row 3, not row 2.
  const auto verdict = verdictFor({kGrue, kNacelle, kNacelle, kGrue});
  EXPECT_EQ(verdict.row, 3);
  EXPECT_EQ(verdict.message.substr(0, 5), "Grue ");
}

TEST(ActivitySave, TimeWindowsAgainstABooking) {
  store::Planner planner = SitePlanner();
  Book(planner, "Levage", "05.03.2030 10:00", "05.03.2030 11:00", {kGrue});
  struct Case {
    const char* start;
    const char* end;
    bool refused;
  };
  const Case cases[] = {
      {"05.03.2030 09:00", "05.03.2030 12:00", true},   // encloses the booking
      {"05.03.2030 10:30", "05.03.2030 10:45", true},   // inside it
      {"05.03.2030 10:00", "05.03.2030 11:00", true},   // the same times
      {"05.03.2030 11:00", "05.03.2030 12:00", true},   // starts as it ends
      {"05.03.2030 08:00", "05.03.2030 10:00", true},   // ends as it starts
      {"05.03.2030 10:30", "05.03.2030 10:30", true},   // an instant within
      {"05.03.2030 11:01", "05.03.2030 12:00", false},  // after
      {"05.03.2030 08:00", "05.03.2030 09:59", false},  // before
      {"04.03.2030 10:00", "04.03.2030 11:00", false},  // the day before
      {"04.03.2030 22:00", "06.03.2030 06:00", true},   // over two nights
  };
  for (const Case& c : cases) {
    const auto verdict = CheckActivitySave(planner, Draft(c.start, c.end, {kNacelle, kGrue}));
    EXPECT_EQ(verdict.check, c.refused ? SaveCheck::ResourceBooked : SaveCheck::Passed)
        << c.start << " - " << c.end;
    if (c.refused) {
      EXPECT_EQ(verdict.row, 1) << c.start;
      EXPECT_EQ(verdict.conflictingActivity, 0) << c.start;
    }
  }
  // The same times with resources the booking does not use.
  EXPECT_TRUE(
      CheckActivitySave(planner, Draft("05.03.2030 10:00", "05.03.2030 11:00", {kNacelle, kEquipe}))
          .Passed());
}

TEST(ActivitySave, TheMessageNamesTheFirstActivityAndItsFirstResourceThatARowHolds) {
  store::Planner planner = SitePlanner();
  Book(planner, "Sans rapport", "05.03.2030 10:00", "05.03.2030 11:00", {kCamion});
  Book(planner, "Livraison", "05.03.2030 10:30", "05.03.2030 12:00", {kNacelle});
  Book(planner, "Levage", "05.03.2030 09:00", "05.03.2030 10:15", {kEquipe, kNacelle, kGrue});

  // Activity 1 comes before activity 2 however the rows are ordered.
  auto verdict = CheckActivitySave(
      planner, Draft("05.03.2030 10:00", "05.03.2030 11:00", {kGrue, -1, kNacelle}));
  EXPECT_EQ(verdict.conflictingActivity, 1);
  EXPECT_EQ(verdict.row, 2);
  EXPECT_EQ(verdict.message,
            "Nacelle n'est pas disponible dans cette plage horaire\n\n"
            "Étape en conflit :\nLivraison (05.03.2030 10:30 - 05.03.2030 12:00)");

  // Within activity 2, Équipe A is its first resource that a row holds: row 1, not row 0.
  verdict = CheckActivitySave(planner,
                              Draft("05.03.2030 09:30", "05.03.2030 10:00", {kGrue, kEquipe}));
  EXPECT_EQ(verdict.conflictingActivity, 2);
  EXPECT_EQ(verdict.row, 1);
  EXPECT_EQ(verdict.message.substr(0, 9), "Équipe A");
}

TEST(ActivitySave, AnEmptyRowIsNeverNamedForAStoredResourceOfMinusOne) {
  store::Planner planner = SitePlanner();
  // A record written for a resource name that no resource bore holds -1.
  Book(planner, "Levage", "05.03.2030 10:00", "05.03.2030 11:00", {-1, kGrue});
  const auto verdict =
      CheckActivitySave(planner, Draft("05.03.2030 10:30", "05.03.2030 10:45", {-1, kGrue}));
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBooked);
  EXPECT_EQ(verdict.row, 1);
  EXPECT_EQ(verdict.message.substr(0, 5), "Grue ");
}

TEST(ActivitySave, AmongSeveralBookingsOfOneResourceTheFirstRecordIsNamed) {
  store::Planner planner = SitePlanner();
  Book(planner, "Deuxième", "05.03.2030 10:30", "05.03.2030 10:40", {kGrue});
  Book(planner, "Premier", "05.03.2030 10:00", "05.03.2030 10:10", {kGrue});
  Book(planner, "Dernier", "05.03.2030 10:50", "05.03.2030 11:00", {kGrue});
  const auto verdict =
      CheckActivitySave(planner, Draft("05.03.2030 10:00", "05.03.2030 11:00", {kGrue}));
  EXPECT_EQ(verdict.conflictingActivity, 0);
  EXPECT_NE(verdict.message.find("Deuxième (05.03.2030 10:30"), std::string::npos);
}

TEST(ActivitySave, AMonthlyActivityOverMidnightStillBlocksAfterAShortMonth) {
  store::Planner planner = SitePlanner();
  Book(planner, "Garde", "30.01.2026 23:00", "31.01.2026 01:00", {kGrue}, "-4");
  const auto verdict =
      CheckActivitySave(planner, Draft("28.03.2026 23:30", "28.03.2026 23:45", {kGrue}));
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBookedPeriodic);
}

TEST(ActivitySave, AnActivityIsBlockedByALaterOccurrenceOfAWeeklyOne) {
  store::Planner planner = SitePlanner();
  Book(planner, "Contrôle", "04.09.2025 08:00", "04.09.2025 09:00", {kGrue});
  Book(planner, "Réunion", "01.09.2025 10:00", "01.09.2025 11:00", {kGrue}, "-2");
  const auto verdictFor = [&](const char* start, const char* end, std::vector<int> rows) {
    return CheckActivitySave(planner, Draft(start, end, rows));
  };

  auto verdict = verdictFor("22.09.2025 10:30", "22.09.2025 11:30", {kNacelle, kGrue});
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBookedPeriodic);
  EXPECT_EQ(verdict.message,
            "Grue n'est pas disponible dans cette plage horaire\n\n"
            "Étape (périodique) en conflit :\n"
            "Réunion (débuté le 01.09.2025 10:00 - 01.09.2025 11:00)");
  EXPECT_EQ(verdict.focus, SaveFocus::ResourceRow);
  EXPECT_EQ(verdict.row, 1);
  EXPECT_EQ(verdict.conflictingActivity, 1);

  EXPECT_TRUE(verdictFor("22.09.2025 10:30", "22.09.2025 11:30", {kNacelle}).Passed());
  EXPECT_TRUE(verdictFor("22.09.2025 11:30", "22.09.2025 12:00", {kGrue}).Passed());
  EXPECT_TRUE(verdictFor("23.09.2025 10:00", "23.09.2025 11:00", {kGrue}).Passed());
  EXPECT_FALSE(verdictFor("22.09.2025 09:00", "22.09.2025 12:00", {kGrue}).Passed());
  EXPECT_FALSE(verdictFor("22.09.2025 11:00", "22.09.2025 12:00", {kGrue}).Passed());
  EXPECT_FALSE(verdictFor("22.09.2025 09:00", "22.09.2025 10:00", {kGrue}).Passed());
  EXPECT_FALSE(verdictFor("22.09.2025 10:15", "22.09.2025 10:45", {kGrue}).Passed());
  // Years later, still blocked: the repetition has no end.
  EXPECT_FALSE(verdictFor("07.09.2043 10:59", "07.09.2043 13:00", {kGrue}).Passed());

  // Its stored occurrence counts as a one-off booking, with that message.
  verdict = verdictFor("01.09.2025 10:30", "01.09.2025 11:30", {kGrue});
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBooked);
  EXPECT_EQ(verdict.conflictingActivity, 1);
}

TEST(ActivitySave, AOneOffConflictSpeaksBeforeAPeriodicOneWhateverTheRows) {
  store::Planner planner = SitePlanner();
  Book(planner, "Réunion", "01.09.2025 10:00", "01.09.2025 11:00", {kGrue}, "-2");
  Book(planner, "Livraison", "22.09.2025 10:00", "22.09.2025 10:30", {kNacelle});
  const auto verdict = CheckActivitySave(
      planner, Draft("22.09.2025 10:15", "22.09.2025 10:45", {kGrue, kNacelle}));
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBooked);
  EXPECT_EQ(verdict.conflictingActivity, 1);
  EXPECT_EQ(verdict.row, 1);
}

TEST(ActivitySave, TheLastDayOfRepetitionCounts) {
  store::Planner planner = SitePlanner();
  Book(planner, "Réunion", "01.09.2025 10:00", "01.09.2025 11:00", {kGrue}, "-2-15.09.2025");
  const auto verdictFor = [&](const char* start, const char* end) {
    return CheckActivitySave(planner, Draft(start, end, {kGrue}));
  };
  EXPECT_EQ(verdictFor("08.09.2025 10:30", "08.09.2025 11:30").check,
            SaveCheck::ResourceBookedPeriodic);
  EXPECT_EQ(verdictFor("15.09.2025 10:00", "15.09.2025 10:30").check,
            SaveCheck::ResourceBookedPeriodic);
  EXPECT_TRUE(verdictFor("22.09.2025 10:00", "22.09.2025 10:30").Passed());
}

TEST(ActivitySave, MonthlyAndYearlyRepetitionsClampToTheMonthsEnd) {
  store::Planner planner = SitePlanner();
  Book(planner, "Inventaire", "31.01.2025 10:00", "31.01.2025 11:00", {kGrue}, "-4");
  Book(planner, "Révision", "29.02.2024 14:00", "29.02.2024 15:00", {kNacelle}, "-7");
  Book(planner, "Bilan", "31.08.2025 08:00", "31.08.2025 09:00", {kEquipe}, "-5");
  const auto refused = [&](const char* start, const char* end, int resource) {
    return !CheckActivitySave(planner, Draft(start, end, {resource})).Passed();
  };
  EXPECT_TRUE(refused("28.02.2025 10:30", "28.02.2025 11:30", kGrue));
  EXPECT_TRUE(refused("28.03.2025 10:30", "28.03.2025 11:30", kGrue));
  EXPECT_FALSE(refused("31.03.2025 10:30", "31.03.2025 11:30", kGrue));
  EXPECT_TRUE(refused("28.02.2025 14:00", "28.02.2025 14:30", kNacelle));
  EXPECT_TRUE(refused("28.02.2028 14:00", "28.02.2028 14:30", kNacelle));
  EXPECT_FALSE(refused("29.02.2028 14:00", "29.02.2028 14:30", kNacelle));
  // Quarterly from 31 August: 30 November, then the 28th of February, then 28 May.
  EXPECT_TRUE(refused("30.11.2025 08:30", "30.11.2025 09:30", kEquipe));
  EXPECT_TRUE(refused("28.02.2026 08:30", "28.02.2026 09:30", kEquipe));
  EXPECT_TRUE(refused("28.05.2026 08:30", "28.05.2026 09:30", kEquipe));
  EXPECT_FALSE(refused("31.05.2026 08:30", "31.05.2026 09:30", kEquipe));
}

TEST(ActivitySave, ARepeatingActivityIsCheckedOccurrenceByOccurrence) {
  store::Planner planner = SitePlanner();
  Book(planner, "Levage", "15.09.2025 10:30", "15.09.2025 12:00", {kGrue});
  // Weekly from Monday 01.09: its third occurrence, 15.09, meets Levage.
  ActivityDraft draft = Draft("01.09.2025 10:00", "01.09.2025 11:00", {kGrue});
  draft.periodicityCode = 2;
  auto verdict = CheckActivitySave(planner, draft);
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBooked);
  EXPECT_EQ(verdict.message,
            "Grue n'est pas disponible dans cette plage horaire\n\n"
            "Étape en conflit :\nLevage (15.09.2025 10:30 - 15.09.2025 12:00)");

  draft.lastDay = At("15.09.2025");  // the last day counts
  EXPECT_EQ(CheckActivitySave(planner, draft).check, SaveCheck::ResourceBooked);
  draft.lastDay = At("14.09.2025");
  EXPECT_TRUE(CheckActivitySave(planner, draft).Passed());

  // Against a daily repetition from 10.09 at 10:45: the first meeting is again 15.09.
  store::Planner daily = SitePlanner();
  Book(daily, "Ronde", "10.09.2025 10:45", "10.09.2025 11:15", {kGrue}, "-1");
  draft.lastDay.reset();
  verdict = CheckActivitySave(daily, draft);
  EXPECT_EQ(verdict.check, SaveCheck::ResourceBookedPeriodic);
  EXPECT_EQ(verdict.conflictingActivity, 0);
  draft.lastDay = At("08.09.2025");
  EXPECT_TRUE(CheckActivitySave(daily, draft).Passed());
}

// One activity as the user enters it: its times and its repetition code (0: none).
struct Entered {
  const char* start;
  const char* end;
  int code;
};

// Whether `second` can be saved once `first` is stored, both on the crane.
bool SecondAccepted(const Entered& first, const Entered& second) {
  store::Planner planner = SitePlanner();
  const std::string period = first.code ? "-" + std::to_string(first.code) : "";
  Book(planner, "Levage", first.start, first.end, {kGrue}, period.c_str());
  ActivityDraft draft = Draft(second.start, second.end, {kGrue});
  draft.periodicityCode = second.code;
  return CheckActivitySave(planner, draft).Passed();
}

TEST(ActivitySave, TheOutcomeNeverDependsOnWhichActivityWasSavedFirst) {
  const Entered weekly = {"01.09.2025 10:00", "01.09.2025 11:00", 2};        // Mondays
  const Entered monthly = {"31.01.2025 10:00", "31.01.2025 11:00", 4};       // the 28th on
  const Entered leapYearly = {"29.02.2024 10:00", "29.02.2024 11:00", 7};    // 28.02 on
  const Entered tuesdays = {"02.09.2025 10:00", "02.09.2025 11:00", 2};
  const Entered monthlyHalfPast = {"31.03.2025 10:30", "31.03.2025 10:45", 4};
  const Entered marchOn = {"28.03.2030 10:30", "28.03.2030 10:45", 4};
  const struct {
    Entered a, b;
    bool accepted;
  } cases[] = {
      // A one-off far after a repetition without last date.
      {weekly, {"08.09.2031 10:30", "08.09.2031 11:30", 0}, false},  // 314 weeks on
      {weekly, {"03.12.9990 10:30", "03.12.9990 10:45", 0}, false},  // a Monday
      {weekly, {"02.12.9990 10:30", "02.12.9990 10:45", 0}, true},
      {monthly, {"28.02.9990 10:30", "28.02.9990 10:45", 0}, false},
      {monthly, {"29.03.9990 10:30", "29.03.9990 10:45", 0}, true},  // stays clamped
      {leapYearly, {"28.02.9000 10:30", "28.02.9000 10:45", 0}, false},
      {leapYearly, {"29.02.8996 10:30", "29.02.8996 10:45", 0}, true},
      // Two repetitions without last date.
      {weekly, tuesdays, true},
      {weekly, monthlyHalfPast, false},  // the first 28th that is a Monday
      {leapYearly, marchOn, false},      // 28.02.2031
  };
  for (const auto& c : cases) {
    EXPECT_EQ(SecondAccepted(c.a, c.b), c.accepted) << c.a.start << " then " << c.b.start;
    EXPECT_EQ(SecondAccepted(c.b, c.a), c.accepted) << c.b.start << " then " << c.a.start;
  }
}

TEST(ActivitySave, ModifyingNeverConflictsWithItself) {
  store::Planner planner = SitePlanner();
  Book(planner, "Levage", "05.03.2030 10:00", "05.03.2030 11:00", {kGrue});
  Book(planner, "Réunion", "01.09.2025 10:00", "01.09.2025 11:00", {kNacelle}, "-1");

  ActivityDraft draft = Draft("05.03.2030 10:30", "05.03.2030 11:30", {kGrue});
  EXPECT_EQ(CheckActivitySave(planner, draft).conflictingActivity, 0);  // index 0 takes part
  draft.editedIndex = 0;
  EXPECT_TRUE(CheckActivitySave(planner, draft).Passed());

  // A daily activity moved one day on would meet its own old repetitions.
  draft = Draft("02.09.2025 10:00", "02.09.2025 11:00", {kNacelle});
  draft.periodicityCode = 1;
  EXPECT_EQ(CheckActivitySave(planner, draft).check, SaveCheck::ResourceBookedPeriodic);
  draft.editedIndex = 1;
  EXPECT_TRUE(CheckActivitySave(planner, draft).Passed());
  // Modifying the other one still meets it.
  draft.editedIndex = 0;
  EXPECT_FALSE(CheckActivitySave(planner, draft).Passed());
}

// The check reads a damaged record as the views draw it: what is no activity is passed
// over, and what the views show books its resources.
TEST(ActivitySave, MalformedRecordsAreCheckedAsTheViewsShowThem) {
  store::Planner planner = SitePlanner();
  planner.Activities = {
      "",
      "05.03.2030 10:00",
      "05.03.2030 10:00¦05.03.2030 11:00¦Court¦0",
      "05.03.2030 25:00¦05.03.2030 11:00¦Heure¦0¦255-1¦0",
      "hier¦demain¦Texte¦0¦255-1¦0",
      "05.03.2030 10:00¦05.03.2030 11:00¦Projet¦?¦?¦0",      // no project: not drawn
      "01.03.2030 10:00¦01.03.2030 11:00¦Fin¦0¦255-1-1-3.2030¦0",  // drawn once
      "04.03.2030 10:00¦04.03.2030 11:00¦Code¦0¦255-1-9¦0",  // not repeating
      "05.03.2030 10:00¦05.03.2030 11:00¦Lettre¦0¦255-1¦x¦¦1",  // still books Nacelle
  };
  ActivityDraft draft = Draft("05.03.2030 10:00", "05.03.2030 11:00", {kGrue});
  EXPECT_TRUE(CheckActivitySave(planner, draft).Passed());
  draft.periodicityCode = 1;
  EXPECT_TRUE(CheckActivitySave(planner, draft).Passed());
  draft.resourceRows = {kGrue, 2000000000};  // no such resource: nothing to look up
  EXPECT_TRUE(CheckActivitySave(planner, draft).Passed());

  draft.resourceRows = {kGrue, kNacelle};
  const auto verdict = CheckActivitySave(planner, draft);
  EXPECT_EQ(verdict.conflictingActivity, 8);
  EXPECT_EQ(verdict.message,
            "Nacelle n'est pas disponible dans cette plage horaire\n\n"
            "Étape en conflit :\nLettre (05.03.2030 10:00 - 05.03.2030 11:00)");
}

TEST(FindResource, FindsTheFirstExactNameDeactivatedOnesIncluded) {
  store::Planner planner = SitePlanner();
  planner.Resources.push_back("Grue");
  planner.Resources.push_back("");
  EXPECT_EQ(activities::FindResource(planner, "Grue"), 0);
  EXPECT_EQ(activities::FindResource(planner, "Camion"), 3);
  EXPECT_EQ(activities::FindResource(planner, "grue"), -1);
  EXPECT_EQ(activities::FindResource(planner, ""), -1);
  EXPECT_EQ(activities::ResourceName(planner, 3), "Camion");
  EXPECT_EQ(activities::ResourceName(planner, 40), "");
}

}  // namespace
