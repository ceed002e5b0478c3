// The program's start-up ends with the main window shown: on a fresh data folder and on a
// data file with projects, resources and activities.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <functional>
#include <set>
#include <string>

#include "app/mainwindow/startup_services.h"
#include "app/settings/calendar_test_support.h"
#include "app/settings/frmTerminologie.h"
#include "app/settings/test_publishing.h"
#include "app/settings/unsent_calendars.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "forms/testing.h"
#include "forms/user_driver.h"
#include "platform/ftp_test_server.h"
#include "platform/http_test_server.h"
#include "platform/killed_at_system_call.h"
#include "platform/scratch_folder.h"

namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ProgramStartupTest : public ::testing::Test {
 protected:
  ProgramStartupTest() { ::setenv("XDG_DATA_HOME", home.Path().c_str(), 1); }
  ~ProgramStartupTest() override { ::unsetenv("XDG_DATA_HOME"); }

  std::string DataFile() const { return home / "Quorvane/data"; }

  // Writes the tables and terms through the store, as an earlier run would have.
  void WriteEarlierRun() {
    std::filesystem::create_directories(home / "Quorvane");
    store::Planner earlier;
    earlier.DataFile = DataFile();
    store::AddResource(earlier, "Ann");
    store::AddResource(earlier, "Bob");
    store::AddCategory(earlier, "Nord\u00A6255-0");
    store::AddCategory(earlier, "Sud\u00A665535-1");
    store::AddActivity(earlier,
                       "05.03.2026 09:00\u00A605.03.2026 10:30\u00A6Pose\u00A60\u00A6255-0\u00A61");
    store::AddActivity(earlier, "06.03.2026 08:00\u00A606.03.2026 09:00\u00A6Visite\u00A61"
                                "\u00A665535-1-1\u00A60\u00A61");
    earlier.ProjectTerms[0] = "Chantiers";
    earlier.ActivityTerms[0] = "Étapes";
    earlier.ResourceTerms[0] = "Ressources";
    store::SaveParams(earlier);
  }

  bool Start() { return store::Main(planner, startup); }

  // The user's doing in the settings dialog the next time it is shown.
  void InSettingsDialog(std::function<void(settings::frmTerminologie&)> doing) {
    world.eventLoop.modalScripts.push_back([doing](forms::Form& form) {
      doing(static_cast<settings::frmTerminologie&>(form));
    });
  }

  ScratchFolder home;
  store::Planner planner;
  forms::testing::TestServices world;
  mainwindow::MainWindowStartup startup{planner, world.services()};
};

TEST_F(ProgramStartupTest, FreshFolderOpensTheWindowWithTheDefaultTerms) {
  // The first run's dialog is left with only a projects term chosen.
  InSettingsDialog([](settings::frmTerminologie& d) {
    forms::testing::UserDriver().Choose(d.cmbProj, "Projets");
  });
  ASSERT_TRUE(Start());

  EXPECT_TRUE(std::filesystem::is_directory(home / "Quorvane"));
  mainwindow::frmMain* w = startup.MainWindow();
  ASSERT_NE(w, nullptr);
  EXPECT_TRUE(w->Visible());
  EXPECT_EQ(w->lblAffiche[6].Caption(), "Projets");
  EXPECT_EQ(w->lblAffiche[4].Caption(), "Ajouter une activité");
  EXPECT_EQ(w->lblAffiche[5].Caption(), "Ressources Personnes");
  EXPECT_EQ(w->MSFlexGrid1.Rows(), 1);
  EXPECT_EQ(w->lblCategories.Count(), 1);
  EXPECT_TRUE(world.dialogs.shown.empty());
  // The defaults stay in memory: nothing is written.
  EXPECT_FALSE(std::filesystem::exists(DataFile()));
}

TEST_F(ProgramStartupTest, FirstRunShowsTheSettingsDialogWhichStoresItsDefaults) {
  ASSERT_TRUE(Start());

  EXPECT_THAT(world.eventLoop.modalForms, ElementsAre("frmTerminologie"));
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_THAT(world.dialogs.shown[0].prompt, HasSubstr("appelations par défaut"));
  EXPECT_EQ(store::ReadIni("PARAM", "Act", DataFile()), "Tâches");
  mainwindow::frmMain& w = *startup.MainWindow();
  EXPECT_EQ(w.lblAffiche[4].Caption(), "Ajouter une tâche");
}

