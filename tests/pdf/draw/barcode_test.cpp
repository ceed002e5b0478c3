// Barcodes as a scanner reads them off a rendered page, and their bars as the content holds
// them.
#include <gtest/gtest.h>

#include <cmath>
#include <sstream>
#include <vector>

#include "draw_test_support.h"

namespace pdf {
namespace {

using testing_support::CountOf;
using testing_support::RunTool;

class Barcodes : public draw_testing::DrawingTest {
protected:
    // The bars of the content in order: x, y, width, height of each "re f*".
    std::vector<std::array<float, 4>> Bars()
    {
        std::vector<std::array<float, 4>> bars;
        std::istringstream lines(Content());
        std::string line;
        while (std::getline(lines, line, '\r')) {
            std::istringstream in(line);
            std::array<float, 4> bar{};
            std::string op;
            if (in >> bar[0] >> bar[1] >> bar[2] >> bar[3] >> op && op == "re")
                bars.push_back(bar);
        }
        return bars;
    }
};

// Every symbology a scanner knows, decoded at 600 dpi, check digits where it reports them.
TEST(BarcodeScan, AScannerReadsEverySymbologyBack)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("draw_barcodes_scanned.pdf");
    w->BeginDoc(path);
    int page = 0;
    w->BeginPage(page);
    w->SetColorFill("Black");  // bars are painted in the fill colour
    struct Case {
        int type;
        std::string data;
        bool addCheck;
        std::string read;
    };
    const Case cases[] = {
        {4, "Quorvane-2026", false, "CODE-128:Quorvane-2026"},
        {4, "AB123456CD", false, "CODE-128:AB123456CD"},
        {1, "PLAN 42", false, "CODE-39:PLAN 42"},
        {0, "400638133393", false, "EAN-13:4006381333931"},
        {5, "9638507", false, "EAN-8:96385074"},
        {2, "12345670", false, "I2/5:12345670"},
    };
    float y = 20;
    for (const Case& c : cases) {
        EXPECT_GT(w->DrawBarCode(c.type, c.data, 20, y, true, 1, 0, c.addCheck), 0) << c.data;
        y += 110;
    }
    testing_support::FinishChecked(*w, path);
    const std::string image = testing_support::OutputPath("barcodes_600dpi");
    RunTool("pdftoppm -r 600 -aa no -aaVector no -png -singlefile '" + path + "' '" + image + "'");
    const auto read = RunTool("zbarimg --quiet -Si25.enable '" + image + ".png'");
    for (const Case& c : cases)
        EXPECT_NE(read.output.find(c.read + "\n"), std::string::npos) << read.output;
}

// Code 128 packs digit runs in set C only where they pay: a symbol is 11 modules, the stop
// 13, quiet zones 10 and 9, a module 0.72 points.
TEST_F(Barcodes, Code128ChoosesItsCodeSetByDigitRuns)
{
    auto modules = [&](const std::string& data) {
        return w->DrawBarCode(4, data, 0, 0, false, 1, 0, false) / 0.72f;
    };
    EXPECT_NEAR(modules("1234"), 10 + 11 * 4 + 13 + 9, 1e-3);    // Start C, 12, 34, check
    EXPECT_NEAR(modules("123"), 10 + 11 * 5 + 13 + 9, 1e-3);     // set B throughout
    EXPECT_NEAR(modules("A12345"), 10 + 11 * 7 + 13 + 9, 1e-3);  // A, 1, CODE C, 23, 45
    EXPECT_NEAR(modules("12345"), 10 + 11 * 6 + 13 + 9, 1e-3);   // 12, 34, CODE B, 5
    EXPECT_FLOAT_EQ(w->DrawBarCode(4, "1234", 0, 0, false, 0.5f, 0, false),
                    w->DrawBarCode(4, "1234", 0, 0, false, 0.8f, 0, false));
    Content();
    // One rectangle per dark module: Start C 211232, 12 112232, 34 131123,
    // check (105 + 12 + 2 * 34) % 103 = 82 121241, stop 2331112.
    w->DrawBarCode(4, "1234", 0, 0, false, 1, 0, false);
    EXPECT_EQ(Bars().size(), 6u + 6 + 4 + 6 + 8);
}

// Text a symbology cannot carry draws nothing at all.
TEST_F(Barcodes, UnencodableDataDrawsNothing)
{
    Content();
    EXPECT_EQ(w->DrawBarCode(4, "tab\there", 0, 0, false, 1, 0, false), 0);
    EXPECT_EQ(w->DrawBarCode(4, "é", 0, 0, false, 1, 0, false), 0);
    EXPECT_EQ(w->DrawBarCode(4, "", 0, 0, false, 1, 0, false), 0);
    EXPECT_EQ(w->DrawBarCode(1, "A*B", 0, 0, false, 1, 0, false), 0);
    EXPECT_EQ(w->DrawBarCode(1, "Café", 0, 0, false, 1, 0, false), 0);
    EXPECT_EQ(w->DrawBarCode(0, "12345678901", 0, 0, false, 1, 0, false), 0);
    EXPECT_EQ(w->DrawBarCode(5, "12a4567", 0, 0, false, 1, 0, false), 0);
    for (const char* data : {"12A4", "", " 12", "1.5"})
        EXPECT_EQ(w->DrawBarCode(2, data, 0, 0, false, 1, 0, true), 0) << data;
    for (const char* data : {"ABCDE", "", "1234", "1234A", "12345-67a9", "12345 "})
        EXPECT_EQ(w->DrawBarCode(3, data, 0, 0, false, 1, 0, false), 0) << data;
    EXPECT_EQ(Content(), "");
    EXPECT_EQ(w->DrawBarCode(6, "123", 0, 0, true, 1, 0, false), 0);
    EXPECT_EQ(w->DrawBarCode(-1, "123", 0, 0, false, 1, 0, false), 0);
    EXPECT_EQ(CountOf(Content(), " re f*"), 0);
}

// A barcode whose text would stand beyond the writable range fails, and the text drawn
// after it is in the font chosen before.
TEST(BarcodeFailure, AFailedBarcodeLeavesTheStateAsBefore)
{
    struct Case {
        int type;
        const char* code;
    };
    const Case cases[] = {{1, "ABC"}, {2, "1234"}, {3, "12345"}, {4, "abc"}, {5, "1234567"}};
    for (const Case& c : cases) {
        auto w = testing_support::PinnedWriter();
        std::string path = testing_support::CaseOutputPath("barcode_" + std::to_string(c.type) + "_");
        w->SetScale(255, 1e-37f);
        w->BeginDoc(path);
        int page = 0;
        w->BeginPage(page);
        w->SetFont("Times New Roman", 12, 0, 0);
        EXPECT_THROW(w->DrawBarCode(c.type, c.code, 3e38f, 0, true, 1, 0, false), Error) << c.type;
        w->DrawText(0, 0, "after", 0);
        testing_support::FinishChecked(*w, path);
        const std::string content =
            RunTool("/usr/bin/python3 -c \"import pikepdf, sys\n"
                    "pdf = pikepdf.open(sys.argv[1])\n"
                    "print(pdf.pages[0].obj.Contents.read_bytes().decode())\" '" +
                    path + "'")
                .output;
        const auto text = content.rfind("BT");
        ASSERT_NE(text, std::string::npos) << content;
        EXPECT_NE(content.find("TimesNewRoman 12 Tf", text), std::string::npos) << content;
    }
}

TEST_F(Barcodes, Code39WidthsAndItsCheckCharacter)
{
    // *ABC* is 5 characters of 15 modules, gaps of 1 and 2 before the stop: 100 modules.
    EXPECT_NEAR(w->DrawBarCode(1, "ABC", 0, 0, false, 1, 0, false) / 0.72f, 100, 1e-3);
    EXPECT_NEAR(w->DrawBarCode(1, "ABC", 0, 0, false, 1, 0, true) / 0.72f, 117, 1e-3);
    // a is +A; a tab is $I: two symbols each.
    EXPECT_NEAR(w->DrawBarCode(1, "a\t", 0, 0, false, 1, 0, false) / 0.72f, 10 + 16 * 6 + 1 + 9,
                1e-3);
    EXPECT_NEAR(w->DrawBarCode(1, "", 0, 0, false, 1, 0, false) / 0.72f, 19, 1e-3);
    Content();
    w->SetLineWidth(2);
    Content();
    w->DrawBarCode(1, "ABC", 0, 0, false, 1, 0, true);
    const std::string content = Content();
    EXPECT_EQ(CountOf(content, " l S"), 6 * 5);  // five bars per character
    EXPECT_EQ(content.substr(content.rfind(" l S") + 5), "2 w");  // the width put back
}

// EAN guards reach into the text band; the check digit is always computed.
TEST_F(Barcodes, EanGuardsAndCheckDigits)
{
    const float m = 0.936f;
    EXPECT_NEAR(w->DrawBarCode(0, "111111111111", 0, 0, false, 1, 0, false), 113 * m, 1e-3);
    const auto plain = Bars();
    EXPECT_NEAR(w->DrawBarCode(0, "1111111111119", 0, 0, false, 1, 0, false), 113 * m, 1e-3);
    EXPECT_EQ(Bars(), plain);
    EXPECT_FLOAT_EQ(plain[0][3], 64.8f);
    EXPECT_FLOAT_EQ(plain[2][0], 46 * m + 11 * m);  // the centre guard

    w->DrawBarCode(5, "1111111", 0, 0, true, 1, 0, false);
    const auto shown = Bars();
    EXPECT_FLOAT_EQ(shown[0][3], 48.96f + 4.68f);  // guard
    EXPECT_FLOAT_EQ(shown[6][3], 48.96f);          // data
}

// The check symbol of a very long text: 104 + 33 x (1 + ... + 100,000) is 0 modulo 103,
// whose pattern 212222 comes right before the stop's 2331112.
TEST_F(Barcodes, Code128CheckSumOfAVeryLongText)
{
    const std::string text(100000, 'A');
    const float width = w->DrawBarCode(4, text, 0, 0, false, 1, 0, false);
    Content();
    // Placed so that its end lies on the page, where coordinates are written exactly.
    w->DrawBarCode(4, text, 100 - width, 0, false, 1, 0, false);
    const auto bars = Bars();
    ASSERT_GT(bars.size(), 14u);
    std::string modules(24, '0');
    const auto first = bars.end() - 14;  // one rectangle per dark module
    for (auto bar = first; bar != bars.end(); ++bar)
        modules[static_cast<std::size_t>(std::lround(((*bar)[0] - (*first)[0]) / 0.72f))] = '1';
    EXPECT_EQ(modules, "11011001100" "1100011101011");
}

TEST_F(Barcodes, Interleaved2of5PadsOddLengthsAndPostnetHasHalfBars)
{
    // 123 is drawn as 0123; 1234 with its check digit 8 as 012348.
    EXPECT_FLOAT_EQ(w->DrawBarCode(2, "123", 0, 0, false, 1, 0, false) / 0.72f,
                    20 + 2 * 18);
    EXPECT_NEAR(w->DrawBarCode(2, "1234", 0, 0, false, 1, 0, true) / 0.72f, 20 + 3 * 18, 1e-3);
    Content();

    EXPECT_NEAR(w->DrawBarCode(3, "12345", 0, 0, false, 1, 0, false), 129.6f, 1e-3);
    std::string heights;
    for (const auto& bar : Bars())
        heights += bar[3] == 9 ? '1' : '0';
    // Frame, 1 to 5, check digit 5, frame.
    EXPECT_EQ(heights, "1" "00011" "00101" "00110" "01001" "01010" "01010" "1");
    w->DrawBarCode(3, "12345-6789", 0, 0, false, 1, 0, false);
    EXPECT_EQ(Bars().size(), 52u);
    w->DrawBarCode(3, "123456789", 0, 0, false, 1, 0, false);
    EXPECT_EQ(Bars().size(), 32u);
}

}  // namespace
}  // namespace pdf
