// Information, pages, sizes and content of source files written by us and by other
// programs, and the refusals and damage a reader must survive.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iomanip>
#include <sstream>

#include <sys/resource.h>

#include "hostile_files.h"

namespace pdf {
namespace {

using namespace reader_testing;
using testing_support::ReadAll;

struct Info {
    int pages = -7;
    std::string title = "unset", subject = "unset", author = "unset";
    int encrypted = -7, pdfa = -7, version = -7;
};

Info InfoOf(Pagelith& reader, const std::string& path)
{
    Info info;
    info.pages = reader.GetInfo(path, info.title, info.subject, info.author, info.encrypted,
                                info.pdfa, info.version);
    return info;
}

TEST(SourceDocument, OurOwnFileReadsBackItsInformationSizesAndContent)
{
    const std::string path = OwnSource("reader-own.pdf", 3);
    Pagelith reader;
    const Info info = InfoOf(reader, path);
    EXPECT_EQ(info.pages, 3);
    EXPECT_EQ(info.title, "Source title");
    EXPECT_EQ(info.subject, "Source subject");
    EXPECT_EQ(info.author, "Source author");
    EXPECT_EQ(info.encrypted, 0);
    EXPECT_EQ(info.pdfa, 0);
    EXPECT_EQ(info.version, 3);
    EXPECT_EQ(reader.ErrNumber(), 0);

    float width = 0, height = 0;
    int rotation = -1;
    ASSERT_TRUE(reader.GetInfoPage(path, 2, width, height, rotation));
    EXPECT_FLOAT_EQ(width, 300);
    EXPECT_FLOAT_EQ(height, 200);
    EXPECT_EQ(rotation, 0);
    reader.SetScale(2, 0);  // millimetres, truncated to one decimal
    ASSERT_TRUE(reader.GetInfoPage(path, 2, width, height, rotation));
    EXPECT_FLOAT_EQ(width, 105.8f);
    EXPECT_FLOAT_EQ(height, 70.5f);
    for (int page : {0, -1, 4})
        EXPECT_FALSE(reader.GetInfoPage(path, page, width, height, rotation)) << page;

    EXPECT_NE(reader.GetContentPage(path, 2).find("(Page 2) Tj"), std::string::npos);
    EXPECT_EQ(reader.GetContentPage(path, 4), "");
}

struct Producer {
    std::string name;
    std::string (*make)();
    friend void PrintTo(const Producer& producer, std::ostream* out) { *out << producer.name; }
};

std::string QpdfLinearized()
{
    return Converted(QpdfObjectStreams(), "reader-linear.pdf", "qpdf --linearize {in} {out}");
}
class ToolWrittenFile : public ::testing::TestWithParam<Producer> {};

// Page counts, sizes and content agree with poppler's reading of the same file.
TEST_P(ToolWrittenFile, AgreesWithPdfinfo)
{
    const std::string path = GetParam().make();
    Pagelith reader;
    const Info info = InfoOf(reader, path);
    EXPECT_EQ(reader.ErrNumber(), 0) << reader.ErrDescription();
    EXPECT_EQ(info.pages, static_cast<int>(PdfInfoValue(path, "Pages")));
    EXPECT_EQ(info.encrypted, 0);
    float width = 0, height = 0;
    int rotation = -1;
    for (int page = 1; page <= info.pages; ++page) {
        ASSERT_TRUE(reader.GetInfoPage(path, page, width, height, rotation));
        EXPECT_NEAR(width, 300, 0.1);
        EXPECT_NEAR(height, 200, 0.1);
        EXPECT_NE(reader.GetContentPage(path, page).find("Tj"), std::string::npos) << page;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Producers, ToolWrittenFile,
    ::testing::Values(Producer{"QpdfObjectStreams", QpdfObjectStreams},
                      Producer{"QpdfLinearized", QpdfLinearized},
                      Producer{"PopplerUnited", PopplerUnited},
                      Producer{"PopplerSeparated", PopplerSeparated},
                      Producer{"Ghostscript", GhostscriptSource},
                      Producer{"Cairo", CairoSource}),
    [](const auto& info) { return info.param.name; });

// An update appended to a file: its information object and its page content win.
TEST(SourceDocument, IncrementalUpdateWinsOverTheOlderSection)
{
    const std::string original = ReadAll(OwnSource("reader-update-base.pdf", 1));
    const std::string oldStart = original.substr(original.rfind("startxref") + 10);
    const std::size_t size = original.size();
    const std::string info = "90 0 obj\n<< /Title (Updated title) >>\nendobj\n";
    const std::string xref = "xref\n90 1\n" + std::string(10 - std::to_string(size).size(), '0') +
                             std::to_string(size) + " 00000 n\r\n";
    // The catalog is the original's: its number stands in the old trailer.
    const std::size_t rootAt = original.rfind("/Root ");
    const std::string root = original.substr(rootAt, original.find(" R", rootAt) + 2 - rootAt);
    const std::string updated = original + info + xref + "trailer\n<< /Size 91 " + root +
                                " /Info 90 0 R /Prev " + std::to_string(std::stol(oldStart)) +
                                " >>\nstartxref\n" + std::to_string(size + info.size()) + "\n%%EOF\n";
    const std::string path = ScratchPath("reader-update.pdf");
    WriteBytes(path, updated);
    ASSERT_EQ(RunTool("qpdf --check " + Quoted(path)).status, 0);

    Pagelith reader;
    const Info read = InfoOf(reader, path);
    EXPECT_EQ(read.pages, 1);
    EXPECT_EQ(read.title, "Updated title");
    EXPECT_EQ(read.author, "");
}

TEST(SourceDocument, MissingEncryptedAndDamagedFilesAreReported)
{
    Pagelith reader;
    Info info = InfoOf(reader, ScratchPath("reader-no-such-file.pdf"));
    EXPECT_EQ(info.pages, 0);
    EXPECT_EQ(info.title, "unset");
    EXPECT_EQ(reader.ErrNumber(), 53);
    EXPECT_EQ(reader.ErrSource(), "Pagelith.GetInfo");

    const std::string encrypted = Converted(OwnSource("reader-plain.pdf", 1), "reader-encrypted.pdf",
                                            "qpdf --encrypt user owner 256 -- {in} {out}");
    info = InfoOf(reader, encrypted);
    EXPECT_EQ(info.pages, 0);
    EXPECT_EQ(reader.ErrNumber(), 321);
    EXPECT_NE(reader.ErrDescription().find("encrypted"), std::string::npos);
    // The refused file leaves nothing behind for the next one.
    info = InfoOf(reader, OwnSource("reader-after.pdf", 2));
    EXPECT_EQ(info.pages, 2);
    EXPECT_EQ(info.title, "Source title");

    // A cross-reference offset that points at nothing in a file of no objects: the reason
    // is recorded.
    const std::string path = ScratchPath("reader-damaged.pdf");
    WriteBytes(path, "%PDF-1.4\n%\xe2\xe3\xcf\xd3\nJUNK\nstartxref\n17\n%%EOF\n");
    Pagelith fresh;
    info = InfoOf(fresh, path);
    EXPECT_EQ(info.pages, 0);
    EXPECT_EQ(fresh.ErrNumber(), 321);
    EXPECT_EQ(fresh.ErrSource(), "Pagelith.GetInfo");
    EXPECT_NE(fresh.ErrDescription().find("Parsing XRef error"), std::string::npos);
}

// Files that used to read as empty successes: each gives its pages or a reported failure,
// and a failed GetInfo leaves the caller's arguments as they were.
TEST(SourceDocument, FailuresAreNotTakenForEmptySuccesses)
{
    // A cross-reference stream whose /Prev names itself.
    const std::string selfPath = SelfPrevSource("reader-self-prev.pdf");
    Pagelith reader;
    EXPECT_EQ(InfoOf(reader, selfPath).pages, static_cast<int>(PdfInfoValue(selfPath, "Pages")));

    // 5,000 updates, each giving the document a new title.
    const Info many = InfoOf(reader, ManyUpdatesSource("reader-many-updates.pdf", 5000));
    EXPECT_EQ(many.pages, 1);
    EXPECT_EQ(many.title, "Update 5000");

    // A catalog whose page tree is a free object.
    const std::string freeTree = ScratchPath("reader-free-tree.pdf");
    std::string tree = ReadAll(AssembledPdf("reader-free-tree-base.pdf", {"<< /Type /Catalog /Pages 2 0 R >>", "null"}));
    const std::size_t entry = tree.rfind(" 00000 n");
    tree.replace(entry - 10, 18, "0000000000 00001 f");
    WriteBytes(freeTree, tree);
    Pagelith treeless;
    EXPECT_EQ(InfoOf(treeless, freeTree).pages, 0);
    EXPECT_EQ(treeless.ErrNumber(), 321);
    EXPECT_NE(treeless.ErrDescription().find("page tree"), std::string::npos) << treeless.ErrDescription();

    for (const std::string& bytes : {std::string(), std::string("%PDF-1.4\ngarbage\n%%EOF\n")}) {
        const std::string path = ScratchPath("reader-garbage-" + std::to_string(bytes.size()) + ".pdf");
        WriteBytes(path, bytes);
        Pagelith fresh;
        const Info info = InfoOf(fresh, path);
        EXPECT_EQ(info.pages, 0);
        EXPECT_EQ(info.title, "unset");
        EXPECT_EQ(info.version, -7);
        EXPECT_EQ(fresh.ErrNumber(), 321);
    }
}

// Two names that differ in case are two files on this file system.
TEST(SourceDocument, FileNamesCompareExactly)
{
    const std::filesystem::path folder = ScratchPath("reader-case");
    std::filesystem::create_directories(folder);
    std::filesystem::copy_file(OwnSource("reader-case-one.pdf", 1), folder / "a.pdf",
                               std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(OwnSource("reader-case-three.pdf", 3), folder / "A.pdf",
                               std::filesystem::copy_options::overwrite_existing);
    Pagelith reader;
    EXPECT_EQ(InfoOf(reader, (folder / "a.pdf").string()).pages, 1);
    EXPECT_EQ(InfoOf(reader, (folder / "A.pdf").string()).pages, 3);
    EXPECT_EQ(InfoOf(reader, (folder / "a.pdf").string()).pages, 1);
}

// Information strings read back as pdfinfo shows them: UTF-16 with its byte-order mark, in
// hexadecimal or literal form, PDFDocEncoding, nested parentheses and escapes, and the
// strings of a file cairo wrote.
TEST(SourceDocument, InformationStringsReadBackAsPdfinfoShowsThem)
{
    const std::string utf16Literal = "(\xFE\xFF\x04\x1F\x04\x38\x04\x42)";
    const std::string assembled = AssembledPdf(
        "reader-info-strings.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>",
         "<< /Title (A \\(nested\\) (title\\)) and \\\nmore \\200\\240\\nLine2) /Author <FEFF004A00FC0072006700650072>\n"
         "/Subject " + utf16Literal + " >>"},
        " /Info 4 0 R");
    // cairo writes each string as hexadecimal UTF-16.
    const std::string cairo = ScratchPath("reader-info-cairo.pdf");
    ASSERT_EQ(RunTool("/usr/bin/python3 -c \"import cairo; s = cairo.PDFSurface('" + cairo + "', 300, 200); "
                      "s.set_metadata(cairo.PDF_METADATA_TITLE, 'Cze\u015b\u0107 (x)'); "
                      "s.set_metadata(cairo.PDF_METADATA_AUTHOR, 'Cairo \u00c4uthor'); "
                      "s.set_metadata(cairo.PDF_METADATA_SUBJECT, 'Line1\\nLine2'); s.finish()\"").status, 0);
    Pagelith reader;
    std::vector<Info> read;
    for (const std::string& path : {assembled, cairo}) {
        read.push_back(InfoOf(reader, path));
        EXPECT_EQ(reader.ErrNumber(), 0) << reader.ErrDescription();
        const std::string shown = RunTool("pdfinfo " + Quoted(path)).output;
        for (const std::string& value : {read.back().title, read.back().author, read.back().subject})
            EXPECT_NE(shown.find(value), std::string::npos) << value << "\n" << shown;
    }
    EXPECT_EQ(read[0].title, "A (nested) (title)) and more \u2022\u20AC\nLine2");
    EXPECT_EQ(read[0].author, "J\u00FCrger");
    EXPECT_EQ(read[0].subject, "\u041F\u0438\u0442");
    EXPECT_EQ(read[1].title, "Cze\u015B\u0107 (x)");
    EXPECT_EQ(read[1].author, "Cairo \u00C4uthor");
    EXPECT_EQ(read[1].subject, "Line1\nLine2");
}

// A file whose sections, page tree and parent chain each lead back to themselves.
TEST(SourceDocument, LoopsInTheFileEndTheReading)
{
    // The table's own offset: the header and four objects before it.
    const std::vector<std::string> objects{
        "<< /Type /Catalog /Pages 2 0 R >>",
        "<< /Type /Pages /Kids [2 0 R 3 0 R 2 0 R] /Count 1 /Parent 2 0 R >>",
        "<< /Type /Page /Parent 2 0 R /Contents 4 0 R >>",
        "<< /Length 4 0 R >>\nstream\nBT ET\nendstream"};
    std::size_t table = 9;
    for (std::size_t i = 0; i < objects.size(); ++i)
        table += std::to_string(i + 1).size() + 15 + objects[i].size();
    const std::string path = AssembledPdf("reader-loops.pdf", objects, " /Prev " + std::to_string(table));
    ASSERT_NE(ReadAll(path).find("startxref\n" + std::to_string(table)), std::string::npos);

    Pagelith reader;
    EXPECT_EQ(InfoOf(reader, path).pages, 1);
    float width = 0, height = 0;
    int rotation = 0;
    // No MediaBox anywhere up the looping chain.
    EXPECT_THROW(reader.GetInfoPage(path, 1, width, height, rotation), Error);
    // A stream whose length is itself has no length: it runs to its "endstream", its line
    // end included as qpdf and pikepdf read it.
    EXPECT_EQ(reader.GetContentPage(path, 1), "BT ET\n");
}

// Bytes that no Western character stands for come back as they stand in the stream.
TEST(SourceDocument, ContentComesBackAsItsBytes)
{
    const std::string content = "BT (e\x8dink) Tj (\x81\x8f\x90\x9d\xe9) Tj ET";
    const std::string path = AssembledPdf(
        "reader-content-bytes.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R >>",
         "<< /Length " + std::to_string(content.size()) + " >>\nstream\n" + content + "\nendstream"});
    Pagelith reader;
    EXPECT_EQ(reader.GetContentPage(path, 1), content);
}

// An "endobj" that the first 4096-byte read cuts in two, or that follows a "<" no ">"
// closes, still ends its object: the next object's /Rotate does not become the page's.
TEST(SourceDocument, AnEndKeywordAcrossAReadBoundaryIsFound)
{
    const std::string head = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Pad (";
    const std::size_t objectStart = std::string("3 0 obj\n").size();
    const std::string split = head + std::string(4093 - objectStart - head.size() - 5, 'x') + ") >>";
    ASSERT_EQ(objectStart + split.size() + 1, 4093u);  // "endobj" begins 3 bytes before 4096
    const std::vector<std::string> pages{split, "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Note <x"};
    for (std::size_t n = 0; n < pages.size(); ++n) {
        const std::string path = AssembledPdf(
            "reader-end-keyword-" + std::to_string(n) + ".pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>", pages[n],
             "<< /Type /Other /Note (>) /Rotate 90 >>"});
        Pagelith reader;
        EXPECT_EQ(InfoOf(reader, path).pages, 1) << n;
        float width = 0, height = 0;
        int rotation = -1;
        ASSERT_TRUE(reader.GetInfoPage(path, 1, width, height, rotation)) << n;
        EXPECT_EQ(rotation, 0) << n;
    }
}

TEST(SourceDocument, PdfAClaimOfOurOwnArchivalFile)
{
    const std::string path = ScratchPath("reader-pdfa.pdf");
    auto writer = testing_support::PinnedWriter();
    writer->SetPDFa(true);
    std::string file = path;
    writer->BeginDoc(file);
    int page = 0;
    writer->BeginPage(page);
    writer->EndDoc();
    Pagelith reader;
    EXPECT_EQ(InfoOf(reader, path).pdfa, -1);
}

// A small file whose page lists one 100 MB stream forty times: reading or importing the
// page ends with our Error, within a bounded memory.
TEST(SourceDocument, AHugeContentEndsWithAnErrorWithinItsLimits)
{
    const std::string path = HugeContentSource("reader-huge-content.pdf");
    Pagelith reader;
    ASSERT_EQ(InfoOf(reader, path).pages, 1);
    EXPECT_THROW(reader.GetContentPage(path, 1), Error);
    std::string file = ScratchPath("reader-huge-import.pdf");
    reader.BeginDoc(file);
    int page = 0;
    reader.BeginPage(page);
    EXPECT_THROW(reader.ImportPage(path, 1, 0, 0, 0, 0), Error);
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    EXPECT_LT(usage.ru_maxrss, 1024L * 1024);  // kilobytes
}

// A content stream whose /Length is wrong or missing is read to its "endstream", the line end
// before it included, as qpdf and pikepdf read it.
TEST(SourceDocument, AStreamRunsToItsEndstreamWhenItsLengthDisagrees)
{
    for (const std::string length : {"/Length 5", "/Length 900", ""}) {
        const std::string path = AssembledPdf(
            "reader-length-" + std::to_string(length.size()) + ".pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R >>",
             "<< " + length + " >>\nstream\n0 0 1 rg 20 20 100 60 re f\nendstream"});
        Pagelith reader;
        ASSERT_EQ(InfoOf(reader, path).pages, 1);
        EXPECT_EQ(reader.GetContentPage(path, 1), "0 0 1 rg 20 20 100 60 re f\n") << length;
    }
}

// Content compressed behind a PNG predictor comes back decoded.
TEST(SourceDocument, PredictedContentComesBackDecoded)
{
    const std::string packed = ScratchPath("reader-predicted.z");
    ASSERT_EQ(RunTool("/usr/bin/python3 -c \"import zlib; t = b'0 0 1 rg 20 20 100 60 re f'; "
                      "a, b = t[:13], t[13:]; up = bytes((y - x) % 256 for x, y in zip(a, b)); "
                      "open('" + packed + "', 'wb').write(zlib.compress(b'\\x02' + a + b'\\x02' + up))\"").status, 0);
    const std::string data = ReadAll(packed);
    const std::string path = AssembledPdf(
        "reader-predicted.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents 4 0 R >>",
         "<< /Length " + std::to_string(data.size()) +
             " /Filter /FlateDecode /DecodeParms << /Predictor 12 /Columns 13 >> >>\nstream\n" + data +
             "\nendstream"});
    Pagelith reader;
    ASSERT_EQ(InfoOf(reader, path).pages, 1);
    EXPECT_EQ(reader.GetContentPage(path, 1), "0 0 1 rg 20 20 100 60 re f");
}