TEST_F(ProgramStartupTest, SideMenuSettingsRewriteTheCaptions) {
  WriteEarlierRun();
  ASSERT_TRUE(Start());
  InSettingsDialog([](settings::frmTerminologie& d) {
    forms::testing::UserDriver user;
    user.Choose(d.cmbType, "Cabinet médical");
    user.Click(d.cmdOk);
  });

  mainwindow::frmMain& w = *startup.MainWindow();
  forms::testing::UserDriver().Click(w.lblAffiche[8]);

  EXPECT_EQ(world.eventLoop.modalForms.back(), "frmTerminologie");
  EXPECT_EQ(w.lblAffiche[6].Caption(), "Patients");
  EXPECT_EQ(store::ReadIni("PARAM", "Projet", DataFile()), "Patients");
}

TEST_F(ProgramStartupTest, DataFileWithRecordsFillsTheWindow) {
  WriteEarlierRun();
  ASSERT_TRUE(Start());
  EXPECT_TRUE(world.eventLoop.modalForms.empty());

  mainwindow::frmMain& w = *startup.MainWindow();
  EXPECT_TRUE(w.Visible());
  EXPECT_EQ(w.lblAffiche[6].Caption(), "Chantiers");
  EXPECT_EQ(w.lblAffiche[4].Caption(), "Ajouter une étape");
  EXPECT_EQ(w.lblCategories[2].Caption(), "Sud");
  ASSERT_EQ(w.MSFlexGrid1.Rows(), 3);
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 3), "Nord");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(1, 5), "Bob");
  EXPECT_EQ(w.MSFlexGrid1.TextMatrix(2, 16), "journalier");
  EXPECT_EQ(w.lblPlage.ToolTipText(), planner.WindowsTimeZone);
  EXPECT_FALSE(planner.IanaTimeZone.empty());
}

TEST_F(ProgramStartupTest, TheWindowIsShownFirstAndTheVersionCheckOffersWhileItLives) {
  WriteEarlierRun();
  HttpTestServer versions(200, "AutoVersion9.99");
  mainwindow::MainWindowStartup checking(planner, world.services(), [&](mainwindow::frmMain& w) {
    w.VersionUrl = versions.Url("/version");
    w.InstallerUrl = "https://127.0.0.1:9/download/Quorvane.exe";
  });
  ASSERT_TRUE(store::Main(planner, checking));

  mainwindow::frmMain& w = *checking.MainWindow();
  EXPECT_TRUE(w.Visible());
  EXPECT_TRUE(w.Inet1.StillExecuting());
  EXPECT_TRUE(world.dialogs.shown.empty());

  world.dialogs.msgBoxAnswers.push_back(forms::kNo);
  while (w.Inet1.StillExecuting()) world.eventLoop.DoEvents();
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_THAT(world.dialogs.shown[0].prompt, HasSubstr("Une nouvelle version de Quorvane"));
  EXPECT_TRUE(world.eventLoop.repeated.empty());
}

TEST_F(ProgramStartupTest, MalformedRecordsDoNotStopTheStartUp) {
  WriteEarlierRun();
  store::Planner earlier;
  earlier.DataFile = DataFile();
  store::LoadActivities(earlier);
  store::LoadCategories(earlier);
  store::AddActivity(earlier, "n'importe quoi");
  store::AddActivity(earlier, "\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6"
                              "\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6\u00A6");
  store::AddCategory(earlier, "Ouest\u00A6rouge");

  ASSERT_TRUE(Start());
  mainwindow::frmMain& w = *startup.MainWindow();
  EXPECT_TRUE(w.Visible());
  // Neither record is an activity the views could show: neither gets a table row.
  EXPECT_EQ(w.MSFlexGrid1.Rows(), 3);
  EXPECT_EQ(w.lblCategories[3].Caption(), "Ouest");
}

TEST_F(ProgramStartupTest, DataFolderThatCannotBeMadeIsReportedInAMessageBox) {
  WriteTextFile(home / "Quorvane", "not a folder");

  EXPECT_FALSE(Start());

  EXPECT_EQ(startup.MainWindow(), nullptr);
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_THAT(world.dialogs.shown[0].prompt, HasSubstr(home / "Quorvane"));
  EXPECT_EQ(world.dialogs.shown[0].buttons & forms::kIconMask, forms::kCritical);
}

TEST_F(ProgramStartupTest, AFailedWriteIsShownInAMessageBox) {
  ASSERT_TRUE(Start());
  world.dialogs.shown.clear();
  std::filesystem::remove_all(home / "Quorvane");

  store::AddResource(planner, "Ann");

  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].buttons & forms::kIconMask, forms::kExclamation);
}

