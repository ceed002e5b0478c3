// Images written by Pillow and ImageMagick in every variant we read, embedded and rendered:
// the pixels match what the files hold.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "image_test_support.h"

namespace pdf {
namespace {

using namespace image_testing;

TEST(ImageSamples, RenderedPixelsMatchTheFiles)
{
    const std::string folder = Samples();
    const std::string path = testing_support::OutputPath("images_samples.pdf");
    auto w = testing_support::PinnedWriter();
    std::string name = path;
    w->BeginDoc(name);
    w->SetCompression(0, 2, 0);  // pixel data compressed, JPEG and PNG data as they are
    w->SetPaperSize(255, 100, 100);  // whole points: pixels of the rendering meet the image's
    std::ifstream manifest(folder + "/manifest.txt");
    std::string file;
    int frame = 0;
    int samples = 0;
    while (manifest >> file >> frame) {
        int page = 0;
        w->BeginPage(page);
        w->DrawImage(folder + "/" + file, 0, 0, 0, 0, frame);
        EXPECT_EQ(w->ErrNumber(), 0) << file << ": " << w->ErrDescription();
        w->EndPage();
        ++samples;
    }
    EXPECT_GE(samples, 40);
    testing_support::FinishChecked(*w, path);
    const auto compared = testing_support::RunTool(
        "/usr/bin/python3 '" QUORVANE_SOURCE_DIR "/scripts/image_samples.py' check '" + path +
        "' '" + folder + "'");
    EXPECT_EQ(compared.status, 0) << compared.output;
    EXPECT_EQ(testing_support::CountOf(compared.output, "ok "), samples) << compared.output;
}

TEST(ImageSamples, RefusedVariantsNameTheirReasonAndTheDocumentGoesOn)
{
    const std::string folder = Samples();
    const std::string path = testing_support::OutputPath("images_refused.pdf");
    auto w = testing_support::PinnedWriter();
    PagelithTestPeer peer(*w);
    std::string name = path;
    w->BeginDoc(name);
    int page = 0;
    w->BeginPage(page);
    std::ifstream listing(folder + "/refused.txt");
    std::string line;
    while (std::getline(listing, line)) {
        const std::string file = folder + "/" + line.substr(0, line.find('|'));
        const std::string reason = line.substr(line.find('|') + 1);
        w->DrawImage(file, 0, 0, 10, 10);
        if (reason.empty()) {
            EXPECT_EQ(w->ErrNumber(), 0) << file;
            EXPECT_NE(peer.PageContent(), "") << file;
        } else {
            EXPECT_EQ(w->ErrNumber(), 321) << file;
            EXPECT_EQ(w->ErrDescription(), reason + " - " + file);
            EXPECT_EQ(peer.PageContent(), "") << file;
        }
        peer.ClearPageContent();
        w->Abort();
        w->BeginDoc(name);
        w->BeginPage(page);
    }
    testing_support::FinishChecked(*w, path);
}

// Files written by Pillow and ImageMagick store CMYK inverted, as their Adobe marker says:
// a red one must show red in both readers, not a dark negative.
TEST(ImageSamples, CmykJpegsShowTheirColours)
{
    const std::string pil = testing_support::ScratchPath("red_pil_cmyk.jpg");
    const std::string magick = testing_support::ScratchPath("red_magick_cmyk.jpg");
    const auto made = testing_support::RunTool(
        "/usr/bin/python3 -c \"import sys; from PIL import Image; Image.new('CMYK', (8, 8), "
        "(0, 255, 255, 0)).save(sys.argv[1])\" '" + pil + "' && convert -size 8x8 xc:red "
        "-colorspace CMYK '" + magick + "'");
    ASSERT_EQ(made.status, 0) << made.output;
    const std::string path = testing_support::OutputPath("images_cmyk.pdf");
    auto w = testing_support::PinnedWriter();
    std::string name = path;
    w->BeginDoc(name);
    w->SetPaperSize(255, 40, 20);
    int page = 0;
    w->BeginPage(page);
    w->DrawImage(pil, 0, 0, 20, 20);
    w->DrawImage(magick, 20, 0, 20, 20);
    EXPECT_EQ(w->ErrNumber(), 0);
    testing_support::FinishChecked(*w, path);

    const std::string shown = testing_support::ScratchPath("cmyk");
    const auto pixels = testing_support::RunTool(
        "pdftoppm -r 72 -png -singlefile '" + path + "' '" + shown + "_poppler' && mutool draw "
        "-q -N -r 72 -o '" + shown + "_mupdf.png' '" + path + "' && /usr/bin/python3 -c \"import "
        "sys; from PIL import Image\nfor f in sys.argv[1:]:\n p = Image.open(f).convert('RGB')\n"
        " print(*('red' if r > 200 and g < 80 and b < 80 else (r, g, b) for r, g, b in "
        "(p.getpixel((10, 10)), p.getpixel((30, 10)))))\" '" + shown + "_poppler.png' '" +
        shown + "_mupdf.png'");
    EXPECT_EQ(pixels.output, "red red\nred red\n");
}

}  // namespace
}  // namespace pdf
