#include "platform/user_identity.h"

#include <ifaddrs.h>
#include <net/if.h>
#include <net/if_arp.h>
#include <netpacket/packet.h>
#include <pwd.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace platform {
namespace {

std::string UpperAscii(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string FirstLine(const std::filesystem::path& path) {
  std::ifstream in(path);
  std::string line;
  std::getline(in, line);
  return line;
}

long NumberIn(const std::filesystem::path& path, int base) {
  const std::string text = FirstLine(path);
  if (text.empty()) return -1;
  try {
    return std::stol(text, nullptr, base);
  } catch (...) {
    return -1;
  }
}

std::vector<NetworkAdapter> AdaptersFromSysfs() {
  std::vector<NetworkAdapter> adapters;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator("/sys/class/net", error)) {
    const auto& dir = entry.path();
    NetworkAdapter adapter;
    adapter.Name = dir.filename().string();
    adapter.Index = static_cast<int>(NumberIn(dir / "ifindex", 10));
    const long flags = NumberIn(dir / "flags", 16);
    adapter.Up = flags >= 0 && (flags & IFF_UP) != 0;
    adapter.Loopback = flags >= 0 && (flags & IFF_LOOPBACK) != 0;
    adapter.Ethernet = NumberIn(dir / "type", 10) == ARPHRD_ETHER;
    adapter.Address = FirstLine(dir / "address");
    adapters.push_back(std::move(adapter));
  }
  return adapters;
}

std::vector<NetworkAdapter> AdaptersFromGetifaddrs() {
  std::vector<NetworkAdapter> adapters;
  ifaddrs* list = nullptr;
  if (getifaddrs(&list) != 0) return adapters;
  for (const ifaddrs* a = list; a != nullptr; a = a->ifa_next) {
    if (a->ifa_addr == nullptr || a->ifa_addr->sa_family != AF_PACKET) continue;
    const auto* link = reinterpret_cast<const sockaddr_ll*>(a->ifa_addr);
    NetworkAdapter adapter;
    adapter.Name = a->ifa_name;
    adapter.Index = link->sll_ifindex;
    adapter.Up = (a->ifa_flags & IFF_UP) != 0;
    adapter.Loopback = (a->ifa_flags & IFF_LOOPBACK) != 0;
    adapter.Ethernet = link->sll_hatype == ARPHRD_ETHER;
    static constexpr char kHex[] = "0123456789abcdef";
    for (int i = 0; i < link->sll_halen; ++i) {
      if (i > 0) adapter.Address += ':';
      adapter.Address += kHex[link->sll_addr[i] >> 4];
      adapter.Address += kHex[link->sll_addr[i] & 15];
    }
    adapters.push_back(std::move(adapter));
  }
  freeifaddrs(list);
  return adapters;
}

}  // namespace

std::string ComputerName(const Environment& environment) {
  if (auto name = environment("COMPUTERNAME")) return *name;
  char host[256] = {};
  if (gethostname(host, sizeof host - 1) != 0) return {};
  std::string name(host);
  return UpperAscii(name.substr(0, name.find('.')));
}

std::string UserName(const Environment& environment) {
  if (auto name = environment("USERNAME")) return *name;
  const passwd* entry = getpwuid(getuid());
  return entry != nullptr && entry->pw_name != nullptr ? entry->pw_name : "";
}

std::vector<NetworkAdapter> NetworkAdapters() {
  std::vector<NetworkAdapter> adapters = AdaptersFromSysfs();
  if (adapters.empty()) adapters = AdaptersFromGetifaddrs();
  std::sort(adapters.begin(), adapters.end(),
            [](const NetworkAdapter& a, const NetworkAdapter& b) { return a.Index < b.Index; });
  return adapters;
}

std::string FirstAdapterAddress(const std::vector<NetworkAdapter>& adapters) {
  for (const NetworkAdapter& adapter : adapters) {
    if (adapter.Up && !adapter.Loopback && adapter.Ethernet && !adapter.Address.empty()) {
      return UpperAscii(adapter.Address);
    }
  }
  return {};
}

}  // namespace platform
