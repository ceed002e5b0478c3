// Arcs, Bézier segments, ellipses and circles: the path operators they write, the point
// and box they leave, in documents that qpdf accepts.
#include <gtest/gtest.h>

#include "draw_test_support.h"

namespace pdf {
namespace {

using Curves = draw_testing::DrawingTest;

TEST_F(Curves, OpenArcStartsItsOwnSubpathAndSectorReturnsToTheCentre)
{
    w->DrawArc(0, 0, 10, 0, 90, 1, false, 45, 0);
    EXPECT_EQ(Content(), "\r0 0 m\r10 0 m\r10 0 l\r7.071 7.071 l\r0 10 l\rS");
    EXPECT_EQ(peer.X(), 0);
    EXPECT_EQ(peer.Y(), 0);
    const float top = peer.PageHeight();
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{-10, top + 10, 10, top - 10}));

    w->DrawArc(0, 0, 10, 0, 90, 1, true, 45, 0);
    EXPECT_EQ(Content(), "\r0 0 m\r10 0 l\r7.071 7.071 l\r0 10 l\r0 0 l\rS");

    // Filling makes a pie slice even without `sector`; the ratio flattens the y offsets.
    w->DrawArc(20, 20, 10, 0, 90, 0.5f, false, 90, 5);
    EXPECT_EQ(Content(), "\r20 20 m\r30 20 l\r20 25 l\r20 20 l\rf*");
}

TEST_F(Curves, ArcStopsBeforeAnEndItsStepDoesNotReach)
{
    w->DrawArc(0, 0, 10, 0, 100, 1, true, 30, 1);
    EXPECT_EQ(testing_support::CountOf(Content(), " l"), 5) << "0, 30, 60, 90 and the centre";

    w->DrawArc(0, 0, 10, 90, 0, 1, true, 45, 0);
    EXPECT_EQ(Content(), "\r0 0 m\r0 0 l\rS") << "a start past the end draws no segment";

    w->DrawArc(0, 0, 10, 90, 0, 1, false, -90, 0);
    EXPECT_EQ(Content(), "\r0 0 m\r0 10 m\r0 10 l\r10 0 l\rS") << "a negative step runs back";

    EXPECT_THROW(w->DrawArc(0, 0, 10, 0, 90, 1, false, 0, 0), Error);
    EXPECT_EQ(Content(), "") << "a step of 0 is refused before anything is written";

    // A span a single-precision angle cannot step through ends instead of running forever.
    w->DrawArc(0, 0, 1, 2e7f, 4e7f, 1, true, 1, 1);
    EXPECT_EQ(testing_support::CountOf(Content(), " l"), 2);
}

// An arc of many turns draws one: a small file that the readers draw as a whole circle.
TEST_F(Curves, ASweepOfManyTurnsDrawsOne)
{
    w->SetLineWidth(4);
    w->DrawArc(100, 100, 50, 0, 1e9f, 1, false, 1, 0);
    w->DrawArc(300, 100, 50, 90, -1e9f, 1, false, -2, 0);
    const std::string pdf = Finish();
    EXPECT_LT(pdf.size(), 20000u);
    for (const bool mupdf : {false, true}) {
        const auto shown = testing_support::RenderPage(path, mupdf);
        for (const auto& [x, y] : {std::pair{150, 100}, {100, 150}, {50, 100}, {100, 50},
                                   {350, 100}, {300, 150}, {250, 100}, {300, 50}})
            EXPECT_EQ(shown.At(x, y), (std::array<int, 3>{0, 0, 0})) << x << " " << y << mupdf;
    }
}

TEST_F(Curves, CurveKindsContinueThePathFromTheCurrentPoint)
{
    w->DrawLine(0, 0, 1, 1, 1);
    Content();
    w->DrawCurve(1, 1, 2, 3, 4, 5, 6, 1);
    EXPECT_EQ(Content(), "\r1 2 3 4 5 6 c\r");
    EXPECT_EQ(peer.X(), 5);
    EXPECT_EQ(peer.Y(), 6);
    const auto box = peer.LastBox();

    w->DrawCurve(2, 7, 8, 9, 10, 0, 0, 1);
    EXPECT_EQ(Content(), "\r7 8 9 10 v\r");
    w->DrawCurve(3, 11, 12, 13, 14, 0, 0, 0);
    EXPECT_EQ(Content(), "\r11 12 13 14 y\rS");
    EXPECT_EQ(peer.X(), 13);
    EXPECT_EQ(peer.Y(), 14);
    EXPECT_EQ(peer.LastBox(), box) << "a curve records no box";

    w->DrawCurve(4, 1, 2, 3, 4, 5, 6, 0);
    EXPECT_EQ(Content(), "") << "an unknown kind only paints, and no path is left to paint";
    EXPECT_EQ(peer.X(), 13);
    w->DrawCurve(3, 1, 2, 3, 4, 0, 0, 1);
    w->DrawCurve(4, 1, 2, 3, 4, 5, 6, 0);
    EXPECT_EQ(Content(), "\r13 14 m\r1 2 3 4 y\r\rS")
        << "a curve with no path to continue begins at the current point";
}

TEST_F(Curves, CircleIsFourQuartersRunningAnticlockwiseOnThePage)
{
    w->DrawCircle(50, 50, 10, 0);
    EXPECT_EQ(Content(), "\r60 50 m\r"
                         "60 44.477 55.523 40 50 40 c\r"
                         "44.477 40 40 44.477 40 50 c\r"
                         "40 55.523 44.477 60 50 60 c\r"
                         "55.523 60 60 55.523 60 50 c\rS");
    EXPECT_EQ(peer.X(), 50);
    EXPECT_EQ(peer.Y(), 50);
    const float top = peer.PageHeight();
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{40, top - 40, 60, top - 60}));

    w->SetScale(2, 0);  // millimetres
    w->DrawEllipse(10, 10, 4, 2, 5);
    EXPECT_EQ(Content(), "\r39.685 28.346 m\r"
                         "39.685 25.215 34.609 22.677 28.346 22.677 c\r"
                         "22.084 22.677 17.008 25.215 17.008 28.346 c\r"
                         "17.008 31.478 22.084 34.016 28.346 34.016 c\r"
                         "34.609 34.016 39.685 31.478 39.685 28.346 c\rf*");
}

}  // namespace
}  // namespace pdf
