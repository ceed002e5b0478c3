// The settings kept in section "PARAM" of the data file with the tables: the activity type
// and the three plural terms.  ("Heure", "Synchro" and "Mail" are read and written by
// their own users with ReadIni and WriteIni.)
#pragma once

#include <array>
#include <string_view>

#include "app/store/planner.h"

namespace store {

inline constexpr std::string_view kParamSection = "PARAM";
// Every key the settings section holds: any other is no setting of the planner's.
inline constexpr std::array<std::string_view, 7> kParamKeys = {
    "Type", "Projet", "Act", "Ress", "Heure", "Synchro", "Mail"};

// ActivityType = "Type", the plurals of ProjectTerms, ActivityTerms, ResourceTerms =
// "Projet", "Act", "Ress"; empty when missing.
void LoadParams(Planner& planner);
// Writes the same four keys, in that order, empty values included.
void SaveParams(Planner& planner);

}  // namespace store
