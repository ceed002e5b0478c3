// Publishing to the test FTP server (platform/ftp_test_server.h) on 127.0.0.1.
#pragma once

#include <filesystem>
#include <string>

#include "app/settings/publishing.h"

inline constexpr const char* kTestFtpUser = "planner";
inline constexpr const char* kTestFtpPassword = "Qx84-Lm!rTa7#Wz";

// The account on `port`, the web host "cal.example", the files written in `folder`.
inline settings::Publishing TestPublishing(int port, const std::filesystem::path& folder) {
  settings::Publishing publishing;
  publishing.Account.Server = "127.0.0.1";
  publishing.Account.Port = port;
  publishing.Account.User = kTestFtpUser;
  publishing.Account.Password = kTestFtpPassword;
  publishing.Account.ConnectTimeoutSeconds = 2;
  publishing.Account.StallTimeoutSeconds = 2;
  publishing.WebHost = "cal.example";
  publishing.ProductHost = "www.example";
  publishing.Folder = folder;
  std::filesystem::create_directories(folder);
  return publishing;
}
