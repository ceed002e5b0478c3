// The settings dialog, driven as a user drives it, over a data file in a scratch folder.
#include "app/settings/frmTerminologie.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <unistd.h>

#include "app/settings/frmVersion.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/unsent_calendars_file.h"
#include "forms/testing.h"
#include "platform/file_faults.h"
#include "platform/ini_file.h"
#include "forms/user_driver.h"
#include "platform/scratch_folder.h"
#include "runtime/text.h"

namespace {

class SettingsDialogTest : public ::testing::Test {
 protected:
  SettingsDialogTest() {
    planner.DataFolder = folder.Path();
    planner.DataFile = folder / "data";
  }

  settings::frmTerminologie& Open() {
    dialog = std::make_unique<settings::frmTerminologie>(planner, world.services());
    dialog->SharingServer.Account.Server = server;
    dialog->SharingServer.WebHost = webHost;
    dialog->SharingServer.ProductHost = productHost;
    dialog->EndProgram = [this] { ++programEnds; };
    dialog->Show();
    return *dialog;
  }

  std::string Stored(const char* key) const {
    return store::ReadIni("PARAM", key, planner.DataFile);
  }

  // What the build names for sharing.
  std::string server = "127.0.0.1";
  std::string webHost = "cal.quorvane.test";
  std::string productHost = "www.quorvane.test";
  ScratchFolder folder;
  store::Planner planner;
  forms::testing::TestServices world;
  forms::testing::UserDriver user;
  std::unique_ptr<settings::frmTerminologie> dialog;
  int programEnds = 0;
};

TEST(ActivityTypePresetTest, NineteenTypesEachPresetTermsOfTheLists) {
  const std::array<std::string, 3> surgery = {"Patients ", " Rendez-vous ", " Traitements"};
  EXPECT_EQ(settings::ApplyActivityTypePreset(2), surgery);
  const std::array<std::string, 3> others = {" ", " ", " "};
  EXPECT_EQ(settings::ApplyActivityTypePreset(18), others);
  EXPECT_FALSE(settings::ApplyActivityTypePreset(19));
  EXPECT_FALSE(settings::ApplyActivityTypePreset(-1));
}

TEST_F(SettingsDialogTest, OpensCompactWithTheListsInTheirOrder) {
  settings::frmTerminologie& w = Open();
  EXPECT_EQ(w.Caption(), "Paramètres Quorvane");
  EXPECT_EQ(w.Height(), 6800);
  EXPECT_EQ(w.ScaleWidth(), 8175);
  ASSERT_EQ(w.cmbType.ListCount(), 19);
  EXPECT_EQ(w.cmbType.List(0), "Activité de Services");
  EXPECT_EQ(w.cmbType.List(6), "Écoles");
  EXPECT_EQ(w.cmbType.List(18), "Autres");
  ASSERT_EQ(w.cmbProj.ListCount(), 12);
  ASSERT_EQ(w.cmbAct.ListCount(), 12);
  ASSERT_EQ(w.cmbRess.ListCount(), 12);
  EXPECT_EQ(w.cmbProj.List(11), "Objets");
  EXPECT_EQ(w.cmbAct.List(10), "Rendez-vous");
  EXPECT_EQ(w.cmbRess.List(1), "Élèves / Profs / Matériels");
  EXPECT_EQ(w.cmbType.ListIndex(), -1);
  EXPECT_EQ(w.cmbProj.ListIndex(), -1);
  EXPECT_EQ(w.lblExplication.Caption(), "");
}

// Every type but the last selects its three terms in the lists, and each term derives a
// singular and a gender.
TEST_F(SettingsDialogTest, EveryTypeSelectsItsPreset) {
  settings::frmTerminologie& w = Open();
  for (int type = 0; type < 18; ++type) {
    SCOPED_TRACE(w.cmbType.List(type));
    user.Choose(w.cmbType, type);
    const auto preset = settings::ApplyActivityTypePreset(type);
    EXPECT_EQ(w.cmbProj.Text(), runtime::Trim((*preset)[0]));
    EXPECT_EQ(w.cmbAct.Text(), runtime::Trim((*preset)[1]));
    EXPECT_EQ(w.cmbRess.Text(), runtime::Trim((*preset)[2]));
    EXPECT_EQ(planner.ProjectTerms[0], w.cmbProj.Text());
    EXPECT_FALSE(planner.ProjectTerms[1].empty());
    EXPECT_FALSE(planner.ActivityTerms[1].empty());
    EXPECT_FALSE(planner.ResourceTerms[1].empty());
    EXPECT_NE(w.lblExplication.Caption(), "");
  }
}

TEST_F(SettingsDialogTest, ExplanationIsWrittenWithTheChosenWords) {
  planner.Categories = {"a", "b", "c"};
  settings::frmTerminologie& w = Open();
  user.Choose(w.cmbType, "Cabinet médical");
  EXPECT_EQ(w.lblExplication.Caption(),
            "Explications : \r\n"
            "Plusieurs rendez-vous peuvent être affectée à un patient et utiliser \r\n"
            "jusqu'à 10 traitements sur une période définie pour chaque rendez-vous.\r\n"
            "Chaque traitement ne peut être utilisé qu'une seule fois dans la même période.");
  EXPECT_EQ(w.lblNbProj.Caption(), "3 Patients enregistrés");
  EXPECT_EQ(w.Label3.Caption(), "Comment appelez-vous les différentes activités de Patients ?");
  EXPECT_EQ(w.Label4.Caption(), "Qu'utilisez-vous dans vos Patients ?");
}

// Only "un"/"une" and "utilisé"/"utilisée" agree; "affectée" stays as it is.
TEST_F(SettingsDialogTest, ExplanationAgreesWithTheGenders) {
  planner.Resources = {"Ann", "Bob"};
  settings::frmTerminologie& w = Open();
  user.Choose(w.cmbType, "Restaurant");
  user.Choose(w.cmbRess, "Ressources / Personnes");
  EXPECT_EQ(w.lblExplication.Caption(),
            "Explications : \r\n"
            "Plusieurs réservations peuvent être affectée à une activité et utiliser \r\n"
            "jusqu'à 10 ressources / personnes sur une période définie pour chaque "
            "réservation.\r\n"
            "Chaque ress. / pers. ne peut être utilisée qu'une seule fois dans la même "
            "période.");
  EXPECT_EQ(w.lblNbRess.Caption(), "2 Ressources / Personnes enregistrées");
  EXPECT_EQ(w.lblNbAct.Caption(), "0 Réservations enregistrées");
}

TEST_F(SettingsDialogTest, CountsAlwaysEndInAnS) {
  planner.Categories = {"a"};
  settings::frmTerminologie& w = Open();
  user.Choose(w.cmbProj, "Clients");
  EXPECT_EQ(w.lblNbProj.Caption(), "1 Clients enregistrés");
  user.Choose(w.cmbProj, "Salles");
  EXPECT_EQ(w.lblNbProj.Caption(), "1 Salles enregistrées");
  // With the other plurals still empty there is no explanation, only counts.
  EXPECT_EQ(w.lblExplication.Caption(), "");
  EXPECT_EQ(w.lblNbAct.Caption(), "0  enregistrés");
  EXPECT_EQ(w.Label4.Caption(), "Qu'utilisez-vous dans vos Salles ?");
}

TEST_F(SettingsDialogTest, OthersClearsTheListsButKeepsTheTermsInForce) {
  settings::frmTerminologie& w = Open();
  user.Choose(w.cmbType, "Travaux du bâtiment");
  user.Choose(w.cmbType, "Autres");
  EXPECT_EQ(w.cmbProj.ListIndex(), -1);
  EXPECT_EQ(w.cmbAct.ListIndex(), -1);
  EXPECT_EQ(w.cmbRess.ListIndex(), -1);
  EXPECT_EQ(planner.ProjectTerms[0], "Chantiers");
  EXPECT_NE(w.lblExplication.Caption(), "");

  // Closing without a term shows the message and stores the defaults with no type.
  user.Click(w.cmdOk);
  ASSERT_EQ(world.dialogs.shown.size(), 1u);
  EXPECT_EQ(world.dialogs.shown[0].prompt,
            "Les appelations ne sont pas paramétrées, Quorvane utilisera des appelations par "
            "défaut");
  EXPECT_EQ(world.dialogs.shown[0].buttons, forms::kInformation);
  EXPECT_FALSE(w.Loaded());
  EXPECT_EQ(Stored("Type"), "");
  EXPECT_EQ(Stored("Projet"), "Projets");
  EXPECT_EQ(Stored("Act"), "Tâches");
  EXPECT_EQ(Stored("Ress"), "Ressources / Personnes");
  EXPECT_EQ(planner.ActivityTerms[1], "Tâche");
  EXPECT_EQ(planner.ResourceTerms[2], "F");
}

TEST_F(SettingsDialogTest, OkStoresTheTypeAndTheTerms) {
  settings::frmTerminologie& w = Open();
  user.Choose(w.cmbType, "Cabinet médical");
  user.Choose(w.cmbAct, "Opérations");
  user.Click(w.cmdOk);

  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_FALSE(w.Loaded());
  EXPECT_EQ(Stored("Type"), "Cabinet médical");
  EXPECT_EQ(Stored("Projet"), "Patients");
  EXPECT_EQ(Stored("Act"), "Opérations");
  EXPECT_EQ(Stored("Ress"), "Traitements");
  EXPECT_EQ(planner.ActivityType, "Cabinet médical");
  EXPECT_EQ(planner.ActivityTerms[1], "Opération");
  EXPECT_EQ(planner.ActivityTerms[2], "F");
}

// One term chosen on a first run: it is stored with empty others and no default follows.
TEST_F(SettingsDialogTest, OkWithOneTermStoresItAlone) {
  settings::frmTerminologie& w = Open();
  user.Choose(w.cmbProj, "Lieux");
  user.Click(w.cmdOk);

  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_EQ(Stored("Projet"), "Lieux");
  EXPECT_EQ(Stored("Act"), "");
  EXPECT_EQ(Stored("Ress"), "");
  EXPECT_EQ(Stored("Type"), "");
  EXPECT_EQ(planner.ActivityTerms[0], "");
}

// Closing the window otherwise keeps the lists' terms in force and writes nothing.
TEST_F(SettingsDialogTest, ClosingOtherwiseWritesNothing) {
  settings::frmTerminologie& w = Open();
  user.Choose(w.cmbType, "Commerce");
  w.UnloadForm(forms::kUnloadFromControlMenu);

  EXPECT_TRUE(world.dialogs.shown.empty());
  EXPECT_EQ(planner.ProjectTerms[0], "Magasins");
  EXPECT_EQ(planner.ActivityType, "Commerce");
  EXPECT_EQ(Stored("Projet"), "");
}

TEST_F(SettingsDialogTest, StoredTermsWinOverTheStoredTypesPreset) {
  planner.ActivityType = "Cabinet médical";
  planner.ProjectTerms[0] = "Clients";
  planner.ResourceTerms[0] = "Inconnus";
  settings::frmTerminologie& w = Open();
  EXPECT_EQ(w.cmbType.Text(), "Cabinet médical");
  EXPECT_EQ(w.cmbProj.Text(), "Clients");
  EXPECT_EQ(w.cmbAct.Text(), "Rendez-vous");
  // A stored term that is not listed leaves the preset.
  EXPECT_EQ(w.cmbRess.Text(), "Traitements");
  EXPECT_EQ(w.Label4.Caption(), "Qu'utilisez-vous dans vos Clients ?");
}

TEST_F(SettingsDialogTest, UnknownStoredTypeIsIgnored) {
  planner.ActivityType = "Garage";
  planner.ActivityTerms[0] = "Étapes";
  settings::frmTerminologie& w = Open();
  EXPECT_EQ(w.cmbType.ListIndex(), -1);
  EXPECT_EQ(w.cmbProj.ListIndex(), -1);
  EXPECT_EQ(w.cmbAct.Text(), "Étapes");
}

}  // namespace

