// The resource panel (adding, renaming, deactivating and reactivating resources; they are
// never deleted) and the side menu's resource list, which filters the views by a resource
// and writes the hours booked for it in the title.
//
// lstRess lists the resources of one kind (active, or deactivated) in table order;
// lstRessources and the hidden filter cmbAffiche hold "Tout" followed by the active ones,
// so that entry i >= 1 of either is the (i - 1)-th active resource.
#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "app/activities/find_resource.h"
#include "app/mainwindow/frmMain.h"
#include "app/mainwindow/hours_text.h"
#include "app/store/records.h"
#include "forms/error.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

constexpr int kNewActivityEntry = 4;
constexpr int kResourceEntry = 5;
constexpr int kProjectEntry = 6;
constexpr int kActiveOption = 0;
constexpr int kDeactivatedOption = 1;
constexpr std::size_t kFirstResourceField = 5;
constexpr std::size_t kLastResourceColumn = 14;
constexpr int kIndexColumn = 15;
constexpr std::string_view kDeactivatedMark = "1";

struct ListedResource {
  int index;
  std::string name;
};

bool IsDeactivated(const std::vector<std::string>& fields) {
  return fields.size() >= 2 && fields[1] == kDeactivatedMark;
}

// The named resources of one kind, in table order: what lstRess shows for that kind.
std::vector<ListedResource> ResourcesOfKind(const store::Planner& planner, bool deactivated) {
  std::vector<ListedResource> listed;
  for (int i = 0; i <= planner.ResourceMax(); ++i) {
    const std::vector<std::string> fields =
        runtime::Split(planner.Resources[i], store::kFieldSeparator);
    if (fields.empty() || fields[0].empty() || IsDeactivated(fields) != deactivated) continue;
    listed.push_back({i, fields[0]});
  }
  return listed;
}

// The field separator typed in a name would split the record.
std::string StorableName(const std::string& answer) {
  return runtime::Replace(answer, store::kFieldSeparator, "|");
}

bool Feminine(const store::Terms& terms) { return terms[2] == "F"; }

// Gives the entry showing `oldName` the new name: the entry at `position` when it shows it,
// else the first that does.
void RenameEntry(forms::ListControl& list, int position, const std::string& oldName,
                 const std::string& newName) {
  if (list.List(position) != oldName) position = list.FindItem(oldName);
  if (position >= 1) list.SetList(position, newName);
}

}  // namespace

void frmMain::ConnectResourcePanel() {
  ShowResourcePanel = [this] { fraRessources.SetVisible(true); };
  optRess.Click = [this](int index) { optRess_Click(index); };
  cmdAddRess.Click = [this] { cmdAddRess_Click(); };
  cmdActiveRess.Click = [this] { cmdActiveRess_Click(); };
  lstRess.DblClick = [this] { lstRess_DblClick(); };
  lblCloseRessource.Click = [this] { lblCloseRessource_Click(); };
  lstRessources.Click = [this] { lstRessources_Click(); };
  lstRessources.DblClick = [this] { lstRessources_DblClick(); };
}

void frmMain::optRess_Click(int index) {
  if (index != kActiveOption && index != kDeactivatedOption) return;
  const bool deactivated = index == kDeactivatedOption;
  cmdActiveRess.SetCaption(deactivated ? "Réactiver" : "Désactiver");
  cmdAddRess.SetEnabled(!deactivated);
  lstRess.Clear();
  for (const ListedResource& resource : ResourcesOfKind(planner_, deactivated))
    lstRess.AddItem(resource.name);
}

// By position, so that two resources of one name (a rename does not refuse a taken name)
// are still told apart.
int frmMain::SelectedResource() const {
  const int entry = lstRess.ListIndex();
  if (entry < 0) return -1;
  const std::vector<ListedResource> listed =
      ResourcesOfKind(planner_, !optRess[kActiveOption].Value());
  if (entry < static_cast<int>(listed.size()) && listed[entry].name == lstRess.Text())
    return listed[entry].index;
  return activities::FindResource(planner_, lstRess.Text());
}

