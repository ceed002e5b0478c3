#include "platform/data_file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/folder_lock.h"

namespace platform {

namespace {

// The lock file opens to whoever may change the data file: a file that several accounts
// share gets a lock file that each of them can open.
mode_t LockFileMode(const std::string& dataFile) {
  struct stat status;
  if (::stat(dataFile.c_str(), &status) != 0) return 0600;
  return (status.st_mode & 0666) | 0600;
}

// Whether the system's list of locks names those of every process: a process in a PID
// namespace of its own (a sandbox, a container) is listed only the locks of the processes
// that it sees, not those of a planner started outside.
bool ListsEveryLock() {
  constexpr std::string_view kFirstNamespace = "pid:[4026531836]";  // the kernel's own number
  char link[64];
  const ssize_t size = ::readlink("/proc/self/ns/pid", link, sizeof link);
  return size > 0 && std::string_view(link, static_cast<std::size_t>(size)) == kFirstNamespace;
}

// Whether a process may hold a lock on the file that `status` describes, as the system lists
// them ("major:minor:inode").  The inode alone is compared, as a layered file system lists
// the device of the layer beneath: a lock on a file of another device that bears the same
// number only refuses the start.  True when the list cannot be read: a lock file is never
// replaced on a guess.
bool IsLockedByAnyone(const struct stat& status) {
  std::ifstream locks("/proc/locks");
  if (!locks) return true;
  char id[32];
  std::snprintf(id, sizeof id, ":%llu ", static_cast<unsigned long long>(status.st_ino));
  for (std::string line; std::getline(locks, line);) {
    if ((line + " ").find(id) != std::string::npos) return true;
  }
  return false;
}

// A lock file that this account may not open, left by a planner of another account: when
// no process holds it, a new one the account can open takes its place.  The descriptor of
// the new file, else -1 with errno set.
int ReplaceUnheldLockFile(const std::string& lockFile, mode_t mode) {
  struct stat status;
  if (::lstat(lockFile.c_str(), &status) != 0) return -1;
  // Where the list may leave the lock out, the refusal to open it stands.
  if (!S_ISREG(status.st_mode) || !ListsEveryLock()) {
    errno = EACCES;
    return -1;
  }
  if (IsLockedByAnyone(status)) {
    errno = EWOULDBLOCK;  // that account's planner runs
    return -1;
  }
  std::vector<char> name(lockFile.begin(), lockFile.end());
  const std::string tail = ".tmp-XXXXXX";
  name.insert(name.end(), tail.begin(), tail.end());
  name.push_back('\0');
  const int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return -1;
  if (::fchmod(fd, mode) != 0 || std::rename(name.data(), lockFile.c_str()) != 0) {
    const int error = errno;
    ::close(fd);
    ::unlink(name.data());
    errno = error;
    return -1;
  }
  return fd;
}

// Opens the lock file, creating it when missing.  A link under its name is never followed
// (ELOOP): it could lead anywhere, and the file be created where it leads.  A lock needs no
// right to write, so a file this account may only read serves as well.
int OpenLockFile(const std::string& lockFile, mode_t mode) {
  int fd = ::open(lockFile.c_str(), O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600);
  if (fd >= 0) {
    ::fchmod(fd, mode);  // whatever the umask
    return fd;
  }
  if (errno != EEXIST) return -1;
  fd = ::open(lockFile.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0 && errno == EACCES) fd = ::open(lockFile.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0 && errno == EACCES) fd = ReplaceUnheldLockFile(lockFile, mode);
  return fd;
}

// 0 once `fd` is locked, EWOULDBLOCK when another open of its file holds a lock.
int LockExclusively(int fd) {
  while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    if (errno != EINTR) return errno;
  }
  return 0;
}

}  // namespace

DataFileLock::~DataFileLock() {
  // Closing releases the locks.
  if (fd_ >= 0) ::close(fd_);
  if (dataFd_ >= 0) ::close(dataFd_);
}

DataFileLock::DataFileLock(DataFileLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)),
      dataFd_(std::exchange(other.dataFd_, -1)),
      lockFile_(std::move(other.lockFile_)) {}

DataFileLock& DataFileLock::operator=(DataFileLock&& other) noexcept {
  if (this != &other) {
    if (fd_ >= 0) ::close(fd_);
    if (dataFd_ >= 0) ::close(dataFd_);
    fd_ = std::exchange(other.fd_, -1);
    dataFd_ = std::exchange(other.dataFd_, -1);
    lockFile_ = std::move(other.lockFile_);
  }
  return *this;
}

void DataFileLock::HoldDataFile(int fd) {
  if (dataFd_ >= 0) ::close(dataFd_);
  dataFd_ = fd;
}

int DataFileLock::Take(const std::string& dataFile) {
  *this = DataFileLock();
  std::string file = dataFile;
  if (int error = FollowLinks(file)) return error;
  lockFile_ = file + kLockSuffix;
  // The lock file is never removed while it may be held: a removal between another
  // program's open and its lock would let two programs each hold a lock of their own.  It
  // is opened or put in place under the folder's lock, so that no other planner opens the
  // one being replaced; unguarded when the folder cannot be opened.
  FolderLock guard(file);
  int fd = OpenLockFile(lockFile_, LockFileMode(file));
  if (fd < 0) return errno;
  if (int error = LockExclusively(fd)) {
    ::close(fd);
    return error;
  }
  // A lock needs no right to write: the data file is opened to read, and a missing one is
  // locked by the first write that creates it.
  const int dataFd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (dataFd < 0 && errno != ENOENT) {
    const int error = errno;
    ::close(fd);
    return error;
  }
  if (int error = dataFd >= 0 ? LockExclusively(dataFd) : 0) {
    ::close(dataFd);
    ::close(fd);
    return error;
  }
  fd_ = fd;
  dataFd_ = dataFd;
  return 0;
}

}  // namespace platform
