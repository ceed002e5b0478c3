// Notes, icons, stamps and files attached to pages or to the document.
#include <gtest/gtest.h>

#include <fstream>

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

    EXPECT_NE(pdf.find("<< /Type /Annot /Subtype /FreeText\r/Rect [10 822 110 782]\r /F 4\r/Q 1"
                       "\r/C [0.5]\r/BS << /Type /Border /W 2/S /D /D [3 2]>>\r /T (Zo\xEB)"
                       " /Contents (R\xE9union \\(salle 2\\)) /DA (/" +
                       prefix + "Arial 12 Tf 1 0 0 rg ) >>"),
              std::string::npos);
    // No line colour: the appearance names the font only.
    EXPECT_NE(pdf.find("/W 2>>\r /T (Zo\xEB) /Contents (sans bord) /DA (/" + prefix +
                       "Arial 12 Tf) >>"),
              std::string::npos);
    const std::string note = RunTool("mutool show '" + path + "' pages/1/Annots/1").output;
    EXPECT_NE(note.find("/DA (/" + prefix + "Arial 12 Tf 1 0 0 rg )"), std::string::npos) << note;
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

// PDF/A wants every annotation printed and none hidden, whatever flags were asked for.
TEST(AnnotationsPdfa, EveryAnnotationIsPrintedAndShown)
{
    auto writer = PinnedWriter();
    std::string path = CaseOutputPath("annotations_");
    writer->SetPDFa(true);
    writer->BeginDoc(path);
    int page = 0;
    writer->BeginPage(page);
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

}  // namespace
}  // namespace pdf
