#include <gtest/gtest.h>

#include "pdf/core/stream_filters.h"
#include "pdf_test_support.h"

namespace pdf {
namespace {

Bytes Sample()
{
    const std::string text = "BT /F1 12 Tf (aaaaaaaaaaaaaaaaaaaaaaaaaaaa) Tj ET";
    return Bytes(text.begin(), text.end());
}

StreamFilterEntries Apply(int flags, std::string_view callerFilter = {},
                          std::string_view parms = {}, bool pdfa = false)
{
    Bytes data = Sample();
    return ApplyStreamFilters(data, callerFilter, parms, FilterSettingFrom(flags), pdfa);
}

TEST(StreamFilters, NamesStandInTheReverseOrderOfApplication)
{
    EXPECT_EQ(Apply(0).Filter, "");
    EXPECT_EQ(Apply(1).Filter, "/Filter [/RunLengthDecode ]");
    EXPECT_EQ(Apply(2).Filter, "/Filter [/FlateDecode ]");
    EXPECT_EQ(Apply(5).Filter, "/Filter [/LZWDecode /RunLengthDecode ]");
    EXPECT_EQ(Apply(26).Filter, "/Filter [/ASCIIHexDecode /ASCII85Decode /FlateDecode ]");
    EXPECT_EQ(Apply(24).Filter, "/Filter [/ASCIIHexDecode /ASCII85Decode ]");
    EXPECT_EQ(Apply(224).Filter, "");
}

TEST(StreamFilters, AsciiHexOfAscii85IsWhatTheDataBecomes)
{
    Bytes expected = Sample();
    EncodeASCII85(expected);
    EncodeASCIIHex(expected);
    Bytes data = Sample();
    ApplyStreamFilters(data, {}, {}, FilterSettingFrom(24), false);
    EXPECT_EQ(data, expected);
}

TEST(StreamFilters, PdfaNeverUsesLzw)
{
    EXPECT_EQ(Apply(5, {}, {}, true).Filter, "/Filter [/RunLengthDecode ]");
    EXPECT_EQ(Apply(4, {}, {}, true).Filter, "");
}

TEST(StreamFilters, SettingHoldsMaskAndLevel)
{
    const FilterSetting setting = FilterSettingFrom(2 + 256 * 3 + 4096 * 5);
    EXPECT_EQ(setting.Mask, 2);
    EXPECT_EQ(setting.Level, 3);
}

TEST(StreamFilters, CallersFilterSkipsCompressionButNotAsciiFilters)
{
    EXPECT_EQ(Apply(5, "/FlateDecode").Filter, "/Filter /FlateDecode");
    EXPECT_EQ(Apply(8, "/FlateDecode").Filter, "/Filter [/ASCII85Decode /FlateDecode]");
}

TEST(StreamFilters, NoneMeansNoFilterAtAll)
{
    Bytes data = Sample();
    const StreamFilterEntries entries =
        ApplyStreamFilters(data, "none", {}, FilterSettingFrom(31), false);
    EXPECT_EQ(entries.Filter, "");
    EXPECT_EQ(entries.DecodeParms, "");
    EXPECT_EQ(data, Sample());
}

TEST(StreamFilters, DecodeParmsAlignWithTheFilterArray)
{
    const std::string parms = "<</Predictor 15 /Colors 3 /BitsPerComponent 8 /Columns 4>>";
    EXPECT_EQ(Apply(0, "/FlateDecode", parms).DecodeParms, "/DecodeParms " + parms);
    EXPECT_EQ(Apply(8, "/FlateDecode", parms).DecodeParms,
              "/DecodeParms [null " + parms + "]");
    EXPECT_EQ(Apply(24, "/FlateDecode", parms).DecodeParms,
              "/DecodeParms [null null " + parms + "]");
}

// Every chain we write decodes back to the original bytes in a real reader.
TEST(StreamFilters, QpdfDecodesEveryChain)
{
    auto writer = testing_support::PinnedWriter();
    PagelithTestPeer peer(*writer);
    std::string name = testing_support::OutputPath("core_stream_filters.pdf");
    writer->BeginDoc(name);

    const std::string original = "q 1 0 0 1 0 0 cm\r" + std::string(300, 'x') +
                                 std::string("\rQ \0\xFF", 5);
    struct Case {
        int flags;
        std::string callerFilter;
        std::string parms;
        int object = 0;
    };
    std::vector<Case> cases{{1, "", ""}, {2, "", ""}, {2 + 5 * 256, "", ""}, {3, "", ""}, {4, "", ""}, {5, "", ""}, {8, "", ""}, {16, "", ""},
                            {29, "", ""}, {31, "", ""}, {16, "/LZWDecode", "<</EarlyChange 1>>"}};
    for (Case& c : cases) {
        writer->SetCompression(c.flags, 0, 0);
        Bytes data(original.begin(), original.end());
        if (c.callerFilter == "/LZWDecode")
            EncodeLZW(data, 0);
        c.object = peer.BeginObj(0);
        peer.WriteLine("<<");
        peer.WriteStream(data, c.callerFilter, StreamKind::Content, c.parms);
        peer.EndObj();
    }
    writer->SetCompression(0, 0, 0);
    writer->EndDoc();
    testing_support::ExpectSoundFile(name);

    for (const Case& c : cases) {
        const auto decoded = testing_support::RunTool(
            "qpdf --show-object=" + std::to_string(c.object) + " --filtered-stream-data '" +
            name + "'");
        EXPECT_EQ(decoded.output, original) << "flags " << c.flags << " " << c.callerFilter;
    }
}

}  // namespace
}  // namespace pdf
