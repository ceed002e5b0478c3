// Arbitrary bytes through the metafile import, with and without a box size.
#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const pdf::Bytes bytes(data, data + size);
    pdf::TranslateWmf(bytes, 10, 20, 0, 0, {1, 3});
    pdf::TranslateWmf(bytes, 0, 0, 0, 100, {2.5f, 2});
    return 0;
}
