#include "app/store/startup.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <gmock/gmock.h>
#include <set>
#include <fcntl.h>
#include <grp.h>
#include <sched.h>
#include <signal.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <gtest/gtest.h>
#include <tuple>

#include "app/store/codec.h"
#include "app/store/damaged_data_file.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "app/store/unfinished_backup.h"
#include "app/store/unsent_calendars_file.h"
#include "platform/atomic_file.h"
#include "platform/data_file_lock.h"
#include "platform/file_faults.h"
#include "platform/ini_file.h"
#include "platform/scratch_folder.h"
#include "runtime/text.h"

namespace store {
namespace {

using ::testing::_;
using ::testing::AllOf;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::Not;

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

  // A start of the planner by a user whose data home is `home`, held until it is dropped.
  struct Run {
    Planner planner;
    RecordingServices services{planner};
    bool started = false;
  };
  std::unique_ptr<Run> StartIn(const std::string& home) {
    auto run = std::make_unique<Run>();
    ::setenv("XDG_DATA_HOME", home.c_str(), 1);
    run->started = Main(run->planner, run->services);
    return run;
  }
  std::unique_ptr<Run> Start() { return StartIn(dataHome_); }

  static constexpr uid_t kNobody = 65534;
  // What another account is told when it starts the planner on `home`, its data file a link
  // to `dataFile`, and adds `activity`, in a process of its own: "démarré" or "refusé", then
  // every message in order.
  // With `ownPidNamespace`, it runs as in a sandbox: it sees its own processes only, and the
  // system's list of locks names only theirs.
  std::string StartAsAnotherAccount(const std::string& home, const std::string& dataFile,
                                    const std::string& activity, bool ownPidNamespace = false) {
    if (const pid_t child = ::fork(); child != 0) {
      ::waitpid(child, nullptr, 0);
      return ReadTextFile(home + "/told");
    }
    if (ownPidNamespace) {
      if (::unshare(CLONE_NEWNS | CLONE_NEWPID) != 0) ::_exit(3);
      if (const pid_t inner = ::fork(); inner != 0) {
        ::waitpid(inner, nullptr, 0);
        ::_exit(0);
      }
      if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
          ::mount("proc", "/proc", "proc", 0, nullptr) != 0)
        ::_exit(3);
    }
    if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
      ::_exit(3);
    std::error_code error;
    std::filesystem::create_directory(home + "/Quorvane", error);
    std::filesystem::create_symlink(dataFile, home + "/Quorvane/data", error);
    auto run = StartIn(home);
    std::string told = run->started ? "démarré" : "refusé\n" + run->services.failure;
    for (const std::string& notice : run->services.notices) told += "\n" + notice;
    run->planner.ShowWriteFailure = [&](const std::string& message) { told += "\n" + message; };
    if (run->started) AddActivity(run->planner, activity);
    platform::DataFileLock probe;
    if (run->started && probe.Take(dataFile) == EWOULDBLOCK) told += "\n(verrou tenu)";
    WriteTextFile(home + "/told", told);
    ::_exit(0);
  }

  std::set<std::string> EntriesOf(const std::string& folder) const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
      names.insert(entry.path().filename().string());
    return names;
  }

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

  // Kept once and told until a change leaves the lines out: the next starts before any
  // change tell again of the same copy and keep no second one, and the first change writes
  // the file without the damaged lines.
  auto copiesNow = [&] {
    int count = 0;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder()))
      if (entry.path().filename().string().starts_with("data.endommagé-")) ++count;
    return count;
  };
  planner_.FileLock = {};  // the first run ends
  for (const char* change : {"", "Salle 3"}) {
    Planner next;
    RecordingServices nextServices(next);
    ASSERT_TRUE(Main(next, nextServices));
    EXPECT_THAT(nextServices.notices, ElementsAre(HasSubstr("est gardée : " + copies[0] + "\n")));
    EXPECT_EQ(copiesNow(), 1);
    if (*change) AddResource(next, change);
  }
  EXPECT_THAT(DamagedLines(ReadTextFile(planner_.DataFile)), ::testing::IsEmpty());
  Planner last;
  RecordingServices lastServices(last);
  ASSERT_TRUE(Main(last, lastServices));
  EXPECT_EQ(last.Resources.back(), "Salle 3");
  EXPECT_THAT(lastServices.notices, ::testing::IsEmpty());
}

// A section header and a key line as the planner writes them.
std::string Header(const std::string& name) { return "[" + EncodeIniText(name) + "]\n"; }
std::string KeyLine(const std::string& key, const std::string& value) {
  return EncodeIniText(key) + "=" + EncodeIniText(value) + "\n";
}

// The record line of `section` in `text`: the line after its header.
std::size_t RecordLine(const std::string& text, const std::string& section) {
  const std::size_t header = text.find(Header(section));
  return text.find('\n', header) + 1;
}

// A file that lost a record (its highest resource or project) keeps the record's number:
// records added afterwards take new ones, free of the lost record's bookings, and keep them
// through a restart.  Every such damage is told.
TEST_F(StartupTest, ALostRecordsNumberIsNeverGivenToANewOne) {
  const auto at = [](const std::string& section, auto edit) {
    return [=](std::string text) { return edit(text, RecordLine(text, section)); };
  };
  const auto garbled = [](std::string& text, std::size_t line) {
    return text.insert(text.find('=', line) + 1, "#");
  };
  const auto headerLost = [](std::string& text, std::size_t line) {
    const std::size_t header = text.rfind('\n', line - 2) + 1;
    return text.erase(header, line - header);
  };
  const auto keyTwice = [](std::string& text, std::size_t line) {
    return text.insert(line, KeyLine("Nom", "Intrus"));
  };
  const std::vector<std::pair<std::string, std::function<std::string(std::string)>>> damages = {
      {"garbled highest resource", at("RESSOURCE1", garbled)},
      {"garbled highest project", at("CATEGORIE0", garbled)},
      {"lost resource header", at("RESSOURCE1", headerLost)},
      {"lost project header", at("CATEGORIE0", headerLost)},
      {"lost header after the settings", [](std::string text) {
         return text + KeyLine("Nom", "Est¦255-0");
       }},
      {"key given twice", at("RESSOURCE1", keyTwice)},
  };
  for (const auto& [damage, damaged] : damages) {
    SCOPED_TRACE(damage);
    std::filesystem::remove_all(DataFolder());
    const Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
    WriteTextFile(earlier.DataFile, damaged(ReadTextFile(earlier.DataFile)));
    {
      Planner planner;
      RecordingServices services(planner);
      ASSERT_TRUE(Main(planner, services));
      EXPECT_THAT(services.notices, ElementsAre(HasSubstr("Le fichier de données est endommagé")));
      ASSERT_TRUE(AddResource(planner, "Nouvelle grue"));
      ASSERT_TRUE(AddCategory(planner, "Sud¦65280-0"));
      // "Pose" books project 0 and resources 1 and 0.
      EXPECT_EQ(planner.ResourceMax(), 2);
      EXPECT_EQ(planner.CategoryMax(), 1);
    }
    Planner restarted;
    RecordingServices services(restarted);
    ASSERT_TRUE(Main(restarted, services));
    EXPECT_THAT(services.notices, ::testing::IsEmpty());
    EXPECT_THAT(restarted.Resources, ElementsAre("Salle 1", _, "Nouvelle grue"));
    EXPECT_THAT(restarted.Categories, ElementsAre(_, "Sud¦65280-0"));
    EXPECT_EQ(restarted.Activities, earlier.Activities);
  }
}

