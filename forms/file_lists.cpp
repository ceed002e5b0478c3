#include "forms/file_lists.h"

#include <fnmatch.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "forms/error.h"

namespace forms {

namespace {

namespace fs = std::filesystem;

std::string WithoutTrailingSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

bool IsFolder(const fs::path& path) {
  std::error_code error;
  return fs::is_directory(path, error);
}

std::string WorkingFolder() {
  std::error_code error;
  const fs::path path = fs::current_path(error);
  return error ? "/" : WithoutTrailingSlash(path.lexically_normal().string());
}

std::string HomeFolder() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') {
    const passwd* entry = getpwuid(getuid());
    home = entry != nullptr ? entry->pw_dir : nullptr;
  }
  if (home == nullptr || *home != '/' || !IsFolder(home)) return "";
  return WithoutTrailingSlash(fs::path(home).lexically_normal().string());
}

// `value` made absolute from `base` and checked to be a folder.
std::string ResolveFolder(const std::string& base, const std::string& value) {
  fs::path path(value);
  if (path.is_relative()) path = fs::path(base) / path;
  path = path.lexically_normal();
  if (value.empty() || !IsFolder(path)) throw RuntimeError(kErrPathNotFound, "Path not found");
  return WithoutTrailingSlash(path.string());
}

bool Holds(const std::string& folder, const std::string& path) {
  if (folder == "/") return path.starts_with('/');
  return path == folder || path.starts_with(folder + "/");
}

bool MatchesPattern(const std::string& name, const std::string& pattern) {
  std::size_t start = 0;
  while (start <= pattern.size()) {
    std::size_t end = pattern.find(';', start);
    if (end == std::string::npos) end = pattern.size();
    std::string one = pattern.substr(start, end - start);
    one.erase(0, one.find_first_not_of(' '));
    one.erase(one.find_last_not_of(' ') + 1);
    if (!one.empty() && fnmatch(one.c_str(), name.c_str(), 0) == 0) return true;
    start = end + 1;
  }
  return false;
}

// The sorted names of the visible folders, or of the visible files matching `pattern`,
// that `folder` holds.  Entries that cannot be read are left out.
std::vector<std::string> ReadFolder(const std::string& folder, bool folders,
                                    const std::string& pattern = "") {
  std::vector<std::string> names;
  std::error_code error;
  for (fs::directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
       !error && it != fs::directory_iterator(); it.increment(error)) {
    const std::string name = it->path().filename().string();
    if (name.starts_with('.')) continue;
    std::error_code typeError;
    if (folders) {
      if (!it->is_directory(typeError)) continue;
    } else {
      if (!it->is_regular_file(typeError) || !MatchesPattern(name, pattern)) continue;
    }
    names.push_back(name);
  }
  std::sort(names.begin(), names.end());
  return names;
}

void CheckIndex(int index, int first, int count) {
  if (index < first || index >= count)
    throw RuntimeError(kErrInvalidPropertyValue, "Invalid property value");
}

}  // namespace

FileSystemList::FileSystemList(Container& parent, std::string name)
    : Control(parent, std::move(name)) {
  SetBackColor(kWindowBackground);
  SetForeColor(kWindowText);
}

std::string FileSystemList::List(int index) const {
  if (index < 0 || index >= ListCount()) return "";
  return items_[index];
}

void FileSystemList::Fill(std::vector<std::string> items) {
  if (items == items_ && listIndex_ == -1) return;
  items_ = std::move(items);
  listIndex_ = -1;
  Changed();
}

void FileSystemList::Select(int index) {
  listIndex_ = index;
  Changed();
}

DriveListBox::DriveListBox(Container& parent, std::string name)
    : FileSystemList(parent, std::move(name)) {
  Move(0, 0, 1935, 315);
  std::vector<std::string> drives{"/"};
  const std::string home = HomeFolder();
  if (!home.empty() && home != "/") drives.push_back(home);
  Fill(std::move(drives));
  const std::string working = WorkingFolder();
  Select(ListCount() > 1 && Holds(List(1), working) ? 1 : 0);
}

void DriveListBox::SetDrive(const std::string& value) {
  const std::string path = WithoutTrailingSlash(fs::path(value).lexically_normal().string());
  // The home drive lies inside the root one: the innermost drive holding the path wins.
  for (int i = ListCount() - 1; i >= 0; --i) {
    if (Holds(List(i), path)) {
      SetListIndex(i);
      return;
    }
  }
  throw RuntimeError(kErrDeviceUnavailable, "Device unavailable");
}

void DriveListBox::SetListIndex(int index) {
  CheckIndex(index, 0, ListCount());
  if (index == ListIndex()) return;
  Select(index);
  RaiseChange();
}

DirListBox::DirListBox(Container& parent, std::string name)
    : FileSystemList(parent, std::move(name)), path_(WorkingFolder()) {
  Move(0, 0, 1935, 1500);
  Refresh();
}

void DirListBox::SetPath(const std::string& value) {
  const std::string path = ResolveFolder(path_, value);
  if (path == path_) return;
  path_ = path;
  Refresh();
  RaiseChange();
}

void DirListBox::Refresh() {
  ancestors_.clear();
  fs::path walked;
  for (const fs::path& part : fs::path(path_)) {
    walked /= part;
    ancestors_.push_back(WithoutTrailingSlash(walked.string()));
  }
  std::vector<std::string> subfolders = ReadFolder(path_, true);
  for (std::string& name : subfolders) name = (fs::path(path_) / name).string();
  Fill(std::move(subfolders));
  // A folder kept with the same subfolders still has to show its new ancestors.
  Changed();
}

std::string DirListBox::List(int index) const {
  if (index < 0 && index >= -AncestorCount()) return ancestors_[AncestorCount() + index];
  return FileSystemList::List(index);
}

void DirListBox::SetListIndex(int index) {
  CheckIndex(index, -AncestorCount(), ListCount());
  Select(index);
  RaiseClick();
}

void DirListBox::OpenSelected() { SetPath(List(ListIndex())); }

FileListBox::FileListBox(Container& parent, std::string name)
    : FileSystemList(parent, std::move(name)), path_(WorkingFolder()) {
  Move(0, 0, 1935, 1500);
  Refresh();
}

void FileListBox::SetPath(const std::string& value) {
  path_ = ResolveFolder(path_, value);
  Refresh();
}

void FileListBox::SetPattern(const std::string& value) {
  pattern_ = value;
  Refresh();
}

void FileListBox::Refresh() { Fill(ReadFolder(path_, false, pattern_)); }

void FileListBox::SetListIndex(int index) {
  CheckIndex(index, -1, ListCount());
  Select(index);
  RaiseClick();
}

}  // namespace forms
