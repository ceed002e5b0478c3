// Pages of source files drawn on our pages: the output passes qpdf, renders like the
// source and reads back the source's text; forms and shared objects are written once.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <functional>
#include <tuple>

#include "source_files.h"

namespace pdf {
namespace {

using namespace reader_testing;
using testing_support::CountOf;
using testing_support::FinishChecked;

// Grey levels of page 1 rendered at 36 dpi.
std::vector<unsigned char> Render(const std::string& path, int page = 1)
{
    // Cases rendering the same source run at the same time: each renders into its own file.
    const std::string prefix = ScratchPath("render-" + std::to_string(std::hash<std::string>{}(path)) +
                                           "-" + std::to_string(::getpid()) + "-" + std::to_string(page));
    const auto result = RunTool("pdftoppm -r 36 -gray -singlefile -f " + std::to_string(page) + " -l " +
                                std::to_string(page) + " " + Quoted(path) + " " + Quoted(prefix));
    EXPECT_EQ(result.status, 0) << result.output;
    std::ifstream in(prefix + ".pgm", std::ios::binary);
    std::string magic;
    int width = 0, height = 0, maxValue = 0;
    in >> magic >> width >> height >> maxValue;
    in.get();
    std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height);
    in.read(reinterpret_cast<char*>(pixels.data()), static_cast<std::streamsize>(pixels.size()));
    return pixels;
}

// Share of pixels whose grey differs by more than a quarter of the range.
double Difference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    if (a.size() != b.size() || a.empty())
        return 1;
    std::size_t differing = 0;
    for (std::size_t i = 0; i < a.size(); ++i)
        differing += std::abs(a[i] - b[i]) > 64;
    return static_cast<double>(differing) / static_cast<double>(a.size());
}

// A document of one 300 x 200 point page with the source's first page drawn at its own
// size, then what `drawAfter` draws.
std::string ImportInto(const std::string& source, const std::string& name,
                       const std::function<void(Pagelith&)>& drawAfter = {})
{
    const std::string path = testing_support::OutputPath("import-" + name + ".pdf");
    auto writer = testing_support::PinnedWriter();
    writer->SetPaperSize(255, 300, 200);
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->ImportPage(source, 1, 0, 0, 0, 0);
    if (drawAfter)
        drawAfter(*writer);
    EXPECT_EQ(writer->ErrNumber(), 0) << writer->ErrDescription();
    FinishChecked(*writer, path);
    return path;
}

struct Source {
    std::string name;
    std::string (*make)();
    std::string text;
    friend void PrintTo(const Source& source, std::ostream* out) { *out << source.name; }
};

std::string Own() { return OwnSource("import-own.pdf", 2); }
std::string ObjectStreams()
{
    return Converted(Own(), "import-objstm.pdf", "qpdf --object-streams=generate {in} {out}");
}
std::string Linearized() { return Converted(Own(), "import-linear.pdf", "qpdf --linearize {in} {out}"); }

class ImportedPage : public ::testing::TestWithParam<Source> {};

TEST_P(ImportedPage, RendersLikeItsSourceAndReadsBackItsText)
{
    const std::string source = GetParam().make();
    const std::string output = ImportInto(source, GetParam().name);
    EXPECT_LT(Difference(Render(source), Render(output)), 0.01);
    const auto text = RunTool("pdftotext " + Quoted(output) + " -");
    EXPECT_NE(text.output.find(GetParam().text), std::string::npos) << text.output;
}

INSTANTIATE_TEST_SUITE_P(Sources, ImportedPage,
                         ::testing::Values(Source{"Own", Own, "Page 1"},
                                           Source{"QpdfObjectStreams", ObjectStreams, "Page 1"},
                                           Source{"QpdfLinearized", Linearized, "Page 1"},
                                           Source{"PopplerSeparated", PopplerSeparated, "Page 2"},
                                           Source{"Ghostscript", GhostscriptSource, "Ghost page one"},
                                           Source{"Cairo", CairoSource, "Cairo page"}),
                         [](const auto& info) { return info.param.name; });

// A page of several streams, each through other filters, is joined decoded.
TEST(PageImport, ContentStreamsWithOtherFiltersImportAsTheSourceRenders)
{
    const std::string source = FilteredStreamsSource("import-filtered.pdf").path;
    EXPECT_LT(Difference(Render(source), Render(ImportInto(source, "filtered"))), 0.01);
}

