#include "platform/folder_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>

#include "platform/atomic_file.h"

namespace platform {

FolderLock::FolderLock(const std::string& path, bool followLinks) {
  std::string file = path;
  if (followLinks && (error_ = FollowLinks(file)) != 0) return;
  const std::size_t slash = file.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : file.substr(0, slash + 1);
  fd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd_ < 0) {
    error_ = errno;
    return;
  }
  while (::flock(fd_, LOCK_EX) != 0) {
    if (errno == EINTR) continue;
    error_ = errno;
    return;
  }
}

FolderLock::~FolderLock() {
  if (fd_ >= 0) ::close(fd_);  // closing releases the lock
}

}  // namespace platform
