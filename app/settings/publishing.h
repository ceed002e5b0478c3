// Where the sharing exports write their files and where they send them.
#pragma once

#include <endpoints.h>

#include <filesystem>
#include <string>

#include "platform/ftp_upload.h"

namespace settings {

// The host of an address given with or without its scheme and final slash.
std::string HostOf(std::string address);

struct Publishing {
  platform::FtpAccount Account;               // defaults: the configured FTP server
  std::string WebHost = endpoints::kWebHost;  // names the server folder of the calendars
  // The product web site's host, which the share link the user hands out starts with.
  std::string ProductHost = HostOf(endpoints::kProductUrl);
  std::filesystem::path Folder;  // empty: the user's private temporary folder
};

// Whether sharing is available in this build: it names a server to send the shared files
// to, the web host that shows them and the product host of the link that leads to them.
// Without all three the settings dialog offers no sharing, and a link stored by another
// build publishes nothing.
bool CanPublish(const Publishing& publishing);

// "sites/<web host>/cal_users/<remote name>".
std::string RemotePath(const std::string& webHost, const std::string& remoteName);

// Sends a written file into the server's calendar folder; true when it arrived.  Nothing
// is sent while the server or the web host is not configured.
bool PublishFile(const std::string& localPath, const std::string& remoteName,
                 const Publishing& publishing);

// Writes a file to publish into the publishing folder; its path, or the empty text when
// the folder or the file cannot be written or `fileName` is not a plain file name.
std::string SavePublishedFile(const std::string& fileName, const std::string& bytes,
                              const Publishing& publishing);

// Writes `bytes` as `fileName` and sends the file; writes nothing where there is no server
// to send it to.  False when the file could not be written or did not reach the server.
bool Publish(const std::string& fileName, const std::string& bytes,
             const Publishing& publishing);

}  // namespace settings
