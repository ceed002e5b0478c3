// Sending a file to an FTP server.
#pragma once

#include <string>

#include <endpoints.h>

namespace platform {

// The server and account a file is sent to; the defaults are the ones the program was
// configured with.  An empty server means nothing is ever sent.
struct FtpAccount {
  std::string Server = endpoints::kFtpServer;
  int Port = DefaultFtpPort();
  std::string User = endpoints::kFtpUser;
  std::string Password = endpoints::kFtpPassword;
  // A server that does not answer, or a transfer that stalls, gives up after these.
  int ConnectTimeoutSeconds = 5;
  int StallTimeoutSeconds = 5;

  static int DefaultFtpPort();
};

// Sends the local file in binary under `remotePath`, relative to the account's home
// folder (the folders must exist).  True when the server has stored the whole file.
bool FtpUploadFile(const std::string& localPath, const std::string& remotePath,
                   const FtpAccount& account = {});

}  // namespace platform
