#include "app/settings/support_chat.h"

#include "app/store/url.h"

namespace settings {

namespace {

// Typed line breaks are a bare LF here; the chat receives each as CR LF.
std::string WithCrLfBreaks(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) result.push_back('\r');
    result.push_back(text[i]);
  }
  return result;
}

}  // namespace

void DesignChatUnavailable(forms::Label& notice) {
  notice.Move(300, 1200, 4095, 600);  // across the middle of the message box
  notice.SetCaption("Le chat en ligne n'est pas disponible dans cette version.");
  notice.SetFont({"MS Sans Serif", 9.75});
  notice.SetAlignment(forms::kAlignCenter);
  notice.SetWordWrap(true);
  notice.SetBackStyle(forms::kTransparent);
  notice.SetVisible(false);
}

void ShowChatPanel(const ChatPanel& panel, const std::string& supportPage) {
  const bool available = !supportPage.empty();
  panel.message.SetVisible(available);
  panel.sendButton.SetVisible(available);
  panel.send.SetVisible(available);
  panel.unavailable.SetVisible(!available);
  if (available) panel.message.SetFocus();
}

std::string SupportChatAddress(const std::string& supportPage, const std::string& message) {
  return supportPage + "?crisp_chat_open=1&crisp_message=" +
         store::UrlEncodeUtf8(WithCrLfBreaks(message));
}

}  // namespace settings
