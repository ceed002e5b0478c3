// Flowing text: pieces written one after another at the current point, raised, lowered or
// smaller, and the line ended.  Arial at 10 points: "a" and "b" are 5.56 wide, a line is
// 12.21 high and its descent 2.21.
#include <gtest/gtest.h>

#include "text_test_support.h"

namespace pdf {
namespace {

class FlowingText : public text_testing::TextTest {
protected:
    void SetUp() override
    {
        TextTest::SetUp();
        w->SetColorFill("Black");
        w->SetXY(10, 20);
        Content();
    }
};

TEST_F(FlowingText, PiecesFollowEachOtherOnOneBaseline)
{
    w->WriteText("a");
    w->WriteText("b", 0, 0);
    EXPECT_EQ(Lines(Content()),
              TextObject("10 20", "(a) Tj") + TextObject("15.56 20", "(b) Tj"));
    EXPECT_FLOAT_EQ(peer.X(), 21.12f);
    EXPECT_EQ(peer.Y(), 20);
}

TEST_F(FlowingText, RaisedLoweredAndSmallerPiecesKeepTheLineForTheNext)
{
    w->WriteText("a", 1);
    w->WriteText("a", 2);
    w->WriteText("a", 3, 50);
    w->WriteText("b", 7);
    EXPECT_EQ(Lines(Content()), TextObject("10 15.354", "(a) Tj", "6.6") +
                                    TextObject("13.67 23.669", "(a) Tj", "6.6") +
                                    TextObject("17.339 20", "(a) Tj", "5") +
                                    TextObject("20.119 20", "(b) Tj"));
    EXPECT_EQ(peer.Y(), 20) << "the point stays on the line";
    EXPECT_FLOAT_EQ(w->GetTextHeight(), 12.21f) << "and the size is whole again";
}

TEST_F(FlowingText, EndingTheLineGoesToTheLeftEdgeOneLineDown)
{
    w->SetScale(2, 0);  // millimetres: the point stays where it is in points
    w->WriteText("a");
    w->WriteTextLn("b");
    EXPECT_EQ(peer.X(), 0) << "not back to where the first piece began";
    EXPECT_FLOAT_EQ(peer.Y(), 20 + 12.21f);
    w->WriteTextLn("");
    EXPECT_FLOAT_EQ(peer.Y(), 20 + 2 * 12.21f);
}

}  // namespace
}  // namespace pdf
