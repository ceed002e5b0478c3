// The data folder belongs to one running planner at a time: the planner holds a lock on a
// file of the folder for its whole run, so that a second one started on the same folder
// learns that it is in use instead of writing over the first one's changes.
#pragma once

#include <string>

namespace platform {

class DataFolderLock {
 public:
  DataFolderLock() = default;
  ~DataFolderLock();
  DataFolderLock(DataFolderLock&& other) noexcept;
  DataFolderLock& operator=(DataFolderLock&& other) noexcept;
  DataFolderLock(const DataFolderLock&) = delete;
  DataFolderLock& operator=(const DataFolderLock&) = delete;

  // Takes the lock of `folder` (its lock file is created when missing), dropping any lock
  // held before.  0 when it is held, EWOULDBLOCK when another program holds it, else the
  // errno of the failure.
  int Take(const std::string& folder);

 private:
  int fd_ = -1;
};

// The name of the lock file inside the data folder.
inline constexpr const char* kDataFolderLockName = "data.verrou";

}  // namespace platform
