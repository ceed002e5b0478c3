// The operators that rectangles write: plain, with rounded corners, and with only some
// of their sides drawn.
#include <gtest/gtest.h>

#include "draw_test_support.h"

namespace pdf {
namespace {

using Rectangles = draw_testing::DrawingTest;

TEST_F(Rectangles, AllSidesWithoutRadiusIsOneRectangleOperator)
{
    w->SetScale(255, 2);
    const float top = peer.PageHeight();
    w->DrawRect(1, 2, 3, 4.25f, 4, 15, 0);
    EXPECT_EQ(Content(), "\r2 4 6 8.5 re\rB*");
    EXPECT_EQ(peer.X(), 2) << "the current point is the top-left corner";
    EXPECT_EQ(peer.Y(), 4);
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{2, top - 4, 8, top - 12.5f}));
}

TEST_F(Rectangles, RadiusWithoutCornerBitsIsAPlainOutline)
{
    w->DrawRect(1, 2, 3, 4, 0, 15, 0.5f);
    EXPECT_EQ(Content(), "\r1 2 m\r4 2 l\r4 6 l\r1 6 l\r1 2 l\r\rS");
}

TEST_F(Rectangles, RoundedCorners)
{
    w->DrawRect(0, 0, 10, 6, 0, 15 + 16, 2);
    EXPECT_EQ(Content(), "\r2 0 m\r10 0 l\r10 6 l\r0 6 l\r0 2 l\r0 0.9 0.9 0 2 0 c\r\rS");

    // A radius beyond half the width is cut down to it.
    w->DrawRect(0, 0, 4, 10, 0, 15 + 240, 5);
    EXPECT_EQ(Content(),
              "\r2 0 m\r2 0 l\r3.1 0 4 0.9 4 2 c\r4 8 l\r4 9.1 3.1 10 2 10 c\r2 10 l\r"
              "0.9 10 0 9.1 0 8 c\r0 2 l\r0 0.9 0.9 0 2 0 c\r\rS");
    // And beyond half the height, to that.
    w->DrawRect(0, 0, 10, 2, 0, 15 + 32, 5);
    EXPECT_EQ(Content(), "\r0 0 m\r9 0 l\r9.55 0 10 0.45 10 1 c\r10 2 l\r0 2 l\r0 0 l\r\rS");
}

TEST_F(Rectangles, ChosenSidesAreStrokedOneByOne)
{
    w->DrawRect(1, 2, 3, 4, 0, 4, 0);
    EXPECT_EQ(Content(), "\r1 2 m\r4 2 l S\r") << "style 0: the top side and no outline";

    const std::string outline = "\r1 2 m\r4 2 l\r4 6 l\r1 6 l\r1 2 l\r";
    const std::string topAndLeft = "\r1 2 m\r4 2 l S\r1 6 m\r1 2 l S\r";
    w->DrawRect(1, 2, 3, 4, 4, 5, 0);
    EXPECT_EQ(Content(), outline + "\rf*" + topAndLeft) << "filled, then two sides stroked";
    w->DrawRect(1, 2, 3, 4, 128, 5, 0);
    EXPECT_EQ(Content(), outline + "\rW n" + topAndLeft) << "clipped, then two sides stroked";
    for (const int style : {1, 2, 3}) {
        w->DrawRect(1, 2, 3, 4, style, 5, 0);
        EXPECT_EQ(Content(), topAndLeft) << "no outline to stroke with the sides: " << style;
    }

    w->DrawRect(1, 2, 3, 4, 0, 0, 0);
    EXPECT_EQ(Content(), "\r") << "nothing chosen: an empty line";
}

// Rectangles of two sides (left and top) in every style that leaves the outline unstroked:
// the readers show those two sides, the fill inside when asked, and nothing of the others.
TEST_F(Rectangles, OnlyTheChosenSidesShow)
{
    w->SetLineWidth(4);
    w->SetColorFill("Blue");
    const int styles[] = {1, 2, 3, 5, 7, 129};
    for (int i = 0; i < 6; ++i)
        w->DrawRect(20 + 40.0f * i, 20, 20, 20, styles[i], 1 + 4, 0);
    Finish();
    EXPECT_EQ(testing_support::RunTool("pdftoppm -r 72 -singlefile '" + path + "' '" + path +
                                       "'").output, "");
    const std::array<int, 3> black{0, 0, 0}, white{255, 255, 255}, blue{0, 0, 255};
    for (const bool mupdf : {false, true}) {
        const auto shown = testing_support::RenderPage(path, mupdf);
        for (int i = 0; i < 6; ++i) {
            const int x = 20 + 40 * i;
            const bool filled = styles[i] == 5 || styles[i] == 7;
            EXPECT_EQ(shown.At(x + 10, 20), black) << styles[i] << " top " << mupdf;
            EXPECT_EQ(shown.At(x, 30), black) << styles[i] << " left " << mupdf;
            EXPECT_EQ(shown.At(x + 21, 30), white) << styles[i] << " right " << mupdf;
            EXPECT_EQ(shown.At(x + 10, 41), white) << styles[i] << " bottom " << mupdf;
            EXPECT_EQ(shown.At(x + 10, 30), filled ? blue : white) << styles[i] << " inside " << mupdf;
        }
    }
}

TEST_F(Rectangles, RoundedCornerIsStrokedWithOrWithoutItsSides)
{
    w->DrawRect(0, 0, 10, 5, 0, 4 + 32, 1);
    EXPECT_EQ(Content(), "\r0 0 m\r9 0 l S\r9 0 m\r9.55 0 10 0.45 10 1 c S\r");

    w->DrawRect(0, 0, 10, 5, 0, 128, 1);
    EXPECT_EQ(Content(), "\r1 5 m\r0.45 5 0 4.55 0 4 c S\r");

    // Every side and corner in the stroking order: top, top-right, right, bottom-right,
    // bottom, bottom-left, left, top-left.
    w->DrawRect(0, 0, 10, 5, 0, 14 + 240, 1);
    EXPECT_EQ(Content(),
              "\r1 0 m\r9 0 l S\r9 0 m\r9.55 0 10 0.45 10 1 c S\r10 1 m\r10 4 l S\r"
              "10 4 m\r10 4.55 9.55 5 9 5 c S\r9 5 m\r1 5 l S\r1 5 m\r0.45 5 0 4.55 0 4 c S\r"
              "0 1 m\r0 0.45 0.45 0 1 0 c S\r");
}

TEST_F(Rectangles, NegativeRadiusRoundsNothing)
{
    w->DrawRect(0, 0, 10, 5, 0, 4 + 16, -2);
    EXPECT_EQ(Content(), "\r0 0 m\r10 0 l S\r0 0 m\r0 0 0 0 0 0 c S\r");
}

}  // namespace
}  // namespace pdf
