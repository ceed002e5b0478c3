#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <regex>

#include "pdf/core/list_growth.h"
#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::OutputPath;
using testing_support::PinnedWriter;
using testing_support::ReadAll;

TEST(Writer, NewObjectHasTheDefaults)
{
    auto writer = PinnedWriter();
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(writer->ErrNumber(), 0);
    ASSERT_EQ(peer.BookmarkCount(), 1);
    EXPECT_EQ(peer.Bookmark(1).Title, "(senza titolo)");
    EXPECT_EQ(peer.Bookmark(1).Dest, "/FitB");
    EXPECT_EQ(peer.Bookmark(1).Page, 1);
    EXPECT_TRUE(std::regex_match(peer.ResPrefix(), std::regex("A[0-9A-F]{1,6}\\+")))
        << peer.ResPrefix();
    EXPECT_EQ(writer->GetPageWidth(false), 596);
    EXPECT_EQ(writer->GetPageHeight(false), 842);
    EXPECT_EQ(writer->FileSize(), 0);
    EXPECT_EQ(Pagelith::Version(), "2020.1");
}

TEST(Writer, EveryResetDrawsANewPrefix)
{
    auto writer = PinnedWriter();
    PagelithTestPeer peer(*writer);
    const std::string first = peer.ResPrefix();
    writer->Abort();
    EXPECT_NE(peer.ResPrefix(), first);
    EXPECT_EQ(PagelithTestPeer(*PinnedWriter()).ResPrefix(), first);  // same seed, same prefix
}

TEST(Writer, SetDocPropertyRenamesTheRootBookmarkAndKeepsEmptyNames)
{
    auto writer = PinnedWriter();
    writer->SetDocProperty("Report", "", "", "", "", "");
    EXPECT_EQ(PagelithTestPeer(*writer).Bookmark(1).Title, "Report");

    std::string name = OutputPath("core_docproperty.pdf");
    writer->BeginDoc(name);
    testing_support::FinishChecked(*writer, name);
    const auto info = testing_support::RunTool("pdfinfo '" + name + "'");
    EXPECT_NE(info.output.find("Title:           Report\n"), std::string::npos) << info.output;
    EXPECT_NE(info.output.find("Author:          Alvar Quent\n"), std::string::npos);
    EXPECT_NE(info.output.find("Producer:        Pagelith Library 2020.1\n"), std::string::npos);
}

TEST(Writer, BeginDocIntoAMissingFolderRecordsTheErrorAndReturns)
{
    auto writer = PinnedWriter();
    std::string name = OutputPath("no-such-folder/sub/out.pdf");
    EXPECT_EQ(writer->BeginDoc(name), name);
    EXPECT_NE(writer->ErrNumber(), 0);
    EXPECT_EQ(writer->ErrSource(), "Pagelith.BeginDoc");
    const std::string description = writer->ErrDescription();
    EXPECT_GT(description.size(), name.size() + 3);
    EXPECT_EQ(description.substr(description.size() - name.size() - 3), " - " + name);
    EXPECT_FALSE(std::filesystem::exists(name));
    // Reading the error clears nothing.
    EXPECT_EQ(writer->ErrSource(), "Pagelith.BeginDoc");
    writer->Abort();
    EXPECT_EQ(writer->ErrNumber(), 0);
}

TEST(Writer, BeginDocWithoutANameMakesARandomNameInTheCurrentFolder)
{
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path(std::filesystem::path(OutputPath("")));
    auto writer = PinnedWriter();
    std::string name;
    const std::string opened = writer->BeginDoc(name);
    testing_support::FinishChecked(*writer, name);
    std::filesystem::current_path(previous);

    EXPECT_EQ(opened, name);
    EXPECT_TRUE(std::regex_match(name, std::regex("~[0-9A-F]{6}\\.pdf"))) << name;
    const std::string path = OutputPath(name);
    testing_support::ExpectSoundFile(path);
    std::filesystem::remove(path);
}

