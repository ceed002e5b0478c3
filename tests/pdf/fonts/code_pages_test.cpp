#include <algorithm>
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "pdf/fonts/code_pages.h"

namespace pdf {
namespace {

constexpr FontCharset kAllCharsets[] = {0, 161, 162, 186, 204, 238};

bool StartsWith(const std::string& text, const std::string& start) {
    return text.compare(0, start.size(), start) == 0;
}

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST(CodePageMap, LowerHalfMapsToItself) {
    for (FontCharset charset : kAllCharsets) {
        const CodePageMap& map = GetCodePageMap(charset);
        for (int code = 0; code < 128; ++code)
            ASSERT_EQ(map[code], code);
        EXPECT_LE(*std::max_element(map.begin(), map.end()), 8482) << charset;
    }
}

TEST(CodePageMap, Western) {
    const CodePageMap& map = GetCodePageMap(0);
    EXPECT_EQ(map[128], 8364);
    for (int code : {129, 141, 143, 144, 157})
        EXPECT_EQ(map[code], -1) << code;
    EXPECT_EQ(map[159], 376);
    EXPECT_EQ(map[153], 8482);
    EXPECT_EQ(map[255], 255);
    for (FontCharset other : {1, 77, 128, -1})
        EXPECT_EQ(&GetCodePageMap(other), &map) << other;
}

TEST(CodePageMap, OtherCodePages) {
    const CodePageMap& cyrillic = GetCodePageMap(204);
    EXPECT_EQ(cyrillic[128], 1026);
    EXPECT_EQ(cyrillic[136], 8364);
    EXPECT_EQ(cyrillic[152], -1);
    EXPECT_EQ(cyrillic[255], 1103);
    EXPECT_EQ(std::count(cyrillic.begin(), cyrillic.end(), -1), 1);

    const CodePageMap& greek = GetCodePageMap(161);
    EXPECT_EQ(greek[170], -1);
    EXPECT_EQ(greek[210], -1);
    EXPECT_EQ(greek[255], -1);
    EXPECT_EQ(greek[211], 0x03A3);

    EXPECT_EQ(GetCodePageMap(162)[208], 0x011E);
    EXPECT_EQ(GetCodePageMap(186)[192], 0x0104);
    EXPECT_EQ(GetCodePageMap(238)[157], 0x0165);
}

TEST(CodePageDifferences, FormOfEveryText) {
    const std::pair<FontCharset, int> nameCounts[] = {{161, 111}, {162, 121}, {186, 116},
                                                      {204, 127}, {238, 123}, {0, 123}};
    std::regex token("^(\\d+|/[A-Za-z0-9]+)$");
    for (auto [charset, count] : nameCounts) {
        std::string text = GetCodePageDifferences(charset);
        ASSERT_TRUE(StartsWith(text, "[128 /")) << charset;
        ASSERT_TRUE(EndsWith(text, "]")) << charset;
        const CodePageMap& map = GetCodePageMap(charset);
        int names = 0, expected = 128;
        bool run = false;
        std::string body = text.substr(1, text.size() - 2);
        std::size_t start = 0;
        while (start <= body.size()) {
            std::size_t end = body.find(' ', start);
            std::string item = body.substr(start, end == std::string::npos ? end : end - start);
            ASSERT_TRUE(std::regex_match(item, token)) << charset << ": '" << item << "'";
            if (item[0] == '/') {
                while (map[expected] < 0)
                    ++expected;
                ASSERT_TRUE(run) << "name without its byte before byte " << expected;
                ++names;
                ++expected;
            } else {
                int code = std::stoi(item);
                // A number only where the bytes do not follow on from the previous name.
                EXPECT_TRUE(!run || map[expected] < 0) << charset << " " << code;
                while (map[expected] < 0)
                    ++expected;
                EXPECT_EQ(code, expected) << charset;
                run = true;
            }
            if (end == std::string::npos)
                break;
            start = end + 1;
        }
        EXPECT_EQ(names, count) << charset;
    }
}

TEST(CodePageDifferences, Western) {
    std::string text = GetCodePageDifferences(0);
    EXPECT_TRUE(StartsWith(text, "[128 /Euro 130 /quotesinglbase /florin /quotedblbase "
                                 "/ellipsis /dagger /daggerdbl "));
    EXPECT_NE(text.find("/OE 142 /Zcaron 145 /quoteleft"), std::string::npos);
    EXPECT_NE(text.find(" /Ydieresis /space /exclamdown "), std::string::npos);
    EXPECT_NE(text.find("/logicalnot /hyphen /registered /macron"), std::string::npos);
    EXPECT_NE(text.find("/acute /mu /paragraph /periodcentered"), std::string::npos);
    EXPECT_TRUE(EndsWith(text, "/thorn /ydieresis]"));
    for (FontCharset other : {1, 77})
        EXPECT_EQ(GetCodePageDifferences(other), text);
}

TEST(CodePageDifferences, Greek) {
    std::string text = GetCodePageDifferences(161);
    EXPECT_TRUE(StartsWith(text, "[128 /Euro 130 /quotesinglbase /florin /quotedblbase "
                                 "/ellipsis /dagger /daggerdbl "));
    EXPECT_NE(text.find(" 160 /space /dieresistonos /Alphatonos "), std::string::npos);
    EXPECT_NE(text.find(" /afii00208 "), std::string::npos);
    EXPECT_NE(text.find(" /tonos /mu "), std::string::npos);
    EXPECT_NE(text.find(" /Rho 211 /Sigma "), std::string::npos);
    // Readers take "mu" for the micro sign and may not know "sigma1".
    EXPECT_NE(text.find(" /lambda /uni03BC /nu "), std::string::npos);
    EXPECT_NE(text.find(" /uni03C2 /sigma "), std::string::npos);
    EXPECT_TRUE(EndsWith(text, "/omegatonos]"));
}

TEST(CodePageDifferences, Cyrillic) {
    std::string text = GetCodePageDifferences(204);
    EXPECT_TRUE(StartsWith(text, "[128 /afii10051 /afii10052 /quotesinglbase /afii10100"));
    EXPECT_NE(text.find(" 153 /trademark "), std::string::npos);
    EXPECT_NE(text.find(" /afii10017 "), std::string::npos);
    EXPECT_NE(text.find(" /afii61352 "), std::string::npos);
    EXPECT_TRUE(EndsWith(text, " /afii10097]"));
    std::regex number(" \\d+ ");
    EXPECT_EQ(std::distance(std::sregex_iterator(text.begin(), text.end(), number),
                            std::sregex_iterator()),
              1);
}

TEST(CodePageDifferences, CentralEuropeanBalticAndTurkish) {
    std::string centralEurope = GetCodePageDifferences(238);
    EXPECT_TRUE(StartsWith(centralEurope, "[128 /Euro 130 /quotesinglbase 132 /quotedblbase"));
    for (const char* name : {" /Tcommaaccent ", " /tcommaaccent ", " /Dcroat ", " /dcroat ",
                             " /Ohungarumlaut ", " /Zdotaccent "})
        EXPECT_NE(centralEurope.find(name), std::string::npos) << name;
    EXPECT_TRUE(EndsWith(centralEurope, "/tcommaaccent /dotaccent]"));

    std::string baltic = GetCodePageDifferences(186);
    for (const char* name : {" /Rcommaaccent ", " /Gcommaaccent ", " /Kcommaaccent ",
                             " /Lcommaaccent ", " /Ncommaaccent ", " /ncommaaccent "})
        EXPECT_NE(baltic.find(name), std::string::npos) << name;
    EXPECT_TRUE(EndsWith(baltic, "/zcaron /dotaccent]"));

    std::string turkish = GetCodePageDifferences(162);
    EXPECT_NE(turkish.find(" /Gbreve "), std::string::npos);
    EXPECT_NE(turkish.find(" /Idotaccent /Scedilla "), std::string::npos);
    EXPECT_NE(turkish.find(" /dotlessi /scedilla /ydieresis]"), std::string::npos);
}

TEST(ToCodePage, AsciiPassesThrough) {
    for (FontCharset charset : kAllCharsets)
        EXPECT_EQ(ToCodePage("Planning 2024 (A-Z) \t~", charset), "Planning 2024 (A-Z) \t~");
}

TEST(ToCodePage, EachCodePageEncodesItsOwnLetters) {
    EXPECT_EQ(ToCodePage("Créé à 5 € – “oui”", 0), "Cr\xE9\xE9 \xE0 5 \x80 \x96 \x93oui\x94");
    EXPECT_EQ(ToCodePage("Łódź, żółć", 238), "\xA3\xF3\x64\x9F, \xBF\xF3\xB3\xE6");
    EXPECT_EQ(ToCodePage("Привет, Ёж №1", 204), "\xCF\xF0\xE8\xE2\xE5\xF2, \xA8\xE6 \xB9\x31");
    EXPECT_EQ(ToCodePage("Καλημέρα ς", 161), "\xCA\xE1\xEB\xE7\xEC\xDD\xF1\xE1 \xF2");
    EXPECT_EQ(ToCodePage("İstanbul ğış", 162), "\xDDstanbul \xF0\xFD\xFE");
    EXPECT_EQ(ToCodePage("Šiaulių Ąžuolas", 186), "\xD0iauli\xF8 \xC0\xFEuolas");
}

TEST(ToCodePage, EveryDefinedByteRoundTrips) {
    for (FontCharset charset : kAllCharsets) {
        const CodePageMap& map = GetCodePageMap(charset);
        for (int code = 128; code < 256; ++code) {
            if (map[code] < 0)
                continue;
            auto c = static_cast<char32_t>(map[code]);
            std::string utf8;
            if (c < 0x800) {
                utf8 += static_cast<char>(0xC0 | (c >> 6));
            } else {
                utf8 += static_cast<char>(0xE0 | (c >> 12));
                utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            }
            utf8 += static_cast<char>(0x80 | (c & 0x3F));
            EXPECT_EQ(ToCodePage(utf8, charset), std::string(1, static_cast<char>(code)))
                << charset << "@" << code;
        }
    }
}

TEST(ToCodePage, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(ToCodePage("Ж", 0), "?");
    EXPECT_EQ(ToCodePage("é", 204), "?");
    EXPECT_EQ(ToCodePage("a😀b", 0), "a?b");
    EXPECT_EQ(ToCodePage("\xC2\x81", 0), "?");   // a C1 control the code page leaves out
    EXPECT_EQ(ToCodePage("a\xFF" "b", 0), "a?b");
    EXPECT_EQ(ToCodePage("\xF8\x88\x80\x80\x80", 0), "?????");  // no such lead byte
    EXPECT_EQ(ToCodePage("\xC3", 0), "?");       // cut short at the end
    EXPECT_EQ(ToCodePage("\xC3(", 0), "?(");     // continuation byte missing
    EXPECT_EQ(ToCodePage("\xC0\xAF", 0), "??");  // overlong
    EXPECT_EQ(ToCodePage("\xED\xA0\x80", 0), "???");  // surrogate
    EXPECT_EQ(ToCodePage("", 0), "");
}

}  // namespace
}  // namespace pdf
