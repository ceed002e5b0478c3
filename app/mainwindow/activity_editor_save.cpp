// "Valider": the editor's activity checked against the booking rule, then written to the
// activity table, stored, drawn and published, and the editor closed.
#include <cstdint>
#include <string>
#include <vector>

#include "app/activities/activity_draft.h"
#include "app/activities/activity_record.h"
#include "app/activities/booking.h"
#include "app/activities/periodicity.h"
#include "app/mainwindow/frmMain.h"
#include "app/settings/unsent_calendars.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

constexpr int kFirstResourceColumn = 5;
constexpr int kLastResourceColumn = 14;
constexpr int kIndexColumn = 15;
constexpr int kPeriodicityColumn = 16;

// The project index of a stored activity record; -1 when it cannot be read.
int StoredProject(const std::string& record) {
  const std::vector<std::string> fields = runtime::Split(record, store::kFieldSeparator);
  if (fields.size() < 4) return -1;
  const auto project = runtime::ParseInteger(fields[3]);
  return project && *project >= 0 && *project <= INT32_MAX ? static_cast<int>(*project) : -1;
}

// Sets the screen's pointer to the hourglass for its life.
class Hourglass {
 public:
  explicit Hourglass(forms::Screen& screen) : screen_(screen) {
    screen_.SetMousePointer(forms::kHourglassPointer);
  }
  ~Hourglass() { screen_.SetMousePointer(forms::kDefaultPointer); }
  Hourglass(const Hourglass&) = delete;
  Hourglass& operator=(const Hourglass&) = delete;

 private:
  forms::Screen& screen_;
};

}  // namespace

void frmMain::cmdValideActivite_Click() {
  // A date field showing a text that is no date holds a value the user no longer sees.
  std::vector<forms::DTPicker*> dates = {&DTPicker4};
  if (chkFinPeriode.Value() == forms::kChecked) dates.push_back(&DTPicker3);
  for (forms::DTPicker* date : dates) {
    if (!date->TextRefused()) continue;
    services_.dialogs.MsgBox("La date saisie n'est pas valide", forms::kInformation);
    if (date->IsShown() && date->IsEnabledForUser()) date->SetFocus();
    return;
  }

  activities::ActivityDraft draft;
  draft.start = DTPicker1.Value();
  draft.end = DTPicker2.Value();
  draft.name = runtime::Replace(txtActivite.Text(), store::kFieldSeparator, "|");
  draft.project = cmbcategorie.ListIndex();
  draft.backColour = static_cast<int>(lblColTache.BackColor());
  draft.blackText = lblString.ForeColor() == forms::kBlack;
  draft.periodicityCode = cmbPeriode.ListIndex();
  if (chkFinPeriode.Value() == forms::kChecked) draft.lastDay = DTPicker3.Value().Date();
  for (int i : cmbRessource.Indexes()) draft.resourceRows.push_back(ResourceOfRow(cmbRessource[i]));
  if (editedActivity_) draft.editedIndex = editedActivity_->index;

  const activities::SaveVerdict verdict = activities::CheckActivitySave(planner_, draft);
  if (!verdict.Passed()) {
    services_.dialogs.MsgBox(verdict.message, forms::kInformation);
    forms::Control* focus = nullptr;
    if (verdict.focus == activities::SaveFocus::StartHour) focus = &cmbH;
    if (verdict.focus == activities::SaveFocus::EndHour) focus = &cmbH2;
    if (verdict.focus == activities::SaveFocus::ResourceRow && cmbRessource.Exists(verdict.row))
      focus = &cmbRessource[verdict.row];
    if (focus != nullptr && focus->IsShown() && focus->IsEnabledForUser()) focus->SetFocus();
    return;
  }

  bool published = true;
  {
    const Hourglass hourglass(services_.screen);
    const activities::ActivityRecord record = activities::RecordOf(draft);
    const std::string text = activities::ActivityRecordText(record);
    const int previousProject =
        editedActivity_ ? StoredProject(planner_.Activities[editedActivity_->index]) : -1;

    // A refused addition leaves the editor open as a failed check does.
    if (!editedActivity_ && !store::AddActivity(planner_, text)) return;
    int row = 0;
    if (editedActivity_) {
      row = editedActivity_->row;
      store::SetActivityRecord(planner_, editedActivity_->index, text);
    } else {
      row = MSFlexGrid1.Rows();
      MSFlexGrid1.SetRows(row + 1);
      MSFlexGrid1.SetTextMatrix(row, kIndexColumn, std::to_string(planner_.ActivityMax()));
    }
    WriteActivityRow(row, record.name, activities::ColourPeriodField(record),
                     record.periodicityCode);

    RedrawAfterSave();
    // A modify that moves the activity to another project takes it out of the old
    // project's calendar too.
    if (!planner_.ShareLink.empty() && PublishCalendars) {
      std::vector<int> projects = {draft.project};
      if (previousProject >= 0 && previousProject != draft.project)
        projects.push_back(previousProject);
      published = PublishCalendars(projects);
    }
    lblCloseActivite_Click();
  }
  // Told once the save is over, whatever number of calendars failed.
  if (!published)
    services_.dialogs.MsgBox(settings::UnsentCalendarsMessage(planner_), forms::kInformation);
}

