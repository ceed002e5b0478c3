#include "app/store/records.h"

#include <algorithm>
#include <cstdint>
#include <iostream>
#include <set>
#include <string>

#include "app/store/codec.h"
#include "app/store/data_file.h"
#include "app/store/record_sections.h"
#include "runtime/text.h"

namespace store {

namespace {

std::string SectionName(std::string_view prefix, int index) {
  std::string name(prefix);
  name += std::to_string(index);
  return name;
}

// One pass over the file's sections rather than a look-up per record; the first section
// named after an index holds its record, as a look-up by name would find it.
void LoadTable(const platform::IniDocument& document, std::string_view prefix,
               std::vector<std::string>& table) {
  std::vector<std::int64_t> firstSection;
  ForEachRecordSection(document, prefix, [&](int index, std::size_t section, bool ownName) {
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
    auto value = document.SectionValue(static_cast<std::size_t>(firstSection[i]), key);
    if (value) table[i] = DecodeIniText(*value);
  }
}

// Told when a record cannot take a number that the next start reads back.
void TellNoFreeNumber(const Planner& planner, const Terms& terms) {
  const bool feminine = terms[2] == "F";
  const std::string message = "Un" + std::string(feminine ? "e " : " ") + runtime::LCase(terms[1]) +
                              " de plus ne peut pas être enregistré" + (feminine ? "e" : "") +
                              " : le fichier de données n'a plus de numéro libre à lui donner."
                              "\nFichier : " + planner.DataFile + "\nRien n'a été modifié.";
  if (planner.ShowWriteFailure) {
    planner.ShowWriteFailure(message);
  } else {
    std::cerr << message << '\n';
  }
}

// Fields of an activity record that name records of another kind.
constexpr std::size_t kProjectField = 3;
constexpr std::size_t kFirstResourceField = 5;
constexpr std::size_t kLastField = static_cast<std::size_t>(-1);

// Every record number that an activity names in its fields `first` to `last`.
std::set<int> NamedByActivities(const std::vector<std::string>& activities, std::size_t first,
                                std::size_t last) {
  std::set<int> named;
  for (std::string_view record : activities) {
    std::size_t begin = 0;
    for (std::size_t field = 0; field <= last && begin <= record.size(); ++field) {
      const std::size_t end = std::min(record.find(kFieldSeparator, begin), record.size());
      if (field >= first) {
        const auto index = runtime::ParseInteger(record.substr(begin, end - begin));
        if (index && *index >= 0 && *index <= kMaxRecordIndex) {
          named.insert(static_cast<int>(*index));
        }
      }
      begin = end + kFieldSeparator.size();
    }
  }
  return named;
}

// The record takes the number after the highest of the file as it is under the lock: another
// program may have added records since the table was read.  Nor does it take a number the
// table holds, whatever the file lost since, nor one that a damaged section of the file or
// an activity (`namedByActivities`) still names: the lost record's bookings would become
// the new one's.
bool Append(Planner& planner, std::string_view prefix, std::vector<std::string>& table,
            const Terms& terms, const std::set<int>& namedByActivities,
            std::string_view record) {
  const int tableMax = static_cast<int>(table.size()) - 1;
  int index = 0;
  std::shared_ptr<const platform::IniDocument> written;
  const int error = WriteDataFile(
      planner, {},
      [&](const platform::IniDocument& data, const platform::IniDocument& file,
          std::vector<DataFileValue>& values) {
        const std::optional<int> next = NextRecordIndex(
            data, prefix, tableMax, HighestRecordIndex(file, prefix), namedByActivities);
        if (!next) return false;
        index = *next;
        values.push_back({SectionName(prefix, index), std::string(kRecordKey),
                          std::string(record)});
        return true;
      },
      &written);
  if (error == kChangeRefused) {
    TellNoFreeNumber(planner, terms);
    return false;
  }
  if (index > static_cast<int>(table.size())) {
    // Between the table and this record: those another program added, and the numbers lost
    // with a damaged section, empty.
    std::vector<std::string> inFile;
    LoadTable(error == 0 ? *written : *DataView(planner), prefix, inFile);
    inFile.resize(static_cast<std::size_t>(index));
    table.insert(table.end(), inFile.begin() + static_cast<std::ptrdiff_t>(table.size()),
                 inFile.end());
  }
  table.emplace_back(record);
  return true;
}

void Replace(Planner& planner, std::string_view prefix, std::vector<std::string>& table,
             int index, std::string_view record) {
  if (index < 0 || index >= static_cast<int>(table.size())) return;
  table[index] = record;
  WriteDataFile(planner, {{SectionName(prefix, index), std::string(kRecordKey),
                           std::string(record)}});
}

}  // namespace

void LoadResources(Planner& planner) {
  LoadTable(*DataView(planner), kResourcePrefix, planner.Resources);
}
void LoadCategories(Planner& planner) {
  LoadTable(*DataView(planner), kCategoryPrefix, planner.Categories);
}
void LoadActivities(Planner& planner) {
  LoadTable(*DataView(planner), kActivityPrefix, planner.Activities);
}

bool AddResource(Planner& planner, std::string_view record) {
  return Append(planner, kResourcePrefix, planner.Resources, planner.ResourceTerms,
                NamedByActivities(planner.Activities, kFirstResourceField, kLastField),
                record);
}
bool AddCategory(Planner& planner, std::string_view record) {
  return Append(planner, kCategoryPrefix, planner.Categories, planner.ProjectTerms,
                NamedByActivities(planner.Activities, kProjectField, kProjectField),
                record);
}
bool AddActivity(Planner& planner, std::string_view record) {
  return Append(planner, kActivityPrefix, planner.Activities, planner.ActivityTerms, {}, record);
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
