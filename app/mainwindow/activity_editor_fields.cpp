#include "app/mainwindow/activity_editor_fields.h"

#include <cstdio>
#include <vector>

#include "runtime/text.h"

namespace mainwindow {

namespace {

constexpr int kMinuteStep = 5;

std::string TwoDigits(int value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

int NumberShown(const forms::ComboBox& list) {
  return static_cast<int>(runtime::ParseInteger(list.Text()).value_or(0));
}

}  // namespace

void ShowTime(forms::ComboBox& hours, forms::ComboBox& minutes, int hour, int minute) {
  hours.SetListIndex(hours.FindItem(TwoDigits(hour)));

  const std::string text = TwoDigits(minute);
  for (int i = minutes.ListCount() - 1; i >= 0; --i) {
    const auto offered = runtime::ParseInteger(minutes.List(i));
    if (offered && *offered % kMinuteStep != 0 && minutes.List(i) != text) minutes.RemoveItem(i);
  }
  if (minutes.FindItem(text) < 0) {
    int at = 0;
    while (at < minutes.ListCount() && minutes.List(at) < text) ++at;
    minutes.AddItem(text, at);
  }
  minutes.SetText(text);
}

runtime::DateTime AtTime(runtime::DateTime date, const forms::ComboBox& hours,
                         const forms::ComboBox& minutes) {
  return date.Date().AddMinutes(NumberShown(hours) * 60 + NumberShown(minutes));
}

FieldColours ColoursOf(const std::string& colourField) {
  const std::vector<std::string> parts = runtime::Split(colourField, "-");
  FieldColours colours;
  if (parts.empty()) return colours;
  if (const auto back = runtime::ParseInteger(parts[0]))
    colours.back = static_cast<forms::Color>(*back) & 0xFFFFFF;
  if (parts.size() >= 2) colours.blackText = runtime::ParseInteger(parts[1]) == 1;
  return colours;
}

}  // namespace mainwindow
