// An environment made of the given variables only.
#pragma once

#include <map>
#include <string>

#include "platform/environment.h"

inline platform::Environment EnvironmentOf(std::map<std::string, std::string> variables) {
  return [variables = std::move(variables)](const std::string& name)
             -> std::optional<std::string> {
    const auto found = variables.find(name);
    if (found == variables.end()) return std::nullopt;
    return found->second;
  };
}
