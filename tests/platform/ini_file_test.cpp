#include "platform/ini_file.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <gtest/gtest.h>
#include <set>
#include <string>

#include "platform/scratch_folder.h"

namespace platform {
namespace {

TEST(IniFileTest, MissingFileReadsEmptyAndIsCreatedByAWrite) {
  ScratchFolder folder;
  std::string path = folder / "data";
  EXPECT_EQ(ReadIniFile(path)->SectionCount(), 0u);

  ASSERT_EQ(WriteIniValue(path, "S", "k", "v"), 0);
  EXPECT_EQ(ReadTextFile(path), "[S]\nk=v\n");
  EXPECT_EQ(ReadIniFile(path)->Value("S", "k"), "v");
}

TEST(IniFileTest, ChangesMadeOnDiskAreSeen) {
  ScratchFolder folder;
  std::string path = folder / "data";
  WriteTextFile(path, "[S]\nk=old\n");
  EXPECT_EQ(ReadIniFile(path)->Value("S", "k"), "old");

  WriteTextFile(path, "[S]\nk=newer\n");
  EXPECT_EQ(ReadIniFile(path)->Value("S", "k"), "newer");

  ASSERT_EQ(WriteIniValue(path, "S", "other", "1"), 0);
  EXPECT_EQ(ReadTextFile(path), "[S]\nk=newer\nother=1\n") << "the write starts from the disk";
}

TEST(IniFileTest, WritesLeaveNoTemporaryFileAndKeepThePermissions) {
  ScratchFolder folder;
  std::string path = folder / "data";
  WriteTextFile(path, "[S]\nk=1\n");
  ::chmod(path.c_str(), 0640);

  ASSERT_EQ(WriteIniValue(path, "S", "k", "2"), 0);

  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1);
  struct stat status;
  ASSERT_EQ(::stat(path.c_str(), &status), 0);
  EXPECT_EQ(status.st_mode & 0777, 0640u);
}

// A data file kept elsewhere through a link stays there: the write replaces the file the
// link names, and the link itself is left in place.
TEST(IniFileTest, AWriteThroughALinkReplacesTheLinkedFile) {
  ScratchFolder folder;
  std::filesystem::create_directory(folder / "kept");
  std::filesystem::create_directory(folder / "app");
  WriteTextFile(folder / "kept/data", "[S]\nk=1\n");
  std::filesystem::create_symlink("../kept/data", folder / "app/data");
  std::filesystem::create_symlink(folder / "app/data", folder / "app/second-link");

  ASSERT_EQ(WriteIniValue(folder / "app/data", "S", "k", "2"), 0);
  ASSERT_EQ(WriteIniValue(folder / "app/second-link", "S", "m", "3"), 0);

  EXPECT_TRUE(std::filesystem::is_symlink(folder / "app/data"));
  EXPECT_TRUE(std::filesystem::is_symlink(folder / "app/second-link"));
  EXPECT_EQ(ReadTextFile(folder / "kept/data"), "[S]\nk=2\nm=3\n");
  EXPECT_EQ(ReadIniFile(folder / "app/data")->Value("S", "m"), "3");
  for (const char* sub : {"kept", "app"}) {
    int entries = 0;
    for ([[maybe_unused]] const auto& entry :
         std::filesystem::directory_iterator(folder / sub)) {
      ++entries;
    }
    EXPECT_EQ(entries, std::string(sub) == "kept" ? 1 : 2) << "no temporary file in " << sub;
  }
}

TEST(IniFileTest, AFailedWriteLeavesTheFileAndTheCacheAsTheyWere) {
  ScratchFolder folder;
  std::string path = folder / "missing-folder/data";
  EXPECT_EQ(WriteIniValue(path, "S", "k", "v"), ENOENT);

  std::string existing = folder / "data";
  WriteTextFile(existing, "[S]\nk=1\n");
  EXPECT_EQ(WriteIniValue(existing, "S", "k", "a\nb"), EINVAL);
  EXPECT_EQ(WriteIniValue(existing, "S]", "k", "v"), EINVAL);
  EXPECT_EQ(WriteIniValue(existing, "S", "k=", "v"), EINVAL);
  EXPECT_EQ(WriteIniValue(existing, "S", "", "v"), EINVAL);
  EXPECT_EQ(ReadTextFile(existing), "[S]\nk=1\n");
  EXPECT_EQ(ReadIniFile(existing)->Value("S", "k"), "1");
}

TEST(IniFileTest, AFileThatCannotBeReadIsNotOverwritten) {
  ScratchFolder folder;
  std::string path = folder / "data";
  std::filesystem::create_directory(path);  // reading a folder fails with EISDIR
  EXPECT_NE(WriteIniValue(path, "S", "k", "v"), 0);
  EXPECT_TRUE(std::filesystem::is_directory(path));
}

// Two programs that write one data file at once: each value either of them wrote is there
// afterwards.
TEST(IniFileTest, TwoWritingProcessesKeepEachOthersValues) {
  ScratchFolder folder;
  std::string path = folder / "data";
  WriteTextFile(path, "[S]\nfirst=1\n");
  ASSERT_EQ(ReadIniFile(path)->Value("S", "first"), "1");  // both start from a cached copy
  constexpr int kKeys = 150;
  pid_t writers[2];
  for (int p = 0; p < 2; ++p) {
    writers[p] = ::fork();
    ASSERT_GE(writers[p], 0);
    if (writers[p] == 0) {
      int failures = 0;
      for (int k = 0; k < kKeys; ++k) {
        const std::string key = "p" + std::to_string(p) + "k" + std::to_string(k);
        if (WriteIniValue(path, "S", key, std::to_string(k)) != 0) ++failures;
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
  }
  for (pid_t writer : writers) {
    int status = 0;
    ASSERT_EQ(::waitpid(writer, &status, 0), writer);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }

  auto document = ReadIniFile(path);
  int missing = 0;
  for (int p = 0; p < 2; ++p) {
    for (int k = 0; k < kKeys; ++k) {
      if (document->Value("S", "p" + std::to_string(p) + "k" + std::to_string(k)) !=
          std::to_string(k)) {
        ++missing;
      }
    }
  }
  EXPECT_EQ(missing, 0);
  EXPECT_EQ(document->Value("S", "first"), "1");
  // A write of this process after theirs starts from their file, not from its cached one.
  ASSERT_EQ(WriteIniValue(path, "S", "last", "1"), 0);
  EXPECT_EQ(ReadIniFile(path)->Value("S", "p1k0"), "0");
}

// A write killed between its temporary file and the rename leaves that file behind; the
// next start clears them, and nothing else of the folder.
TEST(IniFileTest, InterruptedWritesAreClearedAndOtherFilesKept) {
  ScratchFolder folder;
  std::string path = folder / "data";
  WriteTextFile(path, "[S]\nk=1\n");
  for (const char* name : {"data.tmp-a1B2c3", "data.tmp-ZZZZZZ", "data.tmp-short", "data.backup",
                           "other.tmp-a1B2c3"}) {
    WriteTextFile(folder / name, "[S]\nk=");
  }
  RemoveInterruptedWrites(path);

  std::set<std::string> left;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    left.insert(entry.path().filename().string());
  EXPECT_EQ(left, (std::set<std::string>{"data", "data.tmp-short", "data.backup",
                                         "other.tmp-a1B2c3"}));
  EXPECT_EQ(ReadTextFile(path), "[S]\nk=1\n");
}

}  // namespace
}  // namespace platform
