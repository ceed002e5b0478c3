// Access to the data file: single values, the list of sections and the highest record
// index of a kind.  Every section name, key and value passes through the text codec.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/store/planner.h"

namespace store {

// Record indexes above this are not taken as records: a damaged file cannot make a load
// allocate without bound.
inline constexpr int kMaxRecordIndex = (1 << 22) - 1;

// The value of `key` in `section` of `file`; `defaultValue` when the file, the section or
// the key is missing.
std::string ReadIni(std::string_view section, std::string_view key, const std::string& file,
                    std::string_view defaultValue = {});

// Writes the value at once (atomically).  Returns non-zero on success; on failure the file
// is left as it was, the user is told through planner.ShowWriteFailure, and 0 is returned.
int WriteIni(const Planner& planner, std::string_view section, std::string_view key,
             std::string_view value, const std::string& file);

// The decoded names of all sections of `file`, in file order; none when it is missing.
std::vector<std::string> GetIniSectionNames(const std::string& file);

// The highest n among the sections of the data file named `prefix` followed by n in
// decimal digits (the prefix compared exactly, letter case included); -1 when none.
int MaxSectionIndex(const Planner& planner, std::string_view prefix);

}  // namespace store