// Also when the table's offset of the shared font is wrong, so that the table is rebuilt
// while the first page is imported.
TEST(PageImport, AFormIsWrittenOnceAndSharedObjectsAreCopiedOnce)
{
    std::string damaged = testing_support::ReadAll(Own());
    const std::size_t fontRow = damaged.rfind("0000000000 65535 f") + 20 * 4;
    ASSERT_EQ(damaged.find("4 0 obj"), std::stoul(damaged.substr(fontRow, 10)));
    const std::string endobj = std::to_string(damaged.find("endobj"));
    damaged.replace(fontRow, 10, std::string(10 - endobj.size(), '0') + endobj);
    const std::string wrongFontOffset = ScratchPath("import-wrong-font-offset.pdf");
    std::ofstream(wrongFontOffset, std::ios::binary) << damaged;
    for (const std::string& source : {Own(), wrongFontOffset}) {
        const std::string path = testing_support::CaseOutputPath("import-");
        auto writer = testing_support::PinnedWriter();
        writer->SetPaperSize(255, 300, 200);
        std::string file = path;
        writer->BeginDoc(file);
        for (int sourcePage : {1, 2, 1}) {
            int page = 0;
            writer->BeginPage(page);
            writer->ImportPage(source, sourcePage, 0, 0, 0, 0);
        }
        const std::string bytes = FinishChecked(*writer, path);
        EXPECT_EQ(CountOf(bytes, "/Subtype /Form"), 2) << source;
        // Both source pages use one Times font object.
        EXPECT_EQ(CountOf(bytes, "/BaseFont /TimesNewRoman"), 1) << source;
        EXPECT_EQ(CountOf(bytes, "PDF_1.1 Do"), 2) << source;
        EXPECT_EQ(CountOf(bytes, "PDF_1.2 Do"), 1) << source;
        const auto text = RunTool("pdftotext " + Quoted(path) + " -");
        EXPECT_LT(text.output.find("Page 1"), text.output.find("Page 2")) << source;
    }
}

// The writer's second document holds its own copy of a page imported into the first.
TEST(PageImport, EachDocumentGetsItsOwnForm)
{
    const std::string source = Own();
    auto writer = testing_support::PinnedWriter();
    for (const char* name : {"import-first-of-two.pdf", "import-second-of-two.pdf"}) {
        std::string file = testing_support::OutputPath(name);
        writer->BeginDoc(file);
        int page = 0;
        writer->BeginPage(page);
        writer->ImportPage(source, 2, 0, 0, 0, 0);
        const std::string bytes = FinishChecked(*writer, file);
        EXPECT_EQ(CountOf(bytes, "/Subtype /Form"), 1) << name;
        EXPECT_NE(RunTool("pdftotext " + Quoted(file) + " -").output.find("Page 2"), std::string::npos);
    }
}

TEST(PageImport, PlacementKeepsProportionsAndFormsKeepTheirStreams)
{
    const std::string source = ObjectStreams();
    const std::string path = testing_support::CaseOutputPath("import-");
    auto writer = testing_support::PinnedWriter();
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->ImportPage(source, 1, 10, 20, 150, 0);
    const std::string bytes = FinishChecked(*writer, path);
    // 150 wide keeps 300 x 200: 100 high, both scales one half.
    EXPECT_NE(bytes.find("0.5 0 0 -0.5 10 120 cm"), std::string::npos);
    EXPECT_NE(bytes.find("   /BBox [0 0 300 200 ]"), std::string::npos);
    // A single compressed content stream is carried over as stored.
    EXPECT_NE(bytes.find("   /Filter /FlateDecode"), std::string::npos);
}

// A document whose first page holds the first page of `source`, a page of 300 x 200 points,
// on a page of that size, turned a quarter when `quarter`; the caller finishes it.
std::unique_ptr<Pagelith> WriterWithImportedPage(const std::string& source,
                                                 const std::string& path, bool quarter)
{
    auto writer = testing_support::PinnedWriter();
    writer->SetPaperSize(255, quarter ? 200 : 300, quarter ? 300 : 200);
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->ImportPage(source, 1, 0, 0, 0, 0);
    return writer;
}

// A page without content, and one whose resources hold a string of arbitrary bytes: the
// copy keeps the bytes, and the empty page gets an empty form.
TEST(PageImport, CopiedObjectsKeepTheirBytesAndAnEmptyPageGivesAnEmptyForm)
{
    const std::string binary = std::string("(\\(\0\r\n\xff  \xfe\r)", 12);
    const std::string source = AssembledPdf(
        "import-hand.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>",
         "<< /Type /Pages /Kids [3 0 R 5 0 R] /Count 2 /MediaBox [0 0 300 200] >>",
         "<< /Type /Page /Parent 2 0 R /Resources << /Properties << /P1 4 0 R >> >> >>",
         "<< /Tag " + binary + " /Self 4 0 R >>",
         "<< /Type /Page /Parent 2 0 R /Contents [] >>"});
    const std::string path = testing_support::CaseOutputPath("import-");
    auto writer = testing_support::PinnedWriter();
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->ImportPage(source, 1, 0, 0, 0, 0);
    writer->ImportPage(source, 2, 0, 0, 0, 0);
    const std::string bytes = FinishChecked(*writer, path);
    // The same bytes, the source's line ends inside the string read as line feeds.
    EXPECT_NE(bytes.find("/Tag " + std::string("(\\(\0\n\xff  \xfe\n)", 10)), std::string::npos);
    EXPECT_EQ(CountOf(bytes, "   /Length 0\n>>\nstream\r\nendstream"), 2);
}

