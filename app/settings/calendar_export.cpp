#include "app/settings/calendar_export.h"

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/activities/activity_record.h"
#include "app/activities/occurrence.h"
#include "app/settings/slugify.h"
#include "app/settings/time_zone_block.h"
#include "app/settings/utc_stamp.h"
#include "runtime/text.h"

namespace settings {
namespace {

constexpr std::string_view kFieldSeparator = "¦";
constexpr std::size_t kLineOctets = 75;

// Control characters have no place in a content line; a tab is white space there.
bool IsControl(char c) {
  return (static_cast<unsigned char>(c) < 0x20 && c != '\t') || c == 0x7F;
}

// Content lines end in CR LF and are folded at 75 octets: the rest of a longer line goes
// on continuation lines that begin with a space, never cutting a UTF-8 character.
class CalendarWriter {
 public:
  void Line(std::string_view text) {
    std::size_t room = kLineOctets;
    while (text.size() > room) {
      std::size_t cut = room;
      while ((static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
      text_ += text.substr(0, cut);
      text_ += "\r\n ";
      text.remove_prefix(cut);
      room = kLineOctets - 1;
    }
    text_ += text;
    text_ += "\r\n";
  }
  const std::string& Text() const { return text_; }

 private:
  std::string text_;
};

// A text value: backslashes, separators and line breaks escaped, other controls dropped.
std::string TextValue(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\\' || c == ';' || c == ',') {
      out += '\\';
      out += c;
    } else if (c == '\r' || c == '\n') {
      out += "\\n";
      if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (!IsControl(c)) {
      out += c;
    }
  }
  return out;
}

// A parameter value: quoted when it holds a separator; double quotes cannot be written in
// one and are dropped, line breaks become spaces, other controls are dropped.
std::string ParameterValue(std::string_view text) {
  std::string out;
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      out += ' ';
    } else if (c != '"' && !IsControl(c)) {
      out += c;
    }
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
const char* RepetitionRule(int code) {
  switch (code) {
    case 1: return "RRULE:FREQ=DAILY";
    case 2: return "RRULE:FREQ=WEEKLY";
    case 3: return "RRULE:FREQ=WEEKLY;INTERVAL=2";
    case 4: return "RRULE:FREQ=MONTHLY";
    case 5: return "RRULE:FREQ=MONTHLY;INTERVAL=3";
    case 6: return "RRULE:FREQ=MONTHLY;INTERVAL=6";
    case 7: return "RRULE:FREQ=YEARLY";
    default: return nullptr;
  }
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

// What one event block says of an activity.
struct EventBlock {
  std::string uid;
  activities::Occurrence first;
  std::vector<runtime::DateTime> extraStarts;  // RDATE
  bool repeats = false;                       // the RRULE line, from `first` on
  bool replacesOccurrence = false;            // RECURRENCE-ID: `first` of the series `uid`
};

// Whether the block stands for several occurrences, which then share one duration.
bool IsSeries(const EventBlock& block) { return block.repeats || !block.extraStarts.empty(); }

// "P2DT12H": calendar programs count whole days on the wall clock and the rest as elapsed
// time, so that an occurrence over a change of offset still ends at the time of day the
// planner shows.
std::string NominalDuration(std::int64_t minutes) {
  std::string text = "P";
  const std::int64_t rest = minutes % 1440;
  if (minutes >= 1440 || minutes == 0) text += std::to_string(minutes / 1440) + "D";
  if (rest > 0) text += "T";
  if (rest >= 60) text += std::to_string(rest / 60) + "H";
  if (rest % 60 > 0) text += std::to_string(rest % 60) + "M";
  return text;
}

// The occurrence in times that exist, as the planner shows it: a start in the hour the
// clocks skip moves past it, as readers move it, and the end moves with it, so that the
// occurrence keeps the length the planner counts.
activities::Occurrence AsShown(const platform::ZoneRules& rules,
                               const activities::Occurrence& occurrence) {
  const int skipped = SkippedMinutes(rules, occurrence.start);
  return {occurrence.start.AddMinutes(skipped), occurrence.end.AddMinutes(skipped)};
}

// Whether readers of a series, which gives every occurrence the first one's nominal
// duration, end the occurrence where the planner does: both those that count its whole days
// on the wall clock and the rest as elapsed time, as the standard says, and those that
// count it all as elapsed time.
bool SeriesEndsAsShown(const activities::Occurrence& occurrence,
                       const platform::ZoneRules& rules) {
  const std::int64_t minutes = occurrence.end.Minutes() - occurrence.start.Minutes();
  const std::int64_t shownEnd = ReaderMoment(rules, AsShown(rules, occurrence).end);
  return ReaderMoment(rules, occurrence.start.AddDays(minutes / 1440)) + minutes % 1440 ==
             shownEnd &&
         ReaderMoment(rules, occurrence.start) + minutes == shownEnd;
}

// The events that give calendar programs the planner's occurrences.  A month step keeps
// the day of the step before, clamped to the month's end, while a calendar program skips
// the months that lack the day: until the day has settled the occurrences are listed one
// by one, and a second event repeats from the first settled one.
std::vector<EventBlock> EventBlocks(const activities::ActivityRecord& record, int index,
                                    const std::string& userId) {
  char uid[32];
  std::snprintf(uid, sizeof uid, "event-%04d", index);
  EventBlock block{std::string(uid) + "_" + userId, {record.start, record.end}, {}, false};
  const int code = record.periodicityCode;
  // A repetition whose last day comes before its start leaves the stored occurrence alone,
  // which the planner shows all the same.
  const bool endsBeforeItStarts = record.lastDay && *record.lastDay < record.start.Date();
  if (!activities::IsPeriodicCode(code) || endsBeforeItStarts) return {block};

  const activities::SteadyRepetition steady = activities::SteadyFrom(record.start, code);
  if (steady.step == 0) {
    block.repeats = true;
    return {block};
  }
  auto walk = activities::OccurrenceWalk::ThroughLastDay(block.first, code, record.lastDay);
  for (walk.Next(); !walk.AtEnd() && walk.Current().start < steady.start; walk.Next()) {
    block.extraStarts.push_back(walk.Current().start);
  }
  if (walk.AtEnd()) return {block};
  EventBlock settled{std::string(uid) + "-2_" + userId, walk.Current(), {}, true};
  return {block, settled};
}

// The occurrences from `from` to the end of `lastYear` that their series would place
// elsewhere than the planner shows them (one that a change of offset falls within, or that
// starts in a skipped hour), each given as an event of its own in place of the series'
// occurrence.  Only the occurrences that overlap a change can be misplaced: a few per
// change, however long ago the activity began.
std::vector<EventBlock> OccurrencesOfTheirOwn(const activities::ActivityRecord& record,
                                              const std::vector<EventBlock>& series,
                                              const platform::ZoneRules& rules,
                                              runtime::DateTime from, int lastYear) {
  std::vector<EventBlock> own;
  if (record.end < record.start || std::none_of(series.begin(), series.end(), IsSeries)) {
    return own;
  }
  auto walk = activities::OccurrenceWalk::ThroughLastDay({record.start, record.end},
                                                         record.periodicityCode, record.lastDay);
  const int margin = ChangeMinutes(rules);
  walk.SkipEndingBefore(from);
  for (int year = from.Year(); year <= lastYear && !walk.AtEnd(); ++year) {
    for (const runtime::DateTime change : OffsetChanges(rules, year)) {
      if (walk.AtEnd()) break;
      walk.SkipEndingBefore(change.AddMinutes(-margin));
      for (; !walk.AtEnd() && walk.Current().start <= change.AddMinutes(margin); walk.Next()) {
        if (SeriesEndsAsShown(walk.Current(), rules)) continue;
        const EventBlock* holder = &series.front();
        for (const EventBlock& block : series) {
          if (block.first.start <= walk.Current().start) holder = &block;
        }
        // An event of its own already stands where the planner shows.
        if (IsSeries(*holder)) own.push_back({holder->uid, walk.Current(), {}, false, true});
      }
    }
  }
  return own;
}

// The rules of the calendar's zone as the zone data gives them, when it knows the zone, and
// those its time-zone block describes, by which readers place the calendar's times.
struct CalendarZone {
  std::optional<platform::ZoneRules> rules;
  platform::ZoneRules described;
};

// The event block; the repetition runs to the end of its last day in the calendar's zone,
// so that the published calendar keeps that day's occurrence as the planner shows it.
void WriteEvent(CalendarWriter& out, const store::Planner& planner,
                const activities::ActivityRecord& record, const EventBlock& block,
                const std::string& projectName, const std::string& stamp,
                const CalendarZone& calendarZone) {
  const std::string& zone = planner.IanaTimeZone;
  out.Line("BEGIN:VEVENT");
  for (int resource : record.resources) {
    if (resource < 0 || resource > planner.ResourceMax()) continue;
    out.Line("ATTENDEE;CN=" + ParameterValue(planner.Resources[resource]) +
             ";ROLE=REQ-PARTICIPANT:mailto:none");
  }
  out.Line("UID:" + block.uid);
  if (block.replacesOccurrence) {
    out.Line("RECURRENCE-ID;TZID=" + zone + ":" + LocalStamp(block.first.start));
  }
  out.Line("DTSTAMP:" + stamp);
  out.Line("SUMMARY:" + TextValue(record.name.empty() ? projectName
                                                      : projectName + " - " + record.name));
  out.Line("CATEGORIES:" + Slugify(projectName));
  if (IsSeries(block) && block.first.end >= block.first.start) {
    out.Line("DTSTART;TZID=" + zone + ":" + LocalStamp(block.first.start));
    out.Line("DURATION:" + NominalDuration(block.first.end.Minutes() -
                                           block.first.start.Minutes()));
  } else {
    const activities::Occurrence shown = AsShown(calendarZone.described, block.first);
    out.Line("DTSTART;TZID=" + zone + ":" + LocalStamp(shown.start));
    out.Line("DTEND;TZID=" + zone + ":" + LocalStamp(shown.end));
  }
  if (!block.extraStarts.empty()) {
    std::string dates;
    for (const runtime::DateTime start : block.extraStarts) {
      dates += (dates.empty() ? "" : ",") + LocalStamp(start);
    }
    out.Line("RDATE;TZID=" + zone + ":" + dates);
  }
  if (block.repeats) {
    std::string rule = RepetitionRule(record.periodicityCode);
    if (record.lastDay) {
      const runtime::DateTime lastMinute = record.lastDay->AddMinutes(24 * 60 - 1);
      rule += ";UNTIL=" + LocalDateToUtcStamp(lastMinute.Text(),
                                              UtcOffsetMinutes(calendarZone.rules, lastMinute));
    }
    out.Line(rule);
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
  const CalendarZone calendarZone{rules, BlockRules(rules)};
  std::tm utc{};
  gmtime_r(&now, &utc);
  const int thisYear = utc.tm_year + 1900;
  // The first of this month a year ago, within the years dates can name.
  const runtime::DateTime yearBefore =
      *runtime::DateTime::FromParts(std::clamp(thisYear - 1, 1, 9999), utc.tm_mon + 1, 1);
  CalendarWriter out;
  WriteHeader(out, userId, projectIndex, projectName, planner.IanaTimeZone, rules);
  for (int a = 0; a <= planner.ActivityMax(); ++a) {
    const auto record = activities::ParseActivityRecord(planner.Activities[a]);
    if (!record || record->project != projectIndex) continue;
    // Republished at every save, a calendar looks ten years ahead of it and gives their own
    // end to the occurrences from a year back on.  Older ones of an activity begun long ago
    // keep their series' nominal time, an hour off where a change of offset crosses them:
    // one event per change since its start would make a file of megabytes sent at each save.
    const int lastYear = std::min(std::max(thisYear, record->start.Year()) + 10, 9999);
    const runtime::DateTime from = std::max(record->start, yearBefore);
    std::vector<EventBlock> blocks = EventBlocks(*record, a, userId);
    for (EventBlock& own :
         OccurrencesOfTheirOwn(*record, blocks, calendarZone.described, from, lastYear)) {
      blocks.push_back(std::move(own));
    }
    for (const EventBlock& block : blocks) {
      WriteEvent(out, planner, *record, block, projectName, stamp, calendarZone);
    }
  }
  out.Line("END:VCALENDAR");
  return out.Text();
}

bool ExportICalendar(const store::Planner& planner, const std::string& userId,
                     int projectIndex, const runtime::Clock& clock,
                     const Publishing& publishing) {
  bool arrived = true;
  for (int p = 0; p <= planner.CategoryMax(); ++p) {
    if (projectIndex != -1 && projectIndex != p) continue;
    arrived = Publish(userId + "-" + std::to_string(p) + ".ics",
                      CalendarText(planner, userId, p, clock.UtcNow()), publishing) &&
              arrived;
  }
  return arrived;
}

}  // namespace settings
