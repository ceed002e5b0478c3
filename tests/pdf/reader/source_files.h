// Source PDFs for the reader's tests, made at test time by our writer and by other
// programs (qpdf, poppler's tools, Ghostscript, cairo), in the scratch folder.
#pragma once

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include "pdf/codec/filters.h"
#include "pdf/pdf_tools.h"

namespace pdf::reader_testing {

using testing_support::RunTool;
using testing_support::ScratchPath;

inline std::string Quoted(const std::string& path)
{
    return "'" + path + "'";
}

// Test cases run as processes at the same time and make the same sources: each writes its
// own copy and renames it into place, so no case reads a file another is still writing.
inline std::string PrivateCopyOf(const std::string& path)
{
    return path + "." + std::to_string(::getpid()) + ".part";
}

inline void PutInPlace(const std::string& copy, const std::string& path)
{
    std::filesystem::rename(copy, path);
}

// Our own document: `pages` pages of 300 x 200 points, page n showing "Page n" and a
// filled square, every page in Times.
inline std::string OwnSource(const std::string& name, int pages = 2)
{
    const std::string path = ScratchPath(name);
    const std::string copy = PrivateCopyOf(path);
    auto writer = testing_support::PinnedWriter();
    writer->SetPaperSize(255, 300, 200);
    writer->SetDocProperty("Source title", "Source subject", "Source author", "", "", "");
    std::string file = copy;
    writer->BeginDoc(file);
    for (int n = 1; n <= pages; ++n) {
        int page = 0;
        writer->BeginPage(page);
        writer->SetFont("Times", 24, 0, 0);
        writer->DrawText(20, 60, "Page " + std::to_string(n));
        writer->SetColorFill("Black");
        writer->DrawRect(20, 100, 60 + 10 * n, 60, 0, 15, 0);
    }
    writer->EndDoc();
    PutInPlace(copy, path);
    return path;
}

// A file made by a command from `input`; "{in}" and "{out}" stand for the two paths.
inline std::string Converted(const std::string& input, const std::string& name, const std::string& command)
{
    const std::string out = ScratchPath(name);
    const std::string copy = PrivateCopyOf(out);
    std::string line = std::regex_replace(command, std::regex("\\{in\\}"), Quoted(input));
    line = std::regex_replace(line, std::regex("\\{out\\}"), Quoted(copy));
    const auto result = RunTool(line);
    EXPECT_EQ(result.status, 0) << line << "\n" << result.output;
    PutInPlace(copy, out);
    return out;
}

// A two-page PostScript file turned into PDF by Ghostscript.
inline std::string GhostscriptSource()
{
    const std::string ps = PrivateCopyOf(ScratchPath("reader-source.ps"));
    std::FILE* file = std::fopen(ps.c_str(), "w");
    std::fputs("%!PS\n<< /PageSize [300 200] >> setpagedevice\n"
               "/Times-Roman findfont 24 scalefont setfont\n"
               "20 120 moveto (Ghost page one) show 20 20 60 60 rectfill showpage\n"
               "20 120 moveto (Ghost page two) show 20 20 90 60 rectfill showpage\n",
               file);
    std::fclose(file);
    const std::string pdf = Converted(ps, "reader-gs.pdf", "ps2pdf {in} {out}");
    std::filesystem::remove(ps);
    return pdf;
}

// A one-page file drawn by cairo.
inline std::string CairoSource()
{
    const std::string out = ScratchPath("reader-cairo.pdf");
    const std::string copy = PrivateCopyOf(out);
    const auto result = RunTool(
        "/usr/bin/python3 -c \"import cairo; s = cairo.PDFSurface('" + copy + "', 300, 200); "
        "c = cairo.Context(s); c.select_font_face('Serif'); c.set_font_size(24); "
        "c.move_to(20, 60); c.show_text('Cairo page'); c.rectangle(20, 100, 70, 60); c.fill(); "
        "s.finish()\"");
    EXPECT_EQ(result.status, 0) << result.output;
    PutInPlace(copy, out);
    return out;
}

// A file of the given objects (numbered from 1), with a classic cross-reference table
// and a trailer naming object 1 as the catalog plus `trailerKeys`.
inline std::string AssembledPdf(const std::string& name, const std::vector<std::string>& objects,
                                const std::string& trailerKeys = "")
{
    std::string body = "%PDF-1.4\n";
    std::string table = "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f\r\n";
    for (std::size_t i = 0; i < objects.size(); ++i) {
        const std::string offset = std::to_string(body.size());
        table += std::string(10 - offset.size(), '0') + offset + " 00000 n\r\n";
        body += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const std::string start = std::to_string(body.size());
    body += table + "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R" +
            trailerKeys + " >>\nstartxref\n" + start + "\n%%EOF\n";
    const std::string path = ScratchPath(name);
    std::FILE* file = std::fopen(path.c_str(), "wb");
    std::fwrite(body.data(), 1, body.size(), file);
    std::fclose(file);
    return path;
}

// One page of five content streams, each through other filters: [/FlateDecode] as an
// array, /ASCIIHexDecode, [/ASCII85Decode /FlateDecode], /RunLengthDecode and /LZWDecode
// (hundreds of small squares, enough for its longest codes); none ends with a blank.
struct FilteredStreams {
    std::string path;
    std::string content;  // the streams' decoded text, joined by line feeds
};

inline FilteredStreams FilteredStreamsSource(const std::string& name)
{
    std::string squares = "0 0.5 0 rg";
    for (int n = 0; n < 400; ++n)
        squares += " " + std::to_string(150 + n % 20 * 7) + " " + std::to_string(10 + n / 20 * 9) + " 5 5 re";
    squares += " f";
    const std::vector<std::pair<std::string, std::string>> streams{
        {"[/FlateDecode]", "0 0 1 rg"},
        {"/ASCIIHexDecode", "20 20 100 60 re f"},
        {"[/ASCII85Decode /FlateDecode]", "1 0 0 rg"},
        {"/RunLengthDecode", "20 100 100 20 re f"},
        {"/LZWDecode", squares}};
    std::vector<std::string> objects{"<< /Type /Catalog /Pages 2 0 R >>", "<< /Type /Pages /Kids [3 0 R] /Count 1 >>",
                                     "<< /Type /Page /Parent 2 0 R /MediaBox [0 0 300 200] /Contents [4 0 R 5 0 R "
                                     "6 0 R 7 0 R 8 0 R] >>"};
    FilteredStreams made;
    for (const auto& [filter, text] : streams) {
        Bytes data(text.begin(), text.end());
        if (filter.find("Flate") != std::string::npos)
            EncodeFlate(data, 5);
        if (filter.find("ASCII85") != std::string::npos)
            EncodeASCII85(data);
        if (filter.find("Hex") != std::string::npos)
            EncodeASCIIHex(data);
        if (filter.find("RunLength") != std::string::npos)
            EncodeRunLength(data);
        if (filter.find("LZW") != std::string::npos)
            EncodeLZW(data, 3);
        objects.push_back("<< /Length " + std::to_string(data.size()) + " /Filter " + filter + " >>\nstream\n" +
                          std::string(data.begin(), data.end()) + "\nendstream");
        made.content += (made.content.empty() ? "" : "\n") + text;
    }
    made.path = AssembledPdf(name, objects);
    return made;
}

// Our three pages in object streams by qpdf.
inline std::string QpdfObjectStreams()
{
    return Converted(OwnSource("reader-own-objstm.pdf", 3), "reader-objstm.pdf",
                     "qpdf --object-streams=generate {in} {out}");
}

// Our two pages and Ghostscript's two joined by poppler.
inline std::string PopplerUnited()
{
    const std::string first = OwnSource("reader-unite-a.pdf", 2);
    return Converted(first, "reader-united.pdf", "pdfunite {in} " + Quoted(GhostscriptSource()) + " {out}");
}
// The second of our three pages alone, cut out by poppler.
inline std::string PopplerSeparated()
{
    const std::string source = OwnSource("reader-separate.pdf", 3);
    const std::string pattern = ScratchPath("reader-separated-%d.pdf");
    EXPECT_EQ(RunTool("pdfseparate " + Quoted(source) + " " + Quoted(pattern)).status, 0);
    return ScratchPath("reader-separated-2.pdf");
}

// The number after "label:" in pdfinfo's report of the file.
inline double PdfInfoValue(const std::string& path, const std::string& label)
{
    const auto result = RunTool("pdfinfo " + Quoted(path));
    std::smatch match;
    if (!std::regex_search(result.output, match, std::regex(label + ":\\s+([0-9.]+)")))
        return -1;
    return std::stod(match[1]);
}

}  // namespace pdf::reader_testing