// Forms of the source whose /Length is too short, too long, a reference to a wrong number or
// missing are copied with the length of their data: the output passes qpdf and renders
// like the source.
TEST(PageImport, CopiedStreamsStateTheLengthOfTheirData)
{
    std::vector<std::string> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
        "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R /Resources << /XObject << "
        "/A 5 0 R /B 6 0 R /C 7 0 R /D 8 0 R >> >> >>",
        "<< /Length 24 >>\nstream\n/A Do /B Do /C Do /D Do\nendstream"};
    const std::vector<std::string> lengths{"/Length 5", "/Length 900", "/Length 9 0 R", ""};
    for (std::size_t n = 0; n < lengths.size(); ++n)
        objects.push_back("<< /Type /XObject /Subtype /Form /BBox [0 0 300 200] " + lengths[n] +
                          " >>\nstream\n0 0 0 rg " + std::to_string(20 + 70 * n) + " 20 50 60 re f\nendstream");
    objects.push_back("3");
    const std::string source = AssembledPdf("import-lengths.pdf", objects);
    const std::string output = ImportInto(source, "lengths");
    EXPECT_LT(Difference(Render(source), Render(output)), 0.01);
    // The object that held a length is not copied: nothing refers to it in the copy.
    const auto integers = RunTool("/usr/bin/python3 -c \"import pikepdf, sys\n"
                                  "pdf = pikepdf.open(sys.argv[1])\n"
                                  "print([o for o in pdf.objects if isinstance(o, int)])\" " + Quoted(output));
    EXPECT_EQ(integers.output, "[]\n");
}

// In a protected document the copied strings and streams are enciphered: readers given
// the password see the source's page, and no copied string stands in the file in clear.
TEST(PageImport, UnderProtectionCopiesAreEnciphered)
{
    const std::string source = AssembledPdf(
        "import-protected-source.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>",
         "<< /Type /Pages /Kids [3 0 R] /Count 1 /MediaBox [0 0 300 200] >>",
         "<< /Type /Page /Parent 2 0 R /Contents 5 0 R /Resources << /Properties << /P1 4 0 R >> >> >>",
         "<< /Tag (Clear words) >>",
         "<< /Length 26 >>\nstream\n0 0 1 rg 20 20 100 60 re f\nendstream"});
    const std::string path = testing_support::CaseOutputPath("import-");
    auto writer = testing_support::PinnedWriter();
    writer->SetProtection(4 | 16 | 4096, "owner", "");
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->ImportPage(Own(), 1, 0, 0, 0, 0);
    writer->ImportPage(source, 1, 0, 0, 0, 0);
    const std::string bytes = FinishChecked(*writer, path);
    EXPECT_EQ(bytes.find("Clear words"), std::string::npos);
    EXPECT_EQ(bytes.find("20 20 100 60 re"), std::string::npos);
    EXPECT_NE(RunTool("pdftotext " + Quoted(path) + " -").output.find("Page 1"), std::string::npos);
    const std::string plain = testing_support::ScratchPath("import-decrypted.pdf");
    ASSERT_EQ(RunTool("qpdf --decrypt --qdf " + Quoted(path) + " " + Quoted(plain)).status, 0);
    const std::string decrypted = testing_support::ReadAll(plain);
    EXPECT_NE(decrypted.find("(Clear words)"), std::string::npos);
    EXPECT_NE(decrypted.find("20 20 100 60 re"), std::string::npos);
}

// A PDF 2.0 file says so, and its page leaves our output at the version it had.
TEST(PageImport, APdf20SourceIsReportedAsSuchAndDoesNotRaiseOurVersion)
{
    std::string bytes = testing_support::ReadAll(Own());
    ASSERT_EQ(bytes.rfind("%PDF-1.3", 0), 0u);
    bytes.replace(0, 8, "%PDF-2.0");
    const std::string source = ScratchPath("import-pdf20.pdf");
    std::ofstream(source, std::ios::binary) << bytes;

    auto writer = testing_support::PinnedWriter();
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    EXPECT_EQ(writer->GetInfo(source, title, subject, author, encrypted, pdfa, version), 2);
    EXPECT_EQ(version, 20);
    const std::string path = testing_support::CaseOutputPath("import-");
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->ImportPage(source, 1, 0, 0, 0, 0);
    EXPECT_EQ(FinishChecked(*writer, path).rfind("%PDF-1.3", 0), 0u);
}

// Pages turned by qpdf are imported as the source renders them, at their turned size.
TEST(PageImport, RotatedPagesImportAsTheSourceRenders)
{
    for (const char* turn : {"90", "180", "270"}) {
        const std::string source =
            Converted(Own(), std::string("import-rotated-") + turn + ".pdf", std::string("qpdf --rotate=+") + turn + " {in} {out}");
        const bool quarter = std::string(turn) != "180";
        const std::string path = testing_support::OutputPath(std::string("import-rotated-") + turn + ".pdf");
        auto writer = WriterWithImportedPage(source, path, quarter);
        FinishChecked(*writer, path);
        EXPECT_LT(Difference(Render(source), Render(path)), 0.01) << turn;
    }
}

