#include "app/store/startup.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "platform/scratch_folder.h"

namespace store {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Records every call in order.
class RecordingServices : public StartupServices {
 public:
  explicit RecordingServices(Planner& planner) : planner_(planner) {}

  void ShowStartupFailure(const std::string& message) override {
    calls.push_back("ShowStartupFailure");
    failure = message;
  }
  void ShowDataFileNotice(const std::string& message) override {
    calls.push_back("ShowDataFileNotice");
    notices.push_back(message);
  }
  std::string GetWindowsTimeZoneName() override {
    calls.push_back("GetWindowsTimeZoneName");
    termsAtTimeZone = planner_.ProjectTerms;
    return "Romance Standard Time";
  }
  std::string WindowsToIanaTimeZone(const std::string& name) override {
    calls.push_back("WindowsToIanaTimeZone " + name);
    return "Europe/Paris";
  }
  std::string GetUserId() override {
    calls.push_back("GetUserId");
    return "12345678";
  }
  void LoadMainForm() override { calls.push_back("LoadMainForm"); }
  void StartVersionRequest() override { calls.push_back("StartVersionRequest"); }
  void SetDefaultMousePointer() override { calls.push_back("SetDefaultMousePointer"); }
  void ShowSettingsDialog() override {
    calls.push_back("ShowSettingsDialog");
    if (settingsDialog) settingsDialog(planner_);
  }
  void InitMainForm() override {
    calls.push_back("InitMainForm");
    termsAtInit = {planner_.ProjectTerms, planner_.ActivityTerms, planner_.ResourceTerms};
  }

  std::vector<std::string> calls;
  std::string failure;
  std::vector<std::string> notices;
  std::function<void(Planner&)> settingsDialog;
  Terms termsAtTimeZone;
  std::vector<Terms> termsAtInit;

 private:
  Planner& planner_;
};

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (const char* value = std::getenv("XDG_DATA_HOME")) saved_ = value;
    dataHome_ = scratch_ / "data home";
    ::setenv("XDG_DATA_HOME", dataHome_.c_str(), 1);
  }
  void TearDown() override {
    if (saved_) {
      ::setenv("XDG_DATA_HOME", saved_->c_str(), 1);
    } else {
      ::unsetenv("XDG_DATA_HOME");
    }
  }
  std::string DataFolder() const { return dataHome_ + "/Quorvane"; }

  // A data file written by an earlier run.
  Planner EarlierRun(const std::string& projects, const std::string& activities,
                     const std::string& resources) {
    std::filesystem::create_directories(DataFolder());
    Planner earlier;
    earlier.DataFile = DataFolder() + "/data";
    AddResource(earlier, "Salle 1");
    AddResource(earlier, "Salle 2¦1");
    AddCategory(earlier, "Nord¦255-0");
    AddActivity(earlier, "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1¦1¦0");
    earlier.ActivityType = "BTP";
    earlier.ProjectTerms[0] = projects;
    earlier.ActivityTerms[0] = activities;
    earlier.ResourceTerms[0] = resources;
    SaveParams(earlier);
    WriteIni(earlier, "PARAM", "Synchro", "https://example.org/agenda", earlier.DataFile);
    return earlier;
  }

  ScratchFolder scratch_;
  std::string dataHome_;
  std::optional<std::string> saved_;
  Planner planner_;
  RecordingServices services_{planner_};
};

TEST_F(StartupTest, FirstRunCreatesTheFolderAndAsksForTheTerms) {
  ASSERT_TRUE(Main(planner_, services_));

  EXPECT_TRUE(std::filesystem::is_directory(DataFolder()));
  EXPECT_EQ(planner_.DataFolder, DataFolder());
  EXPECT_EQ(planner_.DataFile, DataFolder() + "/data");
  EXPECT_THAT(services_.calls,
              ElementsAre("GetWindowsTimeZoneName",
                          "WindowsToIanaTimeZone Romance Standard Time", "GetUserId",
                          "LoadMainForm", "SetDefaultMousePointer", "ShowSettingsDialog",
                          "InitMainForm", "StartVersionRequest"));
  EXPECT_EQ(planner_.ResourceMax(), -1);
  EXPECT_EQ(planner_.CategoryMax(), -1);
  EXPECT_EQ(planner_.ActivityMax(), -1);
  EXPECT_EQ(planner_.WindowsTimeZone, "Romance Standard Time");
  EXPECT_EQ(planner_.IanaTimeZone, "Europe/Paris");
  EXPECT_EQ(planner_.UserId, "12345678");
  EXPECT_EQ(planner_.ShareLink, "");

  // The dialog was closed without terms: the defaults hold for this run only.
  EXPECT_THAT(services_.termsAtInit,
              ElementsAre(Terms{"Projets", "Projet", "M"}, Terms{"Activités", "Activité", "F"},
                          Terms{"Ressources / Personnes", "Ress. / Pers.", "F"}));
  EXPECT_FALSE(std::filesystem::exists(planner_.DataFile));
}

TEST_F(StartupTest, AnExistingEmptyFolderIsUsedAsItIs) {
  std::filesystem::create_directories(DataFolder());
  WriteTextFile(DataFolder() + "/Quorvane.pdf", "kept");

  ASSERT_TRUE(Main(planner_, services_));

  EXPECT_EQ(ReadTextFile(DataFolder() + "/Quorvane.pdf"), "kept");
  EXPECT_THAT(services_.calls, ::testing::Contains("ShowSettingsDialog"));
  EXPECT_EQ(planner_.ActivityMax(), -1);
}

