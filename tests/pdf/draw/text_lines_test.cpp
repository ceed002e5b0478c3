// One line of text: the text object it writes, its alignment, justification and fitting,
// its colour and decorations, its box and where it leaves the current point.  Arial at 10
// points: "a" and "b" are 5.56 wide, "c" 5, a blank 2.78; a line is 12.21 high and its
// descent 2.21.
#include <gtest/gtest.h>

#include "text_test_support.h"

namespace pdf {
namespace {

class TextLines : public text_testing::TextTest {
protected:
    void SetUp() override
    {
        TextTest::SetUp();
        // Text is painted with the fill colour: the same colour needs no switching.
        w->SetColorFill("Black");
        Content();
    }

    // WriteTextLine at x 10, baseline 20, no indent; the text as the line left it.
    std::string Line(float width, std::string text, int flags, float indent = 0)
    {
        peer.WriteTextLine(10, 20, width, text, indent, flags, false);
        return text;
    }
};

TEST_F(TextLines, EmptyTextStillWritesACompleteTextObject)
{
    w->DrawText(10, 20, "", 0);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "() Tj"));
    EXPECT_EQ(peer.X(), 10);
    EXPECT_EQ(peer.Y(), 20);
}

TEST_F(TextLines, PointAlignmentOfDrawText)
{
    w->DrawText(10, 20, "abc", 2);
    EXPECT_EQ(Lines(Content()), TextObject("-6.12 20", "(abc) Tj"));
    // The current point follows the text as if it had started at x.
    EXPECT_FLOAT_EQ(peer.X(), 10 + 16.12f);
    EXPECT_EQ(peer.Y(), 20);

    w->DrawText(10, 20, "abc", 4);
    EXPECT_EQ(Lines(Content()), TextObject("1.94 20", "(abc) Tj"));
    // 2 + 4 is neither right nor centre.
    w->DrawText(10, 20, "abc", 6);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "(abc) Tj"));
    w->DrawText(10, 20, "(a\\b)\r\n", 1);
    EXPECT_EQ(Content(), "\rBT\r" + peer.FontName() +
                             " 10 Tf \r1 0 0 -1 10 20 Tm\r(\\(a\\\\b\\)\\r\\n) Tj\rET");
}

TEST_F(TextLines, BoxOfTheLineIsInPageCoordinates)
{
    w->SetScale(1, 0);  // inches
    w->DrawText(1, 2, "ab", 0);
    const float top = peer.PageHeight();
    const auto box = peer.LastBox();
    EXPECT_FLOAT_EQ(box[0], 72);
    EXPECT_FLOAT_EQ(box[1], top - 144 - 2.21f);
    EXPECT_FLOAT_EQ(box[2], 72 + 11.12f);
    EXPECT_NEAR(box[3], top - 144 - 2.21f + 12.21f, 1e-3);
}

TEST_F(TextLines, JustifiedLineWidensItsBlanks)
{
    // Runs of blanks become one and the trailing blank goes: one blank takes up 50 - 11.12.
    EXPECT_EQ(Line(50, "a  b ", 64), "a b");
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "36.1 Tw (a b) Tj 0 Tw"));
    EXPECT_FLOAT_EQ(peer.X(), 60);

    // Without a blank there is nothing to widen.
    EXPECT_EQ(Line(50, "ab", 64), "ab");
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "(ab) Tj"));

    // The document's own word spacing comes back after the line, and is not measured.
    w->SetWordSpacing(1.5f);
    Content();
    Line(50, "a b", 64);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "36.1 Tw (a b) Tj 1.5 Tw"));
}

TEST_F(TextLines, FittingScalesTheLineToTheWidth)
{
    // Exactly as wide as the width.
    Line(11.12f, "ab", 128);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "(ab) Tj"));
    Line(11.12f, "ab", 256);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "100 Tz (ab) Tj  100 Tz"));

    Line(5.56f, "ab", 128);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "50 Tz (ab) Tj 100 Tz"));
    Line(22.24f, "ab", 256);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "200 Tz (ab) Tj  100 Tz"));
    // The point follows the natural width.
    EXPECT_FLOAT_EQ(peer.X(), 10 + 11.12f);

    // A line that measures nothing is not stretched.
    Line(20, "", 256);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "() Tj"));
}

TEST_F(TextLines, FittingMeasuresAtFullWidthAndGivesTheScalingBack)
{
    w->SetTextHorizontalScaling(50);
    Content();
    Line(44.48f, "ab", 256);
    EXPECT_EQ(Lines(Content()), TextObject("10 20", "400 Tz (ab) Tj  50 Tz"));
    EXPECT_EQ(peer.HorizScaling(), 50);
}

TEST_F(TextLines, IndentShiftsTheStartButNotTheRightEnd)
{
    Line(50, "ab", 0, 3);
    EXPECT_EQ(Lines(Content()), TextObject("13 20", "(ab) Tj"));
    Line(50, "ab", 2, 3);
    EXPECT_EQ(Lines(Content()), TextObject("48.88 20", "(ab) Tj"));
    EXPECT_FLOAT_EQ(peer.LastBox()[2], 60 + 3);
}

TEST_F(TextLines, TextColourIsSwitchedForTheLineOnly)
{
    w->SetColorFill("White");
    w->SetColorText("#FF0000");
    Content();
    w->DrawText(0, 0, "a", 0);
    EXPECT_EQ(Lines(Content()),
              "|1 0 0 rg" + TextObject("0 0", "(a) Tj") + "|1 1 1 rg");
}

TEST_F(TextLines, DecorationsFollowTheBaselineInTheTextColour)
{
    w->SetScale(255, 2);  // two points to the unit
    w->SetColorText("#0000FF");
    w->SetColorFill("#0000FF");
    Content();
    peer.SetFontStyle(4 + 16);
    std::string text = "a b";
    peer.WriteTextLine(1, 2, 20, text, 0, 64, false);
    // The justified line is drawn across the whole width: 40 points.
    EXPECT_EQ(Lines(Content()), TextObject("2 4", "26.1 Tw (a b) Tj 0 Tw") +
                                    "|q|0 0 1 RG|0.625 w |1 0 0 1 2 4 cm"
                                    "|0 1.25 m 40 1.25 l S|0 -3 m 40 -3 l S|Q");

    peer.SetFontStyle(8);
    w->SetColorLine("#0000FF");
    Content();
    w->DrawText(0, 0, "a", 0);
    EXPECT_EQ(Lines(Content()),
              TextObject("0 0", "(a) Tj") + "|q|0.625 w |1 0 0 1 0 0 cm|0 -8 m 5.56 -8 l S|Q");
}

TEST_F(TextLines, NewLineMovesThePointBelowTheLine)
{
    w->SetBoxStyle(2, 0, 0, 0, 0, 0, 15, 0);
    std::string text = "ab";
    peer.WriteTextLine(10, 20, 0, text, 0, 0, true);
    EXPECT_EQ(peer.X(), 0);
    EXPECT_FLOAT_EQ(peer.Y(), 20 + 2 * 12.21f);
}

TEST(TextLineWithoutFont, FailsBeforeWritingAnything)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("text_line_without_font.pdf");
    w->BeginDoc(path);
    int page = 0;
    w->BeginPage(page);
    TextTestPeer peer(*w);
    const std::string before = peer.PageContent();
    try {
        w->DrawText(1, 1, "a", 0);
        ADD_FAILURE() << "no failure";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), 9);
    }
    EXPECT_EQ(peer.PageContent(), before);
    EXPECT_EQ(w->GetTextWidth("abc"), 0);
    testing_support::FinishChecked(*w, path);
}

}  // namespace
}  // namespace pdf
