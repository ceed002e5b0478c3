// The activity editor's resource rows: one to ten lists, each with its remove picture,
// numbered without gaps; the panel grows by one row pitch per row.
#include <algorithm>
#include <string>
#include <vector>

#include "app/activities/find_resource.h"
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

// A stored resource the row cannot offer by name (deactivated, or its name borne by an
// earlier resource too) is kept as an item of its own, last in the list, whose resource the
// row's Tag holds; -1 when the row keeps none or the kept item is not the chosen one.
int KeptResource(const forms::ComboBox& row) {
  if (row.Tag().empty() || row.ListIndex() != row.ListCount() - 1) return -1;
  return static_cast<int>(runtime::ParseInteger(row.Tag()).value_or(-1));
}

void Keep(forms::ComboBox& row, const std::string& name, int resource) {
  row.AddItem(name);
  row.SetTag(std::to_string(resource));
  row.SetListIndex(row.ListCount() - 1);
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
  row.SetTag("");
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
  row.SetTag("");
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
  struct Moved {
    std::string name;
    int kept;
  };
  const int n = cmbRessource.Count();
  std::vector<Moved> below;
  for (int i = index + 1; i < n; ++i) {
    below.push_back({Choice(cmbRessource[i]), KeptResource(cmbRessource[i])});
    cmbRessource.Unload(i);
    imgKillAct.Unload(i);
  }
  const auto place = [](forms::ComboBox& row, const Moved& moved) {
    if (moved.kept >= 0) {
      Keep(row, moved.name, moved.kept);
    } else {
      Choose(row, moved.name);
    }
  };

  std::size_t next = 0;
  if (index >= 1) {
    cmbRessource.Unload(index);
    imgKillAct.Unload(index);
    SetResourceRowLayout(index);
  } else {
    SetResourceRowLayout(1);
    FillFirstResourceRow();
    place(cmbRessource[0], below.empty() ? Moved{"", -1} : below[next++]);
  }
  for (; next < below.size(); ++next) {
    cmdNewRess_Click();
    place(cmbRessource[cmbRessource.UBound()], below[next]);
  }
}

// The stored resources of an opened activity, one row each in the order of its record.
void frmMain::FillResourceRows(const std::vector<int>& resources) {
  std::vector<int> placed;
  for (int resource : resources) {
    if (resource < 0 || resource > planner_.ResourceMax()) continue;  // no such resource
    if (std::find(placed.begin(), placed.end(), resource) != placed.end()) continue;
    if (!placed.empty()) {
      if (cmbRessource.Count() >= kMaxResourceRows) break;
      cmdNewRess_Click();
    }
    placed.push_back(resource);
    forms::ComboBox& row = cmbRessource[cmbRessource.UBound()];
    const std::string name = activities::ResourceName(planner_, resource);
    const int item = row.FindItem(name);
    if (item >= 0 && activities::FindResource(planner_, name) == resource) {
      row.SetListIndex(item);
    } else {
      Keep(row, name, resource);
    }
  }
}

// The resource the row stands for: its kept stored resource, else the first of its name.
int frmMain::ResourceOfRow(const forms::ComboBox& row) const {
  if (row.ListIndex() < 0) return -1;
  if (const int kept = KeptResource(row); kept >= 0) return kept;
  return activities::FindResource(planner_, row.Text());
}

}  // namespace mainwindow