// A turn given beyond a quarter or below zero, or not a multiple of one, is the turn
// viewers show, before the import and after it.
TEST(PageImport, TurnsOutOfRangeImportAsViewersShowThem)
{
    for (const std::string turn : {"-90", "450", "45"}) {
        const std::string source = AssembledPdf(
            "import-turn" + turn + ".pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Rotate " + turn + " /Contents 4 0 R >>",
             "<< /Length 26 >>\nstream\n0 0 1 rg 20 20 100 60 re f\nendstream"});
        float width = 0, height = 0;
        int before = -1;
        ASSERT_TRUE(testing_support::PinnedWriter()->GetInfoPage(source, 1, width, height, before))
            << turn;
        const std::string path = testing_support::OutputPath("import-turn" + turn + ".pdf");
        auto writer = WriterWithImportedPage(source, path, before % 180 != 0);
        int after = -1;
        ASSERT_TRUE(writer->GetInfoPage(source, 1, width, height, after)) << turn;
        EXPECT_EQ(after, before) << turn;
        FinishChecked(*writer, path);
        EXPECT_LT(Difference(Render(source), Render(path)), 0.01) << turn;
    }
}

// A source page that relies on the state a page starts in (black paint, thin solid lines,
// plain text) looks the same drawn over any state of ours, and ours is the same after it:
// the red box drawn next is half-transparent red.
TEST(PageImport, AnImportedPageStartsInTheInitialGraphicsState)
{
    const std::string content = "BT /F1 24 Tf 20 150 Td (Initial state) Tj ET 20 20 100 60 re f 140 20 m 230 80 l S";
    const std::string source = AssembledPdf(
        "import-initial-state.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R /Resources << /Font << /F1 "
         "<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >>",
         "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream"});
    const std::string path = testing_support::CaseOutputPath("import-");
    auto writer = testing_support::PinnedWriter();
    writer->SetPaperSize(255, 300, 200);
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->SetColorFill("Red");
    writer->SetColorLine("Blue");
    writer->SetLineWidth(8);
    writer->SetDash("DASH", 0);
    writer->SetLineStyle(32 + 2, 0);
    writer->SetAlpha(50);
    writer->SetCharSpacing(5);
    writer->SetWordSpacing(9);
    writer->SetTextHorizontalScaling(50);
    writer->SetTextMode(1);
    writer->ImportPage(source, 1, 0, 0, 0, 0);
    writer->DrawRect(250, 10, 40, 30, 5, 15, 0);
    FinishChecked(*writer, path);

    const auto expected = testing_support::RenderPage(source, false);
    const auto imported = testing_support::RenderPage(path, false);
    ASSERT_EQ(imported.width, expected.width);
    ASSERT_EQ(imported.height, expected.height);
    int differing = 0;
    for (int y = 0; y < expected.height; ++y) {
        for (int x = 0; x < expected.width; ++x) {
            const bool ourBox = x >= 248 && y <= 42;
            const auto a = expected.At(x, y), b = imported.At(x, y);
            differing += !ourBox && (std::abs(a[0] - b[0]) > 64 || std::abs(a[1] - b[1]) > 64 || std::abs(a[2] - b[2]) > 64);
        }
    }
    EXPECT_LT(differing, expected.width * expected.height / 200);
    const auto box = imported.At(270, 25);
    EXPECT_GT(box[0], 240);
    EXPECT_NEAR(box[1], 128, 16);
    EXPECT_NEAR(box[2], 128, 16);
}

// A layer the source hides by default stays hidden in the import, one it shows stays shown,
// and the groups join ours in the document's one optional-content dictionary: a red square
// in a hidden source layer, a blue one in a shown one, and a green one of ours, hidden.
TEST(PageImport, LayersKeepTheirSourcesDefaultView)
{
    const std::string content =
        "/OC /Hidden BDC 1 0 0 rg 20 20 60 60 re f EMC /OC /Shown BDC 0 0 1 rg 120 20 60 60 re f EMC";
    const std::vector<std::string> views{"<< /OFF [5 0 R] >>", "<< /BaseState /OFF /ON [6 0 R] >>"};
    for (std::size_t n = 0; n < views.size(); ++n) {
        const std::string source = AssembledPdf(
            "import-layers-" + std::to_string(n) + ".pdf",
            {"<< /Type /Catalog /Pages 2 0 R /OCProperties << /OCGs [5 0 R 6 0 R] /D " + views[n] + " >> >>",
             "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
             "/Resources << /Properties << /Hidden 5 0 R /Shown 6 0 R >> >> >>",
             "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
             "<< /Type /OCG /Name (Hidden) >>", "<< /Type /OCG /Name (Shown) >>"});
        const std::string path = ImportInto(source, "layers-" + std::to_string(n), [](Pagelith& writer) {
            writer.BeginLayer("Ours", false, true, "");
            writer.SetColorFill("Green");
            writer.DrawRect(220, 120, 60, 60, 0, 15, 0);
            writer.EndLayer();
        });
        EXPECT_EQ(CountOf(testing_support::ReadAll(path), "/OCProperties"), 1) << views[n];

        const auto rendering = testing_support::RenderPage(path, false);
        EXPECT_EQ(rendering.At(50, 150), (std::array<int, 3>{255, 255, 255})) << views[n];
        EXPECT_EQ(rendering.At(150, 150), (std::array<int, 3>{0, 0, 255})) << views[n];
        EXPECT_EQ(rendering.At(250, 150), (std::array<int, 3>{255, 255, 255})) << views[n];
    }
}

