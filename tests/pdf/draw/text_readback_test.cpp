// A page of text boxes in centimetres, as the planner's print lays them out, read back by
// another reader: each word must be where the layout put it, accents, Cyrillic and Greek
// included.  The page is also rendered for a person to look at.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <vector>

#include "text_test_support.h"

namespace pdf {
namespace {

using testing_support::RunTool;

constexpr double kPointsPerCm = 28.346457;
constexpr double kMargin = 0.5;  // left and top, centimetres
constexpr double kSlack = 1.5;   // points

using testing_support::ReadWords;
using testing_support::Word;

// Page points of a length in centimetres from the margin.
double X(double cm) { return (kMargin + cm) * kPointsPerCm; }
double Y(double cm) { return (kMargin + cm) * kPointsPerCm; }

class TextReadBack : public ::testing::Test {
protected:
    const Word& Find(const std::string& text)
    {
        for (const Word& word : words)
            if (word.text == text)
                return word;
        ADD_FAILURE() << "no word " << text;
        static const Word none;
        return none;
    }

    std::vector<Word> words;
};

TEST_F(TextReadBack, WordsStandWhereTheLayoutPutThem)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("text_layout_page.pdf");
    w->SetScale(3, 1);
    w->SetPaperSize(255, 21, 29.7f);
    w->SetMargins(0.5f, 0.5f, 0.5f, 0, 1);
    w->BeginDoc(path);
    ASSERT_EQ(w->ErrNumber(), 0);
    int page = 0;
    w->BeginPage(page);
    w->SetColorLine("Black");
    w->SetColorText("Black");
    w->SetLineWidth(0.01f);

    // A framed box, grey with a top rule, that breaks French text over two lines.
    w->SetFont("Arial", 12, 0, 0);
    w->SetColorFill("14737632");
    w->SetBoxStyle(1, 0, 0, 0, 0, 0, 4, 0);
    w->DrawTextBox(1, 1, 6, 0, "Réunion de l'équipe à Besançon, où l'été déçoit", 1, 6);
    w->SetColorFill("White");
    w->DrawTextBox(10, 1, 8, 1, "Fête", 2);
    w->DrawTextBox(1, 4, 8, 2, "Noël", 36);

    w->SetFont("Arial", 12, 0, 204);
    w->DrawTextBox(1, 7, 18, 0, "Съешь же ещё этих мягких французских булок");
    w->SetFont("Arial", 12, 0, 161);
    w->DrawTextBox(1, 9, 18, 0, "Ωραίο ταξίδι στους Δελφούς");

    w->SetFont("Times", 11, 0, 0);
    const std::string rest = w->DrawTextBox(
        1, 11, 6, 0.5f, "Le texte justifié remplit la largeur de la boîte, ligne après ligne", 64);
    w->DrawTextBox(10, 11, 6, 0, rest, 64);
    w->SetFont("Arial", 12, 4, 0);
    w->DrawText(1, 15, "Ligne soulignée");
    w->EndDoc();
    testing_support::ExpectSoundFile(path);

    words = ReadWords(path);
    ASSERT_FALSE(words.empty());

    // Left-aligned lines start at the box's left side, one line (14.65 points) apart.
    const Word& first = Find("Réunion");
    EXPECT_NEAR(first.xMin, X(1), kSlack);
    EXPECT_LT(first.yMax, Y(1) + 16);
    const Word& wrapped = Find("Besançon,");
    EXPECT_NEAR(wrapped.xMin, X(1), kSlack);
    EXPECT_NEAR(wrapped.yMin - first.yMin, 12 * 1.221, kSlack);
    EXPECT_GT(Find("déçoit").xMax, Find("où").xMax);

    EXPECT_NEAR(Find("Fête").xMax, X(18), kSlack);
    const Word& centred = Find("Noël");
    EXPECT_NEAR((centred.xMin + centred.xMax) / 2, X(5), kSlack);
    EXPECT_NEAR((centred.yMin + centred.yMax) / 2, Y(5), 3);

    EXPECT_NEAR(Find("Съешь").xMin, X(1), kSlack);
    EXPECT_GT(Find("булок").xMin, X(8));
    EXPECT_NEAR(Find("Ωραίο").xMin, X(1), kSlack);
    EXPECT_LT(Find("Ωραίο").yMin, Y(9) + 4);
    Find("Δελφούς");

    // The justified paragraph reaches the right side of its box, then goes on in the next.
    EXPECT_NEAR(Find("Le").xMin, X(1), kSlack);
    bool reachesRight = false;
    for (const Word& word : words)
        reachesRight |= word.xMax > X(7) - kSlack && word.xMax < X(7) + kSlack;
    EXPECT_TRUE(reachesRight);
    EXPECT_NEAR(Find("boîte,").xMin, X(10) + 11, 3);
    EXPECT_NEAR(Find("soulignée").xMin, X(1) + 30, 8);

    const std::filesystem::path shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    const std::string image = (shots / "text_layout_page").string();
    const auto render = RunTool("pdftoppm -r 72 -png -singlefile '" + path + "' '" + image + "'");
    EXPECT_EQ(render.status, 0) << render.output;
}

// Greek read back letter for letter, a right-aligned bold-italic accented line ending at its
// box's side, a line feed breaking the line, and an indented one-line paragraph cut inside
// its box.
TEST_F(TextReadBack, ReadersFindTheTextAndItsEdges)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("text_readback_edges.pdf");
    w->SetScale(3, 1);
    w->SetPaperSize(255, 21, 29.7f);
    w->SetMargins(0.5f, 0.5f, 0.5f, 0, 1);
    w->BeginDoc(path);
    int page = 0;
    w->BeginPage(page);
    w->SetColorText("Black");

    w->SetFont("Arial", 12, 0, 161);
    w->DrawTextBox(1, 1, 18, 0, "Προγραμματισμός της εβδομάδας");
    w->SetFont("Arial", 14, 3, 0);
    w->DrawTextBox(1, 3, 10, 0, "ÉÉÉ ¹²³ Évènement", 2);
    w->SetFont("Arial", 12, 0, 0);
    w->DrawTextBox(1, 5, 18, 0, "laboris.\nSecond\r\nThird");
    w->SetBoxStyle(1, 2, 0, 0, 0, 0, 15, 0);
    w->DrawTextBox(1, 8, 6, 0, "Une réunion bien trop longue pour tenir sur une ligne", 512);
    w->EndDoc();
    testing_support::ExpectSoundFile(path);

    words = ReadWords(path);
    Find("Προγραμματισμός");
    EXPECT_NEAR(Find("Évènement").xMax, X(11), kSlack);
    EXPECT_NEAR(Find("laboris.").xMin, X(1), kSlack);
    EXPECT_NEAR(Find("Second").xMin, X(1), kSlack);
    EXPECT_GT(Find("Second").yMin, Find("laboris.").yMax - 1);
    EXPECT_GT(Find("Third").yMin, Find("Second").yMax - 1);
    double right = 0;
    for (const Word& word : words) {
        if (word.yMin > Y(8) && word.yMax < Y(9))
            right = std::max(right, word.xMax);
    }
    EXPECT_GT(right, X(5));
    EXPECT_LE(right, X(7) + 0.5);
}

}  // namespace
}  // namespace pdf
