// JPEGs as the readers of our files decode them: what they would warn about is refused, or
// embedded as they decode it, and every sound file is placed and decoded without a word.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "image_test_support.h"

namespace pdf {
namespace {

using namespace image_testing;
using testing_support::RunTool;
using testing_support::ScratchPath;

// Pillow's and ImageMagick's variants of one noisy picture, written once into the scratch
// folder: "<name>.jpg" for each name listed.
std::string MadeVariants()
{
    const std::string folder = ScratchPath("jpeg_variants");
    std::filesystem::create_directories(folder);
    const auto made = RunTool(
        "cd '" + folder + "' && /usr/bin/python3 -c \"\n"
        "from PIL import Image\n"
        "src = Image.effect_noise((301, 203), 80).convert('RGB')\n"
        "src.save('baseline.jpg', quality=90)\n"
        "src.save('progressive.jpg', quality=90, progressive=True)\n"
        "src.save('s444.jpg', subsampling=0)\n"
        "src.save('s422.jpg', subsampling=1, optimize=True)\n"
        "src.save('optimized_progressive.jpg', progressive=True, optimize=True)\n"
        "src.convert('L').save('grey_progressive.jpg', progressive=True)\n"
        "src.convert('CMYK').save('cmyk_progressive.jpg', progressive=True)\n"
        "src.resize((1, 1)).save('one_pixel.jpg')\n"
        "src.resize((17, 9)).save('odd_size.jpg', quality=100)\n"
        "src.save('source.png')\n"
        "\" && convert source.png -quality 80 im_baseline.jpg"
        " && convert source.png -interlace Plane -sampling-factor 2x2 im_progressive.jpg"
        " && convert source.png -colorspace Gray -interlace Plane im_grey.jpg"
        " && convert source.png -colorspace CMYK im_cmyk.jpg"
        " && convert source.png source.ppm"
        " && cjpeg -arithmetic source.ppm > arithmetic.jpg"
        " && cjpeg -arithmetic -progressive source.ppm > arithmetic_progressive.jpg"
        " && cjpeg -arithmetic -grayscale -progressive source.ppm > arithmetic_grey.jpg"
        " && cjpeg -arithmetic -restart 1 source.ppm > arithmetic_restarts.jpg"
        " && convert source.png -resize 1x1! tiny.ppm && cjpeg -arithmetic tiny.ppm > arithmetic_one_pixel.jpg"
        " && convert -size 2000x1500 xc:white plain.ppm && cjpeg -arithmetic plain.ppm > arithmetic_large.jpg"
        " && rm tiny.ppm plain.ppm source.ppm");
    EXPECT_EQ(made.status, 0) << made.output;
    return folder + "/";
}

Bytes Marker(int code)
{
    return {0xFF, static_cast<std::uint8_t>(code)};
}

std::size_t Find(const Bytes& data, const Bytes& piece)
{
    return static_cast<std::size_t>(
        std::search(data.begin(), data.end(), piece.begin(), piece.end()) - data.begin());
}

// The file cut in the middle of its first scan's data, the end of image appended.
Bytes CutScan(Bytes file)
{
    const std::size_t scan = Find(file, Marker(0xDA));
    file.resize(scan + (file.size() - scan) / 2);
    file.insert(file.end(), {0xFF, 0xD9});
    return file;
}

// The file with `bytes` inserted before its first `marker`.
Bytes InsertedBefore(Bytes file, int marker, const Bytes& bytes)
{
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(Find(file, Marker(marker))),
                bytes.begin(), bytes.end());
    return file;
}

// A sequential scan that claims to code the coefficients 0 to 5 only, which readers decode
// in full.
Bytes SequentialBand(Bytes file)
{
    const std::size_t scan = Find(file, Marker(0xDA));
    file[scan + file[scan + 3]] = 5;  // the band's end, before the last byte of the header
    return file;
}

// Component ids 'R', 'G' and 'B' and no JFIF segment: the data say RGB.
Bytes RgbCoded(Bytes file)
{
    const std::size_t jfif = Find(file, Marker(0xE0));
    file.erase(file.begin() + static_cast<std::ptrdiff_t>(jfif),
               file.begin() + static_cast<std::ptrdiff_t>(jfif + 2 + file[jfif + 3]));
    const std::size_t frame = Find(file, Marker(0xC0));
    const std::size_t scan = Find(file, Marker(0xDA));
    for (int c = 0; c < 3; ++c) {
        file[frame + 10 + 3 * c] = static_cast<std::uint8_t>("RGB"[c]);
        file[scan + 5 + 2 * c] = static_cast<std::uint8_t>("RGB"[c]);
    }
    return file;
}

// A picture of DC coefficients alone, each of its four blocks a restart interval; without
// the restart marker after the second block when `skipped`.
Bytes WithRestarts(bool skipped)
{
    Bytes file = JpegHeader(32, 8, 1);
    const std::size_t scan = Find(file, Marker(0xDA));
    file.resize(scan + 10);  // the data follow the scan header of one component
    file.insert(file.begin() + static_cast<std::ptrdiff_t>(scan), {0xFF, 0xDD, 0, 4, 0, 1});
    for (int block = 0; block < 4; ++block) {
        if (block > 0 && !(skipped && block == 2))
            file.insert(file.end(), {0xFF, static_cast<std::uint8_t>(0xD0 + block - 1)});
        file.push_back(0x7F);  // a zero bit, the rest of the byte filled with ones
    }
    file.insert(file.end(), {0xFF, 0xD9});
    return file;
}

// The file without its second restart marker (RST1) and the two bytes of it.
Bytes WithoutSecondRestart(Bytes file)
{
    const std::size_t at = Find(file, Marker(0xD1));
    file.erase(file.begin() + static_cast<std::ptrdiff_t>(at), file.begin() + static_cast<std::ptrdiff_t>(at + 2));
    return file;
}

// A picture of DC coefficients whose AC band is then coded `scans` times over, each scan a
// single end-of-band run across the four blocks: scans cheap in data and dear in work.
Bytes WithBandScans(int scans)
{
    Bytes file = JpegHeader(32, 8, 1);
    file.resize(file.size() - 15);  // the bytes past the first scan's four bits, and on
    Append(file, {0xFF, 0xC4, 0, 20, 0x10, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
                  0x20});  // one AC code: a run of four blocks
    for (int k = 0; k < scans; ++k)
        Append(file, {0xFF, 0xDA, 0, 8, 1, 1, 0, 1, 63, 0, 0x1F});
    Append(file, {0xFF, 0xD9});
    return file;
}

// A progressive picture of three components sampled 2 x 2, coded one alone, then all
// together: twelve blocks a unit, more than readers take.
Bytes WideInterleavedScan()
{
    Bytes file = JpegHeader(16, 16, 3);
    const std::size_t frame = Find(file, Marker(0xC2));
    for (std::size_t c = 0; c < 3; ++c)
        file[frame + 11 + 3 * c] = 0x22;
    file.resize(Find(file, Marker(0xDA)));
    Append(file, {0xFF, 0xDA, 0, 8, 1, 1, 0, 0, 0, 0, 0x0F});
    Append(file, {0xFF, 0xDA, 0, 12, 3, 1, 0, 2, 0, 3, 0, 0, 0, 0, 0x00, 0x0F, 0xFF, 0xD9});
    return file;
}

// The mean difference of two renderings of the same size, over every channel.
double MeanDifference(const std::string& a, const std::string& b)
{
    if (a.size() != b.size() || a.empty())
        return 255;
    double sum = 0;
    for (std::size_t k = 0; k < a.size(); ++k)
        sum += std::abs(static_cast<unsigned char>(a[k]) - static_cast<unsigned char>(b[k]));
    return sum / static_cast<double>(a.size());
}

struct JpegCase {
    std::string name;
    Bytes data;
    bool placed;
};

TEST(JpegReaders, DecodeWhatIsPlacedWithoutAWord)
{
    const std::string folder = MadeVariants();
    const Bytes baseline = ReadBytes(folder + "baseline.jpg");
    Bytes leading(90, 0x20);
    leading.insert(leading.end(), baseline.begin(), baseline.end());
    Bytes oversized = baseline;
    const std::size_t frame = Find(oversized, Marker(0xC0));
    for (std::size_t k : {frame + 5, frame + 7})
        oversized[k] = 0x03, oversized[k + 1] = 0xE8;  // 1000 x 1000 over data for 301 x 203

    std::vector<JpegCase> cases = {
        {"leading_bytes", leading, true},
        {"baseline_cut", CutScan(baseline), false},
        {"progressive_cut", CutScan(ReadBytes(folder + "progressive.jpg")), false},
        {"optimized_progressive_cut", CutScan(ReadBytes(folder + "optimized_progressive.jpg")),
         false},
        {"frame_beyond_its_data", oversized, false},
        // More than the readers' bit buffer fetches ahead.
        {"bytes_after_the_scan", InsertedBefore(baseline, 0xD9, {1, 2, 3, 4, 5, 6, 7, 8, 9}),
         false},
        {"bytes_between_segments", InsertedBefore(baseline, 0xDB, {0x20}), false},
        {"marker_readers_stop_at", InsertedBefore(baseline, 0xDB, {0xFF, 0xB0, 0, 2}), false},
        {"restart_segment_of_six_bytes",
         InsertedBefore(baseline, 0xDB, {0xFF, 0xDD, 0, 6, 0, 0, 0, 0}), false},
        {"sequential_band", SequentialBand(baseline), true},
        {"interleaved_scan_beyond_ten_blocks", WideInterleavedScan(), false},
        {"rgb_coded", RgbCoded(ReadBytes(folder + "s444.jpg")), true},
        {"restart_intervals", WithRestarts(false), true},
        {"restart_marker_missing", WithRestarts(true), false},
        {"band_scans", WithBandScans(8), true},
        {"band_scans_beyond_the_work_allowed", WithBandScans(64), false},
        {"arithmetic_restart_marker_missing", WithoutSecondRestart(ReadBytes(folder + "arithmetic_restarts.jpg")), false},
        {"arithmetic_conditioning_bounds_crossed",
         InsertedBefore(ReadBytes(folder + "arithmetic.jpg"), 0xDA, {0xFF, 0xCC, 0, 4, 0, 0x12}), false},
        {"arithmetic_conditioning_of_odd_length",
         InsertedBefore(ReadBytes(folder + "arithmetic.jpg"), 0xDA, {0xFF, 0xCC, 0, 5, 0, 0x21, 0}), false},
        {"arithmetic_conditioning", InsertedBefore(ReadBytes(folder + "arithmetic.jpg"), 0xDA, {0xFF, 0xCC, 0, 6, 0, 0x21, 0x10, 5}),
         true},
    };
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        if (entry.path().extension() == ".jpg")
            cases.push_back({entry.path().filename().string(), ReadBytes(entry.path()), true});
    }
    // Whatever JPEGs the machine's packages hold.
    const std::filesystem::path shared = "/usr/share";
    for (auto it = std::filesystem::recursive_directory_iterator(
             shared, std::filesystem::directory_options::skip_permission_denied);
         it != std::filesystem::recursive_directory_iterator(); ++it) {
        const std::string ext = it->path().extension().string();
        if (it->is_regular_file() && (ext == ".jpg" || ext == ".jpeg"))
            cases.push_back({it->path().string(), ReadBytes(it->path()), true});
    }

