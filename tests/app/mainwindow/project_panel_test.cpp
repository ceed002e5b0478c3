// The project panel: adding, renaming and recolouring projects, what reaches the data file,
// the project bar and the editor's list, and when the colour list is published.
#include <tuple>

#include "app/activities/frmColor.h"
#include "app/store/data_file.h"
#include "app/store/palette.h"
#include "app/store/records.h"
#include "calendar_fixture.h"

namespace {

using forms::kBlack;
using forms::kButtonFace;
using forms::kWhite;

class ProjectPanelTest : public CalendarTest {
 protected:
  mainwindow::frmMain& OpenPanelWindow() {
    mainwindow::frmMain& w = Open();
    w.PublishCategoryList = [this] { ++published; };
    return w;
  }

  // The record as the data file holds it after a fresh load.
  std::vector<std::string> StoredProjects() {
    store::Planner reloaded;
    reloaded.DataFile = planner.DataFile;
    store::LoadCategories(reloaded);
    return reloaded.Categories;
  }

  // The colour chooser's doing while it is shown.
  void WhileChoosing(std::function<void(activities::frmColor&)> script) {
    world.eventLoop.modalScripts.push_back([script](forms::Form& form) {
      script(dynamic_cast<activities::frmColor&>(form));
    });
  }

  const forms::testing::ScriptedDialogs::Shown& LastMessage() const {
    return world.dialogs.shown.back();
  }

