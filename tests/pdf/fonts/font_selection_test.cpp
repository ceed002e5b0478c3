// Font selection: which record a family, style and character set choose, and when a font
// object is written.
#include <gtest/gtest.h>

#include "font_test_support.h"
#include "pdf/fonts/code_pages.h"
#include "pdf/fonts/width_tables.h"

namespace pdf {
namespace {

using testing_support::CountOf;

class FontSelection : public ::testing::Test {
protected:
    void SetUp() override
    {
        writer = testing_support::PinnedWriter();
        path = testing_support::CaseOutputPath("fonts_selection_");
        writer->BeginDoc(path);
    }

    std::string Finish() { return testing_support::FinishChecked(*writer, path); }

    std::unique_ptr<Pagelith> writer;
    std::string path;
};

TEST_F(FontSelection, HelveticaIsArialAtTheDefaultSize)
{
    PagelithTestPeer peer(*writer);
    writer->SetFont("Helvetica", 0, 0, 0);
    EXPECT_EQ(peer.FontFullName(), "Arial");
    EXPECT_EQ(peer.FontName(), "Helvetica");
    EXPECT_EQ(peer.FontSize(), 10);
    ASSERT_EQ(peer.FontCount(), 1);
    EXPECT_EQ(peer.FontIndex(), 1);
    const FontRecord& font = peer.Font(1);
    EXPECT_EQ(font.Key, "ARIAL");
    EXPECT_FALSE(font.IsTrueType);
    EXPECT_EQ(font.BaseFont, "Arial");
    EXPECT_EQ(font.LineHeight, 1221);
    EXPECT_EQ(font.Descent, -221);
    EXPECT_EQ(font.Widths[65], 667);
    EXPECT_EQ(font.Differences, "");
    EXPECT_EQ(peer.FontRes(), "/" + peer.ResPrefix() + "Arial 4 0 R ");
    Finish();
}

TEST_F(FontSelection, StyleAndCharsetSuffixes)
{
    PagelithTestPeer peer(*writer);
    struct Case {
        const char* name;
        int style;
        int charset;
        const char* fullName;
        const char* baseFont;
    };
    const Case cases[] = {
        {"times new roman", 3, 238, "TimesNewRoman,BoldItalic-238", "TimesNewRoman,BoldItalic"},
        {"Courier", 2, 0, "CourierNew,Italic", "CourierNew,Italic"},
        {"COURIERNEW", 1, 204, "CourierNew,Bold-204", "CourierNew,Bold"},
        {"Times", 0, 161, "TimesNewRoman-161", "TimesNewRoman"},
        {"arial", 1, 0, "Arial,Bold", "Arial,Bold"},
        {"Arial", 0, -1, "Arial--1", "Arial"},
        {"Symbol", 1, 0, "Symbol", "Symbol"},
        {"zapf dingbats", 3, 0, "ZapfDingbats", "ZapfDingbats"},
        {"My Font", 1, 0, "MyFont", "Arial,Bold"},
    };
    for (const Case& c : cases) {
        writer->SetFont(c.name, 12, c.style, c.charset);
        EXPECT_EQ(peer.FontFullName(), c.fullName) << c.name;
        const FontRecord& font = peer.Font(peer.FontIndex());
        EXPECT_EQ(font.Key, UpperAscii(c.fullName));
        EXPECT_EQ(font.BaseFont, c.baseFont);
        EXPECT_EQ(font.Charset, c.charset);
        // Kept even where the name takes no style, for the text operations.
        EXPECT_EQ(peer.FontStyle(), c.style);
    }
    EXPECT_EQ(peer.FontCount(), 9);
    EXPECT_EQ(peer.Font(1).Differences.rfind("[128 /Euro 130 /quotesinglbase", 0), 0u);
    EXPECT_EQ(peer.Font(7).Differences, "");
    Finish();
}

TEST_F(FontSelection, ASecondSelectionFindsTheRecordAndWritesNothing)
{
    PagelithTestPeer peer(*writer);
    writer->SetFont("times new roman", 12, 3, 238);
    const int objects = peer.ObjCount();
    writer->SetFont("Arial", 9, 0, 0);
    writer->SetFont("TimesNewRoman", 20, 3 + 4 + 8 + 16, 238);
    EXPECT_EQ(peer.FontIndex(), 1);
    EXPECT_EQ(peer.FontCount(), 2);
    EXPECT_EQ(peer.ObjCount(), objects + 1);
    EXPECT_EQ(peer.FontSize(), 20);
    EXPECT_EQ(peer.FontStyle(), 31);
    const std::string file = Finish();
    EXPECT_EQ(CountOf(file, "/Type /Font "), 2);
}

TEST_F(FontSelection, EachCharsetOfAFamilyIsItsOwnFont)
{
    PagelithTestPeer peer(*writer);
    writer->SetFont("Arial", 12, 0, 0);
    writer->SetFont("Arial", 12, 0, 238);
    ASSERT_EQ(peer.FontCount(), 2);
    EXPECT_EQ(peer.Font(1).Differences, "");
    EXPECT_EQ(peer.Font(2).Differences, GetCodePageDifferences(238));
    EXPECT_EQ(peer.Font(1).Widths, kArialWidths[static_cast<int>(CodePage::k1252)][0]);
    EXPECT_EQ(peer.Font(2).Widths, kArialWidths[static_cast<int>(CodePage::k1250)][0]);
    // A number without a code page of its own has the Western widths and differences.
    writer->SetFont("Arial", 12, 0, 300);
    EXPECT_EQ(peer.FontFullName(), "Arial-300");
    EXPECT_EQ(peer.Font(3).Widths, peer.Font(1).Widths);
    EXPECT_EQ(peer.Font(3).Differences, GetCodePageDifferences(0));
    const std::string file = Finish();
    EXPECT_EQ(CountOf(file, "/Type /Font "), 3);
}

TEST_F(FontSelection, FontsWithoutACharsetInTheirNameAreOneFontForEveryCharset)
{
    PagelithTestPeer peer(*writer);
    writer->SetFont("Symbol", 10, 0, 0);
    writer->SetFont("Symbol", 10, 0, 204);
    writer->SetFont("ZapfDingbats", 10, 0, 238);
    writer->SetFont("ZapfDingbats", 10, 0, 0);
    writer->SetFont("My Font", 10, 1, 0);
    writer->SetFont("MyFont", 10, 0, 161);
    EXPECT_EQ(peer.FontCount(), 3);
    EXPECT_EQ(peer.FontIndex(), 3);
    EXPECT_EQ(peer.FontCharset(), 161);
    const std::string res = peer.FontRes();
    EXPECT_EQ(CountOf(res, "/" + peer.ResPrefix() + "Symbol "), 1);
    EXPECT_EQ(CountOf(res, "/" + peer.ResPrefix() + "ZapfDingbats "), 1);
    EXPECT_EQ(CountOf(res, "/" + peer.ResPrefix() + "MyFont "), 1);
    Finish();
}

TEST_F(FontSelection, SizeRules)
{
    PagelithTestPeer peer(*writer);
    writer->SetFontSize(0);
    writer->SetFont("Arial", 0, 0, 0);
    EXPECT_EQ(peer.FontSize(), 10);
    writer->SetFont("Arial", 14, 0, 0);
    writer->SetFont("Courier", 0, 0, 0);
    EXPECT_EQ(peer.FontSize(), 14);
    writer->SetFontSize(-3);
    EXPECT_EQ(peer.FontSize(), -3);
    writer->SetFontSize(0);
    EXPECT_EQ(peer.FontSize(), 0);
    EXPECT_EQ(peer.FontFullName(), "CourierNew");
    writer->SetFont("Courier", 0, 0, 0);
    EXPECT_EQ(peer.FontSize(), 10);
    EXPECT_EQ(peer.FontCount(), 2);
    Finish();
}

TEST_F(FontSelection, ANewFontNeedsAnOpenDocument)
{
    PagelithTestPeer peer(*writer);
    writer->SetFont("Arial", 11, 0, 0);
    Finish();
    writer->SetFont("Arial", 12, 0, 0);
    EXPECT_EQ(peer.FontSize(), 12);
    try {
        writer->SetFont("Times", 13, 1, 0);
        FAIL() << "a font was written without a document";
    } catch (const Error& e) {
        EXPECT_NE(e.Number(), 0);
    }
    // The name and size are taken; no record stands for the unwritten font.
    EXPECT_EQ(peer.FontName(), "Times");
    EXPECT_EQ(peer.FontSize(), 13);
    EXPECT_EQ(peer.FontFullName(), "Arial");
    EXPECT_EQ(peer.FontCount(), 1);
}

TEST_F(FontSelection, AbortAndANewDocumentForgetTheFonts)
{
    PagelithTestPeer peer(*writer);
    writer->SetFont("Arial", 11, 0, 204);
    writer->Abort();
    EXPECT_EQ(peer.FontCount(), 0);
    EXPECT_EQ(peer.FontIndex(), 0);
    EXPECT_EQ(peer.FontName(), "");
    EXPECT_EQ(peer.FontSize(), 0);
    EXPECT_EQ(peer.FontCharset(), 0);
    EXPECT_EQ(peer.FontRes(), "");

    std::string unfinished = testing_support::ScratchPath("fonts_selection_unfinished.pdf");
    writer->BeginDoc(unfinished);
    writer->SetFont("Arial", 11, 0, 204);
    writer->BeginDoc(path);
    EXPECT_EQ(peer.FontCount(), 0);
    writer->SetFont("Arial", 11, 0, 204);
    EXPECT_EQ(peer.FontCount(), 1);
    const std::string file = Finish();
    EXPECT_EQ(CountOf(file, "/Type /Font "), 1);
}

}  // namespace
}  // namespace pdf
