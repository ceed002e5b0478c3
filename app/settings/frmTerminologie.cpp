#include "app/settings/frmTerminologie.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "app/settings/frmVersion.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/system_error_text.h"
#include "app/store/terminology.h"
#include "app/store/unfinished_backup.h"
#include "app/store/unsent_calendars_file.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "runtime/text.h"

namespace settings {

namespace {

constexpr double kClientWidth = 8175;
constexpr double kCompactHeight = 6800;
constexpr double kTallHeight = 11520;
constexpr double kOkTopCompact = 5040;
constexpr double kFilePanelTop = 5000;
constexpr double kOkBelowSharing = 180;

// Type, then the projects, activities and resources it presets.
constexpr const char* kActivityTypes[][2] = {
    {"Activité de Services", "Services ¦ Activités ¦ Ressources / Personnes"},
    {"Atelier de réparation", "Objets ¦ Réparations ¦ Matériels"},
    {"Cabinet médical", "Patients ¦ Rendez-vous ¦ Traitements"},
    {"Coaching / Cours individuel", "Clients ¦ Rendez-vous ¦ Lieux / Activités"},
    {"Cours collectifs", "Salles ¦ Cours ¦ Élèves / Profs / Matériels"},
    {"Commerce", "Magasins ¦ Périodes ¦ Personnes"},
    {"Écoles", "Profs ¦ Périodes ¦ Classes"},
    {"Gestion de Projets", "Projets ¦ Activités ¦ Ressources / Personnes"},
    {"Location de matériel", "Lieux ¦ Locations ¦ Matériels"},
    {"Location de véhicules", "Lieux ¦ Locations ¦ Véhicules / Accessoires"},
    {"Onglerie", "Clients ¦ Rendez-vous ¦ Matériels / Personnes"},
    {"Restaurant", "Activités ¦ Réservations ¦ Extras / Matériels"},
    {"Salon de beauté", "Clients ¦ Rendez-vous ¦ Matériels / Personnes"},
    {"Salon de coiffure", "Clients ¦ Rendez-vous ¦ Matériels / Personnes"},
    {"Service de dépannage", "Clients ¦ Dépannages ¦ Véhicules / Personnes"},
    {"Service de livraison", "Commandes ¦ Livraisons ¦ Véhicules / Personnes"},
    {"Service traiteur", "Services ¦ Périodes ¦ Ressources / Personnes"},
    {"Travaux du bâtiment", "Chantiers ¦ Étapes ¦ Ressources / Personnes"},
    {"Autres", " ¦ ¦ "},
};
constexpr int kTypeCount = sizeof kActivityTypes / sizeof kActivityTypes[0];

constexpr const char* kProjectPlurals[] = {
    "Activités", "Chantiers", "Clients",  "Commandes", "Lieux",    "Magasins",
    "Patients",  "Profs",     "Projets",  "Salles",    "Services", "Objets"};
constexpr const char* kActivityPlurals[] = {
    "Activités", "Cours",      "Dépannages", "Étapes",       "Livraisons",  "Locations",
    "Opérations", "Périodes",  "Réparations", "Réservations", "Rendez-vous", "Tâches"};
constexpr const char* kResourcePlurals[] = {"Classes",
                                            "Élèves / Profs / Matériels",
                                            "Extras / Matériels",
                                            "Lieux / Activités",
                                            "Matériels",
                                            "Matériels / Personnes",
                                            "Personnes",
                                            "Ressources",
                                            "Ressources / Personnes",
                                            "Traitements",
                                            "Véhicules / Accessoires",
                                            "Véhicules / Personnes"};

template <class List>
void Fill(forms::ComboBox& box, const List& items) {
  for (const char* item : items) box.AddItem(item);
}

// Selects the item of that text; a text that is not an item leaves the list as it is.
void SelectIfListed(forms::ComboBox& box, const std::string& text) {
  const int index = box.FindItem(text);
  if (index >= 0) box.SetListIndex(index);
}

std::string Feminine(const store::Terms& terms) { return terms[2] == "F" ? "e" : ""; }

std::string CountText(int max, const std::string& term, const store::Terms& terms) {
  return std::to_string(max + 1) + " " + term + " enregistré" + Feminine(terms) + "s";
}

void PlaceQuestion(forms::Label& label, forms::ComboBox& list, double top, std::string caption) {
  label.Move(240, top, 7700, 255);
  label.SetCaption(std::move(caption));
  label.SetBackStyle(forms::kTransparent);
  list.Move(240, top + 270, 7700, 315);
  list.SetStyle(forms::kDropdownList);
}

std::string JoinPath(const std::string& folder, const std::string& name) {
  std::string path = folder + "/" + name;
  for (std::size_t at; (at = path.find("//")) != std::string::npos;) path.erase(at, 1);
  return path;
}

// Copies `from` over `to` as a whole: `to` is either the new copy or left as it was.
// 0 on success, else the errno of the step that failed.
// A file larger than any data file the planner reads is not read: EFBIG.
int CopyWholeFile(const std::string& from, const std::string& to) {
  std::string source = from;
  std::string bytes;
  if (int error = platform::FollowLinks(source)) return error;
  if (int error = platform::ReadOwnFile(source, platform::kMaxIniFileSize, bytes)) return error;
  return platform::ReplaceFileContents(to, bytes);
}

std::string BackupFileName(const runtime::DateTime& today) {
  char name[16];
  std::snprintf(name, sizeof name, "%04d%02d%02d.back", today.Year(), today.Month(),
                today.Day());
  return name;
}

}  // namespace

std::optional<std::array<std::string, 3>> ApplyActivityTypePreset(int index) {
  if (index < 0 || index >= kTypeCount) return std::nullopt;
  const std::vector<std::string> parts = runtime::Split(kActivityTypes[index][1], "¦");
  return std::array<std::string, 3>{parts[0], parts[1], parts[2]};
}

frmTerminologie::frmTerminologie(store::Planner& planner, forms::Services services)
    : forms::Form("frmTerminologie", services.metrics),
      planner_(planner),
      services_(services) {
  ShowAbout = [this] {
    frmVersion about(services_);
    about.cmdUndo.SetCaption("Fermer");
    services_.eventLoop.ShowModal(about);
  };
  Design();
  DesignSharing();
  DesignFilePanel();
  Connect();
}

void frmTerminologie::Design() {
  SetCaption("Paramètres Quorvane");
  SetBorderStyle(forms::kBorderFixedSingle);
  SetBackColor(forms::kWhite);
  SetScaleSize(kClientWidth, kCompactHeight);

  Label5.Move(240, 120, 7700, 420);
  Label5.SetCaption("Configuration de la l'activité");
  Label5.SetBackStyle(forms::kTransparent);
  Label5.SetFont({"MS Sans Serif", 15});
  PlaceQuestion(Label1, cmbType, 690, "Quel type d'activité faites-vous ?");
  PlaceQuestion(Label2, cmbProj, 1380, "Que gérez vous ?");
  PlaceQuestion(Label3, cmbAct, 2070, "Comment appelez-vous vos activités ?");
  PlaceQuestion(Label4, cmbRess, 2760, "Qu'utilisez-vous dans vos activités ?");

  Frame1.Move(240, 3480, 7700, 1440);
  Frame1.SetBorderStyle(0);
  Frame1.SetBackColor(forms::kWhite);
  lblExplication.Move(0, 0, 7700, 1440);
  lblExplication.SetBackStyle(forms::kTransparent);
  lblExplication.SetWordWrap(true);
  lblExplication.SetFont({"MS Sans Serif", 8.25, true});

  cmdOk.Move(5760, kOkTopCompact, 2175, 495);
  cmdOk.SetCaption("Enregistrer /Fermer");

  Frame2.Move(240, 5760, 7700, 1080);
  Frame2.SetCaption("Enregistrements dans la base de données");
  Frame2.SetBackColor(forms::kWhite);
  const struct {
    forms::Label& label;
    const char* caption;
  } counts[] = {{lblNbProj, "projets enregistrés"},
                {lblNbAct, "activités enregistrées"},
                {lblNbRess, "ressources / personnels enregistrés"}};
  double top = 270;
  for (const auto& count : counts) {
    count.label.Move(240, top, 7200, 255);
    count.label.SetCaption(count.caption);
    count.label.SetBackStyle(forms::kTransparent);
    count.label.SetFont({"MS Sans Serif", 8.25, true});
    top += 255;
  }
}

void frmTerminologie::DesignSharing() {
  lblDatas.Move(240, 5160, 3600, 255);
  lblDatas.SetCaption("Afficher les options des données");
  lblDatas.SetBackStyle(forms::kTransparent);
  lblDatas.SetForeColor(0xFF0000);
  lblDatas.SetFont({"MS Sans Serif", 8.25, false, false, true});
  lblDatas.SetMousePointer(forms::kHandPointer);
  imgInfo.Move(5040, 5055, 480, 480);
  imgInfo.SetPicture("info.png");
  imgInfo.SetStretch(true);
  imgInfo.SetMousePointer(forms::kHandPointer);

  cmdSave.Move(240, 6960, 2415, 495);
  cmdSave.SetCaption("Sauvegardez les données");
  cmdRestaure.Move(2880, 6960, 2415, 495);
  cmdRestaure.SetCaption("Restaurer une sauvegarde");
  cmdKill.Move(5520, 6960, 2415, 495);
  cmdKill.SetCaption("Effacez toutes les données");

  chkPartage.Move(240, 7620, 3600, 255);
  chkPartage.SetCaption("Activer le partage");
  chkPartage.SetBackColor(forms::kWhite);
  fraPartage.Move(240, 7980, 7700, 1440);
  fraPartage.SetBorderStyle(0);
  fraPartage.SetBackColor(forms::kWhite);
  fraPartage.SetVisible(false);
  Label7.Move(0, 0, 6900, 255);
  Label7.SetCaption("Lien de partage en  lecture seule :");
  Label7.SetBackStyle(forms::kTransparent);
  txtPartage.Move(0, 270, 6900, 315);
  Label8.Move(0, 720, 6900, 255);
  Label8.SetCaption("Email de l'administrateur :");
  Label8.SetBackStyle(forms::kTransparent);
  txtMailAdmin.Move(0, 990, 6900, 315);
  imgPartage.Move(7080, 180, 480, 480);
  imgPartage.SetPicture("copy.png");
  imgPartage.SetStretch(true);
  imgPartage.SetToolTipText("Copier le lien");
  imgPartage.SetMousePointer(forms::kHandPointer);
  shSelect.Move(7080, 180, 480, 480);
  shSelect.SetBorderColor(0xFF0000);
  shSelect.SetBorderWidth(2);
  shSelect.SetVisible(false);
  lblSharingUnavailable.Move(240, 7980, 7700, 255);
  lblSharingUnavailable.SetCaption("Le partage n'est pas disponible dans cette version.");
  lblSharingUnavailable.SetBackStyle(forms::kTransparent);
  lblSharingUnavailable.SetVisible(false);
}

void frmTerminologie::DesignFilePanel() {
  fraFile.Move(240, kFilePanelTop, 7700, 3960);
  fraFile.SetCaption("Emplacement de sauvegarde");
  fraFile.SetBackColor(forms::kWhite);
  fraFile.SetVisible(false);
  Drive1.Move(120, 360, 3600, 315);
  Dir1.Move(120, 780, 3600, 2340);
  File1.Move(3960, 1320, 3600, 1800);
  File1.SetPattern("*.back");
  File1.SetVisible(false);
  Label6.Move(120, 3360, 1800, 255);
  Label6.SetCaption("Fichier de sauvegarde :");
  Label6.SetBackStyle(forms::kTransparent);
  lblFile.Move(1980, 3300, 2400, 315);
  lblFile.SetBorderStyle(1);
  cmdFile.Move(5640, 3240, 1920, 495);
  cmdFile.SetCaption("Sauvegarder");
  lblCloseFile.Move(7400, 0, 300, 300);
  lblCloseFile.SetCaption("X");
  lblCloseFile.SetAlignment(forms::kAlignCenter);
  lblCloseFile.SetBackColor(0x0000FF);
  lblCloseFile.SetForeColor(forms::kWhite);
  lblCloseFile.SetFont({"MS Sans Serif", 8.25, true});
  lblCloseFile.SetMousePointer(forms::kHandPointer);
}

void frmTerminologie::Connect() {
  Load = [this] { Form_Load(); };
  QueryUnload = [this](int& cancel, int unloadMode) { Form_QueryUnload(cancel, unloadMode); };
  cmbType.Click = [this] { cmbType_Click(); };
  cmbProj.Click = [this] { cmbProj_Click(); };
  cmbAct.Click = [this] { lblExplication.SetCaption(UpdateExplanation()); };
  cmbRess.Click = [this] { lblExplication.SetCaption(UpdateExplanation()); };
  cmdOk.Click = [this] { cmdOk_Click(); };

  lblDatas.Click = [this] { lblDatas_Click(); };
  cmdSave.Click = [this] { cmdSave_Click(); };
  cmdRestaure.Click = [this] { cmdRestaure_Click(); };
  Drive1.Change = [this] { Dir1.SetPath(Drive1.Drive()); };
  Dir1.Change = [this] { File1.SetPath(Dir1.Path()); };
  cmdFile.Click = [this] { cmdFile_Click(); };
  lblCloseFile.Click = [this] { fraFile.SetVisible(false); };
  cmdKill.Click = [this] { cmdKill_Click(); };
  chkPartage.Click = [this] { chkPartage_Click(); };
  imgPartage.Click = [this] { imgPartage_Click(); };
  imgPartage.MouseDown = [this](int, int, double, double) { shSelect.SetVisible(true); };
  imgPartage.MouseUp = [this](int, int, double, double) { shSelect.SetVisible(false); };
  // The link is there to be copied, not changed.
  txtPartage.KeyPress = [](int& keyAscii) { keyAscii = 0; };
  imgInfo.Click = [this] { imgInfo_Click(); };
}

void frmTerminologie::Form_Load() {
  for (const auto& type : kActivityTypes) cmbType.AddItem(type[0]);
  Fill(cmbProj, kProjectPlurals);
  Fill(cmbAct, kActivityPlurals);
  Fill(cmbRess, kResourcePlurals);

  // The type's preset passes through the term lists, whose handlers take it into the terms
  // in force: the stored terms are kept aside first so that they win over the preset.
  const std::string projects = planner_.ProjectTerms[0];
  const std::string activities = planner_.ActivityTerms[0];
  const std::string resources = planner_.ResourceTerms[0];
  if (!planner_.ActivityType.empty()) SelectIfListed(cmbType, planner_.ActivityType);
  if (!projects.empty()) SelectIfListed(cmbProj, projects);
  if (!activities.empty()) SelectIfListed(cmbAct, activities);
  if (!resources.empty()) SelectIfListed(cmbRess, resources);

  const bool sharing = CanPublish(SharingServer);
  chkPartage.SetEnabled(sharing);
  lblSharingUnavailable.SetVisible(!sharing);
  if (sharing && !planner_.ShareLink.empty()) {
    txtPartage.SetText(planner_.ShareLink);
    chkPartage.SetValue(forms::kChecked);
    txtMailAdmin.SetText(store::ReadDataValue(planner_, store::kParamSection, "Mail"));
  }
  SetHeight(kCompactHeight);
  // The counts belong to the tall view: the compact one would cut their frame in half.
  Frame2.SetVisible(false);
}

void frmTerminologie::cmbType_Click() {
  const auto preset = ApplyActivityTypePreset(cmbType.ListIndex());
  if (!preset) return;
  forms::ComboBox* lists[] = {&cmbProj, &cmbAct, &cmbRess};
  for (int i = 0; i < 3; ++i) {
    const std::string term = runtime::Trim((*preset)[i]);
    if (term.empty())
      lists[i]->SetListIndex(-1);
    else
      SelectIfListed(*lists[i], term);
  }
}

void frmTerminologie::cmbProj_Click() {
  const std::string term = cmbProj.Text();
  Label3.SetCaption("Comment appelez-vous les différentes activités de " + term + " ?");
  Label4.SetCaption("Qu'utilisez-vous dans vos " + term + " ?");
  lblExplication.SetCaption(UpdateExplanation());
}

std::string frmTerminologie::UpdateExplanation() {
  if (cmbProj.ListIndex() >= 0) planner_.ProjectTerms[0] = cmbProj.Text();
  if (cmbAct.ListIndex() >= 0) planner_.ActivityTerms[0] = cmbAct.Text();
  if (cmbRess.ListIndex() >= 0) planner_.ResourceTerms[0] = cmbRess.Text();
  store::ApplyTerminology(planner_);

  const store::Terms& projects = planner_.ProjectTerms;
  const store::Terms& activities = planner_.ActivityTerms;
  const store::Terms& resources = planner_.ResourceTerms;
  std::string text;
  if (!projects[0].empty() && !activities[0].empty() && !resources[0].empty()) {
    text = "Explications : \r\nPlusieurs " + runtime::LCase(activities[0]) +
           " peuvent être affectée à un" + Feminine(projects) + " " +
           runtime::LCase(projects[1]) + " et utiliser \r\njusqu'à 10 " +
           runtime::LCase(resources[0]) + " sur une période définie pour chaque " +
           runtime::LCase(activities[1]) + ".\r\nChaque " + runtime::LCase(resources[1]) +
           " ne peut être utilisé" + Feminine(resources) +
           " qu'une seule fois dans la même période.";
  }
  WriteCounts();
  return text;
}

void frmTerminologie::WriteCounts() {
  lblNbProj.SetCaption(
      CountText(planner_.CategoryMax(), planner_.ProjectTerms[0], planner_.ProjectTerms));
  lblNbAct.SetCaption(
      CountText(planner_.ActivityMax(), planner_.ActivityTerms[0], planner_.ActivityTerms));
  lblNbRess.SetCaption(
      CountText(planner_.ResourceMax(), planner_.ResourceTerms[0], planner_.ResourceTerms));
}

void frmTerminologie::TakeTermsFromLists() {
  planner_.ActivityType = cmbType.Text();
  planner_.ProjectTerms[0] = cmbProj.Text();
  planner_.ActivityTerms[0] = cmbAct.Text();
  planner_.ResourceTerms[0] = cmbRess.Text();
}

void frmTerminologie::cmdOk_Click() {
  TakeTermsFromLists();
  if (!(planner_.ProjectTerms[0] + planner_.ActivityTerms[0] + planner_.ResourceTerms[0]).empty())
    store::SaveParams(planner_);
  store::ApplyTerminology(planner_);
  StoreSharing();
  UnloadForm();
}

void frmTerminologie::Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {
  TakeTermsFromLists();
  if (!(planner_.ProjectTerms[0] + planner_.ActivityTerms[0] + planner_.ResourceTerms[0]).empty())
    return;
  services_.dialogs.MsgBox(
      "Les appelations ne sont pas paramétrées, Quorvane utilisera des appelations par défaut",
      forms::kOKOnly + forms::kInformation);
  planner_.ActivityType.clear();
  planner_.ProjectTerms[0] = "Projets";
  planner_.ActivityTerms[0] = "Tâches";
  planner_.ResourceTerms[0] = "Ressources / Personnes";
  store::SaveParams(planner_);
  store::ApplyTerminology(planner_);
}

void frmTerminologie::lblDatas_Click() {
  const std::string projects = runtime::LCase(cmbProj.Text());
  const std::string activities = runtime::LCase(cmbAct.Text());
  const std::string resources = runtime::LCase(cmbRess.Text());
  if (Height() == kTallHeight) {
    SetHeight(kCompactHeight);
    Frame2.SetVisible(false);
    cmdOk.SetTop(kOkTopCompact);
    lblDatas.SetCaption("Afficher les options des données");
    return;
  }
  lblDatas.SetCaption("Masquer les options des données");
  SetHeight(kTallHeight);
  Frame2.SetVisible(true);
  lblNbProj.SetCaption(CountText(planner_.CategoryMax(), projects, planner_.ProjectTerms));
  lblNbAct.SetCaption(CountText(planner_.ActivityMax(), activities, planner_.ActivityTerms));
  lblNbRess.SetCaption(CountText(planner_.ResourceMax(), resources, planner_.ResourceTerms));
  cmdOk.SetTop(fraPartage.Top() + fraPartage.Height() + kOkBelowSharing);
}

void frmTerminologie::ShowStartingFolder() {
  std::error_code unreadable;
  const std::string& last = planner_.BackupFolder;
  if (!last.empty() && std::filesystem::is_directory(last, unreadable)) {
    Drive1.SetDrive(last);
    Dir1.SetPath(last);
    return;
  }
  // The home folder, when there is one, is the last drive of the list.
  Drive1.SetListIndex(Drive1.ListCount() - 1);
  Dir1.SetPath(Drive1.Drive());
}

void frmTerminologie::cmdSave_Click() {
  cmdFile.SetCaption("Sauvegarder");
  ShowStartingFolder();
  File1.SetVisible(false);
  lblFile.SetCaption(BackupFileName(services_.clock.Today()));
  fraFile.SetTop(kFilePanelTop);
  fraFile.SetVisible(true);
}

void frmTerminologie::cmdRestaure_Click() {
  cmdFile.SetCaption("Restaurer");
  ShowStartingFolder();
  File1.SetPath(Dir1.Path());
  File1.SetTop(Dir1.Top() + Dir1.Height() - File1.Height());
  File1.SetVisible(true);
  fraFile.SetTop(kFilePanelTop);
  fraFile.SetVisible(true);
}

void frmTerminologie::cmdFile_Click() {
  planner_.BackupFolder = Dir1.Path();
  if (File1.Visible())
    Restore();
  else
    Backup();
}

void frmTerminologie::Backup() {
  // A path whose state cannot be read (a folder the user may not enter) is not taken for
  // missing: the copy below reports what stands in its way.
  std::error_code unreadable;
  if (!std::filesystem::exists(store::OpenedDataFile(planner_), unreadable) && !unreadable) {
    services_.dialogs.MsgBox("Le fichier des données n'existe pas", forms::kInformation);
    return;
  }
  const std::string target = JoinPath(Dir1.Path(), lblFile.Caption());
  const bool taken = std::filesystem::exists(target, unreadable) || unreadable;
  if (taken && services_.dialogs.MsgBox("Remplacer le fichier " + target + " ?",
                                        forms::kYesNo) != forms::kYes)
    return;
  // The copy replaces an earlier backup as a whole, so a failed copy leaves that one intact.
  store::RemoveUnfinishedBackup(planner_);
  store::NoteBackupUnderWay(planner_, target);
  const int error = CopyWholeFile(store::OpenedDataFile(planner_), target);
  store::EndBackupUnderWay(planner_);
  if (error != 0) {
    services_.dialogs.MsgBox("Le fichier de sauvegarde n'a pas pu être enregistré sur " +
                                 target + "\nCause : " + store::SystemErrorText(error),
                             forms::kCritical);
    return;
  }
  services_.dialogs.MsgBox("Le fichier de sauvegarde a bien été enregistré sur " + target,
                           forms::kInformation);
  fraFile.SetVisible(false);
}

void frmTerminologie::Restore() {
  const std::string source = JoinPath(File1.Path(), File1.FileName());
  if (File1.ListIndex() < 0) {
    services_.dialogs.MsgBox("Veuillez sélectionner un fichier de sauvegarde",
                             forms::kInformation);
    return;
  }
  int unreadable = 0;
  platform::ReadIniFile(source, unreadable);
  if (unreadable != 0) {
    services_.dialogs.MsgBox("Le fichier " + source + " n'a pas pu être restauré\nCause : " +
                                 store::UnloadableFileCause(unreadable),
                             forms::kCritical);
    return;
  }
  if (store::ReadIni(store::kParamSection, "Projet", source).empty()) {
    services_.dialogs.MsgBox("Le fichier " + source + " ne correspond pas au format attendu",
                             forms::kCritical);
    return;
  }
  // The data file is replaced as a whole: a failed copy leaves it as it was.
  bool listFailed = false;
  const int error = store::ReplaceDataWithoutUnsentCalendars(
      planner_, [&] { return CopyWholeFile(source, store::OpenedDataFile(planner_)); },
      listFailed);
  if (error != 0) {
    services_.dialogs.MsgBox("Le fichier " + source + " n'a pas pu être restauré" +
                                 UnsentCalendarsFailure(listFailed) + "\nCause : " +
                                 store::SystemErrorText(error),
                             forms::kCritical);
    return;
  }
  services_.dialogs.MsgBox(
      "Le fichier de sauvegarde a bien été restauré, vous devrez redémarrer le programme",
      forms::kInformation);
  End();
}

void frmTerminologie::cmdKill_Click() {
  if (services_.dialogs.MsgBox("Cette opération est irréversible, êtes-vous sûr de vouloir "
                               "supprimer toutes les données ?",
                               forms::kYesNo + forms::kDefaultButton2) != forms::kYes)
    return;
  bool listFailed = false;
  const int error = store::ReplaceDataWithoutUnsentCalendars(
      planner_,
      [&] {
        std::error_code removal;
        std::filesystem::remove(planner_.DataFile, removal);
        return removal.value();
      },
      listFailed);
  if (error != 0) {
    services_.dialogs.MsgBox("Les données n'ont pas pu être supprimées" +
                                 UnsentCalendarsFailure(listFailed) + "\nCause : " +
                                 store::SystemErrorText(error),
                             forms::kCritical);
    return;
  }
  services_.dialogs.MsgBox("Les données ont été supprimées, vous devrez relancer le programme",
                           forms::kInformation);
  End();
}

// The calendars left unsent name projects of the data replaced or deleted: kept beside
// other data, the next run would send those numbers' calendars from it.
std::string frmTerminologie::UnsentCalendarsFailure(bool listFailed) const {
  if (!listFailed) return "";
  return " : la liste des calendriers à envoyer n'a pas pu être retirée :\n" +
         store::UnsentCalendarsPath(planner_);
}

void frmTerminologie::End() {
  if (EndProgram)
    EndProgram();
  else
    std::exit(0);
}

void frmTerminologie::chkPartage_Click() {
  if (chkPartage.Value() != forms::kChecked) {
    fraPartage.SetVisible(false);
    return;
  }
  fraPartage.SetVisible(true);
  txtPartage.SetText("https://" + SharingServer.ProductHost + "/" + planner_.UserId);
  txtMailAdmin.SetText(store::ReadDataValue(planner_, store::kParamSection, "Mail"));
}

void frmTerminologie::StoreSharing() {
  // A build without sharing offers no box to touch: the stored link stays for a build that has.
  if (!CanPublish(SharingServer)) return;
  if (fraPartage.Visible()) {
    planner_.ShareLink = txtPartage.Text();
    store::WriteIni(planner_, store::kParamSection, "Synchro", planner_.ShareLink,
                    planner_.DataFile);
    store::WriteIni(planner_, store::kParamSection, "Mail", txtMailAdmin.Text(),
                    planner_.DataFile);
  } else {
    planner_.ShareLink.clear();
    store::WriteIni(planner_, store::kParamSection, "Synchro", "", planner_.DataFile);
  }
}

void frmTerminologie::imgPartage_Click() {
  services_.clipboard.Clear();
  services_.clipboard.SetText(txtPartage.Text());
}

void frmTerminologie::imgInfo_Click() {
  Hide();
  ShowAbout();
  UnloadForm();
}

}  // namespace settings
