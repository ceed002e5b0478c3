#include "app/settings/publishing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/settings/calendar_export.h"
#include "app/settings/calendar_test_support.h"
#include "app/settings/category_list.h"
#include "app/settings/test_publishing.h"
#include "app/settings/unsent_calendars.h"
#include "app/store/unsent_calendars_file.h"
#include "platform/file_faults.h"
#include "platform/ftp_test_server.h"
#include "platform/temp_folder.h"

namespace {

constexpr std::time_t kNow = 1772794861;

store::Planner Plan() {
  store::Planner planner;
  planner.IanaTimeZone = "Europe/Paris";
  planner.Resources = {"Anne"};
  planner.Categories = {"Chantier Nord¦16777215-1", "Atelier¦65280-2", "Réunions¦255-0",
                        "Cour¦0-1"};
  planner.Activities = {"02.03.2026 08:00¦02.03.2026 09:00¦Visite¦3¦255-1¦0",
                        "03.03.2026 08:00¦03.03.2026 09:00¦Pose¦1¦255-1-2"};
  return planner;
}

class PublishingTest : public testing::Test {
 protected:
  PublishingTest()
      : work_(TestFolder("publishing")),
        server_(work_ / "server", kTestFtpUser, kTestFtpPassword),
        publishing_(TestPublishing(server_.Port(), work_ / "temp")) {
    std::filesystem::create_directories(server_.Root() / "sites/cal.example/cal_users");
  }
  std::filesystem::path Published(const std::string& name) const {
    return server_.Root() / "sites/cal.example/cal_users" / name;
  }

