// Captions written from the terms in force, with gender agreement and the places that
// depend on the length of the terms.
#include "window_fixture.h"

namespace {

class CaptionsTest : public WindowTest {
 protected:
  mainwindow::frmMain& Refresh(store::Terms projects, store::Terms activities,
                               store::Terms resources) {
    if (!window) Open();
    planner.ProjectTerms = std::move(projects);
    planner.ActivityTerms = std::move(activities);
    planner.ResourceTerms = std::move(resources);
    window->RefreshTermCaptions();
    return *window;
  }
};

TEST_F(CaptionsTest, FeminineTermsTakeTheFeminineEndings) {
  mainwindow::frmMain& w = Refresh({"Salles", "Salle", "F"}, {"Tâches", "Tâche", "F"},
                                   {"Personnes", "Personne", "F"});

  EXPECT_EQ(w.lblAffiche[6].Caption(), "Salles");
  EXPECT_EQ(w.lblAffiche[1].Caption(), "Agenda du mois");
  EXPECT_EQ(w.lblAffiche[4].Caption(), "Ajouter une tâche");
  EXPECT_EQ(w.fraActivite.Caption(), "Ajouter une tâche");
  EXPECT_EQ(w.cmdAddCat.Caption(), "Ajouter une salle");
  EXPECT_EQ(w.cmdNewRess.Caption(), "Ajouter une personne");
  EXPECT_EQ(w.cmdAddRess.Caption(), "Ajouter une personne");
  EXPECT_EQ(w.optRess[0].Caption(), "Uniquement Personnes actives ");
  EXPECT_EQ(w.optRess[1].Caption(), "Personnes désactivées ");
  EXPECT_EQ(w.fraCategorie.Caption(), "Salles");
  EXPECT_EQ(w.fraRessources.Caption(), "Personnes");
  EXPECT_EQ(w.Label5.Caption(), "Salle");
  EXPECT_EQ(w.Label3.Caption(), "Personnes");
}

TEST_F(CaptionsTest, MasculineTermsTakeTheMasculineEndings) {
  mainwindow::frmMain& w = Refresh({"Chantiers", "Chantier", "M"},
                                   {"Rendez-vous", "Rendez-vous", "M"},
                                   {"Traitements", "Traitement", "M"});

  EXPECT_EQ(w.lblAffiche[4].Caption(), "Ajouter un rendez-vous");
  EXPECT_EQ(w.fraActivite.Caption(), "Ajouter un rendez-vous");
  EXPECT_EQ(w.cmdAddCat.Caption(), "Ajouter un chantier");
  EXPECT_EQ(w.cmdNewRess.Caption(), "Ajouter un traitement");
  EXPECT_EQ(w.optRess[0].Caption(), "Uniquement Traitements actifs");
  EXPECT_EQ(w.optRess[1].Caption(), "Traitements désactivés");
}

TEST_F(CaptionsTest, ASlashInTheResourceSingularDropsTheArticle) {
  mainwindow::frmMain& w = Refresh({"Projets", "Projet", "M"}, {"Activités", "Activité", "F"},
                                   {"Ressources / Personnes", "Ress. / Pers.", "F"});

  EXPECT_EQ(w.cmdNewRess.Caption(), "Ajouter ress. / pers.");
  EXPECT_EQ(w.cmdAddRess.Caption(), "Ajouter ress. / pers.");
  EXPECT_EQ(w.optRess[0].Caption(), "Uniquement Ressources/Personnes actives ");
  EXPECT_EQ(w.optRess[1].Caption(), "Ressources/Personnes désactivées ");
  // The menu loses every "/ "; the panel title and the editor label keep it.
  EXPECT_EQ(w.lblAffiche[5].Caption(), "Ressources Personnes");
  EXPECT_EQ(w.fraRessources.Caption(), "Ressources / Personnes");
  EXPECT_EQ(w.Label3.Caption(), "Ressources / Personnes");
}

TEST_F(CaptionsTest, LongTermsMoveTheirMenuEntriesUp) {
  // 22 characters with a "/": two lines.
  mainwindow::frmMain& w = Refresh({"Projets", "Projet", "M"},
                                   {"Opérations", "Opération", "F"},
                                   {"Ressources / Personnes", "Ress. / Pers.", "F"});
  EXPECT_EQ(w.lblAffiche[5].Top(), 8960);
  EXPECT_EQ(w.lblAffiche[4].Top(), 3200);  // "Opération" has 9 characters

  Refresh({"Projets", "Projet", "M"}, {"Activités", "Activité", "F"},
          {"Véhicules/Outillage", "Véhicule", "M"});  // 19 characters, "/" at 10
  EXPECT_EQ(w.lblAffiche[5].Top(), 8960);
  EXPECT_EQ(w.lblAffiche[4].Top(), 3360);  // "Activité" has 8 characters

  Refresh({"Projets", "Projet", "M"}, {"Activités", "Activité", "F"},
          {"Véhicules/Outillag", "Véhicule", "M"});  // 18 characters
  EXPECT_EQ(w.lblAffiche[5].Top(), 9120);
  Refresh({"Projets", "Projet", "M"}, {"Activités", "Activité", "F"},
          {"/Véhicules Outillage", "Véhicule", "M"});  // "/" first
  EXPECT_EQ(w.lblAffiche[5].Top(), 9120);
  Refresh({"Projets", "Projet", "M"}, {"Activités", "Activité", "F"},
          {"Véhicules et outillage", "Véhicule", "M"});  // no "/"
  EXPECT_EQ(w.lblAffiche[5].Top(), 9120);
}

TEST_F(CaptionsTest, TableHeadersFollowTheTerms) {
  mainwindow::frmMain& w = Refresh({"Chantiers", "Chantier", "M"}, {"Étapes", "Étape", "F"},
                                   {"Ressources", "Ressource", "F"});

  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(0, 2), "Étapes");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(0, 3), "Chantiers");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(0, 5), "Ressource1");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(0, 14), "Ressource10");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(0, 15), "");
}

TEST_F(CaptionsTest, GenderOtherThanExactlyFIsMasculine) {
  mainwindow::frmMain& w = Refresh({"Salles", "Salle", "f"}, {"Tâches", "Tâche", ""},
                                   {"Personnes", "Personne", "F "});

  EXPECT_EQ(w.cmdAddCat.Caption(), "Ajouter un salle");
  EXPECT_EQ(w.lblAffiche[4].Caption(), "Ajouter un tâche");
  EXPECT_EQ(w.cmdNewRess.Caption(), "Ajouter un personne");
}

TEST_F(CaptionsTest, EmptyTermsLeaveTheFixedWordsAlone) {
  mainwindow::frmMain& w = Refresh({"", "", ""}, {"", "", ""}, {"", "", ""});

  EXPECT_EQ(w.lblAffiche[4].Caption(), "Ajouter un ");
  EXPECT_EQ(w.fraActivite.Caption(), "Ajouter un ");
  EXPECT_EQ(w.fraCategorie.Caption(), "");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(0, 5), "1");
}

}  // namespace
