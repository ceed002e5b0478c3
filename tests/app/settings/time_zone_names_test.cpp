#include "app/settings/time_zone_names.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "platform/environment_of.h"

namespace {

using settings::WindowsToIanaTimeZone;

TEST(WindowsToIanaTimeZone, ComparesTrimmedWithoutRegardToCase) {
  EXPECT_EQ(WindowsToIanaTimeZone("Romance Standard Time"), "Europe/Paris");
  EXPECT_EQ(WindowsToIanaTimeZone("  w. EUROPE Standard time "), "Europe/Berlin");
  EXPECT_EQ(WindowsToIanaTimeZone("Cen. Australia Standard Time"), "UTC");
  EXPECT_EQ(WindowsToIanaTimeZone("Australian Central Standard Time"), "Australia/Adelaide");
  EXPECT_EQ(WindowsToIanaTimeZone("Central Standard Time (Mexico)"), "America/Mexico_City");
  EXPECT_EQ(WindowsToIanaTimeZone("Mexico Standard Time"), "America/Mexico_City");
  EXPECT_EQ(WindowsToIanaTimeZone("Paris, Madrid"), "UTC");
  EXPECT_EQ(WindowsToIanaTimeZone(""), "UTC");
}

TEST(WindowsToIanaTimeZone, TheTableHoldsSixtyFourDistinctZonesTheSystemKnows) {
  std::set<std::string> names;
  for (const auto& mapping : settings::TimeZoneMappings()) {
    names.insert(mapping.WindowsName);
    EXPECT_TRUE(std::filesystem::exists(std::filesystem::path("/usr/share/zoneinfo") /
                                        mapping.IanaName))
        << mapping.IanaName;
  }
  EXPECT_EQ(settings::TimeZoneMappings().size(), 64u);
  EXPECT_EQ(names.size(), 64u);
}

platform::Environment Tz(const std::string& zone) { return EnvironmentOf({{"TZ", zone}}); }

TEST(GetWindowsTimeZoneName, MapsTheSystemZoneBackThroughTheTable) {
  const platform::SystemZoneFiles files;
  EXPECT_EQ(settings::GetWindowsTimeZoneName(Tz("Europe/Paris"), files), "Romance Standard Time");
  EXPECT_EQ(settings::GetWindowsTimeZoneName(Tz("America/Mexico_City"), files),
            "Central Standard Time (Mexico)");
  // A newer name of a zone of the table is that zone.
  EXPECT_EQ(settings::GetWindowsTimeZoneName(Tz("America/Nuuk"), files),
            "Greenland Standard Time");
  EXPECT_EQ(settings::GetWindowsTimeZoneName(Tz("Asia/Calcutta"), files), "India Standard Time");
  // A zone outside the table gives the empty name, which maps to UTC.
  EXPECT_EQ(settings::GetWindowsTimeZoneName(Tz("Europe/Lisbon"), files), "");
  EXPECT_EQ(settings::GetWindowsTimeZoneName(Tz("Etc/UTC"), files), "");
  EXPECT_EQ(WindowsToIanaTimeZone(settings::GetWindowsTimeZoneName(Tz("Europe/Lisbon"), files)),
            "UTC");

  // Every zone of the table comes back as itself, the second Mexico City row excepted.
  for (const auto& mapping : settings::TimeZoneMappings()) {
    const std::string windows = settings::GetWindowsTimeZoneName(Tz(mapping.IanaName), files);
    EXPECT_EQ(WindowsToIanaTimeZone(windows), mapping.IanaName) << mapping.WindowsName;
  }
}

}  // namespace
