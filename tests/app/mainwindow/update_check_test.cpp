#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <filesystem>
#include <memory>

#include "app/store/records.h"
#include "platform/file_faults.h"
#include "platform/http_test_server.h"
#include "window_fixture.h"

namespace {

class UpdateCheckTest : public WindowTest {
 protected:
  UpdateCheckTest() { MakeWindow(); }

  // A window as the start-up has just loaded it, with time-outs that a busy machine stays far
  // within, and no installer.
  void MakeWindow() {
    window = std::make_unique<mainwindow::frmMain>(planner, world.services());
    window->LoadForm();
    window->VersionLimits.ConnectTimeoutSeconds = 30;
    window->VersionLimits.StallTimeoutSeconds = 30;
    window->VersionLimits.TotalTimeoutSeconds = 120;
    window->InstallerUrl = "";
    window->EndProgram = [this] { ++endings; };
    window->Environment = [this](const std::string& name) -> std::optional<std::string> {
      if (name == "XDG_RUNTIME_DIR") return temp.Path();
      return std::nullopt;
    };
  }

  // The version request sent once the window is up, the event loop turning until its
  // reply has been handled.
  void RequestVersion(const std::string& url) {
    window->VersionUrl = url;
    window->StartVersionRequest();
    while (window->Inet1.StillExecuting()) world.eventLoop.DoEvents();
  }

  std::string NewestFrom(const std::string& reply, int status = 200) {
    HttpTestServer server(status, reply);
    window->NewestVersion = "";
    RequestVersion(server.Url("/version"));
    return window->NewestVersion;
  }

  ScratchFolder temp;
  int endings = 0;
};

TEST_F(UpdateCheckTest, TheVersionIsTheFourCharactersAfterTheFirstVersionWord) {
  EXPECT_EQ(NewestFrom("Auto\r\nVersion1.2.16\r\n"), "1.2.");
  EXPECT_EQ(NewestFrom("AutoVersion1216 Version9999"), "1216");
  EXPECT_EQ(NewestFrom("Auto Version1.3\r\n"), "1.3\r");
  EXPECT_EQ(NewestFrom("AutoVersion12"), "12");
  EXPECT_EQ(NewestFrom("AutoVersionÉté1"), "Été1");
  EXPECT_EQ(NewestFrom("auto Version1216"), "");
  EXPECT_EQ(NewestFrom(" AutoVersion1216"), "");
  EXPECT_EQ(NewestFrom("Auto version 1216"), "");
  EXPECT_EQ(NewestFrom(""), "");
  EXPECT_EQ(NewestFrom("AutoVersion9999", 404), "");
}

TEST_F(UpdateCheckTest, ANewerVersionIsOfferedAndADeclinedOneDoesNothing) {
  window->InstallerUrl = "https://127.0.0.1:9/download/Quorvane.exe";
  window->InitMainForm();
  world.dialogs.msgBoxAnswers.push_back(forms::kNo);
  NewestFrom("AutoVersion1.01");  // 101 against the running 1.0.0

  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].prompt,
            "Une nouvelle version de Quorvane est disponible, voulez-vous l'installer "
            "maintenant ?");
  EXPECT_EQ(world.dialogs.shown[0].buttons, forms::kYesNo);
  EXPECT_EQ(window->NewestVersion, "101");
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_EQ(endings, 0);
  EXPECT_TRUE(window->Visible());
}

TEST_F(UpdateCheckTest, TheSameOrAnUnreadableVersionAsksNothing) {
  for (const char* reply : {"AutoVersion1.00", "AutoVersion0.99", "AutoVersionabcd"}) {
    MakeWindow();
    window->InstallerUrl = "https://127.0.0.1:9/download/Quorvane.exe";
    window->InitMainForm();
    NewestFrom(reply);
    EXPECT_TRUE(world.dialogs.shown.empty()) << reply;
    EXPECT_TRUE(window->Visible());
  }
}

