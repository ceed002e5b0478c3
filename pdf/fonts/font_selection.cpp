// Font selection: the current font, and one record (and one font object) per distinct
// family, style and character set of the document.
#include "pdf/core/list_growth.h"
#include "pdf/core/text_utils.h"
#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/font_encoding.h"
#include "pdf/fonts/metrics.h"
#include "pdf/pagelith.h"

namespace pdf {

namespace {

struct FamilyAlias {
    std::string_view upperName;
    std::string_view family;
};

constexpr FamilyAlias kFamilyAliases[] = {
    {"TIMES", "TimesNewRoman"}, {"TIMESNEWROMAN", "TimesNewRoman"},
    {"COURIER", "CourierNew"},  {"COURIERNEW", "CourierNew"},
    {"HELVETICA", "Arial"},     {"ARIAL", "Arial"},
    {"SYMBOL", "Symbol"},       {"ZAPFDINGBATS", "ZapfDingbats"},
};

// The standard family a name stands for, or the name itself without its spaces.
std::string FamilyOf(const std::string& name)
{
    const std::string compact = ReplaceText(name, " ", "");
    const std::string upper = UpperAscii(compact);
    for (const FamilyAlias& alias : kFamilyAliases) {
        if (upper == alias.upperName)
            return std::string(alias.family);
    }
    return compact;
}

// Only these families take a style and a character set in their name.
bool TakesStyleAndCharset(const std::string& family)
{
    return family == "Arial" || family == "TimesNewRoman" || family == "CourierNew";
}

std::string FullNameOf(const std::string& family, int style, int charset)
{
    if (!TakesStyleAndCharset(family))
        return family;
    std::string name = family;
    if (style & 3)
        name += ",";
    if (style & 1)
        name += "Bold";
    if (style & 2)
        name += "Italic";
    if (charset != 0)
        name += "-" + std::to_string(charset);
    return name;
}

}  // namespace

void Pagelith::SetFont(const std::string& name, float size, int style, int charset)
{
    RequireFinite({size});
    mFont.name = name;
    mFont.style = style;
    mFont.charset = charset;
    if (size != 0)
        mFont.size = size;
    if (mFont.size == 0)
        mFont.size = 10;

    const std::string family = FamilyOf(name);
    const std::string fullName = FullNameOf(family, style, charset);
    const std::string key = UpperAscii(fullName);

    // A name without a charset suffix stands for one font whatever the charset asked for.
    int index = FindFont(key, charset, !TakesStyleAndCharset(family));
    if (index == 0) {
        // Checked first so that no record stands for a font that was never written.
        if (!mOutput.file.IsOpen())
            throw NoFileOpen();
        if (mPdfa.on)
            index = AddSubstituteFace(family, style, charset, key, fullName);
        if (index == 0) {
            FontRecord font;
            font.Charset = charset;
            LoadBuiltinMetrics(font, family, style);
            if (!HasBuiltinEncoding(font) && charset != 0)
                font.Differences = GetCodePageDifferences(charset);
            font.Key = key;
            index = AppendFont(std::move(font), fullName, Bytes(), 0, std::string());
        }
    }
    mFont.fullName = fullName;
    mFont.index = index;
}

void Pagelith::SetFontSize(float size)
{
    RequireFinite({size});
    mFont.size = size;
}

// The number of the latest record with the key and the charset; failing that, with
// anyCharset, of the latest record with the key.  0 when there is none.  A font added
// under a name already held is the one that name selects from then on.
int Pagelith::FindFont(const std::string& key, int charset, bool anyCharset) const
{
    int sameKey = 0;
    for (int number = mFont.count; number >= 1; --number) {
        const FontRecord& font = mFont.records[static_cast<std::size_t>(number - 1)];
        if (font.Key != key)
            continue;
        if (font.Charset == charset)
            return number;
        if (sameKey == 0)
            sameKey = number;
    }
    return anyCharset ? sameKey : 0;
}

// Adds the record and writes its objects, or adds nothing when they cannot be written.
int Pagelith::AppendFont(FontRecord font, const std::string& resourceName, const Bytes& fontFile,
                         int fontFileLength, const std::string& descriptor)
{
    ReserveFor(mFont.records, mFont.count + 1, mOutput.memoryUsage);
    mFont.records.push_back(std::move(font));
    ++mFont.count;
    try {
        WriteFontObject(resourceName, fontFile, fontFileLength, descriptor);
    } catch (...) {
        mFont.records.pop_back();
        --mFont.count;
        throw;
    }
    return mFont.count;
}

// The resource the current font was written under: a font selected by its name in another
// case is still the one resource.
std::string Pagelith::FontResourceName() const
{
    if (mFont.index < 1 || mFont.index > mFont.count)
        return "/" + EscapeName(mInfo.resPrefix + mFont.fullName);
    return "/" + EscapeName(mInfo.resPrefix + mFont.records[static_cast<std::size_t>(mFont.index - 1)].Resource);
}

}  // namespace pdf
