// The resource entries shared by every page, filled by the features that make resources.
#pragma once

#include <string>
#include <unordered_map>

namespace pdf {

enum class PatternKind { Shading, Coloured, Uncoloured };

struct SharedResources {
    std::string fonts;
    std::string xObjects;
    std::string extGStates;
    std::string patterns;
    std::string shadings;  // the gradients of patterns, which tiling cells paint with too
    std::unordered_map<std::string, PatternKind> patternKinds;  // of patterns, by name
};

}  // namespace pdf
