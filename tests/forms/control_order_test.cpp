// The order of a container's children and of the form's controls while elements are
// loaded, unloaded and brought to the front in any order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/forms.h"

namespace {

struct Stack : forms::Form {
  Stack() : Form("frmStack") {}
  forms::Frame fraList{*this, "fraList"};
  forms::ControlArray<forms::Label> lblLine{fraList, "lblLine"};
  forms::Label lblAfter{*this, "lblAfter"};
};

std::vector<std::string> Names(const std::vector<forms::Control*>& controls) {
  std::vector<std::string> names;
  for (const forms::Control* c : controls)
    names.push_back(c->Index() >= 0 ? c->Name() + std::to_string(c->Index()) : c->Name());
  return names;
}

TEST(ControlOrder, SurvivesUnloadsAndZOrderInAnyOrder) {
  Stack form;
  for (int i = 1; i <= 5; ++i) form.lblLine.Load(i);
  form.lblLine.Unload(2);
  form.lblLine[1].ZOrder(0);
  form.lblLine.Unload(5);
  form.lblLine[3].ZOrder(1);
  EXPECT_EQ(Names(form.fraList.Children()),
            (std::vector<std::string>{"lblLine3", "lblLine0", "lblLine4", "lblLine1"}));
  EXPECT_EQ(Names(form.AllControls()),
            (std::vector<std::string>{"fraList", "lblLine0", "lblAfter", "lblLine1", "lblLine3",
                                      "lblLine4"}));
  form.lblLine.Load(2);
  EXPECT_EQ(Names(form.fraList.Children()).back(), "lblLine2");
}

TEST(ControlOrder, ManyLabelsUnloadedOldestFirstLeaveTheRestInOrder) {
  Stack form;
  for (int i = 1; i <= 3000; ++i) form.lblLine.Load(i);
  for (int i = 1; i <= 2998; ++i) form.lblLine.Unload(i);
  EXPECT_EQ(Names(form.fraList.Children()),
            (std::vector<std::string>{"lblLine0", "lblLine2999", "lblLine3000"}));
  EXPECT_EQ(form.AllControls().size(), 5u);
}

}  // namespace
