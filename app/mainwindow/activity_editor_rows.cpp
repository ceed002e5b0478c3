// The activity editor's resource rows: one to ten lists, each with its remove picture,
// numbered without gaps; the panel grows by one row pitch per row.
#include <string>
#include <vector>

#include "app/mainwindow/frmMain.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

constexpr int kMaxResourceRows = 10;
constexpr double kRowPitch = 400;
constexpr double kOneRowPanelHeight = 4800;
constexpr double kOneRowValidateTop = 3645;
constexpr double kOneRowNewRowTop = 3240;

// The row's choice, "" for a row without one.
std::string Choice(const forms::ComboBox& row) {
  return row.ListIndex() >= 0 ? row.Text() : std::string();
}

// Chooses `name` in the row; a name the row does not offer leaves it without a choice.
void Choose(forms::ComboBox& row, const std::string& name) {
  row.SetListIndex(name.empty() ? -1 : row.FindItem(name));
}

}  // namespace

void frmMain::SetResourceRowLayout(int rows) {
  const double grown = kRowPitch * (rows - 1);
  fraActivite.SetHeight(kOneRowPanelHeight + grown);
  fraValide.SetTop(kOneRowValidateTop + grown);
  cmdNewRess.SetTop(kOneRowNewRowTop + grown);
}

// Row 0 offers the active resources in the order of the table.
void frmMain::FillFirstResourceRow() {
  forms::ComboBox& row = cmbRessource[0];
  row.Clear();
  for (const std::string& record : planner_.Resources) {
    const std::vector<std::string> fields = runtime::Split(record, store::kFieldSeparator);
    if (fields.empty() || fields[0].empty()) continue;
    if (fields.size() >= 2 && fields[1] == "1") continue;  // deactivated
    row.AddItem(fields[0]);
  }
}

// A new row offers what the row above offers, except the resource chosen there.
void frmMain::cmdNewRess_Click() {
  const int n = cmbRessource.Count();
  if (n >= kMaxResourceRows) return;
  forms::ComboBox& row = cmbRessource.Exists(n) ? cmbRessource[n] : cmbRessource.Load(n);
  forms::Image& remove = imgKillAct.Exists(n) ? imgKillAct[n] : imgKillAct.Load(n);
  const forms::ComboBox& above = cmbRessource[n - 1];
  row.SetTop(above.Top() + kRowPitch);
  remove.SetTop(imgKillAct[n - 1].Top() + kRowPitch);

  const std::string chosenAbove = Choice(above);
  row.Clear();
  for (int i = 0; i < above.ListCount(); ++i)
    if (above.List(i) != chosenAbove) row.AddItem(above.List(i));
  row.SetVisible(true);
  remove.SetVisible(true);

  SetResourceRowLayout(n + 1);
  if (n + 1 == kMaxResourceRows) cmdNewRess.SetEnabled(false);
}

// The rows below the removed one move up a place with their choices; their lists are built
// again from the rows above them.
void frmMain::imgKillAct_Click(int index) {
  const int n = cmbRessource.Count();
  std::vector<std::string> below;
  for (int i = index + 1; i < n; ++i) {
    below.push_back(Choice(cmbRessource[i]));
    cmbRessource.Unload(i);
    imgKillAct.Unload(i);
  }

  std::size_t next = 0;
  if (index >= 1) {
    cmbRessource.Unload(index);
    imgKillAct.Unload(index);
    SetResourceRowLayout(index);
  } else {
    SetResourceRowLayout(1);
    Choose(cmbRessource[0], below.empty() ? std::string() : below[next++]);
  }
  for (; next < below.size(); ++next) {
    cmdNewRess_Click();
    Choose(cmbRessource[cmbRessource.UBound()], below[next]);
  }
}

}  // namespace mainwindow