  std::filesystem::path work_;
  FtpTestServer server_;
  settings::Publishing publishing_;
  runtime::FixedClock clock_{*runtime::DateTime::Parse("06.03.2026 12:01"), kNow};
};

TEST_F(PublishingTest, TheServerReceivesTheCalendarAndTheColourListByteForByte) {
  ASSERT_NE(server_.Port(), 0);
  const store::Planner planner = Plan();
  settings::ExportICalendar(planner, "86491144", 3, clock_, publishing_);
  settings::ExportCategoryList(planner, "86491144", publishing_);

  const std::string calendar = settings::CalendarText(planner, "86491144", 3, kNow);
  EXPECT_EQ(FileBytes(publishing_.Folder / "86491144-3.ics"), calendar);
  EXPECT_EQ(FileBytes(Published("86491144-3.ics")), calendar);
  EXPECT_EQ(ParsedEventCount(Published("86491144-3.ics")), "1\n");
  EXPECT_EQ(FileBytes(Published("86491144-cat.txt")), settings::CategoryListText(planner));
  EXPECT_EQ(FileBytes(publishing_.Folder / "86491144-cat.txt"),
            settings::CategoryListText(planner));
  EXPECT_FALSE(std::filesystem::exists(Published("86491144-1.ics")));

  // -1 publishes every project; an empty identifier names the files by the index alone.
  settings::ExportICalendar(planner, "", -1, clock_, publishing_);
  for (const char* name : {"-0.ics", "-1.ics", "-2.ics", "-3.ics"}) {
    EXPECT_EQ(ParsedEventCount(Published(name)).rfind("failed", 0), std::string::npos) << name;
  }
  EXPECT_EQ(ParsedEventCount(Published("-1.ics")), "1\n");
}

// A refused login, a missing folder, a stopped server: each failure is reported and the
// server keeps what it had.  The wait on a silent server is the upload's time-out, bounded
// by the FTP upload's own tests.
TEST_F(PublishingTest, FailedUploadsAreReportedAndLeaveTheServerAsItWas) {
  ASSERT_NE(server_.Port(), 0);
  const store::Planner planner = Plan();
  settings::Publishing wrongPassword = publishing_;
  wrongPassword.Account.Password = "qx84-lm!rta7#wz";
  EXPECT_FALSE(settings::ExportICalendar(planner, "1", 3, clock_, wrongPassword));

  settings::Publishing missingFolder = publishing_;
  missingFolder.WebHost = "other.example";
  settings::ExportCategoryList(planner, "1", missingFolder);

  settings::Publishing closedPort = publishing_;
  closedPort.Account.Port = ClosedPort();
  EXPECT_FALSE(settings::ExportICalendar(planner, "1", 3, clock_, closedPort));

  EXPECT_FALSE(std::filesystem::exists(Published("1-3.ics")));
  EXPECT_FALSE(std::filesystem::exists(server_.Root() / "sites/other.example"));
  // The files were written all the same.
  EXPECT_TRUE(std::filesystem::exists(publishing_.Folder / "1-3.ics"));
  EXPECT_TRUE(std::filesystem::exists(publishing_.Folder / "1-cat.txt"));
  EXPECT_FALSE(settings::PublishFile((publishing_.Folder / "1-3.ics").string(), "1-3.ics",
                                     wrongPassword));
}

// A calendar the server did not take is promised for the next publication, after a restart
// too; where the list of such calendars cannot be kept, the promise holds for this run only.
TEST_F(PublishingTest, AnUnsentCalendarIsPromisedForAsLongAsItsListIsKept) {
  const std::vector<std::pair<int, std::string>> rows = {
      {0, "à la prochaine publication."},
      {ENOSPC, "à la prochaine publication, si le programme reste ouvert jusque-là : la liste "
               "des calendriers à envoyer n'a pas pu être enregistrée dans le dossier des "
               "données.\nCause : espace disque insuffisant"},
  };
  settings::Publishing closedPort = publishing_;
  closedPort.Account.Port = ClosedPort();
  for (const auto& [fault, promise] : rows) {
    store::Planner planner = Plan();
    planner.DataFolder = (work_ / "data").string();
    std::filesystem::remove_all(planner.DataFolder);
    std::filesystem::create_directories(planner.DataFolder);
    platform::InjectedFileFaults().writeError = fault;
    EXPECT_FALSE(settings::PublishCalendars(planner, {1}, clock_, closedPort));
    platform::InjectedFileFaults().writeError = 0;
    EXPECT_THAT(settings::UnsentCalendarsMessage(planner),
                testing::EndsWith("« Atelier » n'a pas pu être envoyé au serveur. Il sera "
                                  "envoyé de nouveau " + promise));
    store::Planner restarted = Plan();
    restarted.DataFolder = planner.DataFolder;
    store::ReadUnsentCalendars(restarted);
    EXPECT_EQ(restarted.UnsentCalendars.size(), fault == 0 ? 1u : 0u);
  }
}

// Where sharing is not available, a link stored by another build publishes nothing: the
// files are not even written.
TEST_F(PublishingTest, NothingIsSentNorWrittenWhereSharingIsNotAvailable) {
  const store::Planner planner = Plan();
  settings::Publishing off = publishing_;
  off.Account.Server.clear();
  settings::ExportCategoryList(planner, "7", off);
  settings::ExportICalendar(planner, "7", -1, clock_, off);
  off = publishing_;
  off.WebHost.clear();
  settings::ExportCategoryList(planner, "8", off);
  settings::ExportICalendar(planner, "8", 3, clock_, off);
  off = publishing_;
  off.ProductHost.clear();
  settings::ExportCategoryList(planner, "9", off);
  settings::ExportICalendar(planner, "9", 3, clock_, off);
  EXPECT_TRUE(std::filesystem::is_empty(server_.Root() / "sites/cal.example/cal_users"));
  EXPECT_TRUE(std::filesystem::is_empty(publishing_.Folder));
  EXPECT_EQ(settings::RemotePath("cal.example", "7-cat.txt"), "sites/cal.example/cal_users/7-cat.txt");
}

// The file names come from the user identifier; one that would leave the folder is refused
// rather than written elsewhere or sent up the server's tree.
TEST_F(PublishingTest, ANameThatLeavesTheFolderIsNotWritten) {
  for (const char* name : {"../1-cat.txt", "sub/1-cat.txt", "..", ".", ""}) {
    EXPECT_EQ(settings::SavePublishedFile(name, "x", publishing_), "") << name;
  }
  settings::ExportCategoryList(Plan(), "../../x", publishing_);
  EXPECT_FALSE(std::filesystem::exists(work_ / "x-cat.txt"));
  EXPECT_TRUE(std::filesystem::is_empty(server_.Root() / "sites/cal.example/cal_users"));
  EXPECT_FALSE(std::filesystem::exists(server_.Root() / "sites/x-cat.txt"));
}

TEST(PublishingDefaults, FilesGoToThePrivateTempFolder) {
  const auto temp = platform::PrivateTempFolder(platform::SystemEnvironment());
  ASSERT_TRUE(temp);
  const std::string path = settings::SavePublishedFile("0-cat.txt", "x", settings::Publishing());
  EXPECT_EQ(path, (*temp / "0-cat.txt").string());
  std::filesystem::remove(path);
}

}  // namespace
