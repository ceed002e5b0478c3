// Conversion of a number to a whole number, a half going to the even neighbour: how stored
// positions and sizes in twips are rounded.
#pragma once

#include <cmath>
#include <cstdint>

namespace runtime {

inline std::int64_t RoundHalfEven(double value) {
  return static_cast<std::int64_t>(std::nearbyint(value));  // default mode: to nearest, ties even
}

}  // namespace runtime
