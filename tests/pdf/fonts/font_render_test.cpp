// A page of text in several scripts and families, read back and rendered by other readers.
#include <gtest/gtest.h>

#include <filesystem>

#include "font_test_support.h"

namespace pdf {
namespace {

using testing_support::RunTool;

struct Line {
    const char* family;
    int style;
    int charset;
    const char* text;
    const char* readBack;  // what a reader extracts
};

const Line kLines[] = {
    {"Arial", 0, 204, "Съешь же ещё этих мягких булок", "Съешь же ещё этих мягких булок"},
    {"Arial", 1, 161, "Καλή νύχτα, Ωραίο ταξίδι", "Καλή νύχτα, Ωραίο ταξίδι"},
    {"Times", 2, 238, "Příliš žluťoučký kůň", "Příliš žluťoučký kůň"},
    {"Courier", 0, 162, "Şişli ığdır", "Şişli ığdır"},
    {"Times", 0, 186, "Ąžuolas ėjo", "Ąžuolas ėjo"},
    {"Arial", 0, 0, "Déjà vu – 10 €", "Déjà vu – 10 €"},
    {"Symbol", 0, 0, "abg", "αβγ"},
};

TEST(FontRendering, ScriptsAreShownAndReadBack)
{
    auto writer = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("fonts_scripts.pdf");
    writer->BeginDoc(path);
    int page = 0;
    writer->BeginPage(page);
    PagelithTestPeer peer(*writer);
    float y = 40;
    for (const Line& line : kLines) {
        writer->SetFont(line.family, 16, line.style, line.charset);
        peer.PutLine(font_testing::ShowText(peer, 16, 30, y, line.text));
        y += 30;
    }
    writer->EndDoc();

    testing_support::ExpectSoundFile(path);
    const auto text = RunTool("pdftotext -enc UTF-8 '" + path + "' -");
    ASSERT_EQ(text.status, 0) << text.output;
    for (const Line& line : kLines)
        EXPECT_NE(text.output.find(line.readBack), std::string::npos) << line.readBack;

    const std::filesystem::path shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    const std::string image = (shots / "fonts_scripts").string();
    const auto render = RunTool("pdftoppm -r 60 -png -singlefile '" + path + "' '" + image + "'");
    EXPECT_EQ(render.status, 0) << render.output;
    EXPECT_GT(std::filesystem::file_size(image + ".png"), 2000u);
}

}  // namespace
}  // namespace pdf