// Numbers with a sign or a leading point, turns beyond a quarter, boxes corner to corner,
// leaves without /Type and chained references read as viewers show them; a box that is
// no number is an error.
TEST(SourceDocument, ValuesReadAsViewersShowThem)
{
    const std::string path = AssembledPdf(
        "reader-values.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>",
         "<< /Type /Pages /Kids [3 0 R 4 0 R 5 0 R 6 0 R 7 0 R 8 0 R] /Count 6 /MediaBox [0 0 300 200] >>",
         "<< /Type /Page /Parent 2 0 R /Rotate -90 /MediaBox [0 400 300 0] >>",
         "<< /Type /Page /Parent 2 0 R /Rotate 450 >>",
         "<< /Type /Page /Parent 2 0 R /Rotate 45 >>",
         "<< /Type /Page /Parent 2 0 R /Rotate 2147483647 >>",
         "<< /Parent 2 0 R /MediaBox [+10 -.5 310 199.5] /Rotate +180 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 nan inf] >>",
         "<< /Title 10 0 R /Author 12 0 R /Subject 13 0 R >>", "11 0 R", "(Chained title)", "12 0 R",
         "/NoString"},
        " /Info 9 0 R");
    Pagelith reader;
    const Info info = InfoOf(reader, path);
    EXPECT_EQ(info.pages, 6);
    EXPECT_EQ(info.pages, PdfInfoValue(path, "Pages"));
    EXPECT_EQ(info.title, "Chained title");
    EXPECT_EQ(info.author, "");
    EXPECT_EQ(info.subject, "");

    struct Expected {
        float width, height;
        int rotation;
    };
    const std::vector<Expected> expected{{300, 400, 270}, {300, 200, 90}, {300, 200, 0}, {300, 200, 0}, {300, 200, 180}};
    for (int page = 1; page <= 5; ++page) {
        float width = 0, height = 0;
        int rotation = -1;
        ASSERT_TRUE(reader.GetInfoPage(path, page, width, height, rotation)) << page;
        EXPECT_EQ(width, expected[page - 1].width) << page;
        EXPECT_EQ(height, expected[page - 1].height) << page;
        EXPECT_EQ(rotation, expected[page - 1].rotation) << page;
    }
    float width = 0, height = 0;
    int rotation = 0;
    EXPECT_THROW(reader.GetInfoPage(path, 6, width, height, rotation), Error);
}