// Damage that used to pass untold is told at start, with a copy kept, and what shows is the
// real record: a section given twice, the stray copy before or after the real one; a start
// killed between its copy and its message; a damaged header naming the highest project,
// whose number no new project takes, in this run or the next; a record's header whose
// number the loads cannot take.
TEST_F(StartupTest, EveryDamageIsToldAndNoLostNumberIsGivenAgain) {
  const std::string intruder = Header("RESSOURCE1") + KeyLine("Nom", "Intrus");
  const auto garbled = [](const std::string& name) {
    return Header(name) + KeyLine("Nom", "Intrus");
  };
  struct Case {
    std::string name;
    std::string inserted;
    std::string before;  // the text it goes before; at the end when empty
    bool startKilledAfterItsCopy = false;
    std::vector<std::string> resources = {"Salle 1", "Salle 2¦1"};  // at the damaged start
    std::vector<std::string> projectsAfterRestart = {"Nord¦255-0", "Sud¦65280-0"};
  };
  const std::vector<Case> cases = {
      {"stray copy of a section first", intruder, Header("RESSOURCE0")},
      {"stray copy of a section last", intruder, ""},
      {"header line given twice", Header("RESSOURCE1"), KeyLine("Nom", "Salle 1"), false,
       {"", "Salle 2¦1"}},
      {"settings given twice", Header("PARAM") + KeyLine("Type", "Autre"), ""},
      {"start killed after its copy", "garbled\n", "", true},
      {"damaged header of the highest project",
       Header("CATEGORIE1") + EncodeIniText("Nom") + "=#\n", "", false,
       {"Salle 1", "Salle 2¦1"}, {"Nord¦255-0", "", "Sud¦65280-0"}},
      {"number with a leading zero", garbled("CATEGORIE01"), "", false,
       {"Salle 1", "Salle 2¦1"}, {"Nord¦255-0", "", "Sud¦65280-0"}},
      {"number followed by letters", garbled("RESSOURCE5x"), ""},
      {"number followed by a blank", garbled("CATEGORIE3 "), Header("RESSOURCE0")},
      {"letters for zeros", garbled("ACTIVITE2OO"), ""},
      {"signed number", garbled("RESSOURCE+2"), ""},
      {"number above the highest", garbled("ACTIVITE4194304"), ""},
      {"number far past the count", garbled("RESSOURCE70000"), ""},
  };
  for (Case c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(DataFolder());
    const std::string file = EarlierRun("Chantiers", "Étapes", "Personnes").DataFile;
    std::string damaged = ReadTextFile(file);
    damaged.insert(c.before.empty() ? damaged.size() : damaged.find(c.before), c.inserted);
    WriteTextFile(file, damaged);
    if (c.startKilledAfterItsCopy) {
      Planner killed;
      killed.DataFile = file;
      CheckDataFile(killed, std::time(nullptr));
    }
    {
      auto run = Start();
      ASSERT_THAT(run->services.notices,
                  ElementsAre(HasSubstr("Le fichier de données est endommagé")));
      const std::string& notice = run->services.notices[0];
      const std::size_t copy = notice.find("gardée : ") + std::string("gardée : ").size();
      EXPECT_EQ(ReadTextFile(notice.substr(copy, notice.find('\n', copy) - copy)), damaged);
      EXPECT_EQ(run->planner.Resources, c.resources);
      ASSERT_TRUE(AddResource(run->planner, "Nouvelle grue"));
      ASSERT_TRUE(AddCategory(run->planner, "Sud¦65280-0"));
    }
    auto restarted = Start();
    EXPECT_THAT(restarted->services.notices, ::testing::IsEmpty());
    c.resources.push_back("Nouvelle grue");
    EXPECT_EQ(restarted->planner.Resources, c.resources);
    EXPECT_EQ(restarted->planner.Categories, c.projectsAfterRestart);
    EXPECT_EQ(restarted->planner.ActivityType, "BTP");
  }
}

