#include "app/settings/category_list.h"

#include <gtest/gtest.h>

namespace {

TEST(ColourToRgbText, RedIsTheLowByte) {
  EXPECT_EQ(settings::ColourToRgbText("16777215"), "255,255,255");
  EXPECT_EQ(settings::ColourToRgbText("255"), "255,0,0");
  EXPECT_EQ(settings::ColourToRgbText("1193046"), "86,52,18");  // &H123456
  EXPECT_EQ(settings::ColourToRgbText("0"), "0,0,0");
  EXPECT_EQ(settings::ColourToRgbText("rouge"), "");
  EXPECT_EQ(settings::ColourToRgbText(""), "");
}

TEST(CategoryListText, OneLinePerProjectAfterAByteOrderMark) {
  store::Planner planner;
  planner.Categories = {"Chantier Nord¦16777215-1", "Atelier¦65280-2", "Réunions¦255-0",
                        "Sans couleur¦bleu-1", "Ancien"};
  EXPECT_EQ(settings::CategoryListText(planner),
            "\xEF\xBB\xBF"
            "0,255,255,255,0\r\n"
            "1,0,255,0,1\r\n"
            "2,255,0,0,1\r\n"
            "3,,0\r\n"
            "4,,1\r\n");
  EXPECT_EQ(settings::CategoryListText(store::Planner()), "\xEF\xBB\xBF");
}

}  // namespace
