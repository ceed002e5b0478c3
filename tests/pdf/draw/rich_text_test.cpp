// Rich text: the runs tagged text is laid out in, the lines they make, justified and
// aligned lines, the rest a full box gives back, and a page of rich text rendered.  Arial at
// 10 points: a line is 12.21 high with a descent of 2.21; "a" is 5.56 wide, a space 2.78,
// in bold as in regular.
#include <gtest/gtest.h>

#include <vector>

#include "text_test_support.h"

namespace pdf {
namespace {

using testing_support::CountOf;
using testing_support::RunTool;

class RichText : public text_testing::TextTest {
protected:
    void SetUp() override
    {
        TextTest::SetUp();
        w->SetTextTag("b", "", 0, 1, 0, "", "");
        w->SetTextTag("i", "", 0, 2, 0, "Red", "");
        w->SetTextTag("big", "Times", 14, -1, 0, "", "Yellow");
    }

    // Each run of a line as its text in brackets and its style, "+" when a closing tag
    // brought its space.
    std::vector<std::string> RunLines() const
    {
        std::vector<std::string> lines;
        for (const RichLineRecord& line : peer.RichRuns().Lines) {
            std::string text;
            for (const RichRunRecord& run : line.Runs)
                text += (text.empty() ? "[" : " [") + run.Text + "]" +
                        std::to_string(run.Tag.Style) + (run.SpaceAfterTag ? "+" : "");
            lines.push_back(text);
        }
        return lines;
    }

    std::vector<std::string> LinesOf(const std::string& text, float width = 400)
    {
        EXPECT_EQ(w->DrawTextRich(0, 0, width, 100, text, 0, 1), "");
        Content();
        return RunLines();
    }
};

using Runs = std::vector<std::string>;

TEST_F(RichText, RunsTakeTheStylesOfTheirTags)
{
    EXPECT_EQ(LinesOf("<b>Bold</b> plain  two"), Runs{"[Bold ]1+ [plain ]0 [two]0"})
        << "the space after a closing tag is the tagged run's; two spaces make one";
    EXPECT_EQ(LinesOf("word<b>bold"), Runs{"[word]0 [bold]1"});
    EXPECT_EQ(LinesOf("<b><i>x</b>y"), Runs{"[x]3 [y]1"}) << "closes the innermost tag";
    EXPECT_EQ(LinesOf("</b><u>x</u> b"), Runs{"[<u>x</u> ]0 [b]0"})
        << "a stray closing tag is passed over, an undefined one stays text";
    EXPECT_EQ(LinesOf("a<b> b</b>"), Runs{"[a]0 [ ]1 [b]1"}) << "the words stay apart";

    EXPECT_EQ(LinesOf("<i>it <b>both</b> <big>large</big></i>"),
              Runs{"[it ]2 [both ]3+ [large]2"});
    const RichLineRecord& line = peer.RichRuns().Lines[0];
    const RichRunRecord& large = line.Runs[2];
    EXPECT_EQ(large.Tag.Font, "Times");
    EXPECT_EQ(large.Tag.Size, 14);
    EXPECT_EQ(large.Tag.TextColor, "#1 0 0") << "inherited from the outer tag";
    EXPECT_EQ(large.Tag.FillColor, "#1 1 0");
    EXPECT_EQ(line.Runs[0].Tag.FillColor, "#1 1 1") << "the fill colour is the background";
    EXPECT_GT(line.Baseline - line.Descent, 12.21f) << "the line is as tall as its largest run";
}

TEST_F(RichText, LinesBreakAtSpacesAndLineEnds)
{
    EXPECT_EQ(LinesOf("a\nb\r\nc\rd"), (Runs{"[a]0", "[b]0", "[c]0", "[d]0"}));
    EXPECT_EQ(LinesOf("a\r\rb"), (Runs{"[a]0", "", "[b]0"}));
    EXPECT_EQ(peer.RichRuns().Lines[1].Baseline, 0) << "an empty paragraph takes no height";

    // 30 wide: "aa aa" (25.02) fits, a third word does not; its trailing space is dropped.
    EXPECT_EQ(w->DrawTextRich(0, 0, 30, 100, "aa aa aa", 0, 1), "");
    EXPECT_EQ(RunLines(), (Runs{"[aa ]0 [aa]0", "[aa]0"}));
    EXPECT_FLOAT_EQ(peer.RichRuns().Lines[0].Width, 25.02f);
    const auto runs = Shown();
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].baseline, "10");
    EXPECT_EQ(runs[1].x, "13.9");
    EXPECT_EQ(runs[2].baseline, "22.21");

