#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/file_faults.h"

namespace platform {

namespace {

std::string FolderOf(const std::string& path) {
  std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

int WriteAll(int fd, std::string_view contents) {
  while (!contents.empty()) {
    ssize_t written = ::write(fd, contents.data(), contents.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    contents.remove_prefix(static_cast<std::size_t>(written));
  }
  return 0;
}

// The new file keeps the permissions of the file it replaces; a link it replaces has none
// to give.
int CopyMode(int fd, const std::string& path, bool followLinks) {
  struct stat old;
  if ((followLinks ? ::stat(path.c_str(), &old) : ::lstat(path.c_str(), &old)) != 0) {
    return errno == ENOENT ? 0 : errno;
  }
  if (S_ISLNK(old.st_mode)) return 0;
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// Makes the rename itself durable; a failure here no longer endangers the data.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

// Temporary files are named after the file they replace, this marker and six characters
// that mkostemp chooses.
constexpr std::string_view kTemporaryMarker = ".tmp-";
constexpr std::size_t kTemporaryTail = 6;
// A file set aside is named after it and this marker.
constexpr std::string_view kSetAsideMarker = ".retire";

// The name of the file whose temporary, or set-aside file, `entry` is; nothing when it is
// none.
std::optional<std::string_view> TemporaryOwner(std::string_view entry) {
  if (entry.size() > kSetAsideMarker.size() && entry.ends_with(kSetAsideMarker)) {
    return entry.substr(0, entry.size() - kSetAsideMarker.size());
  }
  const std::size_t tail = kTemporaryMarker.size() + kTemporaryTail;
  if (entry.size() <= tail ||
      entry.substr(entry.size() - tail, kTemporaryMarker.size()) != kTemporaryMarker) {
    return std::nullopt;
  }
  for (char c : entry.substr(entry.size() - kTemporaryTail)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return std::nullopt;
  }
  return entry.substr(0, entry.size() - tail);
}

void RemoveTemporaries(const std::string& folder,
                       const std::function<bool(std::string_view owner)>& owned) {
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
    const std::string name = entry.path().filename().string();
    const std::optional<std::string_view> owner = TemporaryOwner(name);
    std::error_code ignored;
    if (owner && owned(*owner) && entry.is_regular_file(ignored)) {
      std::filesystem::remove(entry.path(), ignored);
    }
  }
}

// Writes `contents` to a new temporary file beside `file`, with the permissions of `file`
// when `keepMode` and it exists, and flushes it to the disk.  On success `fd` and `name` are
// the temporary's; on failure nothing is left behind.
int WriteTemporary(const std::string& file, std::string_view contents, bool keepMode, int& fd,
                   std::vector<char>& name, bool followLinks = true) {
  const std::string pattern = file + std::string(kTemporaryMarker) + "XXXXXX";
  name.assign(pattern.begin(), pattern.end());
  name.push_back('\0');
  fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return errno;
  int error = InjectedFileFaults().writeError;
  if (error == 0) error = WriteAll(fd, contents);
  if (error == 0 && keepMode) error = CopyMode(fd, file, followLinks);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (error != 0) {
    ::close(fd);
    ::unlink(name.data());
  }
  return error;
}

// Gives the temporary `name` the name `file` unless an entry of any kind stands there.
int RenameWithoutReplacing(const char* name, const std::string& file) {
  if (::renameat2(AT_FDCWD, name, AT_FDCWD, file.c_str(), RENAME_NOREPLACE) == 0) return 0;
  if (errno != EINVAL && errno != ENOSYS) return errno;
  // A file system that cannot rename so: a second name, then the temporary's removed.
  if (::link(name, file.c_str()) != 0) return errno;
  ::unlink(name);
  return 0;
}

// Gives `file` the new contents under its own name, replacing whatever stands there.  With
// `lockedFd`, the new file is locked before it takes the name and its descriptor handed over,
// so that no other process finds it unlocked.
int Replace(const std::string& file, std::string_view contents, bool keepMode,
            struct stat* written, int* lockedFd = nullptr, bool followLinks = true) {
  int fd;
  std::vector<char> name;
  if (int error = WriteTemporary(file, contents, keepMode, fd, name, followLinks)) return error;
  if ((lockedFd != nullptr && ::flock(fd, LOCK_EX | LOCK_NB) != 0) ||
      std::rename(name.data(), file.c_str()) != 0) {
    const int error = errno;
    ::close(fd);
    ::unlink(name.data());
    return error;
  }
  // The contents are on the disk already: a failure to close loses nothing.
  if (written != nullptr && ::fstat(fd, written) != 0) *written = {};
  if (lockedFd != nullptr) {
    *lockedFd = fd;
  } else {
    ::close(fd);
  }
  SyncFolder(FolderOf(file));
  return 0;
}

}  // namespace

int FollowLinks(std::string& path) {
  for (int hops = 0; hops < 40; ++hops) {
    std::error_code error;
    if (!std::filesystem::is_symlink(std::filesystem::symlink_status(path, error))) return 0;
    std::filesystem::path target = std::filesystem::read_symlink(path, error);
    if (error) return error.value();
    path = target.is_absolute() ? target.string() : FolderOf(path) + "/" + target.string();
  }
  return ELOOP;
}

void ResolveLinks(std::string& path) {
  if (FollowLinks(path) != 0) return;
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return;
  char* folder = ::realpath(FolderOf(path).c_str(), nullptr);
  if (folder == nullptr) return;
  const std::string resolved = folder;
  std::free(folder);
  path = (resolved == "/" ? "" : resolved) + path.substr(slash);
}

int ReplaceFileContents(const std::string& path, std::string_view contents,
                        struct stat* written) {
  std::string file = path;
  if (int error = FollowLinks(file)) return error;
  return Replace(file, contents, true, written);
}

int ReplaceEntry(const std::string& path, std::string_view contents, struct stat* written,
                 int* lockedFd) {
  return Replace(path, contents, true, written, lockedFd, false);
}

int ReplaceOwnFile(const std::string& path, std::string_view contents) {
  return Replace(path, contents, false, nullptr);
}

int ReadOwnFile(const std::string& path, std::size_t maxSize, std::string& bytes) {
  bytes.clear();
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return errno;
  struct stat status;
  int error = ::fstat(fd, &status) == 0 ? 0 : errno;
  if (error == 0 && !S_ISREG(status.st_mode)) error = ENODEV;
  if (error == 0 && static_cast<std::size_t>(status.st_size) > maxSize) error = EFBIG;
  // One byte more than allowed tells a file that grew since its status was taken; room is
  // made for what the status tells, not for the most allowed.
  const std::size_t most = maxSize + 1;
  if (error == 0) bytes.resize(static_cast<std::size_t>(status.st_size) + 1);
  std::size_t filled = 0;
  while (error == 0 && filled < most) {
    if (filled == bytes.size()) bytes.resize(std::min(most, filled + filled / 2 + 4096));
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got == 0) break;
    if (got > 0) {
      filled += static_cast<std::size_t>(got);
    } else if (errno != EINTR) {
      error = errno;
    }
  }
  ::close(fd);
  if (error == 0 && filled > maxSize) error = EFBIG;
  bytes.resize(error == 0 ? filled : 0);
  return error;
}

int CreateNewFile(const std::vector<std::string>& names, std::string_view contents,
                  std::size_t& created) {
  if (names.empty()) return EEXIST;
  int fd;
  std::vector<char> temporary;
  // Whatever stands under a name is no file this one replaces: its mode, or the error of a
  // link that leads nowhere, is none of this file's business.
  if (int error = WriteTemporary(names[0], contents, false, fd, temporary)) return error;
  ::close(fd);
  int error = EEXIST;
  for (created = 0; created < names.size(); ++created) {
    error = RenameWithoutReplacing(temporary.data(), names[created]);
    if (error != EEXIST) break;
  }
  if (error != 0) {
    ::unlink(temporary.data());
    return error;
  }
  SyncFolder(FolderOf(names[created]));
  return 0;
}

int FileWriteRefusal(const std::string& path) {
  struct stat status;
  if (::lstat(path.c_str(), &status) != 0 || S_ISLNK(status.st_mode)) return 0;
  // Root may write any file: one without a single write bit was made read-only on purpose.
  if (::geteuid() == 0 && (status.st_mode & 0222) == 0) return EACCES;
  if (::access(path.c_str(), W_OK) == 0) return 0;
  return errno == EACCES || errno == EPERM || errno == EROFS ? errno : 0;
}

std::string SetAsidePath(const std::string& path) { return path + std::string(kSetAsideMarker); }

void RemoveLeftTemporaries(const std::string& path) {
  std::string file = path;
  if (FollowLinks(file) != 0) return;
  const std::size_t slash = file.rfind('/');
  const std::string fileName = slash == std::string::npos ? file : file.substr(slash + 1);
  RemoveTemporaries(FolderOf(file), [&](std::string_view owner) { return owner == fileName; });
}

void RemoveLeftTemporaries(const std::string& folder, std::string_view namePrefix) {
  RemoveTemporaries(folder,
                    [&](std::string_view owner) { return owner.starts_with(namePrefix); });
}

}  // namespace platform
