// Text boxes: the lines they break the text into, where those lines sit across and down,
// the frame, the rest they give back, and where they leave the current point.  Arial at 10
// points: a line is 12.21 high with a descent of 2.21, so the first baseline of a box whose
// top is at 0 lies at 10; "W" is 9.44 wide, "a" 5.56, a blank 2.78, the ellipsis 10.
#include <gtest/gtest.h>

#include <vector>

#include "pdf/draw/text_layout.h"
#include "text_test_support.h"

namespace pdf {
namespace {

class TextBoxes : public text_testing::TextTest {
protected:
    void SetUp() override
    {
        TextTest::SetUp();
        w->SetColorFill("Black");
        Content();
    }
};

TEST_F(TextBoxes, EmptyTextDrawsNothing)
{
    EXPECT_EQ(w->DrawTextBox(5, 7, 50, 20, "", 9, 0), "");
    EXPECT_EQ(Content(), "");
    EXPECT_EQ(peer.X(), 5);
    EXPECT_EQ(peer.Y(), 27);
    w->DrawTextBox(5, 7, 50, 20, "", 9, 1);
    EXPECT_EQ(Content(), "");
    EXPECT_EQ(peer.Y(), 7);
}

TEST_F(TextBoxes, LinesAreWrittenOneBelowTheOther)
{
    EXPECT_EQ(w->DrawTextBox(0, 0, 100, 100, "A\r\n\r\nB"), "");
    EXPECT_EQ(Lines(Content()), TextObject("0 10", "(A) Tj") + TextObject("0 22.21", "( ) Tj") +
                                    TextObject("0 34.42", "(B) Tj"));
    EXPECT_FLOAT_EQ(peer.Y(), 3 * 12.21f);
    const float top = peer.PageHeight();
    const auto box = peer.LastBox();
    EXPECT_EQ(box[0], 0);
    EXPECT_EQ(box[1], top);
    EXPECT_EQ(box[2], 100);
    EXPECT_FLOAT_EQ(box[3], top - 3 * 12.21f);
}

TEST_F(TextBoxes, WordsBreakAtBlanksWithinTheInnerWidth)
{
    // Insets of 2 and 3 leave 20 points: "aa aa" is 25 wide, "aa" 11.12.
    w->SetBoxStyle(1, 0, 2, 1, 3, 0, 15, 0);
    EXPECT_EQ(w->DrawTextBox(10, 0, 25, 100, "aa aa aa\r\n\r\n"), "");
    const auto lines = Shown();
    ASSERT_EQ(lines.size(), 5u);
    const char* shows[] = {"(aa) Tj", "(aa) Tj", "(aa) Tj", "( ) Tj", "( ) Tj"};
    for (std::size_t i = 0; i < lines.size(); ++i) {
        EXPECT_EQ(lines[i].x, "12");
        EXPECT_EQ(lines[i].show, shows[i]) << i;
    }
    EXPECT_EQ(lines[0].baseline, "11");
}

TEST_F(TextBoxes, FrameIsDrawnFirstAndAZeroHeightFitsTheLines)
{
    w->SetBoxStyle(1, 0, 1, 2, 1, 3, 15, 0);
    EXPECT_EQ(w->DrawTextBox(0, 0, 60, 0, "a a\r\nb", 9, 0), "");
    const std::string content = Content();
    // Two lines and the top and bottom insets.
    EXPECT_EQ(content.rfind("\r0 0 60 29.42 re\rS\rBT", 0), 0u) << Lines(content);
    EXPECT_EQ(testing_support::CountOf(content, "BT"), 2);
    EXPECT_FLOAT_EQ(peer.Y(), 29.42f);
}

TEST_F(TextBoxes, BoxStyleWithoutArgumentsIsTheDefaultStyle)
{
    w->SetBoxStyle(2, 4, 1, 2, 1, 3, 4, 5);
    w->SetBoxStyle();
    EXPECT_EQ(w->DrawTextBox(0, 0, 60, 0, "a", 9, 0), "");
    // Single spacing, no insets and all four sides framed square.
    EXPECT_EQ(Lines(Content()), "|0 0 60 12.21 re|S" + TextObject("0 10", "(a) Tj"));
}

TEST_F(TextBoxes, FullBoxGivesBackTheRestAndTheNextBoxGoesOn)
{
    w->SetBoxStyle(1, 5, 0, 0, 0, 0, 15, 0);
    // One line high, and the indent leaves no room for a second "été" (13.9) beside the
    // first.
    const std::string rest = w->DrawTextBox(0, 0, 32, 12.21f, "été été été\r\nfin");
    EXPECT_EQ(rest, "\x01" "été été\r\nfin");
    auto lines = Shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, "5");  // the paragraph's first line is indented

    EXPECT_EQ(w->DrawTextBox(0, 0, 32, 100, rest), "");
    lines = Shown();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].x, "0");  // continued: not indented, so both words fit
    EXPECT_EQ(lines[0].show, "(\xE9t\xE9 \xE9t\xE9) Tj");
    EXPECT_EQ(lines[1].x, "5");
    EXPECT_EQ(lines[1].show, "(fin) Tj");

    // A break between paragraphs leaves no mark.
    EXPECT_EQ(w->DrawTextBox(0, 0, 40, 12.21f, "un\r\ndeux\r\ntrois"), "deux\r\ntrois");
}

