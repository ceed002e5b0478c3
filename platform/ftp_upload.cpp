#include "platform/ftp_upload.h"

#include <curl/curl.h>

#include <cstdio>
#include <memory>
#include <mutex>

#include "runtime/text.h"

namespace platform {
namespace {

struct CurlDeleter {
  void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
  void operator()(CURLU* url) const { curl_url_cleanup(url); }
  void operator()(std::FILE* file) const { std::fclose(file); }
};

template <typename T>
using Owned = std::unique_ptr<T, CurlDeleter>;

// ftp://server:port/remotePath, the path percent-encoded where needed.
std::string UploadUrl(const FtpAccount& account, const std::string& remotePath) {
  Owned<CURLU> url(curl_url());
  if (!url) return {};
  const std::string port = std::to_string(account.Port);
  if (curl_url_set(url.get(), CURLUPART_SCHEME, "ftp", 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_HOST, account.Server.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_PORT, port.c_str(), 0) != CURLUE_OK ||
      curl_url_set(url.get(), CURLUPART_PATH, ("/" + remotePath).c_str(), CURLU_URLENCODE) !=
          CURLUE_OK) {
    return {};
  }
  char* text = nullptr;
  if (curl_url_get(url.get(), CURLUPART_URL, &text, 0) != CURLUE_OK) return {};
  std::string result(text);
  curl_free(text);
  return result;
}

}  // namespace

int FtpAccount::DefaultFtpPort() {
  const auto port = runtime::ParseInteger(endpoints::kFtpPort);
  return port && *port > 0 && *port < 65536 ? static_cast<int>(*port) : 21;
}

bool FtpUploadFile(const std::string& localPath, const std::string& remotePath,
                   const FtpAccount& account) {
  if (account.Server.empty()) return false;
  static std::once_flag initialised;
  std::call_once(initialised, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });

  Owned<std::FILE> file(std::fopen(localPath.c_str(), "rb"));
  if (!file) return false;
  if (std::fseek(file.get(), 0, SEEK_END) != 0) return false;
  const long size = std::ftell(file.get());
  if (size < 0 || std::fseek(file.get(), 0, SEEK_SET) != 0) return false;

  const std::string url = UploadUrl(account, remotePath);
  Owned<CURL> curl(curl_easy_init());
  if (url.empty() || !curl) return false;
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "ftp");
  curl_easy_setopt(c, CURLOPT_USERNAME, account.User.c_str());
  curl_easy_setopt(c, CURLOPT_PASSWORD, account.Password.c_str());
  curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(c, CURLOPT_READDATA, file.get());
  curl_easy_setopt(c, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  curl_easy_setopt(c, CURLOPT_TRANSFERTEXT, 0L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, static_cast<long>(account.ConnectTimeoutSeconds));
  curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT,
                   static_cast<long>(account.StallTimeoutSeconds));
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, static_cast<long>(account.StallTimeoutSeconds));
  return curl_easy_perform(c) == CURLE_OK;
}

}  // namespace platform
