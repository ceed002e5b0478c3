// Arbitrary bytes through the BMP loader, with a mask colour.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzing::FuzzOne(data, size, [](const pdf::Bytes& bytes) {
        fuzzing::RequireConsistent(pdf::DecodeBmp(bytes, std::array<std::uint8_t, 3>{255, 255, 255}));
    });
}
