// "Valider" end to end: a refused save tells why and leaves everything as it was; an
// accepted one writes the record, the data file and the table row, draws the view again,
// publishes the calendars concerned and closes the editor.
#include <gtest/gtest.h>

#include <algorithm>

#include "activity_editor_fixture.h"
#include "app/store/data_file.h"
#include "tests/app/spring_nights.h"

namespace {

const char* const kBar = "\u00A6";

class SaveTest : public EditorTest {
 protected:
  SaveTest() {
    // Ann is booked on Wednesday from 10:00 to 11:00.
    Add("04.03.2026 10:00", "04.03.2026 11:00", "Béton", 0, "255-0", {0});
  }

  std::string Stored(int index) const {
    return store::ReadIni("ACTIVITE" + std::to_string(index), "Nom", planner.DataFile);
  }
};

TEST_F(SaveTest, ARefusalNamesTheBookingAndFocusesItsRow) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  w.OpenNewActivity("04.03.2026", 9, 0);
  user.Choose(w.cmbH2, "12");  // encloses the booking
  Fill("Pose", 1, {"Bob", "Ann"});
  const int rows = w.MSFlexGrid1.Rows();
  const std::size_t labels = Labels().size();
  Save();

  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].prompt,
            "Ann n'est pas disponible dans cette plage horaire\n\nActivité en conflit :\n"
            "Béton (04.03.2026 10:00 - 04.03.2026 11:00)");
  EXPECT_EQ(world.dialogs.shown[0].buttons, forms::kInformation);
  EXPECT_EQ(world.dialogs.shown[0].title, "");
  EXPECT_EQ(w.ActiveControl(), &w.cmbRessource[1]);
  EXPECT_TRUE(w.fraActivite.Visible());
  EXPECT_EQ(w.txtActivite.Text(), "Pose");
  EXPECT_EQ(planner.Activities.size(), 1u);
  EXPECT_EQ(w.MSFlexGrid1.Rows(), rows);
  EXPECT_EQ(Labels().size(), labels);
  EXPECT_EQ(Stored(1), "");
  EXPECT_TRUE(published.empty());
}

TEST_F(SaveTest, WithoutAProjectNothingElseIsChecked) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("04.03.2026", 10, 0);
  user.Choose(w.cmbH2, "09");
  user.Choose(w.cmbRessource[0], "Ann");
  user.Focus(w.txtActivite);
  Save();
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].prompt, "Un Projet doit être affecté à cette activité");
  EXPECT_EQ(w.ActiveControl(), &w.cmdValideActivite);  // where the click left it
}

TEST_F(SaveTest, AResourceChosenTwiceFocusesTheLaterRow) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("05.03.2026", 10, 0);
  // Rows only leave out what was chosen above them when they were added.
  Fill("Double", 0, {"", "Salle 2", "Bob"});
  user.Choose(w.cmbRessource[0], "Bob");
  Save();
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].prompt,
            "Bob ne peut pas être utilisé plusieurs fois pour la même Activité");
  EXPECT_EQ(w.ActiveControl(), &w.cmbRessource[2]);
}

TEST_F(SaveTest, ADateFieldShowingNoDateIsFocusedAndNothingSaved) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  w.OpenNewActivity("04.03.2026", 11, 30);
  Fill("Pose", 1, {"Ann"});
  // What the screen's date field tells when the user left "12.0_.2026" in it.
  w.DTPicker4.SetTextRefused(true);
  const int rows = w.MSFlexGrid1.Rows();
  Save();
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].prompt, "La date saisie n'est pas valide");
  EXPECT_EQ(world.dialogs.shown[0].buttons, forms::kInformation);
  EXPECT_EQ(w.ActiveControl(), &w.DTPicker4);
  EXPECT_TRUE(w.fraActivite.Visible());
  EXPECT_EQ(planner.Activities.size(), 1u);
  EXPECT_EQ(w.MSFlexGrid1.Rows(), rows);
  EXPECT_EQ(Stored(1), "");

  // The date in force set again, even unchanged, is what the field shows and what is saved.
  user.PickDate(w.DTPicker4, w.DTPicker4.Value());
  EXPECT_FALSE(w.DTPicker4.TextRefused());
  Save();
  EXPECT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(planner.Activities.size(), 2u);
}

