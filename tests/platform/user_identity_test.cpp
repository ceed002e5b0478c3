#include "platform/user_identity.h"

#include <gtest/gtest.h>

#include "platform/environment_of.h"

namespace {

TEST(UserIdentity, NamesComeFromTheVariablesWhenSet) {
  const auto environment = EnvironmentOf({{"COMPUTERNAME", "PC-OFFICE"}, {"USERNAME", "anna"}});
  EXPECT_EQ(platform::ComputerName(environment), "PC-OFFICE");
  EXPECT_EQ(platform::UserName(environment), "anna");
  // Else the host and login names, the host name short and in upper case.
  const std::string host = platform::ComputerName(EnvironmentOf({}));
  EXPECT_FALSE(host.empty());
  EXPECT_EQ(host.find('.'), std::string::npos);
  for (char c : host) EXPECT_FALSE(c >= 'a' && c <= 'z') << host;
  EXPECT_FALSE(platform::UserName(EnvironmentOf({})).empty());
}

TEST(UserIdentity, TheFirstUpEthernetAdapterGivesTheAddressInUpperCase) {
  std::vector<platform::NetworkAdapter> adapters = {
      {"lo", 1, true, true, false, "00:00:00:00:00:00"},
      {"eth0", 2, false, false, true, "aa:bb:cc:00:00:01"},
      {"wg0", 3, true, false, false, ""},
      {"eth1", 4, true, false, true, "0a:1b:2c:3d:4e:5f"},
      {"eth2", 5, true, false, true, "ff:ff:ff:ff:ff:ff"},
  };
  EXPECT_EQ(platform::FirstAdapterAddress(adapters), "0A:1B:2C:3D:4E:5F");
  adapters.erase(adapters.begin() + 3, adapters.end());
  EXPECT_EQ(platform::FirstAdapterAddress(adapters), "");
}

TEST(UserIdentity, TheSystemListsItsAdaptersInIndexOrder) {
  const auto adapters = platform::NetworkAdapters();
  for (size_t i = 1; i < adapters.size(); ++i) EXPECT_LT(adapters[i - 1].Index, adapters[i].Index);
  for (const auto& adapter : adapters) {
    if (adapter.Loopback) {
      EXPECT_FALSE(adapter.Ethernet) << adapter.Name;
    }
  }
}

}  // namespace
