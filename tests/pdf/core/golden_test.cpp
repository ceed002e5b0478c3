// Whole documents with a pinned clock and seed, compared byte for byte with files that were
// checked by hand and by qpdf, pdfinfo and mutool.  QUORVANE_UPDATE_GOLDEN=1 rewrites them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <functional>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::ReadAll;
using testing_support::RunTool;

std::string GoldenPath(const std::string& name)
{
    return std::string(QUORVANE_SOURCE_DIR) + "/tests/pdf/core/golden/" + name + ".pdf";
}

// Writes the document, checks it with the readers and compares it with its golden file.
std::string WriteAndCompare(const std::string& goldenName,
                            const std::function<void(Pagelith&)>& build)
{
    auto writer = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("golden_" + goldenName + ".pdf");
    writer->BeginDoc(path);
    EXPECT_EQ(writer->ErrNumber(), 0);
    build(*writer);
    writer->EndDoc();

    testing_support::ExpectSoundFile(path);

    const std::string written = ReadAll(path);
    if (std::getenv("QUORVANE_UPDATE_GOLDEN"))
        std::filesystem::copy_file(path, GoldenPath(goldenName),
                                   std::filesystem::copy_options::overwrite_existing);
    EXPECT_EQ(written, ReadAll(GoldenPath(goldenName))) << "differs from golden " << goldenName;
    return path;
}

std::string Info(const std::string& path)
{
    return RunTool("pdfinfo '" + path + "'").output;
}

TEST(Golden, EmptyDocument)
{
    const std::string path = WriteAndCompare("empty", [](Pagelith&) {});
    EXPECT_NE(Info(path).find("Pages:           1\n"), std::string::npos);
    EXPECT_EQ(ReadAll(path).substr(0, 41), "%PDF-1.3\n%\xFF\xFF\xFF\xFF\n% Pagelith Library 2020.1\n");
}

TEST(Golden, OnePageWithContentAndAccentedInformation)
{
    const std::string path = WriteAndCompare("one_page", [](Pagelith& w) {
        w.SetDocProperty("Planning d'été (3)", "Sujet", "Zoë Müller-Ćosić", "", "",
                         "clé; réunion");
        int page = 0;
        w.BeginPage(page);
        w.SetColorFill("#3366CC");
        w.SetColorLine("@0;100;100;0");
        w.SetColorFill("%40");
    });
    const std::string info = Info(path);
    EXPECT_NE(info.find("Title:           Planning d'été (3)\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Author:          Zoë Müller-Ćosić\n"), std::string::npos) << info;
    EXPECT_NE(info.find("Keywords:        clé; réunion\n"), std::string::npos) << info;
    const auto content = RunTool("qpdf --show-object=5 --filtered-stream-data '" + path + "'");
    EXPECT_EQ(content.output, "1 0 0 -1 0 842 cm \rq\r1 1 1 rg\r0.2 0.4 0.8 rg\r0 1 1 0 K\r0.6 g\rQ");
}

TEST(Golden, MarginsWithClipping)
{
    const std::string path = WriteAndCompare("margins_clip", [](Pagelith& w) {
        w.SetMargins(10, 20, 30, 40, 1);
        int page = 0;
        w.BeginPage(page);
    });
    const auto content = RunTool("qpdf --show-object=5 --filtered-stream-data '" + path + "'");
    EXPECT_EQ(content.output, "1 0 0 -1 10 812 cm \r0 0 566 772 re W n\rq\r1 1 1 rg\rQ");
}

TEST(Golden, RotatedPagesAndTransitions)
{
    const std::string path = WriteAndCompare("rotated", [](Pagelith& w) {
        w.SetPageView(1);
        w.SetPageTransition(13, 5, 1);
        int page = 0;
        w.BeginPage(page);
        page = 0;
        w.BeginPage(page);
        w.SetPageView(2);
        w.SetPageTransition(99, 3, 1);  // no such style: no transition
    });
    const std::string pdf = ReadAll(path);
    EXPECT_NE(pdf.find("/Rotate 270\r"), std::string::npos);
    EXPECT_NE(pdf.find("/Rotate 180\r"), std::string::npos);
    EXPECT_NE(pdf.find("/Dur 5 /Trans << /Type /Trans /D 1 /S /Dissolve >> >>"),
              std::string::npos);
    const auto rotations = RunTool("pdfinfo -f 1 -l 2 '" + path + "'").output;
    EXPECT_NE(rotations.find("Page    1 rot:   270"), std::string::npos) << rotations;
    EXPECT_NE(rotations.find("Page    2 rot:   180"), std::string::npos) << rotations;
}