// The creation date carries the offset of the machine's zone at that moment, in the
// document information and in the metadata of a PDF/A file alike.
TEST(Writer, CreationDatesCarryTheZonesRealOffset)
{
    const char* previous = std::getenv("TZ");
    const std::string saved = previous ? previous : "";
    struct Zone {
        const char* tz;
        const char* info;
        const char* xmp;
    };
    for (const Zone& zone : {Zone{"XST-5:30", "+05'30'", "+05:30"}, Zone{"UTC0", "+00'00'", "+00:00"},
                             Zone{"XST+3", "-03'00'", "-03:00"}}) {
        ::setenv("TZ", zone.tz, 1);
        ::tzset();
        Pagelith writer(std::make_shared<SystemClock>(), std::make_shared<SeededRandom>(1));
        std::string name = OutputPath("core_creation_offset.pdf");
        writer.SetCompression(0, 5, 0);
        writer.SetPDFa(true);
        writer.BeginDoc(name);
        const std::string text = testing_support::FinishChecked(writer, name);
        const std::size_t info = text.find("/CreationDate (D:");
        const std::size_t xmp = text.find("<xap:CreateDate>");
        ASSERT_NE(info, std::string::npos);
        ASSERT_NE(xmp, std::string::npos);
        EXPECT_EQ(text.substr(info + 31, 8), std::string(zone.info) + ")") << zone.tz;
        EXPECT_EQ(text.substr(xmp + 35, 6), zone.xmp) << zone.tz;
        testing_support::ExpectSoundFile(name);
    }
    if (previous)
        ::setenv("TZ", saved.c_str(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
}

TEST(Writer, FileSizeFollowsTheDocument)
{
    auto writer = PinnedWriter();
    std::string name = OutputPath("core_filesize.pdf");
    writer->BeginDoc(name);
    EXPECT_EQ(writer->FileSize(), 41);  // the three header lines
    testing_support::FinishChecked(*writer, name);
    EXPECT_EQ(writer->FileSize(), static_cast<std::int64_t>(std::filesystem::file_size(name)));
}

TEST(Writer, AbortDuringADocumentKeepsWhatWasWrittenAndResets)
{
    auto writer = PinnedWriter();
    std::string name = testing_support::ScratchPath("core_aborted.pdf");
    writer->SetDocProperty("Before", "", "", "", "", "");
    writer->BeginDoc(name);
    int page = 0;
    writer->BeginPage(page);
    writer->EndPage();
    writer->Abort();
    EXPECT_EQ(ReadAll(name).substr(0, 8), "%PDF-1.3");
    EXPECT_EQ(ReadAll(name).find("%%EOF"), std::string::npos);
    EXPECT_EQ(writer->GetPages(), 0);
    EXPECT_EQ(writer->FileSize(), 0);
    EXPECT_EQ(PagelithTestPeer(*writer).Bookmark(1).Title, "(senza titolo)");
}

TEST(Writer, ListsGrowByTheMemoryUsageRule)
{
    // Factor 1: room for indexes 0-10 at the first entry, then 0-23 at the 11th.
    EXPECT_EQ(ListRoomFor(1, 0, 1), 10);
    EXPECT_EQ(ListRoomFor(5, 10, 1), 10);
    EXPECT_EQ(ListRoomFor(11, 10, 1), 23);
    EXPECT_EQ(ListRoomFor(1, 0, 10), 100);

    auto writer = PinnedWriter();
    writer->SetMemoryUsage(0);
    writer->SetMemoryUsage(11);
    std::vector<int> list;
    ReserveFor(list, 1, 1);
    EXPECT_EQ(list.capacity(), 10u);
}

TEST(PageGeometry, SizesUnitsAndMargins)
{
    auto writer = PinnedWriter();
    writer->SetMargins(50, 50, 10, 20, 0);
    EXPECT_EQ(writer->GetPageWidth(true), 496);
    EXPECT_EQ(writer->GetPageHeight(true), 812);

    writer->SetScale(3, 0);  // centimetres; the margins stay as converted
    EXPECT_FLOAT_EQ(writer->GetPageWidth(true), 496 / 28.346457f);
    writer->SetPaperSize(255, 21.0f, 29.7f);
    EXPECT_FLOAT_EQ(writer->GetPageWidth(false), 21.0f);
    EXPECT_NEAR(PagelithTestPeer(*writer).PageHeight(), 841.9, 0.05);

    writer->SetScale(255, 0);   // ignored
    writer->SetScale(255, -2);  // ignored
    writer->SetScale(4, 0);     // no such unit
    EXPECT_FLOAT_EQ(writer->GetPageWidth(false), 21.0f);

    writer->SetScale(0, 0);
    writer->SetPaperSize(-8, 0, 0);
    EXPECT_EQ(writer->GetPageWidth(false), 2384);
    writer->SetPaperSize(17, 0, 0);
    EXPECT_EQ(writer->GetPageHeight(false), 522);
    writer->SetPaperSize(18, 0, 0);
    EXPECT_EQ(writer->GetPageHeight(false), 522);
}

TEST(Bookmarks, LevelsFollowTheEntryBefore)
{
    auto writer = PinnedWriter();
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(writer->AddBookmark("a", 0, 0, 0, 0, 0, 0, "", "", 0), "@2");
    EXPECT_EQ(writer->AddBookmark("b", -1, 0, 0, 0, 0, 0, "", "", 0), "@3");
    EXPECT_EQ(writer->AddBookmark("c", 7, 0, 0, 0, 0, 0, "", "", 0), "@4");
    EXPECT_EQ(peer.Bookmark(2).Level, 1);
    EXPECT_EQ(peer.Bookmark(3).Level, 2);
    EXPECT_EQ(peer.Bookmark(4).Level, 3);

    for (int i = 0; i < 300; ++i)
        writer->AddBookmark("deep", -1, 0, 0, 0, 0, 0, "", "", 0);
    EXPECT_EQ(peer.Bookmark(peer.BookmarkCount()).Level, 254);
    EXPECT_EQ(writer->AddBookmark("too deep", -1, 0, 0, 0, 0, 0, "", "", 0), "");
}

TEST(Bookmarks, DestinationsColoursAndStyles)
{
    auto writer = PinnedWriter();
    PagelithTestPeer peer(*writer);
    writer->AddBookmark("top", 0, 2, 100, 0, 0, 0, "", "", 0);
    writer->AddBookmark("zoom", 0, 4, 10, 20, 150, 0, "", "red", 4);
    EXPECT_EQ(peer.Bookmark(2).Dest, "/FitH 742");
    EXPECT_EQ(peer.Bookmark(3).Dest, "/XYZ 10 822 1.5");
    EXPECT_EQ(peer.Bookmark(3).Colour, "1 0 0");
    EXPECT_EQ(peer.Bookmark(3).Flags, 0);
    writer->AddBookmark("both", 0, 0, 0, 0, 0, 0, "", "", 3);
    EXPECT_EQ(peer.Bookmark(4).Flags, 3);
    writer->AddBookmark("nothing", 0, 5, 0, 0, 0, 0, "ref:x", "", 0);
    EXPECT_EQ(peer.Bookmark(5).Dest, "");
}

class Pages : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = PinnedWriter();
        name = OutputPath(std::string("core_pages_") +
                          ::testing::UnitTest::GetInstance()->current_test_info()->name() +
                          ".pdf");
        writer->BeginDoc(name);
    }

    void TearDown() override
    {
        if (ReadAll(name).find("%%EOF") == std::string::npos)
            writer->EndDoc();
        testing_support::ExpectSoundFile(name);
    }

    void AddPages(int count)
    {
        for (int i = 0; i < count; ++i) {
            int page = 0;
            writer->BeginPage(page);
        }
    }

    std::unique_ptr<Pagelith> writer;
    std::string name;
};

