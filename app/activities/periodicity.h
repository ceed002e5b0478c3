// Periodicity codes: the position of the chosen entry in the editor's periodicity list.
#pragma once

#include <string>

namespace activities {

// Codes 1 to 7 repeat daily, weekly, every 14 days, monthly, quarterly, half-yearly and
// yearly; 0 and every other code mean the activity does not repeat.
bool IsPeriodicCode(int code);

// The code's name in the activity table and the hover details; empty for other codes.
std::string PeriodicityName(int code);

}  // namespace activities
