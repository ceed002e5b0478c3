#include "app/mainwindow/agenda_list.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "view_test_form.h"

namespace {

runtime::DateTime At(const char* text) { return *runtime::DateTime::Parse(text); }

class AgendaList : public ::testing::Test {
 protected:
  AgendaList() {
    planner.Categories = {"Nord¦255-0", "Sud¦65280-1"};
    planner.Resources = {"Anne", "Box #1", "Paul"};
    // Each change of the scroll bar runs the window's handler.
    form.ScrollAgenda.Change = [this] { mainwindow::FollowAgendaScroll(agenda, form.lblInfoAg); };
  }
  void Draw(const char* date = "12.03.2031", int project = 0,
            std::optional<std::string> resource = {}) {
    mainwindow::DrawAgenda(agenda, planner, At(date), project, resource);
  }
  // "Caption | Tag" of every line, in element order.
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    for (int i = 1; i <= form.lblDetail.UBound(); ++i)
      lines.push_back(form.lblDetail[i].Caption() + " | " + form.lblDetail[i].Tag());
    return lines;
  }

  viewtest::ViewForm form;
  mainwindow::AgendaControls agenda{form.fraAgenda, form.fraCalendar, form.fraMenuCalendar,
                                    form.lblMoisAg,  form.lblDate,     form.lblDetail,
                                    form.ScrollAgenda};
  store::Planner planner;
};

TEST_F(AgendaList, AMonthWithoutActivitiesShowsOnlyTheMonthBar) {
  form.fraMenuCalendar.SetVisible(false);
  Draw();
  EXPECT_TRUE(form.fraMenuCalendar.Visible());
  EXPECT_EQ(form.lblMoisAg.Caption(), "mars 2031");
  EXPECT_EQ(form.lblDate.Count(), 1);
  EXPECT_EQ(form.lblDetail.Count(), 1);
  EXPECT_FALSE(form.ScrollAgenda.Enabled());
  // The frame fills the calendar area below the month bar.
  EXPECT_EQ(form.fraAgenda.Left(), 3255);
  EXPECT_EQ(form.fraAgenda.Top(), 1000);
  EXPECT_EQ(form.fraAgenda.Height(), 11000 - 580);
  EXPECT_EQ(form.lblDetail[0].Left(), 120 + 2505 + 80);
  EXPECT_EQ(form.lblDetail[0].Width(), 19215 - 2625 - 700);
  EXPECT_EQ(form.ScrollAgenda.Left(), 19215 - 600);
}

TEST_F(AgendaList, DaysGetABlockAndTheirActivitiesALineEachInOrderOfStart) {
  planner.Activities = {
      "12.03.2031 14:00¦12.03.2031 15:00¦Pose¦0¦255-1¦0",
      "28.02.2031 09:30¦28.02.2031 10:00¦Point¦1¦65280-0-1¦2",   // daily since February
      "12.03.2031 09:30¦12.03.2031 09:45¦Appel¦1¦16711680-1¦2",  // same minute, later record
      "03.03.2031 00:00¦05.03.2031 18:00¦Salon¦0¦255-0",         // on each of its days
      "12.02.2031 08:00¦12.02.2031 09:00¦Revue¦0¦255-1-4-12.03.2031",  // monthly, ends 12th
      "01.04.2031 07:00¦01.04.2031 08:00¦Avril¦0¦255-1",         // next month
  };
  Draw();

  const std::vector<std::string> lines = Lines();
  ASSERT_GE(lines.size(), 5u);
  // 1 and 2 March: the daily repetitions; 3 to 5 March: the stay, under way from midnight.
  EXPECT_EQ(lines[0], "09:30 Sud: Point | 1");
  EXPECT_EQ(lines[1], "09:30 Sud: Point | 1");
  for (std::size_t day : {2u, 4u, 6u}) {
    EXPECT_EQ(lines[day], "00:00 Nord: Salon | 3");
    EXPECT_EQ(lines[day + 1], "09:30 Sud: Point | 1");
  }
  // 12 March: the monthly repetition, the daily one before the one-off at the same minute
  // (found for an earlier record), the afternoon.
  const std::vector<std::string> twelfth(lines.begin() + 14, lines.begin() + 18);
  EXPECT_EQ(twelfth, (std::vector<std::string>{"08:00 Nord: Revue | 4", "09:30 Sud: Point | 1",
                                                "09:30 Sud: Appel | 2", "14:00 Nord: Pose | 0"}));
  EXPECT_EQ(lines.size(), 31u + 6u);  // a daily repetition each day, six more lines

  // Colours and text colour of the records.
  EXPECT_EQ(form.lblDetail[1].BackColor(), 65280u);
  EXPECT_EQ(form.lblDetail[1].ForeColor(), forms::kWhite);
  EXPECT_EQ(form.lblDetail[15].ForeColor(), forms::kBlack);

  // Blocks: one per day; the 12th holds four lines.
  ASSERT_EQ(form.lblDate.UBound(), 31);
  EXPECT_EQ(form.lblDate[1].Caption(), "samedi\n01 mars");
  EXPECT_EQ(form.lblDate[1].Top(), 100);
  EXPECT_EQ(form.lblDate[1].Height(), 520);
  EXPECT_EQ(form.lblDate[2].Top(), 100 + 520 + 80);
  EXPECT_EQ(form.lblDate[12].Caption(), "mercredi\n12 mars");
  EXPECT_EQ(form.lblDate[12].Height(), 1310);  // holds its four 315-twip lines
  EXPECT_EQ(form.lblDate[13].Top(), form.lblDate[12].Top() + 1310 + 80);
  EXPECT_EQ(form.lblDate[3].Height(), 700);  // the stay and a repetition
  EXPECT_EQ(form.lblDetail[15].Top(), form.lblDate[12].Top() + 50);
  EXPECT_EQ(form.lblDetail[16].Top(), form.lblDate[12].Top() + 50 + 315);
  EXPECT_TRUE(form.lblDetail[16].Visible());
}

