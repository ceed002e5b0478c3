// A data file cut at any point inside a line, or after a section's header, is told with a
// copy of it kept, and nothing of the cut line is taken for a record.
#include "app/store/damaged_data_file.h"

#include <ctime>
#include <filesystem>
#include <set>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/store/codec.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/planner_in.h"
#include "app/store/records.h"

namespace store {
namespace {

using ::testing::HasSubstr;

// Every record the planner loaded is the one written under that number.
void ExpectWholeRecords(const std::vector<std::string>& loaded,
                        const std::vector<std::string>& written, std::size_t cut) {
  ASSERT_LE(loaded.size(), written.size()) << "cut at " << cut;
  for (std::size_t i = 0; i < loaded.size(); ++i) {
    if (!loaded[i].empty()) {
      EXPECT_EQ(loaded[i], written[i]) << "cut at " << cut;
    }
  }
}

TEST(DamagedDataFileTest, EveryCutPointIsToldWithACopyKept) {
  ScratchFolder folder;
  Planner earlier = PlannerIn(folder);
  AddResource(earlier, "Pont élévateur");
  AddResource(earlier, "Etau¦1");
  AddCategory(earlier, "Garage Nord¦255-0");
  earlier.ProjectTerms[0] = "Objets";
  SaveParams(earlier);
  AddActivity(earlier, "05.03.2030 09:00¦05.03.2030 10:30¦Vidange¦0¦255-1¦1¦0");
  AddActivity(earlier, "06.03.2030 09:00¦06.03.2030 10:30¦Pneus¦0¦255-1-2-30.06.2030¦0");
  const std::string whole = ReadTextFile(earlier.DataFile);

  int told = 0;
  for (std::size_t cut = 1; cut < whole.size(); ++cut) {
    const std::string text = whole.substr(0, cut);
    // After a whole key line the cut file reads like a shorter file: nothing tells them apart.
    const bool afterKeyLine = text.back() == '\n' && text[text.rfind('\n', cut - 2) + 1] != '[';
    if (afterKeyLine) continue;
    WriteTextFile(earlier.DataFile, text);
    Planner planner = PlannerIn(folder);
    const std::optional<std::string> notice = CheckDataFile(planner, 0).notice;
    ASSERT_TRUE(notice) << "cut at " << cut;
    ++told;
    EXPECT_THAT(*notice, HasSubstr("Le fichier de données est endommagé"));
    const std::string keptAs = "est gardée : ";
    const std::size_t kept = notice->find(keptAs) + keptAs.size();
    ASSERT_GE(kept, keptAs.size());
    const std::string copy = notice->substr(kept, notice->find('\n', kept) - kept);
    EXPECT_EQ(ReadTextFile(copy), text) << "cut at " << cut;
    std::filesystem::remove(copy);

    LoadResources(planner);
    LoadCategories(planner);
    LoadActivities(planner);
    ExpectWholeRecords(planner.Resources, earlier.Resources, cut);
    ExpectWholeRecords(planner.Categories, earlier.Categories, cut);
    ExpectWholeRecords(planner.Activities, earlier.Activities, cut);
    if (HasFailure()) break;
  }
  EXPECT_GT(told, static_cast<int>(whole.size()) * 9 / 10);
}

TEST(DamagedDataFileTest, TheNextWriteLeavesOutOnlyTheLinesToldOf) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  AddResource(planner, "Tour");
  const std::string good = ReadTextFile(planner.DataFile);
  const std::string cutSection = "[" + EncodeIniText("RESSOURCE1") + "]\n";
  WriteTextFile(planner.DataFile, "garbage\n" + good + cutSection);
  ASSERT_TRUE(CheckDataFile(planner, 0).notice);
  EXPECT_EQ(planner.KeptDamagedLines,
            (std::vector<std::string>{"garbage", cutSection.substr(0, cutSection.size() - 1)}));

  // A line damaged after the start was not told of: it stays for the next start to tell.
  WriteTextFile(planner.DataFile, "garbage\n" + good + cutSection + "later\n");
  AddResource(planner, "Scie");
  // The cut section still names its number: the new record takes the next one.
  EXPECT_THAT(planner.Resources, ::testing::ElementsAre("Tour", "", "Scie"));
  const std::string written = ReadTextFile(planner.DataFile);
  EXPECT_THAT(DamagedLines(written), ::testing::ElementsAre("later"));
  EXPECT_TRUE(written.starts_with(good));
}

// A long section (hostile or merely damaged) costs the sections after it nothing more.
TEST(DamagedDataFileTest, TheCheckGrowsWithTheLinesNotTheirSquare) {
  constexpr int kLines = 200000;  // near ten seconds of CPU time were it quadratic
  const std::string value = "=" + EncodeIniText("v") + "\n";
  std::string text = "[" + EncodeIniText(kParamSection) + "]\n";
  for (int i = 0; i < kLines; ++i) text += EncodeIniText("Type") + value;
  for (int i = 0; i < kLines; ++i)
    text += "[" + EncodeIniText("RESSOURCE" + std::to_string(i)) + "]\n" + EncodeIniText("Nom") + value;
  const std::clock_t start = std::clock();
  EXPECT_EQ(DamagedLines(text).size(), kLines - 1u) << "every setting given again";
  EXPECT_LT(std::clock() - start, 4 * CLOCKS_PER_SEC);
}

// The copy is made whole, as a new file beside the data file: neither the copies that a
// start killed while making them left half-made nor a link standing under the copy's name
// stand in for it.
TEST(DamagedDataFileTest, TheCopyIsANewWholeFileBesideTheDataFile) {
  ScratchFolder folder;
  ScratchFolder outside;
  Planner planner = PlannerIn(folder);
  AddResource(planner, "Tour");
  const std::string damaged = ReadTextFile(planner.DataFile) + "garbled\n";
  WriteTextFile(planner.DataFile, damaged);
  const std::time_t now = 1765400000;
  std::tm parts{};
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", localtime_r(&now, &parts));
  const std::string copy = planner.DataFile + ".endommagé-" + stamp;
  WriteTextFile(copy + ".tmp-Ab12Cd", damaged);  // killed before taking its name
  WriteTextFile(copy + ".tmp-Ef34Gh", damaged.substr(0, 10));
  std::filesystem::create_symlink(outside / "copy", copy);
  std::filesystem::create_symlink(copy + "-2", copy + "-2");  // a link that loops

  const std::optional<std::string> notice = CheckDataFile(planner, now).notice;
  ASSERT_TRUE(notice);
  EXPECT_THAT(*notice, HasSubstr("est gardée : " + copy + "-3\n"));
  EXPECT_EQ(ReadTextFile(copy + "-3"), damaged);
  EXPECT_TRUE(std::filesystem::is_empty(outside.Path()));
  std::set<std::string> entries;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path()))
    entries.insert(entry.path().string());
  EXPECT_THAT(entries, ::testing::ElementsAre(planner.DataFile, copy, copy + "-2", copy + "-3"));

  Planner next = PlannerIn(folder);
  EXPECT_THAT(CheckDataFile(next, now + 1).notice, ::testing::Optional(HasSubstr(copy + "-3\n")))
      << "told again while the lines are there, with no second copy";
}

}  // namespace
}  // namespace store
