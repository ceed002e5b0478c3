#include "app/settings/calendar_export.h"

#include <gtest/gtest.h>

#include <sstream>
#include <vector>

#include "app/settings/calendar_test_support.h"
#include "app/settings/time_zone_block.h"
#include "runtime/text.h"

namespace {

constexpr std::time_t kNow = 1772794861;  // 06.03.2026 11:01:01 UTC

std::string Lines(const std::vector<std::string>& lines) {
  std::string text;
  for (const auto& line : lines) text += line + "\r\n";
  return text;
}

const std::vector<std::string> kParisHeader = {
    "BEGIN:VCALENDAR",
    "VERSION:2.0",
    "PRODID:-//Quorvane//86491144-1//FR",
    "METHOD:PUBLISH",
    "UID:quorvane-86491144-1",
    "CALSCALE:GREGORIAN",
    "X-WR-CALNAME:Quorvane",
    "X-WR-TIMEZONE:Europe/Paris",
    "REFRESH-INTERVAL;VALUE=DURATION:PT6H",
    "X-PUBLISHED-TTL:PT6H",
    "NAME:Réunions d'équipe",
    "REFRESH-INTERVAL:PT6H",
    "X-PUBLISHED-TTL:PT6H",
    "BEGIN:VTIMEZONE",
    "TZID:Europe/Paris",
    "X-LIC-LOCATION:Europe/Paris",
    "BEGIN:STANDARD",
    "TZOFFSETFROM:+0200",
    "TZOFFSETTO:+0100",
    "DTSTART:19961027T030000",
    "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU",
    "TZNAME:CET",
    "END:STANDARD",
    "BEGIN:DAYLIGHT",
    "TZOFFSETFROM:+0100",
    "TZOFFSETTO:+0200",
    "DTSTART:19810329T020000",
    "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=-1SU",
    "TZNAME:CEST",
    "END:DAYLIGHT",
    "END:VTIMEZONE",
};

store::Planner Plan() {
  store::Planner planner;
  planner.IanaTimeZone = "Europe/Paris";
  planner.Resources = {"Anne", "Camion 2¦1", "Dupont, Marie", "Salle \"B\""};
  planner.Categories = {"Chantier Nord¦16777215-1", "Réunions d'équipe¦255-0",
                        "Atelier¦65280-2"};
  return planner;
}

std::string Export(const store::Planner& planner, int project, const std::string& file) {
  const std::string text = settings::CalendarText(planner, "86491144", project, kNow);
  const auto path = TestFolder("calendar") / file;
  std::ofstream(path, std::ios::binary) << text;
  EXPECT_EQ(ParsedEventCount(path).rfind("failed", 0), std::string::npos)
      << ParsedEventCount(path);
  return text;
}

TEST(CalendarText, AProjectWithoutActivitiesIsTheHeaderAlone) {
  store::Planner planner = Plan();
  planner.Activities = {"02.03.2026 08:00¦02.03.2026 09:00¦Visite¦0¦255-1"};
  std::vector<std::string> expected = kParisHeader;
  expected.push_back("END:VCALENDAR");
  const std::string text = Export(planner, 1, "empty.ics");
  EXPECT_EQ(text, Lines(expected));
  EXPECT_EQ(ParsedEventCount(TestFolder("calendar") / "x.ics").rfind("failed", 0), 0u)
      << "a file that is not there is not read";
}

TEST(CalendarText, OneOffAndRepeatingActivities) {
  store::Planner planner = Plan();
  planner.Activities = {
      "02.03.2026 08:00¦02.03.2026 09:00¦Visite¦0¦255-1",
      "03.03.2026 14:00¦03.03.2026 15:30¦Point hebdo¦1¦255-0-2¦¦0¦1",
      "04.03.2026 09:00¦04.03.2026 10:00¦¦1¦255-0",
      "05.03.2026 10:00¦05.03.2026 11:00¦Revue\\trimestre¦1¦255-0-5-01.01.2027¦2¦3",
      "06.03.2026 10:00¦06.03.2026 11:00¦Bilan¦1¦255-0-3-15.07.2026¦9¦x",
      "07.03.2026 07:00¦07.03.2026 08:00¦Code inconnu¦1¦255-0-8",
      "pas une date¦07.03.2026 08:00¦Illisible¦1¦255-0",
  };
  std::vector<std::string> expected = kParisHeader;
  const std::vector<std::string> events = {
      "BEGIN:VEVENT",
      "ATTENDEE;CN=Anne;ROLE=REQ-PARTICIPANT:mailto:none",
      "ATTENDEE;CN=Camion 2¦1;ROLE=REQ-PARTICIPANT:mailto:none",
      "UID:event-0001_86491144",
      "DTSTAMP:20260306T110101Z",
      "SUMMARY:Réunions d'équipe - Point hebdo",
      "CATEGORIES:reunions-d-equipe",
      "DTSTART;TZID=Europe/Paris:20260303T140000",
      "DURATION:PT1H30M",
      "RRULE:FREQ=WEEKLY",
      "END:VEVENT",
      "BEGIN:VEVENT",
      "UID:event-0002_86491144",
      "DTSTAMP:20260306T110101Z",
      "SUMMARY:Réunions d'équipe",
      "CATEGORIES:reunions-d-equipe",
      "DTSTART;TZID=Europe/Paris:20260304T090000",
      "DTEND;TZID=Europe/Paris:20260304T100000",
      "END:VEVENT",
      "BEGIN:VEVENT",
      "ATTENDEE;CN=\"Dupont, Marie\";ROLE=REQ-PARTICIPANT:mailto:none",
      "ATTENDEE;CN=Salle B;ROLE=REQ-PARTICIPANT:mailto:none",
      "UID:event-0003_86491144",
      "DTSTAMP:20260306T110101Z",
      "SUMMARY:Réunions d'équipe - Revue\\\\trimestre",
      "CATEGORIES:reunions-d-equipe",
      "DTSTART;TZID=Europe/Paris:20260305T100000",
      "DURATION:PT1H",
      "RRULE:FREQ=MONTHLY;INTERVAL=3;UNTIL=20270101T225900Z",
      "END:VEVENT",
      "BEGIN:VEVENT",
      "UID:event-0004_86491144",
      "DTSTAMP:20260306T110101Z",
      "SUMMARY:Réunions d'équipe - Bilan",
      "CATEGORIES:reunions-d-equipe",
      "DTSTART;TZID=Europe/Paris:20260306T100000",
      "DURATION:PT1H",
      "RRULE:FREQ=WEEKLY;INTERVAL=2;UNTIL=20260715T215900Z",
      "END:VEVENT",
      "BEGIN:VEVENT",
      "UID:event-0005_86491144",
      "DTSTAMP:20260306T110101Z",
      "SUMMARY:Réunions d'équipe - Code inconnu",
      "CATEGORIES:reunions-d-equipe",
      "DTSTART;TZID=Europe/Paris:20260307T070000",
      "DTEND;TZID=Europe/Paris:20260307T080000",
      "END:VEVENT",
      "END:VCALENDAR",
  };
  expected.insert(expected.end(), events.begin(), events.end());
  const std::string text = Export(planner, 1, "repeating.ics");
  EXPECT_EQ(text, Lines(expected));
  EXPECT_NE(text.rfind("\xEF\xBB\xBF", 0), 0u);
}

TEST(CalendarText, RuleTextsUidsAndEscapes) {
  store::Planner planner = Plan();
  const char* const rules[] = {"RRULE:FREQ=DAILY",   "RRULE:FREQ=WEEKLY",
                               "RRULE:FREQ=WEEKLY;INTERVAL=2", "RRULE:FREQ=MONTHLY",
                               "RRULE:FREQ=MONTHLY;INTERVAL=3", "RRULE:FREQ=MONTHLY;INTERVAL=6",
                               "RRULE:FREQ=YEARLY"};
  for (int code = 1; code <= 7; ++code) {
    planner.Activities.push_back("05.01.2026 10:00¦05.01.2026 11:00¦Tâche¦2¦255-1-" +
                                 std::to_string(code));
  }
  planner.Activities.resize(12346, "05.01.2026 10:00¦05.01.2026 11:00¦Autre¦0¦255-1");
  planner.Activities[12345] = "05.01.2026 10:00¦05.01.2026 11:00¦Ligne 1\r\nLigne 2¦2¦255-1";
  // A repetition that reaches the last year dates can name.
  planner.Activities.push_back("30.12.9995 22:00¦31.12.9995 06:00¦Veille¦2¦255-1-1");
  planner.Categories[2] = "Atelier\\Sud¦65280-2";
  const std::string text = Export(planner, 2, "rules.ics");
  // A repetition without a last date goes on as long as the planner's does.
  for (int code = 1; code <= 7; ++code) {
    EXPECT_NE(text.find(std::string(rules[code - 1]) + "\r\n"), std::string::npos) << code;
  }
  EXPECT_EQ(text.find("COUNT"), std::string::npos);
  EXPECT_NE(text.find("\r\nUID:event-0006_86491144\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nUID:event-12345_86491144\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nSUMMARY:Atelier\\\\Sud - Ligne 1\\nLigne 2\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nNAME:Atelier\\\\Sud\r\n"), std::string::npos);
  EXPECT_NE(text.find("\r\nCATEGORIES:atelier-sud\r\n"), std::string::npos);
  EXPECT_EQ(text.find("event-0007"), std::string::npos);
}

// Separators and control characters typed in names, and lines longer than 75 octets, as a
// calendar library reads them back.
TEST(CalendarText, TextValuesAreEscapedAndLongLinesFolded) {
  store::Planner planner = Plan();
  const std::string name = "Réunion; budget, équipe\x01\x7F et suite";
  const std::string longName(40, 'a');
  planner.Activities = {
      "02.03.2026 08:00¦02.03.2026 09:00¦" + name + "¦1¦255-1¦2",
      "03.03.2026 08:00¦03.03.2026 09:00¦" + longName + " - éèàçù ÉÈÀÇÙ éèàçù ÉÈÀÇÙ¦1¦255-1",
  };
  planner.Resources[2] = "Dupont,\x02 Marie";
  const std::string text = Export(planner, 1, "escaped.ics");
  EXPECT_NE(text.find("\r\nSUMMARY:Réunions d'équipe - Réunion\\; budget\\, équipe et suite\r\n"),
            std::string::npos);
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    EXPECT_LE(line.size(), 76u) << line;  // 75 octets and the CR
    for (char c : line.substr(0, line.size() - 1)) {
      EXPECT_FALSE(static_cast<unsigned char>(c) < 0x20 || c == 0x7F) << line;
    }
  }
  const auto file = TestFolder("calendar") / "escaped.ics";
  std::ofstream(file, std::ios::binary) << text;
  EXPECT_EQ(IcsCheck("summary '" + file.string() + "'"),
            "Réunions d'équipe - Réunion; budget, équipe et suite|Dupont, Marie\n"
            "Réunions d'équipe - " + longName + " - éèàçù ÉÈÀÇÙ éèàçù ÉÈÀÇÙ|\n");
}

