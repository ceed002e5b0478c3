// The planner the booking tests work on: "Chantiers" (masculine) made of "Étapes"
// (feminine), four resources, the last one deactivated, and one project.
#pragma once

#include "app/store/planner.h"
#include "app/store/terminology.h"

inline store::Planner SitePlanner() {
  store::Planner planner;
  planner.ProjectTerms[0] = "Chantiers";
  planner.ActivityTerms[0] = "Étapes";
  planner.ResourceTerms[0] = "Matériels";
  store::ApplyTerminology(planner);
  planner.Resources = {"Grue", "Nacelle", "Équipe A", "Camion¦1"};
  planner.Categories = {"Nord¦255-0"};
  return planner;
}
