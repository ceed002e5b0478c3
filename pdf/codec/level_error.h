// The failure of an encoder given a level its table has no row for.
#pragma once

#include "pdf/core/error.h"

namespace pdf {

[[noreturn]] inline void ThrowLevelOutOfRange()
{
    throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
}

}  // namespace pdf
