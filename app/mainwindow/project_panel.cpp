// The project panel: the list of projects, adding one, renaming one by a double click and
// changing its colour through the colour chooser.  Every change is written to the data file
// at once; projects are never deleted.
#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "app/activities/frmColor.h"
#include "app/mainwindow/frmMain.h"
#include "app/settings/category_list.h"
#include "app/store/palette.h"
#include "app/store/records.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

constexpr int kNewActivityEntry = 4;
constexpr int kResourceEntry = 5;
constexpr int kProjectEntry = 6;
constexpr int kPaletteSize = 48;
constexpr double kProjectRowPitch = 300;
constexpr int kIndexColumn = 15;
constexpr int kProjectColumn = 3;

std::vector<std::string> Fields(const std::string& record) {
  return runtime::Split(record, store::kFieldSeparator);
}

std::string ProjectName(const std::string& record) {
  const std::vector<std::string> fields = Fields(record);
  return fields.empty() ? std::string() : fields[0];
}

// The broken bar separates the record's fields: one typed in a name becomes "|".
std::string StorableName(const std::string& typed) {
  return runtime::Replace(typed, store::kFieldSeparator, "|");
}

bool BlackText(const forms::Label& letter) { return letter.ForeColor() == forms::kBlack; }

}  // namespace

void frmMain::ConnectProjectPanel() {
  ShowProjectPanel = [this] { OpenProjectPanel(); };
  PublishCategoryList = [this] { settings::ExportCategoryList(planner_, planner_.UserId); };
  lblCloseCat.Click = [this] { lblCloseCat_Click(); };
  lblCategories.DblClick = [this](int index) { lblCategories_DblClick(index); };
  lstCat.Click = [this] { lstCat_Click(); };
  lstCat.DblClick = [this] { lstCat_DblClick(); };
  cmdAddCat.Click = [this] { cmdAddCat_Click(); };
  lblColor.Click = [this] { lblColor_Click(); };
  lblStringProj.Click = [this] { lblColor_Click(); };
}

void frmMain::OpenProjectPanel() {
  lblColor.SetBackColor(forms::kWhite);
  lblStringProj.SetForeColor(forms::kBlack);
  Shape1.SetVisible(true);
  lstCat.SetListIndex(-1);
  fraCategorie.SetVisible(true);
}

void frmMain::lblCloseCat_Click() {
  fraCategorie.SetVisible(false);
  shMenu[kProjectEntry].SetFillColor(forms::kWhite);
}

void frmMain::lblCategories_DblClick(int index) {
  fraRessources.SetVisible(false);
  fraActivite.SetVisible(false);
  Shape1.SetVisible(false);
  shMenu[kNewActivityEntry].SetFillColor(forms::kWhite);
  shMenu[kResourceEntry].SetFillColor(forms::kWhite);
  shMenu[kProjectEntry].SetFillColor(forms::kButtonFace);
  if (index == 0) {
    OpenProjectPanel();
    return;
  }
  fraCategorie.SetVisible(true);
  if (index - 1 < lstCat.ListCount()) lstCat.SetListIndex(index - 1);
}

// The swatch shows the selected project's colours; a record whose colour field cannot be
// read leaves it white.
void frmMain::lstCat_Click() {
  lblColor.SetBackColor(forms::kWhite);
  const int project = lstCat.ListIndex();
  if (project < 0 || project > planner_.CategoryMax()) return;
  const std::vector<std::string> fields = Fields(planner_.Categories[project]);
  Shape1.SetVisible(false);
  if (fields.size() < 2) return;
  const std::string& colour = fields[1];
  const std::optional<long long> back =
      runtime::ParseInteger(runtime::Left(colour, std::max(0, runtime::Len(colour) - 2)));
  if (!back) return;
  lblColor.SetBackColor(static_cast<forms::Color>(*back) & 0xFFFFFF);
  lblStringProj.SetForeColor(runtime::Right(colour, 1) == "1" ? forms::kBlack : forms::kWhite);
}

void frmMain::cmdAddCat_Click() {
  const forms::Color previousBack = lblColor.BackColor();
  const forms::Color previousFore = lblStringProj.ForeColor();
  Shape1.SetVisible(false);

  planner_.ChosenColour = DrawProjectColour();
  const int colour = store::PaletteColour(planner_.ChosenColour);
  lblColor.SetBackColor(static_cast<forms::Color>(colour));
  lblStringProj.SetForeColor(static_cast<forms::Color>(store::ContrastTextColour(colour)));

  const store::Terms& terms = planner_.ProjectTerms;
  const std::string prompt =
      "Nom " + std::string(terms[2] == "M" ? "du nouveau " : "de la nouvelle ") + terms[1] + " :";
  const std::string name = StorableName(services_.dialogs.InputBox(prompt));
  const bool taken = !name.empty() && ProjectNameTaken(name, -1);
  if (taken) {
    services_.dialogs.MsgBox(
        std::string(terms[2] == "M" ? "Le " : "La ") + terms[1] + " " + name + " existe déjà",
        forms::kExclamation);
  }
  // With nothing added, the swatch goes back to the selected project's colours, which a later
  // colour change starts from.
  if (name.empty() || taken) {
    lblColor.SetBackColor(previousBack);
    lblStringProj.SetForeColor(previousFore);
    if (lstCat.ListIndex() == -1) Shape1.SetVisible(true);
    return;
  }

  services_.screen.SetMousePointer(forms::kHourglassPointer);
  if (!store::AddCategory(planner_, ProjectRecord(name, "0"))) {
    services_.screen.SetMousePointer(forms::kDefaultPointer);
    return;
  }
  lstCat.AddItem(name);
  cmbcategorie.AddItem(name);
  const forms::Label& previous = lblCategories[lblCategories.UBound()];
  forms::Label& label = lblCategories.Load(lblCategories.UBound() + 1);
  label.SetCaption(name);
  label.SetBackColor(lblColor.BackColor());
  label.SetForeColor(lblStringProj.ForeColor());
  label.Move(previous.Left(), previous.Top() + kProjectRowPitch);
  label.SetVisible(true);
  // The bar scrolls one project per step: the new one must be reachable.
  scrollCat.SetMax(planner_.CategoryMax() + 1);

  lstCat.SetListIndex(lstCat.ListCount() - 1);
  if (!planner_.ShareLink.empty() && PublishCategoryList) PublishCategoryList();
  services_.screen.SetMousePointer(forms::kDefaultPointer);
}

