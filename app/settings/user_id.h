// The user identifier: up to eight digits that name the files a workstation's user
// publishes, derived again at every start from the computer name, the user name and the
// first network adapter's address.
#pragma once

#include <string>
#include <string_view>

namespace settings {

// The identifier of this workstation's user.
std::string GetUserId();

// The address of the first enabled network adapter, "XX:XX:XX:XX:XX:XX"; the empty text
// when there is none.
std::string GetMacAddress();

// The identifier made of the first three characters of the computer name, the first three
// of the user name and the first two of the address: each character gives the first digit
// of its Windows-1252 code.
std::string UserIdFrom(std::string_view computerName, std::string_view userName,
                       std::string_view macAddress);

}  // namespace settings
