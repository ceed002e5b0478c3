// The code lengths of a dynamic block's trees, coded with the code-length alphabet:
// repeats of a length as 16, runs of zeros as 17 and 18.
#pragma once

#include "pdf/codec/deflate_huffman.h"

#include <cstdint>

namespace pdf::deflate {

// Counts, in frequencies (19 entries), the code-length symbols that SendTree emits for
// the lengths of symbols 0 to lastSymbol.
void ScanTree(const HuffmanCode& tree, int lastSymbol, std::uint32_t* frequencies);

// Emits the lengths of symbols 0 to lastSymbol with the code-length code.
void SendTree(const HuffmanCode& tree, int lastSymbol, const HuffmanCode& lengthCode,
              BitWriter& writer);

// Extra bits that follow code-length symbols 16, 17 and 18.
int CodeLengthExtraBits(int symbol);

}  // namespace pdf::deflate
