#include "app/settings/slugify.h"

#include <gtest/gtest.h>

#include "app/settings/utc_stamp.h"

namespace {

TEST(Slugify, FoldsFrenchAccentsAndJoinsTheRestWithSingleHyphens) {
  EXPECT_EQ(settings::Slugify("Réunions d'équipe"), "reunions-d-equipe");
  EXPECT_EQ(settings::Slugify("  Chantier 12 "), "chantier-12");
  EXPECT_EQ(settings::Slugify("Noël"), "no-l");
  EXPECT_EQ(settings::Slugify("ÀÂÉÈÊÎÔÙÛÇ àâéèêîôùûç"), "aaeeeiouuc-aaeeeiouuc");
  EXPECT_EQ(settings::Slugify("Œuvre -- Été!!"), "uvre-ete");
  EXPECT_EQ(settings::Slugify("¦¦¦"), "");
  EXPECT_EQ(settings::Slugify(""), "");
}

TEST(LocalDateToUtcStamp, ShiftsBackByTheZonesOffset) {
  EXPECT_EQ(settings::LocalDateToUtcStamp("15.03.2026"), "20260314T220000Z");
  EXPECT_EQ(settings::LocalDateToUtcStamp("01.03.2024"), "20240229T220000Z");
  EXPECT_EQ(settings::LocalDateToUtcStamp("01.03.2100"), "21000228T220000Z");
  EXPECT_EQ(settings::LocalDateToUtcStamp("01.01.2027"), "20261231T220000Z");
  EXPECT_EQ(settings::LocalDateToUtcStamp("15.03.2026 10:30"), "20260315T083000Z");
  EXPECT_EQ(settings::LocalDateToUtcStamp("15.03.2026", 60), "20260314T230000Z");
  EXPECT_EQ(settings::LocalDateToUtcStamp("31.12.2026 20:00", -300), "20270101T010000Z");
  EXPECT_EQ(settings::LocalDateToUtcStamp("1.1.2026"), "");
}

TEST(UtcStamp, WritesTheMomentInUtc) {
  EXPECT_EQ(settings::UtcStamp(0), "19700101T000000Z");
  EXPECT_EQ(settings::UtcStamp(1772794861), "20260306T110101Z");
}

}  // namespace
