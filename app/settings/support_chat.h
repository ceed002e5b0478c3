// The address that opens the support chat in the browser with a message filled in.
#pragma once

#include <string>

#include "forms/forms.h"

namespace settings {

// The controls of a support-chat panel that depend on a support page being configured.
struct ChatPanel {
  forms::TextBox& message;
  forms::Shape& sendButton;
  forms::Label& send;
  forms::Label& unavailable;  // the notice shown in place of the message box
};

// Lays the notice out over the panel's message box, hidden: a build without a support
// page says so, as the settings dialog does for sharing.
void DesignChatUnavailable(forms::Label& notice);

// Shows the panel's message box and send button, or the notice where `supportPage` is
// empty; gives the message box the focus when it is shown.
void ShowChatPanel(const ChatPanel& panel, const std::string& supportPage);

// `supportPage` (the page that embeds the chat, such as "https://example.org/") followed by
// "?crisp_chat_open=1&crisp_message=" and the message percent-encoded as UTF-8, each line
// break as CR LF.
std::string SupportChatAddress(const std::string& supportPage, const std::string& message);

}  // namespace settings
