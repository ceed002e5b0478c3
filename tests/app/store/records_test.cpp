#include "app/store/records.h"

#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <set>

#include <filesystem>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/store/codec.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/planner_in.h"
#include "app/store/record_sections.h"
#include "platform/file_faults.h"

namespace store {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

const std::string kActivity = "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1¦2¦0";
const std::string kPeriodicActivity =
    "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1-2-30.06.2030¦2¦0";

Planner Reloaded(const Planner& planner) {
  Planner fresh;
  fresh.DataFile = planner.DataFile;
  LoadResources(fresh);
  LoadActivities(fresh);
  LoadCategories(fresh);
  LoadParams(fresh);
  return fresh;
}

TEST(RecordsTest, NoDataFileGivesEmptyTablesAndSettings) {
  ScratchFolder folder;
  Planner planner = Reloaded(PlannerIn(folder));
  EXPECT_EQ(planner.ResourceMax(), -1);
  EXPECT_EQ(planner.CategoryMax(), -1);
  EXPECT_EQ(planner.ActivityMax(), -1);
  EXPECT_EQ(planner.ActivityType, "");
  EXPECT_EQ(planner.ProjectTerms[0] + planner.ActivityTerms[0] + planner.ResourceTerms[0], "");
}

TEST(RecordsTest, AddedRecordsTakeTheNextIndexAndReloadUnchanged) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  AddCategory(planner, "Nord¦255-0");
  EXPECT_EQ(planner.CategoryMax(), 0);
  AddCategory(planner, "Sud¦65280-1");
  EXPECT_EQ(planner.CategoryMax(), 1);
  AddResource(planner, "Salle 2");
  AddActivity(planner, kActivity);
  AddActivity(planner, kPeriodicActivity);

  EXPECT_EQ(ReadIni("CATEGORIE1", "Nom", planner.DataFile), "Sud¦65280-1");
  Planner reloaded = Reloaded(planner);
  EXPECT_EQ(reloaded.Categories, planner.Categories);
  EXPECT_THAT(reloaded.Resources, ElementsAre("Salle 2"));
  EXPECT_THAT(reloaded.Activities, ElementsAre(kActivity, kPeriodicActivity));
}

TEST(RecordsTest, ReplacingAResourceKeepsItsIndex) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  AddResource(planner, "Salle 1");
  AddResource(planner, "Salle 2");
  AddResource(planner, "Salle 3");

  SetResourceRecord(planner, 1, "Salle 2¦1");
  EXPECT_THAT(Reloaded(planner).Resources, ElementsAre("Salle 1", "Salle 2¦1", "Salle 3"));
  SetResourceRecord(planner, 1, "Salle 2");
  EXPECT_THAT(Reloaded(planner).Resources, ElementsAre("Salle 1", "Salle 2", "Salle 3"));

  SetActivityRecord(planner, 0, kActivity);  // no such activity yet
  SetResourceRecord(planner, -1, "nobody");
  SetCategoryRecord(planner, 3, "nothing");
  EXPECT_EQ(MaxSectionIndex(planner, "ACTIVITE"), -1);
  EXPECT_EQ(MaxSectionIndex(planner, "CATEGORIE"), -1);
  EXPECT_THAT(planner.Resources, ElementsAre("Salle 1", "Salle 2", "Salle 3"));
}

TEST(RecordsTest, AMissingIndexLoadsAsAnEmptyRecord) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  WriteIni(planner, "ACTIVITE2", "Nom", kPeriodicActivity, planner.DataFile);
  WriteIni(planner, "ACTIVITE0", "Nom", kActivity, planner.DataFile);

  Planner reloaded = Reloaded(planner);
  EXPECT_THAT(reloaded.Activities, ElementsAre(kActivity, "", kPeriodicActivity));

  AddActivity(reloaded, "next");
  EXPECT_EQ(reloaded.ActivityMax(), 3) << "an added record never overwrites one in the file";
}

TEST(RecordsTest, TheFirstSectionOfAnIndexHoldsTheRecord) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  auto section = [](const std::string& name, const std::string& record) {
    return "[" + name + "]\n" + EncodeIniText("Nom") + "=" + EncodeIniText(record) + "\n";
  };
  std::string lowered = EncodeIniText("ACTIVITE0");
  for (char& c : lowered) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  WriteTextFile(planner.DataFile, section(lowered, "first") +
                                      section(EncodeIniText("ACTIVITE1"), "second") +
                                      section(EncodeIniText("ACTIVITE0"), "repeated"));
  LoadActivities(planner);
  EXPECT_THAT(planner.Activities, ElementsAre("first", "second"));
  EXPECT_EQ(ReadIni("ACTIVITE0", "Nom", planner.DataFile), "first");
}

