// The main window's start-up: lists, project bar, activity table and hour scale filled from
// the tables and settings, then the window shown.
#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

#include "app/activities/activity_record.h"
#include "app/activities/periodicity.h"
#include "app/mainwindow/date_names.h"
#include "app/mainwindow/frmMain.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

using runtime::ParseInteger;

constexpr int kResourceColumns = 10;
constexpr int kFirstResourceColumn = 5;
constexpr int kIndexColumn = 15;
constexpr int kPeriodicityColumn = 16;

std::vector<std::string> Fields(const std::string& record) {
  return runtime::Split(record, store::kFieldSeparator);
}

std::string Field(const std::vector<std::string>& fields, size_t index) {
  return index < fields.size() ? fields[index] : std::string();
}

// Column 4: the colour and text flag as stored, then the repetition as the record is read.
std::string ColourColumn(const std::vector<std::string>& colour,
                         const activities::ActivityRecord& record) {
  std::string text = runtime::Join(
      std::vector<std::string>(colour.begin(), colour.begin() + std::min<size_t>(2, colour.size())),
      "-");
  if (record.periodicityCode != 0) {
    text += "-" + std::to_string(record.periodicityCode);
    if (record.lastDay) text += "-" + record.lastDay->DateText();
  }
  return text;
}

// A stored colour number; nothing when the text is not one.
std::optional<forms::Color> ColourOf(const std::string& text) {
  const std::optional<long long> value = ParseInteger(text);
  if (!value) return std::nullopt;
  return static_cast<forms::Color>(*value) & 0xFFFFFF;
}

// Black text for the flag "1", white for any other.
forms::Color TextColourOf(const std::string& flag) {
  return ParseInteger(flag) == 1 ? forms::kBlack : forms::kWhite;
}

std::string TwoDigits(int value) {
  char text[12];
  std::snprintf(text, sizeof text, "%02d", value);
  return text;
}

}  // namespace

void frmMain::InitMainForm() {
  services_.screen.SetMousePointer(forms::kHourglassPointer);
  lblTitre.SetCaption("");
  FillActivityTableHeaders();

  fraActivite.Move(7200, 2040);
  fraRessources.Move(fraActivite.Left(), fraActivite.Top());
  fraCategorie.Move(fraActivite.Left(), fraActivite.Top());

  CurrentDate = services_.clock.Today();
  lblMois.SetCaption(MonthYearText(CurrentDate));

  for (int i = 1; i <= 37; ++i) lblJour.Load(i);
  for (int i = 1; i <= 18; ++i) lblDegrade.Load(i);
  FillTimeCombos(cmbH, cmbM);
  FillTimeCombos(cmbH2, cmbM2);

  FillResourceLists();
  FillProjectLists();
  scrollCat.SetMax(planner_.CategoryMax() + 1);
  FillActivityTable();
  LayoutHourScale();
  fraSemaine.Move(fraMois.Left() + 360, fraMois.Top());
  FillHourRanges();
  cmbAffiche.SetListIndex(0);
  ShowView(0);

  RefreshTermCaptions();
  if (planner_.CategoryMax() == -1) lblAffiche_Click(6);  // opens the project panel
  lblPlage.SetToolTipText(planner_.WindowsTimeZone);
  services_.screen.SetMousePointer(forms::kDefaultPointer);
  Show();
}

void frmMain::FillActivityTableHeaders() {
  static const char* const kHeaders[] = {"Début", "Fin", "Activité", "Projet", "Couleur"};
  for (int col = 0; col < 5; ++col) MSFlexGrid1.SetTextMatrix(0, col, kHeaders[col]);
  for (int n = 1; n <= kResourceColumns; ++n)
    MSFlexGrid1.SetTextMatrix(0, n + 4, "Ressource " + std::to_string(n));
  MSFlexGrid1.SetTextMatrix(0, kPeriodicityColumn, "Périodicité");

  MSFlexGrid1.SetColWidth(0, 1700);
  MSFlexGrid1.SetColWidth(1, 1700);
  MSFlexGrid1.SetColWidth(2, 2500);
  MSFlexGrid1.SetColWidth(3, 1800);
  MSFlexGrid1.SetColWidth(4, 0);
  MSFlexGrid1.SetColWidth(5, 1800);
  for (int col = 6; col <= kIndexColumn; ++col) MSFlexGrid1.SetColWidth(col, 0);
  MSFlexGrid1.SetColWidth(kPeriodicityColumn, 1800);
}

void frmMain::FillResourceLists() {
  cmbAffiche.Clear();
  lstRessources.Clear();
  cmbAffiche.AddItem("Tout");
  lstRessources.AddItem("Tout");
  for (const std::string& record : planner_.Resources) {
    const std::vector<std::string> fields = Fields(record);
    if (Field(fields, 1) == "1") continue;  // deactivated
    const std::string name = Field(fields, 0);
    if (name.empty()) continue;
    lstRess.AddItem(name);
    cmbAffiche.AddItem(name);
    lstRessources.AddItem(name);
  }
}

