// Shared by the image and drawing fuzzers: runs one input through a loader, which must give
// a result or an Error and nothing else; an image must hold exactly the bytes its size says.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "pdf/images/decoders.h"
#include "pdf/images/vector_import.h"

namespace fuzzing {

inline void RequireConsistent(const pdf::PreparedImage& image)
{
    using namespace pdf::image_kind;
    if (image.Kind == kTopRowFirst || image.Kind == kPng || image.Kind == kPngPalette)
        return;  // embedded as the file holds them
    const std::size_t rows = static_cast<std::size_t>(image.Height);
    const std::size_t rowBytes = image.Bits > 8
                                     ? static_cast<std::size_t>(image.Width) * 3
                                     : (static_cast<std::size_t>(image.Width) * image.Bits + 7) / 8;
    if (image.Data.size() != rows * rowBytes)
        std::abort();
    if (image.Bits <= 8 && image.Palette.size() != (3u << image.Bits))
        std::abort();
}

template <class Load>
int FuzzOne(const std::uint8_t* data, std::size_t size, Load load)
{
    const pdf::Bytes bytes(data, data + size);
    try {
        load(bytes);
    } catch (const pdf::Error&) {
    }
    return 0;
}

}  // namespace fuzzing
