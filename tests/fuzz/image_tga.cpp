// Arbitrary bytes through the TGA loader.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    return fuzzing::FuzzOne(data, size, [](const pdf::Bytes& bytes) {
        fuzzing::RequireConsistent(pdf::DecodeTga(bytes));
    });
}