void frmMain::FillResourceFilterLists() {
  cmbAffiche.Clear();
  lstRessources.Clear();
  cmbAffiche.AddItem("Tout");
  lstRessources.AddItem("Tout");
  for (const ListedResource& resource : ResourcesOfKind(planner_, false)) {
    cmbAffiche.AddItem(resource.name);
    lstRessources.AddItem(resource.name);
  }
}

// Names are the resources' keys in the editor rows and the activity table, so no two
// resources may share one; true when `name` is taken and the user has been told.
bool frmMain::RefusedAsTaken(const std::string& name) {
  if (activities::FindResource(planner_, name) < 0) return false;
  services_.dialogs.MsgBox("Ce nom de " + planner_.ResourceTerms[1] + " " + name + " existe déjà",
                           forms::kExclamation);
  return true;
}

void frmMain::cmdAddRess_Click() {
  const std::string& singular = planner_.ResourceTerms[1];
  const std::string name = StorableName(services_.dialogs.InputBox("Ajouter " + singular + " :"));
  if (name.empty() || RefusedAsTaken(name) || !store::AddResource(planner_, name)) return;
  // The button is enabled only while the active resources are listed.
  lstRess.AddItem(name);
  cmbAffiche.AddItem(name);
  lstRessources.AddItem(name);
}

void frmMain::cmdActiveRess_Click() {
  const store::Terms& terms = planner_.ResourceTerms;
  const bool activeListed = optRess[kActiveOption].Value();
  const std::string verb = activeListed ? " désactiver" : " réactiver";
  const int resource = SelectedResource();
  if (resource < 0) {
    services_.dialogs.MsgBox("Sélectionner un" + std::string(Feminine(terms) ? "e " : " ") +
                                 runtime::LCase(terms[1]) + " pour l" +
                                 (Feminine(terms) ? "a" : "e") + verb,
                             forms::kInformation);
    return;
  }
  const std::string name = lstRess.Text();
  if (services_.dialogs.MsgBox("Voulez-vous" + verb + ": " + name, forms::kYesNo) == forms::kYes) {
    if (activeListed) {
      store::SetResourceRecord(planner_, resource,
                               name + std::string(store::kFieldSeparator) +
                                   std::string(kDeactivatedMark));
    } else {
      store::SetResourceRecord(planner_, resource, name);
    }
    // The name leaves the list shown.
    optRess_Click(activeListed ? kActiveOption : kDeactivatedOption);
  }
  FillResourceFilterLists();
}

void frmMain::lstRess_DblClick() {
  if (lstRess.ListIndex() < 0) return;
  const store::Terms& terms = planner_.ResourceTerms;
  std::string prompt = "Modifier ";
  if (runtime::InStr(terms[1], "/") == 0) prompt += Feminine(terms) ? "une " : "un ";
  prompt += terms[1];
  const std::string oldName = lstRess.Text();
  const std::string name = StorableName(services_.dialogs.InputBox(prompt, "", oldName));
  if (name.empty() || name == oldName || RefusedAsTaken(name)) return;

  const int resource = SelectedResource();
  if (resource < 0) return;
  const bool deactivated =
      IsDeactivated(runtime::Split(planner_.Resources[resource], store::kFieldSeparator));
  store::SetResourceRecord(planner_, resource,
                           deactivated ? name + std::string(store::kFieldSeparator) +
                                             std::string(kDeactivatedMark)
                                       : name);

  const int entry = lstRess.ListIndex();
  lstRess.SetList(entry, name);
  if (!deactivated) {
    RenameEntry(cmbAffiche, entry + 1, oldName, name);
    RenameEntry(lstRessources, entry + 1, oldName, name);
  }
  ShowRenamedResourceInTable(resource);
  RedrawAfterSave();
}

