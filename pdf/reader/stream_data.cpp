#include "pdf/reader/stream_data.h"

#include <cstdlib>
#include <span>

#include "pdf/codec/inflate.h"
#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"
#include "pdf/reader/scanner.h"

namespace pdf {

Bytes InflateStored(const Bytes& stored, std::size_t cap)
{
    if (stored.size() < 2)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return Inflate(std::span<const std::uint8_t>(stored).subspan(2), cap);
}

Bytes DecodeStored(const Bytes& stored, std::string_view filter, std::size_t cap,
                   const std::string& decodeParms)
{
    if (filter != "/FlateDecode") {
        if (stored.size() > cap)
            throw Error(err::kOutOfMemory, "Out of memory");
        return stored;
    }
    return Unpredict(InflateStored(stored, cap), decodeParms);
}

Bytes UnpredictPng(const Bytes& data, std::size_t pixelBytes, std::size_t columns)
{
    const std::size_t stride = columns + 1;
    Bytes out;
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

int ParmValue(const std::string& parms, std::string_view key, int absent)
{
    Scanner dict(parms);
    if (!dict.GetDictValue(key, 1))
        return absent;
    return WholeNumber(LeadingNumber(dict.ReadValue(false)));
}

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

Bytes Unpredict(const Bytes& data, const std::string& decodeParms)
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
        return UnpredictTiff(data, static_cast<std::size_t>(colors), rowBytes);
    return data;
}

}  // namespace pdf
