#include <gtest/gtest.h>

#include <fstream>

#include "platform/environment_of.h"
#include "platform/time_zone.h"

namespace {

// An /etc of the test's own.
platform::SystemZoneFiles FakeEtc() {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  const auto etc = std::filesystem::path(QUORVANE_BUILD_DIR "/test-work/time_zone") / test->name();
  std::filesystem::remove_all(etc);
  std::filesystem::create_directories(etc);
  return {etc, "/usr/share/zoneinfo"};
}

TEST(SystemTimeZoneName, ComesFromTzThenEtcTimezoneThenTheLocaltimeLink) {
  const auto files = FakeEtc();
  EXPECT_EQ(platform::SystemTimeZoneName(EnvironmentOf({{"TZ", "Europe/Paris"}}), files),
            "Europe/Paris");
  EXPECT_EQ(platform::SystemTimeZoneName(EnvironmentOf({{"TZ", ":America/New_York"}}), files),
            "America/New_York");
  EXPECT_EQ(platform::SystemTimeZoneName(
                EnvironmentOf({{"TZ", "/usr/share/zoneinfo/posix/Asia/Tokyo"}}), files),
            "Asia/Tokyo");

  const auto none = EnvironmentOf({});
  EXPECT_EQ(platform::SystemTimeZoneName(none, files), "");
  std::filesystem::create_symlink("../usr/share/zoneinfo/Europe/Berlin", files.Etc / "localtime");
  EXPECT_EQ(platform::SystemTimeZoneName(none, files), "Europe/Berlin");
  std::ofstream(files.Etc / "timezone") << "Europe/Budapest\n";
  EXPECT_EQ(platform::SystemTimeZoneName(none, files), "Europe/Budapest");
  // An empty TZ is not a zone name.
  EXPECT_EQ(platform::SystemTimeZoneName(EnvironmentOf({{"TZ", ""}}), files), "Europe/Budapest");
}

TEST(SameZone, FollowsLinksOfTheZoneData) {
  EXPECT_TRUE(platform::SameZone("Europe/Paris", "Europe/Paris"));
  EXPECT_TRUE(platform::SameZone("America/Godthab", "America/Nuuk"));
  EXPECT_FALSE(platform::SameZone("Europe/Paris", "Europe/Berlin"));
  EXPECT_FALSE(platform::SameZone("Europe/Paris", "../zoneinfo/Europe/Paris"));
  EXPECT_FALSE(platform::SameZone("Mars/Olympus", "Mars/Olympus_Mons"));
}

TEST(ParseZoneRules, ReadsNamesOffsetsAndTransitions) {
  const auto paris = platform::ParseZoneRules("CET-1CEST,M3.5.0,M10.5.0/3");
  ASSERT_TRUE(paris);
  EXPECT_EQ(paris->StandardName, "CET");
  EXPECT_EQ(paris->StandardOffset, 3600);
  EXPECT_TRUE(paris->HasDaylight);
  EXPECT_EQ(paris->DaylightName, "CEST");
  EXPECT_EQ(paris->DaylightOffset, 7200);
  EXPECT_EQ(paris->DaylightStart.Month, 3);
  EXPECT_EQ(paris->DaylightStart.Week, 5);
  EXPECT_EQ(paris->DaylightStart.Weekday, 0);
  EXPECT_EQ(paris->DaylightStart.Seconds, 7200);
  EXPECT_EQ(paris->DaylightEnd.Month, 10);
  EXPECT_EQ(paris->DaylightEnd.Seconds, 3 * 3600);

  const auto nuuk = platform::ParseZoneRules("<-02>2<-01>,M3.5.0/-1,M10.5.0/0");
  ASSERT_TRUE(nuuk);
  EXPECT_EQ(nuuk->StandardName, "-02");
  EXPECT_EQ(nuuk->StandardOffset, -7200);
  EXPECT_EQ(nuuk->DaylightOffset, -3600);
  EXPECT_EQ(nuuk->DaylightStart.Seconds, -3600);

  const auto kathmandu = platform::ParseZoneRules("<+0545>-5:45");
  ASSERT_TRUE(kathmandu);
  EXPECT_FALSE(kathmandu->HasDaylight);
  EXPECT_EQ(kathmandu->StandardOffset, 5 * 3600 + 45 * 60);

  EXPECT_EQ(platform::ParseZoneRules("IST-2IDT,M3.4.4/26,M10.5.0")->DaylightStart.Seconds,
            26 * 3600);
  EXPECT_FALSE(platform::ParseZoneRules("EST5EDT,J60,J300"));
  EXPECT_FALSE(platform::ParseZoneRules("EST5EDT"));
  EXPECT_FALSE(platform::ParseZoneRules(""));
}

TEST(ReadZoneRules, TakesTheRuleLineAtTheEndOfTheZoneFile) {
  const auto paris = platform::ReadZoneRules("Europe/Paris");
  ASSERT_TRUE(paris);
  EXPECT_EQ(paris->Text, "CET-1CEST,M3.5.0,M10.5.0/3");
  EXPECT_EQ(platform::ReadZoneRules("UTC")->Text, "UTC0");
  EXPECT_FALSE(platform::ReadZoneRules("Mars/Olympus"));
  EXPECT_FALSE(platform::ReadZoneRules("Europe"));
  EXPECT_FALSE(platform::ReadZoneRules("../../../etc/passwd"));
}

}  // namespace
