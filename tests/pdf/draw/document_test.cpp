// A page of shapes written as a whole document: readers accept it, and rendered, every
// shape lies where the y-down space inside the margins puts it.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "draw_test_support.h"

namespace pdf {
namespace {

using testing_support::OutputPath;
using testing_support::RunTool;

// A grey-level rendering at 72 dpi: one pixel per point.
struct GreyPage {
    int width = 0;
    int height = 0;
    std::string pixels;

    // The grey level at a point given in centimetres from the page's top-left corner.
    int At(float xCm, float yCm) const
    {
        const int x = static_cast<int>(xCm * 72 / 2.54f);
        const int y = static_cast<int>(yCm * 72 / 2.54f);
        return static_cast<unsigned char>(pixels[static_cast<std::size_t>(y * width + x)]);
    }
};

GreyPage Render(const std::string& pdfPath)
{
    const std::string stem = OutputPath("draw_shapes_grey");
    RunTool("pdftoppm -gray -r 72 -singlefile '" + pdfPath + "' '" + stem + "'");
    std::ifstream in(stem + ".pgm", std::ios::binary);
    std::string magic;
    int maxValue = 0;
    GreyPage page;
    in >> magic >> page.width >> page.height >> maxValue;
    in.get();
    page.pixels.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    EXPECT_EQ(magic, "P5");
    EXPECT_EQ(page.pixels.size(), static_cast<std::size_t>(page.width * page.height));
    return page;
}

// A4 in centimetres, margins 2 left, 1 right, 3 top, 1 bottom, clipped to them.
void DrawShapes(Pagelith& w)
{
    w.SetScale(3, 0);
    w.SetPaperSize(0, 0, 0);
    w.SetMargins(2, 1, 3, 1, 1);
    int page = 0;
    w.BeginPage(page);

    w.SetColorFill("Black");
    w.DrawRect(1, 1, 4, 2, 5, 15, 0);

    w.SetColorLine("Red");
    w.DrawPolygon(12, 3, 2, 6, 0);
    w.DrawPolygon(12, 3, 1, 5, 6);

    w.SetColorFill("Blue");
    w.DrawRect(1, 6, 8, 4, 4, 4 + 8 + 240, 1);
    w.SetColorFill("Silver");
    w.DrawRect(11, 6, 6, 4, 4, 1 + 2 + 32 + 128, 1.5f);

    w.SetColorFill("Green");
    w.DrawPolyline({1, 14, 3, 12, 5, 14, 7, 12, 9, 14, 9, 16, 1, 16}, 6);

    w.SetColorLine("Navy");
    w.DrawLine(0, 0, 18, 25.7f, 0);
    w.DrawLine(11, 18, 17, 18, 1);
    w.DrawLineTo(17, 22, 1);
    w.DrawLineTo(11, 22, 2);

    // Half of it lies in the left margin, where the page is clipped.
    w.SetColorFill("Black");
    w.DrawRect(-1, 21, 3, 3, 5, 15, 0);
    w.EndPage();
}

TEST(ShapesDocument, PassesTheCheckerAndRendersInPlace)
{
    auto writer = testing_support::PinnedWriter();
    std::string path = OutputPath("draw_shapes.pdf");
    writer->BeginDoc(path);
    ASSERT_EQ(writer->ErrNumber(), 0);
    DrawShapes(*writer);
    writer->EndDoc();

    testing_support::ExpectSoundFile(path);

    const std::filesystem::path shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    const auto shot = RunTool("pdftoppm -png -r 60 -singlefile '" + path + "' '" +
                              (shots / "draw_shapes").string() + "'");
    EXPECT_EQ(shot.status, 0) << shot.output;

    // Page positions in centimetres: user x + 2, user y + 3.
    const GreyPage page = Render(path);
    ASSERT_EQ(page.width, 596);
    const int white = 255;
    EXPECT_LT(page.At(5, 5), 40) << "inside the black rectangle";
    EXPECT_EQ(page.At(5, 3.7f), white) << "above it";
    EXPECT_EQ(page.At(5, 6.3f), white) << "below it";
    EXPECT_EQ(page.At(7.3f, 5), white) << "right of it";
    EXPECT_LT(page.At(7, 11), white) << "inside the blue rounded rectangle";
    EXPECT_EQ(page.At(3.15f, 9.15f), white) << "outside its rounded top-left corner";
    EXPECT_LT(page.At(6, 18.5f), white) << "inside the green polyline";
    EXPECT_EQ(page.At(4, 15.5f), white) << "in a notch of its zigzag edge";
    EXPECT_EQ(page.At(1.5f, 25.5f), white) << "the left margin clips";
    EXPECT_LT(page.At(2.5f, 25.5f), 40) << "the area inside the margins does not";
}

// A page starts in the readers' defaults; the writer's colours and line width, set on an
// earlier page, still paint its first drawing.
TEST(PageStart, DrawingsTakeTheColoursAndWidthTheWriterHolds)
{
    auto writer = testing_support::PinnedWriter();
    std::string path = OutputPath("draw_page_start.pdf");
    writer->BeginDoc(path);
    int page = 0;
    writer->BeginPage(page);
    writer->SetColorFill("red");
    writer->SetColorLine("blue");
    writer->SetLineWidth(6);
    int first = 1;
    writer->BeginPage(first);
    writer->DrawRect(100, 100, 100, 100, 4, 15, 0);
    testing_support::FinishChecked(*writer, path);
    for (const bool mupdf : {false, true}) {
        const auto shown = testing_support::RenderPage(path, mupdf);
        EXPECT_EQ(shown.At(150, 150), (std::array<int, 3>{255, 0, 0})) << mupdf;
        EXPECT_EQ(shown.At(98, 150), (std::array<int, 3>{0, 0, 255})) << mupdf;
    }
}

}  // namespace
}  // namespace pdf