// Content whose filters and parameters are given by reference, as an array element, as a
// whole array or inside a parameter dictionary: read and imported as the original.
// Parameters naming more objects than a value may take read, but their import is refused:
// the form would name objects of ours instead.
TEST(PageImport, FiltersAndParametersByReferenceReadAndImportAsTheOriginal)
{
    struct Case {
        std::string name;
        std::string keys;  // of the content stream's dictionary
        std::vector<std::string> objects;  // numbered from 5
        bool ascii85 = false;
        int copies = 1;  // of the stream in the page's /Contents
        bool refused = false;  // the import
    };
    const std::string parms = "<< /Predictor 12 /Columns 8 >>";
    std::string manyReferences = "<< /Predictor 12 /Columns 6 0 R";
    for (int n = 0; n < 70; ++n)
        manyReferences += " /Note" + std::to_string(n) + " 6 0 R";
    const std::vector<Case> cases{
        {"filter", "/Filter 5 0 R", {"/FlateDecode"}},
        {"chain", "/Filter [/ASCII85Decode /FlateDecode] /DecodeParms [null 5 0 R]", {parms}, true},
        {"arrays", "/Filter 5 0 R /DecodeParms 6 0 R", {"[/FlateDecode]", "[7 0 R]", parms}},
        {"element", "/Filter [5 0 R] /DecodeParms [6 0 R]", {"/FlateDecode", "<< /Predictor 12 /Columns 7 0 R >>", "8"}},
        {"joined", "/Filter [/ASCII85Decode 5 0 R] /DecodeParms [null 6 0 R]", {"/FlateDecode", parms}, true, 2},
        {"too-many", "/Filter /FlateDecode /DecodeParms 5 0 R", {manyReferences + " >>", "8"}, false, 1, true},
    };
    std::string content = "BT /F1 24 Tf 20 60 Td (Referenced filter) Tj ET 0 0 1 rg 20 100 100 60 re f";
    content.resize((content.size() + 7) / 8 * 8, ' ');
    // Each row of eight bytes as its difference from the row above, PNG's "up".
    Bytes predicted;
    for (std::size_t row = 0; row < content.size(); row += 8) {
        predicted.push_back(2);
        for (std::size_t i = row; i < row + 8; ++i)
            predicted.push_back(static_cast<std::uint8_t>(content[i] - (row == 0 ? 0 : content[i - 8])));
    }
    for (const Case& c : cases) {
        Bytes data = c.keys.find("DecodeParms") == std::string::npos ? Bytes(content.begin(), content.end()) : predicted;
        EncodeFlate(data, 5);
        if (c.ascii85)
            EncodeASCII85(data);
        std::string contents;
        for (int n = 0; n < c.copies; ++n)
            contents += "4 0 R ";
        std::vector<std::string> objects{
            "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents [" + contents +
                "] /Resources << /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >> >>",
            "<< /Length " + std::to_string(data.size()) + " " + c.keys + " >>\nstream\n" +
                std::string(data.begin(), data.end()) + "\nendstream"};
        objects.insert(objects.end(), c.objects.begin(), c.objects.end());
        const std::string source = AssembledPdf("import-by-reference-" + c.name + ".pdf", objects);
        ASSERT_EQ(RunTool("qpdf --check " + Quoted(source)).status, 0) << c.name;

        std::string expected = content;
        for (int n = 1; n < c.copies; ++n)
            expected += "\n" + content;
        Pagelith reader;
        EXPECT_EQ(reader.GetContentPage(source, 1), expected) << c.name;
        EXPECT_EQ(reader.ErrNumber(), 0) << c.name << ": " << reader.ErrDescription();
        if (c.refused) {
            std::string file = ScratchPath("import-by-reference-" + c.name + "-out.pdf");
            reader.BeginDoc(file);
            int page = 0;
            reader.BeginPage(page);
            try {
                reader.ImportPage(source, 1, 0, 0, 0, 0);
                ADD_FAILURE() << c.name << ": imported";
            } catch (const Error& e) {
                EXPECT_EQ(e.Number(), err::kInvalidFileFormat) << c.name << ": " << e.what();
            }
            continue;
        }
        const std::string output = ImportInto(source, "by-reference-" + c.name);
        const auto text = RunTool("pdftotext " + Quoted(output) + " -");
        EXPECT_NE(text.output.find("Referenced filter"), std::string::npos) << c.name << "\n" << text.output;
    }
}

