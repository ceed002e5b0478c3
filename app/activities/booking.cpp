#include "app/activities/booking.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "app/activities/booking_index.h"
#include "app/activities/booking_messages.h"
#include "app/activities/find_resource.h"
#include "app/activities/periodic_overlap.h"
#include "app/activities/periodicity.h"
#include "app/activities/skipped_hour.h"
#include "app/activities/skipped_hour_overlap.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace activities {
namespace {

SaveVerdict Refusal(SaveCheck check, std::string message, SaveFocus focus, int row = -1,
                    int activity = -1) {
  return {check, std::move(message), focus, row, activity};
}

// The occurrences of the edited activity that the booking checks look at.
OccurrenceWalk DraftOccurrences(const ActivityDraft& draft) {
  return OccurrenceWalk::ThroughLastDay({draft.start, draft.end}, draft.periodicityCode,
                                        draft.lastDay);
}

// The conflicting activity's name, start and end as its record holds them.
struct StoredTexts {
  std::string name, start, end;
};

StoredTexts TextsOf(const store::Planner& planner, int activity) {
  const std::vector<std::string> fields =
      runtime::Split(planner.Activities[activity], store::kFieldSeparator);
  return {fields[2], fields[0], fields[1]};  // the index only holds records of five fields
}

// A time that no clock shows: readers would publish it an hour later than the planner.
std::optional<SaveVerdict> CheckSkippedTimes(const ActivityDraft& draft,
                                             const platform::ZoneRules& zone) {
  if (const auto skip = SkippedHourAt(zone, draft.start)) {
    return Refusal(SaveCheck::SkippedTime, SkippedTimeMessage(true, draft.start, *skip),
                   SaveFocus::StartHour);
  }
  if (const auto skip = SkippedHourAt(zone, draft.end)) {
    return Refusal(SaveCheck::SkippedTime, SkippedTimeMessage(false, draft.end, *skip),
                   SaveFocus::EndHour);
  }
  return std::nullopt;
}

std::optional<SaveVerdict> CheckResourceTwice(const store::Planner& planner,
                                              const ActivityDraft& draft) {
  const std::vector<int>& rows = draft.resourceRows;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r] < 0) continue;
    for (size_t s = r + 1; s < rows.size(); ++s) {
      if (rows[s] != rows[r]) continue;
      return Refusal(SaveCheck::ResourceTwice,
                     ResourceTwiceMessage(ResourceName(planner, rows[r]), planner.ActivityTerms),
                     SaveFocus::ResourceRow, static_cast<int>(s));
    }
  }
  return std::nullopt;
}

// The lowest activity index among `bookings` whose stored occurrence meets an occurrence
// of the draft, or the int maximum.
int FirstStoredConflict(const std::vector<Booking>& bookings, const ActivityDraft& draft,
                        const platform::ZoneRules& zone) {
  std::vector<const Booking*> byStart;
  byStart.reserve(bookings.size());
  for (const Booking& booking : bookings) byStart.push_back(&booking);
  std::sort(byStart.begin(), byStart.end(), [](const Booking* a, const Booking* b) {
    return a->first.start < b->first.start;
  });

  // Taken in order of start, each booking can only meet the first occurrence of the draft
  // that does not end before it starts; the walk never has to go back.
  int found = std::numeric_limits<int>::max();
  OccurrenceWalk windows = DraftOccurrences(draft);
  for (const Booking* booking : byStart) {
    windows.SkipEndingBefore(booking->first.start);
    if (windows.AtEnd()) break;
    if (windows.Current().start <= booking->first.end) found = std::min(found, booking->activity);
  }
  for (const Booking& booking : bookings) {
    if (booking.activity < found &&
        MeetWhereClocksSkip(OccurrenceWalk(booking.first, 0), DraftOccurrences(draft), zone)) {
      found = booking.activity;
    }
  }
  return found;
}

