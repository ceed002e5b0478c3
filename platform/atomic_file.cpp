#include "platform/atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
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

// Temporary files are named after the file they replace, this marker and six characters
// that mkostemp chooses.
constexpr std::string_view kTemporaryMarker = ".tmp-";
constexpr std::size_t kTemporaryTail = 6;

bool IsTemporaryOf(std::string_view entry, std::string_view fileName) {
  if (entry.size() != fileName.size() + kTemporaryMarker.size() + kTemporaryTail ||
      !entry.starts_with(fileName) || entry.substr(fileName.size(), kTemporaryMarker.size()) !=
                                           kTemporaryMarker) {
    return false;
  }
  for (char c : entry.substr(entry.size() - kTemporaryTail)) {
    if (!std::isalnum(static_cast<unsigned char>(c))) return false;
  }
  return true;
}

}  // namespace

int ReplaceFileContents(const std::string& path, std::string_view contents,
                        struct stat* written) {
  std::string file = path;
  if (int error = FollowLinks(file)) return error;
  std::string temporary = file + std::string(kTemporaryMarker) + "XXXXXX";
  std::vector<char> name(temporary.begin(), temporary.end());
  name.push_back('\0');
  int fd = ::mkostemp(name.data(), O_CLOEXEC);
  if (fd < 0) return errno;

  int error = InjectedFileFaults().writeError;
  if (error == 0) error = WriteAll(fd, contents);
  if (error == 0) error = CopyMode(fd, file);
  if (error == 0 && ::fsync(fd) != 0) error = errno;
  if (error == 0 && std::rename(name.data(), file.c_str()) != 0) error = errno;
  if (error != 0) {
    ::close(fd);
    ::unlink(name.data());
    return error;
  }
  // The contents are on the disk already: a failure to close loses nothing.
  if (written != nullptr && ::fstat(fd, written) != 0) *written = {};
  ::close(fd);
  SyncFolder(FolderOf(file));
  return 0;
}

void RemoveLeftTemporaries(const std::string& path) {
  std::string file = path;
  if (FollowLinks(file) != 0) return;
  const std::size_t slash = file.rfind('/');
  const std::string fileName = slash == std::string::npos ? file : file.substr(slash + 1);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(FolderOf(file), error)) {
    std::error_code ignored;
    if (IsTemporaryOf(entry.path().filename().string(), fileName) &&
        entry.is_regular_file(ignored)) {
      std::filesystem::remove(entry.path(), ignored);
    }
  }
}

}  // namespace platform
