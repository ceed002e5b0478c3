#include "platform/ini_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <mutex>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/file_faults.h"
#include "platform/file_identity.h"
#include "platform/folder_lock.h"

namespace platform {

namespace {

// The file, and its contents as far as its status tells them.
struct Identity {
  FileIdentity file;
  off_t size = 0;
  timespec modified{};
  timespec changed{};

  bool operator==(const Identity& other) const {
    return file == other.file && size == other.size &&
           modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec &&
           changed.tv_sec == other.changed.tv_sec && changed.tv_nsec == other.changed.tv_nsec;
  }
};

Identity ContentsIdentityOf(const struct stat& status) {
  return {IdentityOf(status), status.st_size, status.st_mtim, status.st_ctim};
}

struct CachedFile {
  std::string path;
  Identity identity;
  std::shared_ptr<const IniDocument> document;
};

// The program reads its data file and, now and then, a backup: a few entries suffice.
constexpr std::size_t kCachedFiles = 4;

std::mutex cacheMutex;
std::vector<CachedFile> cache;  // most recently used last

void Remember(const std::string& path, const Identity& identity,
              std::shared_ptr<const IniDocument> document) {
  for (auto it = cache.begin(); it != cache.end(); ++it) {
    if (it->path == path) {
      cache.erase(it);
      break;
    }
  }
  if (cache.size() == kCachedFiles) cache.erase(cache.begin());
  cache.push_back({path, identity, std::move(document)});
}

// EFBIG beyond kMaxIniFileSize, a file that grows while it is read included.
int ReadWholeFile(int fd, std::size_t sizeHint, std::string& text) {
  if (sizeHint > kMaxIniFileSize) return EFBIG;
  text.resize(sizeHint + 1);  // room to see the end of the file without growing
  std::size_t filled = 0;
  for (;;) {
    if (filled > kMaxIniFileSize) return EFBIG;
    if (filled == text.size()) text.resize(text.size() + text.size() / 2 + 4096);
    ssize_t got = ::read(fd, text.data() + filled, text.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return errno;
    }
    if (got == 0) break;
    filled += static_cast<std::size_t>(got);
  }
  text.resize(filled);
  return 0;
}

// The file's document, from the cache when the file has not changed.  `error` is 0 when
// the file was read or does not exist, else why it could not be read.
std::shared_ptr<const IniDocument> Load(const std::string& path, int& error) {
  static const auto empty = std::make_shared<const IniDocument>();
  error = 0;
  // Not blocking: a pipe under the file's name would hold the open until a writer came.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    if (errno != ENOENT) error = errno;
    return empty;
  }
  struct stat status;
  if (::fstat(fd, &status) != 0 || InjectedFileFaults().readError != 0) {
    error = InjectedFileFaults().readError != 0 ? InjectedFileFaults().readError : errno;
    ::close(fd);
    return empty;
  }
  // A pipe or a device (a link to /dev/zero) may never end: only files and folders, whose
  // read tells EISDIR, are read.
  if (!S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode)) {
    error = ENODEV;
    ::close(fd);
    return empty;
  }
  Identity identity = ContentsIdentityOf(status);
  for (const CachedFile& entry : cache) {
    if (entry.path == path && entry.identity == identity) {
      ::close(fd);
      return entry.document;
    }
  }
  std::string text;
  error = ReadWholeFile(fd, static_cast<std::size_t>(status.st_size), text);
  ::close(fd);
  if (error != 0) return empty;
  auto document = std::make_shared<const IniDocument>(std::move(text));
  Remember(path, identity, document);
  return document;
}

bool HoldsLineBreakOrNul(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

}  // namespace

std::shared_ptr<const IniDocument> ReadIniFile(const std::string& path) {
  int error;
  return ReadIniFile(path, error);
}

std::shared_ptr<const IniDocument> ReadIniFile(const std::string& path, int& error) {
  std::lock_guard<std::mutex> lock(cacheMutex);
  return Load(path, error);
}

int UpdateIniFile(const std::string& path, const IniChange& change,
                  std::shared_ptr<const IniDocument>* written, struct stat* writtenStatus,
                  int* held) {
  std::lock_guard<std::mutex> lock(cacheMutex);
  FolderLock fileLock(path, held == nullptr);
  if (fileLock.Error() != 0) return fileLock.Error();
  int error;
  // Read under the lock: the file another process wrote since is the one changed here.
  std::shared_ptr<const IniDocument> current = Load(path, error);
  // A file that exists but cannot be read must not be replaced by one holding this value only.
  if (error != 0) return error;

  std::string text;
  if ((error = change(current, text)) != 0) return error;
  struct stat status;
  error = held != nullptr ? ReplaceEntry(path, text, &status, held)
                          : ReplaceFileContents(path, text, &status);
  if (error != 0) return error;
  auto document = std::make_shared<const IniDocument>(std::move(text));
  Remember(path, ContentsIdentityOf(status), document);
  if (written != nullptr) *written = std::move(document);
  if (writtenStatus != nullptr) *writtenStatus = status;
  return 0;
}

int WriteIniValue(const std::string& path, std::string_view section, std::string_view key,
                  std::string_view value) {
  if (HoldsLineBreakOrNul(section) || HoldsLineBreakOrNul(key) || HoldsLineBreakOrNul(value) ||
      section.find(']') != std::string_view::npos || key.find('=') != std::string_view::npos ||
      key.empty() || key.front() == '[' || key.front() == ';') {
    return EINVAL;
  }
  return UpdateIniFile(path, [&](const std::shared_ptr<const IniDocument>& current,
                                std::string& text) {
    text = current->WithValue(section, key, value);
    return 0;
  });
}

void RemoveInterruptedWrites(const std::string& path) {
  std::lock_guard<std::mutex> lock(cacheMutex);
  FolderLock fileLock(path);
  if (fileLock.Error() == 0) RemoveLeftTemporaries(path);
}

}  // namespace platform
