#include <gtest/gtest.h>

#include "pdf/core/colour.h"
#include "pdf_test_support.h"

namespace pdf {
namespace {

std::string Parse(const std::string& notation, std::string* fallback = nullptr, int precision = 3)
{
    std::string colour = notation;
    std::string alternative;
    ParseColor(colour, alternative, precision);
    if (fallback)
        *fallback = alternative;
    return colour;
}

TEST(ParseColor, ColourNumbersHaveRedInTheLowByte)
{
    EXPECT_EQ(Parse("255"), "#1 0 0");
    EXPECT_EQ(Parse("16711680"), "#0 0 1");
    EXPECT_EQ(Parse("-1"), "#0 0 0");
    EXPECT_EQ(Parse("16777215"), "#1 1 1");
    EXPECT_EQ(Parse(" +255 "), "#1 0 0");
    EXPECT_EQ(Parse("&HFF00"), "#0 1 0");
    EXPECT_EQ(Parse("254.6"), "#1 0 0");
    EXPECT_THROW(Parse("99999999999"), Error);
}

TEST(ParseColor, HexadecimalRgb)
{
    EXPECT_EQ(Parse("#FF8000"), "#1 0.502 0");
    EXPECT_EQ(Parse("#ff8000ignored"), "#1 0.502 0");
    EXPECT_EQ(Parse("#FFF"), "#0 0.059 1");
    EXPECT_EQ(Parse("#808080", nullptr, 0), "#1 1 1");
    EXPECT_THROW(Parse("#GG0000"), Error);
    EXPECT_THROW(Parse("#"), Error);
}

TEST(ParseColor, GreyIsAPercentageOfBlack)
{
    EXPECT_EQ(Parse("%25"), "%0.75");
    EXPECT_EQ(Parse("%0"), "%1");
    EXPECT_EQ(Parse("%100"), "%0");
    EXPECT_EQ(Parse("%"), "%1");
}

TEST(ParseColor, ComponentListsGiveRgbOrCmyk)
{
    EXPECT_EQ(Parse("@255;0;0"), "#1 0 0");
    EXPECT_EQ(Parse("@0;100;100;0"), "@0 1 1 0");
    EXPECT_EQ(Parse("@12,5;0;0;0"), "@0.125 0 0 0");
    EXPECT_EQ(Parse("@1;2"), "");
}

// Colours handed on between operations (tags, gradients, masks) are parsed again.
TEST(ParseColor, TheWritersOwnNotationIsKept)
{
    EXPECT_EQ(Parse("#1 0 0"), "#1 0 0");
    EXPECT_EQ(Parse("#0.502 0.25 1"), "#0.502 0.25 1");
    EXPECT_EQ(Parse("@0 1 1 0"), "@0 1 1 0");
    EXPECT_THROW(Parse("#1 0"), Error);
    EXPECT_THROW(Parse("#A B C"), Error);
}

TEST(ParseColor, NamesIgnoreCaseAndSurroundingSpaces)
{
    EXPECT_EQ(Parse("Red"), "#1 0 0");
    EXPECT_EQ(Parse("  red "), "#1 0 0");
    EXPECT_EQ(Parse("RED"), "#1 0 0");
    std::string fallback = "stale";
    EXPECT_EQ(Parse("red|blue", &fallback), "#1 0 0");
    EXPECT_EQ(fallback, "");
    EXPECT_EQ(Parse("gray", nullptr, 0), "#0.502 0.502 0.502");
    EXPECT_EQ(Parse("orange"), "#1 0.498 0");
    EXPECT_EQ(Parse("beige"), "#0.961 0.961 0.863");
}

TEST(ParseColor, OtherNamesArePatternsWithAnOptionalFallback)
{
    std::string fallback;
    EXPECT_EQ(Parse(" shade1 ", &fallback), "SHADE1");
    EXPECT_EQ(fallback, "");
    EXPECT_EQ(Parse("hatch|%50", &fallback), "HATCH");
    EXPECT_EQ(fallback, "%0.5");
    EXPECT_EQ(Parse("hatch| %50 ", &fallback), "HATCH");
    EXPECT_EQ(fallback, "%0.5");
    EXPECT_EQ(Parse("hatch | #FF0000", &fallback), "HATCH");
    EXPECT_EQ(fallback, "#1 0 0");
    EXPECT_EQ(Parse("hatch|  @0;0;0;100", &fallback), "HATCH");
    EXPECT_EQ(fallback, "@0 0 0 1");
    EXPECT_EQ(Parse("hatch| ", &fallback), "HATCH");
    EXPECT_EQ(fallback, "");
    EXPECT_EQ(Parse("dots|otherpattern|x", &fallback), "DOTS");
    EXPECT_EQ(fallback, "OTHERPATTERN");
}

class ColourSetters : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = testing_support::PinnedWriter();
        name = testing_support::CaseOutputPath("core_colour_");
        writer->BeginDoc(name);
        int page = 0;
        writer->BeginPage(page);
    }
    void TearDown() override
    {
        writer->EndDoc();
        testing_support::ExpectSoundFile(name);
    }

