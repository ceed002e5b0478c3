#include "runtime/text.h"

#include <gtest/gtest.h>

using namespace runtime;

TEST(Text, CountsCharactersNotBytes) {
  EXPECT_EQ(Len("Étapes"), 6);
  EXPECT_EQ(Len("a¦b"), 3);
  EXPECT_EQ(Len(""), 0);
  EXPECT_EQ(Mid("Réparations", 2, 4), "épar");
  EXPECT_EQ(Mid("Réparations", 9), "ons");
  EXPECT_EQ(Mid("abc", 7), "");
  EXPECT_EQ(Left("Été", 2), "Ét");
  EXPECT_EQ(Right("Tâche", 3), "che");
  EXPECT_EQ(Left("abc", 10), "abc");
}

TEST(Text, InStrGivesCharacterPositions) {
  EXPECT_EQ(InStr("Prénom¦Nom", "¦"), 7);
  EXPECT_EQ(InStr("aXbXc", "X", 3), 4);
  EXPECT_EQ(InStr("abc", "z"), 0);
  EXPECT_EQ(InStr("abc", ""), 1);
  // "¦" is C2 A6; a search for A6 alone must not match inside it.
  EXPECT_EQ(InStr("x¦", "\xA6"), 0);
}

TEST(Text, CaseOfAccentedLetters) {
  EXPECT_EQ(LCase("ÉTAPE Œuvre ÀÇÑ"), "étape œuvre àçñ");
  EXPECT_EQ(UCase("tâche élève ÿ"), "TÂCHE ÉLÈVE Ÿ");
  EXPECT_EQ(LCase("ДОМ Ωμέγα"), "дом ωμέγα");
  EXPECT_EQ(LCase("×"), "×");
}

TEST(Text, SplitGivesNoFieldForEmptyText) {
  EXPECT_TRUE(Split("", "¦").empty());
  EXPECT_EQ(Split("a¦¦b", "¦"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(Split("a¦", "¦"), (std::vector<std::string>{"a", ""}));
  EXPECT_EQ(Join(Split("05.03.2030 09:00¦x¦0", "¦"), "¦"), "05.03.2030 09:00¦x¦0");
}

TEST(Text, ParsesOnlyWholeIntegers) {
  EXPECT_EQ(ParseInteger(" 42 "), 42);
  EXPECT_EQ(ParseInteger("-7"), -7);
  EXPECT_FALSE(ParseInteger(""));
  EXPECT_FALSE(ParseInteger("4a"));
  EXPECT_FALSE(ParseInteger("1.5"));
  EXPECT_FALSE(ParseInteger("99999999999999999999"));
}

TEST(Text, Utf8RoundTrip) {
  const std::string text = "Ré ¦ 𝄞 дом";
  EXPECT_EQ(EncodeUtf8(DecodeUtf8(text)), text);
  EXPECT_EQ(Replace("a¦b¦c", "¦", "|"), "a|b|c");
  EXPECT_EQ(Trim("  x y  "), "x y");
}
