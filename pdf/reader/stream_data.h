// Stream data of a source file, decoded where the reader needs its text.
#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "pdf/codec/filters.h"
#include "pdf/core/error.h"

namespace pdf {

// No decoded stream grows past this: a small file cannot make the reader take unbounded
// memory.
constexpr std::size_t kMaxDecodedBytes = 256u << 20;

// Nor does the decoded content of one page, all its streams together.
constexpr std::size_t kMaxPageContentBytes = 64u << 20;

// The data after its two-byte zlib header, inflated, at most `cap` bytes.
Bytes InflateStored(const Bytes& stored, std::size_t cap = kMaxDecodedBytes);

// Inflated when the filter is exactly "/FlateDecode", then its predictor undone; as stored
// otherwise.  Data past `cap` bytes fails: Flate data as a corrupt stream does (error 9),
// stored data with the out-of-memory error.
Bytes DecodeStored(const Bytes& stored, std::string_view filter, std::size_t cap = kMaxDecodedBytes,
                   const std::string& decodeParms = {});

// Rows of PNG-predicted data (one filter-type byte, then `columns` bytes of pixels of
// `pixelBytes` bytes each) reconstructed.
Bytes UnpredictPng(const Bytes& data, std::size_t pixelBytes, std::size_t columns);

// The data with the PNG or TIFF predictor of its /DecodeParms dictionary text undone.
Bytes Unpredict(const Bytes& data, const std::string& decodeParms);

// The work's result; an allocation that fails inside it is the out-of-memory Error, so a
// caller that catches ours catches it too.
template <class Work>
auto WithMemoryErrors(Work&& work)
{
    try {
        return work();
    } catch (const std::bad_alloc&) {
        throw Error(err::kOutOfMemory, "Out of memory");
    }
}

}  // namespace pdf
