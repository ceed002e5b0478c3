// Layers: the marked sections in content, the groups and membership dictionaries, and the
// catalog's optional-content properties that a viewer reads.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::CaseOutputPath;
using testing_support::CountOf;
using testing_support::FinishChecked;
using testing_support::PinnedWriter;
using testing_support::RunTool;
using testing_support::Show;

// The catalog's optional-content entry, from `key` to its closing ">>  >>" (it holds line
// feeds of its own).
std::string CatalogEntry(const std::string& pdf, const std::string& key)
{
    const auto begin = pdf.find("\n" + key);
    if (begin == std::string::npos)
        return {};
    const auto end = pdf.find(">>  >>\n", begin);
    return pdf.substr(begin + 1, end + 6 - begin - 1);
}

class Layers : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = PinnedWriter();
        path = CaseOutputPath("core_layers_");
    }

    void Begin()
    {
        writer->BeginDoc(path);
        prefix = PagelithTestPeer(*writer).ResPrefix();
        int page = 0;
        writer->BeginPage(page);
    }

    std::string Finish()
    {
        std::string bytes = FinishChecked(*writer, path);
        return bytes;
    }

    std::string Marked(const std::string& resource) const
    {
        return "/OC /" + prefix + resource + " BDC";
    }

    std::unique_ptr<Pagelith> writer;
    std::string path;
    std::string prefix;
};

TEST_F(Layers, ANameUsedAgainInAnotherCaseIsTheSameLayer)
{
    Begin();
    writer->BeginLayer("Notes", true, true, "");
    writer->DrawLine(0, 0, 5, 5, 0);
    writer->EndLayer();
    writer->BeginLayer("NOTES", false, false, "elsewhere");
    writer->EndLayer();
    writer->BeginLayer("Été", true, true, "");
    writer->BeginLayer("ÉTÉ", true, true, "");  // accented letters match too
    const std::string pdf = Finish();

    EXPECT_EQ(Show(path, "trailer/Root/Pages/Kids/1/Contents", true),
              "1 0 0 -1 0 842 cm \rq\r1 1 1 rg\r" + Marked("LAY_1") + "\r0 0 m 5 5 l\rS\rEMC\r" +
                  Marked("LAY_1") + "\rEMC\r" + Marked("LAY_2") + "\r" + Marked("LAY_2") +
                  "\rEMC\rEMC\rQ");
    // The group is object 6, after the page and its content; the first use's settings hold.
    EXPECT_NE(pdf.find("\n6 0 obj\n<</Type /OCG /Name (Notes)\n>>\nendobj\n"),
              std::string::npos);
    EXPECT_EQ(CatalogEntry(pdf, "/OCProperties"),
              "/OCProperties <</OCGs [6 0 R 7 0 R ] /D <</AS [ ]\n/ON [6 0 R 7 0 R ] \n/OFF [] \n"
              "/Order [(\\(senza titolo\\)) 6 0 R 7 0 R ]>>  >>");
    EXPECT_NE(pdf.find("/Properties <</" + prefix + "LAY_1 6 0 R /" + prefix + "LAY_2 7 0 R >>\r"),
              std::string::npos);
    EXPECT_EQ(pdf.substr(0, 9), "%PDF-1.5\n");
}

TEST_F(Layers, ParentsNestTheViewersListByExactName)
{
    Begin();
    for (const auto& [name, listed, parent] :
         std::initializer_list<std::tuple<const char*, bool, const char*>>{
             {"Notes", true, ""},      // 6
             {"Detail", true, "Notes"},  // 7: under Notes
             {"Other", true, "NOTES"},   // 8: parents match exactly, so nowhere
             {"Hidden", false, ""},      // 9: left out of the list
             {"Child", true, "Hidden"},  // 10: left out with its parent
             {"Ring1", true, "Ring2"},   // 11 and 12: a circle of parents ends
             {"Ring2", true, "Ring1"},
             {"Self", true, "Self"},     // 13
             {"Screen", true, ""},       // 14: an ordinary layer, only "SCREEN" is special
         }) {
        writer->BeginLayer(name, true, listed, parent);
        writer->EndLayer();
    }
    const std::string pdf = Finish();
    EXPECT_NE(CatalogEntry(pdf, "/OCProperties").find("/Order [(\\(senza titolo\\)) 6 0 R [7 0 R ] 14 0 R ]"),
              std::string::npos)
        << CatalogEntry(pdf, "/OCProperties");
    EXPECT_EQ(CountOf(pdf, "/Type /OCG "), 9);
    EXPECT_EQ(pdf.find("/Usage"), std::string::npos);
}

