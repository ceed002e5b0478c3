// Small source files made to cost a reader minutes or gigabytes, or to pass a failure off as
// an empty document, each written under the name it is given in the scratch folder.
#pragma once

#include <fstream>
#include <string>
#include <vector>

#include "pdf/codec/filters.h"
#include "source_files.h"

namespace pdf::reader_testing {

inline void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

// One page whose /Contents lists `times` times one stream of the data under the filters.
inline std::string RepeatedFilteredPage(const std::string& name, const std::string& data, const std::string& filters,
                                        int times)
{
    std::string contents;
    for (int n = 0; n < times; ++n)
        contents += " 4 0 R";
    return AssembledPdf(
        name, {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
               "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents [" + contents + " ] >>",
               "<< /Length " + std::to_string(data.size()) + " /Filter " + filters + " >>\nstream\n" + data +
                   "\nendstream"});
}

// One page whose /Contents names `times` times one Flate stream of the data.
inline std::string RepeatedStreamPage(const std::string& name, const std::string& data, int times)
{
    return RepeatedFilteredPage(name, data, "/FlateDecode", times);
}

// About 100 KB: one page whose /Contents lists forty times a Flate stream of 100 MB of zeros.
inline std::string HugeContentSource(const std::string& name)
{
    const std::string packed = ScratchPath(name + ".z");
    EXPECT_EQ(RunTool("/usr/bin/python3 -c \"import zlib; open('" + packed +
                      "', 'wb').write(zlib.compress(bytes(100 << 20), 9))\"").status, 0);
    return RepeatedStreamPage(name, testing_support::ReadAll(packed), 40);
}

inline std::string Flated(const std::string& text)
{
    Bytes data(text.begin(), text.end());
    EncodeFlate(data, 5);
    return std::string(data.begin(), data.end());
}

// A few hundred bytes: a cross-reference stream whose predictor rows would be 2 GB wide.
inline std::string PredictedXrefSource(const std::string& name)
{
    const std::string objects = "%PDF-1.5\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
                                "2 0 obj\n<< /Type /Pages /Kids [] /Count 0 >>\nendobj\n";
    const std::string data = Flated(std::string(8, '\2'));
    const std::string xref = "3 0 obj\n<< /Type /XRef /Size 4 /W [1 2 1] /Root 1 0 R /Filter /FlateDecode "
                             "/DecodeParms << /Predictor 12 /Columns 2075765717 >> /Length " +
                             std::to_string(data.size()) + " >>\nstream\n" + data + "\nendstream\nendobj\n";
    const std::string path = ScratchPath(name);
    WriteBytes(path, objects + xref + "startxref\n" + std::to_string(objects.size()) + "\n%%EOF\n");
    return path;
}

// A few hundred bytes: a page of two content streams whose predictor rows would be 1 GiB
// wide.
inline std::string PredictedContentSource(const std::string& name)
{
    const std::string data = Flated("BT ET");
    return AssembledPdf(
        name, {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
               "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents [4 0 R 4 0 R] >>",
               "<< /Length " + std::to_string(data.size()) +
                   " /Filter /FlateDecode /DecodeParms << /Predictor 10 /Colors 32 /BitsPerComponent 16 "
                   "/Columns 16777216 >> >>\nstream\n" + data + "\nendstream"});
}

// About 1.3 MB: one page whose /Contents names 200,000 times a stream of 100 KB, whose
// Flate data ends after three bytes of content.
inline std::string RepeatedStreamSource(const std::string& name)
{
    return RepeatedStreamPage(name, Flated("q Q") + std::string(100000, 'x'), 200000);
}

// About 1 MB: one page whose /Contents lists twice a stream of 500,000 bytes under 30,000
// run-length filters, each of which decodes the data to itself.
inline std::string LongFilterChainSource(const std::string& name)
{
    std::string filters;
    for (int n = 0; n < 30000; ++n)
        filters += "/RunLengthDecode ";
    return RepeatedFilteredPage(name, std::string(500000, '\xff'), "[" + filters + "]", 2);
}

// About 30 KB: one page whose /Contents lists 2,000 times a stream that inflates to 16 MB
// of blanks, which ASCIIHex decodes to nothing: the page's content stays empty however
// much is decoded.
inline std::string BlanksDecodedOftenSource(const std::string& name)
{
    return RepeatedFilteredPage(name, Flated(std::string(16 << 20, ' ') + ">"), "[/FlateDecode /ASCIIHexDecode]",
                                2000);
}

// `pages` pages at the foot of a chain of `nodes` page-tree nodes, whose head alone gives the
// box [0 0 300 200] and /Rotate 90.
inline std::string DeepTreeSource(const std::string& name, int nodes, int pages)
{
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>"};
    for (int node = 2; node < nodes + 2; ++node) {
        const std::string head =
            node == 2 ? " /MediaBox [0 0 300 200] /Rotate 90" : " /Parent " + std::to_string(node - 1) + " 0 R";
        std::string kids;
        if (node < nodes + 1) {
            kids = std::to_string(node + 1) + " 0 R";
        } else {
            for (int page = 0; page < pages; ++page)
                kids += std::to_string(nodes + 2 + page) + " 0 R ";
        }
        objects.push_back("<< /Type /Pages" + head + " /Count " + std::to_string(pages) + " /Kids [" + kids + "] >>");
    }
    for (int page = 0; page < pages; ++page)
        objects.push_back("<< /Type /Page /Parent " + std::to_string(nodes + 1) + " 0 R >>");
    return AssembledPdf(name, objects);
}

// A page whose resources hold a form whose resources hold the next, `depth` forms deep.
inline std::string NestedFormsSource(const std::string& name, int depth)
{
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                     "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Resources 4 0 R >>"};
    for (int form = 0; form < depth; ++form) {
        const int resources = 4 + 2 * form;
        objects.push_back("<< /XObject << /X " + std::to_string(resources + 1) + " 0 R >> >>");
        const std::string own = form + 1 < depth ? std::to_string(resources + 2) + " 0 R" : "<< >>";
        objects.push_back("<< /Type /XObject /Subtype /Form /BBox [0 0 1 1] /Resources " + own +
                          " /Length 6 >>\nstream\n/X Do\nendstream");
    }
    return AssembledPdf(name, objects);
}

