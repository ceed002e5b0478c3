// Shared by the image tests: the writer's image state, a document with an open page, byte
// builders for hand-made files, and the sample images written by Pillow and ImageMagick.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <initializer_list>
#include <memory>
#include <string>

#include "pdf/images/decoders.h"
#include "pdf/pagelith.h"
#include "pdf/pdf_tools.h"

namespace pdf {

class PagelithTestPeer {
public:
    explicit PagelithTestPeer(Pagelith& writer) : w(writer) {}
    std::string PageContent() const { return BufToString(w.mContent.pageBuf); }
    void ClearPageContent() { BufReset(w.mContent.pageBuf); }
    std::string XObjectRes() const { return w.mResources.xObjects; }
    std::string ResPrefix() const { return w.mInfo.resPrefix; }
    int ImageCount() const { return w.mImages.Count; }
    const ImageRecord& Image(int number) const
    {
        return w.mImages.Images[static_cast<std::size_t>(number - 1)];
    }
    std::array<float, 4> LastBox() const { return w.mPageList.lastBox; }
    float PageHeight() const { return w.mGeometry.height; }
    int WriteImageObject(int kind, Bytes data, const Bytes& palette, int width, int height,
                         int bits, const std::string& colorSpace, const std::string& filter,
                         const std::string& mask)
    {
        return w.WriteImageObject(kind, data, palette, width, height, bits, "/Im", colorSpace,
                                  filter, mask);
    }

private:
    Pagelith& w;
};

namespace image_testing {

// Bytes from a list of small values and little-endian words.
inline void Append(Bytes& out, std::initializer_list<int> bytes)
{
    for (const int b : bytes)
        out.push_back(static_cast<std::uint8_t>(b));
}
inline void AppendLE(Bytes& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

// A file of the scratch folder holding `bytes`; its path.
inline std::string WriteScratch(const std::string& name, const Bytes& bytes)
{
    const std::string path = testing_support::ScratchPath(name);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return path;
}

// The tables, frame header and first scan header of a progressive JPEG, and a scan that
// codes every DC coefficient as zero: the coarsest picture readers decode.
inline Bytes JpegHeader(int width, int height, int components)
{
    Bytes out;
    Append(out, {0xFF, 0xD8, 0xFF, 0xE0, 0, 16, 'J', 'F', 'I', 'F', 0, 1, 1, 0, 0, 1, 0, 1, 0, 0});
    Append(out, {0xFF, 0xDB, 0, 67, 0});
    out.resize(out.size() + 64, 1);
    // A DC table of one code, which is no frame header.
    Append(out, {0xFF, 0xC4, 0, 20, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    Append(out, {0xFF, 0xC2, 0, 8 + 3 * components, 8, height >> 8, height & 255, width >> 8,
                 width & 255, components});
    for (int c = 1; c <= components; ++c)
        Append(out, {c, 0x11, 0});
    Append(out, {0xFF, 0xDA, 0, 6 + 2 * components, components});
    for (int c = 1; c <= components; ++c)
        Append(out, {c, 0});
    Append(out, {0, 0, 0});
    // One bit a block, at least four bytes.
    const int blocks = ((width + 7) / 8) * ((height + 7) / 8) * components;
    out.resize(out.size() + static_cast<std::size_t>(std::max(4, (blocks + 7) / 8)), 0);
    Append(out, {0xFF, 0xD9, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    return out;
}

// A 24-bit bitmap: rows bottom first, each of blue, green, red per pixel.
inline Bytes Bmp24(int width, int height, const Bytes& pixels)
{
    const int stride = (width * 3 + 3) / 4 * 4;
    Bytes out;
    Append(out, {'B', 'M'});
    AppendLE(out, 54 + stride * height, 4);
    AppendLE(out, 0, 4);
    AppendLE(out, 54, 4);
    AppendLE(out, 40, 4);
    AppendLE(out, width, 4);
    AppendLE(out, height, 4);
    AppendLE(out, 1, 2);
    AppendLE(out, 24, 2);
    AppendLE(out, 0, 4);
    for (int i = 0; i < 5; ++i)
        AppendLE(out, 0, 4);
    for (int y = 0; y < height; ++y) {
        const auto row = pixels.begin() + y * width * 3;
        out.insert(out.end(), row, row + width * 3);
        for (int pad = width * 3; pad < stride; ++pad)
            out.push_back(0);
    }
    return out;
}

// A JPEG file of one colour written by Pillow into the scratch folder, with the further
// arguments of its save (", progressive=True"); its path.
inline std::string MadeJpeg(const std::string& name, int width, int height,
                            const std::string& options = "")
{
    const std::string path = testing_support::ScratchPath(name);
    const auto made = testing_support::RunTool(
        "/usr/bin/python3 -c \"import sys; from PIL import Image; Image.new('RGB', (" +
        std::to_string(width) + ", " + std::to_string(height) +
        "), 'teal').save(sys.argv[1], 'JPEG'" + options + ")\" '" + path + "'");
    EXPECT_EQ(made.status, 0) << made.output;
    return path;
}

inline Bytes ReadBytes(const std::string& path)
{
    const std::string text = testing_support::ReadAll(path);
    return Bytes(text.begin(), text.end());
}

inline std::string SampleFolder()
{
    return (std::filesystem::path(QUORVANE_BUILD_DIR) / "test-images").string();
}

// The samples of scripts/image_samples.py, written once for every test that runs at the
// same time (the first one holds the lock while it writes them) and again when the script
// changed.
inline std::string Samples()
{
    namespace fs = std::filesystem;
    const std::string folder = SampleFolder();
    const std::string script = QUORVANE_SOURCE_DIR "/scripts/image_samples.py";
    fs::create_directories(folder);
    const int lock = open((folder + ".lock").c_str(), O_CREAT | O_RDWR, 0644);
    flock(lock, LOCK_EX);
    const fs::path manifest = folder + "/manifest.txt";
    if (!fs::exists(manifest) || fs::last_write_time(manifest) < fs::last_write_time(script)) {
        const auto made =
            testing_support::RunTool("/usr/bin/python3 '" + script + "' make '" + folder + "'");
        EXPECT_EQ(made.status, 0) << made.output;
    }
    flock(lock, LOCK_UN);
    close(lock);
    return folder;
}

// The colours that page 1 of a PDF shows, rendered by pdftoppm at one pixel a point, at
// the given pixels: "(r, g, b)" each, separated by blanks, then a line end.
inline std::string ShownColours(const std::string& pdf,
                                std::initializer_list<std::pair<int, int>> pixels)
{
    std::string list;
    for (const auto& [x, y] : pixels)
        list += "(" + std::to_string(x) + "," + std::to_string(y) + "),";
    const std::string png = testing_support::ScratchPath(
        std::filesystem::path(pdf).stem().string() + "_shown");
    return testing_support::RunTool(
               "pdftoppm -r 72 -f 1 -l 1 -png -singlefile '" + pdf + "' '" + png +
               "' && /usr/bin/python3 -c \"import sys; from PIL import Image; "
               "p = Image.open(sys.argv[1]).convert('RGB'); print(*(p.getpixel(xy) for xy in [" +
               list + "]))\" '" + png + ".png'")
        .output;
}

// A document with an open page whose content each test reads back.
class ImageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = testing_support::CaseOutputPath("images_");
        w->BeginDoc(path);
        ASSERT_EQ(w->ErrNumber(), 0);
        int page = 0;
        w->BeginPage(page);
    }

    // What was placed since the last call.
    std::string Content()
    {
        std::string text = peer.PageContent();
        peer.ClearPageContent();
        return text;
    }

    std::string Finish() { return testing_support::FinishChecked(*w, path); }

    std::string path;
    std::unique_ptr<Pagelith> w = testing_support::PinnedWriter();
    PagelithTestPeer peer{*w};
};

}  // namespace image_testing
}  // namespace pdf