    for (const JpegCase& c : cases) {
        SCOPED_TRACE(c.name);
        auto w = testing_support::PinnedWriter();
        std::string path = testing_support::OutputPath(
            "images_jpeg_" + std::filesystem::path(c.name).stem().string() + ".pdf");
        w->BeginDoc(path);
        w->SetCompression(0, 2, 0);  // the JPEG data as they are
        w->SetPaperSize(255, 301, 203);  // a pixel of the pictures made here a point
        int page = 0;
        w->BeginPage(page);
        w->DrawImage(w->AddImage("picture.jpg", c.data), 0, 0, 0, 0);
        EXPECT_EQ(w->ErrNumber(), c.placed ? 0 : 321) << w->ErrDescription();
        const std::string pdf = testing_support::FinishChecked(*w, path);
        EXPECT_EQ(testing_support::CountOf(pdf, "/Subtype /Image"), c.placed ? 1 : 0);
        EXPECT_EQ(testing_support::PopplerRenderMessages(path), "");
        const auto images = RunTool("pdfimages '" + path + "' '" + path + "'");
        EXPECT_EQ(images.output, "");
        if (c.name != "rgb_coded")
            continue;
        // Both readers show the components as they are, with no colour transform.
        EXPECT_NE(pdf.find("/DecodeParms [<< /ColorTransform 0 >>]"), std::string::npos);
        const std::string mupdf = RunTool("mutool draw -q -N -r 72 -c rgb -o - -F pnm '" + path +
                                          "' 1 2>/dev/null | tail -c 183309")
                                      .output;
        const std::string poppler = RunTool("tail -c 183309 '" + path + "-000.ppm'").output;
        EXPECT_LT(MeanDifference(mupdf, poppler), 3);
    }
}