// With the server stopped a save promises to send its calendar with the next publication;
// the program is closed and started again before it, and the promise still holds.
TEST_F(ProgramStartupTest, ACalendarLeftUnsentIsSentAfterARestart) {
  WriteEarlierRun();
  store::WriteIni(planner, "PARAM", "Synchro", "https://www.example/42", DataFile());
  FtpTestServer server(home / "server", kTestFtpUser, kTestFtpPassword);
  const auto calendars = server.Root() / "sites/cal.example/cal_users";
  std::filesystem::create_directories(calendars);
  settings::Publishing publishing = TestPublishing(ClosedPort(), home / "temp");
  const auto saveIn = [&](store::Planner& run, mainwindow::MainWindowStartup& started,
                          forms::testing::TestServices& services, int project) {
    ASSERT_TRUE(store::Main(run, started));
    mainwindow::frmMain& w = *started.MainWindow();
    w.PublishCalendars = [&](const std::vector<int>& projects) {
      return settings::PublishCalendars(run, projects, services.clock, publishing);
    };
    forms::testing::UserDriver user;
    w.OpenNewActivity("10.03.2026", 9, 0);
    user.Type(w.txtActivite, project == 0 ? "Livraison" : "Retour");
    user.Choose(w.cmbcategorie, project);
    user.Click(w.cmdValideActivite);
  };
  {
    store::Planner first;
    forms::testing::TestServices services;
    mainwindow::MainWindowStartup started{first, services.services()};
    saveIn(first, started, services, 0);
    ASSERT_EQ(services.dialogs.shown.size(), 1u);
    EXPECT_THAT(services.dialogs.shown[0].prompt, HasSubstr("Il sera envoyé de nouveau"));
  }
  EXPECT_EQ(std::filesystem::status(home / "Quorvane/calendriers.en-attente").permissions(),
            std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

  publishing.Account.Port = server.Port();
  saveIn(planner, startup, world, 1);
  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_THAT(FileBytes(calendars / (planner.UserId + "-0.ics")), HasSubstr("Livraison"));
  EXPECT_THAT(FileBytes(calendars / (planner.UserId + "-1.ics")), HasSubstr("Retour"));
  EXPECT_FALSE(std::filesystem::exists(home / "Quorvane/calendriers.en-attente"));
}

// A restore killed as it enters any of its system calls, then a restart: the user meets the
// old data with its calendars still to send, or the restored data without them, never the
// one with the other's list, and is told nothing.
TEST_F(ProgramStartupTest, ARestoreKilledAtAnyStepLeavesEachDataItsOwnCalendarsToSend) {
  ScratchFolder backups;
  store::Planner backup;
  backup.DataFile = backups / "20240503.back";
  backup.ProjectTerms[0] = "Salles";
  store::SaveParams(backup);
  WriteEarlierRun();
  const std::string earlier = ReadTextFile(DataFile());
  std::set<std::string> met;
  for (int call = 1;; ++call) {
    SCOPED_TRACE(call);
    std::filesystem::remove_all(home / "Quorvane");
    std::filesystem::create_directories(home / "Quorvane");
    WriteTextFile(DataFile(), earlier);
    WriteTextFile(home / "Quorvane/calendriers.en-attente", "0\n1\n");
    const bool killed = KilledAtSystemCall(call, [&](const std::function<void()>& countFromHere) {
      store::Planner running;
      forms::testing::TestServices services;
      mainwindow::MainWindowStartup started{running, services.services()};
      if (!store::Main(running, started)) return;
      settings::frmTerminologie w(running, services.services());
      w.EndProgram = [] { ::_exit(0); };
      w.Show();
      forms::testing::UserDriver user;
      user.Click(w.lblDatas);
      user.Click(w.cmdRestaure);
      w.Dir1.SetPath(backups.Path());
      user.Choose(w.File1, "20240503.back");
      countFromHere();
      user.Click(w.cmdFile);
    });
    store::Planner restarted;
    forms::testing::TestServices services;
    mainwindow::MainWindowStartup startup{restarted, services.services()};
    ASSERT_TRUE(store::Main(restarted, startup));
    const bool restored = restarted.ProjectTerms[0] == "Salles";
    const std::set<int> unsent = restored ? std::set<int>{} : std::set<int>{0, 1};
    if (!restored) {
      EXPECT_EQ(restarted.ProjectTerms[0], "Chantiers");
    }
    EXPECT_EQ(restarted.UnsentCalendars, unsent);
    EXPECT_TRUE(services.dialogs.shown.empty());
    met.insert(restarted.ProjectTerms[0]);
    if (!killed) break;
  }
  EXPECT_EQ(met, (std::set<std::string>{"Chantiers", "Salles"}));
}

}  // namespace
