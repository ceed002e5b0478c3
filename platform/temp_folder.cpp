#include "platform/temp_folder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <string>

namespace platform {
namespace {

// An absolute path to a folder that exists: a variable left over from another session may
// name one that is gone.
bool IsUsableDirectory(const std::optional<std::string>& value) {
  struct stat info {};
  return value && !value->empty() && value->front() == '/' &&
         stat(value->c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

// A folder of ours: created 0700 when missing, else checked without following a link.
bool MakePrivate(const std::filesystem::path& folder) {
  if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return false;
  const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool ours = fstat(fd, &info) == 0 && S_ISDIR(info.st_mode) && info.st_uid == getuid() &&
                    ((info.st_mode & 077) == 0 || fchmod(fd, 0700) == 0);
  close(fd);
  return ours;
}

}  // namespace

std::optional<std::filesystem::path> PrivateTempFolder(const Environment& environment) {
  std::filesystem::path folder;
  if (const auto runtime = environment("XDG_RUNTIME_DIR"); IsUsableDirectory(runtime)) {
    folder = std::filesystem::path(*runtime) / "quorvane";
  } else {
    const auto tmp = environment("TMPDIR");
    folder = std::filesystem::path(IsUsableDirectory(tmp) ? *tmp : "/tmp") /
             ("quorvane-" + std::to_string(getuid()));
  }
  if (!MakePrivate(folder)) return std::nullopt;
  return folder;
}

}  // namespace platform
