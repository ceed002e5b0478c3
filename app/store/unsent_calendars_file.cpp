#include "app/store/unsent_calendars_file.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string_view>

#include "app/store/data_file.h"
#include "app/store/system_error_text.h"
#include "platform/atomic_file.h"

namespace store {
namespace {

constexpr const char* kUnsentCalendarsName = "calendriers.en-attente";

// Far more than the lines of every project a planner can hold: what is longer is no file
// the planner wrote.
constexpr std::size_t kMaxUnsentCalendarsSize = 64 * 1024;

std::string UnreadableListText(const Planner& planner, const std::string& cause) {
  return "La liste des calendriers à envoyer n'a pas pu être lue :\n" +
         UnsentCalendarsPath(planner) + "\nCause : " + cause +
         "\nLes calendriers en attente qui n'ont pas pu y être lus ne seront envoyés qu'à la "
         "prochaine modification de leur projet.";
}

std::string GarbledListText(const Planner& planner) {
  return "La liste des calendriers à envoyer est endommagée : ses numéros de projet ont été "
         "lus et gardés, ses autres lignes sont ignorées.\nFichier : " +
         UnsentCalendarsPath(planner) +
         "\nLes calendriers en attente que ces lignes nommaient ne seront envoyés qu'à la "
         "prochaine modification de leur projet.";
}

int RemoveUnsentCalendars(const Planner& planner) {
  if (planner.DataFolder.empty()) return 0;
  return std::remove(UnsentCalendarsPath(planner).c_str()) == 0 || errno == ENOENT ? 0 : errno;
}

// While the data file is replaced or removed, the file beside the list that names the data
// file the list was written for.
std::string ListOwnerPath(const Planner& planner) {
  return platform::SetAsidePath(UnsentCalendarsPath(planner));
}

// The data file standing now, as that file names it: its device and inode, nothing when
// there is none.  A replacement gives the data file another inode.
std::string DataFileIdentityText(const Planner& planner) {
  const std::optional<platform::FileIdentity> identity = IdentityOfFile(OpenedDataFile(planner));
  if (!identity) return "";
  return std::to_string(identity->device) + " " + std::to_string(identity->inode) + "\n";
}

}  // namespace

std::string UnsentCalendarsPath(const Planner& planner) {
  return planner.DataFolder + "/" + kUnsentCalendarsName;
}

std::optional<std::string> ReadUnsentCalendars(Planner& planner) {
  planner.UnsentCalendars.clear();
  planner.UnsentCalendarsError = 0;
  if (planner.DataFolder.empty()) return std::nullopt;
  std::string owner;
  if (platform::ReadOwnFile(ListOwnerPath(planner), kMaxUnsentCalendarsSize, owner) == 0 &&
      owner != DataFileIdentityText(planner)) {
    RemoveUnsentCalendars(planner);
  }
  platform::RemoveLeftTemporaries(planner.DataFolder, kUnsentCalendarsName);
  std::string text;
  const int error = platform::ReadOwnFile(UnsentCalendarsPath(planner), kMaxUnsentCalendarsSize,
                                          text);
  if (error == ENOENT) return std::nullopt;
  if (error != 0) return UnreadableListText(planner, SystemErrorText(error));
  bool garbled = false;
  for (std::string_view rest = text; !rest.empty();) {
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    const std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (line.empty()) continue;  // the LF of a CR LF, or a blank line
    int index = -1;
    const auto [last, failed] = std::from_chars(line.data(), line.data() + line.size(), index);
    if (failed == std::errc() && last == line.data() + line.size() && index >= 0) {
      planner.UnsentCalendars.insert(index);
    } else {
      garbled = true;
    }
  }
  if (garbled) return GarbledListText(planner);
  return std::nullopt;
}

int ReplaceDataWithoutUnsentCalendars(const Planner& planner, const std::function<int()>& replace,
                                      bool& listFailed) {
  listFailed = false;
  if (planner.DataFolder.empty()) return replace();
  std::error_code unseen;
  const auto list = std::filesystem::symlink_status(UnsentCalendarsPath(planner), unseen);
  if (!std::filesystem::exists(list)) return replace();
  const std::string owner = ListOwnerPath(planner);
  if (int error = platform::ReplaceOwnFile(owner, DataFileIdentityText(planner))) {
    listFailed = true;
    return error;
  }
  const int error = replace();
  // Kept while the list stays beside the new data, for the next start to remove it.
  if (error != 0 || RemoveUnsentCalendars(planner) == 0) std::remove(owner.c_str());
  return error;
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
