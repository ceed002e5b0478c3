// The support-chat panel: a message typed in the window opens the support page in the
// browser with the message in its address; a build without a support page says the chat
// is not available.
#include "app/mainwindow/frmMain.h"
#include "app/settings/support_chat.h"

namespace mainwindow {

void frmMain::imgCrisp_Click() {
  fraCrisp.Move(fraTitre.Left() + fraTitre.Width() - fraCrisp.Width() - 1000, 1000);
  fraCrisp.SetVisible(true);
  settings::ShowChatPanel({txtMessage, Shape4, lblSend, lblChatUnavailable}, SupportPage);
}

void frmMain::lblClose_Click() { fraCrisp.SetVisible(false); }

void frmMain::lblSend_Click() {
  if (!SupportPage.empty())
    services_.shell.Open(settings::SupportChatAddress(SupportPage, txtMessage.Text()));
  txtMessage.SetText("");
  fraCrisp.SetVisible(false);
}

}  // namespace mainwindow