// In each zone's spring night the clocks go from 02:00 to 03:00: a start or an end
// chosen in between is refused with the day and the change of hour, and nothing is written.
TEST_F(SaveTest, ATimeTheClocksSkipIsRefusedAndNothingIsWritten) {
  planner.ShareLink = "https://example.invalid/cal";
  mainwindow::frmMain& w = OpenEditorWindow();
  // The lists' steps at the edges of the skipped hour.
  const struct {
    const char* hour;
    const char* minute;
    bool skipped;
  } edges[] = {{"01", "55", false}, {"02", "00", true}, {"02", "55", true}, {"03", "00", false}};
  const char* const resources[] = {"Ann", "Bob", "Salle 2", "Zoé"};
  for (const SpringNight& z : kSpringNights) {
    planner.IanaTimeZone = z.zone;
    int accepted = 0;
    for (const auto& edge : edges) {
      for (const bool atStart : {true, false}) {
        const std::string time = std::string(edge.hour) + ":" + edge.minute;
        const std::string where = std::string(z.zone) + " " + time + (atStart ? " start" : " end");
        world.dialogs.shown.clear();
        published.clear();
        const std::size_t stored = planner.Activities.size();
        const int rows = w.MSFlexGrid1.Rows();
        w.OpenNewActivity(z.day, 1, 0);
        user.Choose(w.cmbH2, "04");
        user.Choose(w.cmbM2, "00");
        user.Choose(atStart ? w.cmbH : w.cmbH2, edge.hour);
        user.Choose(atStart ? w.cmbM : w.cmbM2, edge.minute);
        // A resource of its own for each accepted one that day, so that only the time
        // can refuse it.
        Fill("Leçon", 0, {resources[accepted % 4]});
        Save();
        if (!edge.skipped) {
          ++accepted;
          EXPECT_TRUE(world.dialogs.shown.empty()) << where;
          EXPECT_EQ(planner.Activities.size(), stored + 1) << where;
          continue;
        }
        ASSERT_EQ(world.dialogs.shown.size(), 1u) << where;
        EXPECT_EQ(world.dialogs.shown[0].prompt,
                  SkippedHourRefusal(atStart ? "début" : "fin", time, z.day))
            << where;
        EXPECT_EQ(w.ActiveControl(), atStart ? &w.cmbH : &w.cmbH2) << where;
        EXPECT_TRUE(w.fraActivite.Visible()) << where;
        EXPECT_EQ(planner.Activities.size(), stored) << where;
        EXPECT_EQ(w.MSFlexGrid1.Rows(), rows) << where;
        EXPECT_EQ(Stored(static_cast<int>(stored)), "") << where;
        EXPECT_TRUE(published.empty()) << where;
        user.Click(w.lblCloseActivite);
      }
    }
  }
}

TEST_F(SaveTest, AnAcceptedNewActivityIsStoredListedDrawnAndPublished) {
  planner.ShareLink = "https://example.invalid/cal";
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  const std::size_t labels = Labels().size();
  const int rows = w.MSFlexGrid1.Rows();
  w.OpenNewActivity("04.03.2026", 11, 30);  // starts half an hour after Béton ends
  Fill("Pose", 1, {"Ann", "", "Salle 2"});
  user.Choose(w.cmbPeriode, "Bi-mensuel");
  user.Click(w.chkFinPeriode);
  user.PickDate(w.DTPicker3, Date("15.04.2026"));
  Save();

  EXPECT_TRUE(world.dialogs.shown.empty());
  const std::string record = std::string("04.03.2026 11:30") + kBar + "04.03.2026 12:00" + kBar +
                             "Pose" + kBar + "1" + kBar + "65280-1-3-15.04.2026" + kBar + "0" +
                             kBar + "2";
  ASSERT_EQ(planner.Activities.size(), 2u);
  EXPECT_EQ(planner.Activities[1], record);
  EXPECT_EQ(Stored(1), record);

  ASSERT_EQ(w.MSFlexGrid1.Rows(), rows + 1);
  const int row = rows;
  const std::vector<std::string> expected = {
      "04.03.2026 11:30", "04.03.2026 12:00", "Pose", "Sud", "65280-1-3-15.04.2026", "Ann", "",
      "Salle 2", "", "", "", "", "", "", "", "1", "bi-mensuel"};
  for (int col = 0; col < 17; ++col)
    EXPECT_EQ(w.MSFlexGrid1.TextMatrix(row, col), expected[col]) << col;
  w.MSFlexGrid1.SetRow(row);
  w.MSFlexGrid1.SetCol(16);
  EXPECT_EQ(w.MSFlexGrid1.CellBackColor(), 65280u);
  EXPECT_EQ(w.MSFlexGrid1.CellForeColor(), forms::kBlack);

  // The week is drawn again with the new activity (its repetition falls in the next week).
  EXPECT_EQ(Labels().size(), labels + 1);
  EXPECT_EQ(LabelOf(1).Caption().find("Pose") != std::string::npos, true);
  EXPECT_FALSE(w.fraActivite.Visible());
  EXPECT_EQ(published, (std::vector<int>{1}));
  ASSERT_GE(world.screen.history.size(), 2u);
  EXPECT_EQ(world.screen.history[world.screen.history.size() - 2], forms::kHourglassPointer);
  EXPECT_EQ(world.screen.history.back(), forms::kDefaultPointer);

  // Opened again from the table, the same record is replaced.
  user.DoubleClick(LabelOf(1));
  user.Choose(w.cmbM2, "15");
  Save();
  EXPECT_EQ(planner.Activities.size(), 2u);
  EXPECT_EQ(w.MSFlexGrid1.Rows(), rows + 1);
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(row, 1), "04.03.2026 12:15");
  EXPECT_NE(Stored(1).find("04.03.2026 12:15"), std::string::npos);
}

