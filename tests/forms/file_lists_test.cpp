// Drive, folder and file lists against a folder tree made for each test.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "forms/forms.h"
#include "forms/user_driver.h"

namespace {

namespace fs = std::filesystem;
using forms::testing::UserDriver;

struct Picker : forms::Form {
  Picker() : Form("frmPicker") {
    Drive1.Change = [this] { events.push_back("Drive1_Change " + Drive1.Drive()); };
    Dir1.Change = [this] {
      events.push_back("Dir1_Change " + Dir1.Path());
      File1.SetPath(Dir1.Path());
    };
    Dir1.Click = [this] { events.push_back("Dir1_Click"); };
    File1.Click = [this] { events.push_back("File1_Click " + File1.FileName()); };
    File1.DblClick = [this] { events.push_back("File1_DblClick"); };
  }
  forms::DriveListBox Drive1{*this, "Drive1"};
  forms::DirListBox Dir1{*this, "Dir1"};
  forms::FileListBox File1{*this, "File1"};
  std::vector<std::string> events;
};

class FileLists : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("file_lists_" + std::to_string(::getpid()) + "_" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    for (const char* folder : {"Sauvegardes/2024", "Archives", "beta", ".cache"})
      fs::create_directories(root_ / folder);
    for (const char* file : {"Sauvegardes/20240503.back", "Sauvegardes/20240412.back",
                             "Sauvegardes/notes.txt", "Sauvegardes/.old.back",
                             "Sauvegardes/planning.back.txt"})
      std::ofstream(root_ / file) << "x";
    fs::create_directories(root_ / "Sauvegardes/dossier.back");
  }
  void TearDown() override { fs::remove_all(root_); }

  std::string Root() const { return root_.string(); }
  fs::path root_;
};

TEST_F(FileLists, FolderListShowsVisibleSubfoldersSortedWithAncestorsAbove) {
  Picker form;
  form.Dir1.SetPath(Root() + "/");
  EXPECT_EQ(form.Dir1.Path(), Root());
  ASSERT_EQ(form.Dir1.ListCount(), 3);
  EXPECT_EQ(form.Dir1.List(0), Root() + "/Archives");
  EXPECT_EQ(form.Dir1.List(1), Root() + "/Sauvegardes");
  EXPECT_EQ(form.Dir1.List(2), Root() + "/beta");
  EXPECT_EQ(form.Dir1.ListIndex(), -1);
  EXPECT_EQ(form.Dir1.List(-1), Root());
  EXPECT_EQ(form.Dir1.List(-2), root_.parent_path().string());
  EXPECT_EQ(form.Dir1.List(-form.Dir1.AncestorCount()), "/");
  EXPECT_EQ(form.Dir1.List(3), "");
}

TEST_F(FileLists, FolderChangesRaiseChangeOnceAndRelativePathsStartFromThePath) {
  Picker form;
  form.Dir1.SetPath(Root());
  form.events.clear();
  form.Dir1.SetPath(Root());
  EXPECT_TRUE(form.events.empty());

  form.Dir1.SetPath("Sauvegardes");
  form.Dir1.SetPath("../beta");
  EXPECT_EQ(form.events, (std::vector<std::string>{"Dir1_Change " + Root() + "/Sauvegardes",
                                                   "Dir1_Change " + Root() + "/beta"}));

  try {
    form.Dir1.SetPath(Root() + "/missing");
    FAIL() << "a missing folder was taken";
  } catch (const forms::RuntimeError& error) {
    EXPECT_EQ(error.Number(), forms::kErrPathNotFound);
  }
  EXPECT_THROW(form.Dir1.SetPath(Root() + "/Sauvegardes/notes.txt"), forms::RuntimeError);
  EXPECT_EQ(form.Dir1.Path(), Root() + "/beta");
}