// The zone block follows the named zone; calendar programs then place the events at the
// same moments as the system's zone data.
TEST(TimeZoneBlock, DescribesTheNamedZoneAsItsZoneDataDoes) {
  const char* const zones[] = {"Europe/Paris",   "America/New_York", "Australia/Sydney",
                               "America/Godthab", "Africa/Cairo",    "Asia/Jerusalem",
                               "America/Santiago", "Pacific/Easter", "Asia/Kolkata",
                               "Etc/GMT+12",     "UTC",              "Europe/London"};
  const auto folder = TestFolder("calendar");
  for (const std::string zone : zones) {
    store::Planner planner = Plan();
    planner.IanaTimeZone = zone;
    const auto path = folder / (runtime::Replace(zone, "/", "-") + ".ics");
    std::ofstream(path, std::ios::binary) << settings::CalendarText(planner, "1", 0, kNow);
    EXPECT_EQ(IcsCheck("zone '" + path.string() + "' " + zone + " 2024 2030"), "0\n") << zone;
  }
}

TEST(TimeZoneBlock, StandardOnlyZonesAndUnknownZones) {
  EXPECT_EQ(settings::TimeZoneBlock("Asia/Kolkata", platform::ReadZoneRules("Asia/Kolkata")),
            (std::vector<std::string>{"BEGIN:VTIMEZONE", "TZID:Asia/Kolkata",
                                      "X-LIC-LOCATION:Asia/Kolkata", "BEGIN:STANDARD",
                                      "TZOFFSETFROM:+0530", "TZOFFSETTO:+0530",
                                      "DTSTART:19700101T000000", "TZNAME:IST", "END:STANDARD",
                                      "END:VTIMEZONE"}));
  const auto newYork = settings::TimeZoneBlock("America/New_York",
                                               platform::ReadZoneRules("America/New_York"));
  EXPECT_EQ(std::vector<std::string>(newYork.begin() + 3, newYork.end()),
            (std::vector<std::string>{
                "BEGIN:STANDARD", "TZOFFSETFROM:-0400", "TZOFFSETTO:-0500",
                "DTSTART:19701101T020000", "RRULE:FREQ=YEARLY;BYMONTH=11;BYDAY=1SU", "TZNAME:EST",
                "END:STANDARD", "BEGIN:DAYLIGHT", "TZOFFSETFROM:-0500", "TZOFFSETTO:-0400",
                "DTSTART:19700308T020000", "RRULE:FREQ=YEARLY;BYMONTH=3;BYDAY=2SU", "TZNAME:EDT",
                "END:DAYLIGHT", "END:VTIMEZONE"}));
  // Without zone data the block is the Central European one.
  const auto unknown = settings::TimeZoneBlock("Mars/Olympus", std::nullopt);
  EXPECT_EQ(unknown.size(), 18u);
  EXPECT_EQ(unknown[1], "TZID:Mars/Olympus");
  EXPECT_EQ(unknown[8], "TZNAME:CET");
}

}  // namespace
