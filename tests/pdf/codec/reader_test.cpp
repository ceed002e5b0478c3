// Our encoded streams, placed in a PDF file, read back by qpdf, mutool and pdftotext.
#include "pdf_assembly.h"
#include "sample_data.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <string>

namespace {

using codectest::PdfAssembly;
using codectest::RunCommand;

struct Filter {
    std::string name;                            // also names the output file
    std::string entry;                           // the /Filter value
    std::function<void(pdf::Bytes&)> encode;
};

void PrintTo(const Filter& filter, std::ostream* out)
{
    *out << filter.name;
}

std::vector<Filter> AllFilters()
{
    std::vector<Filter> filters = {
        {"runlength", "/RunLengthDecode", [](pdf::Bytes& b) { pdf::EncodeRunLength(b); }},
        {"ascii85", "/ASCII85Decode", [](pdf::Bytes& b) { pdf::EncodeASCII85(b); }},
        {"asciihex", "/ASCIIHexDecode", [](pdf::Bytes& b) { pdf::EncodeASCIIHex(b); }},
        {"chain", "[/ASCIIHexDecode /ASCII85Decode /LZWDecode /FlateDecode /RunLengthDecode]",
         [](pdf::Bytes& b) {
             pdf::EncodeRunLength(b);
             pdf::EncodeFlate(b, 3);
             pdf::EncodeLZW(b, 2);
             pdf::EncodeASCII85(b);
             pdf::EncodeASCIIHex(b);
         }},
    };
    for (int level : {0, 5})
        filters.push_back({"flate" + std::to_string(level), "/FlateDecode",
                           [level](pdf::Bytes& b) { pdf::EncodeFlate(b, level); }});
    for (int level = 0; level <= 3; ++level)
        filters.push_back({"lzw" + std::to_string(level), "/LZWDecode",
                           [level](pdf::Bytes& b) { pdf::EncodeLZW(b, level); }});
    return filters;
}

// Sample stream bodies: text, lengths that end at LZW width changes, runs, noise.
std::vector<pdf::Bytes> SampleStreams()
{
    std::vector<pdf::Bytes> samples;
    std::string text;
    for (int i = 0; i < 400; ++i)
        text += "Réunion de chantier n° " + std::to_string(i) + " — étape validée.\n";
    samples.emplace_back(text.begin(), text.end());
    for (std::size_t length : {254u, 255u, 766u, 767u, 1790u, 1791u, 5000u}) {
        samples.push_back(codectest::WithoutRepeatedPairs(length));
    }
    pdf::Bytes runs;
    for (int i = 0; i < 300; ++i)
        runs.insert(runs.end(), i % 131, static_cast<std::uint8_t>(i));
    samples.push_back(runs);
    samples.push_back(codectest::RandomBytes(70000, 99));
    return samples;
}

class ReaderDecodes : public testing::TestWithParam<Filter> {};

TEST_P(ReaderDecodes, PageTextAndEveryStream)
{
    const Filter& filter = GetParam();
    std::string words = "Bonjour " + filter.name;
    std::string content = "BT /F1 24 Tf 72 700 Td (" + words + ") Tj ET\n"
                          "0.2 0.4 0.8 rg 72 600 200 50 re f\n";
    pdf::Bytes page(content.begin(), content.end());
    filter.encode(page);

    PdfAssembly assembly;
    assembly.SetPageContent(page, filter.entry);
    std::vector<pdf::Bytes> samples = SampleStreams();
    std::vector<int> objects;
    for (const pdf::Bytes& sample : samples) {
        pdf::Bytes encoded = sample;
        filter.encode(encoded);
        objects.push_back(assembly.AddStream(encoded, filter.entry));
    }
    std::string path = codectest::TestOutputPath("codec-" + filter.name + ".pdf");
    assembly.Save(path);

    auto check = RunCommand("qpdf --check '" + path + "'");
    EXPECT_EQ(check.status, 0) << check.output;
    EXPECT_NE(check.output.find("No syntax or stream encoding errors"), std::string::npos)
        << check.output;

    EXPECT_NE(RunCommand("pdftotext '" + path + "' -").output.find(words), std::string::npos);
    EXPECT_NE(RunCommand("mutool draw -F txt '" + path + "'").output.find(words),
              std::string::npos);

    for (std::size_t i = 0; i < samples.size(); ++i) {
        std::string object = std::to_string(objects[i]);
        auto byQpdf = RunCommand("qpdf --show-object=" + object
                                 + " --filtered-stream-data '" + path + "'");
        EXPECT_EQ(byQpdf.output, std::string(samples[i].begin(), samples[i].end()))
            << "qpdf, object " << object;
        auto byMutool = RunCommand("mutool show -b '" + path + "' " + object);
        EXPECT_EQ(byMutool.output, std::string(samples[i].begin(), samples[i].end()))
            << "mutool, object " << object;
    }
}

INSTANTIATE_TEST_SUITE_P(Filters, ReaderDecodes, testing::ValuesIn(AllFilters()),
                         [](const testing::TestParamInfo<Filter>& info) {
                             return info.param.name;
                         });

}  // namespace
