// Templates: the form XObjects, their placement on pages, the annotations they carry, and
// the tiling patterns closed the same way.
#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::CaseOutputPath;
using testing_support::CountOf;
using testing_support::ExpectSoundFile;
using testing_support::FinishChecked;
using testing_support::OutputPath;
using testing_support::PinnedWriter;
using testing_support::RunTool;
using testing_support::Show;

// The text of object `number` as written, from "n 0 obj" to "endobj".
std::string ObjectText(const std::string& pdf, int number)
{
    const std::string head = "\n" + std::to_string(number) + " 0 obj\n";
    const auto begin = pdf.find(head);
    if (begin == std::string::npos)
        return {};
    const auto end = pdf.find("endobj\n", begin);
    return pdf.substr(begin + 1, end + 7 - begin - 1);
}

std::string PageContent(const std::string& path, int position)
{
    return Show(path, "trailer/Root/Pages/Kids/" + std::to_string(position) + "/Contents", true);
}

std::string PageAnnots(const std::string& path, int position)
{
    return Show(path, "trailer/Root/Pages/Kids/" + std::to_string(position) + "/Annots");
}

class Templates : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = PinnedWriter();
        path = CaseOutputPath("core_templates_");
        writer->BeginDoc(path);
        prefix = PagelithTestPeer(*writer).ResPrefix();
    }

    // Pages 1..count, each with a line drawn on it.
    void Pages(int count)
    {
        for (int i = 0; i < count; ++i) {
            int page = 0;
            writer->BeginPage(page);
            writer->DrawLine(0, 0, 10, 10, 0);
        }
    }

    // A stand-in annotation object, listed where annotations of the moment go.
    int Annotation()
    {
        PagelithTestPeer peer(*writer);
        const int object = peer.BeginObj(0);
        peer.WriteLine("<< /Type /Annot /Subtype /Square /Rect [0 0 20 20] >>");
        peer.EndObj();
        peer.AddAnnotRefs(std::to_string(object) + " 0 R ");
        return object;
    }

    std::string Finish()
    {
        std::string bytes = FinishChecked(*writer, path);
        return bytes;
    }

    std::unique_ptr<Pagelith> writer;
    std::string path;
    std::string prefix;
};

TEST_F(Templates, FormObjectResourceAndPaintingAreWrittenAsSpecifiedBytes)
{
    writer->BeginObject("Logo", 0);
    writer->DrawRect(10, 10, 50, 20, 5, 15, 0);
    writer->EndObject();
    int page = 0;
    writer->BeginPage(page);
    writer->DrawObject("Logo");
    const std::string pdf = Finish();

    // The template is the first object after the three reserved ones.
    const std::string content = "\r10 10 50 20 re\rf*";
    EXPECT_EQ(ObjectText(pdf, 4),
              "4 0 obj\n<< /Type /XObject /Subtype /Form /FormType 1 /Name /" + prefix +
                  "Logo\r/BBox [-1192 -1684 1192 1684]\r/Matrix [1 0 0 1 0 0]\r/Resources 2 0 R"
                  "\n/Length " +
                  std::to_string(content.size()) + " >>\rstream\n" + content +
                  "\nendstream\nendobj\n");
    EXPECT_NE(ObjectText(pdf, 2).find("/XObject <<\r/" + prefix + "Logo 4 0 R \r>>"),
              std::string::npos);
    EXPECT_EQ(PageContent(path, 1), "1 0 0 -1 0 842 cm \rq\r1 1 1 rg\rq /" + prefix + "Logo Do Q\rQ");

    // A reader finds the form through the page's resources.
    const std::string form = Show(path, "trailer/Root/Pages/Kids/1/Resources/XObject");
    EXPECT_NE(form.find("/" + prefix + "Logo 4 0 R"), std::string::npos) << form;
}

