#include "app/activities/activity_record.h"

#include <limits>

#include "app/activities/periodicity.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace activities {
namespace {

// Fields between the separators, as views into `text`; an empty text gives no field.
std::vector<std::string_view> Fields(std::string_view text, std::string_view separator) {
  std::vector<std::string_view> fields;
  if (text.empty()) return fields;
  for (size_t from = 0;;) {
    const size_t at = text.find(separator, from);
    fields.push_back(text.substr(from, at == std::string_view::npos ? at : at - from));
    if (at == std::string_view::npos) return fields;
    from = at + separator.size();
  }
}

std::optional<int> Int32(std::string_view text) {
  const auto value = runtime::ParseInteger(text);
  if (!value || *value < std::numeric_limits<int>::min() ||
      *value > std::numeric_limits<int>::max()) {
    return std::nullopt;
  }
  return static_cast<int>(*value);
}

// The number of a record that the store can hold; nothing for any other text.
std::optional<int> RecordNumber(std::string_view text) {
  const auto value = Int32(text);
  if (!value || *value < 0 || *value > store::kMaxRecordIndex) return std::nullopt;
  return value;
}

}  // namespace

std::string ColourPeriodField(const ActivityRecord& record) {
  std::string field = std::to_string(record.backColour);
  field += store::kSubFieldSeparator;
  field += record.blackText ? "1" : "0";
  if (IsPeriodicCode(record.periodicityCode)) {
    field += store::kSubFieldSeparator;
    field += std::to_string(record.periodicityCode);
    if (record.lastDay) {
      field += store::kSubFieldSeparator;
      field += record.lastDay->DateText();
    }
  }
  return field;
}

std::string ActivityRecordText(const ActivityRecord& record) {
  const std::string_view separator = store::kFieldSeparator;
  std::string text = record.start.Text();
  text += separator;
  text += record.end.Text();
  text += separator;
  text += runtime::Replace(record.name, separator, "|");
  text += separator;
  text += std::to_string(record.project);
  text += separator;
  text += ColourPeriodField(record);
  for (int resource : record.resources) {
    text += separator;
    text += std::to_string(resource);
  }
  return text;
}

std::optional<ActivityRecord> ParseActivityRecord(std::string_view text) {
  const std::vector<std::string_view> fields = Fields(text, store::kFieldSeparator);
  if (fields.size() < 5) return std::nullopt;

  ActivityRecord record;
  const auto start = runtime::DateTime::Parse(fields[0]);
  const auto end = runtime::DateTime::Parse(fields[1]);
  if (!start || !end) return std::nullopt;
  record.start = *start;
  record.end = *end;
  record.name = fields[2];
  if (!runtime::ParseInteger(fields[3])) return std::nullopt;
  record.project = RecordNumber(fields[3]).value_or(-1);

  const std::vector<std::string_view> colour = Fields(fields[4], store::kSubFieldSeparator);
  record.backColour = colour.empty() ? 0 : Int32(colour[0]).value_or(0);
  record.blackText = colour.size() > 1 && colour[1] == "1";
  if (colour.size() > 2) {
    const int code = Int32(colour[2]).value_or(0);
    const auto lastDay = colour.size() > 3 ? runtime::DateTime::Parse(colour[3]) : std::nullopt;
    if (IsPeriodicCode(code) && (colour.size() <= 3 || lastDay)) {
      record.periodicityCode = code;
      if (lastDay) record.lastDay = lastDay->Date();
    }
  }

  for (size_t i = 5; i < fields.size(); ++i) {
    if (const auto resource = RecordNumber(fields[i])) record.resources.push_back(*resource);
  }
  return record;
}

}  // namespace activities
