#include "app/store/unsent_calendars_file.h"

#include <cerrno>
#include <charconv>
#include <cstdio>
#include <fstream>

#include "platform/atomic_file.h"

namespace store {
namespace {

std::string UnsentCalendarsPath(const Planner& planner) {
  return planner.DataFolder + "/unsent-calendars";
}

}  // namespace

void ReadUnsentCalendars(Planner& planner) {
  planner.UnsentCalendars.clear();
  if (planner.DataFolder.empty()) return;
  const std::string path = UnsentCalendarsPath(planner);
  platform::RemoveLeftTemporaries(path);
  std::ifstream in(path, std::ios::binary);
  for (std::string line; std::getline(in, line);) {
    int index = -1;
    const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), index);
    if (error == std::errc() && end == line.data() + line.size() && index >= 0) {
      planner.UnsentCalendars.insert(index);
    }
  }
}

int WriteUnsentCalendars(const Planner& planner) {
  if (planner.DataFolder.empty()) return 0;
  const std::string path = UnsentCalendarsPath(planner);
  if (planner.UnsentCalendars.empty()) {
    return std::remove(path.c_str()) == 0 || errno == ENOENT ? 0 : errno;
  }
  std::string text;
  for (int index : planner.UnsentCalendars) text += std::to_string(index) + "\n";
  return platform::ReplaceFileContents(path, text);
}

}  // namespace store