TEST_F(Templates, FlagsChooseThePagesAndThePlane)
{
    struct Case {
        const char* name;
        int flags;
        const char* pages;  // a letter per page: b under the content, f over it, - none
    };
    const Case cases[] = {
        {"All", 7, "bbbbb"},      {"AllOver", 23, "fffff"}, {"NotFirst", 15, "-bbbb"},
        {"First", 1, "b----"},    {"Odd", 4, "b-b-b"},      {"Even", 2, "-b-b-"},
        {"FirstOdd", 5, "b-b-b"}, {"OddFrom3", 12, "--b-b"}, {"Never", 0, "-----"},
    };
    for (const Case& c : cases) {
        writer->BeginObject(c.name, c.flags);
        writer->EndObject();
    }
    Pages(5);
    Finish();

    for (int page = 1; page <= 5; ++page) {
        const std::string content = PageContent(path, page);
        const auto line = content.find("10 10 l");
        ASSERT_NE(line, std::string::npos) << content;
        for (const Case& c : cases) {
            const auto at = content.find("q /" + prefix + c.name + " Do Q");
            const char where = at == std::string::npos ? '-' : at < line ? 'b' : 'f';
            EXPECT_EQ(where, c.pages[page - 1]) << c.name << " on page " << page;
        }
    }
}

TEST_F(Templates, AnnotationsReachEveryPageThatPaintsTheTemplate)
{
    writer->BeginObject("Stamp", 2);  // even pages
    const int annotation = Annotation();
    writer->EndObject();
    Pages(3);
    writer->DrawObject("Stamp");  // page 3, by hand
    Finish();

    const std::string ref = std::to_string(annotation) + " 0 R";
    EXPECT_EQ(PageAnnots(path, 1).find(ref), std::string::npos);
    EXPECT_NE(PageAnnots(path, 2).find(ref), std::string::npos);
    EXPECT_NE(PageAnnots(path, 3).find(ref), std::string::npos);
}

TEST_F(Templates, PaintedBeforeDefinedGetsItsAnnotationsWhenDefined)
{
    Pages(1);
    int page = 0;
    writer->BeginPage(page);
    writer->DrawObject("Later");
    writer->DrawObject("Later");
    writer->DrawObject("Never");
    writer->DrawObject("Bare");
    writer->EndPage();

    page = 0;
    writer->BeginPage(page);
    writer->DrawObject("Later");  // on the page still open when the template ends

    writer->BeginObject("Later", 0);
    const int annotation = Annotation();
    writer->EndObject();
    writer->BeginObject("Bare", 0);
    writer->EndObject();
    const std::string pdf = Finish();

    // Every painting lists the annotation; the template never defined leaves nothing.
    const std::string ref = std::to_string(annotation) + " 0 R";
    EXPECT_EQ(CountOf(PageAnnots(path, 2), ref), 2) << PageAnnots(path, 2);
    EXPECT_EQ(CountOf(PageAnnots(path, 3), ref), 1) << PageAnnots(path, 3);
    EXPECT_EQ(pdf.find("##"), std::string::npos);
    EXPECT_EQ(CountOf(pdf, "/Annots"), 2);
}

TEST_F(Templates, NamesDifferingInCaseAreDifferentTemplates)
{
    writer->BeginObject("Logo", 0);
    writer->DrawLine(0, 0, 1, 1, 0);
    writer->EndObject();
    writer->BeginObject("LOGO", 0);
    writer->DrawLine(0, 0, 2, 2, 0);
    writer->EndObject();
    int page = 0;
    writer->BeginPage(page);
    writer->DrawObject("LOGO");
    const std::string pdf = Finish();

    EXPECT_EQ(CountOf(pdf, "/Subtype /Form"), 2);
    const std::string resources = ObjectText(pdf, 2);
    EXPECT_NE(resources.find("/" + prefix + "Logo 4 0 R"), std::string::npos) << resources;
    EXPECT_NE(resources.find("/" + prefix + "LOGO 5 0 R"), std::string::npos) << resources;
    EXPECT_NE(PageContent(path, 1).find("q /" + prefix + "LOGO Do Q"), std::string::npos);
}

