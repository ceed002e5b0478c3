// Text-state operators, the text-box style and the rich-text tags.
#include <gtest/gtest.h>

#include "pdf_test_support.h"

namespace pdf {
namespace {

class TextState : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = testing_support::PinnedWriter();
        path = testing_support::CaseOutputPath("core_text_state_");
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
    }
    // Every case leaves a complete document that qpdf accepts.
    void TearDown() override
    {
        testing_support::FinishChecked(*writer, path);
    }

    std::string Written() { return PagelithTestPeer(*writer).PageContent(); }

    std::unique_ptr<Pagelith> writer;
    std::string path;
};

TEST_F(TextState, OperatorsAreWrittenUnscaled)
{
    writer->SetScale(2, 0);
    writer->SetCharSpacing(0.5f);
    writer->SetWordSpacing(-1.25f);
    writer->SetTextHorizontalScaling(80);
    writer->SetTextMode(2);
    writer->SetTextMode(9);
    EXPECT_EQ(Written(), "\r0.5 Tc\r-1.25 Tw\r80 Tz\r2 Tr\r9 Tr");
    EXPECT_THROW(writer->SetTextMode(40000), Error);
}

TEST_F(TextState, BoxStyleKeepsItsLengthsInPoints)
{
    writer->SetScale(2, 0);
    writer->SetBoxStyle(1.5f, 1, 2, 3, 4, 5, 10, 0.25f);
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(peer.LineSpacing(), 1.5f);
    EXPECT_FLOAT_EQ(peer.Box().Indent, 2.8346455f);
    EXPECT_FLOAT_EQ(peer.Box().Left, 2 * 2.8346455f);
    EXPECT_FLOAT_EQ(peer.Box().Top, 3 * 2.8346455f);
    EXPECT_FLOAT_EQ(peer.Box().Right, 4 * 2.8346455f);
    EXPECT_FLOAT_EQ(peer.Box().Bottom, 5 * 2.8346455f);
    EXPECT_EQ(peer.Box().BorderMask, 10);
    EXPECT_EQ(peer.Box().Radius, 0.25f);

    writer->SetBoxStyle(-1, 0, 0, 0, 0, 0, 15, 0);
    EXPECT_EQ(peer.LineSpacing(), 1.5f);
    EXPECT_EQ(peer.Box().Left, 0);
    EXPECT_EQ(Written(), "");

}

TEST(TextStateReset, BringsBackTheFourSidesAndKeepsTheLengthsAndRadius)
{
    auto writer = testing_support::PinnedWriter();
    writer->SetBoxStyle(2, 0, 7, 0, 0, 0, 2, 4);
    writer->Abort();
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(peer.Box().BorderMask, 15);
    EXPECT_EQ(peer.Box().Left, 7);
    EXPECT_EQ(peer.Box().Radius, 4);
    EXPECT_EQ(peer.LineSpacing(), 1);
}

TEST_F(TextState, TagsAreDefinedReplacedAndCleared)
{
    PagelithTestPeer peer(*writer);
    writer->SetTextTag("b", "Arial", 0, 1, 0, "", "");
    writer->SetTextTag("B", "Times", 14, 2, 238, "red", "#00FF00");
    writer->SetTextTag("b", "Courier", 9, 3, 204, "%50", "");
    ASSERT_EQ(peer.TextTagCount(), 2);
    EXPECT_EQ(peer.TextTag(1).Name, "b");
    EXPECT_EQ(peer.TextTag(1).Font, "Courier");
    EXPECT_EQ(peer.TextTag(1).Size, 9);
    EXPECT_EQ(peer.TextTag(1).Style, 3);
    EXPECT_EQ(peer.TextTag(1).Charset, 204);
    EXPECT_EQ(peer.TextTag(1).TextColor, "%0.5");
    EXPECT_EQ(peer.TextTag(1).FillColor, "");
    EXPECT_EQ(peer.TextTag(2).TextColor, "#1 0 0");
    EXPECT_EQ(peer.TextTag(2).FillColor, "#0 1 0");

    writer->SetTextTag("", "", 0, 0, 0, "", "");
    EXPECT_EQ(peer.TextTagCount(), 0);
    writer->SetTextTag("i", "Arial", 0, 2, 0, "", "");
    EXPECT_EQ(peer.TextTagCount(), 1);
    EXPECT_EQ(peer.TextTag(1).Name, "i");
    EXPECT_EQ(peer.TextTag(1).Style, 2);
}

TEST_F(TextState, TheTwoHundredAndFiftySixthTagIsIgnored)
{
    PagelithTestPeer peer(*writer);
    for (int n = 1; n <= 256; ++n)
        writer->SetTextTag("t" + std::to_string(n), "Arial", 0, 0, 0, "", "");
    EXPECT_EQ(peer.TextTagCount(), 255);
    EXPECT_EQ(peer.TextTag(255).Name, "t255");
    // An existing tag can still be redefined.
    writer->SetTextTag("t7", "Symbol", 0, 0, 0, "", "");
    EXPECT_EQ(peer.TextTag(7).Font, "Symbol");
}

TEST_F(TextState, TextHeightIsTheFontsLineInUserUnits)
{
    EXPECT_EQ(writer->GetTextHeight(), 0);
    writer->SetFont("ZapfDingbats", 10, 0, 0);
    EXPECT_FLOAT_EQ(writer->GetTextHeight(), 12.21f);
    writer->SetScale(1, 0);
    writer->SetFont("Courier", 36, 0, 0);
    EXPECT_FLOAT_EQ(writer->GetTextHeight(), 1133 * 36 / 1000.0f / 72);
}

}  // namespace
}  // namespace pdf
