// The lock that every process holds while it reads, changes and replaces a file that is
// replaced as a whole, or while it puts such a file in place.  It is taken on the folder
// that holds the file its links lead to, where the replacement is made: the file itself is
// replaced by every write, and the folder needs no lock file of its own.
#pragma once

#include <string>

namespace platform {

class FolderLock {
 public:
  // Waits for the lock of the folder of `path`, its links followed unless `followLinks` is
  // false (a file whose links were followed once, at the start, is written where it was).
  explicit FolderLock(const std::string& path, bool followLinks = true);
  ~FolderLock();
  FolderLock(const FolderLock&) = delete;
  FolderLock& operator=(const FolderLock&) = delete;

  // 0 while the lock is held, else the errno that kept it from being taken.
  int Error() const { return error_; }

 private:
  int fd_ = -1;
  int error_ = 0;
};

}  // namespace platform
