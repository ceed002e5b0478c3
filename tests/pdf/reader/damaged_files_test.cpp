// Damaged files read as poppler reads them: the same pages, each with its text, or refused
// with error 321 when poppler reads nothing; never fewer pages without an error.
#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <functional>
#include <regex>

#include "hostile_files.h"

namespace pdf {
namespace {

using namespace reader_testing;
using testing_support::ReadAll;

// Makes the damaged file under the name it is given.
using Maker = std::function<std::string(const std::string& file)>;

// An offset as a table row writes it: ten digits.
std::string RowOffset(long offset)
{
    const std::string digits = std::to_string(offset);
    return std::string(10 - digits.size(), '0') + digits;
}

// Our three pages, page n showing "Page n", as `edit` makes them.
Maker Edited(const std::function<void(std::string&)>& edit)
{
    return [edit](const std::string& file) {
        std::string bytes = ReadAll(OwnSource(file + "-base.pdf", 3));
        edit(bytes);
        return ScratchFile(file, bytes);
    };
}

// The table's offsets as `change` makes them (the in-use entries in order).
void ChangeOffsets(std::string& bytes, const std::function<void(std::vector<long>&)>& change)
{
    const std::regex entry("(\\d{10}) \\d{5} n");
    std::vector<long> offsets;
    std::vector<std::size_t> places;
    for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), entry); it != std::sregex_iterator(); ++it) {
        offsets.push_back(std::stol((*it)[1]));
        places.push_back(static_cast<std::size_t>(it->position(1)));
    }
    EXPECT_GT(offsets.size(), 6u);
    change(offsets);
    for (std::size_t i = 0; i < places.size(); ++i)
        bytes.replace(places[i], 10, RowOffset(offsets[i]));
}

// Our three pages with the table's offsets as `change` makes them.
Maker WithOffsets(const std::function<void(std::vector<long>&)>& change)
{
    return Edited([change](std::string& bytes) { ChangeOffsets(bytes, change); });
}

// Inserts `text` after the header line, "startxref" still naming the table; returns where.
std::size_t InsertAfterHeader(std::string& bytes, const std::string& text)
{
    const std::size_t start = bytes.rfind("startxref\n") + 10;
    bytes.replace(start, bytes.find('\n', start) - start,
                  std::to_string(std::stol(bytes.substr(start)) + static_cast<long>(text.size())));
    const std::size_t line = bytes.find('\n') + 1;
    bytes.insert(line, text);
    return line;
}

void EraseTable(std::string& bytes)
{
    const std::size_t table = bytes.rfind("xref\n0 ");
    bytes.erase(table, bytes.rfind("trailer") - table);
}

// Three pages of one line of text each through `kids` of the root node: the pages are
// objects 3 to 5, the font 6, their contents 7 to 9, and the information, when given, 10.
std::string TextPages(const std::string& name, const std::string& kids, const std::string& contentFilter = "",
                      const std::string& information = "")
{
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>",
                                     "<< /Type /Pages /Kids [" + kids + "] /Count 3 >>"};
    for (int page = 0; page < 3; ++page)
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Resources << /Font << /F1 6 0 R >> >> "
                          "/Contents " + std::to_string(7 + page) + " 0 R >>");
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    for (const char* text : {"Kid one", "Kid two", "Kid three"}) {
        std::string content = std::string("BT /F1 20 Tf 20 60 Td (") + text + ") Tj ET";
        if (!contentFilter.empty())
            content = Flated(content);
        objects.push_back("<< /Length " + std::to_string(content.size()) + contentFilter + " >>\nstream\n" + content +
                          "\nendstream");
    }
    if (information.empty())
        return AssembledPdf(name, objects);
    objects.push_back(information);
    return AssembledPdf(name, objects, " /Info 10 0 R");
}

struct Damaged {
    std::string name;
    Maker make;
    friend void PrintTo(const Damaged& damaged, std::ostream* out) { *out << damaged.name; }
};

class DamagedFile : public ::testing::TestWithParam<Damaged> {};

std::vector<std::string> PopplerPageTexts(const std::string& path)
{
    const std::string text = RunTool("pdftotext -q -layout " + Quoted(path) + " - 2>/dev/null").output;
    std::vector<std::string> pages;
    std::size_t from = 0;
    for (std::size_t feed = text.find('\f'); feed != std::string::npos; feed = text.find('\f', from)) {
        pages.push_back(std::regex_replace(text.substr(from, feed - from), std::regex("^\\s+|\\s+$"), ""));
        from = feed + 1;
    }
    return pages;
}

// The pages `reader` finds in the file, or 0 after checking that it refuses the file with
// error 321 as the peer does (`refused`).
int PagesUnlessRefused(Pagelith& reader, const std::string& path, bool refused)
{
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    const int pages = reader.GetInfo(path, title, subject, author, encrypted, pdfa, version);
    if (!refused)
        return pages;
    EXPECT_EQ(pages, 0);
    EXPECT_EQ(reader.ErrNumber(), 321);
    EXPECT_NE(reader.ErrDescription(), "");
    return 0;
}

