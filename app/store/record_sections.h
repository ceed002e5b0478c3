// Finding the record sections of one kind in the data file.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <set>
#include <string>
#include <string_view>

#include "app/store/records.h"
#include "platform/ini_document.h"

namespace store {

// How many record numbers below the highest the records of a kind may leave unused (lost
// from a damaged file).  A section numbered beyond its kind's section count plus this is
// no record the store wrote: it is passed over, so that a table costs what the file's
// records cost and never what a stray number says.
inline constexpr int kMaxUnusedRecordNumbers = 1 << 16;

// Reads encoded section names as names of records of the kind `prefix`.
class RecordNames {
 public:
  explicit RecordNames(std::string_view prefix);
  // The record index that `name` names: `prefix` followed by decimal digits naming an index
  // no higher than kMaxRecordIndex; -1 when it names none.  `ownName` is then true when the
  // name is the one a look-up of that record by name finds: the prefix and the index
  // without leading zeros.
  int IndexOf(std::string_view name, bool& ownName) const;
  // As IndexOf, for a name that StartsName and that decodes whole (DecodesWhole): its own
  // name is then the one whose digits have no leading zero, which needs no more decoding.
  int IndexOfWholeName(std::string_view name, bool& ownName) const;
  // Whether `name` starts with `prefix`, whatever follows.
  bool StartsName(std::string_view name) const;

 private:
  std::string encodedPrefix_;
  int restPosition_;
};

// The names of each kind of record, in the order of kRecordPrefixes.
const std::array<RecordNames, kRecordPrefixes.size()>& RecordKinds();

// A section name that decodes whole, as a record's: the position of its kind in
// kRecordPrefixes, -1 for a name that starts with no record prefix; and, when it does, the
// index it names (-1 for none, as RecordNames::IndexOf tells) and whether it is that
// record's own name.
struct RecordName {
  std::int8_t kind = -1;
  bool ownName = false;
  int index = -1;
};
RecordName ReadRecordName(std::string_view name);

// Whether a load reads a record numbered `index` of a kind that has `sectionCount` sections.
bool WithinReach(int index, std::size_t sectionCount);

// Calls `visit(recordIndex, sectionIndex, ownName)`, in file order, for every section of
// `document` whose decoded name is `prefix` followed by decimal digits naming a record
// index: no higher than kMaxRecordIndex, nor beyond reach as told above.  `ownName` is true
// when the section's name is the one a look-up of that record by name finds: the prefix and
// the index without leading zeros.
void ForEachRecordSection(const platform::IniDocument& document, std::string_view prefix,
                          const std::function<void(int, std::size_t, bool)>& visit);

// The highest record index of the sections of `document` named `prefix` followed by an
// index; -1 when there is none.
int HighestRecordIndex(const platform::IniDocument& document, std::string_view prefix);

// Whether a section of `document` is one the planner writes: a record section of any kind,
// however damaged its number, or the settings section.
bool HoldsPlannerSection(const platform::IniDocument& document);

// Whether `text` is the start of a header the planner writes, cut inside that first line:
// what a file the planner began to write holds when it was cut short (a full disk).
bool IsCutPlannerHeader(std::string_view text);

// The index a record added to `document` takes: the first after the highest of the
// document, `tableMax` (the highest the table holds) and `lostNumber` (the highest that a
// damaged section's header still names, passed over when a section bearing it would be),
// that none of `named` is (numbers that kept records name, an activity its resources: the
// lost record's bookings would become the new one's), however far they lie.  Nothing when a
// load of the document with that record added would not read it back under that index, or
// when a section already bears the number.
std::optional<int> NextRecordIndex(const platform::IniDocument& document,
                                   std::string_view prefix, int tableMax, int lostNumber = -1,
                                   const std::set<int>& named = {});

}  // namespace store
