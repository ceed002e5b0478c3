#pragma once

#include <string>
#include <string_view>

namespace settings {

// The category word of a calendar event: lower case, French accents folded, every other
// character than a-z and 0-9 turned into one hyphen, no hyphen at either end.
std::string Slugify(std::string_view text);

}  // namespace settings
