// Drawings imported as content: Encapsulated PostScript and Windows metafiles.
#include <gtest/gtest.h>

#include "image_test_support.h"
#include "pdf/images/vector_import.h"

namespace pdf {
namespace {

using namespace image_testing;

std::string Joined(const ImportedDrawing& drawing)
{
    std::string text;
    for (const std::string& line : drawing.Lines)
        text += line + "|";
    return text;
}

std::string FailureOf(const ImportedDrawing& drawing)
{
    return drawing.Failure ? drawing.Failure->what() : "";
}

const ContentNumbers kPoints{1, 3};

TEST(EpsImport, DrawingIsPlacedInTheBox)
{
    const std::string eps = "%!PS-Adobe-3.0 EPSF-3.0\r\n%%BoundingBox: 0 0 100 50\n%%EndProlog\r"
                            "10 10 m\n90 40 l\nS\n%%PageTrailer\nshowpage\n";
    EXPECT_EQ(Joined(TranslateEps(eps, 0, 0, 200, 0, kPoints)),
              "q|2 0 0 2 0 0 cm|1 0 0 -1 0 50 cm|10 10 m|90 40 l|S|Q|");
    EXPECT_EQ(Joined(TranslateEps(eps, 5, 6, 0, 0, kPoints)),
              "q|1 0 0 1 5 6 cm|1 0 0 -1 0 50 cm|10 10 m|90 40 l|S|Q|")
        << "without a size: the bounding box in points";
    EXPECT_EQ(Joined(TranslateEps(eps, 5, 6, 0, 0, {2, 3})),
              "q|1 0 0 1 10 12 cm|1 0 0 -1 0 50 cm|10 10 m|90 40 l|S|Q|");
}

TEST(EpsImport, OperatorsAreTranslatedOrDropped)
{
    const std::string eps =
        "%%BoundingBox: 10 20 110 70\n%%EndSetup\n/proc { pop } def\n(text) show\n"
        "1 0 0 Xa\n0 XR\n0 0 0 1 k\n0.5 0.5 0.5 rg\n0 0 m\n5 5 L\nf\nS\n0 0 m\nF\n"
        "0 0 m\nB\n0 0 m\nb\nN\n1 2 3 4 5 6 C\n   \n%comment\nx y z unknown\nshowpage\n0 0 m\n";
    EXPECT_EQ(Joined(TranslateEps(eps, 0, 0, 100, 50, kPoints)),
              "q|1 0 0 1 0 0 cm|1 0 0 -1 -10 70 cm|1 0 0 rg|0 G|0 0 0 1 k|0 0 m|5 5 l|f*|"
              "0 0 m|f*|0 0 m|B*|0 0 m|b*|n|1 2 3 4 5 6 c|Q|");
}

TEST(EpsImport, FilesWithoutPlaceAreRefused)
{
    const ImportedDrawing noBox = TranslateEps("%%EndProlog\n0 0 m\n%%PageTrailer\n", 0, 0, 0, 0, kPoints);
    EXPECT_EQ(Joined(noBox), "") << "no unbalanced Q";
    EXPECT_EQ(FailureOf(noBox), "the drawing has no bounding box");
    const ImportedDrawing deferred = TranslateEps(
        "%%BoundingBox: (atend)\n%%EndProlog\n0 0 m\n%%PageTrailer\n%%BoundingBox: 0 0 10 10\n",
        0, 0, 0, 0, kPoints);
    EXPECT_EQ(Joined(deferred), "q|1 0 0 1 0 0 cm|1 0 0 -1 0 10 cm|0 0 m|Q|");
    EXPECT_EQ(FailureOf(deferred), "Subscript out of range");
    EXPECT_EQ(FailureOf(TranslateEps("0 0 m\n", 0, 0, 0, 0, kPoints)), "the file holds no drawing");
}

TEST(EpsImport, ContentWeCannotConvertIsRefused)
{
    // A picture in hexadecimal after its procedure, and content compressed into ASCII85.
    const std::string picture = "%%BoundingBox: 0 0 2 1\n%%EndComments\ngsave\n2 1 scale\n"
                                "2 1 8\n[2 0 0 -1 0 1]\n{ currentfile buf readhexstring pop } bind\n"
                                "false 3 colorimage\nff0000ff0000\ngrestore end\n";
    const std::string compressed = "%%BoundingBox: 0 0 10 10\n%%EndProlog\n"
                                   "currentfile /ASCII85Decode filter /FlateDecode filter cvx exec\n"
                                   "Gar8O:N%X>&4Q?mMFh#5~>\nshowpage\n";
    for (const std::string& eps : {picture, compressed}) {
        const ImportedDrawing drawing = TranslateEps(eps, 0, 0, 0, 0, kPoints);
        EXPECT_EQ(Joined(drawing), "") << eps;
        EXPECT_EQ(FailureOf(drawing), "the drawing holds no content we can convert");
    }
}

// A metafile's records: size in words, function, 16-bit parameters.
class Wmf {
public:
    explicit Wmf(bool placeable, int unitsPerInch = 0)
    {
        if (placeable) {
            Append(bytes, {0xD7, 0xCD, 0xC6, 0x9A});
            bytes.resize(14);
            AppendLE(bytes, static_cast<std::uint32_t>(unitsPerInch), 2);
            bytes.resize(22);
        }
        bytes.resize(bytes.size() + 18);
    }
    Wmf& Record(int function, std::initializer_list<int> words)
    {
        AppendLE(bytes, static_cast<std::uint32_t>(3 + words.size()), 4);
        AppendLE(bytes, static_cast<std::uint32_t>(function), 2);
        for (const int v : words)
            AppendLE(bytes, static_cast<std::uint32_t>(v), 2);
        return *this;
    }
    Bytes End() { return Record(0, {}).bytes; }
    Bytes bytes;
};

TEST(WmfImport, TriangleWithPenAndBrush)
{
    Bytes wmf = Wmf(true)
                    .Record(0x020B, {0, 0})           // window origin
                    .Record(0x020C, {500, 1000})      // extent 1000 x 500
                    .Record(0x0106, {1})              // alternate filling
                    .Record(0x02FA, {0, 20, 0, 0, 0}) // solid black pen, 20 wide
                    .Record(0x02FC, {0, 0x00FF, 0})   // red brush
                    .Record(0x012D, {0})
                    .Record(0x012D, {1})
                    .Record(0x0324, {3, 0, 0, 100, 0, 50, 80})
                    .Record(0x020C, {1, 1})           // too late to change anything
                    .Record(0x0325, {2, 0xFFF6, 5, 20, 5})
                    .End();
    EXPECT_EQ(Joined(TranslateWmf(wmf, 10, 10, 100, 0, kPoints)),
              "q|0.1 0 0 0.1 10 10 cm|1 0 0 1 0 0 cm|[ ] 0 d|0 0 0 RG|20 w|1 0 0 rg|"
              "50 80 m|100 0 l|0 0 l|b*|20 5 m|-10 5 l|S|Q|");
    // Records start after the headers, whether the placeable one comes first or not.
    EXPECT_EQ(Joined(TranslateWmf(Wmf(false).Record(0x0325, {1, 7, 8}).End(), 0, 0, 0, 0, kPoints)),
              "q|7 8 m|S|Q|");
}

TEST(WmfImport, ObjectsShapesAndTheEndOfTheWalk)
{
    const Bytes wmf = Wmf(false)
                          .Record(0x02FA, {5, 0, 0, 0, 0})  // null pen
                          .Record(0x02FC, {1, 0, 0})        // null brush
                          .Record(0x01F0, {0})              // the pen is deleted...
                          .Record(0x02FC, {0, 0xFF00, 0})   // ...and its entry reused
                          .Record(0x00F7, {})               // a palette takes the next one
                          .Record(0x012D, {1})
                          .Record(0x012D, {0})
                          .Record(0x012D, {7})              // no such object
                          .Record(0x0538, {2, 2, 1, 1, 2, 3, 4, 5, 6})
                          .Record(0x012D, {1})
                          .Record(0x0538, {1, 1, 0, 0})
                          .Record(0x02FA, {5, 0, 0, 0, 0})  // a null pen, entry 3
                          .Record(0x012D, {3})
                          .Record(0x0324, {1, 9, 9})
                          .Record(0x012D, {0})
                          .Record(0x0324, {1, 8, 8})
                          .End();
    EXPECT_EQ(Joined(TranslateWmf(wmf, 0, 0, 0, 0, kPoints)),
              "q|0 1 0 rg|3 4 m|1 2 l|5 6 m|b|0 0 m|s|9 9 m|n|0 1 0 rg|8 8 m|f|Q|")
        << "no window, no transformation";

    Bytes endless = Wmf(false).Record(0x0325, {1, 1, 1}).bytes;
    endless.resize(endless.size() + 6);  // a record of size 0
    EXPECT_EQ(Joined(TranslateWmf(endless, 0, 0, 0, 0, kPoints)), "q|1 1 m|S|Q|");
    const Bytes cut = Wmf(false).Record(0x0325, {1, 1, 1}).bytes;
    EXPECT_EQ(Joined(TranslateWmf(cut, 0, 0, 0, 0, kPoints)), "q|1 1 m|S|Q|")
        << "without an end record the walk ends with the data";
    Bytes overlong = Wmf(false).Record(0x0325, {9, 1, 1}).End();
    const ImportedDrawing damaged = TranslateWmf(overlong, 0, 0, 0, 0, kPoints);
    EXPECT_EQ(Joined(damaged), "q|Q|");
    EXPECT_EQ(FailureOf(damaged), "Subscript out of range");

    const ImportedDrawing text = TranslateWmf(Wmf(false).Record(0x0521, {1, 'A', 0, 0}).End(),
                                              0, 0, 0, 0, kPoints);
    EXPECT_EQ(Joined(text), "");
    EXPECT_EQ(FailureOf(text), "the metafile holds nothing we can draw");
}

TEST(VectorImport, DrawingsReachThePageAndRender)
{
    const std::string path = testing_support::OutputPath("images_drawings.pdf");
    auto w = testing_support::PinnedWriter();
    std::string name = path;
    w->BeginDoc(name);
    int page = 0;
    w->BeginPage(page);
    const std::string eps = WriteScratch("square.eps", [] {
        const std::string text = "%%BoundingBox: 0 0 10 10\n%%EndProlog\n0 0 1 Xa\n0 0 m\n10 0 l\n"
                                 "10 10 l\n0 10 l\nf\n%%PageTrailer\n";
        return Bytes(text.begin(), text.end());
    }());
    w->DrawImage(eps, 0, 0, 40, 40);
    const std::string wmf = WriteScratch("square.wmf", Wmf(false)
                                                           .Record(0x020B, {0, 0})
                                                           .Record(0x020C, {10, 10})
                                                           .Record(0x02FC, {0, 0x00FF, 0})
                                                           .Record(0x02FA, {5, 0, 0, 0, 0})
                                                           .Record(0x012D, {0})
                                                           .Record(0x012D, {1})
                                                           .Record(0x0324, {4, 0, 0, 10, 0, 10, 10, 0, 10})
                                                           .End());
    w->DrawImage(wmf, 50, 0, 40, 40);
    EXPECT_EQ(w->ErrNumber(), 0);
    const std::string missing = testing_support::ScratchPath("missing.wmf");
    w->DrawImage(missing, 0, 0, 10, 10);
    EXPECT_EQ(w->ErrDescription(), "File not found - " + missing);
    testing_support::FinishChecked(*w, path);

    EXPECT_EQ(ShownColours(path, {{20, 20}, {70, 20}, {100, 20}}),
              "(0, 0, 255) (255, 0, 0) (255, 255, 255)\n");
}

using VectorImports = ImageTest;

// Readers take no operator after a path but its painting: a path the drawing leaves
// unpainted is ended before the drawing's closing "Q".
TEST_F(VectorImports, APathLeftUnpaintedIsEnded)
{
    const std::string eps = WriteScratch("open.eps", [] {
        const std::string text = "%%BoundingBox: 0 0 10 10\n%%EndProlog\n0 0 m\n10 10 l\n"
                                 "%%PageTrailer\n";
        return Bytes(text.begin(), text.end());
    }());
    w->DrawImage(eps, 0, 0);
    EXPECT_NE(peer.PageContent().find("\r0 0 m\r10 10 l\rn\rQ"), std::string::npos)
        << peer.PageContent();
    Finish();
}

// At their natural size an EPS covers its bounding box in points, and a metafile its
// window at the placeable header's units per inch, pens included; what we cannot convert
// is refused and leaves the page as it was.

TEST_F(VectorImports, NaturalSizesFollowTheFilesUnits)
{
    const std::string eps = WriteScratch("natural.eps", [] {
        const std::string text = "%%BoundingBox: 100 100 150 120\n%%EndProlog\n0 0 1 Xa\n"
                                 "100 100 m\n150 100 l\n150 120 l\n100 120 l\nf\n%%PageTrailer\n";
        return Bytes(text.begin(), text.end());
    }());
    w->DrawImage(eps, 0, 0);
    // 576 units an inch, 8 a point: a window of 400 x 160 units is 50 x 20 points, and a
    // line 48 units wide is 6 points wide.
    const std::string wmf = WriteScratch("natural.wmf", Wmf(true, 576)
                                                            .Record(0x020B, {0, 0})
                                                            .Record(0x020C, {160, 400})
                                                            .Record(0x02FA, {0, 48, 0, 0, 0})
                                                            .Record(0x012D, {0})
                                                            .Record(0x0325, {2, 0, 80, 400, 80})
                                                            .End());
    w->DrawImage(wmf, 60, 0);
    EXPECT_EQ(w->ErrNumber(), 0);
    const std::string before = peer.PageContent();
    const std::string raster = WriteScratch("raster.eps", [] {
        const std::string text = "%%BoundingBox: 0 0 1 1\n%%EndComments\n1 1 8\n"
                                 "false 3 colorimage\nff0000\n";
        return Bytes(text.begin(), text.end());
    }());
    w->DrawImage(raster, 0, 0);
    EXPECT_EQ(w->ErrNumber(), 321);
    EXPECT_EQ(w->ErrDescription(), "the drawing holds no content we can convert - " + raster);
    EXPECT_EQ(peer.PageContent(), before);
    Finish();

    EXPECT_EQ(ShownColours(path, {{48, 18}, {52, 10}, {25, 22}, {85, 8}, {85, 12}, {85, 5},
                                  {85, 15}, {108, 10}, {112, 10}}),
              "(0, 0, 255) (255, 255, 255) (255, 255, 255) (0, 0, 0) (0, 0, 0) "
              "(255, 255, 255) (255, 255, 255) (0, 0, 0) (255, 255, 255)\n");
}

}  // namespace
}  // namespace pdf
