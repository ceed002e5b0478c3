#include "app/activities/booking_index.h"

#include <algorithm>

#include "app/activities/activity_record.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace activities {
namespace {

// The record's resource fields (from field 5 on) that are numbers, appended to
// `resources`.  A quick look that spares most records a full read.
void ReadResourceFields(std::string_view record, std::vector<long long>& resources) {
  const std::string_view separator = store::kFieldSeparator;
  size_t at = 0;
  for (int field = 0; field < 5; ++field) {
    at = record.find(separator, at);
    if (at == std::string_view::npos) return;
    at += separator.size();
  }
  for (;;) {
    const size_t next = record.find(separator, at);
    if (const auto value = runtime::ParseInteger(record.substr(at, next - at))) {
      resources.push_back(*value);
    }
    if (next == std::string_view::npos) return;
    at = next + separator.size();
  }
}

}  // namespace

BookingIndex::BookingIndex(const store::Planner& planner, const std::vector<int>& resources,
                           std::optional<int> skipped) {
  for (int resource : resources) {
    if (resource < 0 || resource > planner.ResourceMax()) continue;
    if (static_cast<size_t>(resource) >= listOf_.size()) listOf_.resize(resource + 1, -1);
    if (listOf_[resource] < 0) {
      listOf_[resource] = static_cast<int>(lists_.size());
      lists_.emplace_back();
    }
  }
  const auto listOf = [this](long long resource) {
    return resource >= 0 && resource < static_cast<long long>(listOf_.size())
               ? listOf_[resource]
               : -1;
  };

  std::vector<long long> fields;
  std::vector<int> hits;
  for (int i = 0; i <= planner.ActivityMax(); ++i) {
    if (i == skipped) continue;
    fields.clear();
    ReadResourceFields(planner.Activities[i], fields);
    hits.clear();
    for (long long resource : fields) {
      const int list = listOf(resource);
      if (list >= 0 && std::find(hits.begin(), hits.end(), list) == hits.end()) {
        hits.push_back(list);
      }
    }
    if (hits.empty()) continue;

    const auto record = ParseActivityRecord(planner.Activities[i]);
    if (!record) continue;
    for (int list : hits) {
      lists_[list].push_back(
          {i, {record->start, record->end}, record->periodicityCode, record->lastDay});
    }
  }
}

const std::vector<Booking>& BookingIndex::Of(int resource) const {
  static const std::vector<Booking> kNone;
  if (resource < 0 || static_cast<size_t>(resource) >= listOf_.size() ||
      listOf_[resource] < 0) {
    return kNone;
  }
  return lists_[listOf_[resource]];
}

}  // namespace activities
