// The objects every document writes last under fixed numbers, so that what is written
// before them (pages, tiling cells, appearances) can already refer to them.
#pragma once

#include <string>

namespace pdf {

inline constexpr int kPageTreeObject = 1;
// The resources every page shares: each font, image, pattern and layer of the document.
inline constexpr int kResourcesObject = 2;
// The same without the tiling patterns, for tiling cells, which must not name themselves.
inline constexpr int kResourcesWithoutPatternsObject = 3;
inline constexpr int kFixedObjects = 3;

// "n 0 R": a reference to object n.
inline std::string IndirectRef(int object)
{
    return std::to_string(object) + " 0 R";
}

}  // namespace pdf