namespace {

class SettingsDataOptionsTest : public SettingsDialogTest {
 protected:
  SettingsDataOptionsTest() {
    planner.UserId = "4512";
    planner.ProjectTerms[0] = "Patients";
    planner.ActivityTerms[0] = "Rendez-vous";
    planner.ResourceTerms[0] = "Ressources";
    store::SaveParams(planner);
  }

  std::string Prompt(std::size_t i) const { return world.dialogs.shown.at(i).prompt; }

  ScratchFolder backups;
};

TEST_F(SettingsDataOptionsTest, SharingOpensTickedWithTheLinkOfThisUser) {
  planner.ShareLink = "https://ailleurs/1";
  store::WriteIni(planner, "PARAM", "Mail", "chef@atelier.test", planner.DataFile);
  settings::frmTerminologie& w = Open();

  EXPECT_EQ(w.chkPartage.Value(), forms::kChecked);
  EXPECT_TRUE(w.fraPartage.Visible());
  // The link shown is built again, whatever link was stored.
  EXPECT_EQ(w.txtPartage.Text(), "https://www.quorvane.test/4512");
  EXPECT_EQ(w.txtMailAdmin.Text(), "chef@atelier.test");

  user.Type(w.txtPartage, "x");
  EXPECT_EQ(w.txtPartage.Text(), "https://www.quorvane.test/4512");
  user.Type(w.txtMailAdmin, "x");
  user.Click(w.cmdOk);

  EXPECT_EQ(planner.ShareLink, "https://www.quorvane.test/4512");
  EXPECT_EQ(Stored("Synchro"), "https://www.quorvane.test/4512");
  EXPECT_EQ(Stored("Mail"), "chef@atelier.testx");
}

// A build that names no server, or no product host to build the link from, offers no
// sharing: the box cannot be ticked, the dialog says so, and a link stored by another build
// is kept as it was.
TEST_F(SettingsDataOptionsTest, WithoutAServerSharingIsNotOfferedAndTheStoredLinkIsKept) {
  for (const auto& [named, product] :
       {std::pair{"", "www.quorvane.test"}, std::pair{"127.0.0.1", ""}}) {
    server = named;
    productHost = product;
    planner.ShareLink = "https:///4512";
    store::WriteIni(planner, "PARAM", "Synchro", planner.ShareLink, planner.DataFile);
    settings::frmTerminologie& w = Open();
    user.Click(w.lblDatas);
    EXPECT_FALSE(w.chkPartage.Enabled());
    EXPECT_FALSE(w.fraPartage.Visible());
    EXPECT_TRUE(w.lblSharingUnavailable.Visible());
    EXPECT_EQ(w.lblSharingUnavailable.Caption(),
              "Le partage n'est pas disponible dans cette version.");
    user.Click(w.cmdOk);
    EXPECT_EQ(planner.ShareLink, "https:///4512");
    EXPECT_EQ(Stored("Synchro"), "https:///4512");
  }
}

TEST_F(SettingsDataOptionsTest, ClearingTheBoxSwitchesSharingOffAndKeepsTheMail) {
  planner.ShareLink = "https://www.quorvane.test/4512";
  store::WriteIni(planner, "PARAM", "Synchro", planner.ShareLink, planner.DataFile);
  store::WriteIni(planner, "PARAM", "Mail", "chef@atelier.test", planner.DataFile);
  settings::frmTerminologie& w = Open();
  user.Click(w.chkPartage);
  EXPECT_FALSE(w.fraPartage.Visible());
  user.Click(w.cmdOk);

  EXPECT_EQ(planner.ShareLink, "");
  EXPECT_EQ(Stored("Synchro"), "");
  EXPECT_EQ(Stored("Mail"), "chef@atelier.test");

  settings::frmTerminologie& again = Open();
  EXPECT_EQ(again.chkPartage.Value(), forms::kUnchecked);
  EXPECT_FALSE(again.fraPartage.Visible());
}

// The disk is full when the mail is saved: the dialog opened again shows the mail typed,
// and its next save writes it.
TEST_F(SettingsDataOptionsTest, AMailThatCouldNotBeWrittenIsShownAgainAndWrittenNext) {
  planner.ShareLink = "https://www.quorvane.test/4512";
  settings::frmTerminologie& w = Open();
  user.Type(w.txtMailAdmin, "chef@atelier.test");
  platform::InjectedFileFaults().writeError = ENOSPC;
  user.Click(w.cmdOk);
  platform::InjectedFileFaults().writeError = 0;
  EXPECT_EQ(Stored("Mail"), "");

  settings::frmTerminologie& again = Open();
  EXPECT_EQ(again.txtMailAdmin.Text(), "chef@atelier.test");
  user.Click(again.cmdOk);
  EXPECT_EQ(Stored("Mail"), "chef@atelier.test");
}

TEST_F(SettingsDataOptionsTest, TheLinkImageCopiesTheLink) {
  settings::frmTerminologie& w = Open();
  user.Click(w.chkPartage);
  user.Press(w.imgPartage, forms::kLeftButton, 10, 10);
  EXPECT_TRUE(w.shSelect.Visible());
  user.Release(w.imgPartage, forms::kLeftButton, 10, 10);
  EXPECT_FALSE(w.shSelect.Visible());
  user.Click(w.imgPartage);
  EXPECT_EQ(world.clipboard.text, "https://www.quorvane.test/4512");
  EXPECT_GE(world.clipboard.clears, 1);
}

TEST_F(SettingsDataOptionsTest, TheDataLinkTogglesTheTallViewWithItsCounts) {
  planner.Categories = {"a", "b", "c"};
  planner.Resources = {"Ann"};
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  EXPECT_EQ(w.Height(), 11520);
  EXPECT_EQ(w.lblDatas.Caption(), "Masquer les options des données");
  EXPECT_EQ(w.lblNbProj.Caption(), "3 patients enregistrés");
  EXPECT_EQ(w.lblNbAct.Caption(), "0 rendez-vous enregistrés");
  EXPECT_EQ(w.lblNbRess.Caption(), "1 ressources enregistrées");
  EXPECT_EQ(w.cmdOk.Top(), w.fraPartage.Top() + w.fraPartage.Height() + 180);

  user.Click(w.lblDatas);
  EXPECT_EQ(w.Height(), 6800);
  EXPECT_EQ(w.cmdOk.Top(), 5040);
  EXPECT_EQ(w.lblDatas.Caption(), "Afficher les options des données");
}

TEST_F(SettingsDataOptionsTest, BackupIsNamedByTheDayAndAsksBeforeReplacing) {
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  user.Click(w.cmdSave);
  EXPECT_TRUE(w.fraFile.Visible());
  EXPECT_FALSE(w.File1.Visible());
  EXPECT_EQ(w.cmdFile.Caption(), "Sauvegarder");
  EXPECT_EQ(w.lblFile.Caption(), "20260302.back");
  EXPECT_EQ(w.Dir1.Path(), w.Drive1.Drive());
  w.Dir1.SetPath(backups.Path());
  user.Click(w.cmdFile);

  const std::string target = backups / "20260302.back";
  EXPECT_EQ(Prompt(0), "Le fichier de sauvegarde a bien été enregistré sur " + target);
  EXPECT_EQ(ReadTextFile(target), ReadTextFile(planner.DataFile));
  EXPECT_FALSE(w.fraFile.Visible());

  // The same day again: replaced only on Yes.
  WriteTextFile(target, "autre");
  user.Click(w.cmdSave);
  w.Dir1.SetPath(backups.Path());
  world.dialogs.msgBoxAnswers.push_back(forms::kNo);
  user.Click(w.cmdFile);
  EXPECT_EQ(Prompt(1), "Remplacer le fichier " + target + " ?");
  EXPECT_EQ(world.dialogs.shown[1].buttons, forms::kYesNo);
  EXPECT_EQ(ReadTextFile(target), "autre");
  EXPECT_TRUE(w.fraFile.Visible());
  user.Click(w.cmdFile);
  EXPECT_EQ(ReadTextFile(target), ReadTextFile(planner.DataFile));
  EXPECT_EQ(programEnds, 0);
}

// The backup copies the file that a link leads to, and refuses, leaving nothing, a data
// file grown past the size that the planner loads (sparse here, so that it takes no room).
TEST_F(SettingsDataOptionsTest, BackupCopiesTheFileALinkLeadsToButNoneTooLargeToLoad) {
  const std::string bytes = ReadTextFile(planner.DataFile);
  const std::string real = backups / "ailleurs";
  std::filesystem::rename(planner.DataFile, real);
  std::filesystem::create_symlink(real, planner.DataFile);
  const std::string target = backups / "20260302.back";
  for (bool tooLarge : {false, true}) {
    SCOPED_TRACE(tooLarge);
    std::filesystem::remove(target);
    if (tooLarge) {
      ASSERT_EQ(::truncate(real.c_str(), platform::kMaxIniFileSize + 1), 0);
    }
    settings::frmTerminologie& w = Open();
    user.Click(w.lblDatas);
    user.Click(w.cmdSave);
    w.Dir1.SetPath(backups.Path());
    user.Click(w.cmdFile);
    if (tooLarge) {
      EXPECT_EQ(world.dialogs.shown.back().prompt,
                "Le fichier de sauvegarde n'a pas pu être enregistré sur " + target +
                    "\nCause : fichier trop volumineux");
      EXPECT_FALSE(std::filesystem::exists(target));
    } else {
      EXPECT_EQ(ReadTextFile(target), bytes);
    }
  }
  EXPECT_EQ(std::filesystem::directory_iterator(backups.Path())->path().filename(), "ailleurs");
}

TEST_F(SettingsDataOptionsTest, TheFilePanelOpensAtHomeThenInTheFolderUsedLast) {
  ScratchFolder home;
  const std::optional<std::string> savedHome =
      std::getenv("HOME") ? std::optional<std::string>(std::getenv("HOME")) : std::nullopt;
  ::setenv("HOME", home.Path().c_str(), 1);
  const std::string used = backups / "Atelier";
  std::filesystem::create_directory(used);

  settings::frmTerminologie& first = Open();
  user.Click(first.lblDatas);
  user.Click(first.cmdSave);
  EXPECT_EQ(first.Dir1.Path(), home.Path());
  first.Dir1.SetPath(used);
  user.Click(first.cmdFile);

  // The dialog opened again shows that folder, for a restore too.
  settings::frmTerminologie& again = Open();
  user.Click(again.lblDatas);
  user.Click(again.cmdRestaure);
  EXPECT_EQ(again.Dir1.Path(), used);
  EXPECT_EQ(again.File1.Path(), used);
  EXPECT_EQ(again.File1.ListCount(), 1);

  // Gone since: home again.
  std::filesystem::remove_all(used);
  user.Click(again.cmdSave);
  EXPECT_EQ(again.Dir1.Path(), home.Path());

  if (savedHome)
    ::setenv("HOME", savedHome->c_str(), 1);
  else
    ::unsetenv("HOME");
}

// A target whose state cannot be read (here a link to itself; for a user, often a folder
// they may not enter) is treated as taken: the dialog asks and the program keeps running.
TEST_F(SettingsDataOptionsTest, BackupOntoAnUnreadableTargetAsksInsteadOfFailing) {
  const std::string target = backups / "20260302.back";
  std::filesystem::create_symlink("20260302.back", target);
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  user.Click(w.cmdSave);
  w.Dir1.SetPath(backups.Path());
  world.dialogs.msgBoxAnswers.push_back(forms::kNo);
  user.Click(w.cmdFile);
  EXPECT_EQ(Prompt(0), "Remplacer le fichier " + target + " ?");
  EXPECT_TRUE(std::filesystem::is_symlink(target));
  EXPECT_TRUE(w.fraFile.Visible());
}

TEST_F(SettingsDataOptionsTest, BackupWithoutDataFileWritesNothing) {
  std::filesystem::remove(planner.DataFile);
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  user.Click(w.cmdSave);
  w.Dir1.SetPath(backups.Path());
  user.Click(w.cmdFile);
  EXPECT_EQ(Prompt(0), "Le fichier des données n'existe pas");
  EXPECT_TRUE(std::filesystem::is_empty(backups.Path()));
  EXPECT_TRUE(w.fraFile.Visible());
}

// A backup is refused, the data left as they are, when it holds no projects' term or is
// larger than the planner loads (sparse here, so that it takes no room).
TEST_F(SettingsDataOptionsTest, RestoreRefusesAFileWithoutAProjectsTermOrTooLargeToLoad) {
  const std::string dataBefore = ReadTextFile(planner.DataFile);
  store::Planner other;
  other.DataFile = backups / "vide.back";
  other.ActivityTerms[0] = "Cours";
  store::SaveParams(other);
  // The planner's own data, but past the size it loads.
  const std::string large = backups / "grand.back";
  std::filesystem::copy_file(planner.DataFile, large);
  ASSERT_EQ(::truncate(large.c_str(), platform::kMaxIniFileSize + 1), 0);
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  user.Click(w.cmdRestaure);
  EXPECT_EQ(w.cmdFile.Caption(), "Restaurer");
  EXPECT_TRUE(w.File1.Visible());
  EXPECT_EQ(w.File1.Top() + w.File1.Height(), w.Dir1.Top() + w.Dir1.Height());
  w.Dir1.SetPath(backups.Path());

  user.Click(w.cmdFile);
  EXPECT_EQ(Prompt(0), "Veuillez sélectionner un fichier de sauvegarde");
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"vide.back", "Le fichier " + other.DataFile + " ne correspond pas au format attendu"},
      {"grand.back", "Le fichier " + large + " n'a pas pu être restauré\nCause : fichier trop "
                     "volumineux : Quorvane ne charge pas de fichier de plus de 256 Mo"},
  };
  for (const auto& [backup, told] : cases) {
    SCOPED_TRACE(backup);
    user.Choose(w.File1, backup);
    user.Click(w.cmdFile);
    EXPECT_EQ(world.dialogs.shown.back().prompt, told);
    EXPECT_EQ(world.dialogs.shown.back().buttons, forms::kCritical);
    EXPECT_EQ(ReadTextFile(planner.DataFile), dataBefore);
    EXPECT_TRUE(w.fraFile.Visible());
  }
  EXPECT_EQ(programEnds, 0);
}