// qpdf's object streams of our three pages, the newest cross-reference stream naming itself
// as /Prev.
inline std::string SelfPrevSource(const std::string& name)
{
    std::string bytes = testing_support::ReadAll(QpdfObjectStreams());
    const std::size_t start = std::stoul(bytes.substr(bytes.rfind("startxref") + 10));
    const std::size_t dictEnd = bytes.find("/Type /XRef", start);
    EXPECT_NE(dictEnd, std::string::npos);
    bytes.insert(dictEnd, "/Prev " + std::to_string(start) + " ");
    const std::string path = ScratchPath(name);
    WriteBytes(path, bytes);
    return path;
}

// Our one-page file with `updates` updates appended, update n titling it "Update n".
inline std::string ManyUpdatesSource(const std::string& name, int updates)
{
    std::string bytes = testing_support::ReadAll(OwnSource(name + "-base.pdf", 1));
    const std::size_t rootAt = bytes.rfind("/Root ");
    const std::string root = bytes.substr(rootAt, bytes.find(" R", rootAt) + 2 - rootAt);
    for (int n = 1; n <= updates; ++n) {
        const std::string previous = bytes.substr(bytes.rfind("startxref") + 10);
        const std::string offset = std::to_string(bytes.size());
        bytes += "90 0 obj\n<< /Title (Update " + std::to_string(n) + ") >>\nendobj\n";
        const std::string table = std::to_string(bytes.size());
        bytes += "xref\n90 1\n" + std::string(10 - offset.size(), '0') + offset + " 00000 n\r\ntrailer\n<< /Size 91 " +
                 root + " /Info 90 0 R /Prev " + std::to_string(std::stol(previous)) + " >>\nstartxref\n" + table +
                 "\n%%EOF\n";
    }
    const std::string path = ScratchPath(name);
    WriteBytes(path, bytes);
    return path;
}

// The bytes written under `name` in the scratch folder; returns their path.
inline std::string ScratchFile(const std::string& name, const std::string& bytes)
{
    const std::string path = ScratchPath(name);
    WriteBytes(path, bytes);
    return path;
}

