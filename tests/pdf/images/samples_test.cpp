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

}  // namespace
}  // namespace pdf
