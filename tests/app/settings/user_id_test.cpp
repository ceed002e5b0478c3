#include "app/settings/user_id.h"

#include <gtest/gtest.h>

namespace {

using settings::UserIdFrom;

TEST(UserId, EachCharacterGivesTheFirstDigitOfItsCode) {
  // P 80, C 67, - 45, a 97, n 110, n 110, 0 48, 0 48.
  EXPECT_EQ(UserIdFrom("PC-OFFICE", "anna", "00:1A:2B:3C:4D:5E"), "86491144");
  // Accented letters of the code page give 1 or 2, others "?" (63).
  EXPECT_EQ(UserIdFrom("ÉTÉ", "Œuf", "€"), "2821111");
  EXPECT_EQ(UserIdFrom("日本", "", ""), "66");
}

TEST(UserId, ShortOrMissingInputsMakeItShorter) {
  EXPECT_EQ(UserIdFrom("PC", "a", ""), "869");
  EXPECT_EQ(UserIdFrom("", "", ""), "");
  // Alike beginnings give the same identifier.
  EXPECT_EQ(UserIdFrom("BUREAU-1", "martin", "AA:00:00:00:00:01"),
            UserIdFrom("BUREAU-2", "marthe", "AA:FF:FF:FF:FF:FF"));
}

TEST(UserId, TheWorkstationsIdentifierHasUpToEightDigits) {
  const std::string id = settings::GetUserId();
  EXPECT_LE(id.size(), 8u);
  EXPECT_GE(id.size(), 3u);  // a host name and a login name are always there
  for (char c : id) EXPECT_TRUE(c >= '0' && c <= '9') << id;
  EXPECT_EQ(settings::GetUserId(), id);
}

}  // namespace
