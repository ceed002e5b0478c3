// Damaged files read as poppler reads them: the same pages, each with its text, or refused
// with error 321 when poppler reads nothing; never fewer pages without an error.
#include <gtest/gtest.h>

#include <functional>
#include <regex>

#include "hostile_files.h"

namespace pdf {
namespace {

using namespace reader_testing;
using testing_support::ReadAll;

// Makes the damaged file under the name it is given.
using Maker = std::function<std::string(const std::string& file)>;

// Our three pages, page n showing "Page n", as `edit` makes them.
Maker Edited(const std::function<void(std::string&)>& edit)
{
    return [edit](const std::string& file) {
        std::string bytes = ReadAll(OwnSource(file + "-base.pdf", 3));
        edit(bytes);
        return ScratchFile(file, bytes);
    };
}

// Our three pages with the table's offsets as `change` makes them (the in-use entries in order).
Maker WithOffsets(const std::function<void(std::vector<long>&)>& change)
{
    return Edited([change](std::string& bytes) {
        const std::regex entry("(\\d{10}) \\d{5} n");
        std::vector<long> offsets;
        std::vector<std::size_t> places;
        for (auto it = std::sregex_iterator(bytes.begin(), bytes.end(), entry); it != std::sregex_iterator(); ++it) {
            offsets.push_back(std::stol((*it)[1]));
            places.push_back(static_cast<std::size_t>(it->position(1)));
        }
        EXPECT_GT(offsets.size(), 6u);
        change(offsets);
        for (std::size_t i = 0; i < places.size(); ++i) {
            const std::string digits = std::to_string(offsets[i]);
            bytes.replace(places[i], 10, std::string(10 - digits.size(), '0') + digits);
        }
    });
}

void EraseTable(std::string& bytes)
{
    const std::size_t table = bytes.rfind("xref\n0 ");
    bytes.erase(table, bytes.rfind("trailer") - table);
}

// Three pages of one line of text each through `kids` of the root node: the pages are
// objects 3 to 5, the font 6, their contents 7 to 9.
std::string TextPages(const std::string& name, const std::string& kids, const std::string& contentFilter = "")
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
    return AssembledPdf(name, objects);
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

TEST_P(DamagedFile, ReadsAsPopplerReadsItOrIsRefused)
{
    const std::string path = GetParam().make("damaged-" + GetParam().name + ".pdf");
    const std::vector<std::string> expected = PopplerPageTexts(path);
    Pagelith reader;
    std::string title, subject, author;
    int encrypted = 0, pdfa = 0, version = 0;
    const int pages = reader.GetInfo(path, title, subject, author, encrypted, pdfa, version);
    if (expected.empty()) {
        EXPECT_EQ(pages, 0);
        EXPECT_EQ(reader.ErrNumber(), 321);
        EXPECT_NE(reader.ErrDescription(), "");
        return;
    }
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
        Damaged{"KidPastTheSize", [](const std::string& file) { return TextPages(file, "3 0 R 40 0 R 4 0 R 5 0 R"); }},
        Damaged{"DanglingReferenceInAnArray", [](const std::string& file) {
                    return TextPages(file, "3 0 R 4 0 R 5 0 R", " /Filter [/FlateDecode] /DecodeParms [99 0 R]");
                }}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace pdf