// Pictures of one deterministic source in the variants encoders write, "<name>.jpg" in the
// scratch folder; `cjpeg` lists the options of the cjpeg ones, `convert` and `pillow` name
// the others.
struct StrayVariant {
    std::string name;
    std::string command;  // run in the folder, the source being source.ppm
    bool progressive;
};

std::vector<StrayVariant> StrayVariants()
{
    std::vector<StrayVariant> variants;
    for (const std::string size : {"17x9", "120x90", "301x203"}) {
        const std::string source = "convert -size " + size + " -seed 7 plasma:fractal source.ppm && ";
        for (const std::string options :
             {"", "-optimize", "-grayscale", "-sample 1x1 -restart 2", "-progressive",
              "-grayscale -progressive", "-restart 1 -progressive -sample 2x1"}) {
            variants.push_back({"cjpeg " + options + " " + size,
                                source + "cjpeg " + options + " source.ppm > picture.jpg",
                                options.find("progressive") != std::string::npos});
        }
        variants.push_back({"convert " + size, source + "convert source.ppm -quality 85 picture.jpg",
                            false});
        variants.push_back({"convert progressive " + size,
                            source + "convert source.ppm -interlace Plane picture.jpg", true});
        variants.push_back({"pillow progressive " + size,
                            source + "/usr/bin/python3 -c \"from PIL import Image; "
                                     "Image.open('source.ppm').save('picture.jpg', "
                                     "progressive=True, optimize=True)\"",
                            true});
    }
    return variants;
}