TEST_F(Pages, BeginPageAppendsAndWritesThePositionBack)
{
    int page = 0;
    EXPECT_EQ(writer->BeginPage(page), 1);
    EXPECT_EQ(page, 1);
    EXPECT_EQ(writer->GetPage(), 1);
    EXPECT_EQ(writer->GetPages(), 1);
}

TEST_F(Pages, PositionsOutsideTheDocumentAreRefused)
{
    AddPages(2);
    int beyond = 4;
    EXPECT_THROW(writer->BeginPage(beyond), Error);
    int negative = -1;
    EXPECT_THROW(writer->BeginPage(negative), Error);
    int missing = 3;
    EXPECT_THROW(writer->BeginOnPage(missing), Error);
    int none = 0;
    EXPECT_THROW(writer->BeginOnPage(none), Error);
    EXPECT_EQ(writer->GetPages(), 2);
    writer->EndDoc();
    testing_support::ExpectSoundFile(name);
}

TEST_F(Pages, SwappingTheOpenPageIsRefused)
{
    AddPages(2);
    EXPECT_THROW(writer->SwapPages(1, 2), Error);
    writer->SwapPages(2, 2);  // nothing
    writer->SwapPages(0, 1);  // nothing
    writer->SwapPages(1, 3);  // nothing
    writer->EndPage();
    writer->SwapPages(1, 2);
    writer->EndDoc();
    testing_support::ExpectSoundFile(name);
}

