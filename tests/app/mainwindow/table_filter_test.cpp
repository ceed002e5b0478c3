#include "app/mainwindow/table_filter.h"

#include <gtest/gtest.h>

#include "view_test_form.h"

namespace {

using mainwindow::ActivityResourceNames;
using mainwindow::PassesResourceFilter;

class TableFilter : public ::testing::Test {
 protected:
  TableFilter() {
    planner.Categories = {"Nord¦255-0", "Sud¦65280-1", "Nord¦16711680-0", ""};
    planner.Resources = {"Anne", "Box #1", "[A", "Salle 2¦1"};
    grid.SetCols(17);
    grid.SetRows(1);
    grid.SetRowHeight(0, 240);
  }
  // A row of the table: project name and resource names from column 5 on.
  void Row(const std::string& project, std::vector<std::string> resources) {
    const int row = grid.Rows();
    grid.SetRows(row + 1);
    grid.SetTextMatrix(row, 3, project);
    for (std::size_t i = 0; i < resources.size(); ++i)
      grid.SetTextMatrix(row, 5 + static_cast<int>(i), resources[i]);
  }
  std::vector<int> ShownRows(int project, std::optional<std::string> resource = {}) {
    mainwindow::FilterActivityGrid(grid, planner, project, resource);
    std::vector<int> shown;
    for (int row = 1; row < grid.Rows(); ++row) {
      if (grid.RowHeight(row) == 240) shown.push_back(row);
      else EXPECT_EQ(grid.RowHeight(row), 0);
    }
    return shown;
  }

  store::Planner planner;
  viewtest::ViewForm form;
  forms::MSFlexGrid& grid = form.MSFlexGrid1;
};

TEST_F(TableFilter, RowsFollowTheChosenProject) {
  Row("Nord", {"Anne"});
  Row("Sud", {});
  Row("Ouest", {});  // a project that no record names
  EXPECT_EQ(ShownRows(0), (std::vector<int>{1, 2, 3}));
  EXPECT_EQ(ShownRows(2), (std::vector<int>{2}));
  // Two projects share the name "Nord": rows carry the first one's number.
  EXPECT_EQ(ShownRows(1), (std::vector<int>{1}));
  EXPECT_EQ(ShownRows(3), (std::vector<int>{}));
  EXPECT_EQ(mainwindow::CategoryNumber(planner, "Nord"), 1);
  EXPECT_EQ(mainwindow::CategoryNumber(planner, "nord"), 0);
  EXPECT_EQ(mainwindow::CategoryNumber(planner, ""), 0);  // the empty record is passed over
}

TEST_F(TableFilter, TheResourceFilterOfTheTableWantsTheWholeName) {
  Row("Nord", {"Anne"});
  Row("Nord", {"Box #1"});
  Row("Sud", {"x", "x", "x", "x", "x", "x", "x", "x", "x", "[A"});  // tenth resource
  EXPECT_EQ(ShownRows(0, "Anne"), (std::vector<int>{1}));
  EXPECT_EQ(ShownRows(0, "Ann"), (std::vector<int>{}));
  EXPECT_EQ(ShownRows(0, "Box #1"), (std::vector<int>{2}));
  EXPECT_EQ(ShownRows(0, "[A"), (std::vector<int>{3}));
  EXPECT_EQ(ShownRows(2, "[A"), (std::vector<int>{3}));
  EXPECT_EQ(ShownRows(1, "[A"), (std::vector<int>{}));
}

TEST_F(TableFilter, TheViewsFindTheChosenNameAsWrittenAnywhereInTheResourceNames) {
  const std::string record = "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1¦0¦x¦1¦9¦2¦3";
  const std::string names = ActivityResourceNames(planner, record);
  EXPECT_EQ(names, " Anne Box #1 [A Salle 2¦1");
  EXPECT_EQ(ActivityResourceNames(planner, "05.03.2030 09:00¦05.03.2030 10:30¦Pose¦0¦255-1"),
            "");

  EXPECT_TRUE(PassesResourceFilter(names, std::nullopt));
  EXPECT_TRUE(PassesResourceFilter(names, "Ann"));
  EXPECT_FALSE(PassesResourceFilter(names, "anne"));
  EXPECT_TRUE(PassesResourceFilter(names, "Box #1"));
  EXPECT_FALSE(PassesResourceFilter(" Box 11", "Box #1"));  // "#" is no digit wildcard
  EXPECT_TRUE(PassesResourceFilter(names, "[A"));            // no error, no character list
  EXPECT_FALSE(PassesResourceFilter(" A", "[A]"));
  EXPECT_FALSE(PassesResourceFilter(" Anne", "A?ne"));
  EXPECT_TRUE(PassesResourceFilter(names, "Salle 2"));  // a deactivated resource's marker
}

TEST_F(TableFilter, TheChosenResourceIsTheComboTextFromItsSecondEntry) {
  forms::ComboBox& combo = form.cmbAffiche;
  for (const char* item : {"Tout", "Anne", "Box #1"}) combo.AddItem(item);
  EXPECT_EQ(mainwindow::ChosenResource(combo), std::nullopt);
  combo.SetListIndex(0);
  EXPECT_EQ(mainwindow::ChosenResource(combo), std::nullopt);
  combo.SetListIndex(2);
  EXPECT_EQ(mainwindow::ChosenResource(combo), "Box #1");
}

}  // namespace
