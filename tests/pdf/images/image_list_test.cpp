// The image list and placement: sizes, operators, reuse of loaded images, failures, and
// the image objects themselves.
#include <gtest/gtest.h>

#include "image_test_support.h"
#include "pdf/core/text_utils.h"
#include "pdf/images/byte_reader.h"

namespace pdf {
namespace {

using namespace image_testing;
using Images = ImageTest;

TEST_F(Images, SizesFollowTheImageProportions)
{
    const std::string jpeg = MadeJpeg("wide.jpg", 200, 100);
    const std::string name = "/" + peer.ResPrefix() + "IMG_1 Do Q";
    const std::pair<std::array<float, 4>, std::string> cases[] = {
        {{0, 0, 0, 0}, "\rq 200 0 0 -100 0 100 cm " + name},  // one pixel a point
        {{0, 0, 50, 0}, "\rq 50 0 0 -25 0 25 cm " + name},
        {{0, 0, 0, 50}, "\rq 100 0 0 -50 0 50 cm " + name},
        {{0, 0, 30, 70}, "\rq 30 0 0 -70 0 70 cm " + name},   // as given without the flag
    };
    for (const auto& [box, line] : cases) {
        w->DrawImage(jpeg, box[0], box[1], box[2], box[3]);
        EXPECT_EQ(Content(), line);
    }
    // Fitted into the box, proportions kept.
    const std::pair<std::array<float, 2>, std::string> fitted[] = {
        {{50, 50}, "\rq 50 0 0 -25 0 25 cm " + name},
        {{10, 50}, "\rq 10 0 0 -5 0 5 cm " + name},
        {{100, 50}, "\rq 100 0 0 -50 0 50 cm " + name},
    };
    for (const auto& [box, line] : fitted) {
        w->DrawImage(jpeg, 0, 0, box[0], box[1], 1, "", true);
        EXPECT_EQ(Content(), line);
    }
    EXPECT_EQ(peer.ImageCount(), 1) << "every placement reuses the loaded image";
    Finish();
}

TEST_F(Images, RowOrderDecidesTheTurnOverAndTheBoxIsKept)
{
    w->SetPrecision(2);
    const std::string jpeg = MadeJpeg("turn.jpg", 4, 2);
    const std::string bmp = WriteScratch("turn.bmp", Bmp24(1, 1, {0, 0, 255}));
    w->DrawImage(jpeg, 10, 20, 30, 40);
    EXPECT_EQ(Content(), "\rq 30 0 0 -40 10 60 cm /" + peer.ResPrefix() + "IMG_1 Do Q");
    const float top = peer.PageHeight();
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{10, top - 20, 40, top - 60}));
    w->DrawImage(bmp, 10, 20, 30, 40);
    EXPECT_EQ(Content(), "\rq 30 0 0 40 10 20 cm /" + peer.ResPrefix() + "IMG_2 Do Q");
    Finish();
}

TEST_F(Images, NameAndFrameFindALoadedImage)
{
    const std::string folder = testing_support::ScratchPath("case");
    std::filesystem::create_directories(folder);
    const std::string lower = MadeJpeg("case/photo.jpg", 8, 8);
    const std::string upper = MadeJpeg("case/PHOTO.JPG", 4, 2);
    w->DrawImage(lower, 0, 0);
    w->DrawImage(upper, 0, 0);
    w->DrawImage(lower, 0, 0);
    EXPECT_EQ(Content(), "\rq 8 0 0 -8 0 8 cm /" + peer.ResPrefix() + "IMG_1 Do Q" +
                             "\rq 4 0 0 -2 0 2 cm /" + peer.ResPrefix() + "IMG_2 Do Q" +
                             "\rq 8 0 0 -8 0 8 cm /" + peer.ResPrefix() + "IMG_1 Do Q")
        << "names differing in case are different files";
    w->DrawImage(lower, 0, 0, 0, 0, 0);
    w->DrawImage(lower, 0, 0, 0, 0, 0);
    EXPECT_EQ(peer.ImageCount(), 4) << "frame 0 never matches the stored frame 1";
    const std::string pdf = Finish();
    EXPECT_EQ(testing_support::CountOf(pdf, "/Subtype /Image"), 4);
    EXPECT_NE(pdf.find("/ProcSet [/PDF /Text /ImageB /ImageC /ImageI]"), std::string::npos);
}