TEST_F(Templates, RecordingIsolatesItsDrawingFromThePage)
{
    EXPECT_THROW(writer->EndObject(), Error);  // nothing recorded yet
    int page = 0;
    writer->BeginPage(page);
    writer->BeginObject("Inner", 0);
    writer->DrawLine(0, 0, 5, 5, 0);
    writer->BeginObject("Ignored", 0);  // joins Inner
    writer->DrawLine(0, 0, 6, 6, 0);
    writer->DrawObject("Inner");        // a template cannot paint itself
    writer->EndObject();
    EXPECT_THROW(writer->EndObject(), Error);
    const std::string pdf = Finish();

    EXPECT_EQ(CountOf(pdf, "/Subtype /Form"), 1);
    EXPECT_EQ(pdf.find("Ignored"), std::string::npos);
    const std::string form = Show(path, "4", true);
    EXPECT_NE(form.find("5 5 l"), std::string::npos) << form;
    EXPECT_NE(form.find("6 6 l"), std::string::npos) << form;
    EXPECT_EQ(form.find("Do"), std::string::npos) << form;
    EXPECT_EQ(PageContent(path, 1), "1 0 0 -1 0 842 cm \rq\r1 1 1 rg\rQ");
}

TEST_F(Templates, ARecordingLeftOpenIsWrittenByEndDoc)
{
    writer->BeginObject("Open", 7);
    writer->DrawLine(0, 0, 3, 3, 0);
    const std::string pdf = Finish();
    EXPECT_EQ(CountOf(pdf, "/Subtype /Form"), 1);
    EXPECT_NE(Show(path, "4", true).find("3 3 l"), std::string::npos);
}

TEST_F(Templates, ATilingPatternIsClosedIntoThePatternResources)
{
    PagelithTestPeer peer(*writer);
    peer.StartTiling("DOTS", "<< /Type /Pattern /PatternType 1 /PaintType 1\r/TilingType 1\r"
                             "/BBox [0 0 10 10]\r/Resources 3 0 R\r/XStep 10 /YStep 10\r"
                             "/Matrix [1 0 0 1 0 0]");
    writer->DrawRect(0, 0, 5, 5, 5, 15, 0);
    writer->EndTiling();
    EXPECT_THROW(writer->EndTiling(), Error);
    Pages(1);
    const std::string pdf = Finish();

    EXPECT_NE(ObjectText(pdf, 4).find("/Matrix [1 0 0 1 0 0]\n/Length "), std::string::npos);
    EXPECT_NE(ObjectText(pdf, 2).find("/Pattern <<\r/" + prefix + "DOTS 4 0 R \r>>"),
              std::string::npos);
    EXPECT_EQ(PageContent(path, 1).find("0 0 5 5 re"), std::string::npos);
    EXPECT_NE(Show(path, "4", true).find("0 0 5 5 re"), std::string::npos);
}

// Reads an RGB pixel of a binary PPM.
std::array<int, 3> Pixel(const std::string& ppm, int x, int y)
{
    int width = 0, height = 0, max = 0, used = 0;
    std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &width, &height, &max, &used);
    const std::size_t at = static_cast<std::size_t>(used + 1 + (y * width + x) * 3);
    if (at + 2 >= ppm.size())
        return {-1, -1, -1};
    return {static_cast<unsigned char>(ppm[at]), static_cast<unsigned char>(ppm[at + 1]),
            static_cast<unsigned char>(ppm[at + 2])};
}

TEST_F(Templates, APaintedTemplateShowsWhereItWasDrawn)
{
    writer->SetMargins(20, 20, 20, 20, 0);
    writer->BeginObject("Band", 1);
    writer->SetColorFill("#FF0000");
    writer->DrawRect(0, 0, 100, 50, 5, 15, 0);
    writer->EndObject();
    int page = 0;
    writer->BeginPage(page);
    writer->SetColorFill("#0000FF");
    writer->DrawRect(200, 0, 100, 50, 5, 15, 0);
    writer->EndPage();
    Finish();

    const std::filesystem::path shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    const std::string image = (shots / "core_template_band").string();
    ASSERT_EQ(RunTool("pdftoppm -r 72 -singlefile '" + path + "' '" + image + "'").status, 0);
    const std::string ppm = testing_support::ReadAll(image + ".ppm");
    EXPECT_EQ(Pixel(ppm, 70, 45), (std::array<int, 3>{255, 0, 0}));   // the template
    EXPECT_EQ(Pixel(ppm, 270, 45), (std::array<int, 3>{0, 0, 255}));  // the page's own
    EXPECT_EQ(Pixel(ppm, 170, 45), (std::array<int, 3>{255, 255, 255}));
}

