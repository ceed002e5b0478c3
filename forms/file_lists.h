// Drive, folder and file lists, filled from the real file system.  The "drives" are the
// root "/" and the user's home folder; paths are POSIX folder paths without a trailing "/"
// (except the root).  The program cannot add items: each list reads its own.
#pragma once

#include <string>
#include <vector>

#include "forms/control.h"

namespace forms {

inline constexpr int kErrDeviceUnavailable = 68;
inline constexpr int kErrPathNotFound = 76;

// What the three lists share: their items and the selected one.
class FileSystemList : public Control {
 public:
  int ListCount() const { return static_cast<int>(items_.size()); }
  // Item `index`; "" outside the list.
  virtual std::string List(int index) const;
  int ListIndex() const { return listIndex_; }
  // What choosing an item does differs with the kind of list.
  virtual void SetListIndex(int index) = 0;

 protected:
  FileSystemList(Container& parent, std::string name);
  // Replaces the items; the selection goes without a Click.
  void Fill(std::vector<std::string> items);
  void Select(int index);

 private:
  std::vector<std::string> items_;
  int listIndex_ = -1;
};

// The drives: List(i) is the drive's folder.  Choosing one, by the user or through
// SetListIndex, changes Drive and raises Change.
class DriveListBox : public FileSystemList {
 public:
  DriveListBox(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kDriveListBox; }

  // The folder of the current drive.  At first the drive holding the working folder.
  std::string Drive() const { return List(ListIndex()); }
  // Takes the drive that holds `value` (a drive or any path on it); raises Change when the
  // drive is another.  An error (68) when no drive holds it.
  void SetDrive(const std::string& value);
  void SetListIndex(int index) override;  // an error (380) outside the list
};

// The folders: List(-1) is Path itself, List(-2) the folder holding it and so on up to the
// root at List(-AncestorCount()); List(0) .. List(ListCount - 1) are the subfolders of Path,
// sorted, hidden ones left out.  All items are full paths.  ListIndex is -1 after every
// change of Path; choosing an item selects it (Click), opening it makes it the Path (Change).
class DirListBox : public FileSystemList {
 public:
  DirListBox(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kDirListBox; }

  // At first the working folder.
  const std::string& Path() const { return path_; }
  // A path relative to the current one is taken from there.  Raises Change when the folder
  // is another.  An error (76) when it is not an existing folder.
  void SetPath(const std::string& value);
  // Reads the folder again.
  void Refresh();

  int AncestorCount() const { return static_cast<int>(ancestors_.size()); }
  std::string List(int index) const override;
  void SetListIndex(int index) override;  // an error (380) outside -AncestorCount() .. ListCount - 1
  // What a double-click or Enter does: the selected item becomes the Path.
  void OpenSelected();

 private:
  std::string path_;
  std::vector<std::string> ancestors_;  // the root first, Path last
};

// The files of Path whose names match Pattern, sorted, hidden ones left out.  List(i) is a
// file name.  Choosing one selects it (Click); the user's double-click raises DblClick.
class FileListBox : public FileSystemList {
 public:
  FileListBox(Container& parent, std::string name);
  ControlKind Kind() const override { return ControlKind::kFileListBox; }

  // At first the working folder.
  const std::string& Path() const { return path_; }
  // As DirListBox::SetPath; reads the folder again and clears the selection.
  void SetPath(const std::string& value);
  // Shell wildcards ("*.back"); several are separated by ";".  At first "*".
  const std::string& Pattern() const { return pattern_; }
  void SetPattern(const std::string& value);
  void Refresh();

  // The selected file's name, "" without a selection.
  std::string FileName() const { return List(ListIndex()); }
  void SetListIndex(int index) override;  // an error (380) outside -1 .. ListCount - 1

 private:
  std::string path_;
  std::string pattern_ = "*";
};

}  // namespace forms