  int published = 0;
};

TEST_F(ProjectPanelTest, WithoutProjectsTheStartUpOpensTheEmptyPanel) {
  planner.Categories.clear();
  mainwindow::frmMain& w = OpenPanelWindow();
  EXPECT_TRUE(w.fraCategorie.Visible());
  EXPECT_TRUE(w.Shape1.Visible());
  EXPECT_EQ(w.lstCat.ListIndex(), -1);
  EXPECT_EQ(w.lblColor.BackColor(), kWhite);
  EXPECT_EQ(w.shMenu[6].FillColor(), kButtonFace);

  user.Click(w.lblCloseCat);
  EXPECT_FALSE(w.fraCategorie.Visible());
  EXPECT_EQ(w.shMenu[6].FillColor(), kWhite);
}

TEST_F(ProjectPanelTest, AddingAProjectStoresItAndShowsItEverywhere) {
  planner.Categories.clear();
  planner.ShareLink = "https://example.invalid/s";
  mainwindow::frmMain& w = OpenPanelWindow();
  world.random.values = {0.4};  // palette index 19, 0x00FFFF: yellow, black text
  world.dialogs.inputBoxAnswers = {"Chantier ¦ Est"};
  user.Click(w.cmdAddCat);

  EXPECT_EQ(LastMessage().prompt, "Nom du nouveau Projet :");
  EXPECT_EQ(LastMessage().title, "");
  EXPECT_EQ(LastMessage().defaultText, "");
  const std::string record = "Chantier | Est\u00A665535-1";
  EXPECT_EQ(planner.Categories, (std::vector<std::string>{record}));
  EXPECT_EQ(StoredProjects(), (std::vector<std::string>{record}));
  EXPECT_EQ(Items(w.lstCat), (std::vector<std::string>{"Chantier | Est"}));
  EXPECT_EQ(Items(w.cmbcategorie), (std::vector<std::string>{"Chantier | Est"}));
  EXPECT_EQ(w.lstCat.ListIndex(), 0);
  EXPECT_FALSE(w.Shape1.Visible());
  ASSERT_TRUE(w.lblCategories.Exists(1));
  const forms::Label& bar = w.lblCategories[1];
  EXPECT_TRUE(bar.Visible());
  EXPECT_EQ(bar.Caption(), "Chantier | Est");
  EXPECT_EQ(bar.Top(), w.lblCategories[0].Top() + 300);
  EXPECT_EQ(bar.Left(), w.lblCategories[0].Left());
  EXPECT_EQ(bar.BackColor(), 0x00FFFF);
  EXPECT_EQ(bar.ForeColor(), kBlack);
  EXPECT_EQ(published, 1);
  EXPECT_EQ(world.screen.history.back(), forms::kDefaultPointer);

  // A dark colour gets white text, stored with the flag 0; the bar grows downwards.
  world.random.values = {0.99};  // palette index 47
  world.dialogs.inputBoxAnswers = {"chantier | est"};  // differs only in case: accepted
  user.Click(w.cmdAddCat);
  EXPECT_EQ(planner.Categories[1], "chantier | est\u00A6" +
                                       std::to_string(store::PaletteColour(47)) + "-0");
  EXPECT_EQ(w.lblCategories[2].Top(), w.lblCategories[1].Top() + 300);
  EXPECT_EQ(w.lblCategories[2].ForeColor(), kWhite);
  EXPECT_EQ(w.lstCat.ListIndex(), 1);
  EXPECT_EQ(published, 2);
}

TEST_F(ProjectPanelTest, AnEmptyOrTakenNameAddsNothing) {
  mainwindow::frmMain& w = OpenPanelWindow();  // Nord (red, white text), Sud
  planner.ShareLink = "on";
  user.Click(w.lblAffiche[6]);
  ASSERT_TRUE(w.fraCategorie.Visible());

  world.random.values = {0.5};
  user.Click(w.cmdAddCat);  // cancelled
  EXPECT_EQ(w.lblColor.BackColor(), kWhite);
  EXPECT_EQ(w.lblStringProj.ForeColor(), kBlack);
  EXPECT_TRUE(w.Shape1.Visible());

  user.Choose(w.lstCat, 0);
  world.dialogs.inputBoxAnswers = {""};
  user.Click(w.cmdAddCat);
  EXPECT_EQ(w.lblColor.BackColor(), 255);  // Nord's colours come back
  EXPECT_EQ(w.lblStringProj.ForeColor(), kWhite);
  EXPECT_FALSE(w.Shape1.Visible());

  world.random.values = {0.5};
  world.dialogs.inputBoxAnswers = {"Sud"};
  user.Click(w.cmdAddCat);
  EXPECT_EQ(LastMessage().prompt, "Le Projet Sud existe déjà");
  EXPECT_EQ(LastMessage().buttons, forms::kExclamation);
  EXPECT_EQ(w.lblColor.BackColor(), 255);
  EXPECT_EQ(planner.Categories.size(), 2u);
  EXPECT_EQ(w.lstCat.ListCount(), 2);
  EXPECT_FALSE(w.lblCategories.Exists(3));
  EXPECT_EQ(published, 0);

  // A feminine term with its own article.
  planner.ProjectTerms = {"Tâches", "tâche", "F"};
  world.dialogs.inputBoxAnswers = {"Nord"};
  user.Click(w.cmdAddCat);
  EXPECT_EQ(world.dialogs.shown[world.dialogs.shown.size() - 2].prompt,
            "Nom de la nouvelle tâche :");
  EXPECT_EQ(LastMessage().prompt, "La tâche Nord existe déjà");
}

TEST_F(ProjectPanelTest, ANewProjectAvoidsATakenColourOnce) {
  mainwindow::frmMain& w = OpenPanelWindow();
  planner.Categories[1] = "Sud\u00A6" + std::to_string(store::PaletteColour(3)) + "-1";
  user.Click(w.lblAffiche[6]);
  world.random.values = {3.5 / 48, 3.5 / 48};  // taken twice: kept at the second draw
  world.dialogs.inputBoxAnswers = {"Est"};
  user.Click(w.cmdAddCat);
  EXPECT_EQ(planner.Categories[2], "Est\u00A6" + std::to_string(store::PaletteColour(3)) + "-1");
  world.random.values = {3.5 / 48, 10.5 / 48};
  world.dialogs.inputBoxAnswers = {"Ouest"};
  user.Click(w.cmdAddCat);
  EXPECT_EQ(planner.Categories[3],
            "Ouest\u00A6" + std::to_string(store::PaletteColour(10)) + "-1");
}

// A record whose colour field is empty takes no colour: a new project is still added.
TEST_F(ProjectPanelTest, AProjectWithAnEmptyColourFieldDoesNotStopAnAddition) {
  mainwindow::frmMain& w = OpenPanelWindow();
  planner.Categories[1] = "Sud\u00A6";
  user.Click(w.lblAffiche[6]);
  world.random.values = {3.5 / 48};
  world.dialogs.inputBoxAnswers = {"Est"};
  user.Click(w.cmdAddCat);
  EXPECT_EQ(planner.Categories[2], "Est\u00A6" + std::to_string(store::PaletteColour(3)) + "-1");
}

TEST_F(ProjectPanelTest, RenamingByDoubleClick) {
  Add("03.03.2026 09:00", "03.03.2026 10:00", "Pose", 1);
  Add("04.03.2026 09:00", "04.03.2026 10:00", "Dépose", 0);
  planner.ShareLink = "on";
  mainwindow::frmMain& w = OpenPanelWindow();
  user.Click(w.lblCategories[2]);  // the bar filters on Sud
  user.DoubleClick(w.lblCategories[2]);
  EXPECT_TRUE(w.fraCategorie.Visible());
  EXPECT_EQ(w.lstCat.ListIndex(), 1);
  EXPECT_EQ(w.lblColor.BackColor(), 65280);
  EXPECT_EQ(w.shMenu[6].FillColor(), kButtonFace);

  world.dialogs.inputBoxAnswers = {"Sud"};  // unchanged
  user.DoubleClick(w.lstCat);
  EXPECT_EQ(LastMessage().prompt, "Modifier le nom du Projet");
  EXPECT_EQ(LastMessage().defaultText, "Sud");
  world.dialogs.inputBoxAnswers = {"Nord"};
  user.DoubleClick(w.lstCat);
  EXPECT_EQ(LastMessage().prompt, "Le Projet Nord existe déjà");
  EXPECT_EQ(LastMessage().buttons, forms::kExclamation);
  EXPECT_EQ(planner.Categories[1], "Sud\u00A665280-1");

  world.dialogs.inputBoxAnswers = {"Sud¦Ouest"};
  user.DoubleClick(w.lstCat);
  EXPECT_EQ(planner.Categories[1], "Sud|Ouest\u00A665280-1");
  EXPECT_EQ(StoredProjects()[1], "Sud|Ouest\u00A665280-1");
  EXPECT_EQ(Items(w.lstCat), (std::vector<std::string>{"Nord", "Sud|Ouest"}));
  EXPECT_EQ(Items(w.cmbcategorie), (std::vector<std::string>{"Nord", "Sud|Ouest"}));
  EXPECT_EQ(w.lblCategories[2].Caption(), "Sud|Ouest");
  EXPECT_EQ(published, 0);  // a new name leaves the colour list as it is
  // The activity table names the project anew and keeps its rows under the bar's filter.
  const forms::MSFlexGrid& table = w.MSFlexGrid1;
  for (int row = 1; row < table.Rows(); ++row) {
    const bool sud = table.TextMatrix(row, 2) == "Pose";
    EXPECT_EQ(table.TextMatrix(row, 3), sud ? "Sud|Ouest" : "Nord") << row;
    EXPECT_EQ(table.RowHeight(row) > 0, sud) << row;
  }

  // Renaming to an empty text changes nothing; the feminine prompt.
  planner.ProjectTerms = {"Tâches", "tâche", "F"};
  world.dialogs.inputBoxAnswers = {""};
  user.DoubleClick(w.lstCat);
  EXPECT_EQ(LastMessage().prompt, "Modifier la nom de la tâche");
  EXPECT_EQ(planner.Categories[1], "Sud|Ouest\u00A665280-1");
  world.dialogs.inputBoxAnswers = {"Nord"};
  user.DoubleClick(w.lstCat);
  EXPECT_EQ(LastMessage().prompt, "La tâche Nord existe déjà");
}

TEST_F(ProjectPanelTest, ChangingTheColourThroughTheChooser) {
  planner.ShareLink = "on";
  mainwindow::frmMain& w = OpenPanelWindow();
  user.DoubleClick(w.lblCategories[0]);
  user.Click(w.lblColor);
  EXPECT_EQ(LastMessage().prompt, "Sélectionnez un projet pour changer sa couleur");
  EXPECT_EQ(LastMessage().buttons, forms::kInformation);
  EXPECT_TRUE(world.eventLoop.modalForms.empty());

  // Nord is red with white text: the chooser opens on it in "Blanc".
  user.Choose(w.lstCat, 0);
  WhileChoosing([&](activities::frmColor& chooser) {
    EXPECT_EQ(chooser.CurrentRed, 255);
    EXPECT_TRUE(chooser.optPol[2].Value());
    user.Click(chooser.lblColor[13]);  // 0xFFFF80, automatic text: black
    user.Click(chooser.cmdOk[0]);
  });
  user.Click(w.lblStringProj);
  EXPECT_EQ(planner.ChosenColour, 255);
  EXPECT_EQ(planner.ChosenTextFlag, 2);
  EXPECT_EQ(world.eventLoop.modalForms, (std::vector<std::string>{"frmColor"}));
  EXPECT_EQ(w.lblColor.BackColor(), 0xFFFF80);
  EXPECT_EQ(w.lblStringProj.ForeColor(), kBlack);
  EXPECT_EQ(planner.Categories[0], "Nord\u00A616777088-1");
  EXPECT_EQ(StoredProjects()[0], "Nord\u00A616777088-1");
  EXPECT_EQ(w.lblCategories[1].BackColor(), 0xFFFF80);
  EXPECT_EQ(w.lblCategories[1].ForeColor(), kBlack);
  EXPECT_EQ(published, 1);

  // White text chosen in the chooser is stored with the flag 2 and read back as white.
  WhileChoosing([&](activities::frmColor& chooser) {
    EXPECT_TRUE(chooser.optPol[1].Value());
    user.Click(chooser.lblNuances);
    chooser.txtC[0].SetText("10");
    user.Type(chooser.txtC[0], "\r");
    user.Click(chooser.optPol[2]);
    user.Click(chooser.cmdOk[1]);
  });
  user.Click(w.lblColor);
  EXPECT_EQ(planner.Categories[0], "Nord\u00A616776970-2");
  user.Choose(w.lstCat, 1);
  user.Choose(w.lstCat, 0);
  EXPECT_EQ(w.lblColor.BackColor(), 0xFFFF0A);
  EXPECT_EQ(w.lblStringProj.ForeColor(), kWhite);
  EXPECT_EQ(published, 2);

  // With sharing off nothing is published.
  planner.ShareLink.clear();
  WhileChoosing([&](activities::frmColor& chooser) { user.Click(chooser.cmdOk[0]); });
  user.Click(w.lblColor);
  EXPECT_EQ(published, 2);
}

// Neither a name refused or left empty nor a chooser closed by its window's X changes the
// selected project's colours, stored or shown.
TEST_F(ProjectPanelTest, ARefusedAddAndACancelledChooserChangeNothingStored) {
  mainwindow::frmMain& w = OpenPanelWindow();  // Nord (red, white text), Sud (green)
  user.Click(w.lblAffiche[6]);
  const std::vector<std::string> projects = planner.Categories;
  for (const auto& [project, added, back] : {std::tuple{0, "", 255}, std::tuple{1, "Nord", 65280},
                                             std::tuple{1, "", 65280}, std::tuple{0, "Sud", 255}}) {
    user.Choose(w.lstCat, project);
    world.random.values = {0.9};  // the blue the addition shows while it asks
    world.dialogs.inputBoxAnswers = {added};
    user.Click(w.cmdAddCat);
    WhileChoosing([&](activities::frmColor& chooser) { user.Click(chooser.lblColor[43]); });
    user.Click(w.lblColor);
    EXPECT_EQ(w.lblColor.BackColor(), back) << added;
    EXPECT_EQ(w.lblCategories[project + 1].BackColor(), back) << added;
    EXPECT_EQ(planner.Categories, projects) << added;
    EXPECT_TRUE(StoredProjects().empty()) << added;  // nothing written
  }
}

TEST_F(ProjectPanelTest, AProjectWithoutAColourStartsTheChooserOnARandomPaletteColour) {
  planner.Categories = {"Vide"};
  mainwindow::frmMain& w = OpenPanelWindow();
  user.Click(w.lblAffiche[6]);
  user.Choose(w.lstCat, 0);
  EXPECT_EQ(w.lblColor.BackColor(), kWhite);
  EXPECT_FALSE(w.Shape1.Visible());
  w.Shape1.SetVisible(true);  // the hatching standing over the selected project
  world.random.values = {0.5};
  WhileChoosing([&](activities::frmColor& chooser) {
    EXPECT_EQ(chooser.CurrentRed + 256 * chooser.CurrentGreen + 65536 * chooser.CurrentBlue,
              store::PaletteColour(24));
    EXPECT_TRUE(chooser.optPol[0].Value());
    user.Click(chooser.cmdOk[0]);
  });
  user.Click(w.lblColor);
  EXPECT_EQ(world.random.randomizeCalls, 1);
  EXPECT_EQ(planner.ChosenTextFlag, 0);
  EXPECT_EQ(planner.Categories[0], "Vide\u00A6" + std::to_string(store::PaletteColour(24)) + "-2");
}

}  // namespace
