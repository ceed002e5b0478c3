// Inputs that exercise the encoders' boundaries.
#pragma once

#include "pdf/codec/filters.h"

#include <cstddef>

namespace codectest {

inline pdf::Bytes RandomBytes(std::size_t length, std::uint32_t seed)
{
    pdf::Bytes out(length);
    for (auto& b : out) {
        seed = seed * 1664525 + 1013904223;
        b = static_cast<std::uint8_t>(seed >> 24);
    }
    return out;
}

// Every consecutive pair of bytes differs from every other, so that each byte after the
// first adds one string to an LZW table.
inline pdf::Bytes WithoutRepeatedPairs(std::size_t length)
{
    pdf::Bytes out;
    for (int step = 1; out.size() < length; step += 2)
        for (int i = 0; i < 256 && out.size() < length; ++i)
            out.push_back(static_cast<std::uint8_t>(i * step));
    return out;
}

}  // namespace codectest