TEST_F(StartupTest, TermsChosenInTheDialogAreKept) {
  services_.settingsDialog = [](Planner& planner) {
    planner.ProjectTerms[0] = "Patients";
    planner.ActivityTerms[0] = "Rendez-vous";
    planner.ResourceTerms[0] = "Traitements";
    SaveParams(planner);
  };
  ASSERT_TRUE(Main(planner_, services_));
  EXPECT_THAT(services_.termsAtInit,
              ElementsAre(Terms{"Patients", "Patient", "M"},
                          Terms{"Rendez-vous", "Rendez-vous", "M"},
                          Terms{"Traitements", "Traitement", "M"}));
  EXPECT_EQ(ReadIni("PARAM", "Projet", planner_.DataFile), "Patients");
}

TEST_F(StartupTest, AFilledDataFileIsLoadedWithoutTheDialog) {
  Planner earlier = EarlierRun("Chantiers", "Étapes", "Véhicules / Personnes");

  ASSERT_TRUE(Main(planner_, services_));

  EXPECT_EQ(planner_.Resources, earlier.Resources);
  EXPECT_EQ(planner_.Categories, earlier.Categories);
  EXPECT_EQ(planner_.Activities, earlier.Activities);
  EXPECT_EQ(planner_.ActivityType, "BTP");
  EXPECT_EQ(planner_.ShareLink, "https://example.org/agenda");
  EXPECT_EQ(services_.termsAtTimeZone, (Terms{"Chantiers", "Chantier", "M"}))
      << "tables and terms come before the time zone";
  EXPECT_THAT(services_.calls, ::testing::Not(::testing::Contains("ShowSettingsDialog")));
  EXPECT_THAT(services_.termsAtInit,
              ElementsAre(Terms{"Chantiers", "Chantier", "M"}, Terms{"Étapes", "Étape", "F"},
                          Terms{"Véhicules / Personnes", "Véhic./Pers.", "M"}));
}

TEST_F(StartupTest, AnEmptyPluralGetsItsDefaultInMemoryOnly) {
  EarlierRun("Salles", "", "Personnes");

  ASSERT_TRUE(Main(planner_, services_));

  EXPECT_THAT(services_.calls, ::testing::Not(::testing::Contains("ShowSettingsDialog")));
  EXPECT_THAT(services_.termsAtInit,
              ElementsAre(Terms{"Salles", "Salle", "F"}, Terms{"Activités", "Activité", "F"},
                          Terms{"Personnes", "Personne", "F"}));
  EXPECT_EQ(ReadIni("PARAM", "Act", planner_.DataFile), "");
}

TEST_F(StartupTest, AFolderThatCannotBeCreatedEndsTheProgram) {
  WriteTextFile(dataHome_, "a file where the folder should be");

  EXPECT_FALSE(Main(planner_, services_));

  EXPECT_THAT(services_.calls, ElementsAre("ShowStartupFailure"));
  EXPECT_THAT(services_.failure, HasSubstr(DataFolder()));
  EXPECT_EQ(planner_.DataFile, "");
}

// A data file cut short and garbled: the user is told once at start, the file as it was is
// kept beside it, and what could be read is loaded.  Temporary files that killed saves left
// beside it are gone.
TEST_F(StartupTest, ADamagedDataFileIsToldKeptAndReadAsFarAsItCan) {
  Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
  std::string damaged = ReadTextFile(earlier.DataFile);
  damaged.insert(damaged.find('\n') + 1, std::string("\x01\xff\0garbled\n", 11));
  damaged.resize(damaged.size() - 4);  // the last value cut in its middle
  WriteTextFile(earlier.DataFile, damaged);
  WriteTextFile(DataFolder() + "/data.tmp-Xy12Zq", "[RESSOURCE0]\n");

  ASSERT_TRUE(Main(planner_, services_));

  EXPECT_EQ(std::count(services_.calls.begin(), services_.calls.end(), "ShowDataFileNotice"), 1);
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_THAT(services_.notices[0], HasSubstr("Le fichier de données est endommagé"));
  EXPECT_THAT(services_.notices[0], HasSubstr(planner_.DataFile));
  EXPECT_EQ(planner_.Resources, earlier.Resources);
  EXPECT_EQ(planner_.Activities, earlier.Activities);
  EXPECT_EQ(planner_.ActivityType, "BTP");

  std::vector<std::string> copies;
  for (const auto& entry : std::filesystem::directory_iterator(DataFolder())) {
    const std::string name = entry.path().filename().string();
    EXPECT_NE(name, "data.tmp-Xy12Zq");
    if (name.starts_with("data.endommagé-")) copies.push_back(entry.path().string());
  }
  ASSERT_EQ(copies.size(), 1u);
  EXPECT_THAT(copies[0], ::testing::MatchesRegex(".*/data\\.endommagé-[0-9]{8}-[0-9]{6}"));
  EXPECT_EQ(ReadTextFile(copies[0]), damaged);
  EXPECT_THAT(services_.notices[0], HasSubstr(copies[0]));

  // Going on: a change is written; each start tells again, keeping one copy per state.
  AddResource(planner_, "Salle 3");
  auto copiesNow = [&] {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder()))
      if (entry.path().filename().string().starts_with("data.endommagé-")) ++count;
    return count;
  };
  for (int start = 0; start < 2; ++start) {
    Planner next;
    RecordingServices nextServices(next);
    ASSERT_TRUE(Main(next, nextServices));
    EXPECT_EQ(next.Resources.back(), "Salle 3");
    EXPECT_EQ(nextServices.notices.size(), 1u);
    EXPECT_EQ(copiesNow(), 2);
  }
}

}  // namespace
}  // namespace store
