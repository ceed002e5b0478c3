#include <gtest/gtest.h>

#include <climits>

#include "pdf/core/text_buffer.h"
#include "pdf/core/text_string.h"
#include "pdf/core/text_utils.h"
#include "pdf_test_support.h"

namespace pdf {
namespace {

TEST(EscapeString, EscapesBackslashParenthesesAndLineEndsOnly)
{
    EXPECT_EQ(EscapeString("a(b)c\\d"), "a\\(b\\)c\\\\d");
    EXPECT_EQ(EscapeString("x\ry\nz"), "x\\ry\\nz");
    EXPECT_EQ(EscapeString("\t\xE9"), "\t\xE9");
    EXPECT_EQ(EscapeString(""), "");
}

TEST(ReplaceText, ReplacesLeftToRightWithoutOverlap)
{
    EXPECT_EQ(ReplaceText("1,5", ",", "."), "1.5");
    EXPECT_EQ(ReplaceText("aaa", "aa", "b"), "ba");
    EXPECT_EQ(ReplaceText("a-b-c", "-", "+", 1, 1), "a+b-c");
    EXPECT_EQ(ReplaceText("a-b-c", "-", "+", 3), "a-b+c");
    EXPECT_EQ(ReplaceText("abc", "", "x"), "abc");
    EXPECT_EQ(ReplaceText("abc", "b", "x", 1, 0), "abc");
    EXPECT_EQ(ReplaceText("aXbX", "X", "YY"), "aYYbYY");
}

TEST(SplitText, KeepsEmptyPieces)
{
    std::vector<std::string> pieces;
    SplitText("a;;b;", pieces, ";");
    EXPECT_EQ(pieces, (std::vector<std::string>{"a", "", "b", ""}));
    SplitText("", pieces, ";");
    EXPECT_EQ(pieces, (std::vector<std::string>{""}));
    SplitText("abc", pieces, "");
    EXPECT_EQ(pieces, (std::vector<std::string>{"abc"}));
}

TEST(TextBuffer, GrowsByMoreThanItHeldAndKeepsExactlyWhatWasAppended)
{
    TextBuffer buffer;
    BufAppend(buffer, "a");
    EXPECT_EQ(buffer.Capacity, 2);
    BufAppend(buffer, std::string(10, 'b'));
    EXPECT_EQ(buffer.Capacity, 14);
    BufAppend(buffer, std::string(1000, 'c'));
    EXPECT_EQ(buffer.Capacity, 1026);
    EXPECT_EQ(BufToString(buffer), "a" + std::string(10, 'b') + std::string(1000, 'c'));

    BufReset(buffer);
    EXPECT_EQ(BufToString(buffer), "");
    BufAppend(buffer, "");
    EXPECT_EQ(buffer.Capacity, 1);
}

// A buffer about to hold 2 GB, as a page drawn with an arc of millions of steps does.
TEST(TextBuffer, RefusesToGrowPastTheLargestPosition)
{
    TextBuffer buffer;
    buffer.Position = INT_MAX - 4;
    buffer.Capacity = INT_MAX - 4;
    EXPECT_THROW(BufAppend(buffer, "0123456789"), Error);
    EXPECT_EQ(buffer.Position, INT_MAX - 4);
}

TEST(PutLine, GoesToTheTemplateThenThePatternThenThePage)
{
    auto writer = testing_support::PinnedWriter();
    PagelithTestPeer peer(*writer);
    peer.PutLine("lost");  // nothing open
    std::string name = testing_support::ScratchPath("core_putline.pdf");
    writer->BeginDoc(name);
    int page = 0;
    writer->BeginPage(page);
    peer.PutLine("a");
    peer.PutLine("b");
    EXPECT_EQ(peer.PageContent(), "\ra\rb");
    peer.SetRecording(false, true);
    peer.PutLine("tile");
    peer.SetRecording(true, true);
    peer.PutLine("template");
    peer.SetRecording(false, false);
    EXPECT_EQ(peer.PageContent(), "\ra\rb");
    EXPECT_EQ(peer.TilingContent(), "\rtile");
    EXPECT_EQ(peer.TemplateContent(), "\rtemplate");
    writer->Abort();
}

TEST(TextString, UsesPdfDocEncodingWhenEveryCharacterHasAByte)
{
    EXPECT_EQ(EncodeTextString("Plain"), "Plain");
    EXPECT_EQ(EncodeTextString("Été à Zürich"), "\xC9t\xE9 \xE0 Z\xFCrich");
    // The euro, the em dash and Œ have their own bytes, unlike in Latin-1.
    EXPECT_EQ(EncodeTextString("5 € — Œuvre"), "5 \xA0 \x84 \x96uvre");
}

TEST(TextString, FallsBackToUtf16WithItsByteOrderMark)
{
    EXPECT_EQ(EncodeTextString("Ωé"), std::string("\xFE\xFF\x03\xA9\x00\xE9", 6));
    EXPECT_EQ(EncodeTextString("😀"), std::string("\xFE\xFF\xD8\x3D\xDE\x00", 6));
    // A stray byte is taken as the Latin-1 character it would be.
    EXPECT_EQ(EncodeTextString("a\xE9"), "a\xE9");
}

// A name may hold any byte but NUL, which no escape can carry.
TEST(EscapeName, EscapesDelimitersBlanksAndHighBytesAndDropsNul)
{
    EXPECT_EQ(EscapeName("Arial,Bold"), "Arial,Bold");
    EXPECT_EQ(EscapeName(std::string("A B#/(x)\0\xC3\xA9", 12)), "A#20B#23#2F#28x#29#C3#A9");
}

}  // namespace
}  // namespace pdf