// A hand-edited file may hold a section whose name only reads like a record's ("ACTIVITE01",
// or a name with stray symbols after its code).  It counts for the highest index, but the
// record is read from the section a replace writes to; else a changed record would come
// back as it was at the next start.
TEST(RecordsTest, OnlyARecordsOwnSectionNameHoldsIt) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  auto section = [](const std::string& name, const std::string& record) {
    return "[" + name + "]\n" + EncodeIniText("Nom") + "=" + EncodeIniText(record) + "\n";
  };
  WriteTextFile(planner.DataFile, section(EncodeIniText("ACTIVITE01"), "look-alike") +
                                      section(EncodeIniText("ACTIVITE0"), "first") +
                                      section(EncodeIniText("ACTIVITE1"), "second") +
                                      section(EncodeIniText("ACTIVITE3") + "Z9", "stray"));
  LoadActivities(planner);
  EXPECT_THAT(planner.Activities, ElementsAre("first", "second", "", ""));

  SetActivityRecord(planner, 1, "changed");
  SetActivityRecord(planner, 3, "third");
  EXPECT_THAT(Reloaded(planner).Activities, ElementsAre("first", "changed", "", "third"));
}

// A damaged or hostile file loads what it can: no crash, and no table sized by an index
// far beyond any real plan.
TEST(RecordsTest, ADamagedFileLoadsWhatItCan) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  const std::string nom = EncodeIniText("Nom");
  // Counted from the literal itself: it holds a NUL, so its length cannot be taken by strlen.
  constexpr char kGarbage[] = "\xEF\xBB\xBF\0garbage\xff\xfe\n[\n=\n[]\n";
  std::string text(kGarbage, sizeof kGarbage - 1);
  text += "[" + EncodeIniText("RESSOURCE" + std::to_string(kMaxRecordIndex + 1)) + "]\n" + nom +
          "=" + EncodeIniText("too far") + "\n";
  text += "[" + EncodeIniText("RESSOURCE1") + "]\n" + std::string(1 << 20, 'G') + "\n" + nom +
          "=" + EncodeIniText("kept") + "\xc3\n";
  text += "[" + EncodeIniText("RESSOURCE0") + "\0]\n" + nom + "=" + EncodeIniText("nul") + "\n";
  WriteTextFile(planner.DataFile, text);

  LoadResources(planner);
  EXPECT_THAT(planner.Resources, ElementsAre("", "kept"));
  AddResource(planner, "Salle");
  EXPECT_THAT(Reloaded(planner).Resources, ElementsAre("", "kept", "Salle"));
}

std::string RecordSection(const std::string& name, const std::string& record) {
  return "[" + EncodeIniText(name) + "]\n" + EncodeIniText("Nom") + "=" + EncodeIniText(record) +
         "\n";
}

// A file of a few hundred bytes numbering its only records 4,194,303 loads none of them, at no cost,
// and keeps them; records added afterwards take the first numbers and come back.
TEST(RecordsTest, ARecordNumberedFarBeyondTheOthersIsPassedOver) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  const std::string far = std::to_string(kMaxRecordIndex);
  const std::string text = RecordSection("RESSOURCE" + far, "Loin") +
                           RecordSection("CATEGORIE" + far, "Loin¦255-0") +
                           RecordSection("ACTIVITE" + far, kActivity);
  WriteTextFile(planner.DataFile, text);

  Planner loaded = Reloaded(planner);
  EXPECT_EQ(loaded.Resources.capacity() + loaded.Categories.capacity() +
                loaded.Activities.capacity(),
            0u);
  ASSERT_TRUE(AddResource(loaded, "Salle"));
  ASSERT_TRUE(AddCategory(loaded, "Nord¦255-0"));
  ASSERT_TRUE(AddActivity(loaded, kActivity));
  Planner restarted = Reloaded(planner);
  EXPECT_THAT(restarted.Resources, ElementsAre("Salle"));
  EXPECT_THAT(restarted.Categories, ElementsAre("Nord¦255-0"));
  EXPECT_THAT(restarted.Activities, ElementsAre(kActivity));
  EXPECT_EQ(ReadIni("RESSOURCE" + far, "Nom", planner.DataFile), "Loin");
}