// Each content stream is decoded through its own filters; one it cannot decode is an
// error, never bytes passed on as content.
TEST(SourceDocument, ContentStreamsAreDecodedThroughTheirOwnFilters)
{
    const FilteredStreams filtered = FilteredStreamsSource("reader-filtered.pdf");
    Pagelith reader;
    ASSERT_EQ(InfoOf(reader, filtered.path).pages, 1);
    EXPECT_EQ(reader.GetContentPage(filtered.path, 1), filtered.content);

    const std::string unknown = AssembledPdf(
        "reader-unknown-filter.pdf",
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents [4 0 R 4 0 R] >>",
         "<< /Length 5 /Filter [/JBIG2Decode <41> null] >>\nstream\nabcde\nendstream"});
    ASSERT_EQ(InfoOf(reader, unknown).pages, 1);
    std::string file = ScratchPath("reader-unknown-filter-import.pdf");
    reader.BeginDoc(file);
    int page = 0;
    reader.BeginPage(page);
    for (const auto& call : std::vector<std::function<void()>>{
             [&] { reader.GetContentPage(unknown, 1); }, [&] { reader.ImportPage(unknown, 1, 0, 0, 0, 0); }}) {
        try {
            call();
            ADD_FAILURE() << "no error";
        } catch (const Error& e) {
            EXPECT_EQ(e.Number(), err::kInvalidFileFormat);
            EXPECT_NE(std::string(e.what()).find("/JBIG2Decode"), std::string::npos) << e.what();
        }
    }
}

