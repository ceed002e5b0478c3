#include "platform/ini_document.h"

#include <gtest/gtest.h>

namespace platform {
namespace {

TEST(IniDocumentTest, FindsValuesWithTheProfileRules) {
  IniDocument document(
      "top=ignored\n"
      "[Alpha]\n"
      "; a=comment\n"
      "Key = first value \n"
      "key=second\n"
      "quoted=\"with blanks \"\n"
      "[ beta ]\r\n"
      "x=1\r\n"
      "[ALPHA]\n"
      "other=from the repeated section\n");

  EXPECT_EQ(document.Value("alpha", "KEY"), "first value");
  EXPECT_EQ(document.Value("Alpha", "quoted"), "with blanks ");
  EXPECT_EQ(document.Value("BETA", "x"), "1");
  EXPECT_FALSE(document.Value("alpha", "other")) << "the first matching section wins";
  EXPECT_FALSE(document.Value("alpha", "; a"));
  EXPECT_FALSE(document.Value("alpha", "top"));
  EXPECT_FALSE(document.Value("gamma", "x"));

  ASSERT_EQ(document.SectionCount(), 3u);
  EXPECT_EQ(document.SectionName(0), "Alpha");
  EXPECT_EQ(document.SectionName(1), "beta");
  EXPECT_EQ(document.SectionName(2), "ALPHA");
}

TEST(IniDocumentTest, EmptyTextHasNothing) {
  IniDocument document("");
  EXPECT_EQ(document.SectionCount(), 0u);
  EXPECT_FALSE(document.Value("A", "b"));
}

TEST(IniDocumentTest, WritesReplaceAppendAndAddSections) {
  IniDocument document(
      "[A]\n"
      "k=1\n"
      "m=2\n"
      "\n"
      "[B]\n"
      "n=3");

  EXPECT_EQ(document.WithValue("a", "K", "9"),
            "[A]\nK=9\nm=2\n\n[B]\nn=3") << "the key line is rewritten in place";
  EXPECT_EQ(document.WithValue("A", "new", "4"),
            "[A]\nk=1\nm=2\nnew=4\n\n[B]\nn=3") << "a new key ends its section";
  EXPECT_EQ(document.WithValue("B", "o", "5"), "[A]\nk=1\nm=2\n\n[B]\nn=3\no=5\n");
  EXPECT_EQ(document.WithValue("C", "p", ""), "[A]\nk=1\nm=2\n\n[B]\nn=3\n[C]\np=\n");
}

TEST(IniDocumentTest, WritesFollowTheTextsLineBreaks) {
  IniDocument windows("[A]\r\nk=1\r\n");
  EXPECT_EQ(windows.WithValue("A", "k", "2"), "[A]\r\nk=2\r\n");
  EXPECT_EQ(windows.WithValue("B", "k", "2"), "[A]\r\nk=1\r\n[B]\r\nk=2\r\n");

  IniDocument crAlone("\xEF\xBB\xBF[A]\rk=1\r[B]\rm=3");
  EXPECT_EQ(crAlone.WithValue("A", "k", "2"), "[A]\rk=2\r[B]\rm=3");
  EXPECT_EQ(crAlone.WithValue("A", "n", "2"), "[A]\rk=1\rn=2\r[B]\rm=3");
  EXPECT_EQ(crAlone.WithValue("C", "k", "2"), "[A]\rk=1\r[B]\rm=3\r[C]\rk=2\r");

  IniDocument empty("");
  EXPECT_EQ(empty.WithValue("S", "k", "v"), "[S]\nk=v\n");

  IniDocument headerOnly("[S]");
  EXPECT_EQ(headerOnly.WithValue("s", "k", "v"), "[S]\nk=v\n");
}

}  // namespace
}  // namespace platform
