// Saving while sharing is on, against a real FTP server that is stopped, or that accepts
// and never answers, and then comes back.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "activity_editor_fixture.h"
#include "app/settings/calendar_test_support.h"
#include "app/settings/test_publishing.h"
#include "app/settings/unsent_calendars.h"
#include "platform/ftp_test_server.h"

namespace {

class PublishTest : public EditorTest {
 protected:
  PublishTest() {
    planner.ShareLink = "https://www.example/cal";
    planner.UserId = "42";
    planner.IanaTimeZone = "Europe/Paris";
    publishing = TestPublishing(0, folder / "temp");
    publishing.Account.ConnectTimeoutSeconds = 1;
    publishing.Account.StallTimeoutSeconds = 1;
  }

  mainwindow::frmMain& OpenSharingWindow() {
    mainwindow::frmMain& w = Open();
    w.PublishCalendars = [this](const std::vector<int>& projects) {
      return settings::PublishCalendars(planner, projects, world.clock, publishing);
    };
    return w;
  }

  // Saves a new activity of `project` on `day` through the editor.
  void SaveNew(const std::string& day, const std::string& name, int project) {
    window->OpenNewActivity(day, 9, 0);
    Fill(name, project, {});
    Save();
  }

  std::string Published(const std::filesystem::path& root, int project) const {
    return FileBytes(root / "sites/cal.example/cal_users" / ("42-" + std::to_string(project) +
                                                            ".ics"));
  }

  settings::Publishing publishing;
};

TEST_F(PublishTest, AFailedUploadIsToldOnceAndSentAgainWithTheNextPublication) {
  for (const bool silent : {false, true}) {
    SCOPED_TRACE(silent ? "a server that never answers" : "a stopped server");
    world.dialogs.shown.clear();
    mainwindow::frmMain& w = OpenSharingWindow();
    SilentServer silentServer;
    publishing.Account.Port = silent ? silentServer.Port() : ClosedPort();
    ASSERT_NE(publishing.Account.Port, 0);
    const std::size_t stored = planner.Activities.size();

    // The save stays whole; the failure is told once, after it.
    SaveNew("10.03.2026", "Livraison", 0);
    EXPECT_FALSE(w.fraActivite.Visible());
    EXPECT_EQ(planner.Activities.size(), stored + 1);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].prompt,
              "Les modifications sont enregistrées, mais le calendrier en ligne de « Nord » "
              "n'a pas pu être envoyé au serveur. Il sera envoyé de nouveau à la prochaine "
              "publication.");
    EXPECT_EQ(world.screen.history.back(), forms::kDefaultPointer);

    // Still failing, the next save tries the server once and names both calendars.
    if (silent) EXPECT_EQ(silentServer.Connections(), 1);
    SaveNew("11.03.2026", "Retour", 1);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_NE(world.dialogs.shown[1].prompt.find("les calendriers en ligne de « Nord » et « Sud » "
                                                 "n'ont pas pu être envoyés"),
              std::string::npos);
    if (silent) EXPECT_EQ(silentServer.Connections(), 1);

    // Back up: a save of another project sends the calendars left behind with its own.
    FtpTestServer server(folder / "server", kTestFtpUser, kTestFtpPassword);
    std::filesystem::create_directories(server.Root() / "sites/cal.example/cal_users");
    publishing.Account.Port = server.Port();
    SaveNew("12.03.2026", "Inventaire", 2);
    EXPECT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_NE(Published(server.Root(), 0).find("Livraison"), std::string::npos);
    EXPECT_NE(Published(server.Root(), 1).find("Retour"), std::string::npos);
    EXPECT_NE(Published(server.Root(), 2).find("Inventaire"), std::string::npos);
    EXPECT_TRUE(planner.UnsentCalendars.empty());
  }
}

}  // namespace