TEST_F(Pages, SwapMovesBookmarksWithTheirPages)
{
    AddPages(1);
    writer->AddBookmark("first", 0, 0, 0, 0, 0, 0, "", "", 0);
    AddPages(1);
    writer->EndPage();
    writer->SwapPages(1, 2);
    EXPECT_EQ(PagelithTestPeer(*writer).Bookmark(2).Page, 2);
    EXPECT_EQ(PagelithTestPeer(*writer).Bookmark(1).Page, 2);  // the root pointed at page 1
}

TEST_F(Pages, AReopenedPageIsClosedAsAnOverlayByWhateverComesNext)
{
    AddPages(2);
    int first = 1;
    writer->BeginOnPage(first);
    int next = 0;
    writer->BeginPage(next);  // closes the overlay of page 1, then appends page 3
    EXPECT_EQ(next, 3);
    writer->BeginOnPage(first);
    writer->EndPage();  // closes the overlay too
    writer->BeginOnPage(first);
    writer->EndDoc();  // and so does the completion
    testing_support::ExpectSoundFile(name);
    const auto pages = testing_support::RunTool("qpdf --show-npages '" + name + "'");
    EXPECT_EQ(pages.output, "3\n");
    const std::string pdf = ReadAll(name);
    EXPECT_NE(pdf.find("/Contents [5 0 R 8 0 R 11 0 R 12 0 R ]"), std::string::npos) << pdf;
}

// A number tree needs ascending keys, each once, whatever order the ranges were set in.
TEST_F(Pages, PageLabelsAreWrittenInPageOrderAndTheLastRangeOfAPageWins)
{
    AddPages(3);
    writer->SetLabel(4, "", -1);  // page 3
    int first = 1;
    writer->BeginOnPage(first);
    writer->SetLabel(1, "x", 2);
    writer->SetLabel(3, "", -1);  // page 1 again
    testing_support::FinishChecked(*writer, name);
    EXPECT_NE(ReadAll(name).find("/PageLabels << /Nums [ 0 <<  /S /r >> 2 <<  /S /A >>  ] >>"),
              std::string::npos);
    const auto labels = testing_support::RunTool("qpdf --json --json-key=pagelabels '" + name + "'");
    EXPECT_NE(labels.output.find("\"/S\": \"/r\""), std::string::npos) << labels.output;
}

TEST_F(Pages, ASecondDocumentOnTheSameObjectStartsClean)
{
    AddPages(3);
    testing_support::FinishChecked(*writer, name);
    std::string second = OutputPath("core_pages_second.pdf");
    writer->BeginDoc(second);
    AddPages(1);
    writer->EndDoc();
    testing_support::ExpectSoundFile(second);
    EXPECT_EQ(testing_support::RunTool("qpdf --show-npages '" + second + "'").output, "1\n");
    EXPECT_EQ(ReadAll(second).find("9 0 obj"), std::string::npos);
}

// What a document leaves recording ends with it: the next one's drawing reaches its page,
// nothing recorded before reaches its file, and nothing goes on with the recording.
TEST(NewDocument, StartsCleanWhateverTheOneBeforeLeftRecording)
{
    auto w = PinnedWriter();
    std::string path = testing_support::CaseOutputPath("core_");
    for (const char* text : {"Stale", "Fresh"}) {
        w->BeginDoc(path);
        int page = 0;
        w->BeginPage(page);
        w->SetFont("Arial", 12, 0, 0);
        w->DrawText(20, 40, text);
        w->DrawObject("Tpl");
        w->DrawNote("Note", 99, 99, 80, 30, 0, 0, 0, 0, 4);
        w->DrawPlaceHolder("Icon", 1, 200, 99, 20, 20, 4);
        w->LinkTo("http://example.com", 0, 0, 0, 0, 0, 0, 0, 0);
        w->BeginTiling("Cell", 0, 0, 10, 10, 10, 10, 0);
        w->BeginObject("Tpl", 1);
        w->BeginSpace(5, 5, 2, 2, 30);
        w->BeginTable(0, 0, 10, {20});
        w->DrawText(20, 60, text);
    }
    w->EndTable();
    w->EndSpace();
    EXPECT_EQ(w->ErrNumber(), 0) << "the space of the new document's template ends";
    w->EndObject();
    w->EndTiling();
    EXPECT_THROW(w->EndObject(), Error);
    testing_support::FinishChecked(*w, path);
    EXPECT_EQ(testing_support::PopplerRenderMessages(path), "");
    const std::string text = testing_support::RunTool("pdftotext '" + path + "' -").output;
    EXPECT_EQ(text.find("Stale"), std::string::npos) << text;
    EXPECT_NE(text.find("Fresh"), std::string::npos) << text;
}