// A data file that an editor or another system saved in one of the forms the layout allows
// starts with every record and setting and no word of damage, and keeps them through a
// change and a restart.
TEST_F(StartupTest, ADataFileInAnyOrdinaryFormKeepsEveryRecordAndSetting) {
  const auto quoted = [](const std::string& text) {
    std::string result;
    for (const std::string& line : runtime::Split(text, "\n")) {
      const std::size_t equals = line.find('=');
      if (!result.empty()) result += '\n';
      result += equals == std::string::npos
                    ? line
                    : line.substr(0, equals) + " = \"" + line.substr(equals + 1) + '"';
    }
    return result;
  };
  const std::vector<std::pair<std::string, std::function<std::string(const std::string&)>>>
      forms = {
          {"byte-order mark", [](const std::string& text) { return "\xEF\xBB\xBF" + text; }},
          {"CR LF", [](const std::string& text) { return runtime::Replace(text, "\n", "\r\n"); }},
          {"CR alone", [](const std::string& text) { return runtime::Replace(text, "\n", "\r"); }},
          {"quoted values", quoted},
          {"blank after the last line", [](const std::string& text) { return text + " "; }},
          {"lone CR after the last line", [](const std::string& text) { return text + "\r"; }},
      };
  for (const auto& [form, reshaped] : forms) {
    SCOPED_TRACE(form);
    std::filesystem::remove_all(DataFolder());
    const Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
    WriteTextFile(earlier.DataFile, reshaped(ReadTextFile(earlier.DataFile)));
    std::vector<std::string> resources = earlier.Resources;
    for (const char* change : {"Salle 3", ""}) {
      Planner planner;
      RecordingServices services(planner);
      ASSERT_TRUE(Main(planner, services));
      EXPECT_THAT(services.notices, ::testing::IsEmpty());
      EXPECT_THAT(services.calls, ::testing::Not(::testing::Contains("ShowSettingsDialog")));
      EXPECT_EQ(planner.Resources, resources);
      EXPECT_EQ(planner.Categories, earlier.Categories);
      EXPECT_EQ(planner.Activities, earlier.Activities);
      EXPECT_EQ(planner.ActivityType, "BTP");
      EXPECT_EQ(planner.ProjectTerms[0], "Chantiers");
      EXPECT_EQ(planner.ResourceTerms[0], "Personnes");
      EXPECT_EQ(planner.ShareLink, "https://example.org/agenda");
      if (*change) {
        AddResource(planner, change);
        resources.push_back(change);
      }
    }
    EXPECT_FALSE(ReadTextFile(earlier.DataFile).starts_with("\xEF")) << "no byte-order mark written";
  }
}

// The settings are read past the damaged lines, each one whole, however many records the
// file holds before them.
TEST_F(StartupTest, EverySettingIsReadBackFromADamagedDataFile) {
  Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
  for (int i = 0; i < 100; ++i) AddResource(earlier, "Outil " + std::to_string(i));
  WriteIni(earlier, "PARAM", "Heure", "3", earlier.DataFile);
  WriteIni(earlier, "PARAM", "Mail", "chef@example.org", earlier.DataFile);
  WriteTextFile(earlier.DataFile, ReadTextFile(earlier.DataFile) + "garbled\n");

  ASSERT_TRUE(Main(planner_, services_));
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_EQ(planner_.ActivityType, "BTP");
  EXPECT_EQ(planner_.ProjectTerms[0], "Chantiers");
  EXPECT_EQ(planner_.ActivityTerms[0], "Étapes");
  EXPECT_EQ(planner_.ResourceTerms[0], "Personnes");
  EXPECT_EQ(planner_.ShareLink, "https://example.org/agenda");
  EXPECT_EQ(ReadDataValue(planner_, kParamSection, "Heure"), "3");
  EXPECT_EQ(ReadDataValue(planner_, kParamSection, "Mail"), "chef@example.org");
  EXPECT_EQ(planner_.Resources, earlier.Resources);
}

// A second planner started on a data folder that a running one uses is told so and ends,
// leaving the folder as it was.
TEST_F(StartupTest, ASecondPlannerOnAFolderInUseIsRefused) {
  EarlierRun("Chantiers", "Étapes", "Personnes");
  ASSERT_TRUE(Main(planner_, services_));
  const std::string before = ReadTextFile(planner_.DataFile);

  Planner second;
  RecordingServices secondServices(second);
  EXPECT_FALSE(Main(second, secondServices));
  EXPECT_THAT(secondServices.calls, ElementsAre("ShowStartupFailure"));
  EXPECT_THAT(secondServices.failure, HasSubstr("Quorvane est déjà ouvert sur ce fichier"));
  EXPECT_THAT(secondServices.failure, HasSubstr(DataFolder()));
  EXPECT_EQ(ReadTextFile(planner_.DataFile), before);

  planner_ = Planner();  // the first one ends
  Planner third;
  RecordingServices thirdServices(third);
  EXPECT_TRUE(Main(third, thirdServices));
}

// Data folders whose data files lead through links to one file: while a planner runs on
// one, a planner started on another is refused as a second one on the same folder is, and
// the first one's change is there when the other starts after it.
TEST_F(StartupTest, TwoPlannersReachingOneFileThroughLinksAreRefusedAsInOneFolder) {
  const std::string other = scratch_ / "other home";
  const std::string shared = scratch_ / "shared";
  const std::string mine = DataFolder() + "/data";
  // Where the file is moved to (nowhere when empty), my data file's link, the other's.
  const std::vector<std::array<std::string, 3>> layouts = {
      {shared + "/data", shared + "/data", shared + "/data"},
      {"", "", mine},
      {shared + "/data", "../../shared/data", "../../data home/Quorvane/data"},
  };
  const std::string added = "06.03.2030 09:00¦06.03.2030 10:00¦Dalle¦0¦255-1¦0";
  for (const auto& [moved, myLink, otherLink] : layouts) {
    SCOPED_TRACE(otherLink);
    for (const std::string& folder : {DataFolder(), other, shared})
      std::filesystem::remove_all(folder);
    std::filesystem::create_directories(shared);
    std::filesystem::create_directories(other + "/Quorvane");
    EarlierRun("Chantiers", "Étapes", "Personnes");
    if (!moved.empty()) {
      std::filesystem::rename(mine, moved);
      std::filesystem::create_symlink(myLink, mine);
    }
    std::filesystem::create_symlink(otherLink, other + "/Quorvane/data");
    {
      auto first = Start();
      ASSERT_TRUE(first->started);
      auto second = StartIn(other);
      EXPECT_FALSE(second->started);
      EXPECT_THAT(second->services.failure, HasSubstr("Quorvane est déjà ouvert sur ce fichier"));
      ASSERT_TRUE(AddActivity(first->planner, added));
    }
    EXPECT_EQ(StartIn(other)->planner.Activities.back(), added);
  }
}

