// Drive, folder and file lists in real Qt widgets: the rows shown and what the user's
// choices do to the form's model.
#include <gtest/gtest.h>

#include <QApplication>
#include <QComboBox>
#include <QListWidget>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "form_window_fixture.h"
#include "forms/forms.h"

namespace {

namespace fs = std::filesystem;

const fs::path& Tree() {
  static const fs::path root = [] {
    const fs::path path =
        fs::temp_directory_path() / ("file_list_widgets_" + std::to_string(::getpid()));
    fs::create_directories(path / "Sauvegardes");
    fs::create_directories(path / "Archives");
    std::ofstream(path / "Sauvegardes/20240503.back") << "x";
    std::ofstream(path / "Sauvegardes/notes.txt") << "x";
    return path;
  }();
  return root;
}

struct Picker : forms::Form {
  Picker() : Form("frmPicker") {
    SetScaleSize(6000, 4000);
    Drive1.Move(120, 120, 2400, 315);
    Dir1.Move(120, 600, 2400, 2000);
    File1.Move(2700, 600, 2400, 2000);
    File1.SetPattern("*.back");
    Dir1.SetPath(Tree().string());
    Dir1.Change = [this] { File1.SetPath(Dir1.Path()); };
  }
  forms::DriveListBox Drive1{*this, "Drive1"};
  forms::DirListBox Dir1{*this, "Dir1"};
  forms::FileListBox File1{*this, "File1"};
};

class FileListWidgets : public FormWindowTest<Picker> {
 protected:
  static void TearDownTestSuite() { fs::remove_all(Tree()); }
};

TEST_F(FileListWidgets, OpeningAFolderRowFillsTheFileList) {
  auto* folders = qobject_cast<QListWidget*>(window_->WidgetOf(form_->Dir1));
  auto* files = qobject_cast<QListWidget*>(window_->WidgetOf(form_->File1));
  ASSERT_NE(folders, nullptr);
  ASSERT_NE(files, nullptr);
  const int depth = form_->Dir1.AncestorCount();
  ASSERT_EQ(folders->count(), depth + 2);
  EXPECT_EQ(folders->item(0)->text(), QString("/"));
  EXPECT_EQ(folders->currentRow(), depth - 1);
  EXPECT_EQ(folders->item(depth + 1)->text().trimmed(), QString("Sauvegardes"));

  folders->setCurrentRow(depth + 1);
  EXPECT_EQ(form_->Dir1.ListIndex(), 1);
  emit folders->itemActivated(folders->item(depth + 1));
  window_->SyncNow();
  EXPECT_EQ(form_->Dir1.Path(), (Tree() / "Sauvegardes").string());
  ASSERT_EQ(files->count(), 1);
  EXPECT_EQ(files->item(0)->text(), QString("20240503.back"));

  files->setCurrentRow(0);
  EXPECT_EQ(form_->File1.FileName(), "20240503.back");
}

TEST_F(FileListWidgets, TypingAFoldersFirstLettersGoesToIt) {
  auto* folders = qobject_cast<QListWidget*>(window_->WidgetOf(form_->Dir1));
  ASSERT_NE(folders, nullptr);
  folders->setFocus();
  QTest::keyClicks(folders, "sau");
  EXPECT_EQ(folders->currentItem()->text().trimmed(), QString("Sauvegardes"));
  QTest::keyClick(folders, Qt::Key_Return);
  window_->SyncNow();
  EXPECT_EQ(form_->Dir1.Path(), (Tree() / "Sauvegardes").string());
}

TEST_F(FileListWidgets, TheDriveComboOffersTheRootFirst) {
  auto* drives = qobject_cast<QComboBox*>(window_->WidgetOf(form_->Drive1));
  ASSERT_NE(drives, nullptr);
  ASSERT_EQ(drives->count(), form_->Drive1.ListCount());
  EXPECT_EQ(drives->itemText(0), QString("/"));
  emit drives->activated(0);
  EXPECT_EQ(form_->Drive1.Drive(), "/");
  EXPECT_EQ(drives->currentIndex(), 0);
}

}  // namespace
