// The activity editor: opening it for a new activity, the handlers that keep the hidden
// start and end date-times in step with the date and time lists, the periodicity and its
// last date, and closing it.
#include <string>
#include <vector>

#include "app/activities/occurrence.h"
#include "app/mainwindow/activity_editor_fields.h"
#include "app/mainwindow/frmMain.h"
#include "app/settings/unsent_calendars.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

constexpr int kNewActivityEntry = 4;

}  // namespace

void frmMain::ConnectActivityEditor() {
  OpenNewActivity = [this](const std::string& dateText, int hour, int minute) {
    OpenActivityEditor(dateText, hour, minute);
  };
  PublishCalendars = [this](const std::vector<int>& projects) {
    return settings::PublishCalendars(planner_, projects, services_.clock);
  };
  SetKeyPreview(true);
  KeyDown = [this](int& keyCode, int shift) { Form_KeyDown(keyCode, shift); };

  cmbcategorie.Click = [this] { cmbcategorie_Click(); };
  cmbH.Click = [this] { cmbH_Click(); };
  cmbM.Click = [this] { cmbH_Click(); };
  cmbH2.Click = [this] { cmbH2_Click(); };
  cmbM2.Click = [this] { cmbH2_Click(); };
  DTPicker4.Change = [this] { DTPicker4_Change(); };
  cmbPeriode.Click = [this] { cmbPeriode_Click(); };
  chkFinPeriode.Click = [this] { chkFinPeriode_Click(); };
  txtActivite.KeyPress = [this](int& keyAscii) { txtActivite_KeyPress(keyAscii); };
  cmdNewRess.Click = [this] { cmdNewRess_Click(); };
  imgKillAct.Click = [this](int index) { imgKillAct_Click(index); };
  lblCloseActivite.Click = [this] { lblCloseActivite_Click(); };
  cmdValideActivite.Click = [this] { cmdValideActivite_Click(); };

  lblActivite.DblClick = [this](int index) { lblActivite_DblClick(index); };
  imgPeriode.DblClick = [this](int index) { imgPeriode_DblClick(index); };
  lblDetail.DblClick = [this](int index) { lblDetail_DblClick(index); };
  MSFlexGrid1.DblClick = [this] { MSFlexGrid1_DblClick(); };

  lblDegrade.Click = [this](int index) { lblDegrade_Click(index); };
  lblSelDegrade.MouseDown = [this](int button, int shift, double x, double y) {
    lblSelDegrade_MouseDown(button, shift, x, y);
  };
  lblSelDegrade.MouseMove = [this](int button, int shift, double x, double y) {
    lblSelDegrade_MouseMove(button, shift, x, y);
  };
  lblSelDegrade.MouseUp = [this](int button, int shift, double x, double y) {
    lblSelDegrade_MouseUp(button, shift, x, y);
  };
}

// "Ajouter une tâche" while adding, "Modifier une tâche" while modifying, worded from the
// activity terms in force.
std::string frmMain::ActivityEditorCaption() const {
  const store::Terms& terms = planner_.ActivityTerms;
  return std::string(editedActivity_ ? "Modifier un" : "Ajouter un") +
         (terms[2] == "F" ? "e " : " ") + runtime::LCase(terms[1]);
}

// Opens the editor for a new activity on `dateText` ("" for today) from hour:minute to
// half an hour later, with the project chosen in the project bar.
void frmMain::OpenActivityEditor(const std::string& dateText, int hour, int minute) {
  const int project = SelectedProjectFilter - 1;
  if (project >= 0 && project < cmbcategorie.ListCount()) {
    cmbcategorie.SetListIndex(project);  // its click handler takes the project's colour
  } else {
    cmbcategorie.SetListIndex(-1);
    lblColTache.SetBackColor(forms::kWhite);
    lblString.SetForeColor(forms::kBlack);
    for (int i : lblDegrade.Indexes()) lblDegrade[i].SetVisible(false);
    lblSelDegrade.SetVisible(false);
    Shape2.SetVisible(true);
  }

  // The end hour stays within the list: a start at 23:30 ends at 23:00 until the user
  // changes a time.
  int endHour = hour;
  int endMinute = 30;
  if (hour + minute == 0) {
    endMinute = 0;
  } else if (minute != 0) {
    endHour = hour == 23 ? 23 : hour + 1;
    endMinute = 0;
  }
  ShowTime(cmbH, cmbM, hour, minute);
  ShowTime(cmbH2, cmbM2, endHour, endMinute);

  const runtime::DateTime day =
      runtime::DateTime::Parse(dateText).value_or(services_.clock.Today()).Date();
  DTPicker4.SetValue(day);
  DTPicker1.SetValue(AtTime(day, cmbH, cmbM));
  DTPicker5.SetValue(day);
  DTPicker2.SetValue(AtTime(day, cmbH2, cmbM2));

  for (int i : cmbRessource.Indexes()) {
    if (i == 0) continue;
    cmbRessource[i].SetVisible(false);
    imgKillAct[i].SetVisible(false);
    cmbRessource.Unload(i);
    imgKillAct.Unload(i);
  }
  FillFirstResourceRow();
  SetResourceRowLayout(1);

  editedActivity_.reset();
  fraActivite.SetCaption(ActivityEditorCaption());
  cmdValideActivite.SetCaption("Valider");
  cmbPeriode.SetListIndex(0);
  fraActivite.SetVisible(true);
}

