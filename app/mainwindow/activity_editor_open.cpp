// Opening an existing activity in the editor, from one of its labels in the grids, the
// repetition icon beside an occurrence or its line in the agenda.  The hidden activity
// table is the source of the editor's values: one row per activity, found by the record
// index in its column 15.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/activities/activity_record.h"
#include "app/activities/periodicity.h"
#include "app/mainwindow/activity_editor_fields.h"
#include "app/mainwindow/frmMain.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

constexpr int kColourColumn = 4;
constexpr int kIndexColumn = 15;
constexpr int kNewActivityEntry = 4;
constexpr int kResourceEntry = 5;
constexpr int kProjectEntry = 6;

// The record index that a Tag holds, as the table's column 15 writes it; "" when the Tag
// holds none.
std::string KeyOf(const std::string& tag) {
  const auto index = runtime::ParseInteger(tag);
  if (!index || *index < 0 || *index > INT32_MAX) return {};
  return std::to_string(*index);
}

}  // namespace

void frmMain::lblActivite_DblClick(int index) {
  OpenActivityByKey(KeyOf(lblActivite[index].Tag()), lblInfo);
}

// The icon's Tag is the element number of the label it belongs to.
void frmMain::imgPeriode_DblClick(int index) {
  const auto label = runtime::ParseInteger(imgPeriode[index].Tag());
  if (!label || *label < 0 || *label > INT32_MAX || !lblActivite.Exists(static_cast<int>(*label)))
    return;
  OpenActivityByKey(KeyOf(lblActivite[static_cast<int>(*label)].Tag()), lblInfo);
}

void frmMain::lblDetail_DblClick(int index) {
  lblInfoAg.SetVisible(false);
  OpenActivityByKey(KeyOf(lblDetail[index].Tag()), lblInfoAg);
}

// Every occurrence of a repeating activity opens the activity itself, with its first date.
void frmMain::OpenActivityByKey(const std::string& key, forms::Label& hoverDetails) {
  if (key.empty()) return;
  for (int row = 1; row < MSFlexGrid1.Rows(); ++row) {
    if (MSFlexGrid1.TextMatrix(row, kIndexColumn) != key) continue;
    hoverDetails.SetVisible(false);
    MSFlexGrid1.SetRow(row);
    MSFlexGrid1_DblClick();
    return;
  }
}

// Opens the editor on the table's current row, in modify mode.  A row whose start, end or
// record index cannot be read opens nothing.
void frmMain::MSFlexGrid1_DblClick() {
  const int row = MSFlexGrid1.Row();
  if (row == 0) return;
  const auto start = runtime::DateTime::Parse(MSFlexGrid1.TextMatrix(row, 0));
  const auto end = runtime::DateTime::Parse(MSFlexGrid1.TextMatrix(row, 1));
  const auto index = runtime::ParseInteger(MSFlexGrid1.TextMatrix(row, kIndexColumn));
  if (!start || !end || !index || *index < 0 || *index > planner_.ActivityMax()) return;

  lblCloseActivite_Click();
  txtActivite.SetText(MSFlexGrid1.TextMatrix(row, 2));
  DTPicker4.SetValue(*start);
  ShowTime(cmbH, cmbM, start->Hour(), start->Minute());
  DTPicker5.SetValue(*end);
  ShowTime(cmbH2, cmbM2, end->Hour(), end->Minute());
  // After the lists, whose handlers rewrite them: start and end exactly as stored.
  DTPicker1.SetValue(DTPicker4.Value());
  DTPicker2.SetValue(DTPicker5.Value());

  // A project no longer in the list leaves none chosen (the save then asks for one).
  const int project = cmbcategorie.FindItem(MSFlexGrid1.TextMatrix(row, 3));
  if (project >= 0) cmbcategorie.SetListIndex(project);
  ShowActivityColourField(MSFlexGrid1.TextMatrix(row, kColourColumn));

  // The rows come from the record itself, so that a save gives back every resource it
  // holds, whatever names the table shows.
  FillFirstResourceRow();
  SetResourceRowLayout(1);
  if (const auto record = activities::ParseActivityRecord(planner_.Activities[*index])) {
    FillResourceRows(record->resources);
  }

  editedActivity_ = EditedActivity{row, static_cast<int>(*index)};
  fraActivite.SetCaption(ActivityEditorCaption());
  cmdValideActivite.SetCaption("Valider");
  shMenu[kResourceEntry].SetFillColor(forms::kWhite);
  shMenu[kProjectEntry].SetFillColor(forms::kWhite);
  shMenu[kNewActivityEntry].SetFillColor(forms::kButtonFace);
  fraCategorie.SetVisible(false);
  fraRessources.SetVisible(false);
  fraActivite.SetVisible(true);
}

// The activity's colour, its place on the shade strip, its periodicity and last date, from
// the record's field "back-textflag[-code[-last day]]".  What cannot be read keeps the
// control as it was, except that a code outside the list shows "Aucune", as the views
// treat such an activity.
void frmMain::ShowActivityColourField(const std::string& field) {
  const std::vector<std::string> parts = runtime::Split(field, "-");
  const FieldColours colours = ColoursOf(field);
  if (colours.back) lblColTache.SetBackColor(*colours.back);
  if (colours.blackText) lblString.SetForeColor(*colours.blackText ? forms::kBlack : forms::kWhite);

  for (int i = 0; i <= 18 && lblDegrade.Exists(i); ++i) {
    const forms::Label& swatch = lblDegrade[i];
    if (swatch.BackColor() != lblColTache.BackColor()) continue;
    lblSelDegrade.Move(swatch.Left(), swatch.Top(), swatch.Width());
    break;
  }

  int code = 0;
  if (parts.size() >= 3) {
    const long long stored = runtime::ParseInteger(parts[2]).value_or(0);
    if (stored > 0 && stored <= INT32_MAX && activities::IsPeriodicCode(static_cast<int>(stored)))
      code = static_cast<int>(stored);
  }
  cmbPeriode.SetListIndex(code);

  const auto lastDay = parts.size() >= 4 ? runtime::DateTime::Parse(parts[3]) : std::nullopt;
  if (code > 0 && parts.size() >= 4) {
    DTPicker3.SetVisible(true);
    chkFinPeriode.SetValue(forms::kChecked);
    if (lastDay) DTPicker3.SetValue(lastDay->Date());  // the stored last date wins
  } else {
    chkFinPeriode.SetValue(forms::kUnchecked);
    DTPicker3.SetVisible(false);
  }
  Shape2.SetVisible(false);
}

}  // namespace mainwindow