TEST_P(DamagedFile, ReadsAsPopplerReadsItOrIsRefused)
{
    const std::string path = GetParam().make("damaged-" + GetParam().name + ".pdf");
    const std::vector<std::string> expected = PopplerPageTexts(path);
    Pagelith reader;
    const int pages = PagesUnlessRefused(reader, path, expected.empty());
    if (expected.empty())
        return;
    ASSERT_EQ(pages, static_cast<int>(expected.size())) << reader.ErrDescription();
    EXPECT_EQ(reader.ErrNumber(), 0) << reader.ErrDescription();
    for (int page = 1; page <= pages; ++page) {
        const std::string& text = expected[static_cast<std::size_t>(page - 1)];
        EXPECT_NE(text, "");
        EXPECT_NE(reader.GetContentPage(path, page).find("(" + text + ")"), std::string::npos) << page;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFile,
    ::testing::Values(
        Damaged{"DriftingOffsets", WithOffsets([](std::vector<long>& offsets) {
                    for (std::size_t i = 0; i < offsets.size(); ++i)
                        offsets[i] -= static_cast<long>(i);
                })},
        Damaged{"SwappedOffsets", WithOffsets([](auto& offsets) { std::swap(offsets[3], offsets[5]); })},
        Damaged{"ZeroOffsets", WithOffsets([](auto& offsets) { offsets.assign(offsets.size(), 0); })},
        Damaged{"MissingTable", Edited(EraseTable)},
        Damaged{"MissingTableAndACatalogAcrossAMegabyte", Edited([](std::string& bytes) {
                    EraseTable(bytes);
                    // A comment before the objects puts the catalog's "obj" across the
                    // first megabyte's end.
                    const std::size_t obj = bytes.rfind("obj", bytes.find("/Type /Catalog"));
                    bytes.insert(bytes.find('\n') + 1, "%" + std::string((1 << 20) - 4 - obj, ' ') + "\n");
                })},
        Damaged{"TextAfterTheEnd", Edited([](std::string& bytes) {
                    for (int line = 0; line < 60; ++line)
                        bytes += "% a comment appended after the end of the file, line " + std::to_string(line) + "\n";
                })},
        Damaged{"TextBeforeTheHeader", Edited([](std::string& bytes) {
                    std::string mail = "From: planner@example.org\r\nSubject: the schedule\r\n"
                                       "Content-Type: application/pdf\r\n";
                    while (mail.size() < 1000)
                        mail += "X-Padding: " + std::string(40, 'x') + "\r\n";
                    bytes.insert(0, mail + "\r\n");
                })},
        Damaged{"TableOfAnUnreadableTitleAndAWrongCatalog", [](const std::string& file) {
                    // The table sends the information to a comment of a title that cannot be
                    // read, and the catalog to the page tree: the first reading records an
                    // error before the table proves wrong.
                    std::string bytes = ReadAll(TextPages(file + "-base.pdf", "3 0 R 4 0 R 5 0 R", "",
                                                          "<< /Title (Kids) >>"));
                    const std::string decoy = "% 10 0 obj << /Title <4x> >> endobj\n";
                    const long line = static_cast<long>(InsertAfterHeader(bytes, decoy));
                    ChangeOffsets(bytes, [&](std::vector<long>& offsets) {
                        for (long& offset : offsets)
                            offset += static_cast<long>(decoy.size());
                        offsets[0] = offsets[1];
                        offsets[9] = line + 2;  // "10 0 obj"
                    });
                    return ScratchFile(file, bytes);
                }},
        Damaged{"RowOfAnUnknownKind", Edited([](std::string& bytes) {
                    // The letter of the first page's row (object 5).
                    bytes[bytes.find('\n', bytes.rfind("xref\n0 ") + 5) + 1 + 20 * 5 + 17] = 'x';
                })},
        Damaged{"KidPastTheSize", [](const std::string& file) { return TextPages(file, "3 0 R 40 0 R 4 0 R 5 0 R"); }},
        Damaged{"DanglingReferenceInAnArray", [](const std::string& file) {
                    return TextPages(file, "3 0 R 4 0 R 5 0 R", " /Filter [/FlateDecode] /DecodeParms [99 0 R]");
                }}),
    [](const auto& info) { return info.param.name; });

// The file with an update appended: the objects by number, a trailer of `keys` besides
// /Size, /Root 1 0 R and /Prev.
std::string Updated(std::string bytes, const std::vector<std::pair<int, std::string>>& objects, const std::string& keys)
{
    const std::string previous = bytes.substr(bytes.rfind("startxref") + 10);
    std::string table = "xref\n";
    for (const auto& [number, object] : objects) {
        table += std::to_string(number) + " 1\n" + RowOffset(static_cast<long>(bytes.size())) + " 00000 n\r\n";
        bytes += std::to_string(number) + " 0 obj\n" + object + "\nendobj\n";
    }
    const std::string start = std::to_string(bytes.size());
    return bytes + table + "trailer\n<< /Size 9 /Root 1 0 R" + keys + " /Prev " + std::to_string(std::stol(previous)) +
           " >>\nstartxref\n" + start + "\n%%EOF\n";
}

const std::string kPadding = " /Padding (" + std::string(2000, '.') + ")";
const std::string kTwoKids = "<< /Type /Pages /Kids [3 0 R 5 0 R] /Count 2 >>";
const std::string kSecondPage = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 50] >>";

