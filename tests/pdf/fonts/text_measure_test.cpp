// Text in the current font: its bytes, its width and its line height, for every family.
#include <gtest/gtest.h>

#include "font_test_support.h"
#include "pdf/fonts/width_tables.h"

namespace pdf {
namespace {

class TextMeasure : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = testing_support::PinnedWriter();
        path = testing_support::CaseOutputPath("fonts_measure_");
        writer->BeginDoc(path);
    }
    // Every case leaves a complete document that qpdf accepts.
    void TearDown() override
    {
        testing_support::FinishChecked(*writer, path);
    }

    std::unique_ptr<Pagelith> writer;
    std::string path;
};

TEST_F(TextMeasure, WidthsAndLineHeightsOfEveryFamily)
{
    struct Case {
        const char* family;
        int style;
        const char* text;
        float width;       // at size 10, in points
        float lineHeight;  // at size 10
    };
    const Case cases[] = {
        {"Arial", 0, "Hello", 22.78f, 12.21f},
        {"Helvetica", 1, "Hello", 24.45f, 12.21f},  // 722 556 278 278 611
        {"Times", 0, "Hello", 22.22f, 11.07f},
        {"Times New Roman", 2, "Hello", 22.22f, 11.07f},  // 722 444 278 278 500
        {"Courier", 3, "Hello", 30, 11.33f},
        {"Symbol", 0, "ab ", 14.30f, 12.25f},
        {"ZapfDingbats", 0, "!", 9.74f, 12.21f},
        {"Unknown Family", 0, "Hello", 22.78f, 12.21f},
    };
    for (const Case& c : cases) {
        writer->SetFont(c.family, 10, c.style, 0);
        EXPECT_NEAR(writer->GetTextWidth(c.text), c.width, 1e-4) << c.family;
        EXPECT_NEAR(writer->GetTextHeight(), c.lineHeight, 1e-4) << c.family;
    }
}

TEST_F(TextMeasure, SpacingScalingAndUnitsCount)
{
    writer->SetFont("Courier", 20, 0, 0);
    // Three characters of 600, one of them a space.
    EXPECT_FLOAT_EQ(writer->GetTextWidth("a b"), 36);
    writer->SetCharSpacing(1);
    writer->SetWordSpacing(2);
    EXPECT_FLOAT_EQ(writer->GetTextWidth("a b"), 36 + 3 + 2);
    writer->SetTextHorizontalScaling(50);
    EXPECT_FLOAT_EQ(writer->GetTextWidth("a b"), 41 / 2.0f);
    writer->SetScale(1, 0);
    EXPECT_FLOAT_EQ(writer->GetTextWidth("a b"), 41 / 2.0f / 72);
    EXPECT_FLOAT_EQ(writer->GetTextWidth(""), 0);
}

TEST_F(TextMeasure, TextIsMeasuredInTheBytesOfTheFontsCodePage)
{
    PagelithTestPeer peer(*writer);
    const auto& cyrillic = kArialWidths[static_cast<int>(CodePage::k1251)][0];
    const auto& western = kArialWidths[static_cast<int>(CodePage::k1252)][0];

    writer->SetFont("Arial", 10, 0, 204);
    EXPECT_EQ(peer.EncodeText("Жж!"), "\xC6\xE6!");
    EXPECT_FLOAT_EQ(writer->GetTextWidth("Ж"), cyrillic[0xC6] / 100.0f);
    ASSERT_NE(cyrillic[0xC6], western[0xC6]);

    writer->SetFont("Arial", 10, 1, 161);
    EXPECT_EQ(peer.EncodeText("Ωω"), "\xD9\xF9");
    EXPECT_FLOAT_EQ(writer->GetTextWidth("Ω"),
                    kArialWidths[static_cast<int>(CodePage::k1253)][1][0xD9] / 100.0f);

    // What the code page lacks is written and measured as "?".
    writer->SetFont("Arial", 10, 0, 0);
    EXPECT_EQ(peer.EncodeText("Ж€"), "?\x80");
    EXPECT_FLOAT_EQ(writer->GetTextWidth("Ж"), western['?'] / 100.0f);
}

TEST_F(TextMeasure, SymbolFontsTakeWesternBytesForTheirOwnCodes)
{
    PagelithTestPeer peer(*writer);
    // Selected under the Cyrillic charset, the Symbol font still reads Western bytes.
    writer->SetFont("Symbol", 10, 0, 204);
    EXPECT_EQ(peer.EncodeText("ab\xC2\xB7Ж"), "ab\xB7?");
    EXPECT_FLOAT_EQ(writer->GetTextWidth("\xC2\xB7"), kSymbolWidths[0xB7] / 100.0f);
    writer->SetFont("ZapfDingbats", 10, 0, 238);
    EXPECT_EQ(peer.EncodeText("4Ř"), "4?");
}

TEST_F(TextMeasure, AnyFontIndexAndNoFontAtAll)
{
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(writer->GetTextWidth("Hello"), 0);
    EXPECT_EQ(writer->GetTextHeight(), 0);
    // Without a font the spacings do not count either.
    writer->SetWordSpacing(3);
    EXPECT_EQ(writer->GetTextWidth("a b c"), 0);

    writer->SetWordSpacing(0);
    writer->SetFont("Courier", 10, 0, 0);
    writer->SetFont("Times", 10, 0, 0);
    EXPECT_FLOAT_EQ(peer.GetStringWidth("Hello", 1, 10), 30);
    EXPECT_FLOAT_EQ(peer.GetStringWidth("Hello", 2, 5), 11.11f);
    EXPECT_EQ(peer.GetStringWidth("Hello", 3, 10), 0);
}

}  // namespace
}  // namespace pdf
