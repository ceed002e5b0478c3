#include "app/settings/publishing.h"

#include "platform/atomic_file.h"
#include "platform/temp_folder.h"

namespace settings {

std::string HostOf(std::string address) {
  if (const auto scheme = address.find("://"); scheme != std::string::npos)
    address.erase(0, scheme + 3);
  while (!address.empty() && address.back() == '/') address.pop_back();
  return address;
}

bool CanPublish(const Publishing& publishing) {
  return !publishing.Account.Server.empty() && !publishing.WebHost.empty() &&
         !publishing.ProductHost.empty();
}

std::string RemotePath(const std::string& webHost, const std::string& remoteName) {
  return "sites/" + webHost + "/cal_users/" + remoteName;
}

bool PublishFile(const std::string& localPath, const std::string& remoteName,
                 const Publishing& publishing) {
  if (!CanPublish(publishing)) return false;
  return platform::FtpUploadFile(localPath, RemotePath(publishing.WebHost, remoteName),
                                 publishing.Account);
}

std::string SavePublishedFile(const std::string& fileName, const std::string& bytes,
                              const Publishing& publishing) {
  // The name is built from the user identifier: it must stay a name inside the folder.
  if (fileName.empty() || fileName == "." || fileName == ".." ||
      fileName.find('/') != std::string::npos) {
    return {};
  }
  std::filesystem::path folder = publishing.Folder;
  if (folder.empty()) {
    const auto temp = platform::PrivateTempFolder(platform::SystemEnvironment());
    if (!temp) return {};
    folder = *temp;
  }
  const std::filesystem::path path = folder / fileName;
  return platform::ReplaceFileContents(path.string(), bytes) == 0 ? path.string() : std::string();
}

bool Publish(const std::string& fileName, const std::string& bytes,
             const Publishing& publishing) {
  if (!CanPublish(publishing)) return true;
  const std::string path = SavePublishedFile(fileName, bytes, publishing);
  return !path.empty() && PublishFile(path, fileName, publishing);
}

}  // namespace settings
