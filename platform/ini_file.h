// INI files on disk: each file is parsed once and its parsed form reused for as long as the
// file keeps its identity (device, inode, size, modification and change times); a file that
// changed on disk is read again.  Every write replaces the file atomically, under an
// advisory lock on the folder that holds the file its links lead to, which every process
// writing the file takes: two programs writing one file never lose each other's values.
#pragma once

#include <sys/stat.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "platform/ini_document.h"

namespace platform {

// The largest file read: more than ten times a data file of 100,000 records, and
// little enough for the few copies of it that a damaged file's start holds at once (its
// text, its readable part, the copy kept of it) to fit in any desktop's memory.  A larger
// file (a sparse one, or a device's image) reads as an error, EFBIG, rather than
// exhausting the memory.
inline constexpr std::size_t kMaxIniFileSize = std::size_t{256} << 20;

// The file's parsed contents; an empty document when the file is missing or unreadable.
std::shared_ptr<const IniDocument> ReadIniFile(const std::string& path);
// The same, with `error` set to 0 when the file was read or does not exist, else to the
// errno that tells why it could not be read: ENODEV for a pipe, a device or a socket, EFBIG
// beyond kMaxIniFileSize.
std::shared_ptr<const IniDocument> ReadIniFile(const std::string& path, int& error);

// Sets `key` of `section` to `value` in the file (the file, the section and the key are
// created when missing).  Returns 0, or the errno of the failure, the file then untouched.
// Names and values that the layout cannot hold (line breaks, NUL, "]" in a section name,
// "=" in a key or one that starts with "[" or ";", an empty key) give EINVAL.
int WriteIniValue(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view value);

// Replaces the file with the text that `change` makes of the file as it is under the lock.
// `change` returns 0, or an errno that leaves the file untouched.  Returns 0, or the errno
// of the failure, the file then untouched (a file that exists but cannot be read is never
// replaced).  `written`, when given, receives the document written, and `writtenStatus` the
// status of the file written.
// With `held`, the file is the one under `path` itself: a link found there is replaced, never
// followed, and the file written is locked before it takes the name, `*held` receiving its
// descriptor (platform::ReplaceEntry).
using IniChange = std::function<int(const std::shared_ptr<const IniDocument>& current,
                                    std::string& text)>;
int UpdateIniFile(const std::string& path, const IniChange& change,
                  std::shared_ptr<const IniDocument>* written = nullptr,
                  struct stat* writtenStatus = nullptr, int* held = nullptr);

// Removes what writes of the file that were killed before their end left beside it, under
// the file's lock, so that a write under way in another process keeps its own.
void RemoveInterruptedWrites(const std::string& path);

}  // namespace platform