void frmMain::FillProjectLists() {
  lstCat.Clear();
  cmbcategorie.Clear();
  for (const std::string& record : planner_.Categories) {
    const std::vector<std::string> fields = Fields(record);
    const std::string name = Field(fields, 0);
    lstCat.AddItem(name);
    cmbcategorie.AddItem(name);

    const forms::Label& previous = lblCategories[lblCategories.UBound()];
    forms::Label& label = lblCategories.Load(lblCategories.UBound() + 1);
    label.SetCaption(name);
    // A colour field that cannot be read leaves the label in the template's colours.
    const std::vector<std::string> colour = runtime::Split(Field(fields, 1), "-");
    if (std::optional<forms::Color> back = ColourOf(Field(colour, 0))) {
      label.SetBackColor(*back);
      label.SetForeColor(TextColourOf(Field(colour, 1)));
    }
    label.Move(previous.Left(), previous.Top() + 300);
    label.SetVisible(true);
  }
}

void frmMain::FillActivityTable() {
  for (int i = 0; i <= planner_.ActivityMax(); ++i) AddActivityRow(i);
}

// One row for activity `index`, as ParseActivityRecord reads it: a record it passes over
// is no activity and gets no row, and the repetition the editor opens on is the one the
// views draw.  A colour that cannot be read leaves the cells' colours at the default.
void frmMain::AddActivityRow(int index) {
  const auto record = activities::ParseActivityRecord(planner_.Activities[index]);
  if (!record) return;
  const std::vector<std::string> fields = Fields(planner_.Activities[index]);
  const int row = MSFlexGrid1.Rows();
  MSFlexGrid1.SetRows(row + 1);

  const std::vector<std::string> colour = runtime::Split(fields[4], "-");
  MSFlexGrid1.SetTextMatrix(row, 0, record->start.Text());
  MSFlexGrid1.SetTextMatrix(row, 1, record->end.Text());
  MSFlexGrid1.SetTextMatrix(row, 2, record->name);
  MSFlexGrid1.SetTextMatrix(row, 4, ColourColumn(colour, *record));
  if (record->project >= 0 && record->project <= planner_.CategoryMax())
    MSFlexGrid1.SetTextMatrix(row, 3, Field(Fields(planner_.Categories[record->project]), 0));

  const std::optional<forms::Color> back = ColourOf(Field(colour, 0));
  MSFlexGrid1.SetRow(row);
  for (int col = 0; col < MSFlexGrid1.Cols(); ++col) {
    MSFlexGrid1.SetCol(col);
    if (back) MSFlexGrid1.SetCellBackColor(*back);
    if (colour.size() >= 2) MSFlexGrid1.SetCellForeColor(TextColourOf(colour[1]));
  }
  MSFlexGrid1.SetTextMatrix(row, kPeriodicityColumn,
                            activities::PeriodicityName(record->periodicityCode));

  // Resource fields past the tenth have no column: they are passed over.
  const size_t lastResourceField =
      std::min(fields.size(), size_t{kFirstResourceColumn + kResourceColumns});
  for (size_t f = kFirstResourceColumn; f < lastResourceField; ++f) {
    const int col = static_cast<int>(f);
    MSFlexGrid1.SetColWidth(col, 1800);
    const std::optional<long long> resource = ParseInteger(fields[f]);
    if (resource && *resource >= 0 && *resource <= planner_.ResourceMax())
      MSFlexGrid1.SetTextMatrix(row, col, planner_.Resources[*resource]);
  }
  MSFlexGrid1.SetTextMatrix(row, kIndexColumn, std::to_string(index));
}

// The rows of the week grid's hour scale, each under the one before, with their lines; the
// grid drawing lays them out for the chosen range.
void frmMain::LayoutHourScale() {
  auto placeLine = [this](forms::Line& line, const forms::Label& hour) {
    line.SetX1(hour.Left() + hour.Width());
    line.SetX2(fraCalendar.Width());
    line.SetY1(hour.Top() + hour.Height());
    line.SetY2(hour.Top() + hour.Height());
  };
  lblHeures[0].SetCaption("00:00\n00:30");
  placeLine(Line1[0], lblHeures[0]);
  for (int h = 1; h <= 23; ++h) {
    const forms::Label& above = lblHeures[h - 1];
    forms::Label& hour = lblHeures.Load(h);
    hour.Move(above.Left(), above.Top() + above.Height());
    hour.SetCaption(TwoDigits(h) + ":00\n" + TwoDigits(h) + ":30\n");
    placeLine(Line1.Load(h), hour);
    Line2.Load(h);
  }
  for (int i = 1; i <= 6; ++i) Line3.Load(i);
}

void frmMain::FillHourRanges() {
  for (const char* range : {"24 heures", "05:00 - 17:00", "06:00 - 18:00", "07:00 - 19:00",
                            "08:00 - 20:00", "09:00 - 21:00"})
    cmbHeures.AddItem(range);
  const std::optional<long long> chosen =
      ParseInteger(store::ReadDataValue(planner_, store::kParamSection, "Heure"));
  cmbHeures.SetListIndex(chosen && *chosen >= 0 && *chosen <= 5 ? static_cast<int>(*chosen)
                                                                 : 3);
}

}  // namespace mainwindow
