// Replacing a file's contents, or creating a file, so that a crash, a full disk or a failed
// write never leaves a truncated file: the contents go to a temporary file in the same
// folder, are flushed to the disk, and only then take the file's name.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>

namespace platform {

// A link is followed: the file it names is replaced, the link stays.
// 0 on success, else the errno of the step that failed; the old file is then untouched and
// no temporary file is left behind.  `written`, when given, receives the status of the file
// written, taken from that file itself rather than from its name, which another process
// may already have given to a file of its own.
int ReplaceFileContents(const std::string& path, std::string_view contents,
                        struct stat* written = nullptr);

// Creates `path` as a new file holding `contents`.  No link is followed: whatever stands
// under the name, a link to nowhere included, gives EEXIST.  The file appears whole or not
// at all, readable by its owner only; on failure nothing is left behind.  0 on success,
// else the errno of the step that failed.
int CreateNewFile(const std::string& path, std::string_view contents);

// Removes the temporary files that replacements of `path` left behind when the program was
// killed before their end.  Only safe while no replacement of `path` is under way.
void RemoveLeftTemporaries(const std::string& path);

// The same for the files of `folder` whose names start with `namePrefix`, created or
// replaced: only safe while none of them is being written.
void RemoveLeftTemporaries(const std::string& folder, std::string_view namePrefix);

}  // namespace platform