std::optional<SaveVerdict> CheckStoredBookings(const store::Planner& planner,
                                               const ActivityDraft& draft,
                                               const BookingIndex& index,
                                               const platform::ZoneRules& zone) {
  int activity = std::numeric_limits<int>::max();
  for (int resource : draft.resourceRows) {
    if (resource >= 0)
      activity = std::min(activity, FirstStoredConflict(index.Of(resource), draft, zone));
  }
  if (activity == std::numeric_limits<int>::max()) return std::nullopt;

  // The row named is the one holding the first of the activity's resources that a row
  // holds, in the order of its record.
  const std::vector<int> held = ParseActivityRecord(planner.Activities[activity])->resources;
  const std::vector<int>& rows = draft.resourceRows;
  for (int resource : held) {
    if (resource < 0) continue;  // an empty row holds -1 too
    const auto row = std::find(rows.begin(), rows.end(), resource);
    if (row == rows.end()) continue;
    const StoredTexts other = TextsOf(planner, activity);
    return Refusal(SaveCheck::ResourceBooked,
                   ResourceBookedMessage(ResourceName(planner, resource), planner.ActivityTerms,
                                         other.name, other.start, other.end),
                   SaveFocus::ResourceRow, static_cast<int>(row - rows.begin()), activity);
  }
  return std::nullopt;
}

// The first periodic activity, in record order, one of whose occurrences after the stored
// one meets an occurrence of the draft; -1 when there is none.
int HasPeriodicConflict(const std::vector<Booking>& bookings, const ActivityDraft& draft,
                        const platform::ZoneRules& zone) {
  for (const Booking& booking : bookings) {
    if (!IsPeriodicCode(booking.periodicityCode)) continue;
    OccurrenceWalk repetitions = booking.Occurrences();
    repetitions.Next();
    if (PeriodicOverlaps(repetitions, DraftOccurrences(draft)) ||
        MeetWhereClocksSkip(repetitions, DraftOccurrences(draft), zone)) {
      return booking.activity;
    }
  }
  return -1;
}

std::optional<SaveVerdict> CheckPeriodicBookings(const store::Planner& planner,
                                                 const ActivityDraft& draft,
                                                 const BookingIndex& index,
                                                 const platform::ZoneRules& zone) {
  const std::vector<int>& rows = draft.resourceRows;
  for (size_t r = 0; r < rows.size(); ++r) {
    if (rows[r] < 0) continue;
    const int activity = HasPeriodicConflict(index.Of(rows[r]), draft, zone);
    if (activity < 0) continue;
    const StoredTexts other = TextsOf(planner, activity);
    return Refusal(SaveCheck::ResourceBookedPeriodic,
                   ResourceBookedPeriodicMessage(ResourceName(planner, rows[r]),
                                                 planner.ActivityTerms, other.name,
                                                 other.start, other.end),
                   SaveFocus::ResourceRow, static_cast<int>(r), activity);
  }
  return std::nullopt;
}

}  // namespace

SaveVerdict CheckActivitySave(const store::Planner& planner, const ActivityDraft& draft) {
  if (draft.project < 0) {
    return Refusal(SaveCheck::ProjectMissing,
                   ProjectMissingMessage(planner.ProjectTerms, planner.ActivityTerms),
                   SaveFocus::Unchanged);
  }
  if (draft.start > draft.end) {
    return Refusal(SaveCheck::TimeOrder, TimeOrderMessage(), SaveFocus::EndHour);
  }
  const platform::ZoneRules zone = PublishedZoneRules(planner.IanaTimeZone);
  if (auto refusal = CheckSkippedTimes(draft, zone)) return *refusal;
  if (auto refusal = CheckResourceTwice(planner, draft)) return *refusal;

  const BookingIndex index(planner, draft.resourceRows, draft.editedIndex);
  if (auto refusal = CheckStoredBookings(planner, draft, index, zone)) return *refusal;
  if (auto refusal = CheckPeriodicBookings(planner, draft, index, zone)) return *refusal;
  return {};
}

}  // namespace activities
