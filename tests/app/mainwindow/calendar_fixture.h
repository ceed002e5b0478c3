// The main window over two projects and three resources, with ways to find what the
// calendar views drew.  Today is Monday 02.03.2026; March 2026 begins on a Sunday.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "forms/user_driver.h"
#include "window_fixture.h"

class CalendarTest : public WindowTest {
 protected:
  CalendarTest() {
    planner.Categories = {"Nord\u00A6255-0", "Sud\u00A665280-1"};
    planner.Resources = {"Ann", "Anne", "Box #1", "[A"};
  }

  static runtime::DateTime Date(const char* text) { return *runtime::DateTime::Parse(text); }

  // An activity record: start and end "dd.mm.yyyy HH:MM", then the colour field
  // ("255-0", or with a periodicity "255-0-2", and a last day "255-0-2-24.03.2026") and the
  // resource indexes.
  void Add(const std::string& start, const std::string& end, const std::string& name,
           int project = 0, const std::string& colour = "255-0",
           const std::vector<int>& resources = {}) {
    std::string record = start + "\u00A6" + end + "\u00A6" + name + "\u00A6" +
                         std::to_string(project) + "\u00A6" + colour;
    for (int r : resources) record += "\u00A6" + std::to_string(r);
    planner.Activities.push_back(record);
  }

  // The visible activity labels, in element order.
  std::vector<const forms::Label*> Labels() const {
    std::vector<const forms::Label*> labels;
    for (int i : window->lblActivite.Indexes())
      if (i > 0 && window->lblActivite[i].Visible()) labels.push_back(&window->lblActivite[i]);
    return labels;
  }

  // The day cell (element of lblJour) showing `date`, -1 for none.
  int Cell(const std::string& date) const {
    for (int j = 7; j <= 37; ++j)
      if (window->lblJour[j].Visible() && window->lblJour[j].Tag() == date) return j;
    return -1;
  }

  // The captions of the labels of the day column or cell of `date`, top to bottom.  The
  // last label a month cell takes stands on the cell's bottom edge.
  std::vector<std::string> CaptionsOn(const std::string& date) const {
    const int j = Cell(date);
    if (j < 0) return {};
    const forms::Label& cell = window->lblJour[j];
    std::vector<const forms::Label*> inside;
    for (const forms::Label* label : Labels())
      if (label->Left() >= cell.Left() && label->Left() < cell.Left() + cell.Width() &&
          label->Top() + label->Height() > cell.Top() &&
          label->Top() <= cell.Top() + cell.Height())
        inside.push_back(label);
    std::stable_sort(inside.begin(), inside.end(),
                     [](const forms::Label* a, const forms::Label* b) { return a->Top() < b->Top(); });
    std::vector<std::string> captions;
    for (const forms::Label* label : inside) captions.push_back(label->Caption());
    return captions;
  }

  int VisibleIcons() const {
    int count = 0;
    for (int i : window->imgPeriode.Indexes())
      if (i > 0 && window->imgPeriode[i].Visible()) ++count;
    return count;
  }

  // Clicks side-menu entry k as a user does.
  void Menu(int k) { user.Click(window->lblAffiche[k]); }

  forms::testing::UserDriver user;
};
