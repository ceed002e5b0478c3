// The graphics-state operations: the content lines they write, the ExtGState objects they
// share, and the state stack of local coordinate spaces.
#include <gtest/gtest.h>

#include <functional>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::CountOf;

class GraphicsState : public ::testing::Test {
protected:
    void Open(const std::string& filePath, bool pdfa = false)
    {
        writer.reset();  // closes the file SetUp began before it is written again
        writer = testing_support::PinnedWriter();
        writer->SetPDFa(pdfa);
        path = filePath;
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
        prefix = PagelithTestPeer(*writer).ResPrefix();
    }
    // Each case writes its own file, since the cases may run at the same time.
    void SetUp() override
    {
        Open(testing_support::CaseOutputPath("core_graphics_state_"));
    }
    // A case that checks only the content lines still leaves a whole document behind.
    void TearDown() override
    {
        if (writer)
            Finish();
    }

    // The lines written since the last call.
    std::string Written()
    {
        PagelithTestPeer peer(*writer);
        std::string text = peer.PageContent();
        peer.ClearPageContent();
        return text;
    }

    // Completes the document and returns its bytes once qpdf and mutool accept it.
    std::string Finish()
    {
        const std::string file = testing_support::FinishChecked(*writer, path);
        writer.reset();
        return file;
    }

    std::unique_ptr<Pagelith> writer;
    std::string path;
    std::string prefix;
};

TEST_F(GraphicsState, OpacityObjectsAreWrittenOncePerValueAndKind)
{
    writer->SetAlpha(50);
    writer->SetAlpha(50);
    writer->SetAlphaFill(50);
    writer->SetAlphaLine(25);
    writer->SetAlpha(150);
    writer->SetAlpha(100);
    writer->SetAlphaFill(-4);
    EXPECT_EQ(Written(), "\r/" + prefix + "GS_50 gs\r/" + prefix + "GS_50 gs\r/" + prefix +
                             "GSF_50 gs\r/" + prefix + "GSL_25 gs\r/" + prefix +
                             "GS_100 gs\r/" + prefix + "GS_100 gs\r/" + prefix + "GSF_0 gs");
    const std::string res = PagelithTestPeer(*writer).ExtGStateRes();
    EXPECT_EQ(CountOf(res, "/" + prefix + "GS_50 "), 1);
    EXPECT_EQ(CountOf(res, " 0 R "), 5);

    const std::string file = Finish();
    EXPECT_EQ(file.substr(0, 9), "%PDF-1.4\n");
    EXPECT_EQ(CountOf(file, "<</Type /ExtGState /ca 0.5 /CA 0.5 /BM /Normal >>"), 1);
    EXPECT_EQ(CountOf(file, "<</Type /ExtGState /ca 0.5 /BM /Normal >>"), 1);
    EXPECT_EQ(CountOf(file, "<</Type /ExtGState /CA 0.25 /BM /Normal >>"), 1);
    EXPECT_EQ(CountOf(file, "<</Type /ExtGState /ca 1 /CA 1 /BM /Normal >>"), 1);
    EXPECT_EQ(CountOf(file, "<</Type /ExtGState /ca 0 /BM /Normal >>"), 1);
    EXPECT_NE(file.find("/ExtGState << /" + prefix + "GS_50 "), std::string::npos);
}

TEST_F(GraphicsState, BlendModesAreClampedToTheSixteenNames)
{
    writer->SetBlend(20);
    writer->SetBlend(-3);
    writer->SetBlend(10);
    EXPECT_EQ(Written(), "\r/" + prefix + "GSB_15 gs\r/" + prefix + "GSB_0 gs\r/" + prefix +
                             "GSB_10 gs");
    const std::string file = Finish();
    EXPECT_NE(file.find("<</Type /ExtGState /BM /Luminosity >>"), std::string::npos);
    EXPECT_NE(file.find("<</Type /ExtGState /BM /Normal >>"), std::string::npos);
    EXPECT_NE(file.find("<</Type /ExtGState /BM /Difference >>"), std::string::npos);
}

TEST_F(GraphicsState, ANewDocumentWritesItsOwnOpacityObjects)
{
    writer->SetAlpha(40);
    testing_support::FinishChecked(*writer, path);
    std::string second = testing_support::OutputPath("core_graphics_state_second.pdf");
    writer->BeginDoc(second);
    int page = 0;
    writer->BeginPage(page);
    prefix = PagelithTestPeer(*writer).ResPrefix();
    writer->SetAlpha(40);
    path = second;
    const std::string file = Finish();
    EXPECT_EQ(CountOf(file, "/ca 0.4 /CA 0.4"), 1);
}