// The table row of the activity the editor holds; the record index (column 15) is the
// caller's.
void frmMain::WriteActivityRow(int row, const std::string& name,
                               const std::string& colourPeriodField, int periodicityCode) {
  const int project = cmbcategorie.ListIndex();
  const std::vector<std::string> projectFields =
      project >= 0 && project <= planner_.CategoryMax()
          ? runtime::Split(planner_.Categories[project], store::kFieldSeparator)
          : std::vector<std::string>();
  MSFlexGrid1.SetTextMatrix(row, 0, DTPicker1.Value().Text());
  MSFlexGrid1.SetTextMatrix(row, 1, DTPicker2.Value().Text());
  MSFlexGrid1.SetTextMatrix(row, 2, name);
  MSFlexGrid1.SetTextMatrix(row, 3, projectFields.empty() ? std::string() : projectFields[0]);
  MSFlexGrid1.SetTextMatrix(row, 4, colourPeriodField);
  MSFlexGrid1.SetTextMatrix(row, kPeriodicityColumn, activities::PeriodicityName(periodicityCode));

  int col = kFirstResourceColumn;
  for (int i : cmbRessource.Indexes()) {
    const forms::ComboBox& resourceRow = cmbRessource[i];
    if (resourceRow.ListIndex() >= 0) {
      MSFlexGrid1.SetTextMatrix(row, col, resourceRow.Text());
      MSFlexGrid1.SetColWidth(col, 1800);
    } else {
      MSFlexGrid1.SetTextMatrix(row, col, "");
    }
    ++col;
  }
  for (; col <= kLastResourceColumn; ++col) MSFlexGrid1.SetTextMatrix(row, col, "");

  // Black (0) leaves the cells' colours as they were.
  const forms::Color back = lblColTache.BackColor();
  if (back >= 1) {
    MSFlexGrid1.SetRow(row);
    for (int c = 0; c <= kPeriodicityColumn; ++c) {
      MSFlexGrid1.SetCol(c);
      MSFlexGrid1.SetCellBackColor(back);
      MSFlexGrid1.SetCellForeColor(lblString.ForeColor());
    }
  }
}

// The visible grid is drawn again: the month, else the week in its layout (the seventh day
// header is hidden only in the work week).  The agenda, when it is the view shown, too.
void frmMain::RedrawAfterSave() {
  if (fraMois.Visible()) {
    DrawCalendar(false, false, false);
  } else {
    DrawCalendar(true, !lblJour[6].Visible(), false);
  }
  if (!fraCalendar.Visible()) DrawAgenda();
}

}  // namespace mainwindow
