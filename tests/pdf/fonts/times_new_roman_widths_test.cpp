#include <algorithm>

#include <gtest/gtest.h>

#include "loaded_font.h"
#include "pdf/fonts/code_pages.h"

namespace pdf {
namespace {

using testing::LoadedFont;

constexpr FontCharset kOtherCharsets[] = {161, 162, 186, 204, 238};

FontWidths Times(FontCharset charset, int style) {
    return LoadedFont("TimesNewRoman", style, charset).Widths;
}

TEST(TimesNewRomanWesternWidths, TellingRows) {
    struct Row { int code; int widths[4]; };
    const Row rows[] = {
        {32, {250, 250, 250, 250}}, {39, {180, 278, 214, 278}}, {65, {722, 722, 611, 667}},
        {87, {944, 1000, 833, 889}}, {124, {200, 220, 275, 220}}, {140, {889, 1000, 944, 944}},
        {153, {980, 1000, 980, 1000}}, {159, {722, 722, 556, 611}}, {255, {500, 500, 444, 444}},
        // Multiply keeps the metrics' own width, unlike divide.
        {215, {564, 570, 675, 570}},
    };
    for (const Row& row : rows) {
        for (int style = 0; style < 4; ++style)
            EXPECT_EQ(Times(0, style)[row.code], row.widths[style]) << style << "@" << row.code;
    }
}

TEST(TimesNewRomanWesternWidths, FillersAndWindowsGlyphs) {
    for (int style = 0; style < 4; ++style) {
        FontWidths w = Times(0, style);
        for (int code = 0; code < 32; ++code)
            EXPECT_EQ(w[code], 333) << code;
        for (int code : {127, 129, 141, 143, 144, 157})
            EXPECT_EQ(w[code], 778) << code;
        EXPECT_EQ(w[128], 500);
        EXPECT_EQ(w[175], 500);
        EXPECT_EQ(w[177], 549);
        EXPECT_EQ(w[181], 576);
        EXPECT_EQ(w[247], 549);
        EXPECT_EQ(w[160], 250);
        EXPECT_EQ(w[32], 250);
        EXPECT_EQ(w[173], w[45]);
        EXPECT_EQ(w[45], 333);
        EXPECT_GE(*std::min_element(w.begin(), w.end()), 180);
        EXPECT_LE(*std::max_element(w.begin(), w.end()), 1000);
    }
}

TEST(TimesNewRomanWidths, LowerHalfIsSharedAndTruncated) {
    struct Row { int code; int widths[4]; };
    const Row rows[] = {
        {32, {250, 250, 250, 250}}, {38, {777, 833, 777, 777}}, {39, {180, 277, 213, 277}},
        {65, {722, 722, 610, 666}}, {72, {722, 777, 722, 777}}, {97, {443, 500, 500, 500}},
        {109, {777, 833, 722, 777}}, {127, {777, 777, 777, 777}},
    };
    const int lowerByOne[] = {30, 26, 38, 35};
    for (int style = 0; style < 4; ++style) {
        FontWidths baltic = Times(186, style);
        for (const Row& row : rows)
            EXPECT_EQ(baltic[row.code], row.widths[style]) << style << "@" << row.code;
        for (int code = 0; code < 32; ++code)
            EXPECT_EQ(baltic[code], 333);
        for (int code = 48; code <= 57; ++code)
            EXPECT_EQ(baltic[code], 500);
        for (FontCharset charset : kOtherCharsets) {
            FontWidths w = Times(charset, style);
            EXPECT_TRUE(std::equal(w.begin(), w.begin() + 128, baltic.begin())) << charset;
        }
        // Against the Western row, truncation lowers some codes by exactly one.
        FontWidths western = Times(0, style);
        int lower = 0;
        for (int code = 32; code < 127; ++code) {
            if (baltic[code] != western[code]) {
                EXPECT_EQ(baltic[code], western[code] - 1) << style << "@" << code;
                ++lower;
            }
        }
        EXPECT_EQ(lower, lowerByOne[style]) << style;
    }
}

TEST(TimesNewRomanWidths, UnassignedBytesHold777) {
    const std::pair<FontCharset, std::vector<int>> unassigned[] = {
        {186, {129, 131, 136, 138, 140, 144, 152, 154, 156, 159, 161, 165}},
        {204, {152}},
        {238, {129, 131, 136, 144, 152}},
        {161, {129, 136, 138, 140, 141, 142, 143, 144, 152, 154, 156, 157, 158, 159, 170, 210,
               255}},
        {162, {129, 141, 142, 143, 144, 157, 158}},
    };
    for (const auto& [charset, codes] : unassigned) {
        const CodePageMap& map = GetCodePageMap(charset);
        std::vector<int> undefined;
        for (int code = 128; code < 256; ++code) {
            if (map[code] < 0)
                undefined.push_back(code);
        }
        EXPECT_EQ(undefined, codes) << charset;
        for (int style = 0; style < 4; ++style) {
            FontWidths w = Times(charset, style);
            for (int code : codes)
                EXPECT_EQ(w[code], 777) << charset << "@" << code;
        }
    }
}

TEST(TimesNewRomanWidths, UpperHalfTellingRows) {
    struct Row { FontCharset charset; int code; int widths[4]; };
    const Row rows[] = {
        {186, 128, {500, 500, 500, 500}}, {186, 192, {722, 722, 610, 666}},
        {186, 208, {556, 556, 500, 556}}, {186, 254, {443, 443, 389, 389}},
        {186, 255, {333, 333, 333, 333}},
        {204, 136, {500, 500, 500, 500}}, {204, 192, {722, 722, 610, 666}},
        {204, 198, {895, 988, 916, 917}}, {204, 222, {1027, 1125, 1032, 1056}},
        {204, 255, {459, 541, 464, 515}},
        {238, 157, {427, 520, 363, 531}}, {238, 163, {610, 666, 556, 610}},
        {238, 213, {722, 777, 722, 722}}, {238, 239, {646, 733, 608, 748}},
        {238, 248, {333, 443, 389, 389}}, {238, 255, {333, 333, 333, 333}},
        {161, 211, {582, 653, 594, 619}}, {161, 217, {743, 800, 723, 746}},
        {161, 225, {523, 558, 524, 553}}, {161, 242, {395, 421, 405, 445}},
        {161, 255, {777, 777, 777, 777}},
        {162, 208, {722, 777, 722, 722}}, {162, 221, {333, 389, 333, 389}},
        {162, 253, {277, 277, 277, 277}}, {162, 255, {500, 500, 443, 443}},
    };
    for (const Row& row : rows) {
        for (int style = 0; style < 4; ++style)
            EXPECT_EQ(Times(row.charset, style)[row.code], row.widths[style])
                << row.charset << "/" << style << "@" << row.code;
    }
    for (FontCharset charset : kOtherCharsets) {
        for (int style = 0; style < 4; ++style) {
            FontWidths w = Times(charset, style);
            EXPECT_EQ(w[charset == 204 ? 136 : 128], 500);
            EXPECT_EQ(w[32], 250);
            EXPECT_EQ(w[160], 250);
        }
    }
}

TEST(TimesNewRomanWidths, AccentedLettersKeepTheirOwnWidths) {
    FontWidths centralEurope = Times(238, 0);
    EXPECT_EQ(centralEurope[157], 427);  // t with caron
    EXPECT_EQ(centralEurope['t'], 277);
    EXPECT_EQ(centralEurope[239], 646);  // d with caron
    EXPECT_EQ(centralEurope['d'], 500);
}

TEST(TimesNewRomanWidths, RangeOfValues) {
    for (FontCharset charset : kOtherCharsets) {
        for (int style = 0; style < 4; ++style) {
            FontWidths w = Times(charset, style);
            int narrowest = *std::min_element(w.begin(), w.end());
            int widest = *std::max_element(w.begin(), w.end());
            if (style == 0) {
                EXPECT_EQ(narrowest, 180) << charset;
            }
            EXPECT_GE(narrowest, 180) << charset << "/" << style;
            EXPECT_LE(widest, charset == 204 ? 1125 : 1000) << charset << "/" << style;
        }
    }
    FontWidths cyrillicBold = Times(204, 1);
    EXPECT_EQ(*std::max_element(cyrillicBold.begin(), cyrillicBold.end()), 1125);
}

TEST(TimesNewRomanWidths, SevenHundredSeventySevenIsAlsoAnOrdinaryWidth) {
    EXPECT_EQ(Times(238, 0)['&'], 777);
    EXPECT_EQ(Times(238, 2)['&'], 777);
    EXPECT_EQ(Times(238, 3)['&'], 777);
    EXPECT_EQ(Times(238, 0)['m'], 777);
    EXPECT_EQ(Times(238, 3)['m'], 777);
    EXPECT_EQ(Times(238, 3)['H'], 777);
    for (char letter : {'G', 'H', 'K', 'O', 'Q'})
        EXPECT_EQ(Times(238, 1)[letter], 777) << letter;
    // Cyrillic Dzhe, I, short I, En, Pe and Tse.
    for (int code : {143, 200, 201, 205, 207, 214}) {
        EXPECT_EQ(Times(204, 1)[code], 777) << code;
        EXPECT_EQ(Times(204, 3)[code], 777) << code;
    }
}

TEST(TimesNewRomanWidths, TurkishIsNotWesternWithTurkishLetters) {
    const int lowerByOne[] = {73, 60, 83, 74};
    // Where code page 1254 holds other characters than 1252, or none.
    const int otherCharacters[] = {142, 158, 208, 221, 222, 240, 253, 254};
    for (int style = 0; style < 4; ++style) {
        FontWidths turkish = Times(162, style), western = Times(0, style);
        int lower = 0;
        for (int code = 0; code < 256; ++code) {
            if (std::find(std::begin(otherCharacters), std::end(otherCharacters), code) !=
                    std::end(otherCharacters) ||
                turkish[code] == western[code])
                continue;
            EXPECT_EQ(turkish[code], western[code] - 1) << style << "@" << code;
            ++lower;
        }
        EXPECT_EQ(lower, lowerByOne[style]) << style;
        EXPECT_EQ(turkish[177], 548);
        EXPECT_EQ(turkish[247], 548);
    }
}

}  // namespace
}  // namespace pdf
