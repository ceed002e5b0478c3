// Finding the record sections of one kind in the data file.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

#include "platform/ini_document.h"

namespace store {

// Calls `visit(recordIndex, sectionIndex)`, in file order, for every section of `document`
// whose decoded name is `prefix` followed by decimal digits naming an index no higher than
// kMaxRecordIndex.
void ForEachRecordSection(const platform::IniDocument& document, std::string_view prefix,
                          const std::function<void(int, std::size_t)>& visit);

}  // namespace store
