// Arbitrary text through the EPS import, with and without a box size.
#include <string_view>

#include "loader_fuzz.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    pdf::TranslateEps(text, 10, 20, 0, 0, {1, 3});
    pdf::TranslateEps(text, 0, 0, 100, 0, {2.5f, 2});
    return 0;
}
