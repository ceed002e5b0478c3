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

// Bytes that are not UTF-8 are their Latin-1 letters, and no text reads as UTF-16 or UTF-8
// because its first bytes look like a byte-order mark, wherever it is written.
// A document with its first page open, for what readers make of the texts and names in it.
class WrittenDocument : public testing_support::DocumentTest {
protected:
    WrittenDocument() : DocumentTest("core_") {}
};

TEST_F(WrittenDocument, TextStringsReadAsTheCharactersGivenWhateverTheirFirstBytes)
{
    writer->SetDocProperty("\xff\xfe\xc3 bad utf8", "þÿ x", "", "", "", "");
    writer->AddBookmark("\xff\xfe" "ab", 0, 0, 0, 0, 0, 0, "", "", 0);
    writer->DrawNote("ï»¿ y", 10, 10, 100, 30, 0, 0, 0, 0, 4);
    writer->BeginLayer("ok \xe9t\xe9", true, true, "");
    Finish();
    const auto read = testing_support::RunTool(
        "/usr/bin/python3 - '" + path + "' 2>&1 <<'PY'\n"
        "import sys, pikepdf, xml.etree.ElementTree as xml\n"
        "p = pikepdf.open(sys.argv[1])\n"
        "xmp = xml.fromstring(p.Root.Metadata.read_bytes()).find('.//{*}title//{*}li').text\n"
        "with p.open_outline() as o:\n"
        "    print(p.docinfo.Title, p.docinfo.Subject, o.root[0].children[0].title, xmp,\n"
        "          p.pages[0].Annots[0].Contents, p.Root.OCProperties.OCGs[0].Name, sep='|')\n"
        "PY\n");
    EXPECT_EQ(read.output, "ÿþÃ bad utf8|þÿ x|ÿþab|ÿþÃ bad utf8|ï»¿ y|ok été\n");
    const auto info = testing_support::RunTool("pdfinfo '" + path + "' | grep Title:").output;
    EXPECT_EQ(info.substr(info.find_first_not_of(' ', 6)), "ÿþÃ bad utf8\n");
}

// A name may hold any byte but NUL, which no escape can carry.
TEST(EscapeName, EscapesDelimitersBlanksAndHighBytesAndDropsNul)
{
    EXPECT_EQ(EscapeName("Arial,Bold"), "Arial,Bold");
    EXPECT_EQ(EscapeName(std::string("A B#/(x)\0\xC3\xA9", 12)), "A#20B#23#2F#28x#29#C3#A9");
}

// Fonts, templates, tiling patterns, gradients and destinations named alike in far more than
// the 127 bytes a reader takes, escapes included, are two of each that readers take quietly.
TEST_F(WrittenDocument, LongNamesStayWithinReadersLimitAndApart)
{
    std::string common;
    while (common.size() < 140)
        common += "Nom très long / ";
    for (const std::string& name : {common + "A", common + "B"}) {
        writer->SetFont(name, 12, 0, 0);
        writer->BeginObject(name, 0);
        writer->EndObject();
        writer->DrawObject(name);
        writer->AddGradient(name, 0, "Red", "Blue", 0, 0, 9, 0, 0, 0, true, true);
        writer->BeginTiling(name + " cell", 0, 0, 4, 4, 4, 4, 0);
        writer->EndTiling();
        writer->DefineRef(name, 0, 0, 0, 0, 0, 0);
        writer->LinkTo("ref:" + name, 1, 0, 0, 0, 0, 0, 0, 0);
    }
    Finish();
    EXPECT_EQ(testing_support::PopplerRenderMessages(path), "");
    const auto counts = testing_support::RunTool(
        "/usr/bin/python3 -c \"import pikepdf, sys; p = pikepdf.open(sys.argv[1]); "
        "r = p.pages[0].Resources; print(len(r.Font), len(r.XObject), len(r.Pattern), "
        "len(p.Root.Dests))\" '" + path + "'");
    EXPECT_EQ(counts.output, "2 2 4 2\n");
}

}  // namespace
}  // namespace pdf