// One page of `box` through a page tree of `kids`, the objects after the page (number 4 on)
// as given.
Maker Sound(const std::string& kids, const std::string& box, const std::vector<std::string>& more,
            const std::function<std::string(std::string)>& update = nullptr)
{
    return [=](const std::string& file) {
        std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>",
                                         "<< /Type /Pages /Kids " + kids + " /Count 1 >>",
                                         "<< /Type /Page /Parent 2 0 R /MediaBox" + box + " >>"};
        objects.insert(objects.end(), more.begin(), more.end());
        const std::string path = AssembledPdf(file + "-base.pdf", objects, " /Info 4 0 R");
        return ScratchFile(file, update ? update(ReadAll(path)) : ReadAll(path));
    };
}

// Our one page of 300 x 200 titled "Old" with that update appended, as `edit` then makes it.
Maker UpdatedSound(const std::vector<std::pair<int, std::string>>& objects, const std::string& keys,
                   const std::function<std::string(std::string)>& edit = [](std::string bytes) { return bytes; })
{
    return Sound("[3 0 R]", " [0 0 300 200]", {"<< /Title (Old) >>"},
                 [=](std::string bytes) { return edit(Updated(std::move(bytes), objects, keys)); });
}

// Page count, each page's size and the title as pikepdf reads them, or "refused".
std::string PikepdfReading(const std::string& path)
{
    return RunTool("/usr/bin/python3 -c \"import pikepdf, sys\n"
                   "try:\n"
                   "  p = pikepdf.open(sys.argv[1])\n"
                   "  out = [str(len(p.pages))] + ['%d x %d' % (round(float(q.mediabox[2] - q.mediabox[0])), "
                   "round(float(q.mediabox[3] - q.mediabox[1]))) for q in p.pages]\n"
                   "  info = p.trailer.get('/Info')\n"
                   "  print(' '.join(out + [str(info.get('/Title', '')) if info is not None else '']))\n"
                   "except Exception:\n"
                   "  print('refused')\" " + Quoted(path) + " 2>/dev/null").output;
}

// Our page count, what `describe` says of each page, and the title; or "refused".
std::string OurReadingOf(const std::string& path, const std::function<std::string(Pagelith&, int)>& describe,
                         const std::string& separator = " ")
{
    Pagelith reader;
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    const int pages = reader.GetInfo(path, title, subject, author, encrypted, pdfa, version);
    if (pages == 0)
        return reader.ErrNumber() == 321 ? "refused\n" : "0 pages, error " + std::to_string(reader.ErrNumber());
    EXPECT_EQ(reader.ErrNumber(), 0) << reader.ErrDescription();
    std::string out = std::to_string(pages);
    for (int page = 1; page <= pages; ++page)
        out += separator + describe(reader, page);
    return out + (separator == " " ? " " + title : "") + "\n";
}

std::string OurReading(const std::string& path)
{
    return OurReadingOf(path, [&](Pagelith& reader, int page) {
        float width = 0, height = 0;
        int rotation = 0;
        reader.GetInfoPage(path, page, width, height, rotation);
        return std::to_string(std::lround(width)) + " x " + std::to_string(std::lround(height));
    });
}

// Two pages of 300 x 200 and 100 x 50 (or as `second` is written), objects 5 and 6 of object
// stream 3, whose /N is written `count`; object 4 is the number 2 and the table a
// cross-reference stream.
Maker InObjectStream(const std::string& count,
                     const std::string& second = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 50] >>")
{
    return [count, second](const std::string& file) {
        const std::string first = "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>\n";
        const std::string header = "5 0 6 " + std::to_string(first.size()) + " ";
        const std::string packed = header + first + second;
        return WithCrossReferenceStream(
            file,
            {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [5 0 R 6 0 R] /Count 2 >>",
             "<< /Type /ObjStm /N " + count + " /First " + std::to_string(header.size()) + " /Length " +
                 std::to_string(packed.size()) + " >>\nstream\n" + packed + "\nendstream",
             "2"},
            '\3', {'\0', '\1'});
    };
}

class SoundFile : public ::testing::TestWithParam<Damaged> {};