// The editor opens an activity from the table's names: rows naming the renamed resource
// take its new name, or opening and saving such an activity would drop the resource.
void frmMain::ShowRenamedResourceInTable(int resource) {
  for (int row = 1; row < MSFlexGrid1.Rows(); ++row) {
    const std::optional<long long> activity =
        runtime::ParseInteger(MSFlexGrid1.TextMatrix(row, kIndexColumn));
    if (!activity || *activity < 0 || *activity > planner_.ActivityMax()) continue;
    const std::vector<std::string> fields =
        runtime::Split(planner_.Activities[*activity], store::kFieldSeparator);
    const std::size_t last = std::min(fields.size(), kLastResourceColumn + 1);
    for (std::size_t f = kFirstResourceField; f < last; ++f)
      if (runtime::ParseInteger(fields[f]) == resource)
        MSFlexGrid1.SetTextMatrix(row, static_cast<int>(f), planner_.Resources[resource]);
  }
}

void frmMain::lblCloseRessource_Click() {
  fraRessources.SetVisible(false);
  optRess[kActiveOption].SetValue(true);
  shMenu[kResourceEntry].SetFillColor(forms::kWhite);
}

// The panel opens on the active resources, so that the entry chosen in the side menu is
// the one selected.
void frmMain::lstRessources_DblClick() {
  fraActivite.SetVisible(false);
  fraCategorie.SetVisible(false);
  shMenu[kNewActivityEntry].SetFillColor(forms::kWhite);
  shMenu[kProjectEntry].SetFillColor(forms::kWhite);
  shMenu[kResourceEntry].SetFillColor(forms::kButtonFace);
  fraRessources.SetVisible(true);
  optRess[kActiveOption].SetValue(true);
  const int entry = lstRessources.ListIndex();
  if (entry >= 1 && entry - 1 < lstRess.ListCount()) lstRess.SetListIndex(entry - 1);
}

// Also run by the table filter after every redraw with a resource chosen: the filter list
// then holds the same entry already and nothing is drawn again.
void frmMain::lstRessources_Click() {
  const int entry = lstRessources.ListIndex();
  if (entry >= 0 && entry < cmbAffiche.ListCount() && cmbAffiche.ListIndex() != entry) {
    try {
      cmbAffiche.SetListIndex(entry);  // redraws the visible view filtered by that resource
    } catch (const forms::RuntimeError&) {
      // A failing redraw leaves the title to be written all the same.
    }
  }

  std::string booked;
  if (entry >= 1) {
    const std::string name = lstRessources.Text();
    booked = name + " - " + HoursText(ResourceMinutes(name), RegionalDecimalSeparator()) +
             " Heures";
  }
  const int project = SelectedProjectFilter;
  if (project == 0 || !lblCategories.Exists(project)) {
    SetTitle(booked);
    return;
  }
  std::string title = planner_.ProjectTerms[0] + " " + lblCategories[project].Caption();
  if (!booked.empty()) title += "\n (" + booked + ")";
  SetTitle(title);
}

double frmMain::ResourceMinutes(const std::string& name) const {
  const int resource = activities::FindResource(planner_, name);
  if (resource < 0) return 0;
  std::int64_t minutes = 0;
  // The agenda shows a month whatever grid was drawn last, hidden under it.
  const ShownBookings shown = fraCalendar.Visible() ? shownBookings_ : AgendaBookings();
  for (const ShownBookings::Booking& booking : shown.bookings) {
    if (booking.record > planner_.ActivityMax()) continue;
    const std::vector<std::string> fields = runtime::Split(
        planner_.Activities[static_cast<std::size_t>(booking.record)], store::kFieldSeparator);
    bool books = false;
    for (std::size_t f = kFirstResourceField; f < fields.size() && !books; ++f)
      books = runtime::ParseInteger(fields[f]) == resource;
    if (books) minutes += MinutesShown(shown, booking.hours);
  }
  return static_cast<double>(minutes) / 60;
}

}  // namespace mainwindow