TEST_F(Images, EndingsInAnyCaseTellTheFormatAndUnknownOnesAreRefused)
{
    const Bytes jpeg = ReadBytes(MadeJpeg("logo.jpg", 8, 8));
    EXPECT_EQ(w->AddImage("logo.tif", jpeg), "");
    EXPECT_EQ(w->ErrNumber(), 321);
    EXPECT_EQ(w->AddImage("Logo.Jpg", jpeg), "Logo.Jpg");
    EXPECT_EQ(peer.Image(2).Width, 8);
    w->DrawImage("Logo.Jpg", 0, 0);
    EXPECT_EQ(Content(), "\rq 8 0 0 -8 0 8 cm /" + peer.ResPrefix() + "IMG_2 Do Q");

    w->DrawImage(WriteScratch("picture.JPEG", jpeg), 0, 0);
    EXPECT_EQ(Content(), "\rq 8 0 0 -8 0 8 cm /" + peer.ResPrefix() + "IMG_3 Do Q");
    const std::string tiff = WriteScratch("picture.tif", jpeg);
    w->DrawImage(tiff, 0, 0);
    EXPECT_EQ(Content(), "") << "nothing loaded, nothing placed";
    EXPECT_EQ(w->ErrNumber(), 321);
    EXPECT_EQ(w->ErrDescription(), "the name's ending gives no image format we read "
                                   "(GIF, BMP, JPG, JPEG, PNG, TGA) - " + tiff);
    const std::string pdf = Finish();
    EXPECT_EQ(testing_support::CountOf(pdf, "/Subtype /Image"), 2);
}

TEST_F(Images, FailedLoadsAreRecordedAndNotPlaced)
{
    const std::string missing = testing_support::ScratchPath("no-such-image.png");
    w->DrawImage(missing, 0, 0, 10, 10);
    EXPECT_EQ(w->ErrNumber(), 53);
    EXPECT_EQ(w->ErrSource(), "Pagelith.DrawImage");
    EXPECT_EQ(w->ErrDescription(), "File not found - " + missing);
    EXPECT_EQ(Content(), "");

    const std::string broken = WriteScratch("broken.gif", {'G', 'I', 'F', '8', '9', 'a', 1});
    w->DrawImage(broken, 0, 0);
    EXPECT_EQ(w->ErrNumber(), 9);
    EXPECT_EQ(w->ErrDescription(), "Subscript out of range - " + broken);
    w->DrawImage(broken, 0, 0);
    EXPECT_EQ(Content(), "") << "the empty entry is found again and still not placed";

    w->AddImage("memory.png", {0x89, 'P', 'N', 'G'});
    EXPECT_EQ(w->ErrDescription(), "the data are not a PNG image")
        << "data given in memory have no file name to name";

    // A JPEG cut short, in its tables or in its picture, is refused like any other image.
    const Bytes jpeg = ReadBytes(MadeJpeg("whole.jpg", 64, 64));
    w->AddImage("head.jpg", Bytes(jpeg.begin(), jpeg.begin() + 200));
    EXPECT_EQ(w->ErrNumber(), 321);
    EXPECT_EQ(w->ErrDescription(), "the JPEG data have no scan");
    const std::string cut = WriteScratch("cut.jpg", Bytes(jpeg.begin(), jpeg.end() - 2));
    w->DrawImage(cut, 0, 0);
    EXPECT_EQ(w->ErrDescription(), "the JPEG data end inside their scan - " + cut);
    EXPECT_EQ(Content(), "");
    EXPECT_EQ(peer.XObjectRes(), "");
    Finish();
}

TEST_F(Images, ObjectsDescribeTheirColourSpaces)
{
    const int jpeg = peer.WriteImageObject(0, {1, 2}, {}, 1, 1, 32, "DeviceCMYK", "/DCTDecode ", "");
    const int indexed = peer.WriteImageObject(3, Bytes(4), Bytes(768), 2, 2, 8, "", "", "0 0");
    const int png = peer.WriteImageObject(5, {1}, Bytes(48), 3, 3, 4, "Indexed", "/FlateDecode", "");
    const int grey = peer.WriteImageObject(6, {1}, {}, 3, 3, 2, "DeviceGray", "/FlateDecode", "");
    const int rgb = peer.WriteImageObject(1, Bytes(3), {}, 1, 1, 24, "", "", "");
    w->EndPage();
    const std::string pdf = testing_support::FinishChecked(*w, path);
    auto object = [&](int n) {
        const auto at = pdf.find("\n" + std::to_string(n) + " 0 obj");
        return pdf.substr(at, pdf.find("stream", at) - at);
    };
    const std::string head = "<< /Type /XObject /Subtype /Image /Name /Im";
    EXPECT_NE(object(jpeg).find(head + " /Width 1 /Height 1\n/BitsPerComponent 8 /ColorSpace "
                                "/DeviceCMYK\n/Filter [/DCTDecode ]"),
              std::string::npos) << object(jpeg);
    EXPECT_NE(object(indexed).find("/Mask [0 0]\n/BitsPerComponent 8 /ColorSpace [/Indexed "
                                   "/DeviceRGB 255 " + std::to_string(indexed + 1) + " 0 R]"),
              std::string::npos) << object(indexed);
    EXPECT_NE(object(png).find("/BitsPerComponent 4 /ColorSpace [/Indexed /DeviceRGB 15 " +
                               std::to_string(png + 1) + " 0 R]\n/Filter /FlateDecode\n"
                               "/DecodeParms <</Predictor 15 /Colors 1 /BitsPerComponent 4 "
                               "/Columns 3>>"),
              std::string::npos) << object(png);
    EXPECT_NE(object(grey).find("/BitsPerComponent 2 /ColorSpace /DeviceGray\n"),
              std::string::npos) << object(grey);
    EXPECT_NE(object(rgb).find("/BitsPerComponent 8 /ColorSpace /DeviceRGB\n/Length 3"),
              std::string::npos) << object(rgb);
    EXPECT_NE(object(indexed + 1).find("<<\n/Length 768 >>"), std::string::npos);
    EXPECT_NE(object(png + 1).find("<<\n/Length 48 >>"), std::string::npos);
    EXPECT_EQ(testing_support::CountOf(pdf, "/Length 48 >>"), 1) << "only indexed images have palettes";
}

