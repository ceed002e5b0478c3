#include "app/store/params.h"

#include "app/store/data_file.h"

namespace store {

void LoadParams(Planner& planner) {
  planner.ActivityType = ReadDataValue(planner, kParamSection, "Type");
  planner.ProjectTerms[0] = ReadDataValue(planner, kParamSection, "Projet");
  planner.ActivityTerms[0] = ReadDataValue(planner, kParamSection, "Act");
  planner.ResourceTerms[0] = ReadDataValue(planner, kParamSection, "Ress");
}

// In one write: a failure is told once, and the four keys are never half written.
void SaveParams(Planner& planner) {
  const std::string section(kParamSection);
  WriteDataFile(planner, {{section, "Type", planner.ActivityType},
                          {section, "Projet", planner.ProjectTerms[0]},
                          {section, "Act", planner.ActivityTerms[0]},
                          {section, "Ress", planner.ResourceTerms[0]}});
}

}  // namespace store
