// A backup is copied into a temporary file beside its target, which takes the target's name
// once whole.  A program killed in between leaves that temporary, as large as the data
// file, in a folder of the user's choosing: while the copy is under way the data folder
// notes the target ("sauvegarde.en-cours"), so that the next start, or the next backup,
// removes what it left.
#pragma once

#include <string>

#include "app/store/planner.h"

namespace store {

// Notes that a backup to `target` is under way.  0, else the errno of the failure: the
// backup may go on, its leftovers would then be the user's to remove.
int NoteBackupUnderWay(const Planner& planner, const std::string& target);

// The backup noted is finished, or failed without leaving anything: the note goes.
void EndBackupUnderWay(const Planner& planner);

// Removes what a backup killed before its end left beside its target, and the note.
void RemoveUnfinishedBackup(const Planner& planner);

}  // namespace store
