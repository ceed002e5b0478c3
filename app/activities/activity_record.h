// An activity record read from its text, and its text built back.
//
//   start¦end¦name¦project¦colour-textflag[-period[-last day]]¦resource...
//   "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1-2-30.06.2030¦2¦0"
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/datetime.h"

namespace activities {

struct ActivityRecord {
  runtime::DateTime start;
  runtime::DateTime end;
  std::string name;
  int project = -1;           // index into Categories; -1 when it names no record
  int backColour = 0xFFFFFF;  // red in the low byte
  bool blackText = false;     // text colour flag "1"; any other flag means white
  int periodicityCode = 0;    // 1..7 repeats, anything else does not
  std::optional<runtime::DateTime> lastDay;  // last day of repetition, repeating only
  std::vector<int> resources;                // indexes into Resources, in row order
};

// The record text.  A broken bar in the name becomes "|", since it would split the fields.
std::string ActivityRecordText(const ActivityRecord& record);

// Field 4: colour, text flag, and for a repeating activity its code and last day.
std::string ColourPeriodField(const ActivityRecord& record);

// The one reading of a record that the views, the agenda, the activity table, the booking
// check and the published calendar share, so that they agree on what it holds.  Nothing
// for a record that is no activity: fewer than five fields, a start or end that is no
// date-time, or a project that is no number.  A project number that no record can have
// (negative, or beyond the store's highest index) reads as -1.  A colour that is not a
// number reads as 0; a code that is not a number or lies outside 1..7, or a last day of
// repetition that is no date, means the activity does not repeat; a resource field that is
// not the number a record can have names no resource and is passed over.
std::optional<ActivityRecord> ParseActivityRecord(std::string_view text);

}  // namespace activities
