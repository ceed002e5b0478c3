// Arbitrary bytes through the GIF loader, for its first and second frame.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    for (const int frame : {1, 2})
        fuzzing::FuzzOne(data, size, [frame](const pdf::Bytes& bytes) {
            fuzzing::RequireConsistent(pdf::DecodeGif(bytes, frame));
        });
    return 0;
}
