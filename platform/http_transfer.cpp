#include "platform/http_transfer.h"

#include <curl/curl.h>

#include <cctype>
#include <mutex>
#include <string_view>

namespace platform {

struct HttpTransfer::Curl {
  CURLM* multi = nullptr;
  CURL* easy = nullptr;
  bool running = false;
  // Where the body goes while it arrives.
  std::string* body = nullptr;
  std::size_t maxBytes = 0;
  bool tooLong = false;

  ~Curl() {
    if (easy) {
      curl_multi_remove_handle(multi, easy);
      curl_easy_cleanup(easy);
    }
    if (multi) curl_multi_cleanup(multi);
  }
};

namespace {

constexpr const char* kTooLong = "la réponse du serveur est trop longue";

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* user) {
  auto* curl = static_cast<HttpTransfer::Curl*>(user);
  const std::size_t bytes = size * count;
  if (curl->body->size() + bytes > curl->maxBytes) {
    curl->tooLong = true;
    return 0;  // ends the transfer with a write error
  }
  curl->body->append(data, bytes);
  return bytes;
}

// Why a transfer failed, told in French as the user reads it: the common causes in words,
// the others by their number.
std::string FailureText(CURLcode result) {
  switch (result) {
    case CURLE_COULDNT_CONNECT:
      return "impossible de se connecter au serveur";
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
      return "le serveur est introuvable";
    case CURLE_OPERATION_TIMEDOUT:
      return "le serveur n'a pas répondu à temps";
    case CURLE_FILESIZE_EXCEEDED:
      return kTooLong;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
      return "la connexion sécurisée avec le serveur n'a pas pu être établie";
    default:
      return "le transfert a échoué (erreur " + std::to_string(result) + ")";
  }
}

}  // namespace

bool IsHttpsUrl(const std::string& url) {
  constexpr std::string_view kScheme = "https:";
  if (url.size() < kScheme.size()) return false;
  for (std::size_t i = 0; i < kScheme.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(url[i])) != kScheme[i]) return false;
  }
  return true;
}

HttpTransfer::HttpTransfer() : curl_(std::make_unique<Curl>()) {
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
  curl_->multi = curl_multi_init();
}

HttpTransfer::~HttpTransfer() = default;

bool HttpTransfer::Start(const std::string& url, const HttpLimits& limits) {
  if (url.empty() || StillExecuting() || !curl_->multi) return false;
  if (curl_->easy) {
    curl_multi_remove_handle(curl_->multi, curl_->easy);
    curl_easy_cleanup(curl_->easy);
  }
  curl_->easy = curl_easy_init();
  if (!curl_->easy) return false;

  body_.clear();
  error_.clear();
  succeeded_ = false;
  curl_->body = &body_;
  curl_->maxBytes = limits.MaxBytes;
  curl_->tooLong = false;

  CURL* easy = curl_->easy;
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
  // A transfer begun over https never follows a redirect down to plain http: what it
  // fetches may be an installer that the program then starts.
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, IsHttpsUrl(url) ? "https" : "http,https");
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, static_cast<long>(limits.ConnectTimeoutSeconds));
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, static_cast<long>(limits.StallTimeoutSeconds));
  curl_easy_setopt(easy, CURLOPT_TIMEOUT, static_cast<long>(limits.TotalTimeoutSeconds));
  curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.MaxBytes));
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, Collect);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, curl_.get());
  if (curl_multi_add_handle(curl_->multi, easy) != CURLM_OK) {
    error_ = "le transfert n'a pas pu commencer";
    return false;
  }
  curl_->running = true;
  return true;
}

bool HttpTransfer::StillExecuting() const { return curl_->running; }

bool HttpTransfer::Step(int waitMilliseconds) {
  if (!curl_->running) return false;
  int active = 0;
  curl_multi_perform(curl_->multi, &active);
  if (active > 0) {
    curl_multi_poll(curl_->multi, nullptr, 0, waitMilliseconds, nullptr);
    curl_multi_perform(curl_->multi, &active);
  }
  if (active == 0) Finish();
  return curl_->running;
}

void HttpTransfer::Finish() {
  curl_->running = false;
  CURLcode result = CURLE_FAILED_INIT;
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(curl_->multi, &queued)) {
    if (message->msg == CURLMSG_DONE && message->easy_handle == curl_->easy)
      result = message->data.result;
  }
  long status = 0;
  curl_easy_getinfo(curl_->easy, CURLINFO_RESPONSE_CODE, &status);
  if (result != CURLE_OK) {
    error_ = curl_->tooLong ? kTooLong : FailureText(result);
  } else if (status < 200 || status > 299) {
    error_ = "le serveur a répondu par une erreur (statut " + std::to_string(status) + ")";
  } else {
    succeeded_ = true;
    return;
  }
  body_.clear();
}

}  // namespace platform
