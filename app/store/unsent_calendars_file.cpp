#include "app/store/unsent_calendars_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <string_view>

#include "platform/atomic_file.h"

namespace store {
namespace {

constexpr const char* kUnsentCalendarsName = "calendriers.en-attente";

// Far more than the lines of every project a planner can hold: what is longer is no file
// the planner wrote.
constexpr std::size_t kMaxUnsentCalendarsSize = 64 * 1024;

}  // namespace

std::string UnsentCalendarsPath(const Planner& planner) {
  return planner.DataFolder + "/" + kUnsentCalendarsName;
}

void ReadUnsentCalendars(Planner& planner) {
  planner.UnsentCalendars.clear();
  planner.UnsentCalendarsError = 0;
  if (planner.DataFolder.empty()) return;
  platform::RemoveLeftTemporaries(planner.DataFolder, kUnsentCalendarsName);
  std::string text;
  if (platform::ReadOwnFile(UnsentCalendarsPath(planner), kMaxUnsentCalendarsSize, text) != 0)
    return;
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    int index = -1;
    const auto [last, error] = std::from_chars(line.data(), line.data() + line.size(), index);
    if (error == std::errc() && last == line.data() + line.size() && index >= 0) {
      planner.UnsentCalendars.insert(index);
    }
  }
}

int RemoveUnsentCalendars(const Planner& planner) {
  if (planner.DataFolder.empty()) return 0;
  return std::remove(UnsentCalendarsPath(planner).c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

int WriteUnsentCalendars(Planner& planner) {
  if (planner.DataFolder.empty()) return 0;
  std::string text;
  for (int index : planner.UnsentCalendars) text += std::to_string(index) + "\n";
  planner.UnsentCalendarsError = text.empty()
                                     ? RemoveUnsentCalendars(planner)
                                     : platform::ReplaceOwnFile(UnsentCalendarsPath(planner), text);
  return planner.UnsentCalendarsError;
}

}  // namespace store