// Pixels given in memory: a 2 x 2 RGB image whose red is transparent, and a 16-colour
// one of 4-bit indexes whose blue entry is; both placed top row up, as a reader sees them.
TEST_F(Images, PatternsOfPixelsAreWrittenAtOnceAndPlacedByName)
{
    w->SetPaperSize(255, 40, 40);
    const Bytes rgb = {255, 0, 0, 0, 128, 0, 0, 0, 255, 255, 255, 0};
    EXPECT_EQ(w->AddImagePattern("Dots", 2, 2, rgb, {}, "#1 0 0"), "Dots");
    Bytes palette(48, 255);
    const Bytes blue = {0, 0, 255};
    std::copy(blue.begin(), blue.end(), palette.begin() + 3 * 5);
    w->AddImagePattern("stripe", 3, 1, {0x50, 0x50}, palette, "Blue");
    EXPECT_EQ(peer.Image(2).Width, 3);

    const auto refused = [&](int width, int height, const Bytes& pixels) {
        try {
            w->AddImagePattern("bad", width, height, pixels, {}, "");
        } catch (const Error& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(refused(2, 2, Bytes(11)), 5) << "fewer bytes than 2 x 2 pixels";
    EXPECT_EQ(refused(0, 1, Bytes(3)), 5);
    EXPECT_EQ(refused(65536, 65536, Bytes(3)), 5);
    EXPECT_EQ(peer.ImageCount(), 2) << "a refused image leaves no entry";

    w->DrawImage("Dots", 0, 0, 20, 20);
    EXPECT_EQ(Content(), "\rq 20 0 0 -20 0 20 cm /" + peer.ResPrefix() + "IMG_1 Do Q");
    w->DrawImage("Dots", 0, 0, 20, 20);
    w->DrawImage("stripe", 20, 20, 20, 20);
    const std::string pdf = Finish();
    EXPECT_NE(pdf.find("/Mask [255 255 0 0 0 0 ]\n/BitsPerComponent 8 /ColorSpace /DeviceRGB"),
              std::string::npos);
    EXPECT_NE(pdf.find("/Mask [5 5 ]\n/BitsPerComponent 4 /ColorSpace [/Indexed /DeviceRGB 15"),
              std::string::npos);

    EXPECT_EQ(ShownColours(path, {{5, 5}, {15, 5}, {5, 15}, {25, 30}, {35, 30}}),
              "(255, 255, 255) (0, 128, 0) (0, 0, 255) (255, 255, 255) (255, 255, 255)\n")
        << "red and blue masked out, rows from the top";
}

TEST(ByteReaders, ReadWithinTheData)
{
    EXPECT_EQ(ReadIntBE({0xFF, 0xFE}, 0, 2, false), -2);
    EXPECT_EQ(ReadIntBE({0xFF, 0xFE}, 0, 2, true), 65534);
    EXPECT_EQ(ReadIntBE({0xFF, 0xFF, 0xFF, 0xFE}, 0, 4, false), -2);
    EXPECT_EQ(ReadIntLE({1, 2}, 0, 2), 513);
    EXPECT_EQ(ReadIntLE({1, 2, 3, 4}, 0, 4), 67305985);
    EXPECT_EQ(ReadIntLE({1, 2, 3}, 0, 3), 0);
    auto number = [](auto read) {
        try {
            read();
        } catch (const Error& e) {
            return e.Number();
        }
        return 0;
    };
    EXPECT_EQ(number([] { ReadIntBE({0x80, 0, 0, 0}, 0, 4, true); }), 6);
    EXPECT_EQ(number([] { ReadIntLE({1, 2, 3}, 2, 2); }), 9);
    EXPECT_EQ(number([] { ReadIntBE({1, 2}, -1, 2, true); }), 9);
}

}  // namespace
}  // namespace pdf