TEST_F(GraphicsState, PdfaModeWritesNoTransparency)
{
    Open(path, true);
    writer->SetAlpha(50);
    writer->SetAlphaFill(50);
    writer->SetAlphaLine(50);
    writer->SetBlend(3);
    EXPECT_EQ(Written(), "");
    const std::string file = Finish();
    EXPECT_EQ(file.find("/ExtGState"), std::string::npos);
}

TEST_F(GraphicsState, LineStyleCapJoinAndMiter)
{
    writer->SetLineStyle(34, 0.5f);
    writer->SetLineStyle(0, 1);
    writer->SetLineStyle(64 + 4, 10.25f);
    // Values beyond the three caps and joins are clamped.
    writer->SetLineStyle(112 + 7, 0);
    writer->SetLineStyle(16 + 1, 0);
    EXPECT_EQ(Written(), "\r1 J\r1 j\r0 J\r0 j\r1 M\r2 J\r2 j\r10.25 M\r2 J\r2 j\r0 J\r0 j");
}

TEST_F(GraphicsState, LineWidthFollowsTheScale)
{
    writer->SetLineWidth(1.5f);
    writer->SetScale(2, 0);
    writer->SetLineWidth(2);
    writer->SetLineWidth(-1);
    EXPECT_EQ(Written(), "\r1.5 w\r5.669 w");
    EXPECT_FLOAT_EQ(PagelithTestPeer(*writer).LineWidth(), 2 * 2.8346455f);
}

TEST_F(GraphicsState, DashPatterns)
{
    writer->SetDash("solid", 4);
    writer->SetDash(" dash ", 0);
    writer->SetDash("Dot", 0.5f);
    writer->SetDash("DASHDOT", 0);
    writer->SetDash("dashdotdot", 0);
    writer->SetDash("3;2", 0);
    writer->SetDash("3;x;1.5", 1);
    writer->SetDash("", 2);
    EXPECT_EQ(Written(), "\r[ ] 0 d\r[0.1 ] 0 d\r[0.05 ] 0.5 d\r[0.1 0.05 0.05 0.05 ] 0 d"
                         "\r[0.1 0.05 0.05 0.05 0.05 0.05 ] 0 d\r[ 3 2 ] 0 d\r[ 3 0 1.5 ] 1 d"
                         "\r[ ] 0 d");

    writer->SetScale(2, 0);
    writer->SetDash("dash", 10);
    writer->SetDash("1;1", 0);
    EXPECT_EQ(Written(), "\r[0.283 ] 28.346 d\r[ 2.835 2.835 ] 0 d");
}

TEST_F(GraphicsState, DashListsThatCannotBeDrawnGiveASolidLine)
{
    writer->SetDash("0;0", 3);
    writer->SetDash("4;-1", 0);
    writer->SetDash("x", 0);
    EXPECT_EQ(Written(), "\r[ ] 0 d\r[ ] 0 d\r[ ] 0 d");
}

TEST_F(GraphicsState, Transformations)
{
    writer->AxisRotation(360);
    writer->AxisRotation(0.4f);
    writer->AxisRotation(719.6f);
    writer->AxisRotation(0);
    EXPECT_EQ(Written(), "");

    writer->AxisRotation(90);
    writer->AxisRotation(-30);
    writer->AxisRotation(0.6f);
    EXPECT_EQ(Written(), "\r0 -1 1 0 0 0 cm\r0.866 0.5 -0.5 0.866 0 0 cm\r1 -0.01 0.01 1 0 0 cm");

    writer->AxisScaling(2, 0.5f);
    writer->AxisSkewing(45, 0);
    writer->SetXY(5, 6);
    writer->SetScale(1, 0);
    writer->AxisTranslation(0.5f, 1);
    EXPECT_EQ(Written(), "\r2 0 0 0.5 0 0 cm\r1 1 0 1 0 0 cm\r1 0 0 1 36 72 cm");
    EXPECT_EQ(writer->GetX(), 0);
    EXPECT_EQ(writer->GetY(), 0);

    writer->MoveTo(1, 0.25f);
    EXPECT_EQ(Written(), "\r72 18 m");
    EXPECT_FLOAT_EQ(writer->GetX(), 1);
    EXPECT_FLOAT_EQ(writer->GetY(), 0.25f);
}

