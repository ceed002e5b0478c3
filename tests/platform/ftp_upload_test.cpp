#include "platform/ftp_upload.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>

#include "platform/ftp_test_server.h"

namespace {

// A folder of the running test's own, so that tests may run side by side.
std::filesystem::path WorkFolder() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  return std::filesystem::path(QUORVANE_BUILD_DIR "/test-work/ftp_upload") /
         (std::string(test->test_suite_name()) + "." + test->name());
}

std::string Bytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::filesystem::path WriteLocal(const std::string& name, const std::string& bytes) {
  std::filesystem::create_directories(WorkFolder());
  const auto path = WorkFolder() / name;
  std::ofstream(path, std::ios::binary) << bytes;
  return path;
}

platform::FtpAccount Account(int port, std::string password = "s3cret:/@") {
  platform::FtpAccount account;
  account.Server = "127.0.0.1";
  account.Port = port;
  account.User = "planner";
  account.Password = std::move(password);
  // Far above what the test server takes to answer on a busy machine.
  account.ConnectTimeoutSeconds = 30;
  account.StallTimeoutSeconds = 30;
  return account;
}

class FtpUploadTest : public testing::Test {
 protected:
  FtpUploadTest() : server_(WorkFolder() / "server", "planner", "s3cret:/@") {
    std::filesystem::create_directories(server_.Root() / "sites/cal.example/cal_users");
  }
  FtpTestServer server_;
};

// Every byte arrives: CR LF, a NUL, a byte-order mark and bytes above 127 included.
TEST_F(FtpUploadTest, StoresTheFileByteForByteUnderTheRemotePath) {
  ASSERT_NE(server_.Port(), 0);
  std::string bytes = "\xEF\xBB\xBF" "BEGIN:VCALENDAR\r\nNAME:Réunions\r\n";
  bytes += std::string(1, '\0') + "\n\r\xFF";
  const auto local = WriteLocal("upload.ics", bytes);

  EXPECT_TRUE(platform::FtpUploadFile(local.string(), "sites/cal.example/cal_users/12-3.ics",
                                      Account(server_.Port())));
  EXPECT_EQ(Bytes(server_.Root() / "sites/cal.example/cal_users/12-3.ics"), bytes);

  // A second upload replaces the file.
  const auto shorter = WriteLocal("upload.ics", "END:VCALENDAR\r\n");
  EXPECT_TRUE(platform::FtpUploadFile(shorter.string(), "sites/cal.example/cal_users/12-3.ics",
                                      Account(server_.Port())));
  EXPECT_EQ(Bytes(server_.Root() / "sites/cal.example/cal_users/12-3.ics"), "END:VCALENDAR\r\n");
}

TEST_F(FtpUploadTest, FailsQuietlyOnAWrongPasswordOrAMissingFolder) {
  ASSERT_NE(server_.Port(), 0);
  const auto local = WriteLocal("list.txt", "0,255,0,0,1\r\n");
  EXPECT_FALSE(platform::FtpUploadFile(local.string(), "sites/cal.example/cal_users/1-cat.txt",
                                       Account(server_.Port(), "wrong")));
  EXPECT_FALSE(platform::FtpUploadFile(local.string(), "sites/other.example/cal_users/1-cat.txt",
                                       Account(server_.Port())));
  EXPECT_FALSE(std::filesystem::exists(server_.Root() / "sites/cal.example/cal_users/1-cat.txt"));
  EXPECT_FALSE(std::filesystem::exists(server_.Root() / "sites/other.example"));
  // A local file that is not there sends nothing.
  EXPECT_FALSE(platform::FtpUploadFile((WorkFolder() / "absent.txt").string(),
                                       "sites/cal.example/cal_users/1-cat.txt",
                                       Account(server_.Port())));
}

// Time-outs of two seconds end the upload long before the roomy ones would, with room for
// a busy machine.
TEST(FtpUploadTimeouts, AClosedPortOrASilentServerFailsWithinTheTimeOut) {
  const auto local = WriteLocal("silent.txt", "x");
  const int closed = ClosedPort();
  ASSERT_NE(closed, 0);
  const auto shortTimeOuts = [](int port) {
    platform::FtpAccount account = Account(port);
    account.ConnectTimeoutSeconds = 2;
    account.StallTimeoutSeconds = 2;
    return account;
  };
  auto begin = std::chrono::steady_clock::now();
  EXPECT_FALSE(platform::FtpUploadFile(local.string(), "x.txt", shortTimeOuts(closed)));
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));

  // A server that accepts the connection and never says a word.
  SilentServer silent;
  ASSERT_NE(silent.Port(), 0);
  begin = std::chrono::steady_clock::now();
  EXPECT_FALSE(platform::FtpUploadFile(local.string(), "x.txt", shortTimeOuts(silent.Port())));
  EXPECT_LT(std::chrono::steady_clock::now() - begin, std::chrono::seconds(20));
}

TEST(FtpUploadOff, AnEmptyServerSendsNothing) {
  const auto local = WriteLocal("off.txt", "x");
  platform::FtpAccount account;
  account.Server.clear();
  EXPECT_FALSE(platform::FtpUploadFile(local.string(), "x.txt", account));
}

}  // namespace
