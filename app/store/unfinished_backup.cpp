#include "app/store/unfinished_backup.h"

#include <cstdio>

#include "platform/atomic_file.h"

namespace store {

namespace {

constexpr const char* kNoteName = "sauvegarde.en-cours";

std::string NotePath(const Planner& planner) { return planner.DataFolder + "/" + kNoteName; }

// A path is all a note holds.
constexpr std::size_t kMaxNoteSize = 64 * 1024;

}  // namespace

int NoteBackupUnderWay(const Planner& planner, const std::string& target) {
  if (planner.DataFolder.empty()) return 0;
  return platform::ReplaceOwnFile(NotePath(planner), target);
}

void EndBackupUnderWay(const Planner& planner) {
  if (!planner.DataFolder.empty()) std::remove(NotePath(planner).c_str());
}

void RemoveUnfinishedBackup(const Planner& planner) {
  if (planner.DataFolder.empty()) return;
  platform::RemoveLeftTemporaries(planner.DataFolder, kNoteName);
  std::string target;
  if (platform::ReadOwnFile(NotePath(planner), kMaxNoteSize, target) != 0) return;
  if (!target.empty()) platform::RemoveLeftTemporaries(target);
  EndBackupUnderWay(planner);
}

}  // namespace store
