// What a control of the printed frame becomes on the page, and where the agenda's pages
// break.
#include <gtest/gtest.h>

#include "app/export/agenda_pages.h"
#include "app/export/printed_control.h"
#include "forms/forms.h"

namespace {

using agendaexport::AgendaPages;
using agendaexport::BoxOf;
using agendaexport::LineOf;

class PrintedControlTest : public ::testing::Test {
 protected:
  forms::Form window{"frmMain"};
  forms::Frame fraCalendar{window, "fraCalendar"};
  forms::ControlArray<forms::Label> lblJour{fraCalendar, "lblJour"};
  forms::ControlArray<forms::Label> lblHeures{fraCalendar, "lblHeures"};
  forms::ControlArray<forms::Line> Line1{fraCalendar, "Line1"};
  forms::ControlArray<forms::Line> Line2{fraCalendar, "Line2"};
  forms::ControlArray<forms::Label> lblDate{fraCalendar, "lblDate"};
  forms::ControlArray<forms::Label> lblActivite{fraCalendar, "lblActivite"};
  forms::TextBox txtNote{fraCalendar, "txtNote"};
};

TEST_F(PrintedControlTest, ADayCellLandsAtItsPlaceInCentimetresHalfACentimetreHigher) {
  forms::Label& cell = lblJour.Load(12);
  cell.Move(240, 840, 2655, 300);
  const auto box = BoxOf(cell);
  ASSERT_TRUE(box);
  EXPECT_NEAR(box->x, 0.42, 0.005);
  EXPECT_NEAR(box->y, 0.98, 0.005);
  EXPECT_NEAR(box->w, 4.68, 0.005);
  EXPECT_NEAR(box->h, 0.53, 0.005);
}

TEST_F(PrintedControlTest, DayCellsAreGreyDayHeadingsWhiteOnABlackTopAndOthersTheirOwnColours) {
  forms::Label& cell = lblJour.Load(9);
  cell.SetBackColor(forms::kWhite);
  cell.SetForeColor(0xC06700);
  EXPECT_EQ(BoxOf(cell)->fillColour, "14737632");
  EXPECT_EQ(BoxOf(cell)->lineColour, "White");
  EXPECT_EQ(BoxOf(cell)->textColour, std::to_string(0xC06700));

  forms::Label& heading = lblDate.Load(8);
  heading.SetBackColor(forms::kWindowBackground);
  EXPECT_EQ(BoxOf(heading)->fillColour, "White");
  EXPECT_EQ(BoxOf(heading)->lineColour, "Black");

  forms::Label& activity = lblActivite.Load(8);
  activity.SetBackColor(0x00FF80);
  EXPECT_EQ(BoxOf(activity)->fillColour, std::to_string(0x00FF80));
  EXPECT_EQ(BoxOf(activity)->lineColour, "White");

  // A system colour reaches the writer as the colour the desktop paints, not as its
  // number, whose low bytes would read as near black.
  activity.SetForeColor(forms::kWindowText);
  activity.SetBackColor(forms::kWindowBackground);
  EXPECT_EQ(BoxOf(activity)->textColour, std::to_string(forms::ResolveColor(forms::kWindowText)));
  EXPECT_EQ(BoxOf(activity)->fillColour,
            std::to_string(forms::ResolveColor(forms::kWindowBackground)));
}

TEST_F(PrintedControlTest, AlignmentAndTheVerticalCentreOfTheFirstSevenElements) {
  forms::Label& header = lblJour[0];
  header.SetAlignment(forms::kAlignCenter);
  EXPECT_EQ(BoxOf(header)->align, 4 + 32);
  forms::Label& sixth = lblActivite.Load(6);
  sixth.SetAlignment(forms::kAlignRight);
  EXPECT_EQ(BoxOf(sixth)->align, 2 + 32);
  forms::Label& seventh = lblJour.Load(7);
  seventh.SetAlignment(forms::kAlignLeft);
  EXPECT_EQ(BoxOf(seventh)->align, 1);
  // The hour scale stands at the top of its rows, as on screen.
  forms::Label& firstHour = lblHeures[0];
  firstHour.SetAlignment(forms::kAlignCenter);
  EXPECT_EQ(BoxOf(firstHour)->align, 4);
}

TEST_F(PrintedControlTest, TextFontAndAutoSize) {
  forms::Label& label = lblActivite.Load(9);
  label.SetFont({"MS Sans Serif", 9.75});
  label.SetCaption("09:00\nPose");
  label.Move(0, 0, 1134, 300);
  EXPECT_EQ(BoxOf(label)->text, "09:00\r\nPose");
  EXPECT_EQ(BoxOf(label)->fontName, "MS Sans Serif");
  EXPECT_FLOAT_EQ(BoxOf(label)->fontSize, 9.75f);
  EXPECT_FLOAT_EQ(BoxOf(label)->w, 2.0f);
  label.SetAutoSize(true);
  EXPECT_FLOAT_EQ(BoxOf(label)->w, label.Width() / 567 + 0.5f);

  txtNote.SetText("Note");
  txtNote.SetAlignment(forms::kAlignRight);
  EXPECT_EQ(BoxOf(txtNote)->text, "Note");
  EXPECT_EQ(BoxOf(txtNote)->align, 2 + 32);  // a control of its own counts as index -1
}

TEST_F(PrintedControlTest, HourLinesStandWhereTheirHourLabelsEnd) {
  forms::Label& hour = lblHeures.Load(3);
  hour.Move(0, 1140, 495, 880);
  forms::Line& full = Line1.Load(3);
  full.SetY1(1140 + 880);
  full.SetY2(1140 + 880);
  const auto box = BoxOf(hour);
  const auto line = LineOf(full);
  EXPECT_FLOAT_EQ(line.y1, box->y + box->h);
  EXPECT_FLOAT_EQ(line.y2, box->y + box->h);
  EXPECT_EQ(line.colour, "Black");
  EXPECT_EQ(line.dash, "");

  forms::Line& half = Line2.Load(3);
  half.SetX1(567);
  half.SetX2(5670);
  EXPECT_EQ(LineOf(half).colour, "14737632");
  EXPECT_EQ(LineOf(half).dash, "0.5;0.1");
  EXPECT_FLOAT_EQ(LineOf(half).x1, 1);
  EXPECT_FLOAT_EQ(LineOf(half).x2, 10);
}

TEST_F(PrintedControlTest, OnlyLabelsAndTextBoxesBecomeBoxes) {
  forms::Image picture(fraCalendar, "imgToday");
  forms::Shape shape(fraCalendar, "shToday");
  EXPECT_FALSE(BoxOf(picture));
  EXPECT_FALSE(BoxOf(shape));
  EXPECT_FALSE(BoxOf(Line1[0]));
}

TEST(AgendaPagesTest, TheFirstPageLeavesRoomForTheTitle) {
  EXPECT_FLOAT_EQ(AgendaPages(true, 29.2f, 0).Offset(), 1);
  EXPECT_FLOAT_EQ(AgendaPages(false, 20.5f, 0).Offset(), 0);
  // A list the window shows scrolled is printed from its top all the same.
  EXPECT_FLOAT_EQ(AgendaPages(true, 29.2f, 2.5f).Offset(), 3.5f);
}

TEST(AgendaPagesTest, ADayAfterABoxEndingBelow27CentimetresStartsAPage27CentimetresHigher) {
  AgendaPages pages(true, 29.2f, 0);
  pages.Drawn(26, 1);
  EXPECT_FALSE(pages.BreakBeforeDay());
  pages.Drawn(26, 1.01f);
  EXPECT_TRUE(pages.BreakBeforeDay());
  EXPECT_EQ(pages.Page(), 2);
  EXPECT_FLOAT_EQ(pages.Offset(), 1 - 27);
  // The box drawn last now lies on the page before: a second heading does not break again.
  EXPECT_FALSE(pages.BreakBeforeDay());
}

TEST(AgendaPagesTest, ABoxPassingTheFootOfThePageStartsTheNextAtItsTop) {
  AgendaPages pages(true, 29.2f, 0);
  EXPECT_FALSE(pages.BreakBeforeBox(28, 1.2f));
  EXPECT_TRUE(pages.BreakBeforeBox(28.5f, 0.8f));
  EXPECT_EQ(pages.Page(), 2);
  EXPECT_FLOAT_EQ(28.5f + (pages.Offset() - 1), 0);
  // A box taller than a page at the top of one stays there.
  EXPECT_FALSE(pages.BreakBeforeBox(0, 40));
  EXPECT_EQ(pages.Page(), 2);
}

}  // namespace
