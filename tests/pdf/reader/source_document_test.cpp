// Information, pages, sizes and content of source files written by us and by other
// programs, and the refusals and damage a reader must survive.
#include <gtest/gtest.h>

#include <fstream>

#include "source_files.h"

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

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
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

std::string QpdfObjectStreams()
{
    return Converted(OwnSource("reader-own-objstm.pdf", 3), "reader-objstm.pdf",
                     "qpdf --object-streams=generate {in} {out}");
}
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
    WriteFile(path, updated);
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

    // A cross-reference offset that points at nothing: the reason is recorded.
    std::string damaged = ReadAll(OwnSource("reader-damaged-base.pdf", 1));
    const std::size_t at = damaged.rfind("startxref") + 10;
    damaged.replace(at, damaged.find('\n', at) - at, "17");
    const std::string path = ScratchPath("reader-damaged.pdf");
    WriteFile(path, damaged);
    Pagelith fresh;
    info = InfoOf(fresh, path);
    EXPECT_EQ(info.pages, 0);
    EXPECT_EQ(fresh.ErrSource(), "Pagelith.GetInfo");
    EXPECT_NE(fresh.ErrDescription().find("Parsing XRef error"), std::string::npos);
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
    // A stream whose length is itself has no length.
    EXPECT_EQ(reader.GetContentPage(path, 1), "");
}

// An "endobj" that the first 4096-byte read cuts in two still ends its object: the next
// object's /Rotate does not become the page's.
TEST(SourceDocument, AnEndKeywordAcrossAReadBoundaryIsFound)
{
    const std::string head = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Pad (";
    const std::size_t objectStart = std::string("3 0 obj\n").size();
    const std::string page = head + std::string(4093 - objectStart - head.size() - 5, 'x') + ") >>";
    ASSERT_EQ(objectStart + page.size() + 1, 4093u);  // "endobj" begins 3 bytes before 4096
    const std::string path = AssembledPdf(
        "reader-split.pdf", {"<< /Type /Catalog /Pages 2 0 R >>",
                             "<< /Type /Pages /Kids [3 0 R] /Count 1 >>", page,
                             "<< /Type /Other /Rotate 90 >>"});
    Pagelith reader;
    EXPECT_EQ(InfoOf(reader, path).pages, 1);
    float width = 0, height = 0;
    int rotation = -1;
    ASSERT_TRUE(reader.GetInfoPage(path, 1, width, height, rotation));
    EXPECT_EQ(rotation, 0);
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

}  // namespace
}  // namespace pdf
