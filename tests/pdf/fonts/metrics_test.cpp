#include <gtest/gtest.h>

#include "loaded_font.h"
#include "pdf/fonts/code_pages.h"

namespace pdf {
namespace {

using testing::LoadedFont;

struct Family {
    const char* name;
    std::int16_t lineHeight;
    std::int32_t descent;
    bool styled;
};

constexpr Family kFamilies[] = {
    {"Arial", 1221, -221, true},        {"TimesNewRoman", 1107, -216, true},
    {"CourierNew", 1133, -300, true},   {"Symbol", 1225, -220, false},
    {"ZapfDingbats", 1221, -221, false},
};

TEST(BuiltinMetrics, EveryFamilyFillsTheWholeRecord) {
    const char* suffixes[] = {"", ",Bold", ",Italic", ",BoldItalic"};
    for (const Family& family : kFamilies) {
        for (int style = 0; style < 4; ++style) {
            FontRecord font;
            font.Charset = 238;
            font.Differences = "[128 /Euro]";
            font.IsTrueType = true;
            font.Widths.fill(-1);
            LoadBuiltinMetrics(font, family.name, style);
            std::string baseFont = std::string(family.name) + (family.styled ? suffixes[style] : "");
            EXPECT_EQ(font.BaseFont, baseFont);
            std::string key = baseFont;
            for (char& c : key)
                c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
            EXPECT_EQ(font.Key, key);
            EXPECT_FALSE(font.IsTrueType);
            EXPECT_EQ(font.LineHeight, family.lineHeight) << family.name;
            EXPECT_EQ(font.Descent, family.descent) << family.name;
            EXPECT_EQ(font.Charset, 238);
            EXPECT_EQ(font.Differences, "[128 /Euro]");
            for (int code = 0; code < 256; ++code)
                EXPECT_GE(font.Widths[code], 0) << family.name << "@" << code;
        }
    }
}

TEST(BuiltinMetrics, OnlyTheTwoLowStyleBitsCount) {
    EXPECT_EQ(LoadedFont("TimesNewRoman", 4, 0).BaseFont, "TimesNewRoman");
    EXPECT_EQ(LoadedFont("TimesNewRoman", 5, 0).BaseFont, "TimesNewRoman,Bold");
    EXPECT_EQ(LoadedFont("TimesNewRoman", 6, 0).BaseFont, "TimesNewRoman,Italic");
    EXPECT_EQ(LoadedFont("TimesNewRoman", 7, 0).BaseFont, "TimesNewRoman,BoldItalic");
    EXPECT_EQ(LoadedFont("TimesNewRoman", -1, 0).BaseFont, "TimesNewRoman,BoldItalic");
    EXPECT_EQ(LoadedFont("TimesNewRoman", 5, 0).Widths, LoadedFont("TimesNewRoman", 1, 0).Widths);
    EXPECT_EQ(LoadedFont("Arial", 16 + 2, 0).BaseFont, "Arial,Italic");
    EXPECT_EQ(LoadedFont("CourierNew", 3, 0).Key, "COURIERNEW,BOLDITALIC");
}

TEST(BuiltinMetrics, CharsetChoosesTheStyledFamiliesTable) {
    FontWidths western = LoadedFont("TimesNewRoman", 0, 0).Widths;
    for (FontCharset charset : {1, 128, 163, 255, -1})
        EXPECT_EQ(LoadedFont("TimesNewRoman", 0, charset).Widths, western) << charset;
    EXPECT_EQ(western[39], 180);
    EXPECT_EQ(western[65], 722);
    EXPECT_EQ(western[129], 778);
    EXPECT_EQ(LoadedFont("TimesNewRoman", 0, 238).Widths[129], 777);

    FontRecord boldCentralEurope = LoadedFont("TimesNewRoman", 1, 238);
    EXPECT_EQ(boldCentralEurope.Key, LoadedFont("TimesNewRoman", 1, 0).Key);
    EXPECT_EQ(boldCentralEurope.Widths[157], 520);

    EXPECT_EQ(LoadedFont("Arial", 0, 0).Widths[65], 667);
    EXPECT_EQ(LoadedFont("Arial", 0, 77).Widths, LoadedFont("Arial", 0, 0).Widths);
    FontRecord cyrillicBoldItalic = LoadedFont("Arial", 3, 204);
    EXPECT_EQ(cyrillicBoldItalic.BaseFont, "Arial,BoldItalic");
    EXPECT_EQ(cyrillicBoldItalic.Widths[242], 850);
}

TEST(BuiltinMetrics, UnknownFamiliesMeasureAsArial) {
    FontRecord font = LoadedFont("MyFont", 1, 0);
    EXPECT_EQ(font.BaseFont, "Arial,Bold");
    EXPECT_EQ(font.LineHeight, 1221);
    EXPECT_EQ(font.Widths, LoadedFont("Arial", 1, 0).Widths);
}

TEST(BuiltinMetrics, CourierNewIs600Everywhere) {
    for (FontCharset charset : {0, 161, 162, 186, 204, 238, 99}) {
        for (int style = 0; style < 4; ++style) {
            FontRecord font = LoadedFont("CourierNew", style, charset);
            for (int code = 0; code < 256; ++code)
                ASSERT_EQ(font.Widths[code], 600) << charset << "/" << style << "@" << code;
        }
    }
}

TEST(BuiltinMetrics, SymbolAndZapfDingbatsIgnoreStyleAndCharset) {
    for (const char* family : {"Symbol", "ZapfDingbats"}) {
        FontRecord plain = LoadedFont(family, 0, 0);
        FontRecord other = LoadedFont(family, 3, 238);
        EXPECT_EQ(other.BaseFont, family);
        EXPECT_EQ(other.Key, plain.Key);
        EXPECT_EQ(other.Widths, plain.Widths);
        EXPECT_EQ(other.Charset, 238);
    }
    EXPECT_EQ(LoadedFont("Symbol", 0, 0).Key, "SYMBOL");
    EXPECT_EQ(LoadedFont("ZapfDingbats", 0, 0).Key, "ZAPFDINGBATS");
}

}  // namespace
}  // namespace pdf