TEST_F(FileLists, TheUserSelectsAFolderThenOpensIt) {
  Picker form;
  form.Dir1.SetPath(Root());
  form.events.clear();
  UserDriver user;
  user.Choose(form.Dir1, 1);
  EXPECT_EQ(form.Dir1.Path(), Root());
  EXPECT_EQ(form.events, std::vector<std::string>{"Dir1_Click"});

  user.Open(form.Dir1, 1);
  EXPECT_EQ(form.Dir1.Path(), Root() + "/Sauvegardes");
  EXPECT_EQ(form.Dir1.ListIndex(), -1);
  EXPECT_EQ(form.Dir1.List(0), Root() + "/Sauvegardes/2024");
  EXPECT_EQ(form.File1.Path(), Root() + "/Sauvegardes");

  // Up again through the folder holding it.
  user.Open(form.Dir1, -2);
  EXPECT_EQ(form.Dir1.Path(), Root());
  EXPECT_THROW(form.Dir1.SetListIndex(3), forms::RuntimeError);
  EXPECT_THROW(form.Dir1.SetListIndex(-form.Dir1.AncestorCount() - 1), forms::RuntimeError);
}

TEST_F(FileLists, FileListKeepsVisibleFilesMatchingThePattern) {
  Picker form;
  form.File1.SetPattern("*.back");
  form.File1.SetPath(Root() + "/Sauvegardes");
  ASSERT_EQ(form.File1.ListCount(), 2);
  EXPECT_EQ(form.File1.List(0), "20240412.back");
  EXPECT_EQ(form.File1.List(1), "20240503.back");
  EXPECT_EQ(form.File1.FileName(), "");

  form.File1.SetPattern("*.txt; *.back");
  EXPECT_EQ(form.File1.ListCount(), 4);
  form.File1.SetPattern("*");
  EXPECT_EQ(form.File1.ListCount(), 4);
  EXPECT_THROW(form.File1.SetPath(Root() + "/missing"), forms::RuntimeError);
  EXPECT_EQ(form.File1.Path(), Root() + "/Sauvegardes");
}

TEST_F(FileLists, ChoosingAFileSelectsItAndANewFolderClearsTheSelection) {
  Picker form;
  form.File1.SetPattern("*.back");
  form.File1.SetPath(Root() + "/Sauvegardes");
  UserDriver user;
  user.Choose(form.File1, "20240503.back");
  user.DoubleClick(form.File1);
  EXPECT_EQ(form.File1.FileName(), "20240503.back");
  EXPECT_EQ(form.File1.ListIndex(), 1);
  EXPECT_EQ(form.events, (std::vector<std::string>{"File1_Click 20240503.back",
                                                   "File1_Click 20240503.back",
                                                   "File1_DblClick"}));

  std::ofstream(root_ / "Sauvegardes/20240601.back") << "x";
  form.File1.Refresh();
  EXPECT_EQ(form.File1.ListCount(), 3);
  EXPECT_EQ(form.File1.FileName(), "");

  form.File1.SetPath(Root());
  EXPECT_EQ(form.File1.ListCount(), 0);
  EXPECT_THROW(user.Choose(form.File1, "20240503.back"), std::logic_error);
}

TEST_F(FileLists, DrivesAreTheRootAndTheHomeFolder) {
  const char* savedHome = std::getenv("HOME");
  const std::string home = savedHome != nullptr ? savedHome : "";
  ::setenv("HOME", Root().c_str(), 1);
  Picker form;
  if (savedHome != nullptr) ::setenv("HOME", home.c_str(), 1);

  ASSERT_EQ(form.Drive1.ListCount(), 2);
  EXPECT_EQ(form.Drive1.List(0), "/");
  EXPECT_EQ(form.Drive1.List(1), Root());

  form.Drive1.SetDrive("/");
  form.events.clear();
  form.Drive1.SetDrive(Root() + "/Sauvegardes");
  EXPECT_EQ(form.Drive1.Drive(), Root());
  form.Drive1.SetDrive(Root());
  UserDriver user;
  user.Choose(form.Drive1, 0);
  EXPECT_EQ(form.events,
            (std::vector<std::string>{"Drive1_Change " + Root(), "Drive1_Change /"}));
  try {
    form.Drive1.SetDrive("relative/folder");
    FAIL() << "a drive was found for a relative path";
  } catch (const forms::RuntimeError& error) {
    EXPECT_EQ(error.Number(), forms::kErrDeviceUnavailable);
  }
}

}  // namespace
