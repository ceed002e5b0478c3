#include "pdf/core/text_string.h"

#include <array>
#include <optional>
#include <vector>

namespace pdf {

namespace {

// Characters of PDFDocEncoding that differ from Latin-1, by byte.
struct Special {
    unsigned char byte;
    char32_t character;
};
constexpr std::array<Special, 40> kSpecials{{
    {0x18, 0x02D8}, {0x19, 0x02C7}, {0x1A, 0x02C6}, {0x1B, 0x02D9}, {0x1C, 0x02DD},
    {0x1D, 0x02DB}, {0x1E, 0x02DA}, {0x1F, 0x02DC}, {0x80, 0x2022}, {0x81, 0x2020},
    {0x82, 0x2021}, {0x83, 0x2026}, {0x84, 0x2014}, {0x85, 0x2013}, {0x86, 0x0192},
    {0x87, 0x2044}, {0x88, 0x2039}, {0x89, 0x203A}, {0x8A, 0x2212}, {0x8B, 0x2030},
    {0x8C, 0x201E}, {0x8D, 0x201C}, {0x8E, 0x201D}, {0x8F, 0x2018}, {0x90, 0x2019},
    {0x91, 0x201A}, {0x92, 0x2122}, {0x93, 0xFB01}, {0x94, 0xFB02}, {0x95, 0x0141},
    {0x96, 0x0152}, {0x97, 0x0160}, {0x98, 0x0178}, {0x99, 0x017D}, {0x9A, 0x0131},
    {0x9B, 0x0142}, {0x9C, 0x0153}, {0x9D, 0x0161}, {0x9E, 0x017E}, {0xA0, 0x20AC},
}};

std::optional<unsigned char> PdfDocByte(char32_t c)
{
    if (c == '\t' || c == '\n' || c == '\r' || (c >= 0x20 && c < 0x7F))
        return static_cast<unsigned char>(c);
    if (c >= 0xA1 && c <= 0xFF && c != 0xAD)
        return static_cast<unsigned char>(c);
    for (const Special& s : kSpecials)
        if (s.character == c)
            return s.byte;
    return std::nullopt;
}

// Code points of a UTF-8 text; a byte that does not start a valid sequence stands for
// itself (as Latin-1).
std::vector<char32_t> DecodeUtf8(std::string_view text)
{
    std::vector<char32_t> out;
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t extra = 0;
        char32_t c = lead;
        char32_t minimum = 0;
        if (lead >= 0xC2 && lead <= 0xDF) {
            extra = 1, c = lead & 0x1F, minimum = 0x80;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            extra = 2, c = lead & 0x0F, minimum = 0x800;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            extra = 3, c = lead & 0x07, minimum = 0x10000;
        }
        bool valid = i + extra < text.size();
        for (std::size_t k = 1; valid && k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + k]);
            valid = (next & 0xC0) == 0x80;
            c = (c << 6) | (next & 0x3F);
        }
        valid = valid && c >= minimum && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
        if (valid) {
            out.push_back(c);
            i += extra + 1;
        } else {
            out.push_back(lead);
            ++i;
        }
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

constexpr char32_t kReplacement = 0xFFFD;

constexpr std::string_view kUtf16Mark = "\xFE\xFF";
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

// Readers take a text string that begins with these bytes as UTF-16 (either byte order) or
// UTF-8, whatever characters they stand for in PDFDocEncoding.
bool BeginsWithAMark(std::string_view pdfDoc)
{
    return pdfDoc.starts_with(kUtf16Mark) || pdfDoc.starts_with("\xFF\xFE") ||
           pdfDoc.starts_with(kUtf8Mark);
}

char32_t PdfDocCharacter(unsigned char byte)
{
    for (const Special& s : kSpecials)
        if (s.byte == byte)
            return s.character;
    return byte == 0x7F || byte == 0x9F || byte == 0xAD ? kReplacement : byte;
}

std::string Utf16Text(std::string_view units)
{
    std::string out;
    const auto unit = [&](std::size_t i) -> char32_t {
        return static_cast<char32_t>(static_cast<unsigned char>(units[i]) << 8 |
                                     static_cast<unsigned char>(units[i + 1]));
    };
    for (std::size_t i = 0; i + 1 < units.size(); i += 2) {
        char32_t c = unit(i);
        if (c >= 0xD800 && c <= 0xDBFF && i + 3 < units.size() && unit(i + 2) >= 0xDC00 &&
            unit(i + 2) <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (unit(i + 2) - 0xDC00);
            i += 2;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = kReplacement;
        }
        AppendUtf8(out, c);
    }
    if (units.size() % 2 != 0)
        AppendUtf8(out, kReplacement);
    return out;
}

}  // namespace

std::string ValidUtf8(std::string_view text)
{
    std::string out;
    for (const char32_t c : DecodeUtf8(text))
        AppendUtf8(out, c);
    return out;
}

std::string DecodeTextString(std::string_view bytes)
{
    if (bytes.substr(0, 2) == kUtf16Mark)
        return Utf16Text(bytes.substr(2));
    std::string out;
    if (bytes.substr(0, 3) == kUtf8Mark)
        return ValidUtf8(bytes.substr(3));
    for (const char c : bytes)
        AppendUtf8(out, PdfDocCharacter(static_cast<unsigned char>(c)));
    return out;
}

std::optional<std::string> PdfDocEncoded(std::string_view utf8)
{
    std::string pdfDoc;
    for (char32_t c : DecodeUtf8(utf8)) {
        const auto byte = PdfDocByte(c);
        if (!byte)
            return std::nullopt;
        pdfDoc += static_cast<char>(*byte);
    }
    return pdfDoc;
}

std::string EncodeTextString(std::string_view utf8)
{
    if (auto pdfDoc = PdfDocEncoded(utf8); pdfDoc && !BeginsWithAMark(*pdfDoc))
        return *pdfDoc;

    const std::vector<char32_t> characters = DecodeUtf8(utf8);
    std::string utf16(kUtf16Mark);
    auto put = [&utf16](char32_t unit) {
        utf16 += static_cast<char>(unit >> 8);
        utf16 += static_cast<char>(unit & 0xFF);
    };
    for (char32_t c : characters) {
        if (c >= 0x10000) {
            put(0xD800 + ((c - 0x10000) >> 10));
            put(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            put(c);
        }
    }
    return utf16;
}

}  // namespace pdf
