// The resource panel: adding, renaming, deactivating and reactivating resources, and the
// side menu's resource list that filters the views and writes the booked hours in the title.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "activity_editor_fixture.h"
#include "app/activities/find_resource.h"
#include "app/mainwindow/hours_text.h"
#include "app/store/data_file.h"
#include "app/store/record_sections.h"

using ::testing::ElementsAre;

namespace {

using Shown = forms::testing::ScriptedDialogs::Shown;

class ResourcePanelTest : public EditorTest {
 protected:
  ResourcePanelTest() {
    // Resources as the fixture has them: Ann, Bob, Salle 2, Paul (deactivated), Zoé.
    planner.ResourceTerms = {"Ressources", "Ressource", "F"};
  }

  // The window with the resource panel opened from the side menu.
  mainwindow::frmMain& OpenPanel() {
    mainwindow::frmMain& w = OpenEditorWindow();
    Menu(5);
    return w;
  }

  std::string StoredResource(int index) const {
    return store::ReadIni("RESSOURCE" + std::to_string(index), "Nom", planner.DataFile);
  }

  const Shown& LastBox() const { return world.dialogs.shown.back(); }

  // Selects `name` in the panel's list and presses the (de/re)activation button, answering
  // the question with `answer`.
  void Toggle(const std::string& name, int answer) {
    user.Choose(window->lstRess, name);
    world.dialogs.msgBoxAnswers.push_back(answer);
    user.Click(window->cmdActiveRess);
  }

