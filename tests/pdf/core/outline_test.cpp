// The outline written at completion: the tree of bookmark entries, their destinations,
// actions, colours and styles, as the file holds them and as readers show them.
#include <gtest/gtest.h>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::CaseOutputPath;
using testing_support::FinishChecked;
using testing_support::PinnedWriter;
using testing_support::RunTool;

class Outline : public testing_support::DocumentTest {
protected:
    Outline() : DocumentTest("outline_") {}
};

TEST_F(Outline, EntriesAreLinkedAsATreeBelowTheOpenRoot)
{
    writer->AddBookmark("Un", 0, 0, 0, 0, 0, 0, "", "", 0);
    writer->AddBookmark("Deux", -1, 0, 0, 0, 0, 0, "", "", 0);
    writer->AddBookmark("Trois", 1, 0, 0, 0, 0, 0, "", "", 0);
    const std::string pdf = Finish();

    // The page is object 4; the outline dictionary follows its content stream.
    EXPECT_NE(pdf.find("6 0 obj\n<< /Count 1 /First 7 0 R /Last 7 0 R >>\nendobj\n"
                       "7 0 obj\n<< /Title (\\(senza titolo\\))\r/Parent 6 0 R\r/First 8 0 R\r"
                       "/Last 10 0 R\r/Count 2\r/Dest [4 0 R /FitB]\r>>\nendobj\n"
                       "8 0 obj\n<< /Title (Un)\r/Parent 7 0 R\r/First 9 0 R\r/Last 9 0 R\r"
                       "/Next 10 0 R\r/Dest [4 0 R /FitB]\r>>\nendobj\n"
                       "9 0 obj\n<< /Title (Deux)\r/Parent 8 0 R\r/Dest [4 0 R /FitB]\r>>\n"
                       "endobj\n10 0 obj\n<< /Title (Trois)\r/Parent 7 0 R\r/Prev 8 0 R\r"
                       "/Dest [4 0 R /FitB]\r>>\nendobj\n"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Outlines 6 0 R\n"), std::string::npos);
    const auto shown = RunTool("mutool show '" + path + "' outline");
    EXPECT_EQ(shown.output,
              "-\t\"(senza titolo)\"\t#page=1&view=FitB\n"
              "+\t\t\"Un\"\t#page=1&view=FitB\n"
              "|\t\t\t\"Deux\"\t#page=1&view=FitB\n"
              "|\t\t\"Trois\"\t#page=1&view=FitB\n");
}

TEST_F(Outline, LevelsStayWithinOneOfTheEntryBefore)
{
    // Too deep right after the root, then far too shallow: every entry still has a parent.
    EXPECT_EQ(writer->AddBookmark("a", -1, 0, 0, 0, 0, 0, "", "", 0), "@2");
    EXPECT_EQ(writer->AddBookmark("b", 9, 0, 0, 0, 0, 0, "", "", 0), "@3");
    EXPECT_EQ(writer->AddBookmark("c", -7, 0, 0, 0, 0, 0, "", "", 0), "@4");
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(peer.Bookmark(2).Level, 1);
    EXPECT_EQ(peer.Bookmark(3).Level, 2);
    EXPECT_EQ(peer.Bookmark(4).Level, 1);
    const std::string pdf = Finish();
    EXPECT_EQ(pdf.find("/Parent 0 0 R"), std::string::npos);
    EXPECT_NE(pdf.find("/Count 2\r"), std::string::npos);
}

TEST_F(Outline, DestinationsColoursStylesAndActions)
{
    writer->SetScale(0, 1);
    writer->AddBookmark("haut", 0, 2, 100, 0, 0, 0, "", "", 0);
    writer->AddBookmark("zoom", 0, 4, 10, 20, 150, 0, "", "red", 3);
    writer->AddBookmark("cmjn", 0, 0, 0, 0, 0, 0, "", "@0;0;0;100", 4);
    writer->AddBookmark("web", 0, 5, 0, 0, 0, 0, "https://example.org/a b", "", 0);
    writer->AddBookmark("inconnu", 0, 9, 0, 0, 0, 0, "", "", 0);
    writer->AddBookmark("rien", 0, 5, 0, 0, 0, 0, "ref:x", "", 0);
    const std::string pdf = Finish();

    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_NE(pdf.find("(haut)\r/Parent 8 0 R\r/Next 10 0 R\r/Dest [5 0 R /FitH 742]\r>>"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Dest [5 0 R /XYZ 10 822 1.5]\r/C [1 0 0]\r/F 3\r>>"), std::string::npos);
    // A CMYK colour is not an outline colour; style 4 sets no flag.
    EXPECT_NE(pdf.find("(cmjn)\r/Parent 8 0 R\r/Prev 10 0 R\r/Next 12 0 R\r"
                       "/Dest [5 0 R /FitB]\r>>"),
              std::string::npos);
    // The action was written when the entry was added, before the page closed.
    EXPECT_NE(pdf.find("4 0 obj\n<< /S /URI /URI (https://example.org/a b) >> \nendobj"),
              std::string::npos);
    EXPECT_NE(pdf.find("(web)\r/Parent 8 0 R\r/Prev 11 0 R\r/Next 13 0 R\r/A 4 0 R \r>>"),
              std::string::npos);
    EXPECT_NE(pdf.find("(inconnu)\r/Parent 8 0 R\r/Prev 12 0 R\r/Next 14 0 R\r"
                       "/Dest [5 0 R /Fit]\r>>"),
              std::string::npos);
    EXPECT_NE(pdf.find("(rien)\r/Parent 8 0 R\r/Prev 13 0 R\r>>"), std::string::npos);
    const auto shown = RunTool("mutool show '" + path + "' outline");
    EXPECT_NE(shown.output.find("\"web\"\thttps://example.org/a b"), std::string::npos)
        << shown.output;
}

TEST(OutlineAbsent, NoEntryNoOutlineAndNoOutlineMode)
{
    auto writer = PinnedWriter();
    std::string path = CaseOutputPath("outline_");
    writer->BeginDoc(path);
    writer->SetViewerPreferences(2);
    const std::string pdf = FinishChecked(*writer, path);
    EXPECT_EQ(pdf.find("/Outlines"), std::string::npos);
    EXPECT_EQ(pdf.find("/UseOutlines"), std::string::npos);
}

}  // namespace
}  // namespace pdf
