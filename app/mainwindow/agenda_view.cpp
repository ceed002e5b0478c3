// The agenda view of the main window: its list, its month arrows and its scroll bar.
#include "app/mainwindow/agenda_list.h"
#include "app/mainwindow/date_names.h"
#include "app/mainwindow/day_scan.h"
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/table_filter.h"

namespace mainwindow {
namespace {

AgendaControls AgendaOf(frmMain& w) {
  return {w.fraAgenda, w.fraCalendar, w.fraMenuCalendar, w.lblMoisAg,
          w.lblDate,   w.lblDetail,   w.ScrollAgenda};
}

}  // namespace

void frmMain::DrawAgenda() {
  // The details belong to a line the redraw throws away.
  lblInfoAg.SetVisible(false);
  mainwindow::DrawAgenda(AgendaOf(*this), planner_, CurrentDate, SelectedProjectFilter,
                         ChosenResource(cmbAffiche));
}

ShownBookings frmMain::AgendaBookings() const {
  const runtime::DateTime first = CurrentDate.AddDays(1 - CurrentDate.Day()).Date();
  const int days = runtime::DaysInMonth(first.Year(), first.Month());
  return BookingsOf(
      ScanDays(planner_, first, days, SelectedProjectFilter, ChosenResource(cmbAffiche)), first,
      days);
}

// Another month: its list, and the hours booked of that month in the title.
void frmMain::lblLeftAg_Click() {
  CurrentDate = CurrentDate.AddMonths(-1);
  SetMonthCaptions();
  DrawAgenda();
  FilterActivityGrid();
}

void frmMain::lblRightAg_Click() {
  CurrentDate = CurrentDate.AddMonths(1);
  SetMonthCaptions();
  DrawAgenda();
  FilterActivityGrid();
}

void frmMain::ScrollAgenda_Change() { FollowAgendaScroll(AgendaOf(*this), lblInfoAg); }

void frmMain::SetMonthCaptions() {
  lblMois.SetCaption(MonthYearText(CurrentDate));
  lblMoisAg.SetCaption(MonthYearText(CurrentDate));
}

}  // namespace mainwindow
