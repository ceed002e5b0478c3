// The words for projects, activities and resources: the user chooses the plurals, and the
// singular and gender of each follow from a fixed list.
#pragma once

#include "app/store/planner.h"

namespace store {

// For each of ProjectTerms, ActivityTerms and ResourceTerms: when the plural (element 0) is
// in the kind's list (exact comparison), sets the singular (1) and the gender (2, "M" or
// "F"); an unknown plural leaves both as they were.
void ApplyTerminology(Planner& planner);

}  // namespace store
