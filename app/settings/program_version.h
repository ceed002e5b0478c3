// The program's own version, shown by the about window.
#pragma once

#include <string>

namespace settings {

struct ProgramVersion {
  int major = 0;
  int minor = 0;
  int revision = 0;
};

inline constexpr ProgramVersion kProgramVersion{1, 0, 0};

// "Version " + major + "." + minor and revision written one after the other: 1.1.4 gives
// "Version 1.14", 2.0.12 gives "Version 2.012".
inline std::string VersionLine(ProgramVersion version) {
  return "Version " + std::to_string(version.major) + "." + std::to_string(version.minor) +
         std::to_string(version.revision);
}

}  // namespace settings
