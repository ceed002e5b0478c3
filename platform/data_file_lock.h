// The data file belongs to one running planner at a time: the planner holds a lock on a
// file beside it for its whole run, so that a second one started on the same file learns
// that it is in use instead of writing over the first one's changes.
#pragma once

#include <string>

namespace platform {

class DataFileLock {
 public:
  DataFileLock() = default;
  ~DataFileLock();
  DataFileLock(DataFileLock&& other) noexcept;
  DataFileLock& operator=(DataFileLock&& other) noexcept;
  DataFileLock(const DataFileLock&) = delete;
  DataFileLock& operator=(const DataFileLock&) = delete;

  // Takes the lock of `dataFile`, dropping any lock held before.  The lock file is named
  // after the file that the links of `dataFile` lead to, followed by kLockSuffix, beside
  // it: planners reaching one file through links in different folders share one lock.  It
  // is created when missing, never through a link: one standing under its name gives
  // ELOOP.  It opens to every account that may change the data file; one that this account
  // may not open and that no process holds (left by another account's planner) is replaced,
  // where the system lists the locks of every process (not in a sandbox's PID namespace).
  // The data file itself is locked too, so that a lock file removed by a clean-up never lets
  // a second planner start beside a running one.
  // 0 when the lock is held, EWOULDBLOCK when another program holds it, else the errno of
  // the failure.  LockFile() then names the lock file, when known.
  int Take(const std::string& dataFile);

  // The data file was replaced by `fd`, the new file's descriptor, locked already: the lock
  // of the file replaced goes.  Only while the lock is held.
  void HoldDataFile(int fd);
  bool Held() const { return fd_ >= 0; }

  const std::string& LockFile() const { return lockFile_; }

 private:
  int fd_ = -1;
  int dataFd_ = -1;
  std::string lockFile_;
};

// Added to the name of the data file to name its lock file ("data.verrou").
inline constexpr const char* kLockSuffix = ".verrou";

}  // namespace platform