// A page that could not be written (here: no file yet) stays open, so that the document
// that follows still writes every page it counts.
TEST(PageWriting, APageThatFailedToBeWrittenIsWrittenByTheNextDocument)
{
    auto writer = PinnedWriter();
    try {
        writer->EndDoc();
        FAIL() << "EndDoc wrote without a file";
    } catch (const Error& e) {
        EXPECT_EQ(e.Number(), 52);
    }
    std::string name = testing_support::CaseOutputPath("core_");
    writer->BeginDoc(name);
    writer->EndDoc();
    testing_support::ExpectSoundFile(name);
    EXPECT_EQ(testing_support::RunTool("qpdf --show-npages '" + name + "'").output, "1\n");
    EXPECT_THROW(writer->EndDoc(), Error);
}

// A document with its first page open, for what readers make of the texts and names in it.
class WrittenDocument : public testing_support::DocumentTest {
protected:
    WrittenDocument() : DocumentTest("core_") {}
};

// Bytes that are not UTF-8 are their Latin-1 letters, and no text reads as UTF-16 or UTF-8
// because its first bytes look like a byte-order mark, wherever it is written.
TEST_F(WrittenDocument, TextStringsReadAsTheCharactersGivenWhateverTheirFirstBytes)
{
    writer->SetDocProperty("\xff\xfe\xc3 bad utf8", "þÿ x", "", "", "", "");
    writer->DrawNote("ï»¿ y", 10, 10, 100, 30, 0, 0, 0, 0, 4);
    Finish();
    const auto read = testing_support::RunTool(
        "/usr/bin/python3 - '" + path + "' 2>&1 <<'PY'\n"
        "import sys, pikepdf, xml.etree.ElementTree as xml\n"
        "p = pikepdf.open(sys.argv[1])\n"
        "xmp = xml.fromstring(p.Root.Metadata.read_bytes()).find('.//{*}title//{*}li').text\n"
        "print(p.docinfo.Title, p.docinfo.Subject, xmp, p.pages[0].Annots[0].Contents, sep='|')\n"
        "PY\n");
    EXPECT_EQ(read.output, "ÿþÃ bad utf8|þÿ x|ÿþÃ bad utf8|ï»¿ y\n");
}

// Fonts, templates, patterns and destinations named alike in far more than the 126 bytes a
// reader takes, with escapes or without, are two of each that readers take quietly.
TEST_F(WrittenDocument, LongNamesStayWithinReadersLimitAndApart)
{
    std::string common;
    while (common.size() < 140)
        common += "Nom très long / ";
    const std::string plain(200, 'N');
    for (const std::string& name : {common + "A", common + "B", plain + "A", plain + "B"}) {
        writer->SetFont(name, 12, 0, 0);
        writer->BeginObject(name, 0);
        writer->EndObject();
        writer->DrawObject(name);
        writer->AddGradient(name, 0, "Red", "Blue", 0, 0, 9, 0, 0, 0, true, true);
        writer->DefineRef(name, 0, 0, 0, 0, 0, 0);
        writer->LinkTo("ref:" + name, 1, 0, 0, 0, 0, 0, 0, 0);
    }
    Finish();
    EXPECT_EQ(testing_support::PopplerRenderMessages(path), "");
    const auto counts = testing_support::RunTool(
        "/usr/bin/python3 -c \"import pikepdf, sys; p = pikepdf.open(sys.argv[1]); "
        "r = p.pages[0].Resources; print(len(r.Font), len(r.XObject), len(r.Pattern), "
        "len(p.Root.Dests))\" '" + path + "'");
    EXPECT_EQ(counts.output, "4 4 4 4\n");
}

}  // namespace
}  // namespace pdf
