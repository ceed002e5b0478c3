// Link annotations and the /Dests dictionary their internal targets and the named places
// end up in.
#include <gtest/gtest.h>

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

    // The box is lowered by 25 points.
    EXPECT_NE(pdf.find("<< /Type /Annot\r/Subtype /Link /Rect [10 797 110 767]\r"
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
