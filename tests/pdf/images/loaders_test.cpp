// What each format's loader makes of hand-made files: stream bytes, masks, and the errors
// of the variants it refuses and of damaged data.
#include <gtest/gtest.h>

#include <algorithm>
#include <span>
#include <tuple>

#include "image_test_support.h"
#include "pdf/codec/checksums.h"

namespace pdf {
namespace {

using namespace image_testing;

// The reason a decoder gives for refusing the data; "" when it takes them.
template <class Decode>
std::string Refusal(Decode decode)
{
    try {
        decode();
    } catch (const Error& e) {
        return e.what();
    }
    return "";
}

Bytes Palette(std::initializer_list<std::array<int, 3>> colours, int entries)
{
    Bytes out;
    for (const auto& c : colours)
        Append(out, {c[2], c[1], c[0], 0});
    out.resize(static_cast<std::size_t>(entries) * 4);
    return out;
}

// A paletted bitmap of `bits` per pixel with the given compression and pixel bytes.
Bytes PaletteBmp(int width, int height, int bits, int compression, const Bytes& palette,
                 const Bytes& pixels)
{
    Bytes out = Bmp24(width, 0, {});
    const std::uint32_t offset = 54 + static_cast<std::uint32_t>(palette.size());
    for (int i = 0; i < 4; ++i) {
        out[10 + i] = static_cast<std::uint8_t>(offset >> (8 * i));
        out[22 + i] = static_cast<std::uint8_t>(height >> (8 * i));
        out[30 + i] = static_cast<std::uint8_t>(compression >> (8 * i));
    }
    out[28] = static_cast<std::uint8_t>(bits);
    out.insert(out.end(), palette.begin(), palette.end());
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

TEST(BmpLoader, RowsLoseTheirPaddingAndKeepTheirOrder)
{
    // Bottom row blue, green; top row red, white; two padding bytes each.
    const PreparedImage rgb = DecodeBmp(Bmp24(2, 2, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}), std::nullopt);
    EXPECT_EQ(rgb.Data, (Bytes{0, 0, 255, 0, 255, 0, 255, 0, 0, 255, 255, 255}));
    EXPECT_EQ(rgb.Bits, 24);
    EXPECT_EQ(DecodeBmp(Bmp24(1, 1, {0, 0, 255}), std::array<std::uint8_t, 3>{255, 0, 0}).Mask,
              "255 255 0 0 0 0 ");

    const Bytes palette = Palette({{0, 0, 0}, {255, 0, 0}}, 256);
    const PreparedImage indexed =
        DecodeBmp(PaletteBmp(3, 2, 8, 0, palette, {1, 0, 1, 9, 0, 1, 0, 9}), std::nullopt);
    EXPECT_EQ(indexed.Data, (Bytes{1, 0, 1, 0, 1, 0}));
    EXPECT_EQ(indexed.Palette.size(), 768u);
    EXPECT_EQ(Bytes(indexed.Palette.begin(), indexed.Palette.begin() + 6), (Bytes{0, 0, 0, 255, 0, 0}));

    Bytes keyed = Palette({{0, 0, 0}}, 256);
    for (const int entry : {7, 9})
        keyed[4 * entry + 2] = 255;
    EXPECT_EQ(DecodeBmp(PaletteBmp(1, 1, 8, 0, keyed, {0, 0, 0, 0}), std::array<std::uint8_t, 3>{255, 0, 0}).Mask,
              "9 9 ") << "the last entry of the key colour decides";
}

TEST(BmpLoader, RunLengthDataAreClippedToThePicture)
{
    const Bytes palette = Palette({}, 16);
    // RLE4, 3 x 2: a run of 5 alternating 1 and 2 into a row of 3, end of line, a copy of
    // three pixels 3 4 5, end of bitmap.
    const Bytes rle4 = {5, 0x12, 0, 0, 0, 3, 0x34, 0x50, 0, 1};
    EXPECT_EQ(DecodeBmp(PaletteBmp(3, 2, 4, 2, palette, rle4), std::nullopt).Data,
              (Bytes{0x12, 0x10, 0x34, 0x50}));
    // RLE8, 4 x 3: a delta of one column and one row, a run past the row's end, the end of
    // the bitmap before the last row.
    const Bytes rle8 = {0, 2, 1, 1, 9, 7, 0, 1};
    EXPECT_EQ(DecodeBmp(PaletteBmp(4, 3, 8, 1, Palette({}, 256), rle8), std::nullopt).Data,
              (Bytes{0, 0, 0, 0, 0, 7, 7, 7, 0, 0, 0, 0}));
    EXPECT_EQ(Refusal([&] { DecodeBmp(PaletteBmp(4, 3, 8, 1, Palette({}, 256), {3, 7}), std::nullopt); }),
              "Subscript out of range") << "data that end before the bitmap does";
}

TEST(BmpLoader, VariantsWeDoNotReadAreNamed)
{
    Bytes topDown = Bmp24(1, 1, {0, 0, 0});
    topDown[25] = 0xFF, topDown[24] = 0xFF, topDown[23] = 0xFF, topDown[22] = 0xFF;
    EXPECT_EQ(Refusal([&] { DecodeBmp(topDown, std::nullopt); }),
              "bitmaps stored top row first are not supported");
    Bytes twoBit = Bmp24(1, 1, {0, 0, 0});
    twoBit[28] = 2;
    EXPECT_EQ(Refusal([&] { DecodeBmp(twoBit, std::nullopt); }),
              "bitmaps of 2 bits per pixel are not supported");
    Bytes huge = Bmp24(1, 1, {0, 0, 0});
    huge[20] = 0x7F;  // 2^23 pixels wide
    EXPECT_EQ(Refusal([&] { DecodeBmp(huge, std::nullopt); }), "Subscript out of range");
    EXPECT_EQ(Refusal([] { DecodeBmp(Bytes(60, 'X'), std::nullopt); }),
              "the data are not a Windows bitmap");
}

Bytes Tga(int type, int bits, int descriptor, int width, int height, const Bytes& pixels)
{
    Bytes out;
    Append(out, {0, 0, type, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    AppendLE(out, static_cast<std::uint32_t>(width), 2);
    AppendLE(out, static_cast<std::uint32_t>(height), 2);
    Append(out, {bits, descriptor});
    out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

TEST(TgaLoader, PlainAndRunLengthPixels)
{
    EXPECT_EQ(DecodeTga(Tga(2, 24, 0, 2, 1, {0, 0, 255, 0, 255, 0})).Data,
              (Bytes{255, 0, 0, 0, 255, 0}));
    // A run of 4, a raw packet of 3, a run of 1: eight pixels.
    const Bytes packets = {0x83, 1, 2, 3, 0x02, 4, 5, 6, 7, 8, 9, 10, 11, 12, 0x80, 13, 14, 15};
    EXPECT_EQ(DecodeTga(Tga(10, 24, 0, 4, 2, packets)).Data,
              (Bytes{3, 2, 1, 3, 2, 1, 3, 2, 1, 3, 2, 1, 6, 5, 4, 9, 8, 7, 12, 11, 10, 15, 14, 13}));
    // Top row first in the file: turned round, so that rows leave bottom first.
    EXPECT_EQ(DecodeTga(Tga(2, 24, 0x20, 1, 2, {0, 0, 255, 0, 255, 0})).Data,
              (Bytes{0, 255, 0, 255, 0, 0}));

    const PreparedImage alpha =
        DecodeTga(Tga(2, 32, 8, 2, 1, {255, 255, 255, 0, 9, 9, 9, 128}));
    EXPECT_EQ(alpha.Mask, "255 255 255 255 255 255 ");
    EXPECT_EQ(alpha.Data, (Bytes{255, 255, 255, 9, 9, 9}));
}

TEST(TgaLoader, RefusalsAndDamage)
{
    EXPECT_EQ(Refusal([] { DecodeTga(Tga(1, 8, 0, 1, 1, {0})); }),
              "only true-colour TGA images are supported");
    EXPECT_EQ(Refusal([] { DecodeTga(Tga(2, 16, 0, 1, 1, {0, 0})); }),
              "TGA images of 16 bits per pixel are not supported");
    EXPECT_EQ(Refusal([] { DecodeTga(Tga(2, 32, 0, 1, 1, {0, 0, 0, 0})); }),
              "32-bit TGA images need eight alpha bits");
    EXPECT_EQ(Refusal([] { DecodeTga(Tga(2, 24, 0, 2, 1, {1, 2, 3})); }), "Subscript out of range");
    EXPECT_EQ(Refusal([] { DecodeTga(Tga(10, 24, 0, 65535, 65535, {0xFF, 1, 2, 3})); }),
              "the picture is larger than its data can describe");
}

// A GIF of one frame whose codes are clear-and-literal pairs, with the given screen and
// frame geometry.
Bytes Gif(int screenW, int screenH, int left, int top, int width, int height,
          const std::vector<int>& codes, int frames = 1, int transparent = -1)
{
    Bytes out = {'G', 'I', 'F', '8', '9', 'a'};
    AppendLE(out, static_cast<std::uint32_t>(screenW), 2);
    AppendLE(out, static_cast<std::uint32_t>(screenH), 2);
    Append(out, {0x81, 3, 0});  // 4 colours; background 3
    Append(out, {0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255});
    Append(out, {0x21, 0xF9, 4, transparent >= 0, 0, 0, std::max(transparent, 0), 0});
    // Three-bit codes packed from the low bits up.
    Bytes packed;
    std::uint32_t buffer = 0;
    int count = 0;
    for (const int code : codes) {
        buffer |= static_cast<std::uint32_t>(code) << count;
        for (count += 3; count >= 8; count -= 8, buffer >>= 8)
            packed.push_back(static_cast<std::uint8_t>(buffer));
    }
    if (count > 0)
        packed.push_back(static_cast<std::uint8_t>(buffer));
    for (int f = 0; f < frames; ++f) {
        out.push_back(0x2C);
        for (const int v : {left, top, width, height})
            AppendLE(out, static_cast<std::uint32_t>(v), 2);
        Append(out, {0, 2, static_cast<int>(packed.size())});
        out.insert(out.end(), packed.begin(), packed.end());
        out.push_back(0);
    }
    out.push_back(0x3B);
    return out;
}

std::vector<int> Literals(std::initializer_list<int> indices)
{
    std::vector<int> codes;
    for (const int i : indices)
        codes.insert(codes.end(), {4, i});
    codes.push_back(5);
    return codes;
}

TEST(GifLoader, FramesLandOnTheScreenBottomRowFirst)
{
    const PreparedImage image = DecodeGif(Gif(3, 2, 0, 0, 3, 2, Literals({0, 1, 2, 3, 2, 1})), 1);
    EXPECT_EQ(image.Bits, 2);
    EXPECT_EQ(image.Data, (Bytes{0xE4, 0x18})) << "rows 3 2 1 and 0 1 2, two bits a pixel";
    EXPECT_EQ(image.Mask, "") << "the background colour stays opaque";
    EXPECT_EQ(DecodeGif(Gif(3, 2, 0, 0, 3, 2, Literals({0, 1, 2, 3, 2, 1}), 2, 2), 1).Mask, "2 2")
        << "the index the control block declares is transparent";
    EXPECT_EQ(DecodeGif(Gif(3, 2, 0, 0, 3, 2, Literals({0, 1, 2, 3, 2, 1}), 2, 2), 2).Mask, "")
        << "a control block speaks for the next frame only";
    EXPECT_EQ(image.Palette.size(), 12u);

    // A frame offset beyond the screen keeps only what lies on it.
    const PreparedImage clipped = DecodeGif(Gif(2, 2, 1, 1, 3, 3, Literals({1, 2, 3, 1, 2, 3, 1, 2, 3})), 1);
    EXPECT_EQ(clipped.Data, (Bytes{0x10, 0x00}));

    // The literal pairs also decode the standard way: a code that repeats the last string.
    const PreparedImage repeat = DecodeGif(Gif(4, 1, 0, 0, 4, 1, {4, 1, 6, 2, 5}), 1);
    EXPECT_EQ(repeat.Data, (Bytes{0x56})) << "1, then 1 1 from the new code, then 2";
}

TEST(GifLoader, DamageAndMissingFramesAreNamed)
{
    EXPECT_EQ(Refusal([] { DecodeGif(Gif(2, 1, 0, 0, 2, 1, {4, 1, 7, 5}), 1); }),
              "the GIF data hold an invalid LZW code");
    EXPECT_EQ(Refusal([] { DecodeGif(Gif(2, 1, 0, 0, 2, 1, Literals({1, 2}), 2), 3); }),
              "the GIF image has no frame 3");
    EXPECT_EQ(Refusal([] { DecodeGif(Gif(2, 1, 0, 0, 2, 1, Literals({1, 2}), 2), 2); }), "");
    Bytes cut = Gif(2, 1, 0, 0, 2, 1, Literals({1, 2}));
    cut.resize(cut.size() - 4);
    EXPECT_EQ(Refusal([&] { DecodeGif(cut, 1); }), "Subscript out of range");
    EXPECT_EQ(Refusal([] { DecodeGif(Gif(65535, 65535, 0, 0, 1, 1, Literals({1})), 1); }),
              "the picture is larger than its data can describe");
    EXPECT_EQ(Refusal([] { DecodeGif({'G', 'I', 'F', '9', '0', 'a', 0, 0, 0, 0, 0, 0, 0}, 1); }),
              "the data are not a GIF image");
}

TEST(JpegLoader, TheFileIsEmbeddedAsItIs)
{
    for (const auto& [components, space] :
         {std::pair{1, "DeviceGray"}, std::pair{3, "DeviceRGB"}, std::pair{4, "DeviceCMYK"}}) {
        const Bytes file = JpegHeader(64, 48, components);
        const PreparedImage image = DecodeJpeg(file);
        EXPECT_EQ(image.ColorSpace, space);
        EXPECT_EQ(image.Width, 64);
        EXPECT_EQ(image.Height, 48);
        EXPECT_EQ(image.Data, file);
        EXPECT_EQ(image.Filter, "/DCTDecode ");
    }
    Bytes noStart = JpegHeader(8, 8, 3);
    noStart[1] = 0xD9;
    EXPECT_EQ(Refusal([&] { DecodeJpeg(noStart); }), "the JPEG data have no start-of-image marker");
    const Bytes file = JpegHeader(8, 8, 3);
    const std::size_t frame = 111;  // where the frame header begins
    const std::size_t scan = 130;   // and the scan header
    ASSERT_EQ(file[frame + 1], 0xC2);
    ASSERT_EQ(file[scan + 1], 0xDA);
    EXPECT_EQ(Refusal([&] { DecodeJpeg(Bytes(file.begin(), file.begin() + frame)); }),
              "the JPEG data have no frame header");
    EXPECT_EQ(Refusal([] { DecodeJpeg(JpegHeader(8, 8, 2)); }),
              "JPEG images of 2 components are not supported");
    EXPECT_EQ(Refusal([&] { DecodeJpeg(Bytes(file.begin(), file.begin() + scan)); }),
              "the JPEG data have no scan");
    EXPECT_EQ(Refusal([&] { DecodeJpeg(Bytes(file.begin(), file.begin() + scan + 8)); }),
              "the JPEG data end inside a segment");
    EXPECT_EQ(Refusal([&] { DecodeJpeg(Bytes(file.begin(), file.begin() + scan + 16)); }),
              "the JPEG data end inside their scan");
    EXPECT_EQ(Refusal([&] { DecodeJpeg(Bytes(file.begin(), file.begin() + frame + 10)); }),
              "the JPEG data end inside a segment")
        << "a frame header cut short";
}

Bytes Chunk(const char* type, const Bytes& body)
{
    Bytes out;
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(body.size() >> (8 * i)));
    out.insert(out.end(), type, type + 4);
    out.insert(out.end(), body.begin(), body.end());
    const std::uint32_t crc = Crc32(std::span(out).subspan(4));
    for (int i = 3; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(crc >> (8 * i)));
    return out;
}

// The image data of the 256 x 7 pictures of Png: rows of `bitsPerPixel`, each led by its
// filter type (none), compressed.
Bytes Rows(int bitsPerPixel, int rows = 7)
{
    Bytes data(static_cast<std::size_t>(rows * (1 + 32 * bitsPerPixel)));
    EncodeFlate(data, 1);
    return data;
}

Bytes Png(int bits, int colourType, int interlace, std::initializer_list<Bytes> chunks)
{
    Bytes out = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    const Bytes header = Chunk("IHDR", {0, 0, 1, 0, 0, 0, 0, 7, static_cast<std::uint8_t>(bits),
                                        static_cast<std::uint8_t>(colourType), 0, 0,
                                        static_cast<std::uint8_t>(interlace)});
    out.insert(out.end(), header.begin(), header.end());
    for (const Bytes& c : chunks)
        out.insert(out.end(), c.begin(), c.end());
    const Bytes end = Chunk("IEND", {});
    out.insert(out.end(), end.begin(), end.end());
    return out;
}

TEST(PngLoader, ChunksGiveDataPaletteAndMask)
{
    const Bytes rows = Rows(24);
    const Bytes head(rows.begin(), rows.begin() + 5);
    const Bytes tail(rows.begin() + 5, rows.end());
    const PreparedImage rgb = DecodePng(Png(8, 2, 0, {Chunk("PLTE", {1, 2, 3}),
                                                      Chunk("tRNS", {0, 255, 0, 0, 0, 255}),
                                                      Chunk("IDAT", head), Chunk("tEXt", {9}),
                                                      Chunk("IDAT", tail)}));
    EXPECT_EQ(rgb.Data, rows) << "IDAT chunks are joined";
    EXPECT_EQ(rgb.Mask, "255 255 0 0 255 255 ");
    EXPECT_EQ(rgb.Kind, image_kind::kPng) << "a palette in an RGB image is only a suggestion";
    EXPECT_EQ(rgb.ColorSpace, "DeviceRGB");
    EXPECT_EQ(rgb.Width, 256);
    EXPECT_EQ(rgb.Height, 7);

    const PreparedImage indexed = DecodePng(
        Png(4, 3, 0, {Chunk("PLTE", Bytes(48)), Chunk("tRNS", {255, 0, 0}), Chunk("IDAT", Rows(4))}));
    EXPECT_EQ(indexed.Kind, image_kind::kPngPalette);
    EXPECT_EQ(indexed.Mask, "1 1");
    EXPECT_EQ(indexed.Bits, 4);
    EXPECT_EQ(DecodePng(Png(2, 0, 0, {Chunk("tRNS", {0, 3}), Chunk("IDAT", Rows(2))})).Mask,
              "3 3 ");
}

TEST(PngLoader, VariantsWeDoNotReadAreNamed)
{
    const Bytes data = Chunk("IDAT", {1});
    EXPECT_EQ(Refusal([&] { DecodePng(Png(16, 2, 0, {data})); }),
              "PNG images of more than 8 bits per sample are not supported");
    EXPECT_EQ(Refusal([&] { DecodePng(Png(8, 6, 0, {data})); }),
              "PNG images with an alpha channel are not supported");
    EXPECT_EQ(Refusal([&] { DecodePng(Png(8, 4, 0, {data})); }),
              "PNG images with an alpha channel are not supported");
    EXPECT_EQ(Refusal([&] { DecodePng(Png(8, 2, 1, {data})); }),
              "interlaced PNG images are not supported");
    EXPECT_EQ(Refusal([&] { DecodePng(Png(8, 3, 0, {data})); }),
              "the paletted PNG image has no palette");
    Bytes cut = Png(8, 2, 0, {Chunk("IDAT", Bytes(100))});
    cut.resize(cut.size() - 40);
    EXPECT_EQ(Refusal([&] { DecodePng(cut); }), "Subscript out of range");
}

// Headers the formats forbid, or sizes past what any arithmetic of ours holds, are refused
// as invalid files through the public operations, and nothing reaches the document.
using ForbiddenHeaders = ImageTest;

TEST_F(ForbiddenHeaders, AreRefusedAsInvalidFiles)
{
    const Bytes data = Chunk("IDAT", {1});
    Bytes wide = Png(8, 2, 0, {data});
    wide[16] = 0x80;  // a width of 2^31 + 256
    const std::uint32_t crc = Crc32(std::span(wide).subspan(12, 17));
    for (int i = 0; i < 4; ++i)
        wide[static_cast<std::size_t>(29 + i)] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    Bytes huge = Bmp24(1, 1, {0, 0, 0});
    for (const auto& [at, value] : {std::pair{18, 1996488778u}, std::pair{22, 1879056384u}})
        for (int i = 0; i < 4; ++i)
            huge[static_cast<std::size_t>(at + i)] = static_cast<std::uint8_t>(value >> (8 * i));
    const std::pair<Bytes, std::string> cases[] = {
        {Png(3, 0, 0, {data}), "the PNG header gives the invalid bit depth 3"},
        {Png(4, 2, 0, {data}), "the PNG header gives the invalid bit depth 4"},
        {Png(8, 3, 0, {Chunk("PLTE", Bytes(3 * 257)), data}),
         "the PNG palette does not hold 1 to 256 colours"},
        {wide, "the PNG header gives an invalid size"},
        {Png(8, 2, 0, {Chunk("tRNS", {0, 1}), data}),
         "the PNG transparency chunk has the wrong length"},
        {Png(4, 3, 0, {Chunk("PLTE", Bytes(6)), Chunk("tRNS", {0, 0, 0}), data}),
         "the PNG transparency chunk has the wrong length"},
        {huge, "the picture is too large"},
    };
    for (const auto& [file, reason] : cases) {
        const std::string name = file[0] == 'B' ? "huge.bmp" : "forbidden.png";
        EXPECT_EQ(w->AddImage(name, file), name);
        EXPECT_EQ(w->ErrNumber(), 321) << reason;
        EXPECT_EQ(w->ErrDescription(), reason);
        w->DrawImage(name, 0, 0);
    }
    EXPECT_EQ(Content(), "");
    EXPECT_EQ(testing_support::CountOf(Finish(), "/Subtype /Image"), 0);
}

// The rows of Rows(8) as a zlib stream of hand-made blocks.
Bytes ZlibOf(const Bytes& blocks)
{
    Bytes stream = {0x78, 0x01};
    stream.insert(stream.end(), blocks.begin(), blocks.end());
    const std::uint32_t adler = Adler32(Bytes(7 * 257));
    for (int shift = 24; shift >= 0; shift -= 8)
        stream.push_back(static_cast<std::uint8_t>(adler >> shift));
    return stream;
}

// Rows(8) stored in one block, whose length check is `check`.
Bytes StoredRows(bool final, int check)
{
    Bytes block;
    Append(block, {final ? 1 : 0, 7 * 257 & 255, 7 * 257 >> 8, check & 255, check >> 8});
    block.resize(block.size() + 7 * 257);
    return block;
}

// A PNG whose chunks fail their checksums, whose data are not exactly the rows its header
// gives, or whose zlib stream readers refuse although it passes its checksums, is refused
// like any other damaged image, and nothing of it is written.
using DamagedPng = ImageTest;

TEST_F(DamagedPng, IsRefusedAsAnInvalidFile)
{
    Bytes rows = Rows(8);
    Append(rows, {0, 0});  // after the zlib stream, which readers pass over
    const Bytes whole = Png(8, 0, 0, {Chunk("IDAT", rows)});
    Bytes header = whole;
    header[20] ^= 1;  // a height of 263 under the CRC of 7
    Bytes data = whole;
    data[data.size() - 20] ^= 0x10;  // inside the IDAT chunk
    Bytes trailer = Rows(8);
    trailer.back() ^= 1;
    Bytes filter(7 * 257);
    filter[257] = 5;
    EncodeFlate(filter, 1);
    Bytes wideWindow = Rows(8);
    wideWindow[0] = 0x88;  // a 64 KB window
    wideWindow[1] = static_cast<std::uint8_t>(31 - (0x88 << 8) % 31);
    Bytes reservedAfterRows = StoredRows(false, ~(7 * 257));
    reservedAfterRows.push_back(0x07);  // a final block of the reserved type
    const std::string noRows = "the PNG image data do not hold the rows of its header";
    const std::pair<Bytes, std::string> cases[] = {
        {header, "a PNG chunk fails its checksum"},
        {data, "a PNG chunk fails its checksum"},
        {Png(8, 0, 0, {Chunk("IDAT", Rows(8, 6))}), noRows},
        {Png(8, 0, 0, {Chunk("IDAT", filter)}), noRows},
        {Png(8, 0, 0, {Chunk("IDAT", trailer)}), "the PNG image data fail their checksum"},
        {Png(8, 0, 0, {Chunk("IDAT", wideWindow)}), noRows},
        {Png(8, 0, 0, {Chunk("IDAT", ZlibOf(StoredRows(true, 0)))}), noRows},
        {Png(8, 0, 0, {Chunk("IDAT", ZlibOf(reservedAfterRows))}), noRows},
    };
    int number = 0;
    for (const auto& [file, reason] : cases) {
        const std::string name = "damaged" + std::to_string(++number) + ".png";
        w->AddImage(name, file);
        EXPECT_EQ(w->ErrNumber(), 321) << reason;
        EXPECT_EQ(w->ErrDescription(), reason);
        w->DrawImage(name, 0, 0, 50, 50);
    }
    EXPECT_EQ(Content(), "");
    w->DrawImage(w->AddImage("whole.png", whole), 0, 0, 50, 50);
    const Bytes stored = Png(8, 0, 0, {Chunk("IDAT", ZlibOf(StoredRows(true, ~(7 * 257))))});
    w->DrawImage(w->AddImage("stored.png", stored), 60, 0, 50, 50);
    EXPECT_NE(Content(), "") << "the sound picture is placed";
    const std::string pdf = Finish();
    EXPECT_EQ(testing_support::CountOf(pdf, "/Subtype /Image"), 2);
    EXPECT_EQ(testing_support::RunTool("pdftoppm -r 20 '" + path + "' '" + path + "'").output,
              "");
}

// A JPEG whose frame header names a frame that readers do not decode is refused, and
// nothing of it is written; sound baseline and progressive ones decode in every reader.
using DamagedJpeg = ImageTest;

TEST_F(DamagedJpeg, IsRefusedAsAnInvalidFile)
{
    const Bytes whole = ReadBytes(MadeJpeg("whole.jpg", 16, 8));
    const Bytes baseline = {0xFF, 0xC0};
    const auto frame = std::search(whole.begin(), whole.end(), baseline.begin(), baseline.end());
    ASSERT_NE(frame, whole.end());
    // Bytes written over the frame header from its marker on.
    const std::tuple<int, Bytes, std::string> cases[] = {
        {1, {0xC3}, "lossless and hierarchical JPEG images are not supported"},
        {4, {12}, "JPEG images of 12 bits per sample are not supported"},
        {11, {0x02}, "the JPEG frame header gives invalid sampling factors"},
        {11, {0x44}, "the JPEG sampling factors are too large for an interleaved scan"},
        {11, {0x31, 0, 2, 0x21},
         "JPEG images whose sampling factors do not divide the largest are not supported"},
        {12, {0x03}, "the JPEG scan uses a table the data do not define"},
        {3, {0x12}, "the JPEG frame header has the wrong length"},
        {5, {0xFF, 0xFF, 0xFF, 0xFF},
         "JPEG images wider or taller than 65500 pixels are not supported"},
        {5, {0xF0}, "the picture is larger than its data can describe"},
    };
    for (const auto& [at, bytes, reason] : cases) {
        Bytes file = whole;
        std::copy(bytes.begin(), bytes.end(), file.begin() + (frame - whole.begin() + at));
        w->DrawImage(w->AddImage(reason + ".jpg", file), 0, 0, 50, 50);
        EXPECT_EQ(w->ErrNumber(), 321) << reason;
        EXPECT_EQ(w->ErrDescription(), reason);
    }
    EXPECT_EQ(Content(), "");
    w->DrawImage(w->AddImage("whole.jpg", whole), 0, 0, 50, 50);
    w->DrawImage(MadeJpeg("progressive.jpg", 16, 8, ", progressive=True"), 60, 0, 50, 50);
    EXPECT_NE(Content(), "") << "the sound pictures are placed";
    EXPECT_EQ(testing_support::CountOf(Finish(), "/Subtype /Image"), 2);
    EXPECT_EQ(testing_support::RunTool("qpdf --decode-level=all '" + path + "' /dev/null && "
                                       "pdfimages -png '" + path + "' '" + path + "'").output,
              "");
}

}  // namespace
}  // namespace pdf
