#include <gtest/gtest.h>

#include <cstdint>
#include <regex>

#include "pdf/core/icc_profile.h"
#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::ReadAll;
using testing_support::RunTool;

TEST(Objects, NumbersReservedButNeverWrittenAreFreeEntries)
{
    auto writer = testing_support::PinnedWriter();
    PagelithTestPeer peer(*writer);
    std::string name = testing_support::OutputPath("core_free_entries.pdf");
    writer->BeginDoc(name);
    EXPECT_EQ(peer.BeginObj(0), 4);  // 1 to 3 are kept for the completion
    peer.WriteLine("<< >>");
    peer.EndObj();
    EXPECT_EQ(peer.BeginObj(40), 40);
    peer.WriteLine("<< >>");
    peer.EndObj();
    EXPECT_EQ(peer.BeginObj(2), 2);  // written later than 40
    EXPECT_EQ(peer.ObjCount(), 40);
    writer->Abort();

    // A whole document with a gap: 41 to 59 are never written.
    writer = testing_support::PinnedWriter();
    PagelithTestPeer second(*writer);
    writer->BeginDoc(name);
    second.BeginObj(60);
    second.WriteLine("<< >>");
    second.EndObj();
    writer->EndDoc();
    testing_support::ExpectSoundFile(name);

    const std::string pdf = ReadAll(name);
    const std::size_t xref = pdf.rfind("xref\n0 ");
    ASSERT_NE(xref, std::string::npos);
    // Entry 0 heads the chain of free numbers 4..59; the last one ends it.
    std::smatch header;
    const std::string table = pdf.substr(xref);
    ASSERT_TRUE(std::regex_search(table, header, std::regex("xref\n0 (\\d+)\n")));
    const std::size_t entries = xref + static_cast<std::size_t>(header.length(0));
    auto entry = [&](int number) { return pdf.substr(entries + 20u * number, 20); };
    EXPECT_EQ(entry(0), "0000000004 65535 f\r\n");
    EXPECT_EQ(entry(4), "0000000005 00001 f\r\n");
    EXPECT_EQ(entry(59), "0000000000 00001 f\r\n");
    EXPECT_EQ(entry(60).substr(10), " 00000 n\r\n");
}

TEST(Objects, StreamsOfNoneOrOneByteAreWrittenLikeAnyOther)
{
    auto writer = testing_support::PinnedWriter();
    PagelithTestPeer peer(*writer);
    std::string name = testing_support::OutputPath("core_tiny_streams.pdf");
    writer->BeginDoc(name);
    const int empty = peer.WriteStreamObject("");
    const int one = peer.WriteStreamObject("x");
    writer->EndDoc();
    testing_support::ExpectSoundFile(name);
    const std::string pdf = ReadAll(name);
    EXPECT_NE(pdf.find(std::to_string(empty) + " 0 obj\n<<\n/Length 0 >>\rstream\n\nendstream\n"),
              std::string::npos);
    EXPECT_NE(pdf.find(std::to_string(one) + " 0 obj\n<<\n/Length 1 >>\rstream\nx\nendstream\n"),
              std::string::npos);
    EXPECT_EQ(RunTool("qpdf --show-object=" + std::to_string(one) + " --filtered-stream-data '" +
                      name + "'")
                  .output,
              "x");
}

TEST(Objects, ContentFiltersApplyToPageStreams)
{
    auto writer = testing_support::PinnedWriter();
    std::string name = testing_support::OutputPath("core_filtered_page.pdf");
    writer->SetCompression(1 + 16, 0, 0);
    writer->BeginDoc(name);
    int page = 0;
    writer->BeginPage(page);
    writer->SetColorFill("red");
    writer->EndDoc();
    testing_support::ExpectSoundFile(name);
    EXPECT_NE(ReadAll(name).find("5 0 obj\n<<\n/Filter [/ASCIIHexDecode /RunLengthDecode ]\n"),
              std::string::npos);
    EXPECT_EQ(RunTool("qpdf --show-object=5 --filtered-stream-data '" + name + "'").output,
              "1 0 0 -1 0 842 cm \rq\r1 1 1 rg\r1 0 0 rg\rQ");
    // The metadata stays readable as it is.
    EXPECT_EQ(ReadAll(name).find("/Subtype /XML\n/Filter"), std::string::npos);
}

// The profile's colorants add up to the connection space's white, as a display profile's
// must, and the header says what the output intent needs.
TEST(IccProfile, IsAVersion2RgbDisplayProfileWhoseColorantsAddUpToD50)
{
    const Bytes profile = BuildRgbDisplayProfile();
    auto u32 = [&](std::size_t at) {
        return static_cast<std::uint32_t>(profile[at] << 24 | profile[at + 1] << 16 |
                                          profile[at + 2] << 8 | profile[at + 3]);
    };
    auto text = [&](std::size_t at) { return std::string(profile.begin() + at, profile.begin() + at + 4); };
    ASSERT_GE(profile.size(), 132u);
    EXPECT_EQ(u32(0), profile.size());
    EXPECT_EQ(u32(8), 0x02100000u);
    EXPECT_EQ(text(12), "mntr");
    EXPECT_EQ(text(16), "RGB ");
    EXPECT_EQ(text(20), "XYZ ");
    EXPECT_EQ(text(36), "acsp");

    double sum[3] = {0, 0, 0};
    int colorants = 0;
    const std::uint32_t tags = u32(128);
    for (std::uint32_t i = 0; i < tags; ++i) {
        const std::size_t entry = 132 + 12 * i;
        const std::string signature = text(entry);
        const std::uint32_t offset = u32(entry + 4);
        ASSERT_LE(offset + u32(entry + 8), profile.size());
        if (signature == "rXYZ" || signature == "gXYZ" || signature == "bXYZ") {
            ++colorants;
            for (int c = 0; c < 3; ++c)
                sum[c] += static_cast<std::int32_t>(u32(offset + 8 + 4 * c)) / 65536.0;
        }
        if (signature == "rTRC") {
            EXPECT_EQ(profile[offset + 12] << 8 | profile[offset + 13], 563);  // gamma 2.2
        }
    }
    EXPECT_EQ(colorants, 3);
    EXPECT_NEAR(sum[0], 0.9642, 0.0002);
    EXPECT_NEAR(sum[1], 1.0, 0.0002);
    EXPECT_NEAR(sum[2], 0.8249, 0.0002);
}

}  // namespace
}  // namespace pdf
