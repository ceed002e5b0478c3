// What the activity editor's handlers share: the time lists, date-times built from them and
// the colours read from record fields.
#pragma once

#include <optional>
#include <string>

#include "forms/forms.h"
#include "runtime/datetime.h"

namespace mainwindow {

// The broken bar (U+00A6), which separates the fields of the stored records.
inline constexpr int kBrokenBar = 0xA6;

// Selects hour:minute in a pair of time lists.  A minute that the list does not offer (a
// stored time not on a five-minute step) is shown as an item of its own, in its place, until
// another time is shown.
void ShowTime(forms::ComboBox& hours, forms::ComboBox& minutes, int hour, int minute);

// The day of `date` at the time the two lists show; an empty list counts as 0.
runtime::DateTime AtTime(runtime::DateTime date, const forms::ComboBox& hours,
                         const forms::ComboBox& minutes);

// A colour field "back-textflag[-...]" as the editor shows it: the back colour when it is a
// number, and whether the text is black (flag 1) when there is a flag.
struct FieldColours {
  std::optional<forms::Color> back;
  std::optional<bool> blackText;
};
FieldColours ColoursOf(const std::string& colourField);

}  // namespace mainwindow
