// Circular text: each character placed on the circle at its middle angle and turned to
// follow it, and a rendered page of it.  Arial at 10 points: "a" is 5.56 wide.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <regex>
#include <vector>

#include "text_test_support.h"

namespace pdf {
namespace {

using testing_support::RunTool;

class CircularText : public text_testing::TextTest {
protected:
    // The origin of each character's local space, as its "cm" line places it.
    std::vector<std::pair<float, float>> Origins(const std::string& content)
    {
        std::vector<std::pair<float, float>> points;
        const std::regex place("\r1 0 0 1 (-?[0-9.]+) (-?[0-9.]+) cm");
        for (std::sregex_iterator it(content.begin(), content.end(), place), end; it != end; ++it)
            points.emplace_back(std::stof((*it)[1]), std::stof((*it)[2]));
        return points;
    }
    static float AngleOf(std::pair<float, float> p, float cx, float cy)
    {
        return static_cast<float>(std::atan2(p.second - cy, p.first - cx) * 180 / M_PI);
    }
};

TEST_F(CircularText, CentredOnTheTopOfTheCircleStandsUpright)
{
    w->SetColorFill("Black");
    Content();
    w->DrawTextCircular(100, 100, 50, "a", 270, 4);
    EXPECT_EQ(Lines(Content()), "|q|1 0 0 1 100 50 cm" + TextObject("-2.78 0", "(a) Tj") +
                                    "|Q|0 0 0 RG|0 0 0 rg|1 w")
        << "centred on its point and unturned, then the state before put back";
    EXPECT_EQ(peer.X(), 100);
    EXPECT_EQ(peer.Y(), 100);
    const float top = peer.PageHeight();
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{50, top - 50, 150, top - 150}));
}

TEST_F(CircularText, CharactersFollowTheCircleAndATextTwiceAsWideTakesTwiceTheAngle)
{
    w->DrawTextCircular(200, 200, 40, "aaa", 0, 1);
    const auto three = Origins(Content());
    w->DrawTextCircular(200, 200, 40, "aaaaa", 0, 1);
    const auto five = Origins(Content());
    ASSERT_EQ(three.size(), 3u);
    ASSERT_EQ(five.size(), 5u);
    const float extent = 5.56f / (40 * 0.0174532925f);
    for (const auto& p : five)
        EXPECT_NEAR(std::hypot(p.first - 200, p.second - 200), 40, 0.002);
    EXPECT_NEAR(AngleOf(five[0], 200, 200), extent / 2, 0.01) << "begins at the start angle";
    const float span3 = AngleOf(three[2], 200, 200) - AngleOf(three[0], 200, 200);
    const float span5 = AngleOf(five[4], 200, 200) - AngleOf(five[0], 200, 200);
    EXPECT_NEAR(span3, 2 * extent, 0.01);
    EXPECT_NEAR(span5, 2 * span3, 0.01);

    w->DrawTextCircular(200, 200, 40, "aa", 90, 2);
    const auto ending = Origins(Content());
    ASSERT_EQ(ending.size(), 2u);
    EXPECT_NEAR(AngleOf(ending[1], 200, 200), 90 - extent / 2, 0.01) << "ends at 90 degrees";
}

TEST_F(CircularText, NothingToSetDrawsNothingButRecordsTheCircle)
{
    w->DrawTextCircular(10, 10, 0, "abc", 0, 1);
    w->DrawTextCircular(10, 10, 5, "", 0, 1);
    EXPECT_EQ(Content(), "");
    const float top = peer.PageHeight();
    EXPECT_EQ(peer.LastBox(), (std::array<float, 4>{5, top - 5, 15, top - 15}));
    EXPECT_EQ(peer.X(), 10);

    auto bare = testing_support::PinnedWriter();
    std::string path = testing_support::ScratchPath("circular_without_font.pdf");
    bare->BeginDoc(path);
    int page = 0;
    bare->BeginPage(page);
    EXPECT_THROW(bare->DrawTextCircular(10, 10, 5, "a", 0, 1), Error);
    TextTestPeer barePeer(*bare);
    EXPECT_EQ(barePeer.PageContent(), "") << "no local space left open";
}

TEST(CircularTextDocument, RendersAroundTheCircle)
{
    auto w = testing_support::PinnedWriter();
    std::string path = testing_support::OutputPath("draw_circular_text.pdf");
    w->BeginDoc(path);
    w->SetScale(2, 0);
    w->SetMargins(10, 10, 10, 10, 1);
    int page = 0;
    w->BeginPage(page);
    w->SetFont("Arial", 16, 1, 0);
    w->SetColorText("Navy");
    w->DrawTextCircular(90, 70, 40, "Quorvane planifie vos journées", 270, 4);
    w->SetFont("Times", 12, 2, 0);
    w->SetColorText("Maroon");
    w->DrawTextCircular(90, 70, 30, "autour du cercle, à l'heure", 90, 4);
    w->SetColorLine("Gray");
    w->DrawCircle(90, 70, 25, 0);
    w->EndPage();
    testing_support::FinishChecked(*w, path);

    const auto shots = std::filesystem::path(QUORVANE_BUILD_DIR) / "screenshots";
    std::filesystem::create_directories(shots);
    const auto shot = RunTool("pdftoppm -png -r 60 -singlefile '" + path + "' '" +
                              (shots / "draw_circular_text").string() + "'");
    EXPECT_EQ(shot.status, 0) << shot.output;
}

}  // namespace
}  // namespace pdf
