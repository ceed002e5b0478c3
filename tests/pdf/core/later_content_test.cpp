// What is added to a page after its own drawing, by BeginOnPage or a foreground template,
// as readers show it whatever state the page's drawing left behind.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "pdf_test_support.h"

namespace pdf {
namespace {

using testing_support::OutputPath;
using testing_support::PinnedWriter;
using testing_support::ReadWords;
using testing_support::RenderPage;
using testing_support::Rendering;
using testing_support::Word;


// The pixels darker than mid-grey inside the word's box.
int DarkPixels(const Rendering& page, const Word& word)
{
    int dark = 0;
    for (int y = static_cast<int>(word.yMin); y < static_cast<int>(word.yMax); ++y) {
        for (int x = static_cast<int>(word.xMin); x < static_cast<int>(word.xMax); ++x) {
            const auto rgb = page.At(x, y);
            dark += rgb[0] >= 0 && rgb[0] + rgb[1] + rgb[2] < 3 * 128;
        }
    }
    return dark;
}

struct LeftState {
    const char* name;
    std::function<void(Pagelith&)> draw;
};

TEST(LaterContent, StartsFromThePagesDefaultState)
{
    const LeftState cases[] = {
        {"clip", [](Pagelith& w) { w.DrawRect(0, 0, 1, 1, 129, 15, 0); }},
        {"open_space", [](Pagelith& w) { w.BeginSpace(300, 300, 0.001f, 0.001f, 0); }},
        {"spaces_in_spaces",
         [](Pagelith& w) {
             w.BeginSpace(10, 10, 1, 1, 0);
             w.BeginSpace(0, 0, 0.5f, 0.5f, 30);
         }},
        {"axis_scaling", [](Pagelith& w) { w.AxisScaling(0.001f, 0.001f); }},
        {"axis_rotation", [](Pagelith& w) { w.AxisRotation(45); }},
    };
    for (const LeftState& left : cases) {
        SCOPED_TRACE(left.name);
        auto w = PinnedWriter();
        std::string path = OutputPath(std::string("core_later_content_") + left.name + ".pdf");
        w->BeginDoc(path);
        w->SetFont("Arial", 20, 0, 0);
        w->BeginObject("Footer", 16 + 4);  // over odd pages
        w->DrawText(100, 700, "FOOTER");
        w->EndObject();
        int page = 0;
        w->BeginPage(page);
        w->DrawText(100, 100, "PAGE");
        left.draw(*w);
        w->EndPage();
        // The first reopening leaves the same state behind for the second.
        for (const auto& [y, text] : {std::pair{400, "REOPENED"}, std::pair{500, "AGAIN"}}) {
            w->BeginOnPage(page);
            w->SetFont("Arial", 20, 0, 0);
            w->DrawText(100, static_cast<float>(y), text);
            left.draw(*w);
            w->EndOnPage();
        }
        testing_support::FinishChecked(*w, path);
        EXPECT_EQ(w->ErrNumber(), 0);

        const std::vector<Word> words = ReadWords(path);
        const Rendering shown = RenderPage(path, false);
        for (const auto& [text, baseline] :
             {std::pair{"FOOTER", 700}, std::pair{"REOPENED", 400}, std::pair{"AGAIN", 500}}) {
            SCOPED_TRACE(text);
            const auto found = std::find_if(words.begin(), words.end(),
                                            [&](const Word& w) { return w.text == text; });
            ASSERT_NE(found, words.end());
            EXPECT_NEAR(found->xMin, 100, 1);
            EXPECT_NEAR(found->yMax - found->yMin, 18.5, 1) << "at its size";
            EXPECT_GT(found->yMax, baseline);
            EXPECT_LT(found->yMin, baseline);
            EXPECT_GT(DarkPixels(shown, *found), 100) << "painted";
        }
    }
}

// A space left open in a template or a tiling cell ends with its recording: each content
// stream restores every state it saves, as pikepdf counts them.
TEST(LaterContent, RecordingsCloseTheSpacesLeftOpenInThem)
{
    auto w = PinnedWriter();
    std::string path = OutputPath("core_recording_spaces.pdf");
    w->BeginDoc(path);
    int page = 0;
    w->BeginPage(page);
    w->BeginObject("Open", 0);
    w->BeginSpace(5, 5, 2, 2, 30);
    w->EndObject();
    w->BeginTiling("Cell", 0, 0, 10, 10, 10, 10, 0);
    w->BeginSpace(5, 5, 2, 2, 30);
    w->EndTiling();
    testing_support::FinishChecked(*w, path);
    EXPECT_EQ(w->ErrNumber(), 0);
    const std::string counts =
        "import pikepdf, sys\np = pikepdf.open(sys.argv[1])\nfor o in p.objects:\n"
        "  if isinstance(o, pikepdf.Stream) and o.get('/BBox') is not None:\n"
        "    ops = [str(op) for _, op in pikepdf.parse_content_stream(o)]\n"
        "    print(ops.count('q'), ops.count('Q'))";
    EXPECT_EQ(testing_support::RunTool("/usr/bin/python3 -c \"" + counts + "\" " + path).output,
              "1 1\n1 1\n");
}

}  // namespace
}  // namespace pdf
