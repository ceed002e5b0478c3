// The filters of the views: the project chosen in the project bar and the resource chosen
// in the resource filter.  The hidden activity table follows them row by row; the grids and
// the agenda test each activity record.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/store/planner.h"
#include "forms/forms.h"

namespace mainwindow {

// The resource name chosen in `cmbAffiche`, or nothing while it is on "Tout" (entry 0) or
// on no entry.
std::optional<std::string> ChosenResource(const forms::ComboBox& cmbAffiche);

// The 1-based number of the first project whose name (its record up to the first "¦")
// equals `name` exactly, as the project bar numbers them; 0 when none does.
int CategoryNumber(const store::Planner& planner, std::string_view name);

// A space and the resource's record text for every resource field (5 and up) of the
// activity record that names a resource, in field order; other fields add nothing.
std::string ActivityResourceNames(const store::Planner& planner, std::string_view record);

// Whether the grids and the agenda show an activity with these resource names: always
// without a chosen resource, else when the chosen name occurs in them as it is written
// (case counts; "Ann" also finds "Anne"; no character has a special meaning).
bool PassesResourceFilter(std::string_view resourceNames,
                          const std::optional<std::string>& chosenResource);

// Shows the rows of the activity table `MSFlexGrid1` whose project is the one chosen
// (`selectedProjectFilter` 0 for all, k for project k - 1) and, with a resource chosen,
// that name that resource in one of their resource columns (5 to 14) exactly; the other
// rows get the height 0.  With a resource chosen, the caller then brings the side menu's
// resource list in line (its click handler).
void FilterActivityGrid(forms::MSFlexGrid& MSFlexGrid1, const store::Planner& planner,
                        int selectedProjectFilter,
                        const std::optional<std::string>& chosenResource);

}  // namespace mainwindow
