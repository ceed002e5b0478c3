// Inflate on any bytes: error 9 or bytes, never a crash, a hang or unbounded memory; what
// the strict rules take, the lenient ones decode alike.  The same bytes, compressed by our
// Deflate at the level the first byte picks, come back whole under the strict rules, from
// a stream that ends where its Adler-32 trailer begins.
#include "pdf/codec/filters.h"
#include "pdf/codec/inflate.h"
#include "pdf/core/error.h"

#include <cstdlib>
#include <optional>
#include <span>

namespace {

constexpr std::size_t kOutputCap = 1 << 24;

// The bytes Inflate gives under `rules`, or nothing for error 9.
std::optional<pdf::Bytes> Decoded(const std::uint8_t* data, std::size_t size,
                                  pdf::InflateRules rules)
{
    try {
        return pdf::Inflate(std::span(data, size), kOutputCap, rules);
    } catch (const pdf::Error& e) {
        if (e.Number() != pdf::err::kSubscriptOutOfRange)
            std::abort();
    }
    return std::nullopt;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::optional<pdf::Bytes> lenient = Decoded(data, size, pdf::InflateRules::Lenient);
    const std::optional<pdf::Bytes> strict = Decoded(data, size, pdf::InflateRules::Strict);
    if (strict && strict != lenient)
        std::abort();

    if (size == 0)
        return 0;
    pdf::Bytes original(data + 1, data + size);
    pdf::Bytes encoded = original;
    pdf::EncodeFlate(encoded, data[0] % 6);
    const pdf::InflatedStream inflated = pdf::InflateStream(
        std::span(encoded).subspan(2), pdf::kNoOutputCap, pdf::InflateRules::Strict);
    if (inflated.Data != original || inflated.Used != encoded.size() - 6)
        std::abort();
    return 0;
}
