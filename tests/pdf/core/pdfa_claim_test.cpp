// A PDF/A document claims conformance only when what it paints holds under its RGB output
// intent.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::FinishChecked;
using testing_support::OutputPath;
using testing_support::PinnedWriter;
using testing_support::ReadAll;
using testing_support::RunTool;
using testing_support::ScratchPath;

// A JPEG of one colour in Pillow's mode ("RGB", "CMYK"), as bytes.
Bytes PillowJpeg(const std::string& mode)
{
    const std::string path = ScratchPath("pdfa_claim_" + mode + ".jpg");
    const auto made = RunTool("/usr/bin/python3 -c \"import sys; from PIL import Image; "
                              "Image.new('" + mode + "', (16, 16), 'navy').save(sys.argv[1])\" '" +
                              path + "'");
    EXPECT_EQ(made.status, 0) << made.output;
    const std::string bytes = ReadAll(path);
    return Bytes(bytes.begin(), bytes.end());
}

struct Painting {
    const char* name;
    std::function<void(Pagelith&)> draw;
    bool claimed;
};

TEST(PdfaClaim, HoldsOnlyForWhatTheOutputIntentCovers)
{
    const Painting cases[] = {
        {"rgb_and_grey",
         [](Pagelith& w) {
             w.SetColorFill("#336699");
             w.DrawRect(10, 10, 50, 50, 0, 15, 0);
             w.SetColorLine("%40");
             w.DrawLine(0, 0, 100, 100, 0);
         },
         true},
        {"cmyk_fill",
         [](Pagelith& w) {
             w.SetColorFill("@0;100;100;0");
             w.DrawRect(10, 10, 50, 50, 0, 15, 0);
         },
         false},
        {"cmyk_line",
         [](Pagelith& w) {
             w.SetColorLine("@100;0;0;0");
             w.DrawLine(0, 0, 100, 100, 0);
         },
         false},
        {"cmyk_text",
         [](Pagelith& w) {
             w.SetColorText("@0;0;100;0");
             w.DrawText(10, 100, "Jaune");
         },
         false},
        {"cmyk_gradient",
         [](Pagelith& w) {
             w.AddGradient("FADE", 0, "@100;0;0;0", "@0;100;0;0", 0, 0, 100, 0, 0, 0, true, true);
             w.SetColorFill("FADE");
             w.DrawRect(10, 10, 100, 50, 1, 15, 0);
         },
         false},
        {"rgb_jpeg",
         [](Pagelith& w) {
             w.AddImage("rgb.jpg", PillowJpeg("RGB"));
             w.DrawImage("rgb.jpg", 10, 10, 40, 40);
         },
         true},
        {"cmyk_jpeg",
         [](Pagelith& w) {
             w.AddImage("cmyk.jpg", PillowJpeg("CMYK"));
             w.DrawImage("cmyk.jpg", 10, 10, 40, 40);
         },
         false},
    };
    for (const Painting& painting : cases) {
        SCOPED_TRACE(painting.name);
        auto w = PinnedWriter();
        std::string path = OutputPath(std::string("core_pdfa_claim_") + painting.name + ".pdf");
        w->SetPDFa(true);
        w->BeginDoc(path);
        w->SetFont("Arial", 12, 0, 0);
        int page = 0;
        w->BeginPage(page);
        painting.draw(*w);
        const std::string pdf = FinishChecked(*w, path);
        EXPECT_EQ(w->ErrNumber(), 0) << w->ErrDescription();
        EXPECT_EQ(pdf.find("<pdfaid:part>1</pdfaid:part>") != std::string::npos,
                  painting.claimed);
        EXPECT_NE(pdf.find("/OutputIntents"), std::string::npos) << "the mode still holds";
    }
}

}  // namespace
}  // namespace pdf