TEST_F(Layers, ScreenAndPrinterLayersHaveTheirUsage)
{
    writer->SetDocProperty("Plan", "", "", "", "", "");
    Begin();
    writer->BeginLayer("PRINTER", true, true, "");  // printed, not shown: starts off
    writer->EndLayer();
    writer->BeginLayer("SCREEN", false, true, "");  // shown, not printed: starts on
    writer->EndLayer();
    writer->BeginLayer("Screen", false, true, "");  // found again as SCREEN
    writer->EndLayer();
    writer->BeginLayer("Printer copy", false, true, "");
    writer->EndLayer();
    const std::string pdf = Finish();

    EXPECT_NE(pdf.find("6 0 obj\n<</Type /OCG /Name (PRINTER)\n/Usage <</Print <</PrintState "
                       "/ON>> /View <</ViewState /OFF>> >>\n>>"),
              std::string::npos);
    EXPECT_NE(pdf.find("7 0 obj\n<</Type /OCG /Name (SCREEN)\n/Usage <</Print <</PrintState "
                       "/OFF>> /View <</ViewState /ON>> >>\n>>"),
              std::string::npos);
    EXPECT_NE(pdf.find("8 0 obj\n<</Type /OCG /Name (Printer copy)\n>>"), std::string::npos);
    EXPECT_EQ(CatalogEntry(pdf, "/OCProperties"),
              "/OCProperties <</OCGs [6 0 R 7 0 R 8 0 R ] /D <</AS [ <</Event /Print /OCGs "
              "[6 0 R 7 0 R ] /Category [/Print]>> <</Event /View /OCGs [6 0 R 7 0 R ] "
              "/Category [/View]>> ]\n/ON [7 0 R ] \n/OFF [6 0 R 8 0 R ] \n"
              "/Order [(Plan) 6 0 R 7 0 R 8 0 R ]>>  >>");
}

TEST_F(Layers, MembershipDictionariesFindTheirLayers)
{
    Begin();
    for (const char* name : {"A", "B", "C"}) {
        writer->BeginLayer(name, true, true, "");
        writer->EndLayer();
    }
    writer->BeginConditionalLayer("a, b ,nobody", 2);
    writer->EndConditionalLayer();
    writer->BeginConditionalLayer("", 1);
    writer->EndConditionalLayer();
    writer->BeginConditionalLayer("c", 9);
    writer->EndConditionalLayer();
    const std::string pdf = Finish();

    EXPECT_NE(pdf.find("9 0 obj\n<</Type /OCMD\n/OCGs [6 0 R 7 0 R ]\n/P /AllOn\n>>\nendobj"),
              std::string::npos);
    EXPECT_NE(pdf.find("10 0 obj\n<</Type /OCMD\n/OCGs []\n/P /AllOn\n>>\nendobj"),
              std::string::npos);
    EXPECT_NE(pdf.find("11 0 obj\n<</Type /OCMD\n/OCGs [8 0 R ]\n>>\nendobj"),
              std::string::npos);
    const std::string properties = Show(path, "trailer/Root/Pages/Kids/1/Resources/Properties");
    for (const char* entry : {"LAY_1 6 0 R", "LAY_3 8 0 R", "GRLAY_1 9 0 R", "GRLAY_2 10 0 R",
                              "GRLAY_3 11 0 R"})
        EXPECT_NE(properties.find("/" + prefix + entry), std::string::npos) << properties;
}

TEST_F(Layers, SectionsStayBalancedInEachContent)
{
    Begin();
    writer->EndLayer();  // nothing open
    writer->BeginLayer("Open", true, true, "");
    writer->BeginObject("Form", 0);
    writer->BeginConditionalLayer("Open", 0);  // left open in the template
    writer->EndLayer();
    writer->EndLayer();
    writer->EndObject();
    writer->DrawObject("Form");
    writer->EndLayer();
    writer->EndLayer();
    writer->BeginLayer("Open", true, true, "");  // left open on the page
    Finish();

    EXPECT_EQ(Show(path, "4", true), "\r" + Marked("GRLAY_1") + "\rEMC");
    EXPECT_EQ(Show(path, "trailer/Root/Pages/Kids/1/Contents", true),
              "1 0 0 -1 0 842 cm \rq\r1 1 1 rg\r" + Marked("LAY_1") + "\rq /" + prefix + "Form Do Q\rEMC\r" +
                  Marked("LAY_1") + "\rEMC\rQ");
}

