// Text in the current font: its bytes and its width.
#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/font_encoding.h"
#include "pdf/pagelith.h"

namespace pdf {

// Before any font is selected the text is taken as Western.
std::string Pagelith::EncodeText(std::string_view utf8) const
{
    if (mFont.index < 1 || mFont.index > mFont.count)
        return ToCodePage(utf8, charset::kWestern);
    return EncodeFontText(mFont.records[static_cast<std::size_t>(mFont.index - 1)], utf8);
}

const FontRecord& Pagelith::CurrentFont() const
{
    if (mFont.index < 1 || mFont.index > mFont.count)
        throw Error(err::kSubscriptOutOfRange, "Subscript out of range");
    return mFont.records[static_cast<std::size_t>(mFont.index - 1)];
}

// A font index that names no record measures every text as 0.
float Pagelith::GetStringWidth(std::string_view bytes, int fontIndex, float fontSize) const
{
    if (fontIndex < 1 || fontIndex > mFont.count)
        return 0;
    std::int64_t glyphs = 0;
    const FontWidths& widths = mFont.records[static_cast<std::size_t>(fontIndex - 1)].Widths;
    std::size_t spaces = 0;
    for (char c : bytes) {
        glyphs += widths[static_cast<unsigned char>(c)];
        spaces += c == ' ';
    }
    const double width = static_cast<double>(glyphs) * fontSize / 1000 +
                         static_cast<double>(mText.charSpacing) * bytes.size() +
                         static_cast<double>(mText.wordSpacing) * spaces;
    return static_cast<float>(width * mText.horizScaling / 100 / mGeometry.scale);
}

}  // namespace pdf
