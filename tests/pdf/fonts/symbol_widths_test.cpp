#include <numeric>

#include <gtest/gtest.h>

#include "loaded_font.h"

namespace pdf {
namespace {

using testing::LoadedFont;

TEST(SymbolWidths, MetricsAndFillers) {
    FontWidths w = LoadedFont("Symbol", 0, 0).Widths;
    for (int code = 0; code < 30; ++code)
        EXPECT_EQ(w[code], 332) << code;
    for (int code : {30, 31, 240, 255})
        EXPECT_EQ(w[code], 600) << code;
    for (int code = 127; code <= 160; ++code)
        EXPECT_EQ(w[code], 600) << code;
    const std::pair<int, int> telling[] = {
        {32, 250}, {34, 713}, {65, 722}, {74, 631}, {92, 863}, {97, 631}, {98, 549},
        {124, 200}, {161, 620}, {164, 167}, {171, 1042}, {219, 1042}, {188, 1000},
        {215, 250}, {242, 274}, {254, 494},
    };
    for (auto [code, width] : telling)
        EXPECT_EQ(w[code], width) << code;
    EXPECT_EQ(*std::min_element(w.begin(), w.end()), 167);
    EXPECT_EQ(*std::max_element(w.begin(), w.end()), 1042);
    EXPECT_EQ(w['a'] + w['b'] + w[' '], 1430);
}

TEST(ZapfDingbatsWidths, MetricsOrnamentsAndFillers) {
    FontWidths w = LoadedFont("ZapfDingbats", 0, 0).Widths;
    for (int code = 0; code < 32; ++code)
        EXPECT_EQ(w[code], 600) << code;
    for (int code : {127, 240, 255})
        EXPECT_EQ(w[code], 0) << code;
    for (int code = 142; code <= 160; ++code)
        EXPECT_EQ(w[code], 0) << code;
    const int ornaments[] = {390, 390, 317, 317, 276, 276, 509, 509, 410, 410, 234, 234, 334, 334};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(w[128 + i], ornaments[i]) << 128 + i;
    const std::pair<int, int> telling[] = {
        {32, 278}, {33, 974}, {65, 692}, {120, 138}, {126, 668}, {161, 732}, {212, 894},
        {214, 1016}, {239, 874}, {241, 874}, {254, 918},
    };
    for (auto [code, width] : telling)
        EXPECT_EQ(w[code], width) << code;
    for (int code = 172; code <= 211; ++code)
        EXPECT_EQ(w[code], 788) << code;
    int narrowest = 1000, widest = 0;
    for (int width : w) {
        if (width > 0) {
            narrowest = std::min(narrowest, width);
            widest = std::max(widest, width);
        }
    }
    EXPECT_EQ(narrowest, 138);
    EXPECT_EQ(widest, 1016);
}

}  // namespace
}  // namespace pdf