    // A word that fits the width but not beside the indent goes down to the next line.
    w->SetBoxStyle(1, 10);
    EXPECT_EQ(w->DrawTextRich(0, 0, 30, 100, "aaaaa", 0, 1), "");
    EXPECT_EQ(RunLines(), (Runs{"", "[aaaaa]0"}));
    EXPECT_EQ(Shown()[0].x, "0");
    w->SetBoxStyle();

    // Right and centred: the lines end at the right edge, or sit in the middle.
    w->DrawTextRich(0, 0, 30, 100, "aa aa aa", 2, 1);
    EXPECT_EQ(Shown()[2].x, "18.88");
    w->DrawTextRich(0, 0, 30, 100, "aa aa aa", 4, 1);
    EXPECT_EQ(Shown()[2].x, "9.44");
}

TEST_F(RichText, JustifiedLinesFillTheWidth)
{
    w->SetBoxStyle(1, 3, 0, 0, 0, 0, 15, 0);
    w->DrawTextRich(0, 0, 27, 100, "aa aa aa aa aa", 64, 1);
    EXPECT_EQ(RunLines(), (Runs{"[aa]0", "[aa ]0 [aa]0", "[aa ]0 [aa]0"}));
    const auto runs = Shown();
    ASSERT_EQ(runs.size(), 5u);
    EXPECT_EQ(runs[0].x, "3") << "indented first line with a single word";
    EXPECT_EQ(runs[2].x, "15.88") << "a line within the paragraph ends at the edge (27)";
    EXPECT_EQ(runs[4].x, "13.9") << "the paragraph's last line is left-aligned";

    // A word wider than the box stays whole, below the indent, and gets no extra space.
    w->DrawTextRich(0, 0, 20, 100, "aaaa aaaa", 64, 1);
    EXPECT_EQ(RunLines(), (Runs{"", "[aaaa]0", "[aaaa]0"}));
    EXPECT_EQ(Shown()[0].x, "0");
}

TEST_F(RichText, FullBoxGivesBackTheRestInItsStyle)
{
    w->SetBoxStyle(1, 5, 0, 0, 0, 0, 15, 0);
    // One line high: the indent leaves room for two bold words of three.
    const std::string rest = w->DrawTextRich(0, 0, 40, 12.21f, "<b>aa aa aa</b> end", 0, 1);
    EXPECT_EQ(rest, "\xff\x01\x01" "aa\x02\x01 end") << "the continuation mark and bold open";
    ASSERT_EQ(Shown().size(), 2u);

    EXPECT_EQ(w->DrawTextRich(0, 0, 40, 100, rest, 0, 1), "");
    EXPECT_EQ(RunLines(), Runs{"[aa ]1+ [end]0"});
    EXPECT_EQ(Shown()[0].x, "0") << "a continued paragraph is not indented";

    // A rest that begins a paragraph keeps its indent.
    EXPECT_EQ(w->DrawTextRich(0, 0, 40, 12.21f, "aa\r\n<i>bb</i>", 0, 1), "\x01\x02" "bb\x02\x02");

    // Not even the first line fits: everything is given back and no text drawn.
    Content();
    EXPECT_EQ(w->DrawTextRich(0, 0, 40, 5, "<b>aa</b>", 0, 0), "<b>aa</b>");
    EXPECT_EQ(w->DrawTextRich(0, 0, 40, 5, rest, 0, 1), rest);
    EXPECT_EQ(Content(), "\r0 0 40 5 re\rS") << "the frame alone";
}