    std::string Written() { return PagelithTestPeer(*writer).PageContent(); }

    std::unique_ptr<Pagelith> writer;
    std::string name;
};

TEST_F(ColourSetters, WriteTheFillAndStrokeOperators)
{
    writer->SetColorFill("red");
    writer->SetColorLine("#FF8000");
    writer->SetColorFill("@0;100;100;0");
    writer->SetColorLine("%25");
    writer->SetColorFill("16711680");
    EXPECT_EQ(Written(), "\r1 0 0 rg\r1 0.502 0 RG\r0 1 1 0 k\r0.75 G\r0 0 1 rg");
}

TEST_F(ColourSetters, NamePatternsWithTheDocumentPrefix)
{
    const std::string prefix = PagelithTestPeer(*writer).ResPrefix();
    for (const char* name : {"shade1", "hatch"})
        writer->AddGradient(name, 2, "Red", "Blue", 0, 0, 10, 0, 0, 0, true, true);
    writer->SetColorFill("shade1");
    writer->SetColorFill("hatch|%50");
    writer->SetColorLine("hatch|@0;0;0;100");
    EXPECT_EQ(Written(), "\r/Pattern cs /" + prefix + "SHADE1 scn\r/CS-GRAY cs 0.5 /" + prefix +
                             "HATCH scn\r/CS-CMYK CS 0 0 0 1 /" + prefix + "HATCH SCN");
}

// Any caller's text may name a pattern: the content must still parse.
TEST_F(ColourSetters, PatternNamesAreEscapedAndOnlyColoursServeAsFallbacks)
{
    const std::string prefix = PagelithTestPeer(*writer).ResPrefix();
    for (const char* name : {"my (odd)/pattern", "dots"})
        writer->AddGradient(name, 2, "Red", "Blue", 0, 0, 10, 0, 0, 0, true, true);
    writer->SetColorFill("my (odd)/pattern");
    writer->SetColorLine("dots|other pattern");
    EXPECT_EQ(Written(), "\r/Pattern cs /" + prefix + "MY#20#28ODD#29#2FPATTERN scn\r/Pattern CS /" +
                             prefix + "DOTS SCN");
}

TEST_F(ColourSetters, EmptyOrBadColoursWriteNothing)
{
    PagelithTestPeer peer(*writer);
    writer->SetColorFill("");
    EXPECT_TRUE(peer.NoFill());
    EXPECT_EQ(peer.FillColour(), "#1 1 1");
    writer->SetColorFill("@1;2");
    EXPECT_TRUE(peer.NoFill());
    EXPECT_EQ(peer.FillColour(), "");
    EXPECT_THROW(writer->SetColorFill("#XYZ"), Error);
    EXPECT_EQ(peer.FillColour(), "");
    writer->SetColorText("blue");  // text colour reaches the content only with text
    EXPECT_EQ(Written(), "");
}

}  // namespace
}  // namespace pdf