// A template paints the tiling patterns it names, over their colour spaces, in a tiling cell
// too, whatever the order of definition; one that would paint itself through a cell takes
// its fallback colour instead, or is refused with an error, so readers neither recurse nor
// miss a resource.
TEST(TemplateResources, ReadersPaintWhatATemplateNamesInACell)
{
    // A cell of a red square.
    const auto red = [](Pagelith& w, const std::string& name, int paintKind) {
        w.BeginTiling(name, 0, 0, 10, 10, 10, 10, paintKind);
        w.SetColorFill("#FF0000");
        w.DrawRect(0, 0, 5, 5, 5, 15, 0);
        w.EndTiling();
    };
    const auto tpl = [](Pagelith& w, const std::string& colour) {
        w.BeginObject("tpl", 0);
        w.SetColorFill(colour);
        w.DrawRect(0, 0, 10, 10, 5, 15, 0);
        w.EndObject();
    };
    const auto outer = [](Pagelith& w) {
        w.BeginTiling("outer", 0, 0, 20, 20, 20, 20, 0);
        w.DrawObject("tpl");
        w.EndTiling();
    };
    using Colour = std::array<int, 3>;
    struct Case {
        const char* name;
        std::function<void(Pagelith&)> define;  // "outer" in the end
        Colour colour;
        bool shown;
        int error;  // a painting refused as it would paint itself is told
    };
    const Case cases[] = {
        {"TemplateBeforeTheCell",
         [&](Pagelith& w) { red(w, "inner", 0); tpl(w, "inner"); outer(w); }, {255, 0, 0}, true, 0},
        {"TemplateAfterTheCell",
         [&](Pagelith& w) { outer(w); red(w, "inner", 0); tpl(w, "inner"); }, {255, 0, 0}, true, 0},
        {"UncolouredPatternInAColourSpace",
         [&](Pagelith& w) { red(w, "inner", 1); tpl(w, "inner|#0000FF"); outer(w); },
         {0, 0, 255}, true, 0},
        {"TemplateNamingTheCellThatPaintsIt",
         [&](Pagelith& w) { outer(w); tpl(w, "outer|#00FF00"); }, {0, 255, 0}, true, 5},
        {"CellRedefinedToPaintTheTemplateNamingIt",
         [&](Pagelith& w) { red(w, "outer", 0); tpl(w, "outer"); outer(w); }, {255, 0, 0}, false,
         5},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = PinnedWriter();
        std::string path = OutputPath(std::string("core_template_resources_") + c.name + ".pdf");
        w->BeginDoc(path);
        c.define(*w);
        EXPECT_EQ(w->ErrNumber(), c.error);
        int page = 0;
        w->BeginPage(page);
        w->SetColorFill("outer");
        w->DrawRect(20, 60, 100, 100, 5, 15, 0);
        w->EndDoc();
        ExpectSoundFile(path);
        EXPECT_EQ(testing_support::PopplerRenderMessages(path), "");
        for (const bool mupdf : {false, true}) {
            const auto shot = testing_support::RenderPage(path, mupdf);
            bool shown = false;
            for (int y = 60; y < 160; ++y)
                for (int x = 20; x < 120; ++x)
                    shown = shown || shot.At(x, y) == c.colour;
            EXPECT_EQ(shown, c.shown) << (mupdf ? "mupdf" : "poppler");
        }
    }
}

