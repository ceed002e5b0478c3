#include "platform/http_transfer.h"

#include <gtest/gtest.h>

#include <chrono>

#include "platform/http_test_server.h"

namespace {

using Clock = std::chrono::steady_clock;

// Steps the transfer as the window's event loop would, until it stops executing.
void RunToEnd(platform::HttpTransfer& transfer) {
  while (transfer.Step()) {
  }
}

// Time-outs that a transfer stays far within even on a busy machine; only the test of a
// time-out shortens one.
platform::HttpLimits Roomy() {
  platform::HttpLimits limits;
  limits.ConnectTimeoutSeconds = 30;
  limits.StallTimeoutSeconds = 30;
  limits.TotalTimeoutSeconds = 120;
  return limits;
}

TEST(HttpTransferTest, CollectsTheBodyOfAGet) {
  HttpTestServer server(200, "Auto Version 1.2.16\r\n");
  platform::HttpTransfer transfer;
  ASSERT_TRUE(transfer.Start(server.Url("/version.txt"), Roomy()));
  EXPECT_TRUE(transfer.StillExecuting());
  EXPECT_FALSE(transfer.Start(server.Url("/again"), Roomy()));  // one at a time
  RunToEnd(transfer);

  EXPECT_TRUE(transfer.Succeeded());
  EXPECT_EQ(transfer.Body(), "Auto Version 1.2.16\r\n");
  EXPECT_EQ(server.Requests(), std::vector<std::string>{"GET /version.txt HTTP/1.1"});
}

TEST(HttpTransferTest, ErrorStatusRefusalAndOversizeReplyFail) {
  HttpTestServer missing(404, "Auto Version 9999");
  platform::HttpTransfer transfer;
  ASSERT_TRUE(transfer.Start(missing.Url(), Roomy()));
  RunToEnd(transfer);
  EXPECT_FALSE(transfer.Succeeded());
  EXPECT_EQ(transfer.Body(), "");
  EXPECT_EQ(transfer.ErrorText(), "le serveur a répondu par une erreur (statut 404)");

  platform::HttpLimits small = Roomy();
  small.MaxBytes = 4;
  HttpTestServer large(200, "0123456789");
  ASSERT_TRUE(transfer.Start(large.Url(), small));
  RunToEnd(transfer);
  EXPECT_FALSE(transfer.Succeeded());
  EXPECT_EQ(transfer.ErrorText(), "la réponse du serveur est trop longue");

  int closedPort;
  {
    HttpTestServer gone(200);
    closedPort = gone.Port();
  }
  ASSERT_TRUE(transfer.Start("http://127.0.0.1:" + std::to_string(closedPort) + "/", Roomy()));
  RunToEnd(transfer);
  EXPECT_FALSE(transfer.Succeeded());
  EXPECT_EQ(transfer.ErrorText(), "impossible de se connecter au serveur");
}

// A stall of one second ends the transfer long before its total time-out, with room for a
// busy machine.
TEST(HttpTransferTest, SilentServerEndsWithinTheStallTimeout) {
  HttpTestServer silent(0);
  platform::HttpTransfer transfer;
  platform::HttpLimits limits = Roomy();
  limits.StallTimeoutSeconds = 1;
  const Clock::time_point start = Clock::now();
  ASSERT_TRUE(transfer.Start(silent.Url(), limits));
  RunToEnd(transfer);
  EXPECT_LT(Clock::now() - start, std::chrono::seconds(30));
  EXPECT_FALSE(transfer.Succeeded());
  EXPECT_EQ(transfer.ErrorText(), "le serveur n'a pas répondu à temps");
}

TEST(HttpTransferTest, EmptyAndNonHttpAddressesStartNothingUseful) {
  platform::HttpTransfer transfer;
  EXPECT_FALSE(transfer.Start(""));
  EXPECT_FALSE(transfer.StillExecuting());
  EXPECT_FALSE(transfer.Step());

  ASSERT_TRUE(transfer.Start("file:///etc/passwd", Roomy()));
  RunToEnd(transfer);
  EXPECT_FALSE(transfer.Succeeded());
  EXPECT_EQ(transfer.Body(), "");
  EXPECT_EQ(transfer.ErrorText(), "le transfert a échoué (erreur 1)");
}

}  // namespace

// The redirect guard and the installer address both ask this of an address.
TEST(HttpTransferTest, TheHttpsSchemeIsKnownInAnyLetterCase) {
  for (const char* secure : {"https://a.example/", "Https://a.example/", "HTTPS://a", "hTtPs:"})
    EXPECT_TRUE(platform::IsHttpsUrl(secure)) << secure;
  for (const char* clear : {"http://a.example/", "Http://a", "https", "", "xhttps://a"})
    EXPECT_FALSE(platform::IsHttpsUrl(clear)) << clear;
}
