// Finding a resource by the name the editor's rows and the resource panel show.
#pragma once

#include <string>
#include <string_view>

#include "app/store/planner.h"

namespace activities {

// Index of the first resource whose name equals `name` exactly (case-sensitive),
// deactivated ones included; -1 when no resource bears it.
int FindResource(const store::Planner& planner, std::string_view name);

// The name of resource `index`; empty for an index outside the table.
std::string ResourceName(const store::Planner& planner, int index);

}  // namespace activities
