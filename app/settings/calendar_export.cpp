#include "app/settings/calendar_export.h"

#include <cstdio>
#include <optional>
#include <vector>

#include "app/settings/slugify.h"
#include "app/settings/time_zone_block.h"
#include "app/settings/utc_stamp.h"
#include "runtime/text.h"

namespace settings {
namespace {

constexpr std::string_view kFieldSeparator = "¦";

class CalendarWriter {
 public:
  void Line(std::string_view text) {
    text_ += text;
    text_ += "\r\n";
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// A text value: backslashes and line breaks escaped.
std::string TextValue(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\') {
      out += "\\\\";
    } else if (c == '\r' || c == '\n') {
      out += "\\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += c;
    }
  }
  return out;
}

// A parameter value: quoted when it holds a separator; double quotes cannot be written in
// one and are dropped, line breaks become spaces.
std::string ParameterValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '"') continue;
    out += (c == '\r' || c == '\n') ? ' ' : c;
  }
  if (out.find_first_of(":;,") != std::string::npos) return '"' + out + '"';
  return out;
}

// "yyyymmddThhmm00".
std::string LocalStamp(runtime::DateTime moment) {
  char text[32];
  std::snprintf(text, sizeof text, "%04d%02d%02dT%02d%02d00", moment.Year(), moment.Month(),
                moment.Day(), moment.Hour(), moment.Minute());
  return text;
}

std::string Field(const std::vector<std::string>& fields, size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

// The repetition of a periodicity code, in frequencies every calendar program reads.
const char* RepetitionRule(const std::string& code) {
  if (code == "1") return "RRULE:FREQ=DAILY";
  if (code == "2") return "RRULE:FREQ=WEEKLY";
  if (code == "3") return "RRULE:FREQ=WEEKLY;INTERVAL=2";
  if (code == "4") return "RRULE:FREQ=MONTHLY";
  if (code == "5") return "RRULE:FREQ=MONTHLY;INTERVAL=3";
  if (code == "6") return "RRULE:FREQ=MONTHLY;INTERVAL=6";
  if (code == "7") return "RRULE:FREQ=YEARLY";
  return nullptr;
}

void WriteHeader(CalendarWriter& out, const std::string& userId, int projectIndex,
                 const std::string& projectName, const std::string& zone,
                 const std::optional<platform::ZoneRules>& rules) {
  const std::string p = std::to_string(projectIndex);
  out.Line("BEGIN:VCALENDAR");
  out.Line("VERSION:2.0");
  out.Line("PRODID:-//Quorvane//" + userId + "-" + p + "//FR");
  out.Line("METHOD:PUBLISH");
  out.Line("UID:quorvane-" + userId + "-" + p);
  out.Line("CALSCALE:GREGORIAN");
  out.Line("X-WR-CALNAME:Quorvane");
  out.Line("X-WR-TIMEZONE:" + zone);
  out.Line("REFRESH-INTERVAL;VALUE=DURATION:PT6H");
  out.Line("X-PUBLISHED-TTL:PT6H");
  out.Line("NAME:" + TextValue(projectName));
  out.Line("REFRESH-INTERVAL:PT6H");
  out.Line("X-PUBLISHED-TTL:PT6H");
  for (const std::string& line : TimeZoneBlock(zone, rules)) {
    out.Line(line);
  }
}

// The event of activity `index`; a record whose dates cannot be read is passed over.
void WriteEvent(CalendarWriter& out, const store::Planner& planner, int index,
                const std::vector<std::string>& fields, const std::string& userId,
                const std::string& projectName, const std::string& stamp,
                const std::optional<platform::ZoneRules>& rules) {
  const auto start = runtime::DateTime::Parse(Field(fields, 0));
  const auto end = runtime::DateTime::Parse(Field(fields, 1));
  if (!start || !end) return;
  const std::string& zone = planner.IanaTimeZone;

  out.Line("BEGIN:VEVENT");
  for (size_t i = 5; i < fields.size(); ++i) {
    const auto resource = runtime::ParseInteger(fields[i]);
    if (!resource || *resource < 0 || *resource > planner.ResourceMax()) continue;
    out.Line("ATTENDEE;CN=" + ParameterValue(planner.Resources[*resource]) +
             ";ROLE=REQ-PARTICIPANT:mailto:none");
  }
  char uid[32];
  std::snprintf(uid, sizeof uid, "UID:event-%04d_", index);
  out.Line(uid + userId);
  out.Line("DTSTAMP:" + stamp);
  const std::string name = Field(fields, 2);
  out.Line("SUMMARY:" + TextValue(name.empty() ? projectName : projectName + " - " + name));
  out.Line("CATEGORIES:" + Slugify(projectName));
  out.Line("DTSTART;TZID=" + zone + ":" + LocalStamp(*start));
  out.Line("DTEND;TZID=" + zone + ":" + LocalStamp(*end));

  const std::vector<std::string> colour = runtime::Split(Field(fields, 4), "-");
  if (const char* rule = RepetitionRule(Field(colour, 2))) {
    // The repetition runs to the end of its last day in the calendar's zone, so that the
    // published calendar keeps that day's occurrence as the planner shows it; an end that
    // is not a date is read as none.
    const auto ends = runtime::DateTime::Parse(Field(colour, 3));
    const auto lastMinute = ends ? std::optional(ends->AddMinutes(24 * 60 - 1)) : std::nullopt;
    out.Line(std::string(rule) +
             (lastMinute ? ";UNTIL=" + LocalDateToUtcStamp(lastMinute->Text(),
                                                           UtcOffsetMinutes(rules, *lastMinute))
                         : ";COUNT=100"));
  }
  out.Line("END:VEVENT");
}

}  // namespace

std::string CalendarText(const store::Planner& planner, const std::string& userId,
                         int projectIndex, std::time_t now) {
  const std::string projectName =
      Field(runtime::Split(planner.Categories.at(projectIndex), kFieldSeparator), 0);
  const std::string stamp = UtcStamp(now);
  const auto rules = platform::ReadZoneRules(planner.IanaTimeZone);
  CalendarWriter out;
  WriteHeader(out, userId, projectIndex, projectName, planner.IanaTimeZone, rules);
  for (int a = 0; a <= planner.ActivityMax(); ++a) {
    const std::vector<std::string> fields = runtime::Split(planner.Activities[a], kFieldSeparator);
    const auto project = runtime::ParseInteger(Field(fields, 3));
    if (project && *project == projectIndex) {
      WriteEvent(out, planner, a, fields, userId, projectName, stamp, rules);
    }
  }
  out.Line("END:VCALENDAR");
  return out.Text();
}

void ExportICalendar(const store::Planner& planner, const std::string& userId,
                     int projectIndex, const runtime::Clock& clock,
                     const Publishing& publishing) {
  for (int p = 0; p <= planner.CategoryMax(); ++p) {
    if (projectIndex != -1 && projectIndex != p) continue;
    const std::string name = userId + "-" + std::to_string(p) + ".ics";
    const std::string path =
        SavePublishedFile(name, CalendarText(planner, userId, p, clock.UtcNow()), publishing);
    if (!path.empty()) PublishFile(path, name, publishing);
  }
}

}  // namespace settings
