// The entropy of symbol counts: the fewest bits symbols of these frequencies can take,
// which the most thorough level estimates codes by.
#pragma once

#include <cmath>
#include <cstdint>

namespace pdf::deflate {

// The bits the symbols counted take at best; adds the number of symbols counted at least
// once to used.
inline double EntropyBits(const std::uint32_t* counts, int symbols, int& used)
{
    double total = 0;
    double sum = 0;
    for (int s = 0; s < symbols; ++s) {
        if (counts[s] == 0)
            continue;
        const double n = counts[s];
        total += n;
        sum += n * std::log2(n);
        ++used;
    }
    return total > 0 ? total * std::log2(total) - sum : 0;
}

}  // namespace pdf::deflate
