// Orders of calls and names that the writer takes without an error: the readers show the
// document they give, its text and all, without a word.  Drawing with nothing open to take
// it is refused with an error instead.
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>
#include <utility>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using namespace testing_support;
using Calls = std::function<void(Pagelith&)>;

struct CallOrder {
    const char* name;
    Calls onPage;                        // on the first page, after its text
    Calls beforeDoc = [](Pagelith&) {};  // before BeginDoc
    friend void PrintTo(const CallOrder& order, std::ostream* out) { *out << order.name; }
};

// Opens the document at `path` on its first page.
void BeginFirstPage(Pagelith& w, const std::string& path)
{
    std::string name = path;
    w.BeginDoc(name);
    int page = 0;
    w.BeginPage(page);
}

class CallOrders : public ::testing::TestWithParam<CallOrder> {};

TEST_P(CallOrders, ReadersShowTheDocumentWithoutAWord)
{
    auto w = PinnedWriter();
    std::string path = OutputPath(std::string("core_call_orders_") + GetParam().name + ".pdf");
    GetParam().beforeDoc(*w);
    BeginFirstPage(*w, path);
    w->SetFont("Arial", 12, 0, 0);
    w->DrawText(20, 40, "Hello page one", 1);
    GetParam().onPage(*w);
    w->EndDoc();
    EXPECT_EQ(w->ErrNumber(), 0);
    ExpectSoundFile(path);
    EXPECT_EQ(PopplerRenderMessages(path), "");
    EXPECT_NE(RunTool("pdftotext '" + path + "' -").output.find("Hello page one"), std::string::npos);
}

const CallOrder kCallOrders[] = {
    {"CellBegunInALayerBeforeTheDocument",
     [](Pagelith& w) {
         w.BeginTiling("cell", 0, 0, 10, 10, 10, 10, 0);
         w.DrawRect(0, 0, 5, 5, 5, 15, 0);
         w.EndTiling();
         w.SetColorFill("cell");
         w.DrawRect(20, 60, 100, 100, 5, 15, 0);
     },
     [](Pagelith& w) {
         w.BeginTiling("cell", 0, 0, 10, 10, 10, 10, 0);
         w.BeginLayer("early", true, true, "");
     }},
    {"TemplateBegunBeforeTheDocument", [](Pagelith&) {}, [](Pagelith& w) { w.BeginObject("tpl", 0); }},
    {"PatternPaintedThroughATemplateInACell",
     [](Pagelith& w) {
         w.BeginTiling("inner", 0, 0, 10, 10, 10, 10, 0);
         w.SetColorFill("Red");
         w.DrawRect(0, 0, 5, 5, 5, 15, 0);
         w.EndTiling();
         w.BeginObject("tpl", 0);
         w.SetColorFill("inner|Blue");
         w.DrawRect(0, 0, 10, 10, 5, 15, 0);
         w.EndObject();
         w.BeginTiling("outer", 0, 0, 20, 20, 20, 20, 0);
         w.DrawObject("tpl");
         w.EndTiling();
         w.SetColorFill("outer");
         w.DrawRect(20, 60, 100, 100, 5, 15, 0);
     }},
    {"CellPaintingATemplateDefinedAfterAPatternEndedLater",
     [](Pagelith& w) {
         w.BeginTiling("outer", 0, 0, 20, 20, 20, 20, 0);
         w.DrawObject("tpl");
         w.EndTiling();
         w.BeginTiling("inner", 0, 0, 10, 10, 10, 10, 0);
         w.SetColorFill("Red");
         w.DrawRect(0, 0, 5, 5, 5, 15, 0);
         w.EndTiling();
         w.BeginObject("tpl", 0);
         w.SetColorFill("inner");
         w.DrawRect(0, 0, 10, 10, 5, 15, 0);
         w.EndObject();
         w.SetColorFill("outer");
         w.DrawRect(20, 60, 100, 100, 5, 15, 0);
     }},
    {"TemplatesNamedLikePlaceholders",
     [](Pagelith& w) {
         w.DrawObject("");
         w.DrawObject("##1");
         w.DrawNote("note", 20, 60, 40, 40, 0, 0, 0, 0, 0);
         w.DrawObject("1##");
     }},
    {"TemplatesNamedLikeImages",
     [](Pagelith& w) {
         for (const std::string name : {"IMG_1", "~IMG_1"}) {
             w.BeginObject(name, 0);
             w.DrawText(20, 60, name, 1);
             w.EndObject();
             w.DrawObject(name);
         }
         w.DrawImage(w.AddImagePattern("grey", 2, 2, Bytes(12, 0x80), {}), 20, 80, 40, 40);
     }},
    {"LayerWithALongName",
     [](Pagelith& w) {
         std::string name(451, 'L');
         for (int i = 0; i < 100; ++i)
             name += "é";
         w.BeginLayer(name, true, true, "");
         w.DrawText(20, 60, "In a layer", 1);
         w.EndLayer();
     }},
    {"AfterADocumentThatRecordedAnError", [](Pagelith&) {},
     [](Pagelith& w) {
         BeginFirstPage(w, OutputPath("core_call_orders_EarlierWithAnError.pdf"));
         w.EndPage();
         w.DrawRect(20, 60, 100, 40, 5, 15, 0);
         w.EndDoc();
     }},
    {"FieldInAFontNamedWithDelimiters",
     [](Pagelith& w) {
         w.AddFont("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf", "{brace}",
                   false, 0);
         w.SetFont("{brace}", 12, 0, 0);
         w.DrawField("answer", 0, 20, 60, 100, 20, "typed", "", "", 0);
     }},
};