// What the data folder's entries lead to outside it is neither created nor written: not
// through a lock file standing as a link, nor as another program's settings file under the
// data file's name, nor through the list of unsent calendars.  Where the start-up stops it
// says why; once the user has put the entry aside, the planner starts, keeps a change and
// finds it at the next start.  The list of unsent calendars reads as empty whatever stands
// under its name, and its next write puts the planner's own file there.
TEST_F(StartupTest, NothingOutsideTheDataFolderIsCreatedOrWritten) {
  const std::string outside = scratch_ / "outside";
  const std::string foreign = "[database]\nenabled=1\nbackend=feed\n";
  const std::string lockLink = "son fichier de verrouillage est un lien symbolique";
  const std::string unsent = "calendriers.en-attente";
  enum Stands { kLinkOut, kLinkNowhere, kPipe, kFolder };
  struct Case {
    std::string entry;   // of the data folder...
    Stands stands;       // ...standing as this, a link to a file outside holding...
    std::string target;  // ...this
    std::string told;    // why the start-up stops; empty when it starts
  };
  const std::vector<Case> cases = {
      {"data.verrou", kLinkNowhere, "", lockLink},
      {"data.verrou", kLinkOut, "kept\n", lockLink},
      {"data.verrou", kFolder, "",
       "réservé par son fichier de verrouillage :\n" + DataFolder() + "/data.verrou\nCause : "},
      {"data", kLinkOut, foreign, "n'est pas celui de Quorvane :\n" + DataFolder() + "/data\n"},
      {unsent, kLinkOut, "0\n", ""},
      {unsent, kLinkNowhere, "", ""},
      {unsent, kPipe, "", ""},
  };
  for (const auto& [name, stands, target, told] : cases) {
    SCOPED_TRACE(name + " " + std::to_string(stands));
    for (const std::string& folder : {DataFolder(), outside}) {
      std::filesystem::remove_all(folder);
      std::filesystem::create_directories(folder);
    }
    const std::string entry = DataFolder() + "/" + name;
    if (stands == kLinkOut) WriteTextFile(outside + "/file", target);
    if (stands == kLinkOut || stands == kLinkNowhere)
      std::filesystem::create_symlink(outside + "/file", entry);
    if (stands == kPipe) {
      ASSERT_EQ(::mkfifo(entry.c_str(), 0600), 0);
    }
    if (stands == kFolder) std::filesystem::create_directory(entry);
    const std::set<std::string> outsideBefore = EntriesOf(outside);
    if (told.empty()) {
      auto run = Start();
      ASSERT_TRUE(run->started);
      EXPECT_THAT(run->planner.UnsentCalendars, ElementsAre());
      run->planner.UnsentCalendars = {0};
      EXPECT_EQ(WriteUnsentCalendars(run->planner), 0);
      run.reset();
      EXPECT_TRUE(std::filesystem::is_regular_file(std::filesystem::symlink_status(entry)));
      EXPECT_THAT(Start()->planner.UnsentCalendars, ElementsAre(0));
    } else {
      auto refused = Start();
      EXPECT_FALSE(refused->started);
      EXPECT_THAT(refused->services.failure, AllOf(HasSubstr(told), HasSubstr(entry)));
      EXPECT_EQ(EntriesOf(DataFolder()), std::set<std::string>{name});
      std::filesystem::remove(entry);
      ASSERT_TRUE(AddResource(Start()->planner, "Salle 1"));
      EXPECT_THAT(Start()->planner.Resources, ElementsAre("Salle 1"));
    }
    EXPECT_EQ(EntriesOf(outside), outsideBefore);
    if (stands == kLinkOut) {
      EXPECT_EQ(ReadTextFile(outside + "/file"), target);
    }
  }
}

// Failures that the system explains are told in French: the common causes in words, the
// others with their number.  The change that failed waits and is written once the cause is
// gone, and the next start finds it.
TEST_F(StartupTest, SystemFailuresAreToldInFrench) {
  const std::vector<std::pair<int, std::string>> failures = {
      {ENOSPC, "espace disque insuffisant"},
      {EROFS, "support en lecture seule"},
      {EACCES, "accès refusé"},
      {EBUSY, "fichier ou dossier occupé par le système ou un autre programme"},
      {ELOOP, "le chemin est un lien symbolique qui n'est pas permis ici, ou une boucle de liens"},
      {ENOLINK, "le système a signalé l'erreur n° " + std::to_string(ENOLINK)},
  };
  for (const auto& [error, cause] : failures) {
    SCOPED_TRACE(cause);
    std::filesystem::remove_all(DataFolder());
    EarlierRun("Chantiers", "Étapes", "Personnes");
    {
      auto run = Start();
      std::vector<std::string> told;
      run->planner.ShowWriteFailure = [&](const std::string& message) { told.push_back(message); };
      platform::InjectedFileFaults().writeError = error;
      AddResource(run->planner, "Salle 3");
      platform::InjectedFileFaults().writeError = 0;
      EXPECT_THAT(told, ElementsAre(AllOf(HasSubstr("Cause : " + cause + "\n"),
                                          Not(HasSubstr(std::strerror(error))))));
      EXPECT_EQ(WriteUnwrittenValues(run->planner), 0);
    }
    EXPECT_EQ(Start()->planner.Resources.back(), "Salle 3");
  }
}

// A data file that cannot be read is not taken for a first run: the start-up says why and
// ends, and nothing is written to the folder.
TEST_F(StartupTest, AnUnreadableDataFileIsToldAndLeftAsItWas) {
  Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
  const std::string bytes = ReadTextFile(earlier.DataFile);
  Start().reset();  // its lock file stays
  auto folderEntries = [&] {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(DataFolder()))
      names.insert(entry.path().filename().string());
    return names;
  };
  const std::set<std::string> entries = folderEntries();
  auto refused = [&](const std::string& cause) {
    Planner planner;
    RecordingServices services(planner);
    EXPECT_FALSE(Main(planner, services));
    EXPECT_THAT(services.calls, ElementsAre("ShowStartupFailure"));
    EXPECT_THAT(services.failure, HasSubstr("Le fichier de données ne peut pas être lu"));
    EXPECT_THAT(services.failure, HasSubstr("Cause : " + cause));
    EXPECT_EQ(folderEntries(), entries);
  };

  // Too large to load (sparse, so that the test takes no room), or too damaged to keep the
  // numbers that its damaged sections name.
  for (off_t size : {off_t{64} << 30, static_cast<off_t>(platform::kMaxIniFileSize) + 1}) {
    ASSERT_EQ(::truncate(earlier.DataFile.c_str(), size), 0);
    refused("fichier trop volumineux : Quorvane ne charge pas de fichier de plus de 256 Mo");
  }
  std::string emptyHeaders = bytes;
  for (int i = 2; i < 200000; ++i) emptyHeaders += Header("ACTIVITE" + std::to_string(i));
  WriteTextFile(earlier.DataFile, emptyHeaders);
  refused("il est trop endommagé : ses sections endommagées nomment des fiches jusqu'au numéro "
          "199999");
  EXPECT_EQ(ReadTextFile(earlier.DataFile), emptyHeaders);
  WriteTextFile(earlier.DataFile, bytes);

  platform::InjectedFileFaults().readError = EIO;
  refused("erreur d'entrée-sortie");
  platform::InjectedFileFaults().readError = 0;
  EXPECT_EQ(ReadTextFile(earlier.DataFile), bytes);

  if (::geteuid() != 0) {  // the permissions do not stop root
    ::chmod(earlier.DataFile.c_str(), 0);
    refused("accès refusé");
    ::chmod(earlier.DataFile.c_str(), 0600);
    EXPECT_EQ(ReadTextFile(earlier.DataFile), bytes);
  }

  std::filesystem::remove(earlier.DataFile);
  std::filesystem::create_directory(earlier.DataFile);
  refused("le chemin désigne un dossier et non un fichier");
  EXPECT_TRUE(std::filesystem::is_empty(earlier.DataFile));

  // Neither a pipe nor a device that never ends holds the start.
  std::filesystem::remove(earlier.DataFile);
  ASSERT_EQ(::mkfifo(earlier.DataFile.c_str(), 0600), 0);
  refused("le chemin ne désigne pas un fichier ordinaire");
  std::filesystem::remove(earlier.DataFile);
  std::filesystem::create_symlink("/dev/zero", earlier.DataFile);
  refused("le chemin ne désigne pas un fichier ordinaire");
}

