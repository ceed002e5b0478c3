// The operators that lines, polygons and polylines write into the page content, and the
// current point and box they leave behind.
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "draw_test_support.h"

namespace pdf {
namespace {

using Shapes = draw_testing::DrawingTest;

TEST_F(Shapes, PaintStyleChoosesTheOperator)
{
    // A clip with nothing to paint ends its path with "n", so that it clips what follows.
    const std::pair<int, const char*> cases[] = {
        {0, "S"},    {1, ""},       {2, "h S"},    {3, "h"},      {4, "B*"},
        {5, "f*"},   {6, "b*"},     {7, "f*"},     {128, "W S"},  {129, "W n"},
        {130, "h W S"}, {131, "h W n"}, {132, "W B*"}, {8 + 16 + 32 + 64 + 256, "S"},
    };
    for (const auto& [style, op] : cases) {
        w->DrawLine(0, 0, 1, 1, 1);
        Content();
        peer.PaintPath(style);
        EXPECT_EQ(Content(), std::string("\r") + op) << "style " << style;
    }
    w->DrawLine(0, 0, 1, 1, 0);
    Content();
    peer.PaintPath(0);
    EXPECT_EQ(Content(), "") << "with no path under construction there is nothing to paint";
}

TEST_F(Shapes, LineIsStrokedAndMovesTheCurrentPoint)
{
    w->DrawLine(1, 2, 3, 4, 0);
    EXPECT_EQ(Content(), "\r1 2 m 3 4 l\rS");
    EXPECT_EQ(peer.X(), 3);
    EXPECT_EQ(peer.Y(), 4);
    const float top = peer.PageHeight();
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{1, top - 2, 3, top - 4}));
}

TEST_F(Shapes, PathBuiltOverSeveralCallsIsPaintedOnce)
{
    w->SetScale(3, 0);  // centimetres
    w->DrawLine(1, 1, 2, 1, 1);
    const auto box = peer.LastBox();
    w->DrawLineTo(2, 2, 1);
    w->DrawLineTo(1, 2, 3);
    EXPECT_EQ(Content(), "\r28.346 28.346 m 56.693 28.346 l\r\r56.693 56.693 l\r\r28.346 56.693 l\rh");
    EXPECT_FLOAT_EQ(peer.X(), 28.346457f);
    EXPECT_FLOAT_EQ(peer.Y(), 56.692914f);
    EXPECT_EQ(peer.LastBox(), box) << "a continued segment keeps the box of the line before";
}

// Readers take no other operator inside a path, and a segment needs a point to start from.
TEST_F(Shapes, APathIsEndedBeforeAnyOtherOperatorAndBegunForASegment)
{
    w->SetXY(10, 20);
    w->DrawLineTo(30, 20, 1);
    w->DrawLineTo(30, 40, 0);
    EXPECT_EQ(Content(), "\r10 20 m\r30 20 l\r\r30 40 l\rS")
        << "a segment with no path to continue begins at the current point";

    w->DrawRect(0, 0, 10, 10, 1, 15, 0);
    w->SetColorFill("Red");
    w->DrawRect(0, 0, 10, 10, 129, 15, 0);
    w->SetColorFill("Blue");
    EXPECT_EQ(Content(), "\r0 0 10 10 re\r\rn\r1 0 0 rg\r0 0 10 10 re\rW n\r0 0 1 rg");
}

// A segment begun at the current point shows, and a clip-only rectangle clips what
// follows, in both readers.
TEST_F(Shapes, ASegmentAfterSetXYAndAClipShowAsDrawn)
{
    w->SetLineWidth(6);
    w->SetColorLine("blue");
    w->SetXY(300, 100);
    w->DrawLineTo(500, 100, 0);
    w->DrawRect(100, 100, 100, 100, 129, 15, 0);
    w->SetColorFill("red");
    w->DrawRect(50, 50, 200, 200, 5, 15, 0);
    Finish();
    for (const bool mupdf : {false, true}) {
        const auto shown = testing_support::RenderPage(path, mupdf);
        EXPECT_EQ(shown.At(400, 100), (std::array<int, 3>{0, 0, 255})) << mupdf;
        EXPECT_EQ(shown.At(150, 150), (std::array<int, 3>{255, 0, 0})) << mupdf;
        EXPECT_EQ(shown.At(75, 75), (std::array<int, 3>{255, 255, 255})) << mupdf;
    }
}

TEST_F(Shapes, NoContentEndsWithAPathOpen)
{
    w->BeginObject("Open", 0);
    w->DrawLine(0, 0, 5, 5, 1);
    w->EndObject();
    w->BeginTiling("cell", 0, 0, 10, 10, 10, 10, 0);
    w->DrawLine(0, 0, 5, 5, 1);
    w->EndTiling();
    w->DrawLine(0, 0, 5, 5, 1);
    const std::string pdf = Finish();
    EXPECT_EQ(testing_support::CountOf(pdf, "\r0 0 m 5 5 l\r\rn\nendstream"), 2)
        << "a template and a tiling cell end the path they leave open";
    EXPECT_EQ(testing_support::CountOf(pdf, "\r0 0 m 5 5 l\r\rn\rQ\nendstream"), 1)
        << "a page ends the path it leaves open, then puts back its state";
}

