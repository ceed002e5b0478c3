// Saving while sharing is on, against an FTP server that is stopped, or that accepts and
// never answers, and then comes back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "activity_editor_fixture.h"
#include "app/settings/calendar_test_support.h"
#include "app/settings/test_publishing.h"
#include "app/settings/unsent_calendars.h"
#include "platform/ftp_test_server.h"

namespace {

TEST_F(EditorTest, AFailedUploadIsToldOnceAndSentAgainWithTheNextPublication) {
  const auto saveNew = [this](const std::string& day, const std::string& name, int project) {
    window->OpenNewActivity(day, 9, 0);
    Fill(name, project, {});
    Save();
  };
  planner.ShareLink = "https://www.example/cal";
  planner.UserId = "42";
  settings::Publishing publishing = TestPublishing(0, folder / "temp");
  publishing.Account.StallTimeoutSeconds = 1;
  for (const bool silent : {false, true}) {
    SCOPED_TRACE(silent ? "a server that never answers" : "a stopped server");
    world.dialogs.shown.clear();
    mainwindow::frmMain& w = OpenEditorWindow();
    w.PublishCalendars = [&](const std::vector<int>& projects) {
      return settings::PublishCalendars(planner, projects, world.clock, publishing);
    };
    SilentServer silentServer;
    publishing.Account.Port = silent ? silentServer.Port() : ClosedPort();

    // The save stays whole; the failure is told once, after it.
    saveNew("10.03.2026", "Livraison", 0);
    EXPECT_FALSE(w.fraActivite.Visible());
    EXPECT_NE(planner.Activities.back().find("Livraison"), std::string::npos);
    ASSERT_EQ(world.dialogs.shown.size(), 1u);
    EXPECT_EQ(world.dialogs.shown[0].prompt,
              "Les modifications sont enregistrées, mais le calendrier en ligne de « Nord » "
              "n'a pas pu être envoyé au serveur. Il sera envoyé de nouveau à la prochaine "
              "publication.");

    // Still failing, the next save asks the server once and names both calendars.
    const int connections = silentServer.Connections();
    saveNew("11.03.2026", "Retour", 1);
    ASSERT_EQ(world.dialogs.shown.size(), 2u);
    EXPECT_NE(world.dialogs.shown[1].prompt.find("de « Nord » et « Sud » n'ont pas pu"),
              std::string::npos);
    EXPECT_EQ(silentServer.Connections(), connections);

    // Back up: a save of another project sends the calendars left behind with its own.
    FtpTestServer server(folder / "server", kTestFtpUser, kTestFtpPassword);
    std::filesystem::create_directories(server.Root() / "sites/cal.example/cal_users");
    publishing.Account.Port = server.Port();
    saveNew("12.03.2026", "Inventaire", 2);
    EXPECT_EQ(world.dialogs.shown.size(), 2u);
    for (const auto& [project, name] : {std::pair{0, "Livraison"}, {1, "Retour"},
                                        {2, "Inventaire"}}) {
      const auto published = server.Root() / "sites/cal.example/cal_users" /
                             ("42-" + std::to_string(project) + ".ics");
      EXPECT_NE(FileBytes(published).find(name), std::string::npos) << project;
    }
  }
}

}  // namespace