// A data file that is a link to a file in which not one line reads, or to no file, is no
// data file: the start-up stops as for any file it cannot read and writes nothing anywhere.
TEST_F(StartupTest, ALinkToAFileWithoutDataIsNotTakenForTheDataFile) {
  const std::string elsewhere = scratch_ / "elsewhere";
  const std::string data = DataFolder() + "/data";
  const std::vector<std::pair<std::optional<std::string>, std::string>> targets = {
      {"root:x:0:0:root:/root:/bin/bash\n[daemon]\n",
       "Le fichier de données n'est pas celui de Quorvane :\n" + data +
           "\nC'est un lien vers un fichier dont aucune ligne n'est une donnée de Quorvane."},
      {std::nullopt, "Le fichier de données ne peut pas être lu :\n" + data +
                         "\nCause : le chemin est un lien vers un fichier qui n'existe pas"},
  };
  for (const auto& [target, told] : targets) {
    SCOPED_TRACE(told);
    std::filesystem::remove_all(DataFolder());
    std::filesystem::remove(elsewhere);
    std::filesystem::create_directories(DataFolder());
    if (target) WriteTextFile(elsewhere, *target);
    std::filesystem::create_symlink(elsewhere, data);

    Planner planner;
    RecordingServices services(planner);
    EXPECT_FALSE(Main(planner, services));
    EXPECT_THAT(services.calls, ElementsAre("ShowStartupFailure"));
    EXPECT_THAT(services.failure, HasSubstr(told));
    EXPECT_EQ(std::filesystem::exists(elsewhere), target.has_value());
    if (target) {
      EXPECT_EQ(ReadTextFile(elsewhere), *target);
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(DataFolder()), {}), 1);
  }
}

// The program never writes an empty data file: one found at start lost its contents.
TEST_F(StartupTest, AnEmptyDataFileIsToldBeforeTheSettingsDialog) {
  std::filesystem::create_directories(DataFolder());
  WriteTextFile(DataFolder() + "/data", "");

  ASSERT_TRUE(Main(planner_, services_));
  ASSERT_EQ(services_.notices.size(), 1u);
  EXPECT_THAT(services_.notices[0], HasSubstr("Le fichier de données est vide"));
  EXPECT_THAT(services_.notices[0], HasSubstr("restaurer"));
  const auto notice = std::find(services_.calls.begin(), services_.calls.end(), "ShowDataFileNotice");
  EXPECT_LT(notice, std::find(services_.calls.begin(), services_.calls.end(), "ShowSettingsDialog"));
}

// Start-ups that once worked: a data file that two accounts share through links to one
// folder, in turn, with a lock file the other account left, and while the other runs; a data
// file in a folder the account may only read; a file cut inside its first line.  The change
// is found at the next start, but for the refused start and the read-only one, told once.
TEST_F(StartupTest, AStartThatWorkedBeforeStillWorks) {
  if (::geteuid() != 0) GTEST_SKIP() << "a second account needs root";
  std::error_code unknown;
  if (std::filesystem::read_symlink("/proc/self/ns/pid", unknown) != "pid:[4026531836]") {
    GTEST_SKIP() << "in a PID namespace of its own, no lock file left by another account is "
                    "replaced";
  }
  std::filesystem::permissions(scratch_.Path(), std::filesystem::perms(0755));
  const std::string shared = scratch_ / "partage";
  const std::string home = scratch_ / "autre";
  struct Case {
    std::string told;  // after "démarré" or "refusé"
    mode_t folderMode = 0777;  // of the folder that holds the file
    bool firstRunning = false;
    bool lockLeftByTheFirst = false;
    std::string contents = {};  // of the data file, when not the earlier run's
    mode_t lockMode = 0600;  // of the lock file left by the first
    bool ownPidNamespace = false;  // of the second
  };
  const std::vector<Case> cases = {
      {"démarré"},
      {"démarré", 0777, false, true},
      {"refusé\nQuorvane est déjà ouvert", 0777, true},
      {"refusé\nQuorvane est déjà ouvert", 0777, true, true},
      {"refusé\nLe fichier de données n'a pas pu être réservé par son fichier de verrouillage",
       0777, true, true, {}, 0600, true},
      {"démarré\nLe fichier de données ne peut pas être modifié", 0755},
      {"démarré\nLe fichier de données ne peut pas être modifié", 0755, false, true, {}, 0666},
      {"démarré\nLe fichier de données est endommagé", 0777, false, false,
       "[" + EncodeIniText("PARAM").substr(0, 4)},
  };
  const std::string added = "07.03.2030 09:00¦07.03.2030 10:00¦Enduit¦0¦255-1¦0";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.told);
    for (const std::string& folder : {DataFolder(), shared, home}) {
      std::filesystem::remove_all(folder);
      std::filesystem::create_directories(folder);
    }
    ASSERT_EQ(::chown(home.c_str(), kNobody, kNobody), 0);
    WriteTextFile(shared + "/data", c.contents);
    if (c.contents.empty()) {
      std::filesystem::rename(EarlierRun("Projets", "", "").DataFile, shared + "/data");
    }
    std::filesystem::create_symlink(shared + "/data", DataFolder() + "/data");
    ::chmod((shared + "/data").c_str(), 0666);
    ::chmod(shared.c_str(), c.folderMode);
    if (c.lockLeftByTheFirst) {
      ::close(::open((shared + "/data.verrou").c_str(), O_CREAT, 0600));
      ::chmod((shared + "/data.verrou").c_str(), c.lockMode);
    }
    std::string told;
    {
      // No lock file in the read-only folder: the first account has never started there.
      auto first = c.folderMode == 0777 ? Start() : nullptr;
      if (!c.firstRunning) first.reset();
      told = StartAsAnotherAccount(home, shared + "/data", added, c.ownPidNamespace);
    }
    EXPECT_TRUE(told.starts_with(c.told)) << told;
    EXPECT_THAT(told, Not(HasSubstr("n'ont pas pu être enregistrées")));
    const bool kept = told.starts_with("démarré") && c.folderMode == 0777;
    EXPECT_EQ(told.ends_with("(verrou tenu)"), kept) << "a run that writes nothing locks nothing";
    const std::vector<std::string> next = Start()->planner.Activities;
    EXPECT_EQ(!next.empty() && next.back() == added, kept);
  }
}

