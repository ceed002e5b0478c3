// Notes, icons, stamps and files attached to pages or to the document.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::CaseOutputPath;
using testing_support::CountOf;
using testing_support::FinishChecked;
using testing_support::OutputPath;
using testing_support::PinnedWriter;
using testing_support::RunTool;

std::string MakeFile(const std::string& name, const std::string& bytes)
{
    const std::string path = OutputPath("attach_" + name);
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
}

class Annotations : public testing_support::DocumentTest {
protected:
    Annotations() : DocumentTest("annotations_") {}
    std::string Tool(const std::string& command)
    {
        return RunTool(command + " '" + path + "'").output;
    }
};

TEST_F(Annotations, NotesCarryTheAuthorTheFontAndTheColours)
{
    writer->SetDocProperty("", "", "Zoë", "", "", "");
    writer->SetFont("Arial", 12, 0, 0);
    writer->SetColorLine("red");
    writer->SetColorFill("%50");
    writer->SetLineWidth(2);
    writer->DrawNote("Réunion (salle 2)", 10, 20, 100, 40, 4, 1, 3, 2, 4);
    writer->SetColorLine("");
    writer->DrawNote("sans bord", 10, 80, 100, 40, 0, 9, 0, 0, 0);
    const std::string pdf = Finish();

    // Each note carries its own appearance, so readers draw it alike.
    EXPECT_NE(pdf.find("<< /Type /Annot /Subtype /FreeText\r/Rect [10 822 110 782]\r /F 4\r/Q 1"
                       "\r/AP << /N "),
              std::string::npos);
    EXPECT_NE(pdf.find(" 0 R >>\r/C [0.5]\r/BS << /Type /Border /W 2/S /D /D [3 2]>>\r /T (Zo\xEB)"
                       " /Contents (R\xE9union \\(salle 2\\)) /DA (/" +
                       prefix + "Arial 12 Tf 1 0 0 rg ) >>"),
              std::string::npos);
    // No line colour: the appearance names the font only.
    EXPECT_NE(pdf.find("/W 2>>\r /T (Zo\xEB) /Contents (sans bord) /DA (/" + prefix +
                       "Arial 12 Tf) >>"),
              std::string::npos);
    const std::string note = RunTool("mutool show '" + path + "' pages/1/Annots/1").output;
    EXPECT_NE(note.find("/DA (/" + prefix + "Arial 12 Tf 1 0 0 rg )"), std::string::npos) << note;
    // Poppler, left to make a note's appearance itself, fails to find the /DA font.
    EXPECT_EQ(Tool("pdffonts").find("Error"), std::string::npos);
}