// An activity over several days is listed on each of its days of the month shown, from
// 00:00 after its first; one that ends at midnight covers nothing of the day it ends; one
// that ends before it starts is listed as the grids show it, on both its days at its start;
// a night repeated daily is listed once a day, from 00:00 after its first.
TEST_F(AgendaList, AnActivityOverSeveralDaysIsListedOnEachOfItsDaysOfTheMonth) {
  planner.Activities = {"30.12.2030 18:00¦03.01.2031 09:00¦Location¦0¦255-1",
                        "05.03.2031 20:00¦06.03.2031 00:00¦Soirée¦1¦255-1",
                        "12.04.2031 14:00¦10.04.2031 09:00¦Envers¦0¦255-1",
                        "01.05.2031 22:00¦02.05.2031 06:00¦Nuit¦0¦255-1-1-02.05.2031"};
  const struct {
    const char* month;
    std::vector<std::string> lines;
    std::vector<std::string> days;
  } cases[] = {
      {"15.01.2031", {"00:00 Nord: Location | 0", "00:00 Nord: Location | 0",
                      "00:00 Nord: Location | 0"}, {"01 janvier", "02 janvier", "03 janvier"}},
      {"15.12.2030", {"18:00 Nord: Location | 0", "00:00 Nord: Location | 0"},
       {"30 décembre", "31 décembre"}},
      {"15.03.2031", {"20:00 Sud: Soirée | 1"}, {"05 mars"}},
      {"15.04.2031", {"14:00 Nord: Envers | 2", "14:00 Nord: Envers | 2"}, {"10 avril", "12 avril"}},
      {"15.05.2031", {"22:00 Nord: Nuit | 3", "00:00 Nord: Nuit | 3", "00:00 Nord: Nuit | 3"},
       {"01 mai", "02 mai", "03 mai"}},
  };
  for (const auto& [month, lines, days] : cases) {
    Draw(month);
    EXPECT_EQ(Lines(), lines) << month;
    std::vector<std::string> blocks;
    for (int i = 1; i <= form.lblDate.UBound(); ++i)
      blocks.push_back(form.lblDate[i].Caption().substr(form.lblDate[i].Caption().find('\n') + 1));
    EXPECT_EQ(blocks, days) << month;
  }
}

TEST_F(AgendaList, FiltersAndUnreadableRecordsLeaveTheOthersListed) {
  planner.Activities = {
      "10.03.2031 09:00¦10.03.2031 10:00¦Anne¦0¦255-1¦0",
      "10.03.2031 10:00¦10.03.2031 11:00¦Box¦1¦255-1¦1",
      "10.03.2031 11:00¦10.03.2031 12:00¦Short¦0",
      "10.03.2031 25:00¦10.03.2031 12:00¦Bad start¦0¦255-1",
      "10.03.2031 12:00¦10.03.2031 13:00¦Bad project¦x¦255-1",
      "10.03.2031 13:00¦10.03.2031 14:00¦Far project¦7¦255-1",
      "10.03.2031 14:00¦10.03.2031 15:00¦Odd code¦0¦255-1-9",
      "10.03.2031 15:00¦10.03.2031 16:00¦Paul¦1¦255-1¦2",
      "10.03.2031 16:00¦10.03.2031 17:00¦Huge code¦0¦255-1-4294967297",
      "10.03.2031 17:00¦10.03.2031 18:00¦Last project¦2147483647¦255-1",
  };
  Draw();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"09:00 Nord: Anne | 0", "10:00 Sud: Box | 1",
                                                "14:00 Nord: Odd code | 6",
                                                "15:00 Sud: Paul | 7",
                                                "16:00 Nord: Huge code | 8"}));
  Draw("12.03.2031", 2);
  EXPECT_EQ(Lines(), (std::vector<std::string>{"10:00 Sud: Box | 1", "15:00 Sud: Paul | 7"}));
  Draw("12.03.2031", 0, "Ann");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"09:00 Nord: Anne | 0"}));
  Draw("12.03.2031", 0, "Box #1");
  EXPECT_EQ(Lines(), (std::vector<std::string>{"10:00 Sud: Box | 1"}));
  Draw("12.03.2031", 1, "Box #1");
  EXPECT_TRUE(Lines().empty());
  EXPECT_EQ(form.lblDate.Count(), 1);
}