void frmMain::cmbcategorie_Click() {
  const int project = cmbcategorie.ListIndex();
  if (project < 0 || project > planner_.CategoryMax()) return;
  const std::vector<std::string> fields =
      runtime::Split(planner_.Categories[project], store::kFieldSeparator);
  const FieldColours colours = ColoursOf(fields.size() >= 2 ? fields[1] : std::string());
  if (colours.back) lblColTache.SetBackColor(*colours.back);
  lblString.SetForeColor(colours.blackText.value_or(false) ? forms::kBlack : forms::kWhite);
  Shape2.SetVisible(false);
  BuildShadeStrip(static_cast<int>(lblColTache.BackColor()));
  lblSelDegrade.SetVisible(true);
}

// Start time chosen: the start keeps its date and takes the time shown.  A list without a
// selection takes its first item.
void frmMain::cmbH_Click() {
  if (cmbH.ListIndex() < 0) cmbH.SetListIndex(0);
  if (cmbM.ListIndex() < 0) cmbM.SetListIndex(0);
  DTPicker1.SetValue(AtTime(DTPicker1.Value(), cmbH, cmbM));
}

void frmMain::cmbH2_Click() {
  if (cmbH2.ListIndex() < 0) cmbH2.SetListIndex(0);
  if (cmbM2.ListIndex() < 0) cmbM2.SetListIndex(0);
  DTPicker2.SetValue(AtTime(DTPicker2.Value(), cmbH2, cmbM2));
}

// A new date moves start and end to it, keeping their times.
void frmMain::DTPicker4_Change() {
  DTPicker1.SetValue(AtTime(DTPicker4.Value(), cmbH, cmbM));
  DTPicker5.SetValue(DTPicker4.Value());
  DTPicker2.SetValue(AtTime(DTPicker5.Value(), cmbH2, cmbM2));
}

// "Aucune" hides the last-date box and its date; the box keeps its value.
void frmMain::cmbPeriode_Click() {
  if (cmbPeriode.ListIndex() >= 1) {
    chkFinPeriode.SetVisible(true);
    if (chkFinPeriode.Value() == forms::kChecked) {
      chkFinPeriode_Click();
      DTPicker3.SetVisible(true);
    }
  } else {
    chkFinPeriode.SetVisible(false);
    DTPicker3.SetVisible(false);
  }
}

// Ticked, the last date starts at the first repetition after the activity.
void frmMain::chkFinPeriode_Click() {
  if (chkFinPeriode.Value() != forms::kChecked) {
    DTPicker3.SetVisible(false);
    return;
  }
  const auto [start, end] =
      activities::OccurrenceOnDate(DTPicker1.Value().Text(), DTPicker2.Value().Text(),
                                   cmbPeriode.ListIndex(), activities::ZeroDate());
  const auto repetition = runtime::DateTime::Parse(start);
  DTPicker3.SetValue(repetition ? repetition->Date() : DTPicker4.Value().Date());
  DTPicker3.SetVisible(true);
}

// The broken bar separates the fields of the stored records: a typed one becomes "|".
void frmMain::txtActivite_KeyPress(int& keyAscii) {
  if (keyAscii == kBrokenBar) keyAscii = '|';
}

void frmMain::lblCloseActivite_Click() {
  for (int i : cmbRessource.Indexes()) {
    if (i == 0) continue;
    cmbRessource.Unload(i);
    imgKillAct.Unload(i);
  }
  SetResourceRowLayout(1);
  txtActivite.SetText("");
  cmbcategorie.SetListIndex(-1);
  cmdNewRess.SetEnabled(true);
  fraActivite.SetVisible(false);
  shMenu[kNewActivityEntry].SetFillColor(forms::kWhite);
  editedActivity_.reset();
}

void frmMain::Form_KeyDown(int& keyCode, int /*shift*/) {
  if (keyCode != forms::kKeyEscape || !fraActivite.Visible()) return;
  keyCode = 0;
  lblCloseActivite_Click();
}

}  // namespace mainwindow
