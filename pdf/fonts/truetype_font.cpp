#include "pdf/fonts/truetype_font.h"

#include <algorithm>
#include <cmath>
#include <string_view>
#include <vector>

#include "pdf/core/error.h"
#include "pdf/fonts/code_pages.h"

namespace pdf {

namespace {

// The character map is read up to U+2122, the highest code point of the code pages.
constexpr std::int32_t kLastCodePoint = 8482;

// Big-endian numbers at file offsets, every read checked against the file's end.
class FontBytes {
public:
    explicit FontBytes(const Bytes& bytes) : mBytes(bytes) {}

    std::uint32_t U16(std::int64_t at) const { return Read(at, 2); }
    std::int32_t S16(std::int64_t at) const { return static_cast<std::int16_t>(Read(at, 2)); }
    std::uint32_t U32(std::int64_t at) const { return Read(at, 4); }
    std::int32_t S32(std::int64_t at) const { return static_cast<std::int32_t>(Read(at, 4)); }
    std::uint8_t Byte(std::int64_t at) const { return static_cast<std::uint8_t>(Read(at, 1)); }

private:
    std::uint32_t Read(std::int64_t at, int size) const
    {
        if (at < 0 || at + size > static_cast<std::int64_t>(mBytes.size()))
            throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
        std::uint32_t value = 0;
        for (int i = 0; i < size; ++i)
            value = value << 8 | mBytes[static_cast<std::size_t>(at + i)];
        return value;
    }

    const Bytes& mBytes;
};

struct TableOffsets {
    std::int64_t os2 = 0, head = 0, hhea = 0, hmtx = 0, glyf = 0, loca = 0, post = 0,
                 name = 0, cmap = 0;
};

// A table the file lacks keeps offset 0.  A tag listed twice takes its later record.
TableOffsets ReadDirectory(const FontBytes& font)
{
    TableOffsets tables;
    const std::uint32_t count = font.U16(4);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int64_t record = 12 + 16 * static_cast<std::int64_t>(i);
        std::string tag;
        for (int k = 0; k < 4; ++k)
            tag += static_cast<char>(font.Byte(record + k));
        while (!tag.empty() && tag.back() == ' ')
            tag.pop_back();
        const std::int64_t offset = font.S32(record + 8);
        if (tag == "OS/2") tables.os2 = offset;
        else if (tag == "head") tables.head = offset;
        else if (tag == "hhea") tables.hhea = offset;
        else if (tag == "hmtx") tables.hmtx = offset;
        else if (tag == "glyf") tables.glyf = offset;
        else if (tag == "loca") tables.loca = offset;
        else if (tag == "post") tables.post = offset;
        else if (tag == "name") tables.name = offset;
        else if (tag == "cmap") tables.cmap = offset;
    }
    return tables;
}

// Rounds to the nearest integer, a tie going to the even neighbour.
std::int16_t Scaled(float scale, std::int32_t value)
{
    return static_cast<std::int16_t>(std::nearbyint(scale * static_cast<float>(value)));
}

// The offset of the Windows format 4 subtable, or -1 when there is none; sets `symbolic`
// from the last Windows record seen.
std::int64_t FindCharacterMap(const FontBytes& font, std::int64_t cmap, bool& symbolic)
{
    const std::uint32_t count = font.U16(cmap + 2);
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int64_t record = cmap + 4 + 8 * static_cast<std::int64_t>(i);
        if (font.U16(record) != 3)
            continue;
        symbolic = font.U16(record + 2) == 0;
        const std::int64_t subtable = cmap + font.U32(record + 4);
        if (font.U16(subtable) == 4)
            return subtable;
    }
    return -1;
}

// Glyph index by code point, 0 to U+2122, from a segment-mapping subtable.
std::vector<std::uint32_t> ReadGlyphMap(const FontBytes& font, std::int64_t table)
{
    std::vector<std::uint32_t> glyphs(kLastCodePoint + 1, 0);
    if (table < 0)
        return glyphs;
    const std::int64_t segments = font.U16(table + 6) / 2;
    for (std::int64_t s = 0; s < segments; ++s) {
        std::int64_t end = font.U16(table + 14 + 2 * s);
        const std::int64_t start = font.U16(table + 16 + 2 * segments + 2 * s);
        const std::int32_t delta = font.S16(table + 16 + 4 * segments + 2 * s);
        const std::int64_t rangeAt = table + 16 + 6 * segments + 2 * s;
        const std::int32_t range = font.S16(rangeAt);
        if (end >= kLastCodePoint)
            end = kLastCodePoint;
        for (std::int64_t c = start; c <= end; ++c) {
            std::uint32_t glyph;
            if (range == 0) {
                glyph = static_cast<std::uint32_t>(c + delta) & 0xFFFF;
            } else {
                glyph = font.U16(rangeAt + range + 2 * (c - start));
                if (glyph != 0)
                    glyph = (glyph + static_cast<std::uint32_t>(delta)) & 0xFFFF;
            }
            glyphs[static_cast<std::size_t>(c)] = glyph;
        }
        if (end == kLastCodePoint)
            break;
    }
    return glyphs;
}

