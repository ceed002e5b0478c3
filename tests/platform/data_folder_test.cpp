#include "platform/data_folder.h"

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

#include "platform/scratch_folder.h"

namespace platform {
namespace {

class DataFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* value = std::getenv("XDG_DATA_HOME")) saved_ = value;
  }
  void TearDown() override {
    if (saved_) {
      ::setenv("XDG_DATA_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }
  std::optional<std::string> saved_;
};

TEST_F(DataFolderTest, FollowsXdgDataHome) {
  ::setenv("XDG_DATA_HOME", "/some/where/", 1);
  EXPECT_EQ(DataFolderPath(), "/some/where/Quorvane");

  const char* home = std::getenv("HOME");
  ASSERT_NE(home, nullptr);
  for (const char* unusable : {"", "relative/path"}) {
    ::setenv("XDG_DATA_HOME", unusable, 1);
    EXPECT_EQ(DataFolderPath(), std::string(home) + "/.local/share/Quorvane");
  }
  ::unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(DataFolderPath(), std::string(home) + "/.local/share/Quorvane");
}

TEST_F(DataFolderTest, CreatesTheFolderWithItsParentsAndKeepsAnExistingOne) {
  ScratchFolder scratch;
  std::string path = scratch / "a/b/Quorvane";
  ASSERT_EQ(MakeWritableFolder(path), 0);
  EXPECT_TRUE(std::filesystem::is_directory(path));

  WriteTextFile(path + "/data", "kept");
  ASSERT_EQ(MakeWritableFolder(path), 0);
  EXPECT_EQ(ReadTextFile(path + "/data"), "kept");
}

TEST_F(DataFolderTest, RefusesWhatIsNotAFolder) {
  ScratchFolder scratch;
  WriteTextFile(scratch / "file", "");
  EXPECT_EQ(MakeWritableFolder(scratch / "file"), ENOTDIR);
  EXPECT_EQ(MakeWritableFolder(scratch / "file/Quorvane"), ENOTDIR);
}

}  // namespace
}  // namespace platform
