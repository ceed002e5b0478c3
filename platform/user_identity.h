// The computer name, the user name and the network adapter address that identify the
// workstation's user.
#pragma once

#include <string>
#include <vector>

#include "platform/environment.h"

namespace platform {

struct NetworkAdapter {
  std::string Name;
  int Index = 0;  // the kernel's interface index, which orders the adapters
  bool Up = false;
  bool Loopback = false;
  bool Ethernet = false;
  std::string Address;  // "xx:xx:xx:xx:xx:xx" as the system gives it
};

// COMPUTERNAME when set, else the host name up to its first dot, in upper case.
std::string ComputerName(const Environment& environment);
// USERNAME when set, else the login name of the process's user.
std::string UserName(const Environment& environment);

// The system's network adapters in interface index order.
std::vector<NetworkAdapter> NetworkAdapters();
// The address of the first adapter that is up, not a loopback and Ethernet, in upper case;
// the empty text when there is none.
std::string FirstAdapterAddress(const std::vector<NetworkAdapter>& adapters);

}  // namespace platform