// What is set before the first document, or after a document is completed, belongs to the
// next one, though a template was begun there.
TEST(CallOrder, SettingsBetweenDocumentsBelongToTheNext)
{
    const std::pair<const char*, Calls> cases[] = {
        {"BeforeTheFirst", [](Pagelith&) {}},
        {"AfterAnEarlierOne",
         [](Pagelith& w) {
             BeginFirstPage(w, OutputPath("core_call_orders_EarlierDocument.pdf"));
             w.EndDoc();
         }},
    };
    for (const auto& [name, before] : cases) {
        SCOPED_TRACE(name);
        auto w = PinnedWriter();
        std::string path = OutputPath(std::string("core_call_orders_Settings") + name + ".pdf");
        before(*w);
        w->SetLabel(3, "P-", 5);
        w->OnDocEvent(2, "app.alert('opened');", false);
        EXPECT_EQ(w->AddBookmark("Kept", 0, 0, 0, 0, 0, 0, "", "", 0), "@2");
        w->BeginObject("tpl", 0);
        BeginFirstPage(*w, path);
        w->EndDoc();
        ExpectSoundFile(path);
        const std::string pdf = ReadAll(path);
        EXPECT_NE(pdf.find("/PageLabels << /Nums [ 0 <<  /S /r /P (P-) /St 5"), std::string::npos);
        EXPECT_NE(pdf.find("app.alert('opened');"), std::string::npos);
        EXPECT_NE(Show(path, "trailer/Root/Outlines/First/First/Title").find("Kept"),
                  std::string::npos);
    }
}

// A drawing lands in the open page or template, or records error 5 and writes nothing:
// readers show the rectangle and the link that landed, and nothing of the others.
TEST(CallOrder, ADrawingLandsOrRecordsAnError)
{
    const auto reopen = [](Pagelith& w) {
        int first = 1;
        w.BeginOnPage(first);
    };
    struct Case {
        const char* name;
        Calls open;
        bool lands;
        Calls after = [](Pagelith&) {};  // then EndDoc
    };
    const Case cases[] = {
        {"OnAReopenedPage", reopen, true},
        {"AfterEndOnPage", [&](Pagelith& w) { reopen(w); w.EndOnPage(); }, false},
        {"AfterEndPage", [](Pagelith&) {}, false},
        {"InATemplateWithNoPage", [](Pagelith& w) { w.BeginObject("tpl", 0); }, true,
         [&](Pagelith& w) {
             w.EndObject();
             reopen(w);
             w.DrawObject("tpl");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = PinnedWriter();
        std::string path = OutputPath(std::string("core_call_orders_Drawing") + c.name + ".pdf");
        BeginFirstPage(*w, path);
        w->EndPage();
        c.open(*w);
        w->SetColorFill("#FF0000");
        w->DrawRect(20, 60, 100, 40, 5, 15, 0);
        EXPECT_EQ(w->ErrSource() == "Pagelith.DrawRect", !c.lands);
        w->LinkTo("https://example.com/", 0, 0, 0, 0, 0, 0, 0, 0);
        EXPECT_EQ(w->ErrSource() == "Pagelith.LinkTo", !c.lands);
        EXPECT_EQ(w->ErrNumber(), c.lands ? 0 : 5);
        c.after(*w);
        w->EndDoc();
        ExpectSoundFile(path);
        EXPECT_EQ(PopplerRenderMessages(path), "");
        EXPECT_EQ(RenderPage(path, false).At(70, 80) == (std::array<int, 3>{255, 0, 0}), c.lands);
        const std::string uri = Show(path, "trailer/Root/Pages/Kids/1/Annots/1/A/URI");
        EXPECT_EQ(uri.find("https://example.com/") != std::string::npos, c.lands) << uri;
    }
}

INSTANTIATE_TEST_SUITE_P(Writer, CallOrders, ::testing::ValuesIn(kCallOrders),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pdf
