// The failures of the Inflate decoder: data that is not a whole Deflate stream, and data
// that would decode past the caller's limit, which fails with the same number.
#pragma once

#include <cstddef>
#include <string>

#include "pdf/core/error.h"

namespace pdf::inflate {

[[noreturn]] inline void ThrowCorrupt()
{
    throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
}

[[noreturn]] inline void ThrowPastCap(std::size_t cap)
{
    throw Error(err::kSubscriptOutOfRange, "Inflated data passes the limit of " + std::to_string(cap) + " bytes");
}

}  // namespace pdf::inflate