TEST_F(SaveTest, AModifyNeverConflictsWithItselfAndPublishesBothProjectsWhenMoved) {
  planner.ShareLink = "https://example.invalid/cal";
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  user.DoubleClick(LabelOf(0));
  user.Choose(w.cmbcategorie, "Sud");
  user.Choose(w.cmbM2, "30");
  Save();
  EXPECT_TRUE(world.dialogs.shown.empty());
  ASSERT_EQ(planner.Activities.size(), 1u);
  EXPECT_EQ(planner.Activities[0], std::string("04.03.2026 10:00") + kBar + "04.03.2026 11:30" +
                                       kBar + "Béton" + kBar + "1" + kBar + "65280-1" + kBar +
                                       "0");
  EXPECT_EQ(published, (std::vector<int>{1, 0}));

  // Unmoved, only its own project.
  published.clear();
  user.DoubleClick(LabelOf(0));
  Save();
  EXPECT_EQ(published, (std::vector<int>{1}));
}

TEST_F(SaveTest, WithSharingOffNothingIsPublished) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("06.03.2026", 8, 0);
  Fill("Livraison", 0, {"Bob"});
  Save();
  EXPECT_EQ(planner.Activities.size(), 2u);
  EXPECT_TRUE(published.empty());
}

TEST_F(SaveTest, ATermChangeWhileModifyingStillModifies) {
  mainwindow::frmMain& w = OpenEditorWindow();
  Menu(2);
  user.DoubleClick(LabelOf(0));
  planner.ActivityTerms[0] = "Tâches";
  store::ApplyTerminology(planner);
  w.RefreshTermCaptions();
  EXPECT_EQ(w.fraActivite.Caption(), "Modifier une tâche");

  user.Choose(w.cmbH, "09");
  Save();
  EXPECT_TRUE(world.dialogs.shown.empty());
  ASSERT_EQ(planner.Activities.size(), 1u);
  EXPECT_EQ(planner.Activities[0].substr(0, 16), "04.03.2026 09:00");

  w.OpenNewActivity("05.03.2026", 9, 0);
  EXPECT_EQ(w.fraActivite.Caption(), "Ajouter une tâche");
}

TEST_F(SaveTest, APastedBrokenBarIsStoredAsAVerticalBar) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("06.03.2026", 8, 0);
  Fill("", 0, {"Bob"});
  w.txtActivite.SetText("Plan\u00A6coupe");
  Save();
  ASSERT_EQ(planner.Activities.size(), 2u);
  EXPECT_EQ(std::count(planner.Activities[1].begin(), planner.Activities[1].end(), '|'), 1);
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(w.MSFlexGrid1.Rows() - 1, 2), "Plan|coupe");
}

TEST_F(SaveTest, TheMonthAndTheAgendaAreDrawnAgain) {
  mainwindow::frmMain& w = OpenEditorWindow();
  w.OpenNewActivity("20.03.2026", 8, 0);
  Fill("Réception", 0, {"Bob"});
  Save();
  EXPECT_EQ(CaptionsOn("20.03.2026").size(), 1u);

  Menu(1);
  int line = 0;
  for (int i : w.lblDetail.Indexes())
    if (i > 0 && w.lblDetail[i].Tag() == "1") line = i;
  ASSERT_GT(line, 0);
  user.DoubleClick(w.lblDetail[line]);
  w.txtActivite.SetText("Réception finale");
  Save();
  bool shown = false;
  for (int i : w.lblDetail.Indexes())
    if (i > 0 && w.lblDetail[i].Caption().find("Réception finale") != std::string::npos) shown = true;
  EXPECT_TRUE(shown);
}

}  // namespace