TEST_F(AgendaList, RepetitionsStopAtTheirEndAndAfterTheMonth) {
  planner.Activities = {
      "01.01.2031 10:00¦01.01.2031 11:00¦Weekly¦0¦255-1-2-28.02.2031",  // ended before
      "05.02.2031 10:00¦05.02.2031 11:00¦Fortnight¦0¦255-1-3-19.03.2031",
      "31.01.2031 08:00¦31.01.2031 09:00¦Monthly¦0¦255-1-4",
  };
  Draw();
  EXPECT_EQ(Lines(), (std::vector<std::string>{"10:00 Nord: Fortnight | 1",
                                                "10:00 Nord: Fortnight | 1",
                                                "08:00 Nord: Monthly | 2"}));
  EXPECT_EQ(form.lblDate[1].Caption(), "mercredi\n05 mars");
  EXPECT_EQ(form.lblDate[2].Caption(), "mercredi\n19 mars");
  EXPECT_EQ(form.lblDate[3].Caption(), "vendredi\n28 mars");
}

TEST_F(AgendaList, ALongMonthScrollsByStepsOf300Twips) {
  // 150 activities on one day: a block far taller than 32,767 twips.
  for (int i = 0; i < 150; ++i)
    planner.Activities.push_back("20.03.2031 08:00¦20.03.2031 09:00¦Tâche " + std::to_string(i) +
                                 "¦0¦255-1");
  Draw();
  ASSERT_EQ(form.lblDetail.UBound(), 150);
  // The block holds all its lines, so the next day's block cannot overlap them.
  EXPECT_EQ(form.lblDate[1].Height(), 50 + 150 * 315);
  EXPECT_EQ(form.lblDetail[150].Top(), 150 + 149 * 315);
  EXPECT_LE(form.lblDetail[150].Top() + form.lblDetail[150].Height(),
            form.lblDate[1].Top() + form.lblDate[1].Height());
  EXPECT_EQ(form.lblDetail[150].Caption(), "08:00 Nord: Tâche 149");
  EXPECT_TRUE(form.ScrollAgenda.Enabled());
  const double overflow = 100 + 50 + 150 * 315 - form.fraAgenda.Height();
  EXPECT_EQ(form.ScrollAgenda.Max(), static_cast<int>(std::nearbyint(overflow / 300 + 1)));

  form.lblInfoAg.SetVisible(true);
  form.ScrollAgenda.SetValue(3);
  EXPECT_FALSE(form.lblInfoAg.Visible());
  // The list moves up inside its frame; the frame and its scroll bar stay below the month
  // bar.
  EXPECT_EQ(form.lblDate[1].Top(), 100 - 900);
  EXPECT_EQ(form.lblDetail[150].Top(), 150 + 149 * 315 - 900);
  form.ScrollAgenda.SetValue(1);
  EXPECT_EQ(form.lblDate[1].Top(), 100 - 300);
  EXPECT_EQ(form.lblDetail[1].Top(), 150 - 300);
  EXPECT_EQ(form.fraAgenda.Top(), 1000);
  EXPECT_EQ(form.fraAgenda.Height(), 11000 - 580);
  EXPECT_EQ(form.ScrollAgenda.Top(), 140);

  // Drawing again starts at the top with the old lines gone.
  planner.Activities.resize(1);
  Draw();
  EXPECT_EQ(form.ScrollAgenda.Value(), 0);
  EXPECT_EQ(form.lblDate[1].Top(), 100);
  EXPECT_EQ(form.lblDetail.UBound(), 1);
  EXPECT_EQ(form.lblDate.UBound(), 1);
  EXPECT_FALSE(form.ScrollAgenda.Enabled());
}

}  // namespace
