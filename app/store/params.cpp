#include "app/store/params.h"

#include "app/store/data_file.h"

namespace store {

void LoadParams(Planner& planner) {
  planner.ActivityType = ReadIni(kParamSection, "Type", planner.DataFile);
  planner.ProjectTerms[0] = ReadIni(kParamSection, "Projet", planner.DataFile);
  planner.ActivityTerms[0] = ReadIni(kParamSection, "Act", planner.DataFile);
  planner.ResourceTerms[0] = ReadIni(kParamSection, "Ress", planner.DataFile);
}

void SaveParams(Planner& planner) {
  WriteIni(planner, kParamSection, "Type", planner.ActivityType, planner.DataFile);
  WriteIni(planner, kParamSection, "Projet", planner.ProjectTerms[0], planner.DataFile);
  WriteIni(planner, kParamSection, "Act", planner.ActivityTerms[0], planner.DataFile);
  WriteIni(planner, kParamSection, "Ress", planner.ResourceTerms[0], planner.DataFile);
}

}  // namespace store
