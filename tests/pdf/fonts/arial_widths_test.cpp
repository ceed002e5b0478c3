#include <algorithm>

#include <gtest/gtest.h>

#include "loaded_font.h"
#include "pdf/fonts/code_pages.h"

namespace pdf {
namespace {

using testing::LoadedFont;

constexpr FontCharset kAllCharsets[] = {0, 161, 162, 186, 204, 238};
constexpr FontCharset kRuleBuiltCharsets[] = {161, 162, 186, 204, 238};

FontWidths Arial(FontCharset charset, int style) {
    return LoadedFont("Arial", style, charset).Widths;
}

TEST(ArialWidths, ControlCodesDeleteAndUndefinedBytesHoldFillers) {
    const int control[] = {272, 311, 259, 311};
    for (FontCharset charset : kAllCharsets) {
        const CodePageMap& map = GetCodePageMap(charset);
        for (int style = 0; style < 4; ++style) {
            FontWidths w = Arial(charset, style);
            for (int code = 0; code < 32; ++code)
                EXPECT_EQ(w[code], control[style]) << charset << "/" << style << "@" << code;
            EXPECT_EQ(w[127], 750);
            for (int code = 128; code < 256; ++code) {
                if (map[code] < 0) {
                    EXPECT_EQ(w[code], 750) << charset << "/" << style << "@" << code;
                }
            }
        }
    }
}

TEST(ArialWidths, WesternFollowsHelveticaMetricsWithFourWindowsGlyphs) {
    for (int style = 0; style < 3; ++style) {
        FontWidths w = Arial(0, style);
        EXPECT_EQ(w[175], 552);
        EXPECT_EQ(w[177], 549);
        EXPECT_EQ(w[181], 576);
        EXPECT_EQ(w[247], 549);
        EXPECT_EQ(w[128], 556);
        EXPECT_EQ(w[32], 278);
    }
    FontWidths regular = Arial(0, 0), italic = Arial(0, 2);
    for (int code = 32; code < 256; ++code)
        EXPECT_EQ(italic[code], regular[code]) << code;
}

TEST(ArialWidths, WesternCodes128To159) {
    struct Row { int code, regular, bold; };
    const Row rows[] = {
        {128, 556, 556}, {130, 222, 278}, {131, 556, 556}, {132, 333, 500},
        {133, 1000, 1000}, {134, 556, 556}, {135, 556, 556}, {136, 333, 333},
        {137, 1000, 1000}, {138, 667, 667}, {139, 333, 333}, {140, 1000, 1000},
        {142, 611, 611}, {145, 222, 278}, {146, 222, 278}, {147, 333, 500},
        {148, 333, 500}, {149, 350, 350}, {150, 556, 556}, {151, 1000, 1000},
        {152, 333, 333}, {153, 1000, 1000}, {154, 500, 556}, {155, 333, 333},
        {156, 944, 944}, {158, 500, 500}, {159, 667, 667},
    };
    FontWidths regular = Arial(0, 0), bold = Arial(0, 1), italic = Arial(0, 2);
    for (const Row& row : rows) {
        EXPECT_EQ(regular[row.code], row.regular) << row.code;
        EXPECT_EQ(italic[row.code], row.regular) << row.code;
        EXPECT_EQ(bold[row.code], row.bold) << row.code;
    }
}

TEST(ArialWidths, WesternTellingValues) {
    FontWidths regular = Arial(0, 0);
    const std::pair<int, int> regularValues[] = {{32, 278}, {39, 191}, {64, 1015}, {65, 667},
                                                 {96, 333}, {160, 278}, {173, 333},
                                                 {198, 1000}, {255, 500}};
    for (auto [code, width] : regularValues)
        EXPECT_EQ(regular[code], width) << code;
    FontWidths bold = Arial(0, 1);
    const std::pair<int, int> boldValues[] = {{39, 238}, {64, 975}, {65, 722}, {255, 556}};
    for (auto [code, width] : boldValues)
        EXPECT_EQ(bold[code], width) << code;
}

// Measured with Cyrillic widths, accented bold-italic text would be misplaced when
// right-aligned or centred.
TEST(ArialWidths, WesternBoldItalicHasTheWesternBoldItalicGlyphs) {
    FontWidths w = Arial(0, 3);
    EXPECT_EQ(w[32], 278);
    EXPECT_EQ(w[128], 556);   // euro
    EXPECT_EQ(w[129], 750);   // undefined
    EXPECT_EQ(w[0xC9], 667);  // É
    EXPECT_EQ(w[0xB9], 333);  // ¹
    EXPECT_EQ(w[255], 556);
    FontWidths bold = Arial(0, 1);
    for (int code = 32; code < 256; ++code)
        EXPECT_EQ(w[code], bold[code]) << code;
}

TEST(ArialWidths, RuleBuiltTablesShareTheirLowerHalf) {
    auto sameLowerHalf = [](const FontWidths& a, const FontWidths& b) {
        return std::equal(a.begin(), a.begin() + 128, b.begin());
    };
    for (int style = 0; style < 4; ++style) {
        FontWidths turkish = Arial(162, style);
        for (FontCharset charset : kRuleBuiltCharsets)
            EXPECT_TRUE(sameLowerHalf(Arial(charset, style), turkish)) << charset << "/" << style;
        EXPECT_EQ(turkish[32], 277);
    }
    EXPECT_EQ(Arial(238, 0)[65], 666);
}

TEST(ArialWidths, RuleBuiltTellingValues) {
    struct Row { FontCharset charset; int code; int widths[4]; };
    const Row rows[] = {
        {186, 192, {666, 722, 666, 722}}, {186, 240, {500, 556, 500, 556}},
        {204, 128, {864, 885, 842, 885}}, {204, 198, {923, 903, 916, 903}},
        {204, 242, {458, 489, 833, 850}}, {238, 138, {666, 666, 666, 666}},
        {238, 232, {500, 556, 500, 556}}, {238, 255, {333, 333, 333, 333}},
        {161, 193, {666, 722, 666, 722}}, {161, 211, {618, 600, 599, 590}},
        {161, 249, {780, 844, 778, 834}}, {162, 221, {277, 277, 277, 277}},
        {162, 254, {500, 556, 500, 556}},
    };
    for (const Row& row : rows) {
        for (int style = 0; style < 4; ++style)
            EXPECT_EQ(Arial(row.charset, style)[row.code], row.widths[style])
                << row.charset << "/" << style << "@" << row.code;
    }
}

TEST(ArialWidths, CyrillicExceptions) {
    EXPECT_EQ(Arial(204, 2)[239], 550);
    FontWidths bold = Arial(204, 1), boldItalic = Arial(204, 3);
    for (int code = 0; code < 256; ++code) {
        if (code != 242) {
            EXPECT_EQ(boldItalic[code], bold[code]) << code;
        }
    }
    EXPECT_EQ(boldItalic[242], 850);
    EXPECT_EQ(bold[242], 489);
}

TEST(ArialWidths, ItalicAgreesWithUprightOnlyInSomeCodePages) {
    auto sameFrom32 = [](const FontWidths& a, const FontWidths& b) {
        return std::equal(a.begin() + 32, a.end(), b.begin() + 32);
    };
    for (FontCharset charset : {162, 186}) {
        EXPECT_TRUE(sameFrom32(Arial(charset, 2), Arial(charset, 0))) << charset;
        EXPECT_TRUE(sameFrom32(Arial(charset, 3), Arial(charset, 1))) << charset;
    }
    for (FontCharset charset : {161, 204, 238}) {
        EXPECT_FALSE(sameFrom32(Arial(charset, 2), Arial(charset, 0))) << charset;
        EXPECT_FALSE(sameFrom32(Arial(charset, 3), Arial(charset, 1))) << charset;
    }
    EXPECT_EQ(Arial(238, 2)[157], 354);
    EXPECT_EQ(Arial(238, 0)[157], 375);
}

}  // namespace
}  // namespace pdf
