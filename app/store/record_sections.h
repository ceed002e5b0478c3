// Finding the record sections of one kind in the data file.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/ini_document.h"

namespace store {

// Calls `visit(recordIndex, sectionIndex, ownName)`, in file order, for every section of
// `document` whose decoded name is `prefix` followed by decimal digits naming an index no
// higher than kMaxRecordIndex.  `ownName` is true when the section's name is the one a
// look-up of that record by name finds: the prefix and the index without leading zeros.
void ForEachRecordSection(const platform::IniDocument& document, std::string_view prefix,
                          const std::function<void(int, std::size_t, bool)>& visit);

// The highest record index of the sections of `document` named `prefix` followed by an
// index; -1 when there is none.
int HighestRecordIndex(const platform::IniDocument& document, std::string_view prefix);

}  // namespace store
