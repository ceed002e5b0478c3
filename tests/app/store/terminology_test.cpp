#include "app/store/terminology.h"

#include <gtest/gtest.h>

namespace store {
namespace {

Planner WithPlurals(const std::string& projects, const std::string& activities,
                    const std::string& resources) {
  Planner planner;
  planner.ProjectTerms[0] = projects;
  planner.ActivityTerms[0] = activities;
  planner.ResourceTerms[0] = resources;
  ApplyTerminology(planner);
  return planner;
}

TEST(TerminologyTest, EachKindUsesItsOwnList) {
  Planner planner = WithPlurals("Chantiers", "Étapes", "Ressources / Personnes");
  EXPECT_EQ(planner.ProjectTerms, (Terms{"Chantiers", "Chantier", "M"}));
  EXPECT_EQ(planner.ActivityTerms, (Terms{"Étapes", "Étape", "F"}));
  EXPECT_EQ(planner.ResourceTerms, (Terms{"Ressources / Personnes", "Ress. / Pers.", "F"}));

  planner = WithPlurals("Salles", "Périodes", "Élèves / Profs / Matériels");
  EXPECT_EQ(planner.ProjectTerms, (Terms{"Salles", "Salle", "F"}));
  EXPECT_EQ(planner.ActivityTerms, (Terms{"Périodes", "période", "F"}));
  EXPECT_EQ(planner.ResourceTerms, (Terms{"Élèves / Profs / Matériels", "Élève/Prof/Mat.", "M"}));

  planner = WithPlurals("Activités", "Activités", "Classes");
  EXPECT_EQ(planner.ProjectTerms, (Terms{"Activités", "Activité", "F"}));
  EXPECT_EQ(planner.ActivityTerms, (Terms{"Activités", "Activité", "F"}));
  EXPECT_EQ(planner.ResourceTerms, (Terms{"Classes", "Classe", "F"}));
}

TEST(TerminologyTest, APluralOfTheWrongKindIsUnknown) {
  Planner planner = WithPlurals("Étapes", "Chantiers", "Projets");
  EXPECT_EQ(planner.ProjectTerms, (Terms{"Étapes", "", ""}));
  EXPECT_EQ(planner.ActivityTerms, (Terms{"Chantiers", "", ""}));
  EXPECT_EQ(planner.ResourceTerms, (Terms{"Projets", "", ""}));
}

TEST(TerminologyTest, AnUnknownPluralKeepsThePreviousSingularAndGender) {
  Planner planner = WithPlurals("Patients", "Rendez-vous", "Traitements");
  planner.ProjectTerms[0] = "patients";
  planner.ActivityTerms[0] = "Rendez-vous ";
  planner.ResourceTerms[0] = "";
  ApplyTerminology(planner);
  EXPECT_EQ(planner.ProjectTerms, (Terms{"patients", "Patient", "M"}));
  EXPECT_EQ(planner.ActivityTerms, (Terms{"Rendez-vous ", "Rendez-vous", "M"}));
  EXPECT_EQ(planner.ResourceTerms, (Terms{"", "Traitement", "M"}));

  planner.ResourceTerms[0] = "Véhicules / Accessoires";
  ApplyTerminology(planner);
  EXPECT_EQ(planner.ResourceTerms, (Terms{"Véhicules / Accessoires", "Véhic. / Acc.", "M"}));
}

}  // namespace
}  // namespace store
