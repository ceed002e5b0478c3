// Replacing a file's contents so that a crash, a full disk or a failed write never leaves a
// truncated file: the new contents go to a temporary file in the same folder, are flushed to
// the disk, and only then take the old file's place.
#pragma once

#include <string>
#include <string_view>

namespace platform {

// A link is followed: the file it names is replaced, the link stays.
// 0 on success, else the errno of the step that failed; the old file is then untouched and
// no temporary file is left behind.
int ReplaceFileContents(const std::string& path, std::string_view contents);

}  // namespace platform
