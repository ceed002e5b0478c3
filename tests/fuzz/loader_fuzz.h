// Shared by the image and drawing fuzzers: runs one input through a loader, which must give
// a result or an Error and nothing else; an image must hold exactly the bytes its size says.
#pragma once

#include <cstdint>
#include <cstdlib>

#include "pdf/images/byte_reader.h"
#include "pdf/images/decoders.h"
#include "pdf/images/vector_import.h"

namespace fuzzing {

inline void RequireConsistent(const pdf::PreparedImage& image)
{
    using namespace pdf::image_kind;
    if (image.Kind == kTopRowFirst || image.Kind == kPng || image.Kind == kPngPalette)
        return;  // embedded as the file holds them
    const std::int64_t bytes =
        pdf::PictureBytes(image.Width, image.Height, image.Bits > 8 ? 24 : image.Bits);
    if (image.Data.size() != static_cast<std::size_t>(bytes))
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
