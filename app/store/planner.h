// The planner's state for the whole run: where the data lives, the three record tables,
// the settings kept with them and the terminology in force.  One object, owned by main and
// passed by reference to every window and service.
#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "platform/data_file_lock.h"
#include "platform/file_identity.h"

namespace platform {
class IniDocument;
}

namespace store {

// One value of the data file, in plain text.
struct DataFileValue {
  std::string section;
  std::string key;
  std::string value;
};

// Element 0 the plural (the user's choice), 1 the singular, 2 the gender "M" or "F".
using Terms = std::array<std::string, 3>;

struct Planner {
  std::string DataFolder;
  std::string DataFile;  // the name the user knows, in the data folder
  // The file that DataFile led to at the start, its links followed then and never again:
  // every read and write of the data goes to it, whatever the links lead to later.  Empty
  // while it is DataFile itself.
  std::string DataFileOpened;

  // Record tables, indexed from 0; a record's index is its section number in the data file
  // and the number by which activities refer to projects and resources.
  std::vector<std::string> Resources;
  std::vector<std::string> Categories;
  std::vector<std::string> Activities;
  int ResourceMax() const { return static_cast<int>(Resources.size()) - 1; }
  int CategoryMax() const { return static_cast<int>(Categories.size()) - 1; }
  int ActivityMax() const { return static_cast<int>(Activities.size()) - 1; }

  std::string ActivityType;
  Terms ProjectTerms;
  Terms ActivityTerms;
  Terms ResourceTerms;

  std::string ShareLink;  // sharing is on while it is not empty
  std::string WindowsTimeZone;
  std::string IanaTimeZone;
  std::string UserId;
  // Projects whose shared calendar did not reach the server at its last upload: each is
  // sent again with the next publication.
  std::set<int> UnsentCalendars;
  // Why the data folder's list of them could not be written at its last change, which then
  // holds for this run only; 0 when the list is kept.
  int UnsentCalendarsError = 0;

  // The folder the settings dialog's backup panel used last in this run; "" for none yet.
  std::string BackupFolder;

  // The colour handed from the project panel to the colour chooser.
  int ChosenColour = 0;
  int ChosenTextFlag = 0;  // 0 a palette index with automatic text, 1 black text, 2 white

  // Shows the user a message box saying that a change could not be written to the data
  // file (the change stays in memory) or could not be made at all, or that the data file
  // was found removed or replaced and written again.  Unset, the message goes to the
  // standard error.
  std::function<void(const std::string& message)> ShowWriteFailure;

  // Changes that could not be written yet, in the order made: the tables show them, and the
  // next write that succeeds writes them with its own, so that no record is lost or left
  // as a gap.
  std::vector<DataFileValue> UnwrittenValues;
  // Lines of the data file that cannot be read and of which a copy is kept: reads pass
  // over them and the next write leaves them out.  Whoever changes them sets
  // LastDataWithoutDamage to match, or empties it.
  std::vector<std::string> KeptDamagedLines;
  // The data file without those lines, as last worked out, and from which contents: the
  // reads of a start all see one unchanged file, and working it out checks every line of it.
  struct DataWithoutDamage {
    std::shared_ptr<const platform::IniDocument> file;
    std::shared_ptr<const platform::IniDocument> readable;
  };
  mutable DataWithoutDamage LastDataWithoutDamage;
  // Set while no copy of the data file with those lines could be kept yet: the next write
  // keeps one before it leaves them out, or fails.
  bool DamagedCopyPending = false;

  // The data file as this planner, holding its lock, last read or wrote it, and which file
  // that was: a write that finds another file there, or none, writes what the planner holds
  // rather than the change alone.  Unset (a planner that did not start) the write takes the
  // file as it finds it.
  std::shared_ptr<const platform::IniDocument> HeldData;
  std::optional<platform::FileIdentity> HeldDataIdentity;  // nothing: no file stood there

  // The data file's lock, held from the start-up to the end of a run that may write it.
  platform::DataFileLock FileLock;
  // Why the data cannot be changed in this run (this account may not write the data file or
  // the folder that holds it), told once, at the start or at the first change that finds
  // it so; 0 while it can.  Changes then show for the run and are written nowhere, and a
  // start that finds it so holds no lock.
  int ReadOnlyCause = 0;
};

// The file that every read and write of the data goes to.
inline const std::string& OpenedDataFile(const Planner& planner) {
  return planner.DataFileOpened.empty() ? planner.DataFile : planner.DataFileOpened;
}

}  // namespace store
