#include "platform/data_folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

namespace platform {

DataFolderLock::~DataFolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

DataFolderLock::DataFolderLock(DataFolderLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)) {}

DataFolderLock& DataFolderLock::operator=(DataFolderLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = std::exchange(other.fd_, -1);
  }
  return *this;
}

int DataFolderLock::Take(const std::string& folder) {
  *this = DataFolderLock();
  // The lock file is never removed: a removal between another program's open and its lock
  // would let two programs each hold a lock of their own.
  const std::string path = folder + "/" + kDataFolderLockName;
  int fd = ::open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
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
