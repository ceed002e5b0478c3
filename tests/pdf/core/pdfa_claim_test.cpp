// A PDF/A document claims conformance only when what it paints holds under its RGB output
// intent.
#include <gtest/gtest.h>

#include <array>
#include <string>
#include <utility>

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

// What a page paints: colours in the caller's notation ("" leaves the default), a
// gradient between two colours, and a JPEG of Pillow's mode.
struct Painting {
    const char* name;
    const char* fill;
    const char* line;
    const char* text;
    std::array<const char*, 2> gradient;
    const char* jpegMode;
    bool claimed;
};

TEST(PdfaClaim, HoldsOnlyForWhatTheOutputIntentCovers)
{
    const Painting cases[] = {
        {"rgb_and_grey", "#336699", "%40", "#FF0000", {"#FF0000", "%20"}, "RGB", true},
        {"cmyk_fill", "@0;100;100;0", "", "", {}, "", false},
        {"cmyk_line", "", "@100;0;0;0", "", {}, "", false},
        {"cmyk_text", "", "", "@0;0;100;0", {}, "", false},
        {"cmyk_gradient", "", "", "", {"@100;0;0;0", "@0;100;0;0"}, "", false},
        {"cmyk_jpeg", "", "", "", {}, "CMYK", false},
    };
    for (const Painting& p : cases) {
        SCOPED_TRACE(p.name);
        auto w = PinnedWriter();
        std::string path = OutputPath(std::string("core_pdfa_claim_") + p.name + ".pdf");
        w->SetPDFa(true);
        w->BeginDoc(path);
        w->SetFont("Arial", 12, 0, 0);
        int page = 0;
        w->BeginPage(page);
        for (const auto& [colour, set] : {std::pair{p.fill, &Pagelith::SetColorFill},
                                          std::pair{p.line, &Pagelith::SetColorLine},
                                          std::pair{p.text, &Pagelith::SetColorText}})
            if (*colour != 0)
                ((*w).*set)(colour);
        w->DrawRect(10, 10, 50, 50, 0, 15, 0);
        w->DrawText(10, 100, "Jaune");
        if (p.gradient[0]) {
            w->AddGradient("FADE", 0, p.gradient[0], p.gradient[1], 0, 0, 100, 0, 0, 0, true,
                           true);
            w->SetColorFill("FADE");
            w->DrawRect(10, 120, 100, 50, 1, 15, 0);
        }
        if (*p.jpegMode != 0)
            w->DrawImage(w->AddImage("picture.jpg", PillowJpeg(p.jpegMode)), 10, 200, 40, 40);
        const std::string pdf = FinishChecked(*w, path);
        EXPECT_EQ(w->ErrNumber(), 0) << w->ErrDescription();
        EXPECT_EQ(pdf.find("<pdfaid:part>1</pdfaid:part>") != std::string::npos, p.claimed);
        EXPECT_NE(pdf.find("/OutputIntents"), std::string::npos) << "the mode still holds";
    }
}

}  // namespace
}  // namespace pdf