// The number after the highest is borne by a section that the loads pass over: the
// addition is refused and told, and nothing changes.
TEST(RecordsTest, ARecordTheNextStartWouldNotReadBackIsRefused) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  std::vector<std::string> messages;
  planner.ShowWriteFailure = [&](const std::string& message) { messages.push_back(message); };
  planner.ResourceTerms = {"Ressources", "Ressource", "F"};
  const int last = kMaxUnusedRecordNumbers + 1;
  WriteTextFile(planner.DataFile, RecordSection("RESSOURCE" + std::to_string(last), "Dernière") +
                                      RecordSection("RESSOURCE" + std::to_string(last + 1), "Loin"));
  const std::string before = ReadTextFile(planner.DataFile);
  LoadResources(planner);
  ASSERT_EQ(planner.ResourceMax(), last);

  EXPECT_FALSE(AddResource(planner, "Salle"));
  EXPECT_EQ(ReadTextFile(planner.DataFile), before);
  EXPECT_EQ(planner.ResourceMax(), last);
  EXPECT_THAT(messages, ElementsAre(HasSubstr(
                            "Une ressource de plus ne peut pas être enregistrée : le fichier de "
                            "données n'a plus de numéro libre à lui donner.")));
}

TEST(RecordsTest, ALoadWithoutRecordsKeepsTheTable) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  planner.Resources = {"kept"};
  LoadResources(planner);
  EXPECT_THAT(planner.Resources, ElementsAre("kept"));
}

TEST(RecordsTest, SettingsAreSavedAndLoaded) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  planner.ActivityType = "Garage";
  planner.ProjectTerms[0] = "Objets";
  planner.ActivityTerms[0] = "Réparations";
  planner.ResourceTerms[0] = "";
  SaveParams(planner);

  Planner reloaded = Reloaded(planner);
  EXPECT_EQ(reloaded.ActivityType, "Garage");
  EXPECT_EQ(reloaded.ProjectTerms[0], "Objets");
  EXPECT_EQ(reloaded.ActivityTerms[0], "Réparations");
  EXPECT_EQ(reloaded.ResourceTerms[0], "");
}

// Makes writes into a folder fail.  A read-only folder does, except for a user whom the
// permissions do not stop (root, as tests often run): then a file size limit below the size
// of the file about to be written makes the write fail as a full disk would.
class WriteBlocker {
 public:
  WriteBlocker(const std::string& folder, std::size_t sizeLimit) : folder_(folder) {
    ::chmod(folder_.c_str(), 0555);
    std::string probe = folder_ + "/probe";
    if (::access(folder_.c_str(), W_OK) != 0 && ::mkdir(probe.c_str(), 0700) != 0) return;
    ::rmdir(probe.c_str());
    ::chmod(folder_.c_str(), 0755);
    limited_ = true;
    ::getrlimit(RLIMIT_FSIZE, &saved_);
    rlimit limit = saved_;
    limit.rlim_cur = sizeLimit;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    previousHandler_ = ::signal(SIGXFSZ, SIG_IGN);
  }
  ~WriteBlocker() {
    if (limited_) {
      ::setrlimit(RLIMIT_FSIZE, &saved_);
      ::signal(SIGXFSZ, previousHandler_);
    }
    ::chmod(folder_.c_str(), 0755);
  }

 private:
  std::string folder_;
  bool limited_ = false;
  rlimit saved_{};
  sighandler_t previousHandler_ = SIG_DFL;
};

TEST(RecordsTest, AFailedWriteKeepsTheFileAndTheChangeAndIsReported) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  std::vector<std::string> messages;
  planner.ShowWriteFailure = [&](const std::string& message) { messages.push_back(message); };
  AddResource(planner, "Salle 1");
  const std::string before = ReadTextFile(planner.DataFile);
  {
    WriteBlocker blocker(folder.Path(), before.size());
    AddResource(planner, "Salle 2");
  }

  EXPECT_EQ(ReadTextFile(planner.DataFile), before);
  EXPECT_THAT(planner.Resources, ElementsAre("Salle 1", "Salle 2"));
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_THAT(messages[0], HasSubstr("Les données n'ont pas pu être enregistrées."));
  EXPECT_THAT(messages[0], HasSubstr(planner.DataFile));

  int entries = 0;
  for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    ++entries;
  }
  EXPECT_EQ(entries, 1) << "no temporary file is left behind";

  SetResourceRecord(planner, 1, "Salle 2");
  EXPECT_THAT(Reloaded(planner).Resources, ElementsAre("Salle 1", "Salle 2"));
  EXPECT_EQ(messages.size(), 1u);
}