TEST_F(Annotations, IconsAndStampsByCode)
{
    writer->SetDocProperty("", "", "", "", "", "");
    writer->DrawPlaceHolder("note", 2, 10, 20, 50, 50, 4);
    writer->DrawPlaceHolder("tampon", 257, 10, 20, 50, 10, 0);
    writer->DrawPlaceHolder("sans nom", 300, 10, 20, 50, 10, 0);
    writer->DrawPlaceHolder(OutputPath("attach_missing.txt") + "|absent", 513, 10, 20, 5, 5, 0);
    const std::string pdf = Finish();

    // A note icon is a point: W and H are not used.
    EXPECT_NE(pdf.find("<< /Type /Annot\r/F 4\r/C [1 1 1]\r/Subtype /Text\r/Rect [10 822 10 822]"
                       "\r /Name /Help /T (Alvar Quent) /Contents (note) >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("\r/Subtype /Stamp\r/Rect [10 822 60 812]\r /Name /AsIs /T"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Subtype /Text\r/Rect [10 822 10 822] /T (Alvar Quent) /Contents (sans nom)"),
              std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/Type /Annot"), 3);
    EXPECT_EQ(pdf.find("FileAttachment"), std::string::npos);
}

TEST_F(Annotations, FilesAttachedToPagesAndToTheDocumentAreListedByName)
{
    const std::string agenda = MakeFile("agenda.txt", "Lundi\nMardi\n");
    const std::string empty = MakeFile("vide.dat", "");
    writer->DrawPlaceHolder(agenda + "|Le plan", 512, 10, 20, 5, 5, 4);
    writer->DrawPlaceHolder(empty, 600, 30, 20, 5, 5, 4);
    EXPECT_TRUE(writer->AddAttach(agenda, "", "Planning de la semaine"));
    EXPECT_TRUE(writer->AddAttach(empty, "Été.dat", ""));
    EXPECT_FALSE(writer->AddAttach(OutputPath("attach_missing.txt"), "", ""));
    EXPECT_EQ(writer->ErrNumber(), 53);
    EXPECT_EQ(writer->ErrSource(), "Pagelith.AddAttach");
    const std::string pdf = Finish();

    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    EXPECT_NE(pdf.find("/Subtype /FileAttachment \r/Rect [10 822 10 822]\r /Name /PushPin "
                       "/T (Alvar Quent) /Contents (Le plan) /FS << /Type /Filespec "
                       "/F (attach_agenda.txt) /EF << /F 5 0 R >> >> >>\nendobj\n5 0 obj\n"
                       "<< /Type /EmbeddedFile \n/Length 12 >>\rstream\nLundi\nMardi\n\nendstream"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Rect [30 822 30 822] /T (Alvar Quent) /FS"), std::string::npos);
    EXPECT_NE(pdf.find("/Names <</EmbeddedFiles << /Names [ (attach_agenda.txt) 8 0 R (\xC9t\xE9.dat)"
                       " 10 0 R  ] >> >>\n"),
              std::string::npos);
    const std::string listed = Tool("pdfdetach -list");
    EXPECT_NE(listed.find("attach_agenda.txt"), std::string::npos) << listed;
    EXPECT_NE(listed.find("Été.dat"), std::string::npos) << listed;
    const auto saved = RunTool("cd '" + OutputPath("") + "' && pdfdetach -save 1 -o attach_back.txt '" +
                               path + "'");
    EXPECT_EQ(testing_support::ReadAll(OutputPath("attach_back.txt")), "Lundi\nMardi\n")
        << saved.output;
}

// The name tree holds each name once, the later file, with its names in byte order.
TEST_F(Annotations, AttachmentsOfOneNameKeepTheLaterFileInASortedTree)
{
    EXPECT_TRUE(writer->AddAttach(MakeFile("old.txt", "old"), "plan.txt", ""));
    EXPECT_TRUE(writer->AddAttach(MakeFile("b.txt", "b"), "", ""));
    EXPECT_TRUE(writer->AddAttach(MakeFile("new.txt", "new"), "plan.txt", ""));
    EXPECT_TRUE(writer->AddAttach(MakeFile("a.txt", "a"), "", ""));
    Finish();
    const std::string listed = Tool("pdfdetach -list");
    EXPECT_NE(listed.find("3 embedded files\n1: attach_a.txt\n2: attach_b.txt\n3: plan.txt"),
              std::string::npos)
        << listed;
    RunTool("cd '" + OutputPath("") + "' && pdfdetach -save 3 -o attach_plan_back.txt '" + path +
            "'");
    EXPECT_EQ(testing_support::ReadAll(OutputPath("attach_plan_back.txt")), "new");
}

TEST(Attachments, NoneInPdfaModeNotEvenBehindAnIcon)
{
    auto writer = PinnedWriter();
    std::string path = CaseOutputPath("attachments_");
    writer->BeginDoc(path);
    writer->SetPDFa(true);
    const std::string file = MakeFile("pdfa.txt", "x");
    EXPECT_FALSE(writer->AddAttach(file, "", ""));
    EXPECT_EQ(writer->ErrNumber(), 0);
    int page = 0;
    writer->BeginPage(page);
    writer->DrawPlaceHolder(file, 514, 1, 1, 1, 1, 4);
    const std::string pdf = FinishChecked(*writer, path);
    EXPECT_EQ(pdf.find("/EmbeddedFile"), std::string::npos);
    EXPECT_EQ(pdf.find("/FileAttachment"), std::string::npos);
    EXPECT_NE(pdf.find("<pdfaid:part>1</pdfaid:part>"), std::string::npos);
}

// A PDF/A document with a page open.
class AnnotationsPdfa : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer->SetPDFa(true);
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
    }

    std::unique_ptr<Pagelith> writer = PinnedWriter();
    std::string path = CaseOutputPath("annotations_");
};

// PDF/A wants every annotation printed and none hidden, whatever flags were asked for.
TEST_F(AnnotationsPdfa, EveryAnnotationIsPrintedAndShown)
{
    writer->SetFont("Arial", 12, 0, 0);
    writer->DrawNote("cachée", 10, 10, 100, 40, 0, 0, 0, 0, 2 + 32);
    writer->DrawPlaceHolder("icône", 0, 10, 60, 20, 20, 1);
    writer->DrawRect(10, 100, 50, 20, 0, 15, 0);
    writer->LinkTo("https://example.org", 0, 1, 0, 0, 0, 0, 0, 0);
    writer->LinkTo("page:1", 0, 1, 0, 0, 0, 0, 0, 0);
    const std::string pdf = FinishChecked(*writer, path);
    for (const char* annot : {"1", "2", "3", "4"}) {
        const std::string flags =
            testing_support::Show(path, std::string("pages/1/Annots/") + annot + "/F");
        EXPECT_EQ(flags, "4\n") << annot;
    }
    EXPECT_NE(pdf.find("<pdfaid:part>1</pdfaid:part>"), std::string::npos);
}


// A reader draws a PDF/A note from its own appearance, in a font the document embeds; icons
// and stamps bring no font of their own.
TEST_F(AnnotationsPdfa, NotesShowTheirTextInAnEmbeddedFont)
{
    // Before any font is chosen, and in one chosen, on a coloured background.
    writer->DrawNote("Réunion à l'étage, près de la cafétéria", 50, 50, 200, 60, 0, 0, 0, 0, 4);
    writer->SetFont("Times", 14, 1, 0);
    writer->SetLineWidth(2);
    writer->SetColorFill("#FFFF00");
    writer->DrawNote("Salle Été (2e)", 50, 150, 200, 60, 4, 1, 3, 2, 4);
    writer->DrawPlaceHolder("icône", 2, 50, 250, 20, 20, 4);
    writer->DrawPlaceHolder("tampon", 258, 50, 300, 120, 30, 4);
    FinishChecked(*writer, path);

    // Its messages left out, since a message is no font.
    const auto fonts = RunTool("(pdffonts '" + path + "' 2>/dev/null)");
    ASSERT_EQ(fonts.status, 0) << fonts.output;
    // Each font's line, under the header and its rule, says in the "emb" column whether the
    // font travels with the file.
    std::istringstream lines(fonts.output);
    std::size_t embedded = std::string::npos;
    int listed = 0;
    for (std::string line; std::getline(lines, line);) {
        if (embedded == std::string::npos) {
            embedded = line.find(" emb ");
            continue;
        }
        if (line.empty() || line.front() == '-')
            continue;
        ++listed;
        EXPECT_EQ(line.substr(embedded + 1, 3), "yes") << fonts.output;
    }
    EXPECT_EQ(listed, 2) << fonts.output;

    // Both readers draw the text inside each frame, which the pixels near the edges leave
    // out, over the background asked for.
    for (const bool mupdf : {false, true}) {
        const auto rendering = testing_support::RenderPage(path, mupdf);
        for (const int top : {50, 150}) {
            int dark = 0;
            for (int y = top + 6; y < top + 54; ++y) {
                for (int x = 56; x < 244; ++x)
                    dark += rendering.At(x, y)[0] < 100;
            }
            EXPECT_GT(dark, 50) << top << (mupdf ? " mupdf" : " poppler");
        }
        EXPECT_EQ(rendering.At(240, 200), (std::array<int, 3>{255, 255, 0}));
    }
}

}  // namespace
}  // namespace pdf