// A resource whose string holds "endobj" and "stream" is copied whole.
TEST(PageImport, AResourceHoldingEndKeywordsInAStringIsCopiedWhole)
{
    const std::string note = "(Guide obj et endobj dans un PDF, stream\nendstream)";
    const std::string content = "BT /F1 24 Tf 20 60 Td (Keywords in strings) Tj ET";
    const std::string source = AssembledPdf(
        "import-endobj-in-string.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R /Resources << /Font << /F1 5 0 R >> >> >>",
         "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
         "<< /Type /Font /Subtype /Type1 /Note " + note + " /BaseFont /Helvetica >>"});
    const std::string output = ImportInto(source, "endobj-in-string");
    EXPECT_NE(testing_support::ReadAll(output).find("/Note " + note + " /BaseFont /Helvetica"), std::string::npos);
    EXPECT_NE(RunTool("pdftotext " + Quoted(output) + " -").output.find("Keywords in strings"), std::string::npos);
}

// What import copies is written from the values it read: names with their codes decoded,
// comments gone, a /Length given by a coded key replaced; a resource that cannot be read
// fails the import with an error and writes nothing.
TEST(PageImport, CopiesAreSoundSyntaxOrTheImportFails)
{
    const std::string form = "0 0 1 rg 20 20 50 60 re f";
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        // the font, the form's dictionary keys, what the output holds ("" for a failed import)
        {"<< /Type /Font /Subtype /Type1 /BaseFont /Helvet#69ca % a note\n>>", "/Len#67th 3",
         "/BaseFont /Helvetica >>"},
        {"<< /Type /Font /Subtype >]ype1 /BaseFont /Helvetica >>", "/Length 3", ""},
        {"<< /Type /Font /Subtype /Type1 /BaseFont (Helvetica >>", "/Length 3", ""},
    };
    for (const auto& [font, keys, holds] : cases) {
        const std::string source = AssembledPdf(
            "import-sound-syntax.pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R "
             "/Resources << /Font << /F1 5 0 R >> /XObject << /X 6 0 R >> >> >>",
             "<< /Length 5 >>\nstream\n/X Do\nendstream", font,
             "<< /Type /XObject /Subtype /Form /BBox [0 0 300 200] " + keys + " >>\nstream\n" + form + "\nendstream"});
        const std::string path = testing_support::CaseOutputPath("import-");
        if (holds.empty()) {
            EXPECT_THROW(WriterWithImportedPage(source, path, false), Error) << font;
            continue;
        }
        const auto writer = WriterWithImportedPage(source, path, false);
        const std::string bytes = FinishChecked(*writer, path);
        EXPECT_NE(bytes.find(holds), std::string::npos) << font;
        EXPECT_EQ(bytes.find("/Len#67th"), std::string::npos) << font;
        EXPECT_EQ(bytes.find("% a note"), std::string::npos) << font;
        EXPECT_LT(Difference(Render(source), Render(path)), 0.01) << font;
    }
}

}  // namespace
}  // namespace pdf

