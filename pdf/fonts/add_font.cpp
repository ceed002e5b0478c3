// TrueType fonts brought into a document from their files.
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "pdf/core/list_growth.h"
#include "pdf/core/text_utils.h"
#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/truetype_font.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

Bytes ReadFontFile(const std::string& fileName)
{
    std::error_code ignored;
    if (!std::filesystem::is_regular_file(fileName, ignored))
        throw Error(err::kFileNotFound, "File not found");
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw FileError(errno);
    Bytes bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad())
        throw FileError(errno);
    if (bytes.size() > INT_MAX)
        throw Error(err::kOverflow, "Overflow");
    return bytes;
}

// ",Bold", ",Italic", ",BoldItalic" or nothing.
std::string StyleSuffix(const TrueTypeMetrics& metrics)
{
    std::string suffix;
    if (metrics.weight > 500)
        suffix += "Bold";
    if (metrics.italicAngle != 0)
        suffix += "Italic";
    return suffix.empty() ? suffix : "," + suffix;
}

// The descriptor entries after /FontName; the italic angle comes formatted as an operand.
std::string DescriptorText(const TrueTypeMetrics& metrics, const std::string& italicAngle)
{
    const int flags = (metrics.italicAngle != 0 ? 64 : 0) + (metrics.fixedPitch ? 1 : 0) +
                      (metrics.symbolic ? 4 : 32);
    const int stemWidth = metrics.weight <= 500 ? 70 : 120;
    const int xHeight = static_cast<int>(std::nearbyint(metrics.ascent / 2.0));
    return "/Flags " + std::to_string(flags) + " /FontBBox [" + std::to_string(metrics.bbox[0]) +
           " " + std::to_string(metrics.bbox[1]) + " " + std::to_string(metrics.bbox[2]) + " " +
           std::to_string(metrics.bbox[3]) + "]" + " /MissingWidth " +
           std::to_string(metrics.missingWidth) + " /StemV " + std::to_string(stemWidth) +
           " /ItalicAngle " + italicAngle + " /CapHeight " +
           std::to_string(metrics.ascent) + " /XHeight " + std::to_string(xHeight) +
           " /Ascent " + std::to_string(metrics.ascent) + " /Descent " +
           std::to_string(metrics.descent) + " /MaxWidth " +
           std::to_string(metrics.maximumWidth) + " /AvgWidth " +
           std::to_string(metrics.averageWidth);
}

}  // namespace

// A file that cannot be read as a font records the failure and adds no font, so that no
// record or object stands for metrics the file never held.
std::string Pagelith::AddFont(const std::string& fileName, const std::string& name, bool embed,
                              int charset)
{
    if (mPDFA) {
        embed = true;
        charset = charset::kWestern;
    }
    try {
        const Bytes file = ReadFontFile(fileName);
        const TrueTypeMetrics metrics = ReadTrueTypeMetrics(file, charset);
        const std::string added = name.empty() ? metrics.fullName : name;

        FontRecord font;
        font.Key = UpperAscii(added);
        font.IsTrueType = true;
        font.BaseFont = metrics.fullName + StyleSuffix(metrics);
        font.Widths = metrics.widths;
        font.LineHeight = static_cast<std::int16_t>(std::abs(metrics.descent) + metrics.ascent);
        font.Descent = metrics.descent;
        font.Charset = charset;
        if (charset != charset::kWestern)
            font.Differences = GetCodePageDifferences(charset);

        ReserveFor(mFonts, mFontCount + 1, mMemoryUsage);
        mFonts.push_back(std::move(font));
        ++mFontCount;
        try {
            WriteFontObject(added, file, embed ? static_cast<int>(file.size()) : 0,
                            DescriptorText(metrics, FormatReal(metrics.italicAngle)));
        } catch (...) {
            mFonts.pop_back();
            --mFontCount;
            throw;
        }
        return added;
    } catch (const Error& error) {
        RaiseError(error, "AddFont", fileName);
    }
    return std::string();
}

}  // namespace pdf