// What befalls the data file while a planner runs: its link repointed to a file that a
// second planner then starts on, the file removed, replaced, cut in place, replaced by a
// link, its lock file removed and a second planner started.  The change goes to the file
// opened at the start and loses none of the records shown; a file gone, replaced or changed
// is told, and what was found in its place is kept; no second planner starts on the file.
TEST_F(StartupTest, TheFileOpenedAtTheStartIsTheFileWritten) {
  const std::string a = scratch_ / "a";
  const std::string b = scratch_ / "b";
  const std::string link = DataFolder() + "/data";
  const std::string elsewhere = Header("RESSOURCE0") + KeyLine("Nom", "Ailleurs");
  std::string cut;
  struct Case {
    std::function<void()> meanwhile;
    std::string told;
    const std::string* kept;  // what the copy kept holds; none when null
  };
  const std::vector<Case> cases = {
      {[&] {
         std::filesystem::remove(link);
         std::filesystem::create_symlink(b, link);
         ASSERT_TRUE(Start()->started);
       }, "", nullptr},
      {[&] { std::filesystem::remove(a); }, "a été supprimé par un autre programme", nullptr},
      {[&] { std::filesystem::rename(b, a); }, "a été remplacé par un autre programme",
       &elsewhere},
      {[&] {
         ASSERT_EQ(::truncate(a.c_str(), 40), 0);
         cut = ReadTextFile(a);
       }, "a été modifié par un autre programme", &cut},
      {[&] {
         std::filesystem::remove(a);
         std::filesystem::create_symlink(b, a);
       }, "a été remplacé par un autre programme", &elsewhere},
      {[&] {
         std::filesystem::remove(a + ".verrou");
         auto second = Start();
         EXPECT_FALSE(second->started);
         EXPECT_THAT(second->services.failure, HasSubstr("Quorvane est déjà ouvert"));
       }, "", nullptr},
  };
  const std::string added = "08.03.2030 09:00¦08.03.2030 10:00¦Joints¦0¦255-1¦0";
  for (const auto& [meanwhile, told, kept] : cases) {
    SCOPED_TRACE(told);
    std::filesystem::remove_all(DataFolder());
    std::filesystem::remove(a);
    const Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
    std::filesystem::rename(link, a);
    std::filesystem::create_symlink(a, link);
    WriteTextFile(b, elsewhere);
    std::vector<std::string> messages;
    {
      auto run = Start();
      run->planner.ShowWriteFailure = [&](const std::string& m) { messages.push_back(m); };
      meanwhile();
      ASSERT_TRUE(AddActivity(run->planner, added));
    }
    EXPECT_EQ(messages.size(), told.empty() ? 0u : 1u);
    for (const std::string& message : messages) {
      EXPECT_THAT(message, AllOf(HasSubstr(told), HasSubstr("avec toutes les données affichées")));
      const std::size_t copy = message.find("gardé : ");
      EXPECT_EQ(copy != std::string::npos, kept != nullptr);
      if (kept != nullptr && copy != std::string::npos) {
        EXPECT_EQ(ReadTextFile(message.substr(copy + 9)), *kept);
      }
    }
    if (std::filesystem::exists(b)) {
      EXPECT_EQ(ReadTextFile(b), elsewhere);
    }
    std::filesystem::remove(link);
    std::filesystem::create_symlink(a, link);
    auto restarted = Start();
    EXPECT_THAT(restarted->planner.Activities, ElementsAre(earlier.Activities[0], added));
    EXPECT_EQ(restarted->planner.Resources, earlier.Resources);
    EXPECT_EQ(restarted->planner.ActivityType, "BTP");
  }
}