// The disk is full while "Etau" is added: the user is told, the file is left as it was and
// the planner keeps showing "Etau", which the next write that succeeds saves under its own
// number.  A change that never got written is not in the file at the next start, and the
// number it had is the next record's: no gap.
TEST(RecordsTest, AChangeThatCouldNotBeWrittenIsWrittenByTheNextWrite) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  std::vector<std::string> messages;
  planner.ShowWriteFailure = [&](const std::string& message) { messages.push_back(message); };
  for (const char* name : {"Perceuse", "Tour", "Fraiseuse"}) AddResource(planner, name);
  const std::string before = ReadTextFile(planner.DataFile);
  auto diskFull = [](bool full) { platform::InjectedFileFaults().writeError = full ? ENOSPC : 0; };

  diskFull(true);
  AddResource(planner, "Etau");
  diskFull(false);
  EXPECT_EQ(ReadTextFile(planner.DataFile), before);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_THAT(messages[0], HasSubstr("Cause : espace disque insuffisant"));
  EXPECT_THAT(messages[0], HasSubstr("sera enregistrée avec la prochaine"));
  EXPECT_EQ(planner.ResourceMax(), 3);

  AddResource(planner, "Scie");
  EXPECT_THAT(Reloaded(planner).Resources,
              ElementsAre("Perceuse", "Tour", "Fraiseuse", "Etau", "Scie"));

  diskFull(true);
  SetResourceRecord(planner, 0, "Perceuse¦1");
  SaveParams(planner);
  diskFull(false);
  EXPECT_EQ(messages.size(), 3u) << "one message per failed change, the settings in one write";
  Planner restarted = Reloaded(planner);
  EXPECT_EQ(restarted.Resources[0], "Perceuse");
  AddResource(restarted, "Meule");
  EXPECT_THAT(Reloaded(planner).Resources,
              ElementsAre("Perceuse", "Tour", "Fraiseuse", "Etau", "Scie", "Meule"));
}

// Two programs each load the table once, then add 100 activities at the same time: each
// record takes its number from the file under its lock, and all 200 are kept.
TEST(RecordsTest, TwoProgramsAddingAtOnceKeepEveryRecord) {
  ScratchFolder folder;
  Planner first = PlannerIn(folder);
  AddActivity(first, kActivity);
  constexpr int kEach = 100;
  int ready[2];
  ASSERT_EQ(::pipe(ready), 0);
  pid_t adders[2];
  for (int p = 0; p < 2; ++p) {
    adders[p] = ::fork();
    ASSERT_GE(adders[p], 0);
    if (adders[p] == 0) {
      Planner planner = PlannerIn(folder);
      LoadActivities(planner);
      char go;
      if (::read(ready[0], &go, 1) != 1) ::_exit(2);
      int failures = 0;
      planner.ShowWriteFailure = [&](const std::string&) { ++failures; };
      for (int i = 0; i < kEach; ++i) {
        AddActivity(planner, "p" + std::to_string(p) + "-" + std::to_string(i));
      }
      ::_exit(failures == 0 ? 0 : 1);
    }
  }
  ASSERT_EQ(::write(ready[1], "gg", 2), 2);
  for (pid_t adder : adders) {
    int status = 0;
    ASSERT_EQ(::waitpid(adder, &status, 0), adder);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  }
  ::close(ready[0]);
  ::close(ready[1]);

  const std::vector<std::string> activities = Reloaded(first).Activities;
  EXPECT_EQ(activities.size(), 1u + 2 * kEach);
  EXPECT_EQ(std::set<std::string>(activities.begin(), activities.end()).size(),
            activities.size());
}

// The program is closed while a change waits: the last write saves it when it can, and when
// it cannot the user is told that the change is lost.
TEST(RecordsTest, AChangeStillUnwrittenAtTheCloseGetsALastWrite) {
  ScratchFolder folder;
  Planner planner = PlannerIn(folder);
  std::vector<std::string> messages;
  planner.ShowWriteFailure = [&](const std::string& message) { messages.push_back(message); };
  auto diskFull = [](bool full) { platform::InjectedFileFaults().writeError = full ? ENOSPC : 0; };

  diskFull(true);
  AddResource(planner, "Etau");
  diskFull(false);
  EXPECT_EQ(WriteUnwrittenValues(planner), 0);
  EXPECT_THAT(Reloaded(planner).Resources, ElementsAre("Etau"));

  diskFull(true);
  AddResource(planner, "Scie");
  EXPECT_EQ(WriteUnwrittenValues(planner), ENOSPC);
  diskFull(false);
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_THAT(messages[2], HasSubstr("Cause : espace disque insuffisant"));
  EXPECT_THAT(messages[2], HasSubstr("sont perdues"));
  EXPECT_THAT(Reloaded(planner).Resources, ElementsAre("Etau"));
}

}  // namespace
}  // namespace store
