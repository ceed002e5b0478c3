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

std::string SupportChatAddress(const std::string& supportPage, const std::string& message) {
  return supportPage + "?crisp_chat_open=1&crisp_message=" +
         store::UrlEncodeUtf8(WithCrLfBreaks(message));
}

}  // namespace settings