TEST_F(Layers, PdfaModeWritesNoLayers)
{
    writer->SetPDFa(true);
    Begin();
    writer->BeginLayer("Notes", true, true, "");
    writer->BeginConditionalLayer("Notes", 0);
    writer->DrawLine(0, 0, 5, 5, 0);
    writer->EndConditionalLayer();
    writer->EndLayer();
    const std::string pdf = Finish();
    EXPECT_EQ(pdf.find("/OC"), std::string::npos);
    EXPECT_EQ(pdf.find("/Properties"), std::string::npos);
}

TEST_F(Layers, UseOCPageModeOnlyWithLayers)
{
    writer->SetViewerPreferences(8);
    Begin();
    EXPECT_EQ(Finish().find("/PageMode"), std::string::npos);

    writer->Abort();
    writer->SetViewerPreferences(8);
    Begin();
    writer->BeginLayer("Notes", true, true, "");
    writer->EndLayer();
    const std::string pdf = Finish();
    EXPECT_NE(pdf.find("/PageMode /UseOC"), std::string::npos);
    EXPECT_NE(pdf.find("/OCProperties"), std::string::npos);
}

TEST_F(Layers, AHiddenLayerIsNotDrawnAndAShownOneIs)
{
    Begin();
    writer->BeginObject("Mark", 0);
    writer->SetColorFill("#00FF00");
    writer->DrawRect(0, 0, 100, 50, 5, 15, 0);
    writer->EndObject();
    writer->BeginLayer("Shown", true, true, "");
    writer->DrawObject("Mark");
    writer->EndLayer();
    writer->BeginLayer("Hidden", false, true, "");
    writer->SetColorFill("#FF0000");
    writer->DrawRect(200, 0, 100, 50, 5, 15, 0);
    writer->EndLayer();
    Finish();

    const std::filesystem::path shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    const std::string image = (shots / "core_layers_shown_hidden").string();
    ASSERT_EQ(RunTool("pdftoppm -r 72 -gray -singlefile '" + path + "' '" + image + "'").status,
              0);
    const std::string pgm = testing_support::ReadAll(image + ".pgm");
    int width = 0, height = 0, max = 0, used = 0;
    std::sscanf(pgm.c_str(), "P5 %d %d %d%n", &width, &height, &max, &used);
    const auto grey = [&](int x, int y) {
        return static_cast<unsigned char>(pgm[static_cast<std::size_t>(used + 1 + y * width + x)]);
    };
    EXPECT_LT(grey(50, 25), 255) << "the template painted in the shown layer";
    EXPECT_EQ(grey(250, 25), 255) << "the hidden layer's rectangle";

    // A reader lists both layers and knows which is off.
    EXPECT_NE(Show(path, "trailer/Root/OCProperties/D/OFF").find("8 0 R"), std::string::npos);
}

// Whatever the policy, a condition that names no layer of the document shows its content,
// in a document with layers and in one without.
TEST_F(Layers, AConditionNamingNoLayerShowsItsContent)
{
    for (const bool withLayers : {false, true}) {
        Begin();
        if (withLayers) {
            writer->BeginLayer("Real", false, true, "");
            writer->EndLayer();
        }
        writer->SetColorFill("#FF0000");
        for (int policy = 0; policy < 4; ++policy) {
            writer->BeginConditionalLayer(policy % 2 ? "ghost" : "", policy);
            writer->DrawRect(static_cast<float>(policy * 100), 0, 50, 50, 5, 15, 0);
            writer->EndConditionalLayer();
        }
        Finish();
        for (const bool mupdf : {false, true}) {
            const auto page = testing_support::RenderPage(path, mupdf);
            for (int policy = 0; policy < 4; ++policy)
                EXPECT_EQ(page.At(policy * 100 + 25, 25), (std::array<int, 3>{255, 0, 0}))
                    << "policy " << policy << (mupdf ? " mupdf" : " poppler")
                    << (withLayers ? " with layers" : "");
        }
        writer->Abort();
    }
}

}  // namespace
}  // namespace pdf
