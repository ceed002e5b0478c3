#include "app/activities/find_resource.h"

#include "app/store/records.h"

namespace activities {
namespace {

std::string_view NameField(std::string_view record) {
  return record.substr(0, record.find(store::kFieldSeparator));
}

}  // namespace

int FindResource(const store::Planner& planner, std::string_view name) {
  for (int i = 0; i <= planner.ResourceMax(); ++i) {
    // An empty record (a gap in the data file) has no name field at all.
    const std::string& record = planner.Resources[i];
    if (!record.empty() && NameField(record) == name) return i;
  }
  return -1;
}

std::string ResourceName(const store::Planner& planner, int index) {
  if (index < 0 || index > planner.ResourceMax()) return {};
  return std::string(NameField(planner.Resources[index]));
}

}  // namespace activities