TEST_F(GraphicsState, ASpaceComesBackToTheStateItStartedFrom)
{
    writer->SetXY(20, 30);
    writer->SetLineWidth(2);
    Written();
    writer->BeginSpace(0, 0, 1, 1, 0);
    EXPECT_EQ(Written(), "\rq");
    EXPECT_EQ(writer->GetX(), 0);

    writer->SetColorLine("red");
    writer->SetColorText("blue");
    writer->SetLineWidth(5);
    writer->SetScale(1, 0);
    writer->SetXY(1, 1);
    Written();
    writer->EndSpace();
    EXPECT_EQ(Written(), "\rQ\r0 0 0 RG\r1 1 1 rg\r2 w");
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(peer.LineColour(), "#0 0 0");
    EXPECT_EQ(peer.TextColour(), "#0 0 0");
    EXPECT_EQ(peer.Scale(), 1);
    EXPECT_EQ(peer.LineWidth(), 2);
    EXPECT_EQ(writer->GetX(), 20);
    EXPECT_EQ(writer->GetY(), 30);
    EXPECT_EQ(peer.GsDepth(), 0);
}

TEST_F(GraphicsState, ASpaceMovesScalesAndTurnsTheAxes)
{
    writer->SetScale(2, 0);
    writer->BeginSpace(10, 20, 2, 1, 90);
    EXPECT_EQ(Written(), "\rq\r2 0 0 1 28.346 56.693 cm\r0 -1 1 0 0 0 cm");
    writer->BeginSpace(0, 0, 1, 1, 720);
    EXPECT_EQ(Written(), "\rq");
    writer->EndSpace();
    writer->EndSpace();
    // No saved state is left to match another "Q".
    Written();
    writer->EndSpace();
    EXPECT_EQ(Written(), "");
    Finish();
}

TEST_F(GraphicsState, DeepNestingKeepsEverySavedState)
{
    constexpr int kDepth = 40;
    for (int level = 1; level <= kDepth; ++level) {
        writer->SetXY(static_cast<float>(level), static_cast<float>(-level));
        writer->BeginSpace(1, 0, 1, 1, 0);
    }
    EXPECT_EQ(PagelithTestPeer(*writer).GsDepth(), kDepth);
    for (int level = kDepth; level >= 1; --level) {
        writer->EndSpace();
        ASSERT_EQ(writer->GetX(), static_cast<float>(level));
        ASSERT_EQ(writer->GetY(), static_cast<float>(-level));
    }
    const std::string content = PagelithTestPeer(*writer).PageContent();
    EXPECT_EQ(CountOf(content, "\rq"), kDepth);
    EXPECT_EQ(CountOf(content, "\rQ"), kDepth);
    Finish();
}

TEST_F(GraphicsState, RestoringSelectsTheSavedFontAgain)
{
    PagelithTestPeer peer(*writer);
    // Saved before any font: nothing is selected on the way back.
    writer->BeginSpace(0, 0, 1, 1, 0);
    writer->EndSpace();
    EXPECT_EQ(peer.FontCount(), 0);
    EXPECT_EQ(peer.FontName(), "");

    writer->SetFont("Times", 12, 1, 0);
    writer->BeginSpace(0, 0, 1, 1, 0);
    writer->SetFont("Courier", 8, 0, 204);
    writer->EndSpace();
    EXPECT_EQ(peer.FontName(), "Times");
    EXPECT_EQ(peer.FontSize(), 12);
    EXPECT_EQ(peer.FontCount(), 2);
    EXPECT_FLOAT_EQ(writer->GetTextHeight(), 1107 * 12 / 1000.0f);
    Finish();
}

TEST_F(GraphicsState, AbortEmptiesTheStackAndTheWrittenStates)
{
    writer->SetAlpha(30);
    writer->BeginSpace(0, 0, 1, 1, 0);
    writer->Abort();
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(peer.GsDepth(), 0);
    EXPECT_EQ(peer.ExtGStateRes(), "");
    writer->BeginDoc(path);
}

// EndSpace ends only a space begun last in its own content (not a table's state, nor a space
// of a page, template or reopened page closed since, nor one begun before any page): else
// it records error 5 and writes no "Q" for readers to find no state to restore.
TEST(LocalSpaces, EndOnlyInTheContentTheyBeganIn)
{
    int page = 0;
    int first = 1;
    const std::function<void(Pagelith&)> moves[] = {
        [&](Pagelith& w) { w.BeginPage(page = 0); },
        [&](Pagelith& w) { w.BeginPage(page = 0); },
        [&](Pagelith& w) { w.BeginOnPage(first); },
        [](Pagelith& w) { w.BeginObject("T", 1); },
        [](Pagelith& w) { w.EndObject(); },
        [](Pagelith& w) { w.BeginTable(0, 0, 10, {20}); }};
    // An error stays recorded until the next document, so each EndSpace is tried in a
    // document of its own, the one after the move that `tried` names.
    for (std::size_t tried = 0; tried < std::size(moves); ++tried) {
        auto w = testing_support::PinnedWriter();
        std::string path = testing_support::CaseOutputPath("core_" + std::to_string(tried));
        w->BeginDoc(path);
        w->BeginSpace(0, 0, 1, 1, 0);
        for (std::size_t move = 0; move < std::size(moves); ++move) {
            moves[move](*w);
            if (move == tried) {
                ASSERT_EQ(w->ErrNumber(), 0) << "before EndSpace after move " << move;
                w->EndSpace();
                EXPECT_EQ(w->ErrNumber(), 5) << "after move " << move;
                EXPECT_EQ(w->ErrSource(), "Pagelith.EndSpace");
            }
            w->BeginSpace(0, 0, 1, 1, 0);
        }
        testing_support::FinishChecked(*w, path);
        EXPECT_EQ(testing_support::PopplerRenderMessages(path), "") << "after move " << tried;
    }
}

