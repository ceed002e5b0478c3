// ASCIIHexDecode encoder and the hexadecimal text reader used by the document writer.
#include "pdf/codec/filters.h"

#include "pdf/core/error.h"
#include "pdf/core/text_utils.h"

namespace pdf {

void EncodeASCIIHex(Bytes& data)
{
    static constexpr char kDigits[] = "0123456789ABCDEF";
    Bytes out(data.size() * 2);
    std::size_t o = 0;
    for (std::uint8_t b : data) {
        out[o++] = static_cast<std::uint8_t>(kDigits[b >> 4]);
        out[o++] = static_cast<std::uint8_t>(kDigits[b & 15]);
    }
    data.swap(out);
}

Bytes HexToBytes(std::string_view hex)
{
    // A stray character would otherwise turn silently into a wrong byte.
    if (hex.size() % 2 != 0)
        throw Error(err::kInvalidArgument, "hexadecimal text has an odd number of digits");
    Bytes out(hex.size() / 2);
    for (std::size_t i = 0; i < out.size(); ++i) {
        int high = HexDigitValue(hex[2 * i]);
        int low = HexDigitValue(hex[2 * i + 1]);
        if (high < 0 || low < 0)
            throw Error(err::kInvalidArgument, "hexadecimal text holds a character that is not a digit");
        out[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return out;
}

}  // namespace pdf