// A data file its owner made read-only, before the start or while the planner runs, is kept
// as a read-only folder keeps it: the data and the changes show, one notice says that no
// change can be saved, and the file stays as it was.
TEST_F(StartupTest, AReadOnlyDataFileShowsTheDataAndIsNeverWritten) {
  for (bool whileRunning : {false, true}) {
    SCOPED_TRACE(whileRunning);
    std::filesystem::remove_all(DataFolder());
    const Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
    const std::string bytes = ReadTextFile(earlier.DataFile);
    if (!whileRunning) ::chmod(earlier.DataFile.c_str(), 0444);
    std::vector<std::string> told;
    {
      auto run = Start();
      ASSERT_TRUE(run->started);
      told = run->services.notices;
      run->planner.ShowWriteFailure = [&](const std::string& m) { told.push_back(m); };
      if (whileRunning) ::chmod(earlier.DataFile.c_str(), 0444);
      ASSERT_TRUE(AddResource(run->planner, "Salle 3"));
      SetResourceRecord(run->planner, 0, "Salle 1¦1");
      EXPECT_THAT(run->planner.Resources, ElementsAre("Salle 1¦1", "Salle 2¦1", "Salle 3"));
      EXPECT_EQ(WriteUnwrittenValues(run->planner), 0);
    }
    EXPECT_THAT(told, ElementsAre(HasSubstr("Le fichier de données ne peut pas être modifié : il "
                                            "est en lecture seule.")));
    EXPECT_EQ(ReadTextFile(earlier.DataFile), bytes);
    struct stat status;
    ASSERT_EQ(::stat(earlier.DataFile.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0444u);
    EXPECT_EQ(Start()->planner.Resources, earlier.Resources);
  }
}

// A file that lost records some kept activity still books gives none of their numbers to a
// new record, however far beyond the others one of them lies.
TEST_F(StartupTest, NoNumberAKeptActivityNamesIsGivenToANewRecord) {
  struct Case {
    std::string name;
    std::string booked;  // the activity's project and resource fields
    int resource;        // the number a new resource takes
    int project;         // and a new project
  };
  const std::vector<Case> cases = {
      {"numbers past the kept ones", "1¦255-1¦22¦23¦24¦25¦26¦27¦28¦29¦65600", 30, 2},
      {"a number far beyond alone", "0¦255-1¦65600", 22, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove_all(DataFolder());
    std::filesystem::create_directories(DataFolder());
    Planner earlier;
    earlier.DataFile = DataFolder() + "/data";
    for (int i = 0; i < 22; ++i) AddResource(earlier, "Outil " + std::to_string(i));
    AddCategory(earlier, "Nord¦255-0");
    AddActivity(earlier, "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦" + c.booked);
    SaveParams(earlier);
    {
      auto run = Start();
      ASSERT_TRUE(AddResource(run->planner, "Nouvelle grue"));
      ASSERT_TRUE(AddCategory(run->planner, "Sud¦65280-0"));
      EXPECT_EQ(run->planner.ResourceMax(), c.resource);
      EXPECT_EQ(run->planner.CategoryMax(), c.project);
    }
    auto restarted = Start();
    EXPECT_EQ(restarted->planner.Resources.back(), "Nouvelle grue");
    EXPECT_EQ(restarted->planner.ResourceMax(), c.resource);
    EXPECT_EQ(restarted->planner.Categories.back(), "Sud¦65280-0");
    EXPECT_EQ(restarted->planner.CategoryMax(), c.project);
  }
}

// Every line that is not one the planner writes is damage, told with a copy kept: a header
// whose kind is one symbol off, the record key one symbol off or missing, a "]" inside a
// header, a setting or a section the planner has none of.  Each change of one byte in a
// header or a key of a sound file is either read as before or told so.
TEST_F(StartupTest, EveryLineNotThePlannersOwnIsToldWithACopy) {
  const Planner earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
  const std::string sound = ReadTextFile(earlier.DataFile);
  const auto replaced = [&](const std::string& from, const std::string& to) {
    std::string text = sound;
    return text.replace(text.find(from), from.size(), to);
  };
  std::string bracketed = Header("RESSOURCE1");
  bracketed.insert(5, "]");
  const std::string salle2 = KeyLine("Nom", "Salle 2¦1");
  const std::vector<std::pair<std::string, std::string>> damages = {
      {"control symbol in the kind", replaced(Header("ACTIVITE0"), Header("ACTI\x16ITE0"))},
      {"accent in the kind", replaced(Header("ACTIVITE0"), Header("ACTIVITõ0"))},
      {"kind in lower case", replaced(Header("ACTIVITE0"), Header("activite0"))},
      {"record key Nol", replaced(salle2, KeyLine("Nol", "Salle 2¦1"))},
      {"record key Noo", replaced(salle2, KeyLine("Noo", "Salle 2¦1"))},
      {"record key missing", replaced(salle2, "")},
      {"] inside a header", replaced(Header("RESSOURCE1"), bracketed)},
      {"setting of another name", replaced(KeyLine("Synchro", "https://example.org/agenda"),
                                           KeyLine("Synchra", "https://example.org/agenda"))},
      {"section of another name", sound + Header("AUTRE") + KeyLine("Nom", "Intrus")},
  };
  // Told with a copy of `text`, and every record shown is the one written under its number.
  const auto expectTold = [&](const Run& run, const std::string& text) {
    ASSERT_THAT(run.services.notices, ElementsAre(HasSubstr("Le fichier de données est endommagé")));
    const std::string& notice = run.services.notices[0];
    const std::size_t copy = notice.find("gardée : ") + std::string("gardée : ").size();
    EXPECT_EQ(ReadTextFile(notice.substr(copy, notice.find('\n', copy) - copy)), text);
    for (const auto& [shown, written] :
         {std::pair{&run.planner.Resources, &earlier.Resources},
          {&run.planner.Categories, &earlier.Categories},
          {&run.planner.Activities, &earlier.Activities}}) {
      ASSERT_LE(shown->size(), written->size());
      for (std::size_t i = 0; i < shown->size(); ++i) {
        if (!(*shown)[i].empty()) {
          EXPECT_EQ((*shown)[i], (*written)[i]);
        }
      }
    }
  };
  for (const auto& [damage, text] : damages) {
    SCOPED_TRACE(damage);
    std::filesystem::remove_all(DataFolder());
    std::filesystem::create_directories(DataFolder());
    WriteTextFile(earlier.DataFile, text);
    {
      auto run = Start();
      expectTold(*run, text);
      ASSERT_TRUE(AddResource(run->planner, "Nouvelle grue"));
    }
    auto restarted = Start();
    EXPECT_THAT(restarted->services.notices, ::testing::IsEmpty());
    EXPECT_EQ(restarted->planner.Resources.back(), "Nouvelle grue");
    EXPECT_EQ(restarted->planner.ActivityType, "BTP");
  }

  // Where the codes of the number start in a record's header line at `begin`; npos in others.
  const auto numberAt = [&](std::size_t begin) {
    for (const char* kind : {"RESSOURCE", "CATEGORIE", "ACTIVITE"}) {
      const std::string prefix = "[" + EncodeIniText(kind);
      if (sound.compare(begin, prefix.size(), prefix) == 0) return begin + prefix.size();
    }
    return std::string::npos;
  };
  // The sweep: every byte of the headers and the keys, but for the codes of a record's
  // number, which another one-byte change may turn into a number no section bears: a sound
  // record of that number, as a file that lost a record holds.
  std::set<std::string> swept;
  int starts = 0;
  for (std::size_t begin = 0; begin < sound.size(); begin = sound.find('\n', begin) + 1) {
    const std::size_t end = sound.find(sound[begin] == '[' ? ']' : '=', begin) + 1;
    const std::size_t number = numberAt(begin);
    // Lines alike but for their number ("Nom" in every record) are swept once.
    if (!swept.insert(sound.substr(begin, std::min(end, number) - begin)).second) continue;
    for (std::size_t at = begin; at < end; ++at) {
      if (at >= number && at + 1 < end) continue;
      // One change a byte, the kinds taken in turn: a bit flipped, the letter case, a byte
      // beyond ASCII, a "]".
      const int changes[] = {0x01, 0x20, 0x80, ']' ^ sound[at]};
      const int change = changes[at % 4];
      std::string text = sound;
      text[at] = static_cast<char>(text[at] ^ change);
      SCOPED_TRACE("byte " + std::to_string(at) + " ^ " + std::to_string(change));
      std::filesystem::remove_all(DataFolder());
      std::filesystem::create_directories(DataFolder());
      WriteTextFile(earlier.DataFile, text);
      auto run = Start();
      ++starts;
      if (!run->services.notices.empty()) {
        expectTold(*run, text);
      } else {
        EXPECT_EQ(run->planner.Resources, earlier.Resources);
        EXPECT_EQ(run->planner.Categories, earlier.Categories);
        EXPECT_EQ(run->planner.Activities, earlier.Activities);
        EXPECT_EQ(run->planner.ActivityType, "BTP");
        EXPECT_EQ(run->planner.ProjectTerms[0], "Chantiers");
        EXPECT_EQ(run->planner.ShareLink, "https://example.org/agenda");
      }
      if (HasFailure()) return;
    }
  }
  EXPECT_GT(starts, 100);
}

// What a program killed in its work leaves beside the data file is read or cleared at the
// next start: the list of calendars to send again, whatever its line ends, told when a line
// cannot be read; a restore killed after its copy, which leaves the new data no list of the
// old; a backup killed while copying, whose half-made file goes.
TEST_F(StartupTest, WhatAKilledProgramLeftBesideTheDataIsReadOrCleared) {
  const std::string list = DataFolder() + "/calendriers.en-attente";
  const std::string backups = scratch_ / "sauvegardes";
  Planner earlier;
  const std::vector<std::tuple<std::string, std::function<void()>, std::set<int>>> cases = {
      {"La liste des calendriers à envoyer est endommagée : ses numéros de projet ont été lus "
       "et gardés, ses autres lignes sont ignorées.\nFichier : " + list,
       [&] { WriteTextFile(list, "0\r\n3\r5\nzéro\n"); }, {0, 3, 5}},
      {"", [&] {
         WriteTextFile(list, "0\n3\n");
         bool listFailed;
         ReplaceDataWithoutUnsentCalendars(earlier, [&] {
           platform::ReplaceFileContents(earlier.DataFile,
                                         Header("PARAM") + KeyLine("Projet", "Salles"));
           return ::kill(::getpid(), SIGKILL);
         }, listFailed);
       }, {}},
      {"", [&] {
         NoteBackupUnderWay(earlier, backups + "/20261210.back");
         WriteTextFile(backups + "/20261210.back.tmp-Ab12Cd", ReadTextFile(earlier.DataFile));
       }, {}},
  };
  for (const auto& [told, killedAfter, unsent] : cases) {
    SCOPED_TRACE(told);
    std::filesystem::remove_all(DataFolder());
    std::filesystem::remove_all(backups);
    std::filesystem::create_directories(backups);
    WriteTextFile(backups + "/20261209.back", "kept");
    earlier = EarlierRun("Chantiers", "Étapes", "Personnes");
    earlier.DataFolder = DataFolder();
    if (const pid_t child = ::fork(); child == 0) {
      killedAfter();
      ::kill(::getpid(), SIGKILL);
    } else {
      ::waitpid(child, nullptr, 0);
    }
    auto run = Start();
    EXPECT_EQ(run->planner.UnsentCalendars, unsent);
    EXPECT_EQ(run->services.notices.size(), told.empty() ? 0u : 1u);
    for (const std::string& notice : run->services.notices) EXPECT_THAT(notice, HasSubstr(told));
    EXPECT_EQ(EntriesOf(backups), std::set<std::string>{"20261209.back"});
    EXPECT_THAT(EntriesOf(DataFolder()), Not(::testing::Contains(::testing::AnyOf(
                                              HasSubstr(".tmp-"), HasSubstr(".retire")))));
  }
}

// A file cut inside its last line on a full disk: the cut record is passed over, never read
// as a whole one, and every start says that no copy could be kept until a write, once there
// is room, keeps the copy and leaves the line out.
TEST_F(StartupTest, ALineCutOnAFullDiskIsToldUntilAWriteLeavesItOut) {
  const std::string file = EarlierRun("Chantiers", "Étapes", "Personnes").DataFile;
  const std::string record = "09.03.2030 09:00¦09.03.2030 10:00¦Chape¦0¦255-1¦1¦0";
  const std::string cut = ReadTextFile(file) + Header("ACTIVITE1") + EncodeIniText("Nom") +
                          "=" + EncodeIniText(record.substr(0, record.size() - 1));
  WriteTextFile(file, cut);
  for (bool roomMade : {false, true}) {
    platform::InjectedFileFaults().writeError = ENOSPC;
    auto run = Start();
    int told = 0;
    run->planner.ShowWriteFailure = [&](const std::string&) { ++told; };
    EXPECT_THAT(run->services.notices,
                ElementsAre(HasSubstr("Aucune copie du fichier n'a pu être gardée.\nCause : "
                                      "espace disque insuffisant\nCes lignes restent")));
    EXPECT_EQ(run->planner.Activities.size(), 1u) << "the cut record is not read";
    if (roomMade) platform::InjectedFileFaults().writeError = 0;
    ASSERT_TRUE(AddResource(run->planner, "Salle 3"));
    EXPECT_EQ(told, roomMade ? 0 : 1);
    platform::InjectedFileFaults().writeError = 0;
  }
  auto restarted = Start();
  EXPECT_THAT(restarted->services.notices, ElementsAre());
  EXPECT_EQ(restarted->planner.Resources.back(), "Salle 3");
  EXPECT_THAT(EntriesOf(DataFolder()), ::testing::Contains(::testing::StartsWith("data.endommagé-")));
}

}  // namespace
}  // namespace store