namespace pdf {
namespace {

// What pikepdf reads of `expression` in the first page of `path`, or, with `form`, in the form
// its page draws: `resources` and `content` (the raw stream data) stand for the page's or the
// form's.
std::string PikepdfReads(const std::string& path, const std::string& expression, bool form)
{
    // The document is held while its page is read: pikepdf refuses a page of a document
    // already let go.
    const auto result = RunTool("/usr/bin/python3 -c \"import pikepdf, sys\n"
                   "pdf = pikepdf.open(sys.argv[1])\n"
                   "p = pdf.pages[0]\n"
                   "if sys.argv[2] == 'form':\n"
                   "  f = [v for k, v in p.Resources.XObject.items()][0]\n"
                   "  resources, content = f.Resources, f.read_raw_bytes()\n"
                   "else:\n"
                   "  resources, content = p.Resources, p.Contents.read_raw_bytes()\n"
                   "print(repr(" + expression + "))\" " +
                   Quoted(path) + (form ? " form" : " page"));
    EXPECT_EQ(result.status, 0) << result.output;
    return result.output;
}

// A copy reads as its source reads: strings byte for byte, a key given twice once (the one
// the peers take), a stream's /Length that of its data whatever names inside it spell
// /Length, a content stream's data to its "endstream" when its /Length is too large.
TEST(PageImport, CopiesReadAsTheirSourcesRead)
{
    const std::string form = "<< /Type /XObject /Subtype /Form /BBox [0 0 300 200] ";
    const std::string data = "\nstream\n0 0 1 rg 20 20 50 60 re f\nendstream";
    const std::vector<std::tuple<std::string, std::string, std::string>> cases{
        // resources, content stream object, what pikepdf is asked
        {"<< /Properties << /MC0 << /Title (a  b\nc" + std::string(1, '\0') + "d) >> >> >>", "<< /Length 3 >>\nstream\n0 g\nendstream",
         "bytes(resources.Properties.MC0.Title)"},
        {"<< /XObject << /X 5 0 R >> >>", "<< /Length 5 >>\nstream\n/X Do\nendstream",
         "(resources.XObject.X.Names, resources.XObject.X.read_raw_bytes())"},
        {"<< /XObject << /X 6 0 R >> >>", "<< /Length 5 >>\nstream\n/X Do\nendstream",
         "(resources.XObject.X.Type, resources.XObject.X.read_raw_bytes())"},
        {"<< /Properties << /A 1 >> /Properties << /B 2 >> >>", "<< /Length 3 >>\nstream\n0 g\nendstream",
         "sorted(resources.Properties.keys())"},
        {"<< /Properties << /A 1 /B 2 /A null >> >>", "<< /Length 3 >>\nstream\n0 g\nendstream",
         "sorted(resources.Properties.keys())"},
        {"<< >>", "<< /Length 900 >>\nstream\n0 0 1 rg 20 20 50 60 re f\n\nendstream", "content"},
    };
    for (const auto& [resources, content, expression] : cases) {
        const std::string source = AssembledPdf(
            "import-copies.pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R /Resources " + resources + " >>",
             content, form + "/Names [/Length 7] /Length 3 >>" + data, form + "/Type /Length /Length 10 >>" + data});
        const std::string path = testing_support::CaseOutputPath("import-");
        const auto writer = WriterWithImportedPage(source, path, false);
        FinishChecked(*writer, path);
        EXPECT_EQ(PikepdfReads(path, expression, true), PikepdfReads(source, expression, false)) << expression;
    }
}

// The bytes of a document in PDF/A mode of one page that imports the source's first page,
// once the readers took it.
std::string ImportedInPdfaMode(const std::string& source, const std::string& path)
{
    auto writer = testing_support::PinnedWriter();
    std::string file = path;
    writer->BeginDoc(file);
    writer->SetPDFa(true);
    int page = 0;
    writer->BeginPage(page);
    writer->ImportPage(source, 1, 0, 0, 0, 0);
    EXPECT_EQ(writer->ErrNumber(), 0) << writer->ErrDescription();
    return FinishChecked(*writer, path);
}

// PDF/A mode may be switched on after a page was imported: the page, judged as it was
// imported, still keeps or ends the claim.
TEST(PageImport, PdfaSwitchedOnLaterJudgesPagesImportedBefore)
{
    const std::vector<std::pair<std::string, bool>> cases{{"0 0 1 rg", true}, {"0 0 0 1 k", false}};
    for (const auto& [colour, claims] : cases) {
        const std::string content = colour + " 0 0 10 10 re f";
        const std::string source = AssembledPdf(
            "import-pdfa-later.pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Resources << >> /Contents 4 0 R >>",
             "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream"});
        auto writer = testing_support::PinnedWriter();
        std::string path = testing_support::CaseOutputPath("import-");
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
        writer->ImportPage(source, 1, 0, 0, 0, 0);
        writer->SetPDFa(true);
        const std::string bytes = FinishChecked(*writer, path);
        EXPECT_EQ(bytes.find("<pdfaid:part>1</pdfaid:part>") != std::string::npos, claims) << colour;
    }
}

// In PDF/A mode, a document keeps its claim while the pages it imports hold nothing PDF/A-1b
// forbids, and drops it for the first page whose resources do.
TEST(PageImport, ResourcesPdfaForbidsDropTheClaim)
{
    const std::string embedded = "<< /Type /Font /Subtype /TrueType /BaseFont /F /FontDescriptor << /FontFile2 5 0 R >> >>";
    const std::vector<std::pair<std::string, bool>> cases{
        {"<< >>", true},
        {"<< /Font << /F1 4 0 R /F2 4 0 R >> >>", true},
        {"<< /Font << /F1 << /Type /Font /Subtype /Type1 /BaseFont /Helvetica >> >> >>", false},
        {"<< /Font << /F1 << /Subtype /Type0 /DescendantFonts [ << /FontDescriptor << >> >> ] >> >> >>", false},
        {"<< /ExtGState << /G << /CA 1 /SMask /None /BM /Compatible >> >> >>", true},
        {"<< /ExtGState << /G << /ca 0.5 >> >> >>", false},
        {"<< /ExtGState << /G << /SMask << /S /Luminosity >> >> >> >>", false},
        {"<< /ExtGState << /G 6 0 R >> >>", false},
        {"<< /XObject << /I << /Subtype /Image /SMask 5 0 R >> >> >>", false},
        {"<< /XObject << /X << /Subtype /Form /Group << /S /Transparency >> >> >> >>", false},
        {"<< /XObject << /X << /Subtype /Form /Resources << /Font << /F << /Subtype /Type1 >> >> >> >> >> >>", false},
    };
    for (const auto& [resources, claims] : cases) {
        const std::string source = AssembledPdf(
            "import-pdfa.pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Resources " + resources + " >>", embedded,
             "<< /Length 0 >>\nstream\n\nendstream", "<< /BM /Multiply >>"});
        const std::string path = testing_support::CaseOutputPath("import-");
        const std::string bytes = ImportedInPdfaMode(source, path);
        EXPECT_EQ(bytes.find("<pdfaid:part>1</pdfaid:part>") != std::string::npos, claims) << resources;
    }
}