TEST_P(SoundFile, ReadsAsPikepdfReadsIt)
{
    const std::string path = GetParam().make("sound-" + GetParam().name + ".pdf");
    const std::string expected = PikepdfReading(path);
    EXPECT_NE(expected, "");
    EXPECT_EQ(OurReading(path), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SoundFile,
    ::testing::Values(
        Damaged{"KidsByReference", Sound("5 0 R", " [0 0 300 200]", {"<< /Title (Kids) >>", "[3 0 R]"})},
        Damaged{"BoxNumberByReference", Sound("[3 0 R]", " [0 0 612 5 0 R]", {"<< >>", "792"})},
        Damaged{"BoxCornersByReference", Sound("[3 0 R]", " [0 0 5 0 R 6 0 R]", {"<< >>", "612", "792"})},
        Damaged{"FormFeedsAfterKeys", Sound("[3 0 R]", "\f[0 0 300 200]", {"<< /Title\f(Fed) >>"})},
        Damaged{"CommentBeforeAValue", Sound("[3 0 R]", " % a box\n[0 0 300 200]", {"<< /Title % a note\n(Noted) >>"})},
        Damaged{"LongTrailerBeforeTheOlderSection",
                UpdatedSound({{2, kTwoKids}, {5, kSecondPage}}, " /Info 4 0 R" + kPadding)},
        Damaged{"PreviousSectionAtAnObject",
                UpdatedSound({{1, "<< /Type /Catalog /Pages 2 0 R >>"}, {2, kTwoKids}, {5, kSecondPage}},
                             " /Info 4 0 R", [](std::string bytes) {
                                 // /Prev names the catalog's "1 0 obj" rather than the table.
                                 const std::size_t prev = bytes.rfind("/Prev ") + 6;
                                 return bytes.replace(prev, bytes.find(' ', prev) - prev, "9");
                             })},
        Damaged{"LongTrailerOfAnEncryptedUpdate",
                UpdatedSound({{5, "<< /Filter /Standard /V 1 /R 2 /O <00> /U <00> /P -4 >>"}},
                             kPadding + " /Encrypt 5 0 R")},
        Damaged{"NewestTrailerWithoutInformation", UpdatedSound({{5, "<< /Title (Unnamed) >>"}}, "")},
        Damaged{"ObjectStreamCountByReference", InObjectStream("4 0 R")},
        // An update of more than a kilobyte whose own "startxref" is lost: the older one
        // names the revision before it.
        Damaged{"UpdateWhoseStartxrefIsRenamed",
                UpdatedSound({{2, kTwoKids}, {5, kSecondPage}}, kPadding,
                             [](std::string bytes) { return bytes.replace(bytes.rfind("startxref"), 9, "startxrex"); })},
        Damaged{"UpdateCutBeforeItsStartxref",
                UpdatedSound({{2, kTwoKids}, {5, kSecondPage}}, kPadding,
                             [](std::string bytes) { return bytes.substr(0, bytes.rfind("startxref")); })}),
    [](const auto& info) { return info.param.name; });

// Damaged files poppler cannot judge, read as qpdf reads them: the same number of pages, each
// with its text, or refused where qpdf refuses them.
class DamagedByQpdf : public ::testing::TestWithParam<Damaged> {};

TEST_P(DamagedByQpdf, ReadsAsQpdfReadsItOrIsRefused)
{
    const std::string path = GetParam().make("damaged-" + GetParam().name + ".pdf");
    const auto qpdf = RunTool("(qpdf --show-npages " + Quoted(path) + " 2>/dev/null)");
    // qpdf gives the count, with warnings, or nothing where it refuses the file.
    const bool refused = qpdf.output.empty() || !std::isdigit(static_cast<unsigned char>(qpdf.output[0]));
    Pagelith reader;
    const int pages = PagesUnlessRefused(reader, path, refused);
    if (refused)
        return;
    ASSERT_EQ(pages, std::stoi(qpdf.output)) << reader.ErrDescription();
    EXPECT_EQ(reader.ErrNumber(), 0) << reader.ErrDescription();
    // Our pages say "Page n", those of TextPages "Kid one" to "Kid three".
    const std::vector<std::string> kids{"Kid one", "Kid two", "Kid three"};
    for (int page = 1; page <= pages; ++page) {
        const std::string content = reader.GetContentPage(path, page);
        EXPECT_TRUE(content.find("Page " + std::to_string(page)) != std::string::npos ||
                    content.find(kids[static_cast<std::size_t>(page - 1) % 3]) != std::string::npos)
            << page;
    }
}

// Our three pages of Flate contents encrypted by qpdf with AES keys of `bits`, cut before
// the encryption dictionary: its strings and streams stay enciphered, its trailer is lost.
// `posingStreams` of the enciphered streams begin with a zlib header, as one in about 500
// does by chance.
Maker EncryptedAndCut(const std::string& bits, int posingStreams = 0)
{
    return [bits, posingStreams](const std::string& file) {
        const std::string plain = TextPages(file + "-base.pdf", "3 0 R 4 0 R 5 0 R", " /Filter /FlateDecode");
        std::string bytes =
            ReadAll(Converted(plain, file + "-encrypted.pdf", "qpdf --allow-weak-crypto --encrypt '' '' " + bits + " -- {in} {out}"));
        for (std::size_t at = 0, n = 0; n < static_cast<std::size_t>(posingStreams); ++n) {
            at = bytes.find("stream\n", bytes.find("/FlateDecode", at)) + 7;
            bytes.replace(at, 2, "\x78\x9c");
        }
        const std::size_t encryption = bytes.find("/Filter /Standard");
        return ScratchFile(file, bytes.substr(0, bytes.rfind(" 0 obj", encryption) - 2));
    };
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedByQpdf,
    ::testing::Values(
        Damaged{"ShiftedObjectStreams", [](const std::string& file) {
                    // Every offset of the table is wrong, the one to the table right.
                    std::string bytes = ReadAll(QpdfObjectStreams());
                    InsertAfterHeader(bytes, "%" + std::string(40, '-') + "\n");
                    return ScratchFile(file, bytes);
                }},
        Damaged{"ObjectHeadersInStreamData", [](const std::string& file) {
                    std::string bytes = ReadAll(TextPages(file + "-base.pdf", "3 0 R 4 0 R 5 0 R"));
                    // A stream of binary data that holds what looks like the first page.
                    const std::string data = "\n3 0 obj\n<< /Type /Page /Parent 2 0 R /Contents 9 0 R >>\nendobj\n";
                    const std::size_t table = bytes.rfind("xref\n0 ");
                    bytes.insert(table, "10 0 obj\n<< /Length " + std::to_string(data.size()) + " >>\nstream\n" + data +
                                            "\nendstream\nendobj\n");
                    EraseTable(bytes);
                    return ScratchFile(file, bytes);
                }},
        Damaged{"StreamWithoutEndstreamAndNoTable", [](const std::string& file) {
                    // The first page's content loses its "endstream": the scan goes on at the
                    // next object's header, never at the next page's "endstream".
                    std::string bytes = ReadAll(TextPages(file + "-base.pdf", "3 0 R 4 0 R 5 0 R"));
                    EraseTable(bytes);
                    bytes.erase(bytes.find("endstream"), 10);
                    return ScratchFile(file, bytes);
                }},
        Damaged{"EncryptedWithItsTrailerLost", [](const std::string& file) {
                    std::string bytes = ReadAll(AssembledPdf(
                        file + "-base.pdf",
                        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>",
                         "<< /Filter /Standard /V 1 /R 2 /O <00> /U <00> /P -4 >>"},
                        " /Encrypt 4 0 R"));
                    return ScratchFile(file, bytes.substr(0, bytes.rfind("xref\n0 ")));
                }},
        Damaged{"AesEncryptedCutBeforeItsEncryption", EncryptedAndCut("256")},
        Damaged{"AesEncryptedCutWithAStreamPosingAsZlib", EncryptedAndCut("256", 1)},
        Damaged{"Aes128EncryptedCutBeforeItsEncryption", EncryptedAndCut("128 --use-aes=y")},
        Damaged{"Rc4EncryptedCutBeforeItsEncryption", EncryptedAndCut("128 --use-aes=n")},
        Damaged{"Rc4With40BitKeysCutBeforeItsEncryption", EncryptedAndCut("40")}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace pdf

namespace pdf {
namespace {

using namespace reader_testing;
using testing_support::ReadAll;

// Page count, and each page's turn and whether its content can be read, as pikepdf reads
// them, or "refused".
std::string PikepdfPages(const std::string& path)
{
    return RunTool("/usr/bin/python3 -c \"import pikepdf, sys\n"
                   "try:\n"
                   "  p = pikepdf.open(sys.argv[1])\n"
                   "  out = [str(len(p.pages))]\n"
                   "  for q in p.pages:\n"
                   "    r = int(q.obj.get('/Rotate', 0))\n"
                   "    try:\n"
                   "      q.Contents.read_bytes()\n"
                   "      content = 'read'\n"
                   "    except Exception:\n"
                   "      content = 'lost'\n"
                   "    out.append('%d %s' % (r % 360 if r % 90 == 0 else 0, content))\n"
                   "  print(', '.join(out))\n"
                   "except Exception:\n"
                   "  print('refused')\" " + Quoted(path) + " 2>/dev/null").output;
}

std::string OurPages(const std::string& path)
{
    return OurReadingOf(
        path,
        [&](Pagelith& reader, int page) {
            float width = 0, height = 0;
            int rotation = 0;
            reader.GetInfoPage(path, page, width, height, rotation);
            std::string content = "read";
            try {
                reader.GetContentPage(path, page);
            } catch (const Error&) {
                content = "lost";
            }
            return std::to_string(rotation) + " " + content;
        },
        ", ");
}

class MisreadFile : public ::testing::TestWithParam<Damaged> {};

// Files that were read with error 0 as other pages, or fewer: each reads as pikepdf reads it.
TEST_P(MisreadFile, ReadsAsPikepdfReadsIt)
{
    const std::string path = GetParam().make("misread-" + GetParam().name + ".pdf");
    const std::string expected = PikepdfPages(path);
    EXPECT_NE(expected, "");
    EXPECT_EQ(OurPages(path), expected);
}

// The three pages of TextPages, as `edit` makes them.
Maker EditedKids(const std::function<void(std::string&)>& edit)
{
    return [edit](const std::string& file) {
        std::string bytes = ReadAll(TextPages(file + "-base.pdf", "3 0 R 4 0 R 5 0 R"));
        edit(bytes);
        return ScratchFile(file, bytes);
    };
}

INSTANTIATE_TEST_SUITE_P(
    Files, MisreadFile,
    ::testing::Values(
        Damaged{"UpdateWhosePreviousSectionIsAWord", EditedKids([](std::string& bytes) {
                    // An update of the first three objects whose /Prev lands on "endobj".
                    const std::size_t word = bytes.find("endobj");
                    std::string update;
                    std::string rows;
                    for (int object = 1; object <= 3; ++object) {
                        const std::size_t at = bytes.find("\n" + std::to_string(object) + " 0 obj") + 1;
                        const std::string offset = std::to_string(bytes.size() + update.size());
                        rows += std::string(10 - offset.size(), '0') + offset + " 00000 n\r\n";
                        update += bytes.substr(at, bytes.find("endobj", at) + 7 - at);
                    }
                    const std::string start = std::to_string(bytes.size() + update.size());
                    bytes += update + "xref\n1 3\n" + rows + "trailer\n<< /Size 10 /Root 1 0 R /Prev " +
                             std::to_string(word) + " >>\nstartxref\n" + start + "\n%%EOF\n";
                })},
        Damaged{"TurnWithANul", EditedKids([](std::string& bytes) {
                    bytes.replace(bytes.find("/Type /Page "), 12, std::string("/Rotate 9\0" "0 ", 12));
                })},
        Damaged{"ContentLost",
                EditedKids([](std::string& bytes) { bytes[bytes.find("9 0 obj") + 4] = 'x'; })}),
    [](const auto& info) { return info.param.name; });

// The strings each page's content shows, as pikepdf reads them (none where it cannot read the
// content), or "refused".
std::string PikepdfShownStrings(const std::string& path)
{
    return RunTool("/usr/bin/python3 -c \"import pikepdf, sys\n"
                   "try:\n"
                   "  p = pikepdf.open(sys.argv[1])\n"
                   "  out = [str(len(p.pages))]\n"
                   "  for q in p.pages:\n"
                   "    try:\n"
                   "      data = q.Contents.read_bytes()\n"
                   "    except Exception:\n"
                   "      data = b''\n"
                   "    out.append(' '.join(s.split(b')')[0].decode() for s in data.split(b'(')[1:]))\n"
                   "  print(', '.join(out))\n"
                   "except Exception:\n"
                   "  print('refused')\" " + Quoted(path) + " 2>/dev/null").output;
}

class ShownTextFile : public ::testing::TestWithParam<Damaged> {};

// A stream whose "endstream" is lost ends before the next object (unless that object's
// header begins its data, which qpdf, mutool and poppler all take for data), and a table
// whose keyword is damaged is rebuilt: each page shows what pikepdf reads in it.
TEST_P(ShownTextFile, ReadsAsPikepdfReadsIt)
{
    const std::string path = GetParam().make("shown-" + GetParam().name + ".pdf");
    const std::string expected = PikepdfShownStrings(path);
    EXPECT_NE(expected, "");
    EXPECT_EQ(OurReadingOf(
                  path,
                  [&](Pagelith& reader, int page) {
                      const std::string content = reader.GetContentPage(path, page);
                      std::string shown;
                      for (std::size_t open = content.find('('); open != std::string::npos;
                           open = content.find('(', open + 1))
                          shown += (shown.empty() ? "" : " ") + content.substr(open + 1, content.find(')', open) - open - 1);
                      return shown;
                  },
                  ", "),
              expected);
}

// The first page's content stream with its /Length written `length` and its "endstream" lost.
Maker EndstreamLost(const std::string& length)
{
    return EditedKids([length](std::string& bytes) {
        const std::size_t stream = bytes.find("/Length ", bytes.find("7 0 obj")) + 8;
        bytes.replace(stream, bytes.find(' ', stream) - stream, length);
        bytes.erase(bytes.find("endstream", stream), 9);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Files, ShownTextFile,
    ::testing::Values(
        Damaged{"EndstreamLostAndLengthShort", EndstreamLost("10")},
        Damaged{"EndstreamLostAndLengthPastTheNextObject", EndstreamLost("90")},
        Damaged{"StreamCutRightBeforeTheNextObject", EditedKids([](std::string& bytes) {
                    const std::size_t data = bytes.find("stream\n", bytes.find("7 0 obj")) + 7;
                    bytes.erase(data, bytes.find(" 0 obj", data) - 1 - data);
                })},
        Damaged{"TableKeywordDamaged",
                EditedKids([](std::string& bytes) { bytes.replace(bytes.rfind("xref\n0 "), 4, "xrex"); })},
        Damaged{"StartxrefIntoTheTableKeyword", EditedKids([](std::string& bytes) {
                    const std::size_t start = bytes.rfind("startxref\n") + 10;
                    bytes.replace(start, bytes.find('\n', start) - start, std::to_string(std::stol(bytes.substr(start)) + 1));
                })},
        // Not white space: no peer reads "7 0" and "R" as one reference.
        Damaged{"ReferenceWithAControlByte", EditedKids([](std::string& bytes) {
                    bytes.replace(bytes.find("/Contents 7 0 R"), 15, "/Contents 7 0\x11R");
                })}),
    [](const auto& info) { return info.param.name; });

// A page the table lists as free, and a catalog only an object stream holds, read as poppler
// and mutool read them (pikepdf takes the page for a null, qpdf refuses the catalog).
INSTANTIATE_TEST_SUITE_P(
    Rebuilt, DamagedFile,
    ::testing::Values(Damaged{"KidListedAsFree", EditedKids([](std::string& bytes) {
                                  // The letter of the second page's row (object 4).
                                  bytes[bytes.find('\n', bytes.rfind("xref\n0 ") + 5) + 1 + 20 * 4 + 17] = 'f';
                              })},
                      Damaged{"CatalogOnlyInAnObjectStream", [](const std::string& file) {
                                  // The cross-reference stream is no longer one.
                                  std::string bytes = ReadAll(QpdfObjectStreams());
                                  bytes.replace(bytes.find("/XRef"), 5, "/XReg");
                                  return ScratchFile(file, bytes);
                              }}),
    [](const auto& info) { return info.param.name; });

// A file whose last cross-reference stream is cut right after its dictionary, or inside its
// rows, has as many pages as mutool reads in it (qpdf and poppler refuse it), each with its text.
TEST(CutCrossReferenceStream, ReadsAsMutoolReadsIt)
{
    for (const std::string cut : {"after the dictionary", "inside the rows"}) {
        std::string bytes = ReadAll(QpdfObjectStreams());
        const std::size_t data = bytes.find("stream", bytes.find("/XRef"));
        bytes.resize(cut == "inside the rows" ? data + 20 : data);
        const std::string path = ScratchFile("damaged-cut-xref-stream.pdf", bytes);
        const std::string mutool = RunTool("mutool pages " + Quoted(path) + " 2>/dev/null").output;
        int pages = 0;
        for (std::size_t at = mutool.find("<page "); at != std::string::npos; at = mutool.find("<page ", at + 1))
            ++pages;
        EXPECT_GT(pages, 0) << cut;
        Pagelith reader;
        ASSERT_EQ(PagesUnlessRefused(reader, path, false), pages) << cut << ": " << reader.ErrDescription();
        EXPECT_EQ(reader.ErrNumber(), 0) << cut;
        for (int page = 1; page <= pages; ++page)
            EXPECT_NE(reader.GetContentPage(path, page).find("Page " + std::to_string(page)), std::string::npos) << cut;
    }
}

// Each page's box as mutool reads the file, "lost" for a page it counts without one; or
// "refused" where it cannot walk the page tree.
std::string MutoolPages(const std::string& path)
{
    const std::string report = RunTool("mutool pages " + Quoted(path) + " 2>/dev/null").output;
    if (report.find("Failed to gather") != std::string::npos)
        return "refused\n";
    std::vector<std::string> pages;
    const std::regex box("<MediaBox l=\"([-.0-9]+)\" b=\"([-.0-9]+)\" r=\"([-.0-9]+)\" t=\"([-.0-9]+)\"");
    for (std::size_t at = report.find("<page "); at != std::string::npos;) {
        const std::size_t next = report.find("<page ", at + 1);
        const std::string page = report.substr(at, next == std::string::npos ? std::string::npos : next - at);
        std::smatch corners;
        if (std::regex_search(page, corners, box))
            pages.push_back(std::to_string(std::lround(std::stod(corners[3]) - std::stod(corners[1]))) + " x " +
                            std::to_string(std::lround(std::stod(corners[4]) - std::stod(corners[2]))));
        else
            pages.push_back("lost");
        at = next;
    }
    std::string out = pages.empty() ? "refused" : std::to_string(pages.size());
    for (const std::string& page : pages)
        out += ", " + page;
    return out + "\n";
}

class LostPageFile : public ::testing::TestWithParam<Damaged> {};

// A page whose own object is lost is counted as the page tree names it, and reading it is
// an error for that page alone; a tree whose kids are not all references is refused.
TEST_P(LostPageFile, CountsThePagesAsMutoolDoes)
{
    const std::string path = GetParam().make("lost-" + GetParam().name + ".pdf");
    const std::string expected = MutoolPages(path);
    EXPECT_EQ(OurReadingOf(
                  path,
                  [&](Pagelith& reader, int page) {
                      float width = 0, height = 0;
                      int rotation = 0;
                      try {
                          reader.GetInfoPage(path, page, width, height, rotation);
                      } catch (const Error&) {
                          EXPECT_THROW(reader.GetContentPage(path, page), Error) << page;
                          return std::string("lost");
                      }
                      return std::to_string(std::lround(width)) + " x " + std::to_string(std::lround(height));
                  },
                  ", "),
              expected);
}

INSTANTIATE_TEST_SUITE_P(
    Files, LostPageFile,
    ::testing::Values(
        Damaged{"KidThatIsNoReference",
                EditedKids([](std::string& bytes) { bytes.replace(bytes.find("[3 0 R"), 6, "[3 \xa7 R"); })},
        Damaged{"KidWithAComma",
                EditedKids([](std::string& bytes) { bytes.replace(bytes.find("4 0 R 5"), 3, "4,0"); })},
        Damaged{"PageBlanked", EditedKids([](std::string& bytes) {
                    const std::size_t page = bytes.find("4 0 obj");
                    bytes.replace(page, bytes.find("endobj", page) + 6 - page,
                                  std::string(bytes.find("endobj", page) + 6 - page, ' '));
                })},
        Damaged{"PageAtOffsetZeroInAnUpdate", EditedKids([](std::string& bytes) {
                    const std::string previous = bytes.substr(bytes.rfind("startxref") + 10);
                    const std::string start = std::to_string(bytes.size());
                    bytes += "xref\n3 1\n0000000000 00000 n\r\ntrailer\n<< /Size 10 /Root 1 0 R /Prev " +
                             std::to_string(std::stol(previous)) + " >>\nstartxref\n" + start + "\n%%EOF\n";
                })},
        Damaged{"PageThatIsNoDictionaryInAnObjectStream",
                InObjectStream("2", "(< /Type /Page /Parent 2 0 R /MediaBox [0 0 100 50] >>")},
        Damaged{"LostPages", EditedKids([](std::string& bytes) { bytes.resize(bytes.find("5 0 obj")); })}),
    [](const auto& info) { return info.param.name; });

// A page tree that names a node in two places holds its pages in both, one that names a node
// above itself passes over only that kid, and a kid whose object holds a reference is the
// page that reference names: each read as mutool reads it.
TEST(SharedPageTree, CountsThePagesAsMutoolDoes)
{
    const std::string narrow = "<< /Type /Page /Parent 3 0 R /MediaBox [0 0 100 50] >>";
    const std::string wide = "<< /Type /Page /Parent 3 0 R /MediaBox [0 0 300 200] >>";
    const std::string node = "<< /Type /Pages /Parent 2 0 R /Kids [4 0 R 5 0 R] /Count 2 >>";
    const std::vector<std::pair<std::string, std::vector<std::string>>> trees{
        {"NodeNamedTwice", {"<< /Type /Pages /Kids [3 0 R 3 0 R] /Count 4 >>", node, narrow, wide}},
        {"NodeNamedByTwoNodes",
         {"<< /Type /Pages /Kids [3 0 R 6 0 R] /Count 4 >>", node, narrow, wide,
          "<< /Type /Pages /Parent 2 0 R /Kids [3 0 R] /Count 2 >>"}},
        {"NodeAboveItself",
         {"<< /Type /Pages /Kids [3 0 R] /Count 2 >>",
          "<< /Type /Pages /Parent 2 0 R /Kids [4 0 R 6 0 R 5 0 R] /Count 2 >>", narrow, wide,
          "<< /Type /Pages /Parent 3 0 R /Kids [3 0 R] /Count 0 >>"}},
        {"KidHoldingAReference", {"<< /Type /Pages /Kids [3 0 R] /Count 1 >>", "4 0 R", narrow}},
    };
    for (const auto& [name, tree] : trees) {
        std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>"};
        objects.insert(objects.end(), tree.begin(), tree.end());
        const std::string path = AssembledPdf("shared-" + name + ".pdf", objects);
        EXPECT_EQ(OurReadingOf(
                      path,
                      [&](Pagelith& reader, int page) {
                          float width = 0, height = 0;
                          int rotation = 0;
                          reader.GetInfoPage(path, page, width, height, rotation);
                          EXPECT_EQ(reader.GetContentPage(path, page), "") << name << " " << page;
                          return std::to_string(std::lround(width)) + " x " + std::to_string(std::lround(height));
                      },
                      ", "),
                  MutoolPages(path))
            << name;
    }
}

}  // namespace
}  // namespace pdf
