#include "app/store/startup.h"

#include <unistd.h>

#include <cerrno>
#include <ctime>
#include <filesystem>

#include "app/store/damaged_data_file.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/record_sections.h"
#include "app/store/records.h"
#include "app/store/system_error_text.h"
#include "app/store/terminology.h"
#include "app/store/unfinished_backup.h"
#include "app/store/unsent_calendars_file.h"
#include "platform/atomic_file.h"
#include "platform/data_folder.h"
#include "platform/ini_file.h"

namespace store {

namespace {

bool IsWriteRefusal(int error) { return error == EACCES || error == EPERM || error == EROFS; }

// The errno that tells why `folder` cannot be written to; 0 when it can.
int WriteRefusalOf(const std::string& folder) {
  return ::access(folder.c_str(), W_OK) == 0 ? 0 : errno;
}

// Two planners on one data file, whichever folder they reach it from, would each write
// over the other's changes.  A run that cannot write the folder of the file writes nothing:
// it holds no lock, which would refuse the start of an account that may write there.
bool TakeDataFile(Planner& planner, StartupServices& services) {
  const int error = planner.FileLock.Take(OpenedDataFile(planner));
  // Before the lock file is known, the failure lies on the way to the data file.
  const std::string& lockFile = planner.FileLock.LockFile();
  const int folderReadOnly = !lockFile.empty() && (error == 0 || IsWriteRefusal(error))
                                 ? WriteRefusalOf(std::filesystem::path(lockFile).parent_path())
                                 : 0;
  // A data file its owner made read-only is kept as a read-only folder keeps it.
  const int fileReadOnly = folderReadOnly == 0 && (error == 0 || IsWriteRefusal(error))
                               ? platform::FileWriteRefusal(OpenedDataFile(planner))
                               : 0;
  if (folderReadOnly != 0 || fileReadOnly != 0) {
    planner.FileLock = platform::DataFileLock();
    planner.ReadOnlyCause = folderReadOnly != 0 ? folderReadOnly : fileReadOnly;
    services.ShowDataFileNotice(ReadOnlyNotice(planner, folderReadOnly == 0));
    return true;
  }
  if (error == 0) return true;
  if (error == EWOULDBLOCK) {
    services.ShowStartupFailure(
        "Quorvane est déjà ouvert sur ce fichier de données :\n" + planner.DataFile +
        "\nUtilisez la fenêtre déjà ouverte.\nLe programme va se fermer.");
  } else if (error == ELOOP && !lockFile.empty()) {
    services.ShowStartupFailure(
        "Le fichier de données n'a pas pu être réservé : son fichier de verrouillage est un "
        "lien symbolique.\n" + lockFile +
        "\nSupprimez ce lien, puis relancez Quorvane.\nLe programme va se fermer.");
  } else {
    services.ShowStartupFailure(
        (lockFile.empty() ? "Le fichier de données n'a pas pu être réservé :\n" + planner.DataFile
                          : "Le fichier de données n'a pas pu être réservé par son fichier de "
                            "verrouillage :\n" + lockFile) +
        "\nCause : " + SystemErrorText(error) + "\nLe programme va se fermer.");
  }
  return false;
}

void RefuseDataFile(const Planner& planner, StartupServices& services,
                    const std::string& cause) {
  services.ShowStartupFailure("Le fichier de données ne peut pas être lu :\n" +
                              planner.DataFile + "\nCause : " + cause +
                              "\nLe programme va se fermer sans rien y écrire.");
}

// A file that reads, but whose first change would write the planner's data into something
// else.
void RefuseForeignFile(const Planner& planner, StartupServices& services,
                       const std::string& why) {
  services.ShowStartupFailure("Le fichier de données n'est pas celui de Quorvane :\n" +
                              planner.DataFile + "\n" + why +
                              "\nLe programme va se fermer sans rien y écrire.");
}

void FillEmptyPlural(Terms& terms, const char* plural) {
  if (terms[0].empty()) terms[0] = plural;
}

}  // namespace

bool Main(Planner& planner, StartupServices& services) {
  planner.DataFolder = platform::DataFolderPath();
  // Without a folder it can write to the program would lose every change.
  if (int error = platform::MakeWritableFolder(planner.DataFolder)) {
    services.ShowStartupFailure(
        "Le dossier des données n'a pas pu être créé ou n'est pas accessible en écriture :\n" +
        planner.DataFolder + "\nCause : " + SystemErrorText(error) +
        "\nLe programme va se fermer.");
    return false;
  }
  planner.DataFile = planner.DataFolder + "/data";
  planner.DataFileOpened = planner.DataFile;
  platform::ResolveLinks(planner.DataFileOpened);
  // Taken for a first run, an unreadable file would be replaced by the first change.
  int error = 0;
  const auto data = platform::ReadIniFile(OpenedDataFile(planner), error);
  if (error != 0) {
    RefuseDataFile(planner, services, UnloadableFileCause(error));
    return false;
  }
  // The first change replaces the file that a link leads to: right for a data file, not for
  // whatever else a link may lead to (a system file, when run by root).
  std::error_code ignored;
  const bool cutInItsFirstLine = IsCutPlannerHeader(data->Text());
  if (std::filesystem::is_symlink(std::filesystem::symlink_status(planner.DataFile, ignored)) &&
      ReadsNoValue(data->Text()) && !cutInItsFirstLine) {
    // Nor does a link that leads nowhere: the first change would create a file where it points.
    if (std::filesystem::exists(planner.DataFile, ignored)) {
      RefuseForeignFile(planner, services,
                        "C'est un lien vers un fichier dont aucune ligne n'est une donnée de "
                        "Quorvane.");
    } else {
      RefuseDataFile(planner, services, "le chemin est un lien vers un fichier qui n'existe pas");
    }
    return false;
  }
  // Another program's file, reached through a link or put in the folder, would get the
  // planner's sections at the first change.
  if (data->SectionCount() > 0 && !HoldsPlannerSection(*data) && !cutInItsFirstLine) {
    RefuseForeignFile(planner, services,
                      "Il ne contient aucune section de Quorvane : c'est sans doute le fichier "
                      "d'un autre programme.");
    return false;
  }
  if (!TakeDataFile(planner, services)) return false;
  if (planner.ReadOnlyCause == 0) platform::RemoveInterruptedWrites(OpenedDataFile(planner));
  const DataFileCheck check = CheckDataFile(planner, std::time(nullptr));
  if (check.refusal) {
    RefuseDataFile(planner, services, *check.refusal);
    return false;
  }
  if (check.notice) services.ShowDataFileNotice(*check.notice);
  HoldDataFile(planner);

  LoadResources(planner);
  LoadActivities(planner);
  LoadCategories(planner);
  LoadParams(planner);
  if (auto notice = ReadUnsentCalendars(planner)) services.ShowDataFileNotice(*notice);
  RemoveUnfinishedBackup(planner);
  ApplyTerminology(planner);

  planner.WindowsTimeZone = services.GetWindowsTimeZoneName();
  planner.IanaTimeZone = services.WindowsToIanaTimeZone(planner.WindowsTimeZone);
  planner.UserId = services.GetUserId();

  services.LoadMainForm();
  services.SetDefaultMousePointer();

  planner.ShareLink = ReadDataValue(planner, kParamSection, "Synchro");

  if (planner.ProjectTerms[0].empty() && planner.ActivityTerms[0].empty() &&
      planner.ResourceTerms[0].empty()) {
    services.ShowSettingsDialog();
  }
  // In memory only: the data file keeps the empty plural until the user chooses one.
  FillEmptyPlural(planner.ProjectTerms, kDefaultProjectPlural);
  FillEmptyPlural(planner.ActivityTerms, kDefaultActivityPlural);
  FillEmptyPlural(planner.ResourceTerms, kDefaultResourcePlural);
  ApplyTerminology(planner);

  services.InitMainForm();
  // Asked once the window is up, so that a slow server never holds it back.
  services.StartVersionRequest();
  return true;
}

}  // namespace store
