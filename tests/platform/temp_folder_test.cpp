#include "platform/temp_folder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/environment_of.h"

namespace {

std::filesystem::path WorkFolder() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::path(QUORVANE_BUILD_DIR "/test-work/temp_folder") /
                      test->name();
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

mode_t ModeOf(const std::filesystem::path& path) {
  struct stat info {};
  lstat(path.c_str(), &info);
  return info.st_mode & 07777;
}

TEST(PrivateTempFolder, IsMadeInTheRuntimeFolderElseInTmpdirClosedToOthers) {
  const auto work = WorkFolder();
  const auto runtime = platform::PrivateTempFolder(EnvironmentOf(
      {{"XDG_RUNTIME_DIR", work.string()}, {"TMPDIR", (work / "tmp").string()}}));
  ASSERT_TRUE(runtime);
  EXPECT_EQ(*runtime, work / "quorvane");
  EXPECT_EQ(ModeOf(*runtime), 0700u);

  std::filesystem::create_directories(work / "tmp");
  const auto tmp = platform::PrivateTempFolder(EnvironmentOf({{"TMPDIR", (work / "tmp").string()}}));
  ASSERT_TRUE(tmp);
  EXPECT_EQ(*tmp, work / "tmp" / ("quorvane-" + std::to_string(getuid())));
  EXPECT_EQ(ModeOf(*tmp), 0700u);
}

// A runtime folder that is gone (a variable left over from another session) must not stop
// every publication: the temporary folder is used instead.
TEST(PrivateTempFolder, AnUnusableRuntimeFolderFallsBackToTmpdir) {
  const auto work = WorkFolder();
  std::filesystem::create_directories(work / "tmp");
  const auto folder = platform::PrivateTempFolder(EnvironmentOf(
      {{"XDG_RUNTIME_DIR", (work / "gone").string()}, {"TMPDIR", (work / "tmp").string()}}));
  ASSERT_TRUE(folder);
  EXPECT_EQ(*folder, work / "tmp" / ("quorvane-" + std::to_string(getuid())));
}

TEST(PrivateTempFolder, ClosesAnOpenFolderOfOursAndRefusesALink) {
  const auto work = WorkFolder();
  const auto environment = EnvironmentOf({{"XDG_RUNTIME_DIR", work.string()}});
  std::filesystem::create_directory(work / "quorvane");
  chmod((work / "quorvane").c_str(), 0777);
  ASSERT_TRUE(platform::PrivateTempFolder(environment));
  EXPECT_EQ(ModeOf(work / "quorvane"), 0700u);

  // A link in its place is not followed, wherever it leads.
  std::filesystem::remove(work / "quorvane");
  std::filesystem::create_directory(work / "elsewhere");
  std::filesystem::create_directory_symlink(work / "elsewhere", work / "quorvane");
  EXPECT_FALSE(platform::PrivateTempFolder(environment));
}

}  // namespace
