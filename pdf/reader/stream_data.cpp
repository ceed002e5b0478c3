#include "pdf/reader/stream_data.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <utility>

#include "pdf/codec/inflate.h"
#include "pdf/core/error.h"
#include "pdf/reader/lexer.h"
#include "pdf/reader/source_records.h"
#include "pdf/reader/stream_filters.h"

namespace pdf {

namespace {

// The file is searched a piece at a time, each twice as long as the one before up to the
// largest, and beginning where a header cut by the end of the one before can begin.
constexpr std::int64_t kFirstSearchChunk = 4096;
constexpr std::int64_t kLargestSearchChunk = 1 << 20;

}  // namespace

std::size_t StreamDataStart(std::string_view bytes, std::size_t keyword)
{
    std::size_t start = keyword;
    while (start < bytes.size() && bytes[start] == ' ')
        ++start;
    const std::string_view lineEnd = start < bytes.size() ? bytes.substr(start, 2) : std::string_view();
    return start + (lineEnd == "\r\n" ? 2 : 1);
}

std::size_t DataEndIn(std::string_view bytes, std::size_t from)
{
    const std::size_t keyword = bytes.find("endstream", from);
    for (std::size_t at = bytes.find("obj", from); at < keyword && at != std::string_view::npos;
         at = bytes.find("obj", at + 3)) {
        const ObjectHeader header = ObjectHeaderBefore(bytes, at);
        if (header.number > 0 && header.number <= kMaxObjectNumber && header.start > 0 && header.start >= from &&
            (bytes[header.start - 1] == '\n' || bytes[header.start - 1] == '\r'))
            return header.start;
    }
    return keyword;
}

std::int64_t DataEndInFile(SourceFile& file, std::int64_t start, std::int64_t from)
{
    for (std::int64_t chunk = kFirstSearchChunk; from < file.Size();
         from += chunk, chunk = std::min(chunk * 2, kLargestSearchChunk)) {
        const std::int64_t at = std::max(start, from - static_cast<std::int64_t>(kObjectHeaderReach));
        const std::string bytes = file.ReadAt(at, from - at + chunk);
        if (const std::size_t end = DataEndIn(bytes, 0); end != std::string::npos)
            return at + static_cast<std::int64_t>(end);
    }
    return file.Size();
}

void ThrowLimitReached(std::size_t limit)
{
    throw Error(err::kOutOfMemory, "Decoded stream data passes the limit of " + std::to_string(limit) + " bytes");
}

Bytes InflateStored(const Bytes& stored, std::size_t cap)
{
    if (stored.size() < 2)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return Inflate(std::span<const std::uint8_t>(stored).subspan(2), cap);
}

namespace {

// The items of an array, or the value alone when it is no array.
std::vector<Value> Elements(const Value& value)
{
    return value.Is(Value::kArray) ? value.Items() : std::vector<Value>{value};
}

int ParmValue(const Value& parms, std::string_view key, int absent)
{
    const Value& value = parms.Get(key);
    return value.IsNumber() ? WholeNumber(value.Number()) : absent;
}

Bytes DecodeOne(const Bytes& data, const Value& filter, const Value& parms, std::size_t cap)
{
    if (filter.IsName("FlateDecode"))
        return Unpredict(InflateStored(data, cap), parms);
    if (filter.IsName("LZWDecode"))
        return Unpredict(DecodeLZW(data, ParmValue(parms, "EarlyChange", 1) != 0, cap), parms);
    if (filter.IsName("ASCIIHexDecode"))
        return DecodeASCIIHex(data, cap);
    if (filter.IsName("ASCII85Decode"))
        return DecodeASCII85(data, cap);
    if (filter.IsName("RunLengthDecode"))
        return DecodeRunLength(data, cap);
    throw Error(err::kInvalidFileFormat, "Stream data with the filter " + Serialise(filter) +
                                             ", which cannot be decoded");
}

}  // namespace

Bytes DecodeStored(const Bytes& stored, const Value& filter, const Value& decodeParms,
                   SourceFile& budget, std::size_t cap)
{
    if (filter.Is(Value::kNull)) {
        if (stored.size() > cap)
            ThrowLimitReached(cap);
        return stored;
    }
    const std::vector<Value> filters = Elements(filter);
    if (filters.size() > kMaxFilters)
        throw Error(err::kInvalidFileFormat, "Stream data under " + std::to_string(filters.size()) +
                                                 " filters, more than " + std::to_string(kMaxFilters));
    std::vector<Value> parms = Elements(decodeParms);
    parms.resize(filters.size());
    Bytes data = stored;
    for (std::size_t i = 0; i < filters.size(); ++i) {
        const auto left = static_cast<std::uint64_t>(budget.Remaining());
        data = DecodeOne(data, filters[i], parms[i], static_cast<std::size_t>(std::min<std::uint64_t>(cap, left)));
        budget.Charge(static_cast<std::int64_t>(data.size()));
    }
    return data;
}

Bytes UnpredictPng(const Bytes& data, std::size_t pixelBytes, std::size_t columns)
{
    const std::size_t stride = columns + 1;
    Bytes out;
    if (data.size() < stride)
        return out;
    out.reserve(data.size() / stride * columns);
    Bytes above(columns, 0);
    for (std::size_t row = 0; (row + 1) * stride <= data.size(); ++row) {
        const std::uint8_t* in = data.data() + row * stride;
        Bytes line(columns, 0);
        for (std::size_t i = 0; i < columns && in[0] <= 4; ++i) {
            const int a = i >= pixelBytes ? line[i - pixelBytes] : 0;
            const int b = above[i];
            const int c = i >= pixelBytes ? above[i - pixelBytes] : 0;
            int predictor = 0;
            switch (in[0]) {
            case 1: predictor = a; break;
            case 2: predictor = b; break;
            case 3: predictor = (a + b) / 2; break;
            case 4: {
                const int p = a + b - c;
                const int pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
                predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
                break;
            }
            default: break;
            }
            line[i] = static_cast<std::uint8_t>(in[1 + i] + predictor);
        }
        out.insert(out.end(), line.begin(), line.end());
        above = std::move(line);
    }
    return out;
}


namespace {

// TIFF predictor 2 on 8-bit components: each adds the same component of the pixel before.
Bytes UnpredictTiff(Bytes data, std::size_t colors, std::size_t rowBytes)
{
    for (std::size_t row = 0; row + rowBytes <= data.size(); row += rowBytes) {
        for (std::size_t i = colors; i < rowBytes; ++i)
            data[row + i] = static_cast<std::uint8_t>(data[row + i] + data[row + i - colors]);
    }
    return data;
}

}  // namespace

Bytes Unpredict(Bytes data, const Value& decodeParms)
{
    const int predictor = ParmValue(decodeParms, "Predictor", 1);
    const int colors = ParmValue(decodeParms, "Colors", 1);
    const int bits = ParmValue(decodeParms, "BitsPerComponent", 8);
    const int columns = ParmValue(decodeParms, "Columns", 1);
    if (predictor < 2 || colors < 1 || colors > 32 || bits < 1 || bits > 16 || columns < 1 ||
        columns > (1 << 24))
        return data;
    const std::size_t pixelBits = static_cast<std::size_t>(colors) * static_cast<std::size_t>(bits);
    const std::size_t rowBytes = (pixelBits * static_cast<std::size_t>(columns) + 7) / 8;
    if (predictor >= 10)
        return UnpredictPng(data, (pixelBits + 7) / 8, rowBytes);
    if (predictor == 2 && bits == 8)
        return UnpredictTiff(std::move(data), static_cast<std::size_t>(colors), rowBytes);
    return data;
}

}  // namespace pdf
