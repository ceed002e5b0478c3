// The user's local data folder: $XDG_DATA_HOME/Quorvane, $XDG_DATA_HOME being
// ~/.local/share when it is unset, empty or not an absolute path.
#pragma once

#include <string>

namespace platform {

std::string DataFolderPath();

// Creates the folder and any missing parent (mode 0700) and checks that it is a folder the
// program may write to.  0 when it is, else the errno that tells why not (ENOTDIR when the
// path names something else).
int MakeWritableFolder(const std::string& path);

}  // namespace platform
