// The three record tables: loading them from the data file, appending and replacing
// records (in memory and in the file at once).  Records are never deleted: a record keeps
// its index, which is also its section number in the data file.
//
// Record texts join their fields with kFieldSeparator and the sub-fields of a field with
// kSubFieldSeparator:
//   resource  name[¦1 while deactivated]                           "Salle 2¦1"
//   project   name¦colour-textflag                                 "Nord¦255-0"
//   activity  start¦end¦name¦project¦colour-textflag[-period[-last day]]¦resource...
//             "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1-2-30.06.2030¦2¦0"
#pragma once

#include <array>
#include <string_view>

#include "app/store/planner.h"

namespace store {

inline constexpr std::string_view kFieldSeparator = "\u00A6";  // broken bar
inline constexpr std::string_view kSubFieldSeparator = "-";

// Section name prefixes of the record kinds; the section of a record is the prefix followed
// by its index.  Each holds the record text under kRecordKey.
inline constexpr std::string_view kResourcePrefix = "RESSOURCE";
inline constexpr std::string_view kCategoryPrefix = "CATEGORIE";
inline constexpr std::string_view kActivityPrefix = "ACTIVITE";
inline constexpr std::string_view kRecordKey = "Nom";
inline constexpr std::array<std::string_view, 3> kRecordPrefixes = {
    kResourcePrefix, kCategoryPrefix, kActivityPrefix};

// Record indexes above this are not taken as records: a damaged file cannot make a load
// allocate without bound.
inline constexpr int kMaxRecordIndex = (1 << 22) - 1;

// Fill a table from the data file.  An index without a section reads as an empty record;
// a file without records of the kind leaves the table as it was.  A section numbered far
// beyond the kind's other records is passed over (record_sections.h): the table costs what
// the file's records cost.
void LoadResources(Planner& planner);
void LoadCategories(Planner& planner);
void LoadActivities(Planner& planner);

// Append a record; its index is the table's upper bound afterwards.  False when no number
// is left that the next start would read the record back under: the user has been told
// (planner.ShowWriteFailure) and neither the table nor the file has changed.
bool AddResource(Planner& planner, std::string_view record);
bool AddCategory(Planner& planner, std::string_view record);
bool AddActivity(Planner& planner, std::string_view record);

// Replace the record at `index`; an index outside the table is ignored.
void SetResourceRecord(Planner& planner, int index, std::string_view record);
void SetCategoryRecord(Planner& planner, int index, std::string_view record);
void SetActivityRecord(Planner& planner, int index, std::string_view record);

}  // namespace store
