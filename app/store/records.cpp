#include "app/store/records.h"

#include <string>

#include "app/store/codec.h"
#include "app/store/data_file.h"
#include "platform/ini_file.h"

namespace store {

namespace {

std::string SectionName(std::string_view prefix, int index) {
  std::string name(prefix);
  name += std::to_string(index);
  return name;
}

// The file is read once for the whole table rather than once per record.
void LoadTable(const Planner& planner, std::string_view prefix,
               std::vector<std::string>& table) {
  int highest = MaxSectionIndex(planner, prefix);
  if (highest < 0) return;
  auto document = platform::ReadIniFile(planner.DataFile);
  const std::string key = EncodeIniText(kRecordKey);
  std::string section;
  table.assign(static_cast<std::size_t>(highest) + 1, std::string());
  for (int i = 0; i <= highest; ++i) {
    section.clear();
    AppendEncodedIniText(section, SectionName(prefix, i));
    if (auto value = document->Value(section, key)) table[i] = DecodeIniText(*value);
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