TEST(Golden, InsertedAndSwappedPages)
{
    // Pages are told apart by their fill colours: the order the reader sees is B, A, C.
    const std::string path = WriteAndCompare("insert_swap", [](Pagelith& w) {
        int page = 0;
        w.BeginPage(page);
        w.SetColorFill("red");  // A
        page = 0;
        w.BeginPage(page);
        w.SetColorFill("lime");  // C
        page = 1;
        w.BeginPage(page);
        w.SetColorFill("blue");  // B, inserted before A
        w.EndPage();
        w.SwapPages(2, 3);  // B A C -> B C A
        w.SwapPages(2, 3);  // and back
    });
    const auto pages = RunTool("qpdf --show-pages '" + path + "'").output;
    // Page objects are numbered by creation: A 4, C 6, B 8.
    EXPECT_NE(pages.find("page 1: 8 0 R"), std::string::npos) << pages;
    EXPECT_NE(pages.find("page 2: 4 0 R"), std::string::npos) << pages;
    EXPECT_NE(pages.find("page 3: 6 0 R"), std::string::npos) << pages;
}

TEST(Golden, PageLabels)
{
    const std::string path = WriteAndCompare("page_labels", [](Pagelith& w) {
        w.SetLabel(3, "", -1);
        int page = 0;
        w.BeginPage(page);
        page = 0;
        w.BeginPage(page);
        page = 0;
        w.BeginPage(page);
        w.SetLabel(1, "Annexe-", 5);
        w.SetLabel(0, "ignored", 1);
    });
    const std::string pdf = ReadAll(path);
    EXPECT_NE(pdf.find("/PageLabels << /Nums [ 0 <<  /S /r >> 2 <<  /S /D /P (Annexe-) /St 5 >>  ] >>"),
              std::string::npos);
    const auto labels = RunTool("qpdf --json --json-key=pagelabels '" + path + "'").output;
    EXPECT_NE(labels.find("\"index\": 2,\n      \"label\": {\n        \"/P\": \"u:Annexe-\",\n"
                          "        \"/S\": \"/D\",\n        \"/St\": 5"),
              std::string::npos)
        << labels;
}

TEST(Golden, ViewerPreferencesRaiseTheVersion)
{
    const std::string path = WriteAndCompare("viewer_prefs", [](Pagelith& w) {
        w.SetViewerPreferences(16384 + 2 + 256 + 4096);
        w.AddBookmark("Chapitre", 0, 0, 0, 0, 0, 0, "", "", 0);
    });
    const std::string pdf = ReadAll(path);
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_NE(pdf.find("/PageLayout /OneColumn\n/PageMode /UseOutlines\n"
                       "/ViewerPreferences << /DisplayDocTitle true /FitWindow true  >>"),
              std::string::npos);
}

TEST(Golden, PdfaMode)
{
    const std::string path = WriteAndCompare("pdfa", [](Pagelith& w) {
        w.SetPDFa(true);
        w.SetViewerPreferences(8 + 512);
        w.SetCompression(4 + 1, 0, 0);  // LZW is dropped in PDF/A
        w.SetDocProperty("Agenda <Été> & co", "", "Zoë", "", "", "");
        int page = 0;
        w.BeginPage(page);
        w.SetColorFill("navy");
    });
    const std::string pdf = ReadAll(path);
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_EQ(pdf.find("/LZWDecode"), std::string::npos);
    EXPECT_EQ(pdf.find("/PageMode"), std::string::npos);
    EXPECT_NE(pdf.find("/CenterWindow true"), std::string::npos);
    EXPECT_NE(pdf.find("<pdfaid:part>1</pdfaid:part>"), std::string::npos);
    EXPECT_NE(pdf.find("<rdf:li xml:lang='x-default'>Agenda &lt;Été&gt; &amp; co</rdf:li>"),
              std::string::npos);
    // The output intent and its profile come just before the catalog.
    EXPECT_NE(pdf.find("/OutputIntents [7 0 R]"), std::string::npos);
    EXPECT_NE(pdf.find("9 0 obj\n<< /Type /Catalog"), std::string::npos);
    const auto profile = RunTool("qpdf --show-object=8 --filtered-stream-data '" + path + "'");
    EXPECT_EQ(profile.output.substr(36, 4), "acsp");
    const auto xmp = RunTool("qpdf --show-object=6 --filtered-stream-data '" + path + "'");
    EXPECT_NE(xmp.output.find("<dc:creator><rdf:Seq><rdf:li>Zoë</rdf:li>"), std::string::npos);
}

}  // namespace
}  // namespace pdf