  // The resources the editor's first row offers when the menu opens it.
  std::vector<std::string> EditorChoices() {
    Menu(4);
    std::vector<std::string> choices = Items(window->cmbRessource[0]);
    Menu(4);
    return choices;
  }
};

TEST_F(ResourcePanelTest, TheSideMenuEntryOpensAndClosesThePanelOnTheActiveResources) {
  mainwindow::frmMain& w = OpenPanel();
  EXPECT_TRUE(w.fraRessources.Visible());
  EXPECT_EQ(w.shMenu[5].FillColor(), forms::kButtonFace);
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Ann", "Bob", "Salle 2", "Zoé"));

  user.Click(w.optRess[1]);
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Paul"));
  EXPECT_EQ(w.cmdActiveRess.Caption(), "Réactiver");
  EXPECT_FALSE(w.cmdAddRess.Enabled());

  Menu(5);  // closing returns the panel to the active resources
  EXPECT_FALSE(w.fraRessources.Visible());
  EXPECT_EQ(w.shMenu[5].FillColor(), forms::kWhite);
  EXPECT_TRUE(w.optRess[0].Value());
  EXPECT_EQ(w.cmdActiveRess.Caption(), "Désactiver");
  EXPECT_TRUE(w.cmdAddRess.Enabled());
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Ann", "Bob", "Salle 2", "Zoé"));
}

TEST_F(ResourcePanelTest, AddingRefusesEmptyAndTakenNamesAndStoresANewOneAtOnce) {
  mainwindow::frmMain& w = OpenPanel();
  const std::size_t before = planner.Resources.size();

  user.Click(w.cmdAddRess);  // Cancel
  EXPECT_EQ(LastBox().kind, Shown::Kind::kInputBox);
  EXPECT_EQ(LastBox().prompt, "Ajouter Ressource :");
  EXPECT_EQ(LastBox().defaultText, "");
  EXPECT_EQ(planner.Resources.size(), before);

  // A deactivated resource keeps its name taken; names are case-sensitive.
  world.dialogs.inputBoxAnswers.push_back("Paul");
  user.Click(w.cmdAddRess);
  EXPECT_EQ(LastBox().kind, Shown::Kind::kMsgBox);
  EXPECT_EQ(LastBox().prompt, "Ce nom de Ressource Paul existe déjà");
  EXPECT_EQ(LastBox().buttons, forms::kExclamation);
  EXPECT_EQ(planner.Resources.size(), before);

  world.dialogs.inputBoxAnswers.push_back("paul");
  user.Click(w.cmdAddRess);
  ASSERT_EQ(planner.Resources.size(), before + 1);
  EXPECT_EQ(planner.Resources.back(), "paul");
  EXPECT_EQ(StoredResource(5), "paul");
  EXPECT_EQ(w.lstRess.List(w.lstRess.ListCount() - 1), "paul");
  EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout", "Ann", "Bob", "Salle 2", "Zoé", "paul"));
  EXPECT_EQ(Items(w.cmbAffiche), Items(w.lstRessources));
  EXPECT_THAT(EditorChoices(), ElementsAre("Ann", "Bob", "Salle 2", "Zoé", "paul"));

  // The field separator typed in a name would split the record.
  Menu(5);  // the editor's opening closed the panel
  world.dialogs.inputBoxAnswers.push_back("Salle \u00A6 3");
  user.Click(w.cmdAddRess);
  EXPECT_EQ(StoredResource(6), "Salle | 3");
  EXPECT_EQ(activities::FindResource(planner, "Salle | 3"), 6);
}

// The table holds numbers far beyond the file's records: the next start would not read a
// new record back, so the store refuses it and no list shows it.
TEST_F(ResourcePanelTest, AnAdditionTheStoreRefusesShowsNowhere) {
  planner.Resources.resize(store::kMaxUnusedRecordNumbers + 1);
  planner.ShowWriteFailure = [this](const std::string& message) {
    world.dialogs.MsgBox(message, forms::kExclamation, "");
  };
  mainwindow::frmMain& w = OpenPanel();
  const std::vector<std::string> listed = Items(w.lstRess);

  world.dialogs.inputBoxAnswers.push_back("Scie");
  user.Click(w.cmdAddRess);
  EXPECT_EQ(LastBox().prompt.substr(0, LastBox().prompt.find(" :")),
            "Une ressource de plus ne peut pas être enregistrée");
  EXPECT_EQ(Items(w.lstRess), listed);
  EXPECT_EQ(planner.ResourceMax(), store::kMaxUnusedRecordNumbers);
}

TEST_F(ResourcePanelTest, DeactivatingAndReactivatingKeepTheIndexAndTheActivities) {
  Add("04.03.2026 10:00", "04.03.2026 11:00", "Béton", 0, "255-0", {0, 1});
  const std::string activity = planner.Activities[0];
  mainwindow::frmMain& w = OpenPanel();

  user.Click(w.cmdActiveRess);  // nothing selected
  EXPECT_EQ(LastBox().prompt, "Sélectionner une ressource pour la désactiver");
  EXPECT_EQ(LastBox().buttons, forms::kInformation);

  Toggle("Ann", forms::kYes);
  EXPECT_EQ(LastBox().prompt, "Voulez-vous désactiver: Ann");
  EXPECT_EQ(LastBox().buttons, forms::kYesNo);
  EXPECT_EQ(planner.Resources[0], "Ann\u00A61");
  EXPECT_EQ(StoredResource(0), "Ann\u00A61");
  EXPECT_EQ(activities::FindResource(planner, "Ann"), 0);
  EXPECT_EQ(planner.Activities[0], activity);
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Bob", "Salle 2", "Zoé"));
  EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout", "Bob", "Salle 2", "Zoé"));
  EXPECT_EQ(Items(w.cmbAffiche), Items(w.lstRessources));
  EXPECT_EQ(w.lstRessources.ListIndex(), -1);
  EXPECT_THAT(EditorChoices(), ElementsAre("Bob", "Salle 2", "Zoé"));

  Menu(5);
  user.Click(w.optRess[1]);
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Ann", "Paul"));
  user.Click(w.cmdActiveRess);
  EXPECT_EQ(LastBox().prompt, "Sélectionner une ressource pour la réactiver");

  Toggle("Paul", forms::kNo);
  EXPECT_EQ(LastBox().prompt, "Voulez-vous réactiver: Paul");
  EXPECT_EQ(planner.Resources[3], "Paul\u00A61");
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Ann", "Paul"));

  Toggle("Ann", forms::kYes);
  EXPECT_EQ(planner.Resources[0], "Ann");
  EXPECT_EQ(StoredResource(0), "Ann");
  EXPECT_EQ(planner.Activities[0], activity);
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Paul"));
  EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout", "Ann", "Bob", "Salle 2", "Zoé"));
}

TEST_F(ResourcePanelTest, AMasculineTermAsksForAResourceWithTheMasculineArticle) {
  planner.ResourceTerms = {"Matériels", "Matériel", "M"};
  mainwindow::frmMain& w = OpenPanel();
  user.Click(w.cmdActiveRess);
  EXPECT_EQ(LastBox().prompt, "Sélectionner un matériel pour le désactiver");
  user.Choose(w.lstRess, "Bob");
  user.DoubleClick(w.lstRess);
  EXPECT_EQ(LastBox().prompt, "Modifier un Matériel");
}

TEST_F(ResourcePanelTest, RenamingKeepsTheIndexAndFollowsInEveryList) {
  Add("04.03.2026 10:00", "04.03.2026 11:00", "Béton", 0, "255-0", {1});
  mainwindow::frmMain& w = OpenPanel();

  user.Choose(w.lstRess, "Bob");
  user.DoubleClick(w.lstRess);  // Cancel
  EXPECT_EQ(LastBox().prompt, "Modifier une Ressource");
  EXPECT_EQ(LastBox().defaultText, "Bob");
  EXPECT_EQ(planner.Resources[1], "Bob");

  world.dialogs.inputBoxAnswers.push_back("Robert");
  user.DoubleClick(w.lstRess);
  EXPECT_EQ(planner.Resources[1], "Robert");
  EXPECT_EQ(StoredResource(1), "Robert");
  EXPECT_EQ(w.lstRess.Text(), "Robert");
  EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout", "Ann", "Robert", "Salle 2", "Zoé"));
  EXPECT_EQ(Items(w.cmbAffiche), Items(w.lstRessources));

  // The activity refers to the resource by its index: it opens with the new name, and a
  // save keeps the resource.
  Menu(2);
  user.DoubleClick(LabelOf(0));
  EXPECT_THAT(Rows(), ElementsAre("Robert"));
  user.Click(w.cmdValideActivite);
  EXPECT_EQ(planner.Activities[0],
            "04.03.2026 10:00\u00A604.03.2026 11:00\u00A6Béton\u00A60\u00A6255-0\u00A61");
}

TEST_F(ResourcePanelTest, RenamingADeactivatedResourceKeepsItDeactivated) {
  mainwindow::frmMain& w = OpenPanel();
  user.Click(w.optRess[1]);
  user.Choose(w.lstRess, "Paul");
  world.dialogs.inputBoxAnswers.push_back("Paul \u00A6 Martin");
  user.DoubleClick(w.lstRess);
  EXPECT_EQ(planner.Resources[3], "Paul | Martin\u00A61");
  EXPECT_EQ(StoredResource(3), "Paul | Martin\u00A61");
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Paul | Martin"));
  EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout", "Ann", "Bob", "Salle 2", "Zoé"));
}

// Two resources of one name would let a booking of one pass for the other.
TEST_F(ResourcePanelTest, RenamingToANameAnotherResourceBearsIsRefusedAsAddingIs) {
  mainwindow::frmMain& w = OpenPanel();
  for (const char* taken : {"Ann", "Paul"}) {  // an active name, a deactivated one
    user.Choose(w.lstRess, "Zoé");
    world.dialogs.inputBoxAnswers.push_back(taken);
    user.DoubleClick(w.lstRess);
    EXPECT_EQ(LastBox().kind, Shown::Kind::kMsgBox);
    EXPECT_EQ(LastBox().prompt, std::string("Ce nom de Ressource ") + taken + " existe déjà");
    EXPECT_EQ(LastBox().buttons, forms::kExclamation);
    EXPECT_EQ(planner.Resources[4], "Zoé");
    EXPECT_THAT(Items(w.lstRessources), ElementsAre("Tout", "Ann", "Bob", "Salle 2", "Zoé"));
  }
  EXPECT_EQ(activities::FindResource(planner, "Zoé"), 4);
}

// A data file may hold two resources of one name (written before renames were checked);
// each entry still acts on its own record.
TEST_F(ResourcePanelTest, TwoStoredResourcesOfOneNameAreToldApartByTheirPlaceInTheList) {
  planner.Resources[4] = "Ann";
  mainwindow::frmMain& w = OpenPanel();
  user.Choose(w.lstRess, 3);  // the second Ann
  world.dialogs.msgBoxAnswers.push_back(forms::kYes);
  user.Click(w.cmdActiveRess);
  EXPECT_EQ(planner.Resources[4], "Ann\u00A61");
  EXPECT_EQ(planner.Resources[0], "Ann");
  EXPECT_THAT(Items(w.lstRess), ElementsAre("Ann", "Bob", "Salle 2"));
}

TEST_F(ResourcePanelTest, TheSideListFiltersTheViewsAndWritesTheHoursBooked) {
  Add("04.03.2026 09:00", "04.03.2026 12:00", "Béton", 0, "255-0", {0, 1});
  Add("05.03.2026 14:00", "05.03.2026 16:00", "Coffrage", 1, "65280-1", {0});
  Add("05.03.2026 08:00", "05.03.2026 09:00", "Visite", 1, "65280-1", {1});
  Add("12.03.2026 08:00", "12.03.2026 10:00", "Dalle", 0, "255-0", {0});
  mainwindow::frmMain& w = OpenEditorWindow();

  user.Choose(w.lstRessources, "Ann");  // the month view
  EXPECT_EQ(w.cmbAffiche.Text(), "Ann");
  EXPECT_THAT(CaptionsOn("05.03.2026"), ElementsAre("Sud: Coffrage"));
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 7 Heures");

  Menu(2);  // the week of 02.03.2026 only
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 5 Heures");
  Menu(1);  // the agenda counts the month it lists
  EXPECT_EQ(w.lblTitre.Caption(), "Ann - 7 Heures");

  Menu(0);
  user.Click(w.lblCategories[2]);
  EXPECT_EQ(w.lblTitre.Caption(), "Projets Sud\n (Ann - 2 Heures)");
  user.Choose(w.lstRessources, "Tout");
  EXPECT_EQ(w.lblTitre.Caption(), "Projets Sud");
  EXPECT_THAT(CaptionsOn("05.03.2026"), ElementsAre("Sud: Visite", "Sud: Coffrage"));
  user.Click(w.lblCategories[0]);
  EXPECT_EQ(w.lblTitre.Caption(), "");
}

TEST(HoursTextTest, ShortestFormWithTheRegionalSeparator) {
  EXPECT_EQ(mainwindow::HoursText(8, ','), "8");
  EXPECT_EQ(mainwindow::HoursText(7.5, ','), "7,5");
  EXPECT_EQ(mainwindow::HoursText(0.1 + 0.2, '.'), "0.3");
  EXPECT_EQ(mainwindow::HoursText(20.0 / 60, ','), "0,333333333333333");
  EXPECT_EQ(mainwindow::HoursText(-0.0, ','), "0");
}

TEST_F(ResourcePanelTest, ADoubleClickOnTheSideListOpensThePanelOnThatResource) {
  mainwindow::frmMain& w = OpenPanel();
  user.Click(w.optRess[1]);  // the panel shows the deactivated resources
  Menu(6);
  w.fraCategorie.SetVisible(true);

  user.Choose(w.lstRessources, "Salle 2");
  user.DoubleClick(w.lstRessources);
  EXPECT_TRUE(w.fraRessources.Visible());
  EXPECT_FALSE(w.fraCategorie.Visible());
  EXPECT_FALSE(w.fraActivite.Visible());
  EXPECT_EQ(w.shMenu[5].FillColor(), forms::kButtonFace);
  EXPECT_EQ(w.shMenu[4].FillColor(), forms::kWhite);
  EXPECT_EQ(w.shMenu[6].FillColor(), forms::kWhite);
  EXPECT_TRUE(w.optRess[0].Value());
  EXPECT_EQ(w.lstRess.Text(), "Salle 2");

  // The side menu's entry now closes the panel.
  Menu(5);
  EXPECT_FALSE(w.fraRessources.Visible());
}

}  // namespace
