// Gradients and tiling patterns: the pattern objects written, the colour operators that
// paint with them, names that are no defined pattern falling back to a colour, and a
// rendered page of a gradient placed inside the margins.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "draw_test_support.h"

namespace pdf {
namespace {

using testing_support::RunTool;

// Finish has mutool speak of every resource a page refers to and the document lacks.
using Patterns = draw_testing::DrawingTest;

TEST_F(Patterns, GradientObjectsBlendTheirColoursAlongAxisOrCircles)
{
    w->AddGradient("Shade1", 2, "#1 0 0", "#0 0 1", 0, 0, 100, 0, 0, 0, true, false);
    w->AddGradient("ring", 1, "%50", "Blue", 10, 20, 30, 40, 5, 50, false, true);
    w->AddGradient("greys", 2, "%0", "%100", 0, 0, 0, 10, 0, 0, false, false);
    w->AddGradient("inks", 2, "@0;0;0;0", "@0;100;100;0", 0, 0, 0, 10, 0, 0, false, false);
    const std::string file = Finish();
    const std::string height = "842";
    EXPECT_NE(file.find("<</Type /Pattern /PatternType 2 /Matrix [ 1 0 0 -1 0 " + height +
                        "] /Shading <<\r\n/ColorSpace /DeviceRGB\r/ShadingType 2 /Coords "
                        "[0 0 100 0]\r/Extend [true false] \r/Function \r<< /FunctionType 3 "
                        "/Domain [0.000 1.000] /Bounds [] /Encode [0 1 ] \r/Functions [\r<< "
                        "/FunctionType 2 /Domain [0.000 1.000] /C0 [1 0 0] /C1 [0 0 1] /N 1 "
                        ">>]\r>>\r>>\r>>"),
              std::string::npos);
    EXPECT_NE(file.find("/ColorSpace /DeviceRGB\r/ShadingType 3 /Coords [10 20 5 30 40 50]\r"
                        "/Extend [false true]"),
              std::string::npos) << "grey blended with RGB in RGB";
    EXPECT_NE(file.find("/C0 [0.5 0.5 0.5] /C1 [0 0 1]"), std::string::npos);
    EXPECT_NE(file.find("/ColorSpace /DeviceGray\r"), std::string::npos);
    EXPECT_NE(file.find("/C0 [1] /C1 [0]"), std::string::npos);
    EXPECT_NE(file.find("/ColorSpace /DeviceCMYK\r"), std::string::npos);
    EXPECT_NE(file.find("/C0 [0 0 0 0] /C1 [0 1 1 0]"), std::string::npos);
}

TEST_F(Patterns, NamesThatAreNoDefinedPatternPaintTheirFallbackOrBlack)
{
    w->SetFont("Arial", 10, 0, 0);
    const std::string prefix = "/" + std::string("A31076B+");
    w->SetColorFill("shade1|%50");
    w->SetColorLine("shade1");
    w->SetColorText("1e300");
    EXPECT_EQ(Content(), "\r0.5 g\r0 0 0 RG");
    w->DrawText(10, 10, "x");
    const std::string text = Content();
    EXPECT_EQ(text.find("/Pattern"), std::string::npos) << text;
    EXPECT_NE(text.find("\r0 0 0 rg\rBT"), std::string::npos) << text;

    w->AddGradient("shade1", 1, "Yellow", "Red", 50, 50, 50, 50, 0, 40, true, true);
    w->SetColorFill("shade1|%50");
    w->SetColorLine("shade1");
    EXPECT_EQ(Content(), "\r/CS-GRAY cs 0.5 " + prefix + "SHADE1 scn\r/Pattern CS " + prefix +
                             "SHADE1 SCN");
    w->DrawRect(10, 10, 80, 80, 6, 15, 0);
}

TEST_F(Patterns, TilingCellIsRecordedApartAndPaintedByName)
{
    w->SetColorLine("Red");
    Content();
    w->BeginTiling("Hatch", 0, 0, 10, 10, 10, 12, 0);
    w->BeginTiling("other", 0, 0, 1, 1, 1, 1, 1);
    w->SetColorLine("Blue");  // silenced by the uncoloured flag of the second call
    w->BeginTiling("other", 0, 0, 1, 1, 1, 1, 0);
    w->SetColorLine("Green");
    w->DrawLine(0, 0, 10, 10, 0);
    w->EndTiling();
    EXPECT_EQ(Content(), "") << "the page receives nothing while the cell is recorded";
    w->SetColorFill("hatch");
    w->DrawRect(0, 0, 100, 100, 5, 15, 0);
    EXPECT_EQ(Content(), "\r/Pattern cs /A31076B+HATCH scn\r0 0 100 100 re\rf*");

    w->BeginTiling("dots", 0, 0, 4, 4, 5, 5, 1);
    w->SetColorFill("Blue");
    w->DrawCircle(2, 2, 1, 5);
    w->EndTiling();
    w->SetColorFill("dots|Red");
    w->DrawRect(0, 0, 100, 100, 5, 15, 0);
    const std::string file = Finish();
    EXPECT_NE(file.find("<< /Type /Pattern /PatternType 1 /PaintType 1\r/TilingType 1\r"
                        "/BBox [0 0 10 10]\r/Resources 3 0 R\r/XStep 10 /YStep 12\r"
                        "/Matrix [1 0 0 1 0 0]"),
              std::string::npos);
    EXPECT_NE(file.find("1 0 0 -1 0 10 cm\r0 0.502 0 RG\r0 0 m 10 10 l\rS"), std::string::npos)
        << "the cell is drawn down from its top, in its own colours";
    EXPECT_NE(file.find("/PaintType 2\r"), std::string::npos);
    EXPECT_EQ(file.find("0 0 1 rg"), std::string::npos) << "an uncoloured cell has no colour";
}

// An uncoloured cell paints in the colour given with its name or, without one, in the
// colour current until then: the dots of a page-wide rectangle are red, then green.
TEST_F(Patterns, AnUncolouredTilingTakesTheColourItIsPaintedWith)
{
    w->BeginTiling("dots", 0, 0, 10, 10, 10, 10, 1);
    w->DrawCircle(5, 5, 4, 5);
    w->EndTiling();
    w->SetColorFill("Red");
    w->SetColorFill("dots");
    w->DrawRect(0, 0, 100, 100, 5, 15, 0);
    w->SetColorFill("dots|#00FF00");
    w->DrawRect(200, 0, 100, 100, 5, 15, 0);
    Finish();
    // Cells repeat from the page's bottom edge, 842 points down: a dot centre lies 7 points
    // from the top.
    for (const bool mupdf : {false, true}) {
        const auto page = testing_support::RenderPage(path, mupdf);
        EXPECT_EQ(page.At(5, 7), (std::array<int, 3>{255, 0, 0})) << mupdf;
        EXPECT_EQ(page.At(205, 7), (std::array<int, 3>{0, 255, 0})) << mupdf;
        EXPECT_EQ(page.At(5, 2), (std::array<int, 3>{255, 255, 255})) << mupdf;
    }
}

// The pixels of one rendering that the other shows nowhere within a pixel of them: the
// readers may put an edge a pixel apart, not draw different things.
int Unmatched(const testing_support::Rendering& a, const testing_support::Rendering& b)
{
    const auto close = [](const std::array<int, 3>& p, const std::array<int, 3>& q) {
        return std::abs(p[0] - q[0]) < 96 && std::abs(p[1] - q[1]) < 96 &&
               std::abs(p[2] - q[2]) < 96;
    };
    int count = 0;
    for (int y = 0; y < a.height; ++y) {
        for (int x = 0; x < a.width; ++x) {
            bool matched = false;
            for (int dy = -1; dy <= 1 && !matched; ++dy) {
                for (int dx = -1; dx <= 1 && !matched; ++dx)
                    matched = close(a.At(x, y), b.At(x + dx, y + dy));
            }
            count += !matched;
        }
    }
    return count;
}

// A cell that ends on a path left open shows the same in both readers, and what the page
// strokes afterwards takes nothing of that path.
TEST_F(Patterns, ACellEndingOnAnOpenPathShowsAlikeInBothReaders)
{
    w->BeginTiling("squares", 0, 0, 20, 20, 20, 20, 0);
    w->SetColorFill("Red");
    w->DrawRect(5.5f, 5.5f, 9, 9, 5, 15, 0);
    w->DrawLine(0, 0, 20, 20, 1);
    w->EndTiling();
    w->SetColorFill("squares");
    w->DrawRect(100, 100, 200, 200, 5, 15, 0);
    w->SetLineWidth(2);
    w->DrawLine(100, 400, 300, 400, 0);
    Finish();
    const auto poppler = testing_support::RenderPage(path, false);
    const auto mupdf = testing_support::RenderPage(path, true);
    ASSERT_GT(poppler.width, 0);
    EXPECT_EQ(Unmatched(mupdf, poppler), 0);
    EXPECT_EQ(Unmatched(poppler, mupdf), 0);
    EXPECT_EQ(mupdf.At(110, 112), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(mupdf.At(2, 2), (std::array<int, 3>{255, 255, 255})) << "the page's corner";
}

// A cell's resources hold the gradients; a tiling pattern, which they leave out, paints
// inside a cell as its fallback colour.  Finish has mutool look for missing resources, and
// qpdf for a name given twice in a resource dictionary.
TEST_F(Patterns, TilingCellPaintsWithGradientsAndNoOtherTiling)
{
    w->AddGradient("fade", 2, "Red", "Red", 0, 0, 10, 0, 0, 0, true, true);
    w->AddGradient("fade", 2, "Red", "Blue", 0, 0, 10, 0, 0, 0, true, true);  // replaces it
    w->BeginTiling("dots", 0, 0, 4, 4, 5, 5, 0);
    w->DrawCircle(2, 2, 1, 5);
    w->EndTiling();
    w->BeginTiling("cell", 0, 0, 10, 10, 10, 10, 0);
    w->SetColorFill("fade");
    w->DrawRect(0, 0, 10, 5, 5, 15, 0);
    w->SetColorFill("dots|Green");
    w->DrawRect(0, 5, 10, 5, 5, 15, 0);
    w->EndTiling();
    w->SetColorFill("cell");
    w->DrawRect(0, 0, 100, 100, 5, 15, 0);
    const std::string file = Finish();
    EXPECT_NE(file.find("1 0 0 -1 0 10 cm\r/Pattern cs /A31076B+FADE scn\r"), std::string::npos);
    EXPECT_NE(file.find("\r0 0.502 0 rg\r0 5 10 5 re"), std::string::npos);
    EXPECT_EQ(file.find("DOTS scn\r0 5"), std::string::npos);
}

// A4 in millimetres with margins: the gradient runs across the rectangle it fills.
TEST(GradientDocument, LiesWhereTheShapeItFillsLies)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("draw_gradient.pdf");
    w->BeginDoc(path);
    w->SetScale(2, 0);
    w->SetMargins(20, 10, 30, 10, 1);
    int page = 0;
    w->BeginPage(page);
    w->AddGradient("sky", 2, "Red", "Blue", 10, 10, 110, 10, 0, 0, false, false);
    w->SetColorFill("sky");
    w->DrawRect(10, 10, 100, 40, 5, 15, 0);
    w->AddGradient("sun", 1, "Yellow", "Orange", 60, 110, 60, 110, 0, 40, false, false);
    w->SetColorFill("sun");
    w->DrawCircle(60, 110, 40, 5);
    // Cells of 10 mm repeated from the page's corner, each red on its left, blue on its right.
    w->BeginTiling("stripes", 0, 0, 10, 10, 10, 10, 0);
    w->AddGradient("fade", 2, "Red", "Blue", 0, 0, 10, 0, 0, 0, true, true);
    w->SetColorFill("fade");
    w->DrawRect(0, 0, 10, 10, 5, 15, 0);
    w->EndTiling();
    w->SetColorFill("stripes");
    w->DrawRect(120, 10, 40, 40, 5, 15, 0);
    w->EndPage();
    testing_support::FinishChecked(*w, path);

    const auto shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    const std::string shot = (shots / "draw_gradient").string();
    ASSERT_EQ(RunTool("pdftoppm -png -r 72 -singlefile '" + path + "' '" + shot + "'").status, 0);
    // One pixel per point; a user millimetre x lies at (x + 20) mm, y at (y + 30) mm.
    const auto pixel = [&](float xMm, float yMm) {
        const int x = static_cast<int>((xMm + 20) * 72 / 25.4f);
        const int y = static_cast<int>((yMm + 30) * 72 / 25.4f);
        const auto txt = RunTool("convert '" + shot + ".png' -crop 1x1+" + std::to_string(x) +
                                 "+" + std::to_string(y) + " -depth 8 txt:-");
        std::array<int, 3> rgb{-1, -1, -1};
        const auto at = txt.output.find("0,0: (");
        if (at != std::string::npos)
            std::sscanf(txt.output.c_str() + at, "0,0: (%d,%d,%d", &rgb[0], &rgb[1], &rgb[2]);
        return rgb;
    };
    const auto near = [](std::array<int, 3> a, std::array<int, 3> b) {
        for (int i = 0; i < 3; ++i)
            if (std::abs(a[i] - b[i]) > 8)
                return false;
        return true;
    };
    EXPECT_TRUE(near(pixel(11, 30), {255, 0, 0})) << "red at the left end";
    EXPECT_TRUE(near(pixel(60, 30), {128, 0, 128})) << "half way in the middle";
    EXPECT_TRUE(near(pixel(109, 30), {0, 0, 255})) << "blue at the right end";
    EXPECT_TRUE(near(pixel(60, 110), {255, 255, 0})) << "yellow at the centre of the circle";
    EXPECT_TRUE(near(pixel(60, 55), {255, 255, 255})) << "nothing between the shapes";
    const auto left = pixel(121, 30);
    const auto right = pixel(129, 30);
    EXPECT_TRUE(left[0] > 200 && left[2] < 60) << "a cell's gradient starts at its left";
    EXPECT_TRUE(right[2] > 200 && right[0] < 60) << "and ends at its right";
}

}  // namespace
}  // namespace pdf
