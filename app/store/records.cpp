#include "app/store/records.h"

#include <cstdint>
#include <string>

#include "app/store/codec.h"
#include "app/store/data_file.h"
#include "app/store/record_sections.h"
#include "platform/ini_file.h"

namespace store {

namespace {

std::string SectionName(std::string_view prefix, int index) {
  std::string name(prefix);
  name += std::to_string(index);
  return name;
}

// One pass over the file's sections rather than a look-up per record; the first section
// named after an index holds its record, as a look-up by name would find it.
void LoadTable(const Planner& planner, std::string_view prefix,
               std::vector<std::string>& table) {
  auto document = platform::ReadIniFile(planner.DataFile);
  std::vector<std::int64_t> firstSection;
  ForEachRecordSection(*document, prefix, [&](int index, std::size_t section, bool ownName) {
    if (static_cast<std::size_t>(index) >= firstSection.size()) {
      firstSection.resize(static_cast<std::size_t>(index) + 1, -1);
    }
    if (ownName && firstSection[index] < 0) {
      firstSection[index] = static_cast<std::int64_t>(section);
    }
  });
  if (firstSection.empty()) return;

  const std::string key = EncodeIniText(kRecordKey);
  table.assign(firstSection.size(), std::string());
  for (std::size_t i = 0; i < firstSection.size(); ++i) {
    if (firstSection[i] < 0) continue;
    auto value = document->SectionValue(static_cast<std::size_t>(firstSection[i]), key);
    if (value) table[i] = DecodeIniText(*value);
  }
}

void Append(const Planner& planner, std::string_view prefix, std::vector<std::string>& table,
            std::string_view record) {
  table.emplace_back(record);
  int index = static_cast<int>(table.size()) - 1;
  WriteIni(planner, SectionName(prefix, index), kRecordKey, record, planner.DataFile);
}

void Replace(const Planner& planner, std::string_view prefix, std::vector<std::string>& table,
             int index, std::string_view record) {
  if (index < 0 || index >= static_cast<int>(table.size())) return;
  table[index] = record;
  WriteIni(planner, SectionName(prefix, index), kRecordKey, record, planner.DataFile);
}

}  // namespace

void LoadResources(Planner& planner) { LoadTable(planner, kResourcePrefix, planner.Resources); }
void LoadCategories(Planner& planner) {
  LoadTable(planner, kCategoryPrefix, planner.Categories);
}
void LoadActivities(Planner& planner) {
  LoadTable(planner, kActivityPrefix, planner.Activities);
}

void AddResource(Planner& planner, std::string_view record) {
  Append(planner, kResourcePrefix, planner.Resources, record);
}
void AddCategory(Planner& planner, std::string_view record) {
  Append(planner, kCategoryPrefix, planner.Categories, record);
}
void AddActivity(Planner& planner, std::string_view record) {
  Append(planner, kActivityPrefix, planner.Activities, record);
}

void SetResourceRecord(Planner& planner, int index, std::string_view record) {
  Replace(planner, kResourcePrefix, planner.Resources, index, record);
}
void SetCategoryRecord(Planner& planner, int index, std::string_view record) {
  Replace(planner, kCategoryPrefix, planner.Categories, index, record);
}
void SetActivityRecord(Planner& planner, int index, std::string_view record) {
  Replace(planner, kActivityPrefix, planner.Activities, index, record);
}

}  // namespace store
