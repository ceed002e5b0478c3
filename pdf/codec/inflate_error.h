// The one failure of the Inflate decoder: data that is not a whole Deflate stream.
#pragma once

#include "pdf/core/error.h"

namespace pdf::inflate {

[[noreturn]] inline void ThrowCorrupt()
{
    throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
}

}  // namespace pdf::inflate
