#include "platform/data_folder.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace platform {

namespace {

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home && *home) return home;
  const passwd* entry = ::getpwuid(::getuid());
  return entry && entry->pw_dir ? entry->pw_dir : "/";
}

int MakeFolder(const std::string& path) {
  if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) return 0;
  return errno;
}

}  // namespace

std::string DataFolderPath() {
  const char* dataHome = std::getenv("XDG_DATA_HOME");
  std::string base = dataHome && dataHome[0] == '/' ? dataHome : HomeFolder() + "/.local/share";
  while (base.size() > 1 && base.back() == '/') base.pop_back();
  return (base == "/" ? "" : base) + "/Quorvane";
}

int MakeWritableFolder(const std::string& path) {
  for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
       slash = path.find('/', slash + 1)) {
    if (int error = MakeFolder(path.substr(0, slash))) return error;
  }
  if (int error = MakeFolder(path)) return error;

  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return errno;
  if (!S_ISDIR(status.st_mode)) return ENOTDIR;
  if (::access(path.c_str(), W_OK | X_OK) != 0) return errno;
  return 0;
}

}  // namespace platform
