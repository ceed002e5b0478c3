// The process environment as the platform layers read it, so that tests can hand them
// another one.
#pragma once

#include <functional>
#include <optional>
#include <string>

namespace platform {

// The value of a variable, or nothing when it is not set.
using Environment = std::function<std::optional<std::string>(const std::string& name)>;

// The environment of this process.
Environment SystemEnvironment();

}  // namespace platform
