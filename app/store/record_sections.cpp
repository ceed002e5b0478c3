#include "app/store/record_sections.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/store/codec.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "platform/ini_line.h"
#include "runtime/text.h"

namespace store {

namespace {

// Whether `code` starts with `prefix`, letter case aside; `prefix` is in upper case.
bool StartsWithSymbols(std::string_view code, std::string_view prefix) {
  if (code.size() < prefix.size()) return false;
  for (std::size_t i = 0; i < prefix.size(); ++i) {
    char c = code[i];
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    if (c != prefix[i]) return false;
  }
  return true;
}

// The record index that `rest` names: decimal digits only, within kMaxRecordIndex.
int RecordIndex(std::string_view rest) {
  if (rest.empty() || rest.size() > 7) return -1;
  int index = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return -1;
    index = index * 10 + (c - '0');
  }
  return index <= kMaxRecordIndex ? index : -1;
}

struct RecordSection {
  int index;
  std::size_t section;
  bool ownName;
};

// Every section named after a record index up to kMaxRecordIndex, in file order.
std::vector<RecordSection> RecordSections(const platform::IniDocument& document,
                                          std::string_view prefix) {
  std::vector<RecordSection> found;
  RecordNames names(prefix);
  for (std::size_t i = 0; i < document.SectionCount(); ++i) {
    bool ownName;
    const int index = names.IndexOf(document.SectionName(i), ownName);
    if (index >= 0) found.push_back({index, i, ownName});
  }
  return found;
}

}  // namespace

// A code ends at its final symbol, so a name starts with the prefix exactly when its encoded
// form starts with the prefix's: only the rest needs decoding.
RecordNames::RecordNames(std::string_view prefix)
    : encodedPrefix_(EncodeIniText(prefix)), restPosition_(runtime::Len(prefix) + 1) {}

bool RecordNames::StartsName(std::string_view name) const {
  return StartsWithSymbols(name, encodedPrefix_);
}

int RecordNames::IndexOf(std::string_view name, bool& ownName) const {
  if (name.size() <= encodedPrefix_.size() || !StartsName(name)) return -1;
  const int index = IndexOfWholeName(name, ownName);
  // Stray symbols after the last code or a code written the long way decode to the same
  // index under another name.
  ownName = ownName && DecodesWhole(name.substr(encodedPrefix_.size()), restPosition_);
  return index;
}

int RecordNames::IndexOfWholeName(std::string_view name, bool& ownName) const {
  const std::string digits = DecodeIniText(name.substr(encodedPrefix_.size()), restPosition_);
  ownName = digits.size() == 1 || !digits.starts_with('0');  // leading zeros name another
  return RecordIndex(digits);
}

const std::array<RecordNames, kRecordPrefixes.size()>& RecordKinds() {
  static const std::array<RecordNames, kRecordPrefixes.size()> kinds = {
      RecordNames(kRecordPrefixes[0]), RecordNames(kRecordPrefixes[1]),
      RecordNames(kRecordPrefixes[2])};
  return kinds;
}

RecordName ReadRecordName(std::string_view name) {
  const auto& kinds = RecordKinds();
  for (std::size_t kind = 0; kind < kinds.size(); ++kind) {
    if (!kinds[kind].StartsName(name)) continue;
    RecordName read{static_cast<std::int8_t>(kind)};
    read.index = kinds[kind].IndexOfWholeName(name, read.ownName);
    return read;
  }
  return {};
}

bool WithinReach(int index, std::size_t sectionCount) {
  return static_cast<std::size_t>(index) < sectionCount + kMaxUnusedRecordNumbers;
}

void ForEachRecordSection(const platform::IniDocument& document, std::string_view prefix,
                          const std::function<void(int, std::size_t, bool)>& visit) {
  const std::vector<RecordSection> sections = RecordSections(document, prefix);
  for (const RecordSection& found : sections) {
    if (WithinReach(found.index, sections.size())) visit(found.index, found.section, found.ownName);
  }
}

int HighestRecordIndex(const platform::IniDocument& document, std::string_view prefix) {
  int highest = -1;
  ForEachRecordSection(document, prefix,
                       [&](int index, std::size_t, bool) { highest = std::max(highest, index); });
  return highest;
}

bool HoldsPlannerSection(const platform::IniDocument& document) {
  static const std::string settings = EncodeIniText(kParamSection);
  for (std::size_t i = 0; i < document.SectionCount(); ++i) {
    const std::string_view name = document.SectionName(i);
    if (platform::SameIniName(name, settings)) return true;
    for (const RecordNames& kind : RecordKinds()) {
      if (kind.StartsName(name)) return true;
    }
  }
  return false;
}

bool IsCutPlannerHeader(std::string_view text) {
  text.remove_prefix(platform::IniTextStart(text));
  if (!text.starts_with('[') || text.find_first_of("]\r\n") != std::string_view::npos) {
    return false;
  }
  const std::string_view name = text.substr(1);
  static const std::array<std::string, 1 + kRecordPrefixes.size()> headers = {
      EncodeIniText(kParamSection), EncodeIniText(kRecordPrefixes[0]),
      EncodeIniText(kRecordPrefixes[1]), EncodeIniText(kRecordPrefixes[2])};
  for (const std::string& header : headers) {
    if (name.size() <= header.size() &&
        platform::SameIniName(name, std::string_view(header).substr(0, name.size()))) {
      return true;
    }
  }
  for (const RecordNames& kind : RecordKinds()) {
    if (kind.StartsName(name)) return true;
  }
  return false;
}

std::optional<int> NextRecordIndex(const platform::IniDocument& document,
                                   std::string_view prefix, int tableMax, int lostNumber,
                                   const std::set<int>& named) {
  const std::vector<RecordSection> sections = RecordSections(document, prefix);
  int highest = tableMax;
  for (const RecordSection& found : sections) {
    if (WithinReach(found.index, sections.size())) highest = std::max(highest, found.index);
  }
  if (lostNumber >= 0 && WithinReach(lostNumber, sections.size())) {
    highest = std::max(highest, lostNumber);
  }
  int next = highest + 1;
  for (auto it = named.upper_bound(highest); it != named.end() && *it == next; ++it) ++next;
  if (next > kMaxRecordIndex || !WithinReach(next, sections.size() + 1)) return std::nullopt;
  for (const RecordSection& found : sections) {
    if (found.index == next) return std::nullopt;
  }
  return next;
}

}  // namespace store
