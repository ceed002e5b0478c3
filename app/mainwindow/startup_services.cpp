#include "app/mainwindow/startup_services.h"

#include "app/export/agenda_export.h"
#include "app/settings/frmTerminologie.h"
#include "app/settings/time_zone_names.h"
#include "app/settings/user_id.h"

namespace mainwindow {

MainWindowStartup::MainWindowStartup(store::Planner& planner, forms::Services services,
                                     std::function<void(frmMain&)> onLoaded)
    : planner_(planner), services_(services), onLoaded_(std::move(onLoaded)) {
  planner_.ShowWriteFailure = [dialogs = &services_.dialogs](const std::string& message) {
    dialogs->MsgBox(message, forms::kExclamation);
  };
}

void MainWindowStartup::ShowStartupFailure(const std::string& message) {
  services_.dialogs.MsgBox(message, forms::kCritical);
}

void MainWindowStartup::ShowDataFileNotice(const std::string& message) {
  services_.dialogs.MsgBox(message, forms::kExclamation);
}

std::string MainWindowStartup::GetWindowsTimeZoneName() {
  return settings::GetWindowsTimeZoneName();
}

std::string MainWindowStartup::WindowsToIanaTimeZone(const std::string& windowsName) {
  return settings::WindowsToIanaTimeZone(windowsName);
}

std::string MainWindowStartup::GetUserId() { return settings::GetUserId(); }

void MainWindowStartup::LoadMainForm() {
  form_ = std::make_unique<frmMain>(planner_, services_);
  form_->ExportPdf = [this] {
    agendaexport::WritePDF(*form_, planner_.DataFolder, services_.dialogs, services_.shell);
  };
  form_->ShowSettings = [this] { ShowSettingsDialog(); };
  if (onLoaded_) onLoaded_(*form_);
  form_->LoadForm();
}

void MainWindowStartup::StartVersionRequest() { form_->StartVersionRequest(); }

void MainWindowStartup::SetDefaultMousePointer() {
  services_.screen.SetMousePointer(forms::kDefaultPointer);
}

void MainWindowStartup::ShowSettingsDialog() {
  settings::frmTerminologie dialog(planner_, services_);
  services_.eventLoop.ShowModal(dialog);
}

void MainWindowStartup::InitMainForm() { form_->InitMainForm(); }

}  // namespace mainwindow
