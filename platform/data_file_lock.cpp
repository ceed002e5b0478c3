#include "platform/data_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "platform/atomic_file.h"

namespace platform {

DataFileLock::~DataFileLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

DataFileLock::DataFileLock(DataFileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), lockFile_(std::move(other.lockFile_)) {}

DataFileLock& DataFileLock::operator=(DataFileLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
    lockFile_ = std::move(other.lockFile_);
  }
  return *this;
}

int DataFileLock::Take(const std::string& dataFile) {
  *this = DataFileLock();
  std::string file = dataFile;
  if (int error = FollowLinks(file)) return error;
  lockFile_ = file + kLockSuffix;
  // The lock file is never removed: a removal between another program's open and its lock
  // would let two programs each hold a lock of their own.  Nor is a link under its name
  // followed: it could lead anywhere, and the file created where it leads.
  int fd = ::open(lockFile_.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd < 0) return errno;
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno == EINTR) continue;
    int error = errno;
    ::close(fd);
    return error;
  }
  fd_ = fd;
  return 0;
}

}  // namespace platform
