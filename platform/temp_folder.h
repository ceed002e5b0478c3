// The user's private folder for files handed to other programs.
#pragma once

#include <filesystem>
#include <optional>

#include "platform/environment.h"

namespace platform {

// $XDG_RUNTIME_DIR/quorvane, else ($TMPDIR or /tmp)/quorvane-<uid> (a variable that names no
// existing folder counts as unset): created with mode 0700 when missing; an existing one must
// be a real folder owned by the user, and is closed to others.  Nothing when no such folder
// can be had.
std::optional<std::filesystem::path> PrivateTempFolder(const Environment& environment);

}  // namespace platform
