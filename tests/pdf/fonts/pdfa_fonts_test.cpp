// PDF/A documents embed every font they use, as pdffonts sees them, and claim conformance
// only when they can.
#include <gtest/gtest.h>

#include "font_test_support.h"

namespace pdf {
namespace {

using testing_support::CountOf;
using testing_support::RunTool;

struct Sample {
    const char* family;
    int style;
    int charset;
    const char* text;
};

class PdfaFonts : public ::testing::Test {
protected:
    void Open()
    {
        writer = testing_support::PinnedWriter();
        path = testing_support::CaseOutputPath("pdfa_fonts_");
        writer->SetPDFa(true);
        writer->BeginDoc(path);
        int page = 0;
        writer->BeginPage(page);
    }
    void Draw(const Sample& sample, float y)
    {
        writer->SetFont(sample.family, 14, sample.style, sample.charset);
        writer->DrawText(40, y, sample.text);
    }
    std::string Finish()
    {
        const std::string pdf = testing_support::FinishChecked(*writer, path);
        return pdf;
    }

    std::unique_ptr<Pagelith> writer;
    std::string path;
};

TEST_F(PdfaFonts, EveryStandardFamilyIsEmbeddedAndReadsBack)
{
    const Sample samples[] = {
        {"Arial", 0, 0, "Réunion à 10 h"},       {"Helvetica", 1, 0, "Salle Été"},
        {"Times New Roman", 2, 0, "Ordre du jour"}, {"Courier", 3, 0, "Code 42"},
        {"Arial", 0, 238, "Příliš žluťoučký"},   {"Unknown Face", 0, 0, "Autre"},
    };
    Open();
    float y = 40;
    for (const Sample& sample : samples) {
        Draw(sample, y);
        y += 30;
    }
    const std::string pdf = Finish();

    const auto fonts = RunTool("pdffonts '" + path + "'");
    ASSERT_EQ(fonts.status, 0) << fonts.output;
    // Arial twice (Western and Central European) and the unknown face as Arial: six fonts,
    // four faces, every one a TrueType font embedded whole.
    EXPECT_EQ(CountOf(fonts.output, "TrueType"), 6) << fonts.output;
    EXPECT_EQ(CountOf(fonts.output, " yes no "), 6) << fonts.output;
    const auto text = RunTool("pdftotext -enc UTF-8 '" + path + "' -");
    for (const Sample& sample : samples)
        EXPECT_NE(text.output.find(sample.text), std::string::npos) << text.output;
    EXPECT_NE(pdf.find("<pdfaid:part>1</pdfaid:part>"), std::string::npos);
}

// A TrueType face added for a non-Western charset keeps its letters: each is drawn and
// read back, with every face embedded and the claim kept.
TEST_F(PdfaFonts, AddedFacesKeepTheirCharsetsLetters)
{
    const std::string liberation = "/usr/share/fonts/truetype/liberation/";
    struct Added {
        std::string file;
        const char* name;
        int charset;
        const char* text;
    };
    const Added faces[] = {
        {liberation + "LiberationSans-Regular.ttf", "SansGreek", 161, "Καλημέρα κόσμε"},
        {liberation + "LiberationSans-Regular.ttf", "SansTurkish", 162, "Şişli ağacı İğne"},
        {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVuBaltic", 186,
         "Ąžuolas Šiaulių Rīga"},
        {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVuCyrillic", 204,
         "Привет мир"},
        {liberation + "LiberationSerif-BoldItalic.ttf", "SerifPolish", 238, "Zażółć gęślą jaźń"},
    };
    Open();
    float y = 40;
    for (const Added& face : faces) {
        ASSERT_EQ(writer->AddFont(face.file, face.name, false, face.charset), face.name)
            << writer->ErrDescription();
        Draw({face.name, 0, face.charset, face.text}, y);
        y += 30;
    }
    const std::string pdf = Finish();

    const auto fonts = RunTool("pdffonts '" + path + "'");
    EXPECT_EQ(CountOf(fonts.output, " yes no "), 5) << fonts.output;
    const auto text = RunTool("pdftotext -enc UTF-8 '" + path + "' -");
    for (const Added& face : faces)
        EXPECT_NE(text.output.find(face.text), std::string::npos) << text.output;
    EXPECT_NE(pdf.find("<pdfaid:part>1</pdfaid:part>"), std::string::npos);
}

// Symbol has no face to embed, so the document cannot be PDF/A and does not say it is.
TEST_F(PdfaFonts, AFontThatCannotBeEmbeddedDropsTheClaim)
{
    Open();
    Draw({"Arial", 0, 0, "Alpha"}, 40);
    Draw({"Symbol", 0, 0, "abg"}, 70);
    const std::string pdf = Finish();
    const auto fonts = RunTool("pdffonts '" + path + "'");
    EXPECT_NE(fonts.output.find("Symbol"), std::string::npos) << fonts.output;
    EXPECT_EQ(pdf.find("pdfaid"), std::string::npos);
}

}  // namespace
}  // namespace pdf
