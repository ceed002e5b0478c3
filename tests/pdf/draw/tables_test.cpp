// Tables: the cell boxes they hand back, the outlines they draw, nesting, what EndTable puts
// back, and a filled-in table rendered.
#include <gtest/gtest.h>

#include <climits>

#include "draw_test_support.h"

namespace pdf {
namespace {

using Box = std::array<float, 4>;
using testing_support::RunTool;

class Tables : public draw_testing::DrawingTest {
protected:
    void TearDown() override
    {
        while (open-- > 0)
            w->EndTable();
        testing_support::FinishChecked(*w, path);
    }
    void Begin(float x, float y, float rowHeight, const std::vector<float>& widths)
    {
        w->BeginTable(x, y, rowHeight, widths);
        ++open;
    }
    int open = 0;
};

TEST_F(Tables, CellsSpanRowsAndColumnsAndAreClampedIntoTheTable)
{
    Begin(10, 20, 5, {30, 40, 50});
    EXPECT_EQ(w->TableCell(1, 2), (Box{40, 20, 40, 5}));
    EXPECT_EQ(Content(), "\r40 20 40 5 re\r") << "outline left open for a later painting";

    w->TableRowHeight(8);
    EXPECT_EQ(w->TableCell(3, 1, 1, 3), (Box{10, 33, 120, 8})) << "rows 2 and 3 made 8 high";
    EXPECT_EQ(w->TableCell(1, 1), (Box{10, 20, 30, 5})) << "row 1 keeps its height";
    EXPECT_EQ(w->TableCell(1, 3, 1, 5), (Box{80, 20, 50, 5})) << "span cut at the last column";
    EXPECT_EQ(w->TableCell(1, 2, 1, INT_MAX), (Box{40, 20, 90, 5})) << "however wide the span";
    EXPECT_EQ(w->TableCell(2, 0), (Box{10, 25, 30, 8}));
    EXPECT_EQ(w->TableCell(2, 9), (Box{80, 25, 50, 8}));
    EXPECT_EQ(w->TableCell(1, 1, 3, 1), (Box{10, 20, 30, 21}));
    EXPECT_EQ(w->TableCell(2, 2, 0, 0), (Box{40, 25, 0, 0})) << "spans of 0 give empty cells";

    w->TableRowHeight(0);
    w->TableRowHeight(-3);
    w->TableRowHeight(2);
    w->TableRowHeight(-1);
    Content();
    EXPECT_EQ(w->TableCell(5, 1, 1, 1, 0), (Box{10, 43, 30, 2})) << "row 4 8 high, row 5 2";
    EXPECT_EQ(Content(), "\r10 43 30 2 re\rS");
    const Box far = w->TableCell(1000000000, 1, 1, 1);
    EXPECT_FLOAT_EQ(far[1], 43 + 2 * (1000000000.0f - 5));
}

TEST_F(Tables, CellsOutsideATableAreRefusedOrEmpty)
{
    EXPECT_EQ(w->TableCell(1, 1), (Box{0, 0, 0, 0})) << "no table open";
    w->EndTable();
    EXPECT_EQ(Content(), "");

    Begin(0, 0, 10, {});
    EXPECT_EQ(w->TableCell(2, 3, 1, 2), (Box{0, 10, 0, 10})) << "no columns: width 0";
    Content();
    EXPECT_THROW(w->TableCell(0, 1), Error);
    EXPECT_THROW(w->TableCell(1, 1, -1, 1), Error);
    EXPECT_THROW(w->TableCell(1, 1, 1, -2), Error);
    EXPECT_THROW(w->TableCell(INT_MAX, 1, 2), Error);
    EXPECT_EQ(Content(), "") << "a refused cell draws nothing";
}

TEST_F(Tables, NestedTablesTakeCellsInnermostFirstAndEndTablePutsTheStateBack)
{
    w->SetFont("Arial", 10, 0, 0);
    w->SetLineWidth(1);
    const float height = w->GetTextHeight();
    Begin(0, 0, 10, {20, 20});
    w->SetFont("Times", 24, 1, 0);
    w->SetLineWidth(3);
    Begin(100, 100, 4, {5});
    EXPECT_EQ(w->TableCell(2, 1), (Box{100, 104, 5, 4}));
    w->EndTable();
    --open;
    EXPECT_EQ(w->TableCell(2, 2), (Box{20, 10, 20, 10})) << "the outer table again";
    Content();
    w->EndTable();
    --open;
    EXPECT_NE(Content().find("\r1 w"), std::string::npos);
    EXPECT_FLOAT_EQ(w->GetTextHeight(), height);
}

// Cell boxes handed to text boxes, as a client fills a table.
TEST(TableDocument, RendersItsCellsWithTheirText)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("draw_table.pdf");
    w->BeginDoc(path);
    w->SetScale(2, 0);
    w->SetMargins(15, 15, 15, 15, 1);
    int page = 0;
    w->BeginPage(page);
    w->SetFont("Arial", 11, 0, 0);
    w->SetLineWidth(0.3f);
    w->BeginTable(10, 10, 9, {40, 60, 30});
    const char* header[] = {"Projet", "Activité", "Durée"};
    w->SetColorFill("LightBlue");
    for (int c = 1; c <= 3; ++c) {
        const auto box = w->TableCell(1, c, 1, 1, 4);
        w->DrawTextBox(box[0], box[1], box[2], box[3], header[c - 1], 4 + 32);
    }
    w->TableRowHeight(7);
    w->SetColorFill("White");
    const char* rows[][3] = {{"Maison", "Peinture du salon", "3 h"},
                             {"Jardin", "Taille de la haie", "2 h"}};
    for (int r = 0; r < 2; ++r)
        for (int c = 0; c < 3; ++c) {
            const auto box = w->TableCell(r + 2, c + 1, 1, 1, 0);
            w->DrawTextBox(box[0] + 1, box[1], box[2] - 2, box[3], rows[r][c], 32);
        }
    const auto total = w->TableCell(4, 1, 1, 3, 0);
    w->DrawTextBox(total[0] + 1, total[1], total[2] - 2, total[3], "Total : 5 h", 2 + 32);
    w->EndTable();
    w->EndPage();
    testing_support::FinishChecked(*w, path);

    const auto text = RunTool("pdftotext -layout '" + path + "' -");
    EXPECT_NE(text.output.find("Peinture du salon"), std::string::npos) << text.output;
    EXPECT_NE(text.output.find("Total : 5 h"), std::string::npos) << text.output;
    const auto shot = testing_support::RenderScreenshot(path, "draw_table");
    EXPECT_EQ(shot.status, 0) << shot.output;
}

}  // namespace
}  // namespace pdf