// A painting that would close a loop of templates, however long, is refused with an error,
// and any other painting is taken, so that readers neither recurse nor miss a form.
TEST(TemplateLoops, APaintingClosingALoopIsRefused)
{
    const auto name = [](int i) { return "t" + std::to_string(i); };
    struct Case {
        const char* name;
        int length;  // t1 .. t<length>, each painting the next before it is recorded
        std::vector<std::string> lastPaints;  // by the last, t<length>, in order
        int error;
    };
    const Case cases[] = {
        {"TwoPaintingEachOther", 2, {"t1"}, 5},
        {"ALoopOfThree", 3, {"t1"}, 5},
        {"ALoopOfForty", 40, {"t1"}, 5},
        {"ALoopClosedAfterASoundPainting", 40, {"fresh", "t1"}, 5},
        {"WhatItsPaintersPaintToo", 40, {"side", "fresh"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = PinnedWriter();
        std::string path = OutputPath(std::string("core_template_loops_") + c.name + ".pdf");
        w->BeginDoc(path);
        for (const char* leaf : {"side", "fresh"}) {
            w->BeginObject(leaf, 0);
            w->DrawRect(0, 0, 5, 5, 5, 15, 0);
            w->EndObject();
        }
        for (int i = 1; i <= c.length; ++i) {
            w->BeginObject(name(i), 0);
            if (i == 1)
                w->DrawObject("side");
            if (i < c.length)
                w->DrawObject(name(i + 1));
            else
                for (const std::string& painted : c.lastPaints)
                    w->DrawObject(painted);
            w->EndObject();
        }
        EXPECT_EQ(w->ErrNumber(), c.error);
        int page = 0;
        w->BeginPage(page);
        w->DrawObject("t1");
        w->EndDoc();
        ExpectSoundFile(path);
        EXPECT_EQ(testing_support::PopplerRenderMessages(path), "");
    }
}

// The annotations of the last of a long chain of templates, each painted before it was
// recorded, reach the page that paints the first, once for each way down the chain.
TEST(TemplateChains, TheDeepestAnnotationsReachThePage)
{
    struct Case {
        int length;
        int paintings;      // of the next template, by each
        bool recordedFirst; // the chain recorded from its end before the page paints it
    };
    // Painted twice at each of 40 levels, the annotation would be listed 2^39 times.
    const Case cases[] = {{100000, 1, false}, {40, 2, false}, {40, 2, true}};
    for (const Case& c : cases) {
        auto w = PinnedWriter();
        std::string path = CaseOutputPath("core_" + std::to_string(c.paintings) + (c.recordedFirst ? "r_" : "_"));
        w->BeginDoc(path);
        int page = 0;
        w->BeginPage(page);
        if (!c.recordedFirst)
            w->DrawObject("t0");
        for (int step = 0; step < c.length; ++step) {
            const int i = c.recordedFirst ? c.length - 1 - step : step;
            w->BeginObject("t" + std::to_string(i), 0);
            if (i + 1 < c.length) {
                for (int painting = 0; painting < c.paintings; ++painting)
                    w->DrawObject("t" + std::to_string(i + 1));
            } else {
                w->DrawRect(0, 0, 10, 10, 5, 15, 0);
                w->LinkTo("https://example.org/", 0, 0, 0, 0, 0, 0, 0, 0);
            }
            w->EndObject();
        }
        if (c.recordedFirst)
            w->DrawObject("t0");
        w->EndDoc();
        EXPECT_EQ(w->ErrNumber(), 0);
        // Readers bound how deep forms nest, and qpdf takes long over this depth, so the
        // page's list is read rather than the file checked and rendered.
        const std::string annots = Show(path, "trailer/Root/Pages/Kids/1/Annots");
        EXPECT_EQ(CountOf(annots, " 0 R"), 1) << annots.substr(0, 200);
        EXPECT_EQ(Show(path, "trailer/Root/Pages/Kids/1/Annots/1/A/URI"),
                  "(https://example.org/)\n");
    }
}

// A name recorded again replaces the earlier template on every page, listed once.
TEST_F(Templates, ANameRecordedAgainReplacesTheEarlierTemplate)
{
    writer->BeginObject("Band", 0);
    writer->SetColorFill("#FF0000");
    writer->DrawRect(0, 0, 100, 50, 5, 15, 0);
    writer->EndObject();
    int page = 0;
    writer->BeginPage(page);
    writer->DrawObject("Band");
    writer->BeginObject("Band", 0);
    writer->SetColorFill("#0000FF");
    writer->DrawRect(0, 0, 100, 50, 5, 15, 0);
    writer->EndObject();
    writer->EndPage();
    Finish();

    const std::string xobjects = Show(path, "trailer/Root/Pages/Kids/1/Resources/XObject");
    EXPECT_EQ(CountOf(xobjects, "Band"), 1) << xobjects;
    EXPECT_EQ(testing_support::RenderPage(path, false).At(50, 25),
              (std::array<int, 3>{0, 0, 255}));
}

}  // namespace
}  // namespace pdf