// About 6 MB: a catalog of 400,000 keys, each given once.
inline std::string ManyKeysSource(const std::string& name)
{
    std::string keys;
    for (int n = 0; n < 400000; ++n)
        keys += " /K" + std::to_string(n) + " " + std::to_string(n);
    return AssembledPdf(name, {"<< /Type /Catalog /Pages 2 0 R" + keys + " >>",
                               "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                               "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>"});
}

// About 16 MB: our three objects with no table, then two million "trailer" keywords.
inline std::string ManyTrailersSource(const std::string& name)
{
    std::string bytes = "%PDF-1.4\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
                        "2 0 obj\n<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n"
                        "3 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>\nendobj\n";
    for (int n = 0; n < 2000000; ++n)
        bytes += "trailer\n";
    return ScratchFile(name, bytes);
}

// About 5 MB: one page whose /Contents lists 300,000 objects of an object stream, which the
// cross-reference stream all places first in the stream.
inline std::string MisplacedObjectsSource(const std::string& name)
{
    constexpr int kObjects = 300000;
    constexpr int kFirst = 5;  // objects 1 to 4: catalog, page tree, page, object stream
    std::string header, listed, contents;
    for (int n = kFirst; n < kFirst + kObjects; ++n) {
        header += std::to_string(n) + " " + std::to_string(listed.size()) + " ";
        listed += "null\n";
        contents += " " + std::to_string(n) + " 0 R";
    }
    const std::string packed = Flated(header + listed);
    std::string bytes = "%PDF-1.5\n";
    std::vector<std::size_t> offsets;
    for (const std::string& object :
         {std::string("<< /Type /Catalog /Pages 2 0 R >>"), std::string("<< /Type /Pages /Kids [3 0 R] /Count 1 >>"),
          "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents [" + contents + " ] >>",
          "<< /Type /ObjStm /N " + std::to_string(kObjects) + " /First " + std::to_string(header.size()) +
              " /Filter /FlateDecode /Length " + std::to_string(packed.size()) + " >>\nstream\n" + packed +
              "\nendstream"}) {
        offsets.push_back(bytes.size());
        bytes += std::to_string(offsets.size()) + " 0 obj\n" + object + "\nendobj\n";
    }
    // Rows of a type byte and a four-byte field: objects 1 to 4 in the file, the others at
    // place 0 of stream 4.
    std::string rows(5, '\0');
    const auto field = [](std::size_t value) {
        return std::string{static_cast<char>(value >> 24), static_cast<char>(value >> 16),
                           static_cast<char>(value >> 8), static_cast<char>(value)};
    };
    for (const std::size_t offset : offsets)
        rows += '\1' + field(offset);
    for (int n = kFirst; n < kFirst + kObjects; ++n)
        rows += '\2' + field(4);
    const std::string table = Flated(rows);
    const std::string start = std::to_string(bytes.size());
    bytes += std::to_string(kFirst + kObjects) + " 0 obj\n<< /Type /XRef /Size " + std::to_string(kFirst + kObjects) +
             " /W [1 4 0] /Root 1 0 R /Filter /FlateDecode /Length " + std::to_string(table.size()) +
             " >>\nstream\n" + table + "\nendstream\nendobj\nstartxref\n" + start + "\n%%EOF\n";
    return ScratchFile(name, bytes);
}

// The `objects` numbered from 1 in the file, then a cross-reference stream (the last number)
// that lists them and, after them, as many objects at the `indexes` of object stream `stream`.
inline std::string WithCrossReferenceStream(const std::string& name, const std::vector<std::string>& objects,
                                            char stream, const std::vector<char>& indexes)
{
    std::string bytes = "%PDF-1.5\n";
    std::string rows(6, '\0');
    for (const std::string& object : objects) {
        const std::size_t offset = bytes.size();
        rows += std::string{'\1', '\0', static_cast<char>(offset >> 16), static_cast<char>(offset >> 8),
                            static_cast<char>(offset), '\0'};
        bytes += std::to_string(rows.size() / 6 - 1) + " 0 obj\n" + object + "\nendobj\n";
    }
    for (const char index : indexes)
        rows += std::string{'\2', '\0', '\0', '\0', stream, index};
    const std::string number = std::to_string(rows.size() / 6);
    const std::string start = std::to_string(bytes.size());
    bytes += number + " 0 obj\n<< /Type /XRef /Size " + number + " /W [1 4 1] /Root 1 0 R /Length " +
             std::to_string(rows.size()) + " >>\nstream\n" + rows + "\nendstream\nendobj\nstartxref\n" + start +
             "\n%%EOF\n";
    return ScratchFile(name, bytes);
}

// A page tree of two kids: page 3 in the file, and object 6, which the cross-reference stream
// places at index 1 of object stream 4, whose own header lists objects 5 and 7 there.
inline std::string UnlistedKidSource(const std::string& name)
{
    const std::string listed = "null\n";
    const std::string header = "5 0 7 " + std::to_string(listed.size()) + " ";
    const std::string packed = header + listed + "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>";
    return WithCrossReferenceStream(
        name,
        {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R 6 0 R] /Count 2 >>",
         "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>",
         "<< /Type /ObjStm /N 2 /First " + std::to_string(header.size()) + " /Length " + std::to_string(packed.size()) +
             " >>\nstream\n" + packed + "\nendstream"},
        '\4', {'\0', '\1', '\1'});  // objects 5, 6 and 7
}

// About 100 MB: a catalog whose string opens and never closes, to the end of the file.
inline std::string UnclosedStringSource(const std::string& name)
{
    return AssembledPdf(name, {"<< /Type /Catalog /Pages 2 0 R /Lang (" + std::string(100 << 20, 'x'),
                               "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                               "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>"});
}

// A catalog and a page tree of `kids` and no page.
inline std::string ZeroPageSource(const std::string& name, const std::string& kids)
{
    return AssembledPdf(name, {"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids " + kids + " /Count 1 >>"});
}

// About 70 MB with no table: millions of lines "N 0 obj" each followed by `body`.
inline std::string ObjectLinesSource(const std::string& name, const std::string& body)
{
    std::string bytes = "%PDF-1.5\n";
    for (int n = 1; bytes.size() < (70u << 20); ++n)
        bytes += std::to_string(n % 8000000 + 1) + " 0 obj " + body + "\n";
    return ScratchFile(name, bytes);
}

// About 30 KB: one page whose cross-reference stream lists objects 0 to 4,999 two thousand
// times over, in ten million rows (30 MB once inflated).
inline std::string RepeatedIndexSource(const std::string& name)
{
    const std::string objects = "%PDF-1.5\n1 0 obj\n<< /Type /Catalog /Pages 2 0 R >>\nendobj\n"
                                "2 0 obj\n<< /Type /Pages /Kids [3 0 R] /Count 1 >>\nendobj\n"
                                "3 0 obj\n<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] >>\nendobj\n";
    const std::string packed = ScratchPath(name + ".z");
    // Rows of W [1 2 0]: object 0 free, objects 1 to 4 in the file, the rest free.
    EXPECT_EQ(RunTool("/usr/bin/python3 -c \"import zlib; rows = bytes(3) + b''.join(bytes([1, o >> 8, o & 255]) "
                      "for o in [" + std::to_string(objects.find("1 0 obj")) + ", " +
                      std::to_string(objects.find("2 0 obj")) + ", " + std::to_string(objects.find("3 0 obj")) + ", " +
                      std::to_string(objects.size()) + "]) + bytes(3 * 4995); open('" + packed + "', 'wb').write(zlib.compress(rows * 2000, 9))\"")
                  .status,
              0);
    const std::string data = testing_support::ReadAll(packed);
    std::string index;
    for (int times = 0; times < 2000; ++times)
        index += " 0 5000";
    const std::string start = std::to_string(objects.size());
    WriteBytes(ScratchPath(name), objects + "4 0 obj\n<< /Type /XRef /Size 5 /W [1 2 0] /Index [" + index +
                                      " ] /Root 1 0 R /Filter /FlateDecode /Length " + std::to_string(data.size()) +
                                      " >>\nstream\n" + data + "\nendstream\nendobj\nstartxref\n" + start +
                                      "\n%%EOF\n");
    return ScratchPath(name);
}

}  // namespace pdf::reader_testing