// A long text given on from box to box shows the lines it shows in one box tall enough for
// it all: no word lost, doubled or moved, and a word too wide comes back shortened.
TEST_F(TextBoxes, ALongTextGoesOnFromBoxToBoxAsInOneBox)
{
    std::string paragraph;
    for (int i = 0; i < 600; ++i)
        paragraph += (i > 0 ? " " : "") + std::string(1 + i % 7, static_cast<char>('a' + i % 26));
    struct Case {
        const char* name;
        std::string text;
        float width;
        int align;
    };
    const Case cases[] = {
        {"OneLongParagraph", paragraph, 60, 9},
        {"ParagraphsAndBlankLines", "un deux trois\r\n\r\n" + paragraph + "\nquatre\r\rcinq", 60,
         9},
        {"JustifiedWithRunsOfBlanks", "a  b   c " + paragraph + "  fin", 60, 64},
        {"WordsWiderThanTheBox", "WWWWWWWW a " + paragraph + " WWWWWWWW WWWWWWWW b", 30, 9},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(w->DrawTextBox(0, 0, c.width, 100000, c.text, c.align), "");
        std::vector<std::string> whole;
        for (const auto& line : Shown())
            whole.push_back(line.show);
        std::vector<std::string> boxed;
        int boxes = 0;
        // Three lines a box.
        for (std::string rest = c.text; !rest.empty(); ++boxes) {
            rest = w->DrawTextBox(0, 0, c.width, 40, rest, c.align);
            for (const auto& line : Shown())
                boxed.push_back(line.show);
        }
        EXPECT_GT(boxes, 10);
        EXPECT_EQ(boxed, whole);
    }
    EXPECT_EQ(w->DrawTextBox(0, 0, 30, 12.21f, "a WWWWWWWW c WWWWWWWW"),
              "\x01" "WW\xE2\x80\xA6 c WW\xE2\x80\xA6");
}

TEST_F(TextBoxes, JustifiedBoxLeavesEachParagraphsLastLineLeftAligned)
{
    // 30 wide: "a a a" (22.24) fits, a fourth word does not.
    w->DrawTextBox(0, 0, 30, 100, "a  a a a a", 64);
    const auto lines = Shown();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].show, "3.88 Tw (a a a) Tj 0 Tw");
    EXPECT_EQ(lines[1].show, "(a a) Tj");
}

TEST_F(TextBoxes, FittedParagraphIsOneLine)
{
    w->DrawTextBox(0, 0, 11.12f, 100, "a a a", 128);
    const auto lines = Shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].show, "50 Tz (a a a) Tj 100 Tz");
}

TEST_F(TextBoxes, OneLinePerParagraphEndsInAnEllipsis)
{
    // Ten words in a box 40 wide and one line high: the paragraph is cut where it stops
    // fitting, the next paragraph still gets its line.
    const std::string rest =
        w->DrawTextBox(0, 0, 40, 12.21f, "aa aa aa aa aa aa aa aa aa aa\r\nb", 512);
    EXPECT_EQ(rest, "");
    const auto lines = Shown();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].show, "(aa aa \x85) Tj");
    EXPECT_EQ(lines[1].show, "(b) Tj");
}

TEST_F(TextBoxes, WordsWiderThanTheBoxAreShortened)
{
    w->DrawTextBox(0, 0, 30, 100, "WWWWWW a", 0);
    auto lines = Shown();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].show, "(WW\x85) Tj");
    // Narrower than the ellipsis: the ellipsis alone, and no failure.
    w->DrawTextBox(0, 0, 5, 100, "WWW", 0);
    lines = Shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].show, "(\x85) Tj");
}

TEST_F(TextBoxes, VerticalAlignment)
{
    // A single line centred both ways in a box 40 high: the line's middle at 20.
    w->DrawTextBox(0, 0, 100, 40, "a", 36);
    auto lines = Shown();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].x, "47.22");
    EXPECT_EQ(lines[0].baseline, "23.895");

    // Bottom: the last line's bottom on the box's bottom.
    w->DrawTextBox(0, 0, 100, 40, "a\r\na", 16);
    lines = Shown();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[1].baseline, "37.79");

    // A box that fits its text is as high as its lines: centring changes nothing.
    w->DrawTextBox(0, 0, 100, 0, "a\r\na", 32);
    lines = Shown();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].baseline, "10");
}

TEST(TextBoxWithoutFont, FailsBeforeDrawingTheFrame)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("text_box_without_font.pdf");
    w->BeginDoc(path);
    int page = 0;
    w->BeginPage(page);
    TextTestPeer peer(*w);
    const std::string before = peer.PageContent();
    try {
        w->DrawTextBox(10, 10, 50, 20, "a b", 9, 0);
        ADD_FAILURE() << "no failure";
    } catch (const Error& error) {
        EXPECT_EQ(error.Number(), 9);
    }
    EXPECT_EQ(peer.PageContent(), before) << "a frame without its text";
    testing_support::FinishChecked(*w, path);
}

TEST(TextBoxParagraphs, BlankLinesAndContinuation)
{
    bool continued = true;
    EXPECT_EQ(SplitParagraphs("A\r\n\r\nB", 0, continued),
              (std::vector<std::string>{"A", " ", "B"}));
    EXPECT_FALSE(continued);
    EXPECT_EQ(SplitParagraphs("\rA\r\r\r", 0, continued),
              (std::vector<std::string>{" ", "A", " ", " ", " "}));
    EXPECT_EQ(SplitParagraphs("\x01" "a    b", 64, continued),
              (std::vector<std::string>{"a b"}));
    EXPECT_TRUE(continued);
    EXPECT_EQ(SplitParagraphs("a  b", 0, continued), (std::vector<std::string>{"a  b"}));
}

}  // namespace
}  // namespace pdf
