// A planner whose data file lies in a scratch folder.
#pragma once

#include "app/store/planner.h"
#include "platform/scratch_folder.h"

inline store::Planner PlannerIn(const ScratchFolder& folder) {
  store::Planner planner;
  planner.DataFolder = folder.Path();
  planner.DataFile = folder / "data";
  return planner;
}
