// The failure of an encoder given a level its table has no row for.
#pragma once

#include "pdf/core/error.h"

namespace pdf {

inline constexpr int kSubscriptOutOfRange = 9;

[[noreturn]] inline void ThrowLevelOutOfRange()
{
    throw Error(kSubscriptOutOfRange, "Subscript out of range");
}

}  // namespace pdf