TEST_F(SettingsDataOptionsTest, RestoreReplacesTheDataFileAndEndsTheProgram) {
  store::Planner other;
  other.DataFile = backups / "20240503.back";
  other.ProjectTerms[0] = "Salles";
  store::SaveParams(other);
  // Its project numbers name the old data's projects.
  planner.UnsentCalendars = {0};
  ASSERT_EQ(store::WriteUnsentCalendars(planner), 0);
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  user.Click(w.cmdRestaure);
  w.Dir1.SetPath(backups.Path());
  user.Choose(w.File1, "20240503.back");
  user.Click(w.cmdFile);
  EXPECT_FALSE(std::filesystem::exists(store::UnsentCalendarsPath(planner)));

  EXPECT_EQ(Prompt(0),
            "Le fichier de sauvegarde a bien été restauré, vous devrez redémarrer le programme");
  EXPECT_EQ(programEnds, 1);
  EXPECT_EQ(ReadTextFile(planner.DataFile), ReadTextFile(other.DataFile));
  EXPECT_EQ(Stored("Projet"), "Salles");
}

TEST_F(SettingsDataOptionsTest, DeleteAllDataAsksFirst) {
  planner.UnsentCalendars = {0};
  ASSERT_EQ(store::WriteUnsentCalendars(planner), 0);
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  world.dialogs.msgBoxAnswers.push_back(forms::kNo);
  user.Click(w.cmdKill);
  EXPECT_EQ(Prompt(0), "Cette opération est irréversible, êtes-vous sûr de vouloir supprimer "
                       "toutes les données ?");
  EXPECT_TRUE(std::filesystem::exists(planner.DataFile));

  // Enter answers "Non".
  user.Click(w.cmdKill);
  EXPECT_EQ(world.dialogs.shown[1].buttons, forms::kYesNo + forms::kDefaultButton2);
  EXPECT_TRUE(std::filesystem::exists(planner.DataFile));

  world.dialogs.msgBoxAnswers.push_back(forms::kYes);
  user.Click(w.cmdKill);
  EXPECT_FALSE(std::filesystem::exists(planner.DataFile));
  EXPECT_FALSE(std::filesystem::exists(store::UnsentCalendarsPath(planner)));
  EXPECT_EQ(Prompt(3), "Les données ont été supprimées, vous devrez relancer le programme");
  EXPECT_EQ(programEnds, 1);
}

