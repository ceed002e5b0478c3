#include "app/export/agenda_pages.h"

namespace agendaexport {
namespace {

constexpr float kTitleRoom = 1;  // cm below the title on the agenda's first page
constexpr float kDayBreak = 27;  // cm

}  // namespace

AgendaPages::AgendaPages(bool agenda, float printableHeight, float scrolled)
    : printableHeight_(printableHeight), offset_(agenda ? kTitleRoom + scrolled : 0) {}

bool AgendaPages::BreakBeforeDay() {
  if (!(lastY_ + lastH_ > kDayBreak)) return false;
  ++page_;
  offset_ -= kDayBreak;
  lastY_ -= kDayBreak;
  return true;
}

bool AgendaPages::BreakBeforeBox(float y, float h) {
  if (!(y + h > printableHeight_) || y <= 0) return false;
  ++page_;
  offset_ -= y;
  lastY_ -= y;
  return true;
}

void AgendaPages::Drawn(float y, float h) {
  lastY_ = y;
  lastH_ = h;
}

}  // namespace agendaexport
