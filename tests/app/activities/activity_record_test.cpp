#include "app/activities/activity_record.h"

#include <gtest/gtest.h>

#include "app/activities/activity_draft.h"
#include "app/activities/periodicity.h"

namespace {

using activities::ActivityDraft;
using activities::ActivityRecordText;
using activities::ParseActivityRecord;
using activities::RecordOf;

runtime::DateTime At(const char* text) { return *runtime::DateTime::Parse(text); }

ActivityDraft Pose() {
  ActivityDraft draft;
  draft.start = At("05.03.2030 09:00");
  draft.end = At("05.03.2030 10:30");
  draft.name = "Pose";
  draft.project = 0;
  draft.backColour = 255;
  draft.blackText = true;
  draft.resourceRows = {2, -1, 0};
  return draft;
}

TEST(ActivityRecordText, OneOffAndRepeatingActivitiesAsStored) {
  ActivityDraft draft = Pose();
  EXPECT_EQ(ActivityRecordText(RecordOf(draft)),
            "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1¦2¦0");

  draft.periodicityCode = 2;
  EXPECT_EQ(ActivityRecordText(RecordOf(draft)),
            "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1-2¦2¦0");
  draft.lastDay = At("30.06.2030");
  EXPECT_EQ(ActivityRecordText(RecordOf(draft)),
            "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1-2-30.06.2030¦2¦0");

  // White text, no resource row chosen, a last day left ticked on "Aucune".
  draft.blackText = false;
  draft.resourceRows = {-1};
  draft.periodicityCode = 0;
  draft.project = 3;
  EXPECT_EQ(ActivityRecordText(RecordOf(draft)),
            "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦3¦255-0");
  draft.periodicityCode = 9;  // not in the list: does not repeat
  EXPECT_EQ(ActivityRecordText(RecordOf(draft)),
            "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦3¦255-0");
}

TEST(ActivityRecordText, ABrokenBarTypedInTheNameCannotSplitTheRecord) {
  ActivityDraft draft = Pose();
  draft.name = "Pose ¦ dépose";
  const std::string text = ActivityRecordText(RecordOf(draft));
  EXPECT_EQ(text, "05.03.2030 09:00¦05.03.2030 10:30¦Pose | dépose¦0¦255-1¦2¦0");
  const auto read = ParseActivityRecord(text);
  ASSERT_TRUE(read);
  EXPECT_EQ(read->name, "Pose | dépose");
  EXPECT_EQ(read->resources, (std::vector<int>{2, 0}));
}

TEST(ParseActivityRecord, ReadsEveryField) {
  const auto read =
      ParseActivityRecord("31.12.2030 23:30¦01.01.2031 00:15¦Nuit¦4¦16777215-0-7-31.12.2035¦9");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->start, At("31.12.2030 23:30"));
  EXPECT_EQ(read->end, At("01.01.2031 00:15"));
  EXPECT_EQ(read->project, 4);
  EXPECT_EQ(read->backColour, 0xFFFFFF);
  EXPECT_FALSE(read->blackText);
  EXPECT_EQ(read->periodicityCode, 7);
  EXPECT_EQ(read->lastDay, At("31.12.2035"));
  EXPECT_EQ(read->resources, std::vector<int>{9});
  EXPECT_EQ(activities::PeriodicityName(read->periodicityCode), "annuel");

  const auto oneOff = ParseActivityRecord("05.03.2030 09:00¦05.03.2030 10:30¦¦0¦255-1");
  ASSERT_TRUE(oneOff);
  EXPECT_EQ(oneOff->periodicityCode, 0);
  EXPECT_FALSE(oneOff->lastDay);
  EXPECT_TRUE(oneOff->resources.empty());
  EXPECT_TRUE(oneOff->blackText);
}

TEST(ParseActivityRecord, CodesOutsideTheListDoNotRepeat) {
  for (const char* colour : {"255-1-0", "255-1-8", "255-1--3", "255-1-x-30.06.2030"}) {
    const auto read =
        ParseActivityRecord(std::string("05.03.2030 09:00¦05.03.2030 10:30¦A¦0¦") + colour + "¦1");
    ASSERT_TRUE(read) << colour;
    EXPECT_EQ(read->periodicityCode, 0) << colour;
    EXPECT_FALSE(read->lastDay) << colour;
  }
  EXPECT_EQ(activities::PeriodicityName(0), "");
  EXPECT_EQ(activities::PeriodicityName(8), "");
  EXPECT_EQ(activities::PeriodicityName(6), "semestriel");
}

TEST(ParseActivityRecord, PassesOverWhatIsNoActivityAndReadsTheRestAsTheViewsDo) {
  for (const char* text : {
           "",
           "05.03.2030 09:00¦05.03.2030 10:30¦A¦0",             // four fields
           "05.03.2030 9:00¦05.03.2030 10:30¦A¦0¦255-1¦1",      // unreadable start
           "05.03.2030 09:00¦31.02.2030 10:30¦A¦0¦255-1¦1",     // no such day
           "05.03.2030 09:00¦05.03.2030 10:30¦A¦?¦255-1¦1",     // project not a number
       }) {
    EXPECT_FALSE(ParseActivityRecord(text)) << text;
  }
  // Resource fields that name no resource are passed over; the others still book.
  for (const char* resources : {"¦un¦1", "¦1¦", "¦99999999999¦1", "¦2147483647¦1", "¦-1¦1"}) {
    const auto read = ParseActivityRecord(
        std::string("05.03.2030 09:00¦05.03.2030 10:30¦A¦0¦rouge") + resources);
    ASSERT_TRUE(read) << resources;
    EXPECT_EQ(read->resources, std::vector<int>{1}) << resources;
    EXPECT_EQ(read->backColour, 0);
  }
  // A project number that no record can have names no project: the views' project filter
  // compares it with a project's number plus one.
  for (const char* project : {"2147483647", "-2147483648", "4194304"}) {
    const auto read = ParseActivityRecord(
        std::string("05.03.2030 09:00¦05.03.2030 10:30¦A¦") + project + "¦255-1");
    ASSERT_TRUE(read) << project;
    EXPECT_EQ(read->project, -1) << project;
  }
  // A last day of repetition that is no date leaves the stored occurrence alone.
  const auto read = ParseActivityRecord("05.03.2030 09:00¦05.03.2030 10:30¦A¦0¦255-1-2-30.13.2030¦1");
  ASSERT_TRUE(read);
  EXPECT_EQ(read->periodicityCode, 0);
  EXPECT_FALSE(read->lastDay);
}

}  // namespace