// However spaces, tables and barcodes end around and inside one another, each content
// stream of a page, a template or a tiling cell closes every "q" it opens, and no "Q" comes
// before its "q": the nesting that readers take as written.
TEST(LocalSpaces, EveryStreamClosesTheStatesItOpens)
{
    using Steps = std::function<void(Pagelith&)>;
    const Steps table = [](Pagelith& w) { w.BeginTable(0, 0, 10, {20}); };
    const Steps space = [](Pagelith& w) { w.BeginSpace(5, 5, 1, 1, 0); };
    const Steps endTable = [](Pagelith& w) { w.EndTable(); };
    const Steps endSpace = [](Pagelith& w) { w.EndSpace(); };
    const Steps barcode = [](Pagelith& w) { w.DrawBarCode(1, "AB12", 0, 0, true, 1, 10, false); };
    const struct {
        const char* name;
        std::vector<Steps> steps;
        int error;
    } orders[] = {
        {"a space ended after its table", {table, space, endTable, endSpace}, 0},
        {"a space left open past its table", {table, space, endTable}, 0},
        {"a space ended before a table in it", {space, table, endSpace, endTable, endSpace}, 5},
        {"a barcode in a space in a table", {table, space, barcode, endTable, endSpace}, 0},
        {"spaces across nested tables", {table, table, space, endTable, space, endTable}, 0},
    };
    const struct {
        const char* name;
        Steps begin;
        Steps end;
        std::string streams;  // the kind, depth at the end and lowest depth of each stream
    } contents[] = {
        {"page", [](Pagelith&) {}, [](Pagelith&) {}, "page 0 0\n"},
        {"template", [](Pagelith& w) { w.BeginObject("T", 0); },
         [](Pagelith& w) { w.EndObject(); w.DrawObject("T"); }, "page 0 0\nform 0 0\n"},
        {"tiling cell", [](Pagelith& w) { w.BeginTiling("cell", 0, 0, 10, 10, 10, 10, 0); },
         [](Pagelith& w) { w.EndTiling(); }, "page 0 0\npattern 0 0\n"},
    };
    const std::string depths =
        "import sys, pikepdf\n"
        "p = pikepdf.open(sys.argv[1])\n"
        "def balance(kind, stream):\n"
        "    depth = lowest = 0\n"
        "    for _, op in pikepdf.parse_content_stream(stream):\n"
        "        depth += {'q': 1, 'Q': -1}.get(str(op), 0)\n"
        "        lowest = min(lowest, depth)\n"
        "    print(kind, depth, lowest)\n"
        "for s in p.pages[0].obj.Contents.wrap_in_array(): balance('page', s)\n"
        "for o in p.objects:\n"
        "    kind = isinstance(o, pikepdf.Stream) and o.get('/Subtype', o.get('/PatternType'))\n"
        "    if kind in ('/Form', 1): balance('form' if kind == '/Form' else 'pattern', o)\n";
    for (const auto& content : contents) {
        for (const auto& order : orders) {
            const std::string where = std::string(order.name) + ", in a " + content.name;
            auto w = testing_support::PinnedWriter();
            std::string path = testing_support::CaseOutputPath(
                "core_" + std::string(content.name) + "_" + std::to_string(&order - orders));
            w->BeginDoc(path);
            int page = 0;
            w->BeginPage(page);
            content.begin(*w);
            for (const Steps& step : order.steps)
                step(*w);
            content.end(*w);
            EXPECT_EQ(w->ErrNumber(), order.error) << where;
            testing_support::FinishChecked(*w, path);
            const auto read = testing_support::RunTool("/usr/bin/python3 - '" + path +
                                                       "' <<'PY'\n" + depths + "PY\n");
            EXPECT_EQ(read.output, content.streams) << where;
        }
    }
}

}  // namespace
}  // namespace pdf
