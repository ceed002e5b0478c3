// Stream data of a source file, decoded where the reader needs its text.
#pragma once

#include <cstddef>
#include <new>
#include <string>
#include <string_view>

#include "pdf/codec/filters.h"
#include "pdf/core/error.h"
#include "pdf/reader/source_file.h"
#include "pdf/reader/value.h"

namespace pdf {

// No decoded stream grows past this: a small file cannot make the reader take unbounded
// memory.
constexpr std::size_t kMaxDecodedBytes = 256u << 20;

// Nor does the decoded content of one page, all its streams together.
constexpr std::size_t kMaxPageContentBytes = 64u << 20;

// No stream is decoded through more filters: producers chain three at most (ASCII85, Flate
// and an image filter), and each filter more is another pass over data that may not shrink.
constexpr std::size_t kMaxFilters = 8;

// Where a stream's data begins after its keyword "stream", which ends at `keyword`: past the
// spaces some producers write there, then past CR LF or one byte.
std::size_t StreamDataStart(std::string_view bytes, std::size_t keyword);

// Where stream data whose "endstream" is not where its /Length says ends, looked for in the
// bytes from `from`: at its "endstream", or, for data whose "endstream" is lost, where the
// next object's header begins a line before it; npos when neither stands there.
std::size_t DataEndIn(std::string_view bytes, std::size_t from);

// Where the data that begins at `start` of the file ends, as DataEndIn finds it in the file
// from `from` on; the file's end when it finds nothing.
std::int64_t DataEndInFile(SourceFile& file, std::int64_t start, std::int64_t from);

// The Error of data that would decode past `limit` bytes.
[[noreturn]] void ThrowLimitReached(std::size_t limit);

// The data after its two-byte zlib header, inflated, at most `cap` bytes.
Bytes InflateStored(const Bytes& stored, std::size_t cap = kMaxDecodedBytes);

// The data decoded through each filter of `filter` (a name, or an array of names; direct
// values) in turn, each with its parameters from `decodeParms` (a dictionary, or an array
// of dictionaries and nulls); as stored without a filter.  A filter that is not Flate, LZW, ASCII85,
// ASCIIHex or run length fails with error 321, as do more than kMaxFilters filters, data past
// `cap` bytes with the limit's Error, Flate data that is corrupt with error 9.  The bytes
// each filter gives are charged to the operation's `budget`, and past what it has left a
// filter fails with the limit's Error.
Bytes DecodeStored(const Bytes& stored, const Value& filter, const Value& decodeParms,
                   SourceFile& budget, std::size_t cap = kMaxDecodedBytes);

// Rows of PNG-predicted data (one filter-type byte, then `columns` bytes of pixels of
// `pixelBytes` bytes each) reconstructed; a last row cut short is dropped.
Bytes UnpredictPng(const Bytes& data, std::size_t pixelBytes, std::size_t columns);

// The data with the PNG or TIFF predictor of its /DecodeParms dictionary undone.
Bytes Unpredict(Bytes data, const Value& decodeParms);

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