// `count` pages of distinct sizes under one node, every fifth page's box inherited from it.
std::string ManyPageSource(int count)
{
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>", ""};
    std::string kids;
    for (int n = 1; n <= count; ++n) {
        const std::string own = n % 5 == 0 ? "" : " /MediaBox [0 0 " + std::to_string(100 + n % 700) + " " +
                                                      std::to_string(50 + n % 300) + "]";
        objects.push_back("<< /Type /Page /Parent 2 0 R" + own + " >>");
        kids += std::to_string(n + 2) + " 0 R ";
    }
    objects[1] = "<< /Type /Pages /MediaBox [0 0 612 792] /Count " + std::to_string(count) + " /Kids [" + kids + "] >>";
    return AssembledPdf("reader-many-pages.pdf", objects);
}

TEST(SourceDocument, EveryPageSizeOfAManyPageFileAgreesWithPdfinfo)
{
    constexpr int kPages = 3000;
    const std::string path = ManyPageSource(kPages);
    const auto listed = RunTool("pdfinfo -f 1 -l " + std::to_string(kPages) + " " + Quoted(path));
    ASSERT_EQ(listed.status, 0) << listed.output;
    Pagelith reader;
    ASSERT_EQ(InfoOf(reader, path).pages, kPages);
    for (int page = 1; page <= kPages; ++page) {
        float width = 0, height = 0;
        int rotation = -1;
        ASSERT_TRUE(reader.GetInfoPage(path, page, width, height, rotation));
        std::ostringstream label;
        label << "Page " << std::setw(4) << page << " size:";
        const std::size_t at = listed.output.find(label.str());
        ASSERT_NE(at, std::string::npos) << label.str();
        float shownWidth = 0, shownHeight = 0;
        ASSERT_EQ(std::sscanf(listed.output.c_str() + at + label.str().size(), "%f x %f", &shownWidth, &shownHeight), 2);
        EXPECT_EQ(width, shownWidth) << page;
        EXPECT_EQ(height, shownHeight) << page;
    }
}

