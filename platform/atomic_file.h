// Replacing a file's contents, or creating a file, so that a crash, a full disk or a failed
// write never leaves a truncated file: the contents go to a temporary file in the same
// folder, are flushed to the disk, and only then take the file's name.  And reading back a
// small file of the program's own without following whatever else stands under its name.
#pragma once

#include <sys/stat.h>

#include <string>
#include <string_view>
#include <vector>

namespace platform {

// Turns `path` into the file it names once its links are followed: the file that a write
// through it replaces, and the one whose lock guards it.  A missing file names itself.  0,
// else the errno of the failure (ELOOP for a loop).
int FollowLinks(std::string& path);

// `path` with every link on its way followed, its folders' included: the name of the file it
// leads to now, which no later change of those links moves.  A missing file names itself in
// its folder; what cannot be resolved is left as FollowLinks makes it.
void ResolveLinks(std::string& path);

// A link is followed: the file it names is replaced, the link stays.
// 0 on success, else the errno of the step that failed; the old file is then untouched and
// no temporary file is left behind.  `written`, when given, receives the status of the file
// written, taken from that file itself rather than from its name, which another process
// may already have given to a file of its own.
int ReplaceFileContents(const std::string& path, std::string_view contents,
                        struct stat* written = nullptr);

// Replaces whatever stands under `path` with a new file holding `contents`, with the
// permissions of the regular file it replaces: a link under the name is itself replaced,
// never followed.  With `lockedFd`, the new file is locked (flock, exclusive) before it takes
// the name, and `lockedFd` receives its open descriptor, the lock held.  0, else the errno of
// the step that failed; the old entry is then untouched.
int ReplaceEntry(const std::string& path, std::string_view contents, struct stat* written,
                 int* lockedFd);

// Whether this account may not change the file under `path` by its permissions: the
// account's write bit, or, for root, any write bit.  0 when it may, when nothing stands
// there or when a link does (the link is replaced, not what it leads to), else EACCES,
// EPERM or EROFS.  What else keeps the file from being written, the write itself tells.
int FileWriteRefusal(const std::string& path);

// Replaces whatever stands under `path` with a new file holding `contents`, readable by its
// owner only: a link under the name is itself replaced, never followed, so that nothing
// outside the folder is written.  For the program's own files in its own folder.  0, else
// the errno of the step that failed; the old entry is then untouched.
int ReplaceOwnFile(const std::string& path, std::string_view contents);

// Reads the regular file under `path`, at most `maxSize` bytes of it, following no link and
// waiting on no pipe.  0 with `bytes` its contents; else ENOENT when nothing stands there,
// ELOOP for a link, ENODEV for anything but a regular file, EFBIG beyond `maxSize`, or the
// errno of the read.
int ReadOwnFile(const std::string& path, std::size_t maxSize, std::string& bytes);

// Creates a new file holding `contents` under the first of `names` (all in one folder) that
// nothing stands under, writing the contents once however many names are tried.  No link is
// followed: whatever stands under a name, a link to nowhere included, passes it over.  The
// file appears whole or not at all, readable by its owner only; on failure nothing is left
// behind.  0 with `created` the index of the name taken, EEXIST when every name is taken,
// else the errno of the step that failed.
int CreateNewFile(const std::vector<std::string>& names, std::string_view contents,
                  std::size_t& created);

// The name of a file that stands beside `path` only while a change it must not outlive is
// under way: removed as a temporary of `path` by RemoveLeftTemporaries when the program was
// killed.
std::string SetAsidePath(const std::string& path);

// Removes the temporary files that replacements of `path` left behind when the program was
// killed before their end, and `path` set aside.  Only safe while no replacement of `path`
// is under way.
void RemoveLeftTemporaries(const std::string& path);

// The same for the files of `folder` whose names start with `namePrefix`, created, replaced
// or set aside: only safe while none of them is being written.
void RemoveLeftTemporaries(const std::string& folder, std::string_view namePrefix);

}  // namespace platform
