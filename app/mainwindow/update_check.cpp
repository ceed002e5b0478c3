// The update check: the version announced at start-up, the offer of a newer one, and the
// download and start of its installer.
#include <sys/stat.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <string>

#include "app/mainwindow/frmMain.h"
#include "app/settings/program_version.h"
#include "platform/temp_folder.h"
#include "runtime/text.h"

namespace mainwindow {

namespace {

constexpr int kTransferError = 11;
constexpr int kReplyComplete = 12;
constexpr int kVersionStepMilliseconds = 50;

constexpr const char* kNewVersionQuestion =
    "Une nouvelle version de Quorvane est disponible, voulez-vous l'installer maintenant ?";

// The version's numbers joined without separator: 1.2.15 gives 1215.
long long JoinedVersion(settings::ProgramVersion version) {
  return std::stoll(std::to_string(version.major) + std::to_string(version.minor) +
                    std::to_string(version.revision));
}

// A failed step of the download, shown to the user with its description.
struct DownloadError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

}  // namespace

std::string InstallerUrlOn(std::string site) {
  if (!platform::IsHttpsUrl(site)) return {};
  while (!site.empty() && site.back() == '/') site.pop_back();
  return site + "/download/Quorvane.exe";
}

std::string DefaultInstallerUrl() { return InstallerUrlOn(endpoints::kProductUrl); }

platform::HttpLimits frmMain::InstallerLimits() {
  platform::HttpLimits limits;
  limits.StallTimeoutSeconds = 30;
  limits.TotalTimeoutSeconds = 30 * 60;
  limits.MaxBytes = std::size_t{1} << 30;
  return limits;
}

void frmMain::StartVersionRequest() {
  if (!Inet1.Start(VersionUrl, VersionLimits)) return;
  services_.eventLoop.Repeat(kVersionStepMilliseconds,
                             [this, alive = std::weak_ptr<const bool>(alive_)] {
                               return !alive.expired() && VersionRequestStep();
                             });
}

bool frmMain::VersionRequestStep() {
  if (Inet1.Step(0)) return true;
  Inet1_StateChanged(Inet1.Succeeded() ? kReplyComplete : kTransferError);
  OfferNewerVersion();
  return false;
}

void frmMain::Inet1_StateChanged(int state) {
  if (state != kReplyComplete) return;
  const std::string& reply = Inet1.Body();
  if (runtime::Left(reply, 4) != "Auto") return;
  const int found = runtime::InStr(reply, "Version");
  if (found > 0) NewestVersion = runtime::Mid(reply, found + 7, 4);
}

void frmMain::OfferNewerVersion() {
  // Without an installer address there is nothing to install.
  if (NewestVersion.empty() || InstallerUrl.empty()) return;
  NewestVersion = runtime::Replace(runtime::Replace(NewestVersion, ".", ""), ",", "");
  // Compared as whole numbers, so that a long version number cannot overflow.
  const std::optional<long long> newest = runtime::ParseInteger(NewestVersion);
  if (!newest || *newest <= JoinedVersion(settings::kProgramVersion)) return;
  if (services_.dialogs.MsgBox(kNewVersionQuestion, forms::kYesNo) == forms::kYes)
    DownloadUpdate("", false);
}

void frmMain::WaitWhileInetExecuting() {
  while (Inet1.StillExecuting()) {
    Inet1.Step();
    services_.eventLoop.DoEvents();
  }
}

void frmMain::DownloadUpdate(const std::string& address, bool keepRunning) {
  const std::string url = address.empty() ? InstallerUrl : address;
  std::filesystem::path localFile;
  try {
    // An installer is a program the user will run: never fetched in the clear.
    if (!platform::IsHttpsUrl(url))
      throw DownloadError("Le téléchargement est refusé, son adresse n'est pas sécurisée "
                          "(https) : " + url);
    const std::optional<std::filesystem::path> folder = platform::PrivateTempFolder(Environment);
    if (!folder) throw DownloadError("Aucun dossier temporaire privé n'est disponible.");
    const std::string name = url.substr(url.rfind('/') + 1);
    if (name.empty() || name == "." || name == "..")
      throw DownloadError("L'adresse du téléchargement ne nomme aucun fichier : " + url);
    localFile = *folder / name;
    std::error_code ignored;
    std::filesystem::remove(localFile, ignored);

    WaitWhileInetExecuting();
    if (!Inet1.Start(url, DownloadLimits))
      throw DownloadError("Le téléchargement n'a pas pu commencer : " + url);
    WaitWhileInetExecuting();
    if (!Inet1.Succeeded())
      throw DownloadError("Le téléchargement a échoué : " + Inet1.ErrorText() + ".");

    {
      std::ofstream file(localFile, std::ios::binary | std::ios::trunc);
      file.write(Inet1.Body().data(), static_cast<std::streamsize>(Inet1.Body().size()));
      file.close();
      if (!file)
        throw DownloadError("Le programme d'installation n'a pas pu être écrit : " +
                            localFile.string());
    }
    // Started as a program, it must be executable (by its owner only, in a private folder).
    ::chmod(localFile.c_str(), S_IRWXU);
  } catch (const std::exception& error) {
    std::error_code ignored;
    if (!localFile.empty()) std::filesystem::remove(localFile, ignored);
    services_.dialogs.MsgBox(error.what(), forms::kOKOnly, "Quorvane");
    return;
  }
  services_.shell.Open(localFile.string(), {"/SILENT"}, planner_.DataFolder);
  if (!keepRunning) EndProgram();
}

}  // namespace mainwindow