// Pages at the foot of a chain of 30,000 page-tree nodes inherit the box and rotation of
// its head.
TEST(SourceDocument, PagesBelowAVeryDeepTreeInheritFromItsHead)
{
    constexpr int kPages = 50;
    const std::string path = DeepTreeSource("reader-deep-tree.pdf", 30000, kPages);

    Pagelith reader;
    ASSERT_EQ(InfoOf(reader, path).pages, kPages);
    for (int page = 1; page <= kPages; ++page) {
        float width = 0, height = 0;
        int rotation = 0;
        ASSERT_TRUE(reader.GetInfoPage(path, page, width, height, rotation));
        EXPECT_EQ(width, 300);
        EXPECT_EQ(height, 200);
        EXPECT_EQ(rotation, 90);
    }
}

// Keys hidden by strings and comments, "endobj" inside a string and turns beyond 32 bits:
// read as pikepdf reads the same files.  A turn too large for any number, whose page
// pikepdf cannot read, is no turn.
TEST(SourceDocument, InformationAndTurnsReadAsPikepdfReadsThem)
{
    struct Case {
        std::string info;
        std::string title, subject, author;
    };
    const std::vector<Case> infos{
        {"<< /Author (Guide obj et endobj dans un PDF) /Title (After endobj) >>", "After endobj", "",
         "Guide obj et endobj dans un PDF"},
        {"<< /Title (First) /Subject (a \\) /Title \\(b\\)) /Title (Second) >>", "Second", "a ) /Title (b)", ""},
        {"<< /Subject (S) % /Title (Comment)\n/Author (A) >>", "", "S", "A"},
    };
    for (std::size_t n = 0; n < infos.size(); ++n) {
        const std::string path = AssembledPdf(
            "reader-info-keys-" + std::to_string(n) + ".pdf",
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
             "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>", infos[n].info},
            " /Info 4 0 R");
        Pagelith reader;
        const Info info = InfoOf(reader, path);
        EXPECT_EQ(info.pages, 1) << infos[n].info;
        EXPECT_EQ(info.title, infos[n].title) << infos[n].info;
        EXPECT_EQ(info.subject, infos[n].subject) << infos[n].info;
        EXPECT_EQ(info.author, infos[n].author) << infos[n].info;
    }

    const std::vector<std::pair<std::string, int>> turns{
        {"/Rotate 99999999990", 270},
        {"/Rotate -99999999990", 90},
        {"/Rotate " + std::string(400, '9'), 0},
        {"/Note (x endobj /Rotate 90) /Rotate 180", 180},
    };
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>", ""};
    std::string kids;
    for (std::size_t n = 0; n < turns.size(); ++n) {
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] " + turns[n].first + " >>");
        kids += std::to_string(n + 3) + " 0 R ";
    }
    objects[1] = "<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(turns.size()) + " >>";
    const std::string path = AssembledPdf("reader-turn-keys.pdf", objects);
    Pagelith reader;
    ASSERT_EQ(InfoOf(reader, path).pages, static_cast<int>(turns.size()));
    for (std::size_t n = 0; n < turns.size(); ++n) {
        float width = 0, height = 0;
        int rotation = -1;
        EXPECT_TRUE(reader.GetInfoPage(path, static_cast<int>(n) + 1, width, height, rotation)) << turns[n].first;
        EXPECT_EQ(rotation, turns[n].second) << turns[n].first;
        EXPECT_EQ(width, 300) << turns[n].first;
    }
    EXPECT_EQ(reader.ErrNumber(), 0) << reader.ErrDescription();
}

// A file that another program cuts short while it is read: a read of what is gone is an
// error, never bytes that were not read, and never a scan without end.
TEST(SourceDocument, AFileCutShortWhileItIsReadIsAnError)
{
    for (const std::uintmax_t kept : {20, 5, 0}) {
        const std::string path = DeepTreeSource("reader-cut-short.pdf", 1, 5000);
        SourceFile file;
        SourceFileSession session(file, path);
        const std::int64_t size = file.Size();
        std::filesystem::resize_file(path, kept);
        EXPECT_THROW(file.ReadAt(size / 2, size / 4), Error) << kept;
    }
}

}  // namespace
}  // namespace pdf
