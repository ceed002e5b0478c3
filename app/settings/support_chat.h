// The address that opens the support chat in the browser with a message filled in.
#pragma once

#include <string>

namespace settings {

// `supportPage` (the page that embeds the chat, such as "https://example.org/") followed by
// "?crisp_chat_open=1&crisp_message=" and the message percent-encoded as UTF-8, each line
// break as CR LF.
std::string SupportChatAddress(const std::string& supportPage, const std::string& message);

}  // namespace settings
