// An HTTP GET that runs in small steps, so that the window's event loop keeps turning while
// the reply comes in.
#pragma once

#include <cstddef>
#include <memory>
#include <string>

namespace platform {

// Whether `url` names an https address, whatever the letter case of its scheme.
bool IsHttpsUrl(const std::string& url);

struct HttpLimits {
  // A server that does not answer, a reply that stalls, or a transfer that lasts too long
  // gives up after these.
  int ConnectTimeoutSeconds = 5;
  int StallTimeoutSeconds = 5;
  int TotalTimeoutSeconds = 60;
  // A longer reply is refused rather than kept in memory.
  std::size_t MaxBytes = std::size_t{1} << 20;
};

class HttpTransfer {
 public:
  HttpTransfer();
  ~HttpTransfer();
  HttpTransfer(const HttpTransfer&) = delete;
  HttpTransfer& operator=(const HttpTransfer&) = delete;

  // Starts a GET of the http or https address.  False, and nothing started, when the
  // address is empty or a transfer is still executing.
  bool Start(const std::string& url, const HttpLimits& limits = {});
  // True while a transfer is under way.
  bool StillExecuting() const;
  // Moves the transfer on, waiting at most `waitMilliseconds` for the network; true while
  // it is still executing afterwards.
  bool Step(int waitMilliseconds = 20);

  // The outcome of the last finished transfer: complete with a 2xx status, and its body.
  bool Succeeded() const { return succeeded_; }
  const std::string& Body() const { return body_; }
  // What went wrong, for a transfer that did not succeed: a French clause to show the user
  // after "échoué :", such as "impossible de se connecter au serveur".
  const std::string& ErrorText() const { return error_; }

  struct Curl;

 private:
  void Finish();

  std::unique_ptr<Curl> curl_;
  bool succeeded_ = false;
  std::string body_;
  std::string error_;
};

}  // namespace platform