TEST_F(UpdateCheckTest, AnInstallerAddressThatIsNotHttpsIsNeverFetched) {
  HttpTestServer installer(200, "#!/bin/sh\nexit 0\n");
  window->InstallerUrl = installer.Url("/download/Quorvane.exe");
  window->InitMainForm();
  world.dialogs.msgBoxAnswers.push_back(forms::kYes);
  NewestFrom("AutoVersion2.00");

  ASSERT_EQ(world.dialogs.shown.size(), 2u);
  EXPECT_EQ(world.dialogs.shown[1].title, "Quorvane");
  EXPECT_NE(world.dialogs.shown[1].prompt.find("https"), std::string::npos);
  EXPECT_TRUE(installer.Requests().empty());
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_EQ(endings, 0);
}

TEST_F(UpdateCheckTest, AFailedDownloadIsReportedAndTheProgramGoesOn) {
  int refusedPort;
  {
    HttpTestServer gone(200);
    refusedPort = gone.Port();
  }
  window->InstallerUrl =
      "https://127.0.0.1:" + std::to_string(refusedPort) + "/download/Quorvane.exe";
  window->InitMainForm();
  world.dialogs.msgBoxAnswers.push_back(forms::kYes);
  NewestFrom("AutoVersion2.00");

  ASSERT_EQ(world.dialogs.shown.size(), 2u);
  EXPECT_EQ(world.dialogs.shown[1].title, "Quorvane");
  EXPECT_EQ(world.dialogs.shown[1].buttons, forms::kOKOnly);
  EXPECT_EQ(world.dialogs.shown[1].prompt,
            "Le téléchargement a échoué : impossible de se connecter au serveur.");
  EXPECT_TRUE(world.shell.opened.empty());
  EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(temp.Path()) / "quorvane" /
                                       "Quorvane.exe"));
  EXPECT_EQ(endings, 0);
  EXPECT_TRUE(window->Visible());
}

// The program ends for the installer to run: a change still waiting for room on the disk
// gets its last write first.
TEST_F(UpdateCheckTest, EndingForTheInstallerWritesTheChangesStillWaiting) {
  mainwindow::frmMain ending(planner, world.services());
  platform::InjectedFileFaults().writeError = ENOSPC;
  store::AddResource(planner, "Etau");
  platform::InjectedFileFaults().writeError = 0;

  EXPECT_EXIT(ending.EndProgram(), ::testing::ExitedWithCode(0), "");
  store::Planner restarted;
  restarted.DataFile = planner.DataFile;
  store::LoadResources(restarted);
  EXPECT_EQ(restarted.Resources, std::vector<std::string>{"Etau"});
}

TEST_F(UpdateCheckTest, NoVersionAddressMeansNoRequestAndNoWait) {
  RequestVersion("");
  EXPECT_EQ(world.eventLoop.doEventsCalls, 0);
  EXPECT_TRUE(world.eventLoop.repeated.empty());
  EXPECT_EQ(window->NewestVersion, "");
}

TEST_F(UpdateCheckTest, AFailedOrSilentServerEndsTheWaitsWithinTheTimeOut) {
  int refusedPort;
  {
    HttpTestServer gone(200);
    refusedPort = gone.Port();
  }
  RequestVersion("http://127.0.0.1:" + std::to_string(refusedPort) + "/version");
  EXPECT_EQ(window->NewestVersion, "");

  // A stall of one second ends the wait long before the total time-out, with room for a
  // busy machine.
  HttpTestServer silent(0);
  window->VersionLimits.StallTimeoutSeconds = 1;
  const auto start = std::chrono::steady_clock::now();
  RequestVersion(silent.Url("/version"));
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(30));
  EXPECT_GT(world.eventLoop.doEventsCalls, 0);  // the window kept answering meanwhile
  EXPECT_EQ(window->NewestVersion, "");
}

}  // namespace

TEST(InstallerAddressTest, OnlyAnHttpsProductSiteOffersADownload) {
  EXPECT_EQ(mainwindow::InstallerUrlOn("http://quorvane.example"), "");
  EXPECT_EQ(mainwindow::InstallerUrlOn("ftp://quorvane.example"), "");
  EXPECT_EQ(mainwindow::InstallerUrlOn(""), "");
  EXPECT_EQ(mainwindow::InstallerUrlOn("https://quorvane.example/"),
            "https://quorvane.example/download/Quorvane.exe");
  EXPECT_EQ(mainwindow::InstallerUrlOn("HTTPS://quorvane.example"),
            "HTTPS://quorvane.example/download/Quorvane.exe");
}