// Where the marker after the first scan's coded data begins.
std::size_t EndOfFirstScan(const Bytes& file)
{
    std::size_t k = Find(file, Marker(0xDA));
    k += 2 + (std::size_t{file[k + 2]} << 8 | file[k + 3]);
    while (!(file[k] == 0xFF && file[k + 1] != 0 && (file[k + 1] < 0xD0 || file[k + 1] > 0xD7)))
        ++k;
    return k;
}

// Bytes before the end of a scan, which readers take silently when their bit buffer had
// fetched them, and report as corrupt data otherwise.  What is placed is read without a
// word by djpeg from the picture and by poppler and mupdf from the file; where readers
// fetch as they do near the end of the data alone (progressive scans, small pictures), what
// they take silently is placed too.
TEST(JpegReaders, StrayBytesBeforeAMarkerArePlacedWhereNoReaderWarns)
{
    const std::string folder = ScratchPath("jpeg_stray_bytes");
    std::filesystem::create_directories(folder);
    int oneBaselinePlaced = 0;
    int fourProgressivePlaced = 0;
    for (const StrayVariant& variant : StrayVariants()) {
        const auto made = RunTool("cd '" + folder + "' && " + variant.command);
        ASSERT_EQ(made.status, 0) << variant.name << made.output;
        const Bytes picture = ReadBytes(folder + "/picture.jpg");
        // Readers take a faster route, fetching otherwise, while 512 bytes a block remain.
        const bool small = picture.size() < 512;
        std::vector<std::pair<std::size_t, int>> cuts;  // where, how many bytes
        for (int k = 1; k <= 8; ++k) {
            cuts.push_back({picture.size() - 2, k});
            if (variant.progressive && k <= 4)
                cuts.push_back({EndOfFirstScan(picture), k});
        }
        std::vector<Bytes> placedOnes;
        for (const auto& [at, count] : cuts) {
            SCOPED_TRACE(variant.name + ": " + std::to_string(count) + " bytes at " +
                         std::to_string(at));
            Bytes data = picture;
            data.insert(data.begin() + static_cast<std::ptrdiff_t>(at),
                        static_cast<std::size_t>(count), 0x55);
            const std::string jpeg = WriteScratch("jpeg_stray_bytes/stray.jpg", data);
            const bool silent = RunTool("djpeg -outfile /dev/null '" + jpeg + "'").output.empty();
            auto w = testing_support::PinnedWriter();
            std::string path = testing_support::OutputPath("images_jpeg_stray.pdf");
            w->BeginDoc(path);
            int page = 0;
            w->BeginPage(page);
            w->DrawImage(w->AddImage("stray.jpg", data), 0, 0);
            const bool placed = w->ErrNumber() == 0;
            EXPECT_TRUE(placed || w->ErrNumber() == 321) << w->ErrDescription();
            w->EndDoc();
            EXPECT_TRUE(silent || !placed);
            if (variant.progressive || small) {
                EXPECT_EQ(placed, silent);
            }
            if (placed)
                placedOnes.push_back(data);
            oneBaselinePlaced += placed && !variant.progressive && count == 1;
            fourProgressivePlaced += placed && variant.progressive && count == 4;
        }
        // What was placed, a page each, as the PDF readers decode it.
        SCOPED_TRACE(variant.name);
        auto w = testing_support::PinnedWriter();
        std::string path = testing_support::OutputPath("images_jpeg_stray.pdf");
        w->BeginDoc(path);
        w->SetCompression(0, 2, 0);
        for (std::size_t k = 0; k < placedOnes.size(); ++k) {
            int page = 0;
            w->BeginPage(page);
            w->DrawImage(w->AddImage("stray" + std::to_string(k) + ".jpg", placedOnes[k]), 0, 0);
            w->EndPage();
        }
        EXPECT_EQ(w->ErrNumber(), 0);
        testing_support::FinishChecked(*w, path);
        EXPECT_EQ(testing_support::PopplerRenderMessages(path), "");
    }
    EXPECT_GT(oneBaselinePlaced, 10);
    EXPECT_GT(fourProgressivePlaced, 10);
}

}  // namespace
}  // namespace pdf
