// TrueType fonts added from their files, as pdffonts, pdftotext and the written
// descriptors show them.
#include <gtest/gtest.h>

#include <fstream>

#include "font_test_support.h"

namespace pdf {
namespace {

using testing_support::RunTool;

const std::string kLiberation = "/usr/share/fonts/truetype/liberation/";
const std::string kSans = kLiberation + "LiberationSans-Regular.ttf";
const std::string kSerifBoldItalic = kLiberation + "LiberationSerif-BoldItalic.ttf";
const std::string kDejaVu = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";

class TrueType : public ::testing::Test {
protected:
    void Open()
    {
        writer = testing_support::PinnedWriter();
        path = testing_support::CaseOutputPath("truetype_");
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
    }

    std::string Finish()
    {
        writer->EndPage();
        return testing_support::FinishChecked(*writer, path);
    }

    std::unique_ptr<Pagelith> writer;
    std::string path;
};

TEST_F(TrueType, TheDescriptorAndWidthsComeFromTheFontsTables)
{
    Open();
    EXPECT_EQ(writer->AddFont(kSans, "", false, 0), "LiberationSans");
    PagelithTestPeer peer(*writer);
    const FontRecord& font = peer.Font(peer.FontCount());
    EXPECT_EQ(font.Key, "LIBERATIONSANS");
    EXPECT_EQ(font.BaseFont, "LiberationSans");
    EXPECT_EQ(font.Widths['A'], 667);
    EXPECT_EQ(font.Widths['a'], 556);  // 1139 units of 2048
    EXPECT_EQ(font.Widths[0xE9], 556);
    EXPECT_EQ(font.LineHeight, 905 + 212);
    EXPECT_EQ(font.Descent, -212);
    const std::string file = Finish();
    EXPECT_NE(file.find("/FontName /LiberationSans /Flags 32 /FontBBox ["), std::string::npos);
    EXPECT_NE(file.find("/FontBBox [-24 -212 1000 755] /MissingWidth 365 /StemV 70 /ItalicAngle 0 /CapHeight 905 /XHeight 452"
                        " /Ascent 905 /Descent -212 /MaxWidth 1094 /AvgWidth 590"),
              std::string::npos);
    EXPECT_EQ(file.find("/FontFile2"), std::string::npos);
}

TEST_F(TrueType, ABoldItalicFaceTakesItsStyleFromWeightAndAngle)
{
    Open();
    EXPECT_EQ(writer->AddFont(kSerifBoldItalic, "SerifBI", true, 0), "SerifBI");
    const std::string file = Finish();
    EXPECT_NE(file.find("/BaseFont /LiberationSerifBoldItalic,BoldItalic"), std::string::npos);
    EXPECT_NE(file.find("/Flags 96 "), std::string::npos);
    EXPECT_NE(file.find("/StemV 120 /ItalicAngle -16.33 "), std::string::npos);
}

// Text in each added font reads back, and pdffonts lists every font as TrueType, embedded
// or not as asked.  DejaVu Sans has glyphs past index 8192 and long glyph locations.
TEST_F(TrueType, TextInAddedFontsReadsBackInSeveralCharsets)
{
    Open();
    struct Case {
        std::string file, name;
        bool embed;
        int charset;
        std::string text;
    };
    const Case cases[] = {
        {kSans, "SansWest", true, 0, "Réunion à Genève"},
        {kSans, "SansCE", false, 238, "Zażółć gęślą jaźń"},
        {kDejaVu, "DejaVuCyr", true, 204, "Привет мир"},
        {kSerifBoldItalic, "SerifGreek", true, 161, "Καλό ταξίδι"},
    };
    float y = 100;
    for (const Case& c : cases) {
        ASSERT_EQ(writer->AddFont(c.file, c.name, c.embed, c.charset), c.name)
            << writer->ErrDescription();
        writer->SetFont(c.name, 14, 0, c.charset);
        writer->DrawText(72, y, c.text);
        y += 30;
    }
    Finish();

    const auto fonts = RunTool("pdffonts '" + path + "'");
    EXPECT_EQ(testing_support::CountOf(fonts.output, "TrueType"), 4) << fonts.output;
    EXPECT_EQ(testing_support::CountOf(fonts.output, " yes "), 3) << fonts.output;
    const auto text = RunTool("pdftotext '" + path + "' -");
    for (const Case& c : cases)
        EXPECT_NE(text.output.find(c.text), std::string::npos) << text.output;
}

TEST_F(TrueType, PdfaEmbedsTheFaceForTheCharsetAsked)
{
    writer = testing_support::PinnedWriter();
    path = testing_support::CaseOutputPath("truetype_");
    writer->SetPDFa(true);
    writer->BeginDoc(path);
    EXPECT_EQ(writer->AddFont(kSans, "Sans", false, 238), "Sans");
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(peer.Font(peer.FontCount()).Charset, 238);
    EXPECT_EQ(peer.Font(peer.FontCount()).Differences.rfind("[128 /Euro 130 /quotesinglbase", 0),
              0u);
    int page = 0;
    writer->BeginPage(page);
    EXPECT_NE(Finish().find("/FontFile2"), std::string::npos);
}

// Whatever the case and blanks of its name, an added font is the page's one resource; a
// name added again, or first taken by a standard font, gives no second /Font key.
TEST_F(TrueType, AnAddedFontIsFoundInAnyCaseAndNamedOnce)
{
    Open();
    writer->SetFont("Serif Face", 12, 0, 0);  // not added yet: drawn as Arial
    writer->DrawText(30, 40, "Avant");
    EXPECT_EQ(writer->AddFont(kSans, "My Font", true, 0), "My Font");
    EXPECT_EQ(writer->AddFont(kSans, "My Font", true, 0), "My Font");
    EXPECT_EQ(writer->AddFont(kSerifBoldItalic, "SerifFace", true, 0), "SerifFace");
    writer->SetFont("my font", 12, 0, 0);
    writer->DrawText(30, 70, "Minuscules");
    writer->SetFont("MYFONT", 12, 0, 0);
    writer->DrawText(30, 100, "Majuscules");
    writer->SetFont("serifface", 12, 0, 0);
    writer->DrawText(30, 130, "Ensuite");
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(peer.FontCount(), 3);
    const std::string pdf = Finish();

    const auto text = RunTool("pdftotext '" + path + "' -");
    for (const char* words : {"Avant", "Minuscules", "Majuscules", "Ensuite"})
        EXPECT_NE(text.output.find(words), std::string::npos) << text.output;
    const auto fonts = RunTool("pdffonts '" + path + "'");
    EXPECT_NE(fonts.output.find("LiberationSans "), std::string::npos) << fonts.output;
    EXPECT_NE(fonts.output.find("LiberationSerifBoldItalic,BoldItalic"), std::string::npos)
        << fonts.output;
    EXPECT_EQ(testing_support::CountOf(pdf, "/FontFile2"), 2);
}

// A missing, truncated or foreign file records why and adds nothing that SetFont could find.
TEST_F(TrueType, AFileThatIsNoFontIsReportedAndAddsNothing)
{
    Open();
    PagelithTestPeer peer(*writer);
    EXPECT_EQ(writer->AddFont("/nonexistent/font.ttf", "", true, 0), "");
    EXPECT_EQ(writer->ErrNumber(), 53);
    EXPECT_EQ(writer->ErrSource(), "Pagelith.AddFont");
    EXPECT_EQ(writer->ErrDescription(), "File not found - /nonexistent/font.ttf");

    std::ifstream in(kDejaVu, std::ios::binary);
    std::string whole((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const std::size_t length : {std::size_t{0}, std::size_t{11}, std::size_t{300},
                                     whole.size() / 2}) {
        const std::string cut = testing_support::ScratchPath("truncated.ttf");
        std::ofstream(cut, std::ios::binary).write(whole.data(), static_cast<long>(length));
        const int fonts = peer.FontCount();
        EXPECT_EQ(writer->AddFont(cut, "Cut", true, 0), "") << length;
        EXPECT_EQ(writer->ErrNumber(), 9) << length;
        EXPECT_EQ(peer.FontCount(), fonts);
    }
    EXPECT_EQ(writer->AddFont(QUORVANE_SOURCE_DIR "/README.md", "Readme", true, 0), "");
    EXPECT_NE(writer->ErrNumber(), 0);
    Finish();
}

}  // namespace
}  // namespace pdf
