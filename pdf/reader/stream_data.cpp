#include "pdf/reader/stream_data.h"

#include <algorithm>
#include <cstdlib>
#include <span>
#include <utility>

#include "pdf/codec/inflate.h"
#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"
#include "pdf/reader/scanner.h"
#include "pdf/reader/stream_filters.h"
#include "pdf/reader/string_tokens.h"

namespace pdf {

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

// The elements of an array text, or the text alone when it is no array: names, and
// dictionaries as their text ("" for any other element, such as null or a reference).
std::vector<std::string> FilterElements(const std::string& value)
{
    const std::string trimmed = TrimSpaces(value);
    if (trimmed.empty() || trimmed[0] != '[')
        return {trimmed};
    std::vector<std::string> elements;
    for (SyntaxToken element = NextValue(trimmed, 1);
         element.kind != SyntaxToken::kNone && element.kind != SyntaxToken::kArrayClose;
         element = NextValue(trimmed, element.end)) {
        const bool kept = element.kind == SyntaxToken::kName || element.kind == SyntaxToken::kDictOpen;
        elements.emplace_back(kept ? element.In(trimmed) : std::string_view());
    }
    return elements;
}

int ParmValue(const std::string& parms, std::string_view key, int absent)
{
    Scanner dict(parms);
    if (!dict.GetDictValue(key, 1))
        return absent;
    return WholeNumber(LeadingNumber(dict.ReadValue(false)));
}

Bytes DecodeOne(const Bytes& data, const std::string& filter, const std::string& parms, std::size_t cap)
{
    if (filter == "/FlateDecode")
        return Unpredict(InflateStored(data, cap), parms);
    if (filter == "/LZWDecode")
        return Unpredict(DecodeLZW(data, ParmValue(parms, "EarlyChange", 1) != 0, cap), parms);
    if (filter == "/ASCIIHexDecode")
        return DecodeASCIIHex(data, cap);
    if (filter == "/ASCII85Decode")
        return DecodeASCII85(data, cap);
    if (filter == "/RunLengthDecode")
        return DecodeRunLength(data, cap);
    throw Error(err::kInvalidFileFormat, "Stream data with the filter " + (filter.empty() ? "\"\"" : filter) +
                                             ", which cannot be decoded");
}

}  // namespace

Bytes DecodeStored(const Bytes& stored, const std::string& filter, const std::string& decodeParms,
                   SourceFile& budget, std::size_t cap)
{
    if (TrimSpaces(filter).empty()) {
        if (stored.size() > cap)
            ThrowLimitReached(cap);
        return stored;
    }
    const std::vector<std::string> filters = FilterElements(filter);
    if (filters.size() > kMaxFilters)
        throw Error(err::kInvalidFileFormat, "Stream data under " + std::to_string(filters.size()) +
                                                 " filters, more than " + std::to_string(kMaxFilters));
    std::vector<std::string> parms = FilterElements(decodeParms);
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

Bytes Unpredict(Bytes data, const std::string& decodeParms)
{
    if (decodeParms.empty())
        return data;
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
