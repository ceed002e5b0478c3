#include "app/settings/user_id.h"

#include "platform/user_identity.h"
#include "runtime/text.h"

namespace settings {
namespace {

// The characters that Windows-1252 places at 128 to 159.
bool IsWindows1252Extra(char32_t c) {
  static constexpr char32_t kExtras[] = {
      0x20AC, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030,
      0x0160, 0x2039, 0x0152, 0x017D, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
      0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x017E, 0x0178};
  for (char32_t extra : kExtras) {
    if (c == extra) return true;
  }
  return false;
}

// The first decimal digit of the character's Windows-1252 code; a character the code page
// lacks is written as "?" (63).
char FirstDigitOfCode(char32_t c) {
  unsigned code = 63;
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) {
    code = static_cast<unsigned>(c);
  } else if (IsWindows1252Extra(c)) {
    code = 128;  // 128 to 159 all begin with 1
  }
  while (code >= 10) code /= 10;
  return static_cast<char>('0' + code);
}

}  // namespace

std::string UserIdFrom(std::string_view computerName, std::string_view userName,
                       std::string_view macAddress) {
  const std::string s = runtime::Left(computerName, 3) + runtime::Left(userName, 3) +
                        runtime::Left(macAddress, 2);
  std::string id;
  for (char32_t c : runtime::DecodeUtf8(s)) id += FirstDigitOfCode(c);
  return id;
}

std::string GetMacAddress() {
  return platform::FirstAdapterAddress(platform::NetworkAdapters());
}

std::string GetUserId() {
  const platform::Environment environment = platform::SystemEnvironment();
  return UserIdFrom(platform::ComputerName(environment), platform::UserName(environment),
                    GetMacAddress());
}

}  // namespace settings
