#include "pdf/fonts/code_pages.h"

#include <cstring>
#include <vector>

#include "pdf/fonts/code_page_tables.h"

namespace pdf {

namespace {

// The byte of every code point of one code page, indexed by code point up to the highest
// one the page holds; 0 for a code point it lacks (no byte of 128-255 is 0).
using ReverseMap = std::vector<char>;

const ReverseMap& ReverseMapOf(CodePage page) {
    static const std::array<ReverseMap, kCodePageCount> maps = [] {
        std::array<ReverseMap, kCodePageCount> result;
        for (int page = 0; page < kCodePageCount; ++page) {
            for (int byte = 128; byte < 256; ++byte) {
                std::int32_t codePoint = kCodePageMaps[page][byte];
                if (codePoint < 0)
                    continue;
                if (static_cast<std::size_t>(codePoint) >= result[page].size())
                    result[page].resize(static_cast<std::size_t>(codePoint) + 1, 0);
                result[page][static_cast<std::size_t>(codePoint)] = static_cast<char>(byte);
            }
        }
        return result;
    }();
    return maps[static_cast<int>(page)];
}

// Where the run of ASCII characters starting at pos ends, eight bytes at a time.
std::size_t AsciiRunEnd(std::string_view text, std::size_t pos) {
    while (pos + 8 <= text.size()) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + pos, 8);
        if (word & 0x8080808080808080u)
            break;
        pos += 8;
    }
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80)
        ++pos;
    return pos;
}

// Decodes one UTF-8 sequence at `pos` and moves past it; -1 for a malformed sequence,
// which is passed over one byte at a time.
std::int32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    unsigned char lead = byte(pos);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    int length = 0;
    if (lead >= 0xC2 && lead <= 0xDF)
        length = 2;
    else if (lead >= 0xE0 && lead <= 0xEF)
        length = 3;
    else if (lead >= 0xF0 && lead <= 0xF4)
        length = 4;
    if (length == 0 || pos + length > text.size()) {
        ++pos;
        return -1;
    }
    std::int32_t codePoint = lead & (0x7F >> length);
    for (int i = 1; i < length; ++i) {
        unsigned char next = byte(pos + i);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return -1;
        }
        codePoint = (codePoint << 6) | (next & 0x3F);
    }
    static constexpr std::int32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
    if (codePoint < kSmallest[length] || codePoint > 0x10FFFF ||
        (codePoint >= 0xD800 && codePoint <= 0xDFFF)) {
        ++pos;
        return -1;
    }
    pos += length;
    return codePoint;
}

void AppendUtf8(std::string& text, std::int32_t codePoint)
{
    if (codePoint < 0x80) {
        text += static_cast<char>(codePoint);
    } else if (codePoint < 0x800) {
        text += static_cast<char>(0xC0 | (codePoint >> 6));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    } else {
        text += static_cast<char>(0xE0 | (codePoint >> 12));
        text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
        text += static_cast<char>(0x80 | (codePoint & 0x3F));
    }
}

}  // namespace

CodePage CodePageOf(FontCharset charset) {
    switch (charset) {
    case charset::kCentralEurope: return CodePage::k1250;
    case charset::kCyrillic: return CodePage::k1251;
    case charset::kGreek: return CodePage::k1253;
    case charset::kTurkish: return CodePage::k1254;
    case charset::kBaltic: return CodePage::k1257;
    default: return CodePage::k1252;
    }
}

const CodePageMap& GetCodePageMap(FontCharset charset) {
    return kCodePageMaps[static_cast<int>(CodePageOf(charset))];
}

std::string GetCodePageDifferences(FontCharset charset) {
    return kCodePageDifferences[static_cast<int>(CodePageOf(charset))];
}

std::string ToCodePage(std::string_view utf8, FontCharset charset) {
    const ReverseMap& reverse = ReverseMapOf(CodePageOf(charset));
    std::string result;
    result.reserve(utf8.size());
    std::size_t pos = 0;
    while (pos < utf8.size()) {
        // A run of ASCII is the same in every code page.
        const std::size_t asciiEnd = AsciiRunEnd(utf8, pos);
        result.append(utf8.substr(pos, asciiEnd - pos));
        pos = asciiEnd;
        if (pos == utf8.size())
            break;
        std::int32_t codePoint = NextCodePoint(utf8, pos);
        const char byte = codePoint >= 0 && static_cast<std::size_t>(codePoint) < reverse.size()
                              ? reverse[static_cast<std::size_t>(codePoint)]
                              : 0;
        result += byte != 0 ? byte : '?';
    }
    return result;
}

std::string FromCodePage(std::string_view bytes, FontCharset charset)
{
    const CodePageMap& map = GetCodePageMap(charset);
    std::string text;
    text.reserve(bytes.size());
    std::size_t pos = 0;
    while (pos < bytes.size()) {
        const std::size_t asciiEnd = AsciiRunEnd(bytes, pos);
        text.append(bytes.substr(pos, asciiEnd - pos));
        if (asciiEnd == bytes.size())
            break;
        const std::int32_t codePoint = map[static_cast<unsigned char>(bytes[asciiEnd])];
        AppendUtf8(text, codePoint < 0 ? '?' : codePoint);
        pos = asciiEnd + 1;
    }
    return text;
}

}  // namespace pdf
