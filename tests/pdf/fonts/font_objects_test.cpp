// The font objects as they stand in the written file.
#include <gtest/gtest.h>

#include <vector>

#include "font_test_support.h"
#include "pdf/fonts/code_pages.h"

namespace pdf {
namespace {

// The lines of object `number`, between its header and "endobj".
std::vector<std::string> ObjectLines(const std::string& file, int number)
{
    const std::string header = "\n" + std::to_string(number) + " 0 obj\n";
    std::vector<std::string> lines;
    auto at = file.find(header);
    if (at == std::string::npos)
        return lines;
    at += header.size();
    for (auto end = file.find('\n', at); end != std::string::npos; end = file.find('\n', at)) {
        std::string line = file.substr(at, end - at);
        if (line == "endobj")
            break;
        lines.push_back(line);
        at = end + 1;
    }
    return lines;
}

class FontObjects : public ::testing::Test {
protected:
    void Open(const std::string& fileName)
    {
        writer = testing_support::PinnedWriter();
        path = testing_support::OutputPath(fileName);
        writer->BeginDoc(path);
        prefix = PagelithTestPeer(*writer).ResPrefix();
    }

    std::string Finish() { return testing_support::FinishChecked(*writer, path); }

    std::unique_ptr<Pagelith> writer;
    std::string path;
    std::string prefix;
};

TEST_F(FontObjects, ABuiltinFontIsOneDictionaryOfThreeLines)
{
    Open("fonts_objects_builtin.pdf");
    writer->SetFont("Arial", 10, 1, 0);
    const std::string file = Finish();
    const std::vector<std::string> expected = {
        "<< /Type /Font /Subtype /Type1 /Name /" + prefix +
            "Arial,Bold /BaseFont /Arial,Bold /FirstChar 32 /LastChar 255",
        "/Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding  >>",
        " >>",
    };
    EXPECT_EQ(ObjectLines(file, 4), expected);
    EXPECT_NE(file.find("/Font <<\r/" + prefix + "Arial,Bold 4 0 R >>"), std::string::npos);
}

TEST_F(FontObjects, EveryCharsetNamesItsGlyphsInDifferences)
{
    Open("fonts_objects_charsets.pdf");
    const int charsets[] = {161, 162, 186, 204, 238, 1};
    for (int charset : charsets)
        writer->SetFont("Times", 10, 0, charset);
    const std::string file = Finish();
    int object = 4;
    for (int charset : charsets) {
        const std::vector<std::string> lines = ObjectLines(file, object++);
        ASSERT_EQ(lines.size(), 4u) << charset;
        EXPECT_EQ(lines[0], "<< /Type /Font /Subtype /Type1 /Name /" + prefix +
                                "TimesNewRoman-" + std::to_string(charset) +
                                " /BaseFont /TimesNewRoman /FirstChar 32 /LastChar 255");
        EXPECT_EQ(lines[1], "/Encoding << /Type /Encoding /BaseEncoding /WinAnsiEncoding "
                            "/Differences " +
                                GetCodePageDifferences(charset) + " >>");
        EXPECT_EQ(lines[2].rfind("/Widths [250 ", 0), 0u) << lines[2];
        EXPECT_EQ(lines[3], " >>");
    }
    EXPECT_NE(file.find("/Differences [128 /Euro 130 /quotesinglbase /florin /quotedblbase "
                        "/ellipsis /dagger /daggerdbl "),
              std::string::npos);
    EXPECT_NE(ObjectLines(file, 7)[1].find("/afii10017"), std::string::npos);
    EXPECT_NE(ObjectLines(file, 8)[1].find("/Differences [128 /Euro 130 /quotesinglbase"),
              std::string::npos);

    // pdffonts reads every font back, none embedded.
    const auto fonts = testing_support::RunTool("pdffonts '" + path + "'");
    EXPECT_EQ(fonts.status, 0) << fonts.output;
}

TEST_F(FontObjects, SymbolAndZapfDingbatsKeepTheirOwnEncoding)
{
    Open("fonts_objects_symbolic.pdf");
    writer->SetFont("Symbol", 10, 0, 204);
    writer->SetFont("ZapfDingbats", 10, 0, 0);
    const std::string file = Finish();
    for (int object : {4, 5}) {
        const std::vector<std::string> lines = ObjectLines(file, object);
        ASSERT_EQ(lines.size(), 2u);
        EXPECT_EQ(lines[1], " >>");
    }
    EXPECT_EQ(file.find("/Encoding"), std::string::npos);
}

// Resource names keep letters and digits only, and stay apart from one another.
TEST_F(FontObjects, NamesAreLettersAndDigits)
{
    Open("fonts_objects_names.pdf");
    writer->SetFont("My(Font)#1", 10, 0, 0);
    PagelithTestPeer peer(*writer);
    const std::string name = "/" + prefix + "MyFont1";
    EXPECT_EQ(peer.FontResourceName(), name);
    writer->SetFont("MyFont1", 10, 0, 0);
    EXPECT_EQ(peer.FontResourceName(), name + "_2");
    const std::string file = Finish();
    EXPECT_NE(file.find("/Name " + name + " /BaseFont /Arial "), std::string::npos);
    EXPECT_NE(file.find(name + " 4 0 R "), std::string::npos);
}

TEST_F(FontObjects, ATrueTypeFontHasWidthsADescriptorAndItsFile)
{
    Open("fonts_objects_truetype.pdf");
    PagelithTestPeer peer(*writer);
    FontRecord font;
    font.Key = "SANS";
    font.IsTrueType = true;
    font.BaseFont = "Sans";
    for (int code = 0; code < 256; ++code)
        font.Widths[static_cast<std::size_t>(code)] = static_cast<std::int16_t>(code * 2);

    EXPECT_EQ(peer.AddTrueTypeFont(font, "Sans", Bytes(), 0, "/Flags 32 /ItalicAngle 0"), 4);
    const Bytes fontFile(1000, 0x41);
    EXPECT_EQ(peer.AddTrueTypeFont(font, "SansEmbedded", fontFile, 1000, "/Flags 32"), 6);
    const std::string file = Finish();

    const std::vector<std::string> dictionary = ObjectLines(file, 4);
    ASSERT_EQ(dictionary.size(), 3u);
    EXPECT_EQ(dictionary[0], "<< /Type /Font /Subtype /TrueType /Name /" + prefix +
                                 "Sans /BaseFont /Sans /FirstChar 32 /LastChar 255");
    std::string widths = "/FontDescriptor 5 0 R\r/Widths [";
    for (int code = 32; code < 256; ++code)
        widths += std::to_string(code * 2) + " " + ((code + 1) % 16 == 0 ? "\r" : "");
    widths += "]\r>>";
    EXPECT_EQ(dictionary[2], widths);
    EXPECT_EQ(ObjectLines(file, 5),
              (std::vector<std::string>{
                  "<< /Type /FontDescriptor /FontName /Sans /Flags 32 /ItalicAngle 0 ", " >>"}));

    EXPECT_EQ(ObjectLines(file, 7)[0],
              "<< /Type /FontDescriptor /FontName /Sans /Flags 32 ");
    EXPECT_EQ(ObjectLines(file, 7)[1], "/FontFile2 8 0 R >>");
    EXPECT_NE(file.find("8 0 obj\n<<\n/Length1 1000\n/Length 1000 >>\rstream\n" +
                        std::string(1000, 'A') + "\nendstream"),
              std::string::npos);
}

}  // namespace
}  // namespace pdf
