#include "app/store/record_sections.h"

#include <algorithm>
#include <string>

#include "app/store/codec.h"
#include "app/store/records.h"
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

}  // namespace

void ForEachRecordSection(const platform::IniDocument& document, std::string_view prefix,
                          const std::function<void(int, std::size_t, bool)>& visit) {
  // A code ends at its final symbol, so a name starts with the prefix exactly when its
  // encoded form starts with the prefix's: only the rest needs decoding.
  const std::string encodedPrefix = EncodeIniText(prefix);
  const int restPosition = runtime::Len(prefix) + 1;
  std::string ownDigits;
  for (std::size_t i = 0; i < document.SectionCount(); ++i) {
    std::string_view name = document.SectionName(i);
    if (name.size() > encodedPrefix.size() && StartsWithSymbols(name, encodedPrefix)) {
      std::string_view rest = name.substr(encodedPrefix.size());
      int index = RecordIndex(DecodeIniText(rest, restPosition));
      if (index < 0) continue;
      // Leading zeros, stray symbols after the last code or a code written the long way
      // decode to the same index under another name.
      ownDigits.clear();
      AppendEncodedIniText(ownDigits, std::to_string(index), restPosition);
      visit(index, i, rest.size() == ownDigits.size() && StartsWithSymbols(rest, ownDigits));
    }
  }
}

int HighestRecordIndex(const platform::IniDocument& document, std::string_view prefix) {
  int highest = -1;
  ForEachRecordSection(document, prefix,
                       [&](int index, std::size_t, bool) { highest = std::max(highest, index); });
  return highest;
}

}  // namespace store