// In PDF/A mode, an imported page keeps the document's claim only when all it draws, forms
// and shared objects among it, is allowed: the written file claims PDF/A-1b exactly when a
// walk of what its pages draw finds nothing PDF/A-1b forbids with our RGB intent.
TEST(PageImport, PdfaClaimStandsOnlyOnAllowedParts)
{
    const std::string font = "<< /Type /Font /Subtype /TrueType /BaseFont /F /FontDescriptor 7 0 R >>";
    const std::string composite = "<< /Type /Font /Subtype /Type0 /BaseFont /F /Encoding /Identity-H /DescendantFonts 10 0 R >>";
    const std::string image = "<< /Type /XObject /Subtype /Image /Width 1 /Height 1 /BitsPerComponent 8 ";
    const std::string program = testing_support::ReadAll("/usr/share/fonts/truetype/liberation/LiberationSans-Regular.ttf");
    // More fonts, each with its own descriptor, than objects an earlier walk looked at.
    std::string manyFonts = "<< /Font << ";
    std::vector<std::string> extra;
    for (int f = 0; f < 2100; ++f) {
        manyFonts += "/F" + std::to_string(f) + " " + std::to_string(13 + 2 * f) + " 0 R ";
        extra.push_back("<< /Type /Font /Subtype /TrueType /BaseFont /F /FontDescriptor " +
                        std::to_string(14 + 2 * f) + " 0 R >>");
        extra.push_back("<< /Type /FontDescriptor /FontName /F /FontFile2 6 0 R >>");
    }
    manyFonts += ">> >>";
    const std::string square = "0 0 10 10 re f";
    const std::vector<std::tuple<std::string, std::string, bool>> cases{
        // the form's resources, its content, whether the claim stands
        {"<< >>", "0 0 1 rg " + square, true},
        {"<< >>", "0 0 0 1 k " + square, false},
        {"<< /ColorSpace << /CS0 /DeviceCMYK >> >>", "/CS0 cs 0 0 0 1 sc " + square, false},
        {"<< /ColorSpace << /CS0 [/CalRGB << /WhitePoint [0.9505 1 1.089] >>] >> >>", "/CS0 cs 1 0 0 sc " + square, true},
        {"<< /XObject << /I 8 0 R >> >>", "q 10 0 0 10 0 0 cm /I Do Q", false},
        {"<< /XObject << /I 9 0 R >> >>", "q 10 0 0 10 0 0 cm /I Do Q", false},
        {"<< /XObject << /I 12 0 R >> >>", "q 10 0 0 10 0 0 cm /I Do Q", true},
        {"<< >>", "q 10 0 0 10 0 0 cm BI /W 1 /H 1 /CS /CMYK /BPC 8 ID abcd EI Q", false},
        {"<< /ExtGState << /G << /TR /Identity >> >> >>", "/G gs " + square, false},
        {"<< /ExtGState << /G << /LW 2 /CA 1 >> >> >>", "/G gs " + square, true},
        {"<< /Font << /F1 " + font + " /F2 " + font + " >> >>", square, true},
        {"<< /Font << /F1 " + composite + " /F2 " + composite + " >> >>", square, true},
        {manyFonts, square, true},
    };
    for (const auto& [resources, content, claims] : cases) {
        std::vector<std::string> objects{
            "<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
            "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Resources << /XObject << /X 5 0 R >> >> /Contents 4 0 R >>",
            "<< /Length 5 >>\nstream\n/X Do\nendstream",
            "<< /Type /XObject /Subtype /Form /BBox [0 0 300 200] /Resources " + resources + " /Length " +
                std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream",
            "<< /Length " + std::to_string(program.size()) + " >>\nstream\n" + program + "\nendstream",
            "<< /Type /FontDescriptor /FontName /F /FontFile2 6 0 R >>",
            image + "/ColorSpace /DeviceCMYK /Length 4 >>\nstream\nabcd\nendstream",
            image + "/ColorSpace /DeviceRGB /Interpolate true /Length 3 >>\nstream\nabc\nendstream",
            "[11 0 R]",
            "<< /Type /Font /Subtype /CIDFontType2 /BaseFont /F /CIDSystemInfo << /Registry (Adobe) /Ordering (Identity) "
            "/Supplement 0 >> /CIDToGIDMap /Identity /FontDescriptor 7 0 R >>",
            image + "/ColorSpace /DeviceRGB /Length 3 >>\nstream\nabc\nendstream"};
        if (resources == manyFonts)
            objects.insert(objects.end(), extra.begin(), extra.end());
        const std::string source = AssembledPdf("import-pdfa-parts.pdf", objects);
        const std::string path = testing_support::CaseOutputPath("import-");
        const std::string bytes = ImportedInPdfaMode(source, path);
        EXPECT_EQ(testing_support::PopplerRenderMessages(path), "") << resources;
        const auto drawn = RunTool("/usr/bin/python3 '" QUORVANE_SOURCE_DIR "/scripts/pdfa_drawn_parts.py' " + Quoted(path));
        EXPECT_EQ(drawn.status, 0) << drawn.output;
        const bool claimed = bytes.find("<pdfaid:part>1</pdfaid:part>") != std::string::npos;
        EXPECT_EQ(claimed, drawn.output == "allowed\n") << content << "\n" << drawn.output;
        EXPECT_EQ(claimed, claims) << resources.substr(0, 200) << " " << content;
    }
}

}  // namespace
}  // namespace pdf