void AppendUtf8(std::string& text, std::int32_t codePoint)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | codePoint >> 6);
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | codePoint >> 12);
        text += static_cast<char>(0x80 | (codePoint >> 6 & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

bool IsEnglish(std::uint32_t language)
{
    return language == 1033 || language == 2057 || language == 3081 || language == 4105 ||
           language == 5129 || language == 6153;
}

// The Windows full-name record (English when there is one), each code unit's low byte read
// as a Western character, blanks dropped.
std::string ReadFullName(const FontBytes& font, std::int64_t name, bool symbolic)
{
    const std::uint32_t count = font.U16(name + 2);
    std::int64_t chosen = -1;
    for (std::uint32_t i = 0; i < count; ++i) {
        const std::int64_t record = name + 6 + 12 * static_cast<std::int64_t>(i);
        if (font.U16(record) != 3 || font.U16(record + 2) != (symbolic ? 0u : 1u) ||
            font.U16(record + 6) != 4)
            continue;
        if (chosen < 0) {
            chosen = record;
        } else if (IsEnglish(font.U16(record + 4))) {
            chosen = record;
            break;
        }
    }
    std::string fullName;
    if (chosen < 0)
        return fullName;
    const std::int64_t text = name + font.U16(name + 4) + font.U16(chosen + 10);
    const std::int64_t length = font.U16(chosen + 8);
    const CodePageMap& western = GetCodePageMap(charset::kWestern);
    for (std::int64_t at = 1; at < length; at += 2) {
        const std::int32_t codePoint = western[font.Byte(text + at)];
        if (codePoint > 0 && codePoint != ' ')
            AppendUtf8(fullName, codePoint);
    }
    return fullName;
}

float ItalicAngle(std::int32_t fixed)
{
    return static_cast<float>(std::nearbyint(fixed / 65536.0 * 100) / 100);
}

}  // namespace

TrueTypeMetrics ReadTrueTypeMetrics(const Bytes& file, FontCharset charset)
{
    const FontBytes font(file);
    const TableOffsets tables = ReadDirectory(font);
    TrueTypeMetrics metrics;
    metrics.charset = charset;

    const std::uint32_t unitsPerEm = font.U16(tables.head + 18);
    if (unitsPerEm == 0)
        throw Error(err::kDivisionByZero, "Division by zero");
    const float scale = 1000.0f / static_cast<float>(unitsPerEm);
    metrics.averageWidth = Scaled(scale, font.S16(tables.os2 + 2));
    metrics.ascent = Scaled(scale, static_cast<std::int32_t>(font.U16(tables.os2 + 74)));
    metrics.descent = Scaled(scale, -static_cast<std::int32_t>(font.U16(tables.os2 + 76)));
    metrics.weight = static_cast<std::int16_t>(font.U16(tables.os2 + 4));
    const bool shortLocations = font.S16(tables.head + 50) == 0;
    metrics.maximumWidth = Scaled(scale, static_cast<std::int32_t>(font.U16(tables.hhea + 10)));
    metrics.missingWidth = Scaled(scale, static_cast<std::int32_t>(font.U16(tables.hmtx)));
    metrics.italicAngle = ItalicAngle(font.S32(tables.post + 4));
    metrics.fixedPitch = font.U32(tables.post + 12) != 0;

    const std::vector<std::uint32_t> glyphs =
        ReadGlyphMap(font, FindCharacterMap(font, tables.cmap, metrics.symbolic));

    // Glyphs past the last full metric share its advance width.
    const std::int64_t longMetrics = font.U16(tables.hhea + 34);
    std::int32_t box[4] = {0, 0, 0, 0};
    const CodePageMap& codePoints = GetCodePageMap(charset);
    for (std::size_t code = 0; code < 256; ++code) {
        if (codePoints[code] < 0) {
            metrics.widths[code] = metrics.missingWidth;
            continue;
        }
        const std::int64_t glyph = glyphs[static_cast<std::size_t>(codePoints[code])];
        const std::int64_t metric = glyph < longMetrics || longMetrics == 0 ? glyph : longMetrics - 1;
        metrics.widths[code] =
            Scaled(scale, static_cast<std::int32_t>(font.U16(tables.hmtx + 4 * metric)));
        const std::int64_t data = shortLocations ? 2 * std::int64_t{font.U16(tables.loca + 2 * glyph)}
                                                 : std::int64_t{font.U32(tables.loca + 4 * glyph)};
        const std::int64_t header = tables.glyf + data;
        if (font.S16(header) < 0)
            continue;  // a composite glyph
        box[0] = std::min(box[0], font.S16(header + 2));
        box[1] = std::min(box[1], font.S16(header + 4));
        box[2] = std::max(box[2], font.S16(header + 6));
        box[3] = std::max(box[3], font.S16(header + 8));
    }
    for (int i = 0; i < 4; ++i)
        metrics.bbox[i] = Scaled(scale, box[i]);

    metrics.fullName = ReadFullName(font, tables.name, metrics.symbolic);
    return metrics;
}

}  // namespace pdf