TEST_F(RichText, FrameAndPlacementInTheBox)
{
    EXPECT_EQ(w->DrawTextRich(5, 7, 50, 20, "   ", 0, 0), "");
    EXPECT_EQ(Content(), "") << "spaces only: not even the frame";

    // A height of 0 frames the lines and the insets.
    w->SetBoxStyle(1, 0, 1, 2, 1, 3, 15, 0);
    w->DrawTextRich(0, 0, 60, 0, "a", 0, 0);
    const std::string framed = Content();
    EXPECT_EQ(framed.rfind("\r0 0 60 17.21 re\rS\r", 0), 0u) << Lines(framed);
    EXPECT_FLOAT_EQ(peer.Y(), 14.21f) << "style 0 leaves the point under the line";
    w->DrawTextRich(0, 0, 60, 0, "a", 0, 1);
    EXPECT_FLOAT_EQ(peer.Y(), 17.21f) << "else under the box";
    Content();

    // A single line bottom-aligned in a box just as high fits; centred in 40 its middle is
    // at 20.
    w->SetBoxStyle();
    EXPECT_EQ(w->DrawTextRich(0, 0, 100, 12.21f, "a", 16, 1), "");
    EXPECT_EQ(Shown()[0].baseline, "10");
    w->DrawTextRich(0, 0, 100, 40, "a", 32, 1);
    EXPECT_EQ(Shown()[0].baseline, "23.895");
}

TEST_F(RichText, RunsAreDrawnInTheirColoursAndTheStateIsPutBack)
{
    w->SetTextTag("hl", "", 0, 4, 0, "Blue", "Yellow");
    const std::string font = peer.FontName();
    w->DrawTextRich(0, 0, 100, 100, "<hl>aa</hl> a", 0, 1);
    EXPECT_EQ(CountOf(Content(), " re\r"), 2) << "untagged words over the fill colour";
    w->SetColorFill("");
    w->DrawTextRich(0, 0, 100, 100, "<hl>aa</hl> a", 0, 1);
    const std::string content = Content();
    // The background leaves out the space after the tag; the line height rises from a
    // quarter of it below the baseline.
    EXPECT_NE(content.find("\r1 1 0 rg\r0 13.052 11.12 -12.21 re\rf*\r1 1 1 rg\r0 0 1 rg\rBT"),
              std::string::npos)
        << Lines(content);
    EXPECT_EQ(CountOf(content, " re\r"), 1);
    EXPECT_EQ(CountOf(content, " l S"), 1) << "underlined by the tag's style";
    EXPECT_EQ(w->GetTextWidth("a"), 5.56f);
    EXPECT_EQ(peer.FontName(), font) << "the caller's font again";
}

// A page of rich text flowing from one box into the next, as a reader sees it.
TEST(RichTextDocument, RendersTaggedTextThatFlowsBetweenBoxes)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("draw_rich_text.pdf");
    w->BeginDoc(path);
    w->SetScale(2, 0);
    w->SetMargins(20, 20, 20, 20, 1);
    int page = 0;
    w->BeginPage(page);
    w->SetFont("Arial", 10, 0, 0);
    w->SetTextTag("titre", "Times", 16, 1, 0, "Navy", "");
    w->SetTextTag("em", "", 0, 2, 0, "Maroon", "");
    w->SetTextTag("note", "", 0, -1, 0, "", "Yellow");
    w->SetBoxStyle(1.2f, 6, 3, 3, 3, 3, 15, 2);
    const std::string text =
        "<titre>Journée de chantier</titre>\r\n"
        "La <em>peinture du salon</em> commence à huit heures ; <note>prévoir deux couches"
        "</note> et laisser sécher entre les deux. Le jardin attendra la fin de la semaine, "
        "quand la <em>haie</em> sera taillée.\r\nMatériel : rouleaux, bâches et escabeau.";
    const std::string rest = w->DrawTextRich(10, 10, 80, 30, text, 64, 0);
    EXPECT_EQ(rest.front(), '\xff') << "the box breaks a paragraph";
    EXPECT_EQ(w->DrawTextRich(95, 10, 70, 0, rest, 64, 0), "");
    w->EndPage();
    testing_support::FinishChecked(*w, path);

    const auto read = RunTool("pdftotext '" + path + "' -");
    for (const char* words : {"Journée de chantier", "peinture du salon", "prévoir deux couches",
                              "escabeau"})
        EXPECT_NE(read.output.find(words), std::string::npos) << words << "\n" << read.output;
    const auto shot = testing_support::RenderScreenshot(path, "draw_rich_text");
    EXPECT_EQ(shot.status, 0) << shot.output;
}

}  // namespace
}  // namespace pdf