// A deletion the system refuses is told in French, and the program goes on.
TEST_F(SettingsDataOptionsTest, AFailedDeletionIsToldInFrench) {
  settings::frmTerminologie& w = Open();
  user.Click(w.lblDatas);
  std::filesystem::remove(planner.DataFile);
  std::filesystem::create_directories(planner.DataFile + "/dossier");
  world.dialogs.msgBoxAnswers.push_back(forms::kYes);
  user.Click(w.cmdKill);
  EXPECT_EQ(Prompt(1), "Les données n'ont pas pu être supprimées\n"
                       "Cause : le chemin désigne un dossier non vide et non un fichier");
  EXPECT_EQ(programEnds, 0);
}

TEST_F(SettingsDataOptionsTest, HelpImageShowsTheAboutWindowWithAClosingButton) {
  settings::frmTerminologie& w = Open();
  std::string button;
  world.eventLoop.modalScripts.push_back([&](forms::Form& about) {
    button = static_cast<settings::frmVersion&>(about).cmdUndo.Caption();
  });
  user.Click(w.imgInfo);
  EXPECT_EQ(world.eventLoop.modalForms, std::vector<std::string>{"frmVersion"});
  EXPECT_EQ(button, "Fermer");
  EXPECT_FALSE(w.Loaded());
}

TEST_F(SettingsDataOptionsTest, HelpImageShowsTheAboutWindowThenCloses) {
  settings::frmTerminologie& w = Open();
  bool hiddenMeanwhile = false;
  w.ShowAbout = [&] { hiddenMeanwhile = !w.Visible(); };
  user.Choose(w.cmbProj, "Lieux");
  user.Click(w.imgInfo);
  EXPECT_TRUE(hiddenMeanwhile);
  EXPECT_FALSE(w.Loaded());
  EXPECT_EQ(planner.ProjectTerms[0], "Lieux");
  EXPECT_EQ(Stored("Projet"), "Patients");
}

}  // namespace
