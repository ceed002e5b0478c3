// Link annotations and the /Dests dictionary their internal targets and the named places
// end up in.
#include <gtest/gtest.h>

#include <array>
#include <regex>
#include <sstream>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::CountOf;
using testing_support::RunTool;

class Links : public testing_support::DocumentTest {
protected:
    Links() : DocumentTest("links_") {}
    void Link(const std::string& target, int fit = 0, float x = 0, float y = 0)
    {
        writer->LinkTo(target, 0, -1, fit, x, y, 0, 0, 100);
    }
    std::string Show(const std::string& what)
    {
        return RunTool("mutool show '" + path + "' " + what).output;
    }
};

TEST_F(Links, ExternalTargetsAreWrittenOverTheLastDrawnBox)
{
    writer->DrawRect(10, 20, 100, 30, 0, 15, 0);
    writer->LinkTo("https://example.org/?q=(1)", 2, 1, 0, 0, 0, 0, 0, 0);
    Link("mailto:agenda@example.org");
    Link("file:plan.pdf");
    Link("HTTP://ignored.example");
    Link("bookmark:2");
    Link("ftp://ignored.example");
    const std::string pdf = Finish();

    EXPECT_NE(pdf.find("<< /Type /Annot\r/Subtype /Link /Rect [10 822 110 792]\r"
                       "/Border [ 0 0 2]\r /H /I\r\r /A << /S /URI /URI "
                       "(https://example.org/?q=\\(1\\)) >>  >>"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Border [ 0 0 0] \r /A << /S /URI /URI (mailto:agenda@example.org) >>"),
              std::string::npos);
    EXPECT_NE(pdf.find(" /A << /Type /Action /S /GoToR /F (plan.pdf) /D [-1 /XYZ 0 0 0] >>"),
              std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/Subtype /Link"), 3);
    EXPECT_EQ(pdf.find("/Dests"), std::string::npos);
    EXPECT_NE(Show("pages/1/Annots").find("[ 4 0 R 5 0 R 6 0 R ]"), std::string::npos)
        << Show("pages/1/Annots");
}

// The link's rectangle as a reader finds it: left, bottom, right, top in page points.
std::array<double, 4> LinkRect(const std::string& path, int page, int annot)
{
    const std::string shown = testing_support::Show(
        path, "pages/" + std::to_string(page) + "/Annots/" + std::to_string(annot) + "/Rect");
    std::istringstream in(shown.substr(shown.find('[') + 1));
    std::array<double, 4> v{};
    in >> v[0] >> v[1] >> v[2] >> v[3];
    return {std::min(v[0], v[2]), std::min(v[1], v[3]), std::max(v[0], v[2]),
            std::max(v[1], v[3])};
}

void ExpectCovers(const std::array<double, 4>& rect, const std::array<double, 4>& box)
{
    EXPECT_LE(rect[0], box[0] + 0.01);
    EXPECT_LE(rect[1], box[1] + 0.01);
    EXPECT_GE(rect[2], box[2] - 0.01);
    EXPECT_GE(rect[3], box[3] - 0.01);
    EXPECT_LT(rect[3] - rect[1], 2 * (box[3] - box[1]) + 1) << "no larger than needed";
}

TEST_F(Links, TheRectangleCoversTheElementDrawnLast)
{
    writer->DrawRect(50, 100, 200, 20, 0, 15, 0);
    Link("page:1");
    writer->SetFont("Arial", 12, 0, 0);
    writer->DrawText(60, 300, "Agenda");
    Link("page:1");
    writer->EndPage();
    writer->SetMargins(30, 0, 40, 0, 0);
    NewPage();
    writer->DrawRect(50, 100, 200, 20, 0, 15, 0);
    Link("page:1");
    Finish();

    // A page of 842 points: the box spans y 722 to 742, and moves with the margins.
    ExpectCovers(LinkRect(path, 1, 1), {50, 722, 250, 742});
    ExpectCovers(LinkRect(path, 2, 1), {80, 682, 280, 702});
    const std::string words = RunTool("pdftotext -bbox '" + path + "' -").output;
    std::smatch word;
    ASSERT_TRUE(std::regex_search(words, word,
                                  std::regex("xMin=\"([0-9.]+)\" yMin=\"([0-9.]+)\" "
                                             "xMax=\"([0-9.]+)\" yMax=\"([0-9.]+)\">Agenda")))
        << words;
    // pdftotext measures from the top of the page.
    ExpectCovers(LinkRect(path, 1, 2), {std::stod(word[1]), 842 - std::stod(word[4]),
                                        std::stod(word[3]), 842 - std::stod(word[2])});
}

TEST_F(Links, ScriptsAndLayerSwitchesRunJavaScript)
{
    Link("script:app.alert('x');");
    Link("layer:ON(plan, Notes) OFF(brouillon)");
    Link("layer:nothing");
    const std::string pdf = Finish();
    EXPECT_NE(pdf.find("stream\napp.alert('x');\nendstream"), std::string::npos);
    EXPECT_NE(pdf.find("/A << /S /JavaScript /JS 4 0 R >> >>"), std::string::npos);
    EXPECT_NE(pdf.find("stream\nvar ocgArray = this.getOCGs();for (var i=0; i < "
                       "ocgArray.length; i++) {\r"
                       "if (ocgArray[i].name.toUpperCase() == 'PLAN') { ocgArray[i].state = true; };\r"
                       "if (ocgArray[i].name.toUpperCase() == 'NOTES') { ocgArray[i].state = true; };\r"
                       "if (ocgArray[i].name.toUpperCase() == 'BROUILLON') { ocgArray[i].state = "
                       "false; };\r}\nendstream"),
              std::string::npos);
    EXPECT_NE(pdf.find("stream\nvar ocgArray = this.getOCGs();for (var i=0; i < "
                       "ocgArray.length; i++) {\r}\nendstream"),
              std::string::npos);
}

TEST_F(Links, InternalTargetsResolveToPagesAtCompletion)
{
    writer->DefineRef("Intro", 4, 10, 20, 0, 0, 150);
    Link("ref:Intro");
    Link("page:#last", 2, 0, 100);
    NewPage();
    Link("page:+1");
    Link("page:-9");
    Link("page:-3");
    Link("page:#PREV");
    Link("page:#other");
    Link("page:0");
    Link("page:7", 9);
    NewPage();
    writer->SetXY(30, 40);
    writer->DefineRef("Ici (fin)", 0, 0, 0, 0, 0, 0);
    const std::string pdf = Finish();

    EXPECT_NE(pdf.find("\r/Dest /" + prefix + "REF_Intro >>"), std::string::npos);
    EXPECT_NE(pdf.find("/Dest /" + prefix + "LINK_2 >>"), std::string::npos);
    // Pages 1, 2 and 3 are objects 6, 15 and 17.
    const std::string dests = "<<\n/" + prefix + "REF_Intro [6 0 R /XYZ 10 822 1.5] \n/" +
                              prefix + "LINK_2 [17 0 R  /FitH 742] \n/" + prefix +
                              "LINK_3 [17 0 R  /FitB] \n/" + prefix + "LINK_4 [6 0 R  /FitB] \n/" +
                              prefix + "LINK_5 [17 0 R  /FitB] \n/" + prefix +
                              "LINK_6 [6 0 R  /FitB] \n/" + prefix + "LINK_7 [15 0 R  /FitB] \n/" +
                              prefix + "LINK_8 [6 0 R  /FitB] \n/" + prefix +
                              "LINK_9 [17 0 R  /Fit] \n/" + prefix +
                              "REF_Ici#20#28fin#29 [17 0 R /FitB] \n>>";
    EXPECT_NE(pdf.find(dests), std::string::npos) << pdf.substr(pdf.find("/Dests") - 40, 40);
    EXPECT_NE(Show("trailer/Root/Dests").find("REF_Ici#20#28fin#29 [ 17 0 R /FitB ]"), std::string::npos)
        << Show("trailer/Root/Dests");
}

TEST_F(Links, ANameDefinedAgainGoesToItsLaterPlace)
{
    writer->DefineRef("Fin", 2, 0, 100, 0, 0, 0);
    Link("ref:Fin");
    NewPage();
    writer->DefineRef("Fin", 2, 0, 200, 0, 0, 0);
    Finish();
    const std::string dests = Show("trailer/Root/Dests");
    EXPECT_EQ(CountOf(dests, "REF_Fin"), 1) << dests;
    const std::string kids = Show("trailer/Root/Pages/Kids");
    const auto second = kids.find(" 0 R ") + 5;
    const std::string page2 = kids.substr(second, kids.rfind(" 0 R") - second);
    EXPECT_NE(dests.find("REF_Fin [ " + page2 + " 0 R /FitH 642 ]"), std::string::npos)
        << dests << kids;
}

TEST_F(Links, ALinkToANameNeverDefinedGoesNowhere)
{
    Link("ref:Later");
    Link("ref:Nowhere");
    writer->BeginObject("Frame", 7);
    Link("ref:Nowhere");
    writer->EndObject();
    NewPage();
    writer->DefineRef("Later", 0, 0, 0, 0, 0, 0);
    const std::string pdf = Finish();

    EXPECT_NE(pdf.find("\r/Dest /" + prefix + "REF_Later >>"), std::string::npos);
    EXPECT_EQ(pdf.find("REF_Nowhere"), std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/Subtype /Link"), 3) << "the links are kept, as areas";
    EXPECT_NE(Show("pages/2/Annots").find("[ "), std::string::npos) << "the template's link";
}

TEST_F(Links, BookmarkTargetsTakeTheBookmarksPlace)
{
    NewPage();
    const std::string placed = writer->AddBookmark("Plan", 0, 2, 100, 0, 0, 0, "", "", 0);
    const std::string action =
        writer->AddBookmark("Web", 0, 5, 0, 0, 0, 0, "https://example.org", "", 0);
    Link("bookmark:" + placed);
    Link("bookmark:" + action);
    EXPECT_THROW(Link("bookmark:@99"), Error);
    EXPECT_THROW(Link("page:deux"), Error);
    writer->EndPage();
    writer->SwapPages(1, 2);
    const std::string pdf = Finish();
    // The bookmarks' page (object 9) is position 1 after the exchange.  The failed links
    // keep their records: one for page 1, now position 2, one for the link's own page.
    EXPECT_NE(pdf.find("LINK_1 [9 0 R  /FitH 742] \n/" + prefix + "LINK_2 [9 0 R  /Fit] \n/" +
                       prefix + "LINK_3 [4 0 R  /Fit] \n/" + prefix + "LINK_4 [9 0 R  /Fit] \n"),
              std::string::npos);
}

}  // namespace
}  // namespace pdf
