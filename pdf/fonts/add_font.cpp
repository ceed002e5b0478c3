// TrueType fonts brought into a document from their files.
#include <climits>
#include <cmath>
#include <cstdlib>

#include "pdf/core/input_file.h"
#include "pdf/core/list_growth.h"
#include "pdf/core/text_utils.h"
#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/substitute_faces.h"
#include "pdf/fonts/truetype_font.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

Bytes ReadFontFile(const std::string& fileName)
{
    if (!IsReadableFile(fileName))
        throw Error(err::kFileNotFound, "File not found");
    Bytes bytes = ReadWholeFile(fileName);
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
// record or object stands for metrics the file never held.  The same file added again
// under the same name, charset and embedding is the font already there.  PDF/A embeds the
// file but keeps the charset: the embedded font's Unicode map draws the glyphs its
// /Differences name, as for the standard families' substitute faces.
std::string Pagelith::AddFont(const std::string& fileName, const std::string& name, bool embed,
                              int charset)
{
    if (mPdfa.on)
        embed = true;
    try {
        const Bytes file = ReadFontFile(fileName);
        const TrueTypeMetrics metrics = ReadTrueTypeMetrics(file, charset);
        const std::string added = name.empty() ? metrics.fullName : name;
        const std::string resource = ReplaceText(added, " ", "");
        const std::string key = UpperAscii(resource);
        const int held = FindFont(key, charset, false);
        const bool same = held != 0 && mFont.records[static_cast<std::size_t>(held - 1)].File == fileName &&
                          mFont.records[static_cast<std::size_t>(held - 1)].Embedded == embed;
        if (!same)
            AppendTrueTypeFont(file, metrics, fileName, embed, key, resource);
        return added;
    } catch (const Error& error) {
        RaiseError(error, "AddFont", fileName);
    }
    return std::string();
}

// In a document that embeds every font: the installed face standing for a standard
// family, or 0 when there is none to embed.
int Pagelith::AddSubstituteFace(std::string_view family, int style, int charset,
                                const std::string& key, const std::string& resource)
{
    const std::string fileName = SubstituteFaceFile(family, style);
    if (fileName.empty())
        return 0;
    Bytes file;
    TrueTypeMetrics metrics;
    try {
        file = ReadFontFile(fileName);
        metrics = ReadTrueTypeMetrics(file, charset);
    } catch (const Error&) {
        return 0;
    }
    return AppendTrueTypeFont(file, metrics, fileName, true, key, resource);
}

int Pagelith::AppendTrueTypeFont(const Bytes& file, const TrueTypeMetrics& metrics,
                                 const std::string& fileName, bool embed,
                                 const std::string& key, const std::string& resource)
{
    FontRecord font;
    font.Key = key;
    font.IsTrueType = true;
    font.BaseFont = metrics.fullName + StyleSuffix(metrics);
    font.Widths = metrics.widths;
    font.LineHeight = static_cast<std::int16_t>(std::abs(metrics.descent) + metrics.ascent);
    font.Descent = metrics.descent;
    font.Charset = metrics.charset;
    if (metrics.charset != charset::kWestern)
        font.Differences = GetCodePageDifferences(metrics.charset);
    font.File = fileName;
    return AppendFont(std::move(font), resource, file, embed ? static_cast<int>(file.size()) : 0,
                      DescriptorText(metrics, FormatReal(metrics.italicAngle)));
}

}  // namespace pdf
