// The pop-ups with an activity's details: `lblInfo` while the pointer rests on an activity
// label of the grids, `lblInfoAg` for the agenda line last clicked.
#include <optional>
#include <string>
#include <vector>

#include "app/mainwindow/frmMain.h"
#include "app/activities/activity_record.h"
#include "app/store/records.h"
#include "runtime/rounding.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

constexpr double kBelowLabel = 285;
// Month-grid labels stand this far right of their cell; the pop-up also grows this much
// wider than the label.
constexpr double kMonthIndent = 240;
// Month cells are at most 2100 twips high, week columns 10560.
constexpr double kWeekColumnHeight = 10000;

std::string NameField(const std::string& record) {
  return record.substr(0, record.find(store::kFieldSeparator));
}

// Project, text, "HH:MM - HH:MM" and the resources, one a line, of the activity a label's
// Tag names, read as the views read it.  Nothing for a Tag that names no readable activity
// of an existing project.
std::optional<std::string> ActivityDetails(const store::Planner& planner,
                                           const std::string& tag) {
  const auto record = runtime::ParseInteger(tag);
  if (!record || *record < 0 || *record > planner.ActivityMax()) return std::nullopt;
  const auto activity =
      activities::ParseActivityRecord(planner.Activities[static_cast<std::size_t>(*record)]);
  if (!activity || activity->project < 0 || activity->project > planner.CategoryMax())
    return std::nullopt;

  std::string text = NameField(planner.Categories[static_cast<std::size_t>(activity->project)]) +
                     "\n" + activity->name + "\n" + runtime::Right(activity->start.Text(), 5) +
                     " - " + runtime::Right(activity->end.Text(), 5);
  if (!activity->resources.empty()) {
    text += "\navec :";
    for (const int resource : activity->resources) {
      if (resource < 0 || resource > planner.ResourceMax()) continue;
      // The record as stored: a deactivated resource shows its mark.
      text += "\n-" + planner.Resources[static_cast<std::size_t>(resource)];
    }
  }
  return text;
}

// A second request for the pop-up where it already stands hides it; otherwise it shows the
// details of `label`'s activity at `left`, just below the label's top, at least as wide as
// the label and a margin.
void ToggleDetails(const store::Planner& planner, forms::Label& popUp, const forms::Label& label,
                   double left) {
  const double top = label.Top() + kBelowLabel;
  if (popUp.Visible() && popUp.Left() == left && popUp.Top() == top) {
    popUp.SetVisible(false);
    return;
  }
  const std::optional<std::string> details = ActivityDetails(planner, label.Tag());
  if (!details) return;

  popUp.SetAutoSize(true);
  popUp.SetCaption(*details);
  popUp.Move(left, top);
  popUp.SetAutoSize(false);
  if (label.Width() + kMonthIndent > popUp.Width()) popUp.SetWidth(label.Width() + kMonthIndent);
  popUp.SetVisible(true);
  popUp.ZOrder(0);
}

double WholeTwips(double value) { return static_cast<double>(runtime::RoundHalfEven(value)); }

}  // namespace

void frmMain::lblActivite_MouseMove(int index, int /*button*/, int /*shift*/, double /*x*/,
                                    double /*y*/) {
  if (index == LastHoverIndex) return;
  ShowActivityInfo(index);
  LastHoverIndex = index;
}

// The pop-up starts at the month cell's left edge, or at the week label's own.
void frmMain::ShowActivityInfo(int index) {
  const forms::Label& label = lblActivite[index];
  const bool monthCells = lblJour[8].Height() < kWeekColumnHeight;
  const double left = WholeTwips(label.Left() - (monthCells ? kMonthIndent : 0));
  ToggleDetails(planner_, lblInfo, label, left);
}

void frmMain::lblDetail_Click(int index) {
  const forms::Label& line = lblDetail[index];
  ToggleDetails(planner_, lblInfoAg, line, WholeTwips(line.Left()));
}

void frmMain::fraAgenda_MouseMove(int /*button*/, int /*shift*/, double /*x*/, double /*y*/) {
  lblInfoAg.SetVisible(false);
}

void frmMain::lblDate_MouseMove(int /*index*/, int /*button*/, int /*shift*/, double /*x*/,
                                double /*y*/) {
  lblInfoAg.SetVisible(false);
}

}  // namespace mainwindow
