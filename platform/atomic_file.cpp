#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <vector>

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

// The file that `path` names once its links are followed: replacing a link would cut the
// file off from where the user keeps it.  A missing file names itself.
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

// The new file keeps the permissions of the one it replaces.
int CopyMode(int fd, const std::string& path) {
  struct stat old;
  if (::stat(path.c_str(), &old) != 0) return errno == ENOENT ? 0 : errno;
  return ::fchmod(fd, old.st_mode & 07777) == 0 ? 0 : errno;
}

// Makes the rename itself durable; a failure here no longer endangers the data.
void SyncFolder(const std::string& folder) {
  int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

}  // namespace

int ReplaceFileContents(const std::string& path, std::string_view contents) {
  std::string file = path;
  if (int error = FollowLinks(file)) return error;
  std::string temporary = file + ".XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return errno;

  int error = WriteAll(fd, contents);
  if (error == 0) error = CopyMode(fd, file);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && std::rename(name.data(), file.c_str()) != 0) error = errno;
  if (error != 0) {
    ::unlink(name.data());
    return error;
  }
  SyncFolder(FolderOf(file));
  return 0;
}

}  // namespace platform