int frmMain::DrawProjectColour() {
  auto draw = [this] {
    return std::clamp(static_cast<int>(services_.random.Next() * kPaletteSize), 0,
                      kPaletteSize - 1);
  };
  const int first = draw();
  const std::string used = std::to_string(store::PaletteColour(first));
  for (const std::string& record : planner_.Categories) {
    const std::vector<std::string> fields = Fields(record);
    if (fields.size() >= 2 && fields[1].substr(0, fields[1].find('-')) == used) return draw();
  }
  return first;
}

std::string frmMain::ProjectRecord(const std::string& name, const char* whiteFlag) const {
  return name + std::string(store::kFieldSeparator) +
         std::to_string(static_cast<long long>(lblColor.BackColor())) + "-" +
         (BlackText(lblStringProj) ? "1" : whiteFlag);
}

bool frmMain::ProjectNameTaken(const std::string& name, int except) const {
  for (int i = 0; i <= planner_.CategoryMax(); ++i)
    if (i != except && ProjectName(planner_.Categories[i]) == name) return true;
  return false;
}

void frmMain::lstCat_DblClick() {
  const int project = lstCat.ListIndex();
  if (project < 0) return;
  const std::string oldName = lstCat.List(project);
  const store::Terms& terms = planner_.ProjectTerms;
  const bool feminine = terms[2] == "F";
  const std::string prompt = "Modifier l" + std::string(feminine ? "a " : "e ") + "nom" +
                             (feminine ? " de la " : " du ") + terms[1];
  const std::string name = StorableName(services_.dialogs.InputBox(prompt, "", oldName));
  if (name.empty() || name == oldName) return;
  if (ProjectNameTaken(name, project)) {
    services_.dialogs.MsgBox(
        "L" + std::string(feminine ? "a " : "e ") + terms[1] + " " + name + " existe déjà",
        forms::kExclamation);
    return;
  }
  lstCat.SetList(project, name);
  cmbcategorie.SetList(project, name);
  if (project <= planner_.CategoryMax()) {
    store::SetCategoryRecord(planner_, project, ProjectRecord(name, "0"));
    ShowRenamedProject(project, name);
  }
}

// The project bar, the activity table (whose project names the filters go by) and the view
// take the new name at once.
void frmMain::ShowRenamedProject(int project, const std::string& name) {
  if (lblCategories.Exists(project + 1)) lblCategories[project + 1].SetCaption(name);
  const std::string projectField = std::to_string(project);
  for (int row = 1; row < MSFlexGrid1.Rows(); ++row) {
    const std::optional<long long> activity =
        runtime::ParseInteger(MSFlexGrid1.TextMatrix(row, kIndexColumn));
    if (!activity || *activity < 0 || *activity > planner_.ActivityMax()) continue;
    const std::vector<std::string> fields = Fields(planner_.Activities[*activity]);
    if (fields.size() > 3 && fields[3] == projectField)
      MSFlexGrid1.SetTextMatrix(row, kProjectColumn, name);
  }
  RedrawAfterSave();
}

void frmMain::lblColor_Click() {
  const int project = lstCat.ListIndex();
  if (project < 0) {
    services_.dialogs.MsgBox("Sélectionnez un projet pour changer sa couleur",
                             forms::kInformation);
    return;
  }
  if (Shape1.Visible()) {
    services_.random.Randomize();
    planner_.ChosenColour = std::clamp(static_cast<int>(services_.random.Next() * kPaletteSize),
                                       0, kPaletteSize - 1);
    planner_.ChosenTextFlag = 0;
  } else {
    planner_.ChosenColour = static_cast<int>(lblColor.BackColor());
    planner_.ChosenTextFlag = BlackText(lblStringProj) ? 1 : 2;
  }
  {
    activities::frmColor chooser(planner_, {lblColor, lblStringProj, Shape1}, *this, fraActivite,
                                 services_.metrics);
    services_.eventLoop.ShowModal(chooser);
    if (!chooser.Selected()) return;
  }

  if (project > planner_.CategoryMax()) return;
  services_.screen.SetMousePointer(forms::kHourglassPointer);
  store::SetCategoryRecord(planner_, project, ProjectRecord(lstCat.List(project), "2"));
  if (lblCategories.Exists(project + 1)) {
    lblCategories[project + 1].SetBackColor(lblColor.BackColor());
    lblCategories[project + 1].SetForeColor(lblStringProj.ForeColor());
  }
  if (!planner_.ShareLink.empty() && PublishCategoryList) PublishCategoryList();
  services_.screen.SetMousePointer(forms::kDefaultPointer);
}

}  // namespace mainwindow
