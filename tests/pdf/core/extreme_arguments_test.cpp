// Whatever numbers a caller passes, readers accept the file; arguments that are no numbers
// and settings that cannot work are refused where they are given.
#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "pdf/pagelith.h"
#include "pdf/pdf_tools.h"

namespace pdf {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

int ErrorNumberOf(const std::function<void()>& operation)
{
    try {
        operation();
    } catch (const Error& error) {
        return error.Number();
    }
    return 0;
}

TEST(ExtremeArguments, HugeNumbersStillMakeAFileReadersAccept)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("extreme_numbers.pdf");
    w->SetPaperSize(255, 1e30f, 1e30f);
    w->BeginDoc(path);
    int page = 0;
    w->BeginPage(page);
    w->DrawLine(0, 0, 1e38f, -1e38f, 0);
    w->AxisScaling(1e20f, 1e-20f);
    w->SetFont("Arial", 1e9f, 0, 0);
    w->DrawText(3e30f, 10, "loin");
    const std::string file = testing_support::FinishChecked(*w, path);
    EXPECT_NE(file.find("/MediaBox [0 0 14400 14400]"), std::string::npos);
    EXPECT_NE(file.find("32767"), std::string::npos);
    EXPECT_EQ(file.find("100000000"), std::string::npos);
}

TEST(ExtremeArguments, NotANumberIsRefusedBeforeAnythingIsWritten)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("extreme_nan.pdf");
    w->BeginDoc(path);
    int page = 0;
    w->BeginPage(page);
    EXPECT_EQ(ErrorNumberOf([&] { w->AxisScaling(kNaN, 1); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->SetFontSize(kNaN); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->SetPaperSize(255, 100, kInf); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->DrawPolyline({0, 0, kInf, 1}, 0); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->DrawTextBox(0, 0, kNaN, 10, "x"); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->DefineRef("here", 1, kNaN, 0, 0, 0, 0); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->LinkTo("http://a.b", 0, 0, 0, 0, 0, 0, 0, kInf); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->DrawNote("n", 0, kNaN, 10, 10, 0, 0, 0, 0, 0); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->DrawPlaceHolder("p", 0, 0, 0, kInf, 10, 0); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->DrawField("f", 0, 0, 0, 10, kNaN, "", "", "", 0); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->ImportPage(path, 1, kNaN, 0, 0, 0); }), 5);
    w->SetFont("Arial", 12, 0, 0);
    w->DrawText(10, 20, "visible");
    const std::string file = testing_support::FinishChecked(*w, path);
    EXPECT_EQ(file.find(" 0 0 0 0 cm"), std::string::npos);
    EXPECT_EQ(file.find(" 0 Tf"), std::string::npos);
    EXPECT_NE(testing_support::RunTool("pdftotext '" + path + "' -").output.find("visible"),
              std::string::npos);
}

TEST(ExtremeArguments, UnusableSettingsFailWhereTheyAreGiven)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("extreme_settings.pdf");
    int page = 0;
    EXPECT_EQ(ErrorNumberOf([&] { w->BeginPage(page); }), 52);
    w->BeginDoc(path);
    w->SetCompression(2 + 256 * 5, 0, 0);
    EXPECT_EQ(ErrorNumberOf([&] { w->SetCompression(2 + 256 * 6, 0, 0); }), 5);
    EXPECT_EQ(ErrorNumberOf([&] { w->SetCompression(0, 4 + 256 * 4, 0); }), 5);
    page = 0;
    w->BeginPage(page);
    w->DrawLine(0, 0, 100, 100, 0);
    w->EndPage();
    const std::string file = testing_support::FinishChecked(*w, path);
    EXPECT_NE(file.find("/FlateDecode"), std::string::npos);  // the level-5 setting stayed
}

}  // namespace
}  // namespace pdf
