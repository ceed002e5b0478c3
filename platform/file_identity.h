// Which file a name stood for when it was seen: a name given to another file, or removed and
// made again, no longer leads to the same one.
#pragma once

#include <sys/stat.h>

namespace platform {

struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  bool operator==(const FileIdentity&) const = default;
};

inline FileIdentity IdentityOf(const struct stat& status) {
  return {status.st_dev, status.st_ino};
}

}  // namespace platform
