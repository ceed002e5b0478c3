#include "app/store/codec.h"

#include <gtest/gtest.h>

#include <random>

namespace store {
namespace {

bool OnlyDigitsAndCapitals(const std::string& code) {
  for (char c : code) {
    if (!((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))) return false;
  }
  return true;
}

std::string Lowered(std::string text) {
  for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return text;
}

TEST(CodecTest, EveryTextComesBackWhole) {
  std::string longAccents;
  for (int i = 0; i < 2500; ++i) longAccents += "é¦";
  const std::string texts[] = {
      "",
      "a",
      "¦",
      "Salle 2¦1",
      "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1-2-30.06.2030¦2¦0",
      "àâäçéèêëîïôöùûüÿœæ ÀÂÇÉÈÊËÎÏÔÙÛÜŸŒÆ «»€",
      "0123456789",
      "=[];\"' key = value ; [section]",
      "   leading and trailing blanks   ",
      "\t",
      "line\nbreak\r\nend",
      std::string("nul\0inside", 10),
      "📅 日本語 Ελληνικά Кириллица",
      "\xff\xfe\xc3 bytes that are not UTF-8 \xed\xa0\x80 \xc0\xaf \xf4\x90\x80\x80",
      longAccents,
  };
  for (const std::string& text : texts) {
    std::string code = EncodeIniText(text);
    EXPECT_TRUE(OnlyDigitsAndCapitals(code)) << code;
    EXPECT_EQ(DecodeIniText(code), text);
    EXPECT_EQ(DecodeIniText(Lowered(code)), text) << "letter case must not matter";
  }
  EXPECT_GT(EncodeIniText(longAccents).size(), 4095u);
  EXPECT_EQ(EncodeIniText(""), "");
}

TEST(CodecTest, RandomBytesRoundTrip) {
  std::mt19937 random(12345);
  for (int round = 0; round < 2000; ++round) {
    std::string text(random() % 40, '\0');
    for (char& c : text) c = static_cast<char>(random() % 256);
    std::string code = EncodeIniText(text);
    ASSERT_TRUE(OnlyDigitsAndCapitals(code));
    ASSERT_EQ(DecodeIniText(code), text);
  }
}

TEST(CodecTest, CodesDependOnThePosition) {
  std::string single = EncodeIniText("a");
  EXPECT_NE(EncodeIniText("aa"), single + single);
  EXPECT_EQ(EncodeIniText("aa"), EncodeIniText("aa"));
  EXPECT_NE(EncodeIniText("Nom"), "Nom");
}

TEST(CodecTest, ATailCodesFromItsOwnPosition) {
  std::string prefix = EncodeIniText("Réparation ");
  std::string whole = EncodeIniText("Réparation n°12");
  ASSERT_EQ(whole.substr(0, prefix.size()), prefix);
  EXPECT_EQ(DecodeIniText(whole.substr(prefix.size()), 12), "n°12");
  EXPECT_NE(DecodeIniText(whole.substr(prefix.size())), "n°12");
  std::string tail;
  AppendEncodedIniText(tail, "n°12", 12);
  EXPECT_EQ(prefix + tail, whole);
}

TEST(CodecTest, StoredNamesKeepTheirCodes) {
  // Data files written earlier must stay readable: these codes may never change.
  EXPECT_EQ(EncodeIniText("Nom"), "V0M3T7");
  EXPECT_EQ(DecodeIniText("V0M3T7"), "Nom");
}

TEST(CodecTest, DecodingStopsAtTheFirstIncompleteCode) {
  std::string code = EncodeIniText("ab");
  EXPECT_EQ(DecodeIniText(code + "G"), "ab") << "a continuation symbol without its end";
  EXPECT_EQ(DecodeIniText(code + " junk"), "ab");
  EXPECT_EQ(DecodeIniText(code + "Z" + EncodeIniText("c")), "ab");
  EXPECT_EQ(DecodeIniText("GGGGGGG0"), "") << "no code is longer than six symbols";
  EXPECT_EQ(DecodeIniText("Yes"), "") << "Y, Z, I and O are no symbols";
}

// The damage check relies on it: a code is whole exactly when what it decodes to encodes
// back to it, whatever was cut, garbled or written in lower case.
TEST(CodecTest, ACodeDecodesWholeExactlyWhenItEncodesBack) {
  const std::string symbols = "0123456789ABCDEFGHJKLMNPQRSTUVWXgh5a=Y";
  std::mt19937 random(6789);
  for (int round = 0; round < 20000; ++round) {
    std::string text(random() % 12, '\0');
    for (char& c : text) c = static_cast<char>(round % 2 ? random() % 256 : 32 + random() % 200);
    std::string code = EncodeIniText(text);
    if (!code.empty() && random() % 2) code[random() % code.size()] = symbols[random() % symbols.size()];
    if (!code.empty() && random() % 3 == 0) code.resize(random() % code.size());
    std::string upper = code;
    for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    ASSERT_EQ(DecodesWhole(code), EncodeIniText(DecodeIniText(code)) == upper) << code;
  }
}

}  // namespace
}  // namespace store