TEST_F(Shapes, SquareIsClosedAroundItsCentre)
{
    w->DrawPolygon(5, 5, 1, 4, 0);
    EXPECT_EQ(Content(), "\r6 5 m\r5 6 l\r4 5 l\r5 4 l\rh S");
    EXPECT_EQ(peer.X(), 5);
    EXPECT_EQ(peer.Y(), 5);
    const float top = peer.PageHeight();
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{4, top - 4, 6, top - 6}));

    w->DrawPolygon(5, 5, -1, 4, 5);
    EXPECT_EQ(Content(), "\r6 5 m\r5 6 l\r4 5 l\r5 4 l\rf*") << "the radius counts without its sign";
}

TEST_F(Shapes, NegativeSidesMirrorTheVertices)
{
    w->DrawPolygon(5, 5, 1, -4, 0);
    EXPECT_EQ(Content(), "\r4 5 m\r5 4 l\r6 5 l\r5 6 l\rh S");
}

TEST_F(Shapes, PolygonVertexCounts)
{
    // The angle is summed in single precision: seven steps stay just short of a full turn.
    const std::pair<int, int> cases[] = {{3, 3}, {4, 4}, {5, 5}, {6, 6}, {7, 8}, {8, 8}};
    for (const auto& [sides, vertices] : cases) {
        w->DrawPolygon(50, 50, 10, sides, 0);
        const std::string text = Content();
        EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), vertices + 1) << sides << " sides";
        EXPECT_EQ(text.substr(0, 8), "\r60 50 m");
    }
    w->DrawPolygon(50, 50, 10, 7, 0);
    const std::string seven = Content();
    const auto lastLine = seven.rfind("\r", seven.size() - 6);
    EXPECT_EQ(seven.substr(lastLine), "\r60 50 l\rh S") << "the eighth vertex is the first again";
}

TEST_F(Shapes, PolygonWithTooFewOrTooManySidesIsRefusedBeforeWriting)
{
    w->DrawLine(1, 2, 3, 4, 0);
    Content();
    const auto box = peer.LastBox();
    for (int sides : {0, 1, 2, -1, -2, 32768, -100000000}) {
        EXPECT_THROW(w->DrawPolygon(10, 10, 5, sides, 0), Error) << sides << " sides";
        EXPECT_EQ(Content(), "");
        EXPECT_EQ(peer.X(), 3);
        EXPECT_EQ(peer.LastBox(), box);
    }
}

TEST_F(Shapes, PolylineScalesItsPointsAndKeepsTheirBox)
{
    w->SetScale(255, 2);
    const float top = peer.PageHeight();
    w->DrawPolyline({1, 2, 3, 4.5f, 5, 0.25f}, 0);
    EXPECT_EQ(Content(), "\r2 4 m\r6 9 l\r10 0.5 l\r\rS");
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{2, top - 9, 10, top - 0.5f}));
    EXPECT_EQ(peer.X(), 10) << "an open path ends at its last point";
    EXPECT_EQ(peer.Y(), 0.5f);

    w->DrawPolyline({1, 2, 3, 4.5f, 5, 0.25f}, 6);
    EXPECT_EQ(Content(), "\r2 4 m\r6 9 l\r10 0.5 l\r\rb*");
    EXPECT_EQ(peer.X(), 2) << "a closed path ends back at its first point";
    EXPECT_EQ(peer.Y(), 4);
}

TEST_F(Shapes, PolylineWithoutWholePairsIsRefusedBeforeWriting)
{
    w->DrawLine(1, 2, 3, 4, 0);
    Content();
    const auto box = peer.LastBox();
    for (const std::vector<float>& points : {std::vector<float>{1, 2, 3}, std::vector<float>{}}) {
        try {
            w->DrawPolyline(points, 0);
            ADD_FAILURE() << points.size() << " values accepted";
        } catch (const Error& error) {
            // The number a caller gets for reading past the end of a list.
            EXPECT_EQ(error.Number(), 9) << points.size() << " values";
        }
    }
    EXPECT_EQ(Content(), "");
    EXPECT_EQ(peer.LastBox(), box);
    EXPECT_EQ(peer.X(), 3);
}

TEST_F(Shapes, WithNothingOpenNothingChangesAndAnErrorIsRecorded)
{
    w->EndPage();
    Content();
    const auto box = peer.LastBox();
    const float x = peer.X();
    w->DrawLine(1, 2, 7, 8, 0);
    w->DrawPolygon(20, 20, 2, 5, 0);
    EXPECT_EQ(Content(), "");
    EXPECT_EQ(peer.X(), x);
    EXPECT_EQ(peer.LastBox(), box);
    EXPECT_EQ(w->ErrNumber(), 5);
    EXPECT_EQ(w->ErrSource(), "Pagelith.DrawPolygon");
}

}  // namespace
}  // namespace pdf
