// Scripts on document and page events, and the document-level script.
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

class Scripts : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = PinnedWriter();
        path = CaseOutputPath("scripts_");
        writer->BeginDoc(path);
    }
    std::string Finish() { return FinishChecked(*writer, path); }

    std::unique_ptr<Pagelith> writer;
    std::string path;
};

TEST_F(Scripts, DocumentEventsGoToTheCatalog)
{
    writer->OnDocEvent(2, "app.alert(1);", true);
    writer->OnDocEvent(2, "app.alert(2);", false);
    writer->OnDocEvent(4, "p();", true);
    writer->OnDocEvent(7, "s();", true);
    writer->OnDocEvent(3, "", true);
    writer->OnDocEvent(9, "never();", true);
    writer->OnDocEvent(8, "function f() {}", true);
    const std::string pdf = Finish();

    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.4\n");
    // Written in the order open, did save, print, document level; the page is object 4.
    EXPECT_NE(pdf.find("6 0 obj\n<<\n/Length 26 >>\rstream\napp.alert(1);app.alert(2);\n"),
              std::string::npos);
    EXPECT_NE(pdf.find("7 0 obj\n<<\n/Length 4 >>\rstream\ns();"), std::string::npos);
    EXPECT_NE(pdf.find("8 0 obj\n<<\n/Length 4 >>\rstream\np();"), std::string::npos);
    EXPECT_NE(pdf.find("10 0 obj\n<< /JavaScript << /Names [ (globalscript) << /S /JavaScript "
                       "/JS 9 0 R >> ] >> >>\nendobj"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Names 10 0 R\n/OpenAction << /S /JavaScript /JS 6 0 R >> \n\n/AA << "
                       "/DS << /Type /Action /S /JavaScript /JS 7 0 R >>\r /WP << /Type /Action "
                       "/S /JavaScript /JS 8 0 R >>\r>> \n"),
              std::string::npos);
    EXPECT_EQ(pdf.find("never"), std::string::npos);
    EXPECT_EQ(pdf.find("/WC"), std::string::npos);
    const std::string root = RunTool("mutool show '" + path + "' trailer/Root/OpenAction").output;
    EXPECT_NE(root.find("/JS 6 0 R"), std::string::npos) << root;
}

TEST_F(Scripts, PageEventsBelongToThePageBeingBuilt)
{
    writer->OnDocEvent(0, "lost();", true);
    int page = 0;
    writer->BeginPage(page);
    writer->OnDocEvent(0, "open();", true);
    writer->OnDocEvent(1, "close();", true);
    writer->BeginPage(page = 0);
    const std::string pdf = Finish();
    EXPECT_EQ(pdf.find("lost"), std::string::npos);
    EXPECT_NE(pdf.find("/Resources 2 0 R\n/AA << /O << /Type /Action /S /JavaScript /JS 4 0 R >>"
                       "\r /C << /Type /Action /S /JavaScript /JS 5 0 R >>\r>> >>"),
              std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/AA"), 1);
    EXPECT_NE(RunTool("mutool show '" + path + "' pages/1/AA/O").output.find("/S /JavaScript"),
              std::string::npos);
}

TEST_F(Scripts, TheDocumentScriptSharesTheNamesOfAttachments)
{
    const std::string file = OutputPath("scripts_attached.txt");
    std::ofstream(file) << "x";
    writer->AddAttach(file, "", "");
    writer->OnDocEvent(8, "var g = 1;", true);
    const std::string pdf = Finish();
    EXPECT_NE(pdf.find("/Names <</EmbeddedFiles << /Names [ (scripts_attached.txt) 4 0 R  ] >> "
                       "/JavaScript << /Names [ (globalscript) << /S /JavaScript /JS 8 0 R >> ] >>"
                       " >>\n"),
              std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/Names"), 3);
    EXPECT_NE(RunTool("pdfdetach -list '" + path + "'").output.find("scripts_attached.txt"),
              std::string::npos);
}

TEST(ScriptsPdfa, NothingIsWrittenOrRaised)
{
    auto writer = PinnedWriter();
    std::string path = CaseOutputPath("scripts_");
    writer->BeginDoc(path);
    writer->SetPDFa(true);
    writer->OnDocEvent(3, "x();", true);
    writer->OnDocEvent(2, "y();", true);
    const std::string pdf = FinishChecked(*writer, path);
    EXPECT_EQ(pdf.find("/OpenAction"), std::string::npos);
    EXPECT_EQ(pdf.find("JavaScript"), std::string::npos);
}

}  // namespace
}  // namespace pdf
