// Orders of calls and names the writer takes without complaint: the readers must show the
// document they give, page text and all, without a word.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::OutputPath;
using testing_support::ExpectSoundFile;
using testing_support::PinnedWriter;
using testing_support::PopplerRenderMessages;
using testing_support::RunTool;

const std::string kSans = "/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf";

// Opens a page and writes `text` on it in Arial.
void TextPage(Pagelith& w, const std::string& text)
{
    int page = 0;
    w.BeginPage(page);
    w.SetFont("Arial", 12, 0, 0);
    w.DrawText(20, 40, text, 1);
}

// A coloured tiling pattern: a red square in a 10-point cell.
void RedTiling(Pagelith& w, const std::string& name)
{
    w.BeginTiling(name, 0, 0, 10, 10, 10, 10, 0);
    w.SetColorFill("Red");
    w.DrawRect(0, 0, 5, 5, 5, 15, 0);
    w.EndTiling();
}

struct CallOrder {
    const char* name;
    // Everything from BeginDoc (which it calls with the path) to EndDoc, which the test calls.
    std::function<void(Pagelith&, std::string&)> calls;
    const char* text;  // what the first page shows
};

void PrintTo(const CallOrder& order, std::ostream* out)
{
    *out << order.name;
}

class CallOrders : public ::testing::TestWithParam<CallOrder> {};

TEST_P(CallOrders, ReadersShowTheDocumentWithoutAWord)
{
    auto writer = PinnedWriter();
    std::string path = OutputPath(std::string("core_call_orders_") + GetParam().name + ".pdf");
    GetParam().calls(*writer, path);
    writer->EndDoc();
    EXPECT_EQ(writer->ErrNumber(), 0);
    ExpectSoundFile(path);
    EXPECT_EQ(PopplerRenderMessages(path), "");
    const auto text = RunTool("pdftotext -l 1 '" + path + "' -");
    EXPECT_NE(text.output.find(GetParam().text), std::string::npos) << text.output;
}

const CallOrder kCallOrders[] = {
    {"TemplateBegunBeforeTheDocument",
     [](Pagelith& w, std::string& path) {
         w.BeginObject("tpl", 0);
         w.BeginDoc(path);
         TextPage(w, "Hello page one");
         w.EndPage();
     },
     "Hello page one"},
    {"TilingBegunBeforeTheDocument",
     [](Pagelith& w, std::string& path) {
         w.BeginTiling("cell", 0, 0, 10, 10, 10, 10, 0);
         w.BeginDoc(path);
         TextPage(w, "Hello page one");
     },
     "Hello page one"},
    {"PatternPaintedThroughATemplateInACell",
     [](Pagelith& w, std::string& path) {
         w.BeginDoc(path);
         RedTiling(w, "inner");
         w.BeginObject("tpl", 0);
         w.SetColorFill("inner|Blue");
         w.DrawRect(0, 0, 10, 10, 5, 15, 0);
         w.EndObject();
         w.BeginTiling("outer", 0, 0, 20, 20, 20, 20, 0);
         w.DrawObject("tpl");
         w.EndTiling();
         TextPage(w, "Through a template");
         w.SetColorFill("outer");
         w.DrawRect(20, 60, 100, 100, 5, 15, 0);
     },
     "Through a template"},
    {"TemplatesNamedLikePlaceholders",
     [](Pagelith& w, std::string& path) {
         w.BeginDoc(path);
         TextPage(w, "Never recorded");
         w.DrawObject("");
         w.DrawObject("##1");
         w.DrawNote("note", 20, 60, 40, 40, 0, 0, 0, 0, 0);
         w.DrawObject("1##");
     },
     "Never recorded"},
    {"LayerWithALongName",
     [](Pagelith& w, std::string& path) {
         w.BeginDoc(path);
         int page = 0;
         w.BeginPage(page);
         std::string name(451, 'L');
         for (int i = 0; i < 100; ++i)
             name += "é";
         w.BeginLayer(name, true, true, "");
         w.SetFont("Arial", 12, 0, 0);
         w.DrawText(20, 40, "In a layer", 1);
         w.EndLayer();
     },
     "In a layer"},
    {"FieldInAFontNamedWithDelimiters",
     [](Pagelith& w, std::string& path) {
         w.BeginDoc(path);
         TextPage(w, "A field");
         w.AddFont(kSans, "{brace}", false, 0);
         w.SetFont("{brace}", 12, 0, 0);
         w.DrawField("answer", 0, 20, 60, 100, 20, "typed", "", "", 0);
     },
     "A field"},
};

INSTANTIATE_TEST_SUITE_P(Writer, CallOrders, ::testing::ValuesIn(kCallOrders),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace pdf
