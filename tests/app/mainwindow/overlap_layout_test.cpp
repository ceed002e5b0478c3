#include "app/mainwindow/overlap_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>
#include <vector>

#include "view_test_form.h"

namespace {

constexpr double kColumn = 540;
constexpr double kDay = 2622;
constexpr double kWindow = 22770;
constexpr double kHour = 880;

double Hour(double hours) { return 1140 + (hours - 5) * kHour; }

class OverlapLayout : public ::testing::Test {
 protected:
  int Add(double fromHour, double toHour, double column = kColumn) {
    return form.AddLabel(column, Hour(fromHour), Hour(toHour) - Hour(fromHour), kDay);
  }
  void Arrange() {
    mainwindow::ArrangeOverlappingActivities(form.lblActivite, form.imgPeriode, kWindow);
  }
  double Left(int index) const { return form.lblActivite[index].Left(); }
  double Width(int index) const { return form.lblActivite[index].Width(); }

  viewtest::ViewForm form;
};

TEST_F(OverlapLayout, LabelsThatDoNotOverlapKeepTheirPlaceAndIconsFollowTheirLabels) {
  const int morning = Add(8, 9);
  const int touching = Add(9, 10);  // starts where the first ends
  const int otherDay = Add(8.5, 9.5, kColumn + kDay + 40);
  const int icon = form.AddIcon(touching);
  Arrange();
  for (int label : {morning, touching}) {
    EXPECT_EQ(Left(label), kColumn);
    EXPECT_EQ(Width(label), kDay);
  }
  EXPECT_EQ(Left(otherDay), kColumn + kDay + 40);
  EXPECT_EQ(form.imgPeriode[icon].Left(), kColumn + kDay - 255);
  EXPECT_EQ(form.imgPeriode[icon].Top(), Hour(10) - 165);
}

TEST_F(OverlapLayout, OfTwoOverlappingLabelsTheLaterStandsLeft) {
  const int first = Add(9, 10);
  const int second = Add(9.5, 11);
  const int icon = form.AddIcon(first);
  Arrange();
  EXPECT_EQ(Left(second), kColumn);
  EXPECT_EQ(Left(first), kColumn + 1311);
  EXPECT_EQ(Width(first), 1311);
  EXPECT_EQ(Width(second), 1311);
  // The icon moved with its label to the right half's corner; tops never change.
  EXPECT_EQ(form.imgPeriode[icon].Left(), kColumn + 2622 - 255);
  EXPECT_EQ(form.lblActivite[first].Top(), Hour(9));
}

TEST_F(OverlapLayout, AChainSharesTheFirstSubColumnBetweenLabelsThatOnlyTouch) {
  const int a = Add(8, 10);
  const int b = Add(9, 11);
  const int c = Add(10, 12);
  Arrange();
  EXPECT_EQ(Left(a), kColumn);
  EXPECT_EQ(Left(c), kColumn);
  EXPECT_EQ(Left(b), kColumn + 1311);
  for (int label : {a, b, c}) EXPECT_EQ(Width(label), 1311);
}

TEST_F(OverlapLayout, IdenticalTimesTakeTwoSubColumnsAndOtherDaysStayApart) {
  const int one = Add(14, 15);
  const int other = Add(14, 15);
  const int nextDay = Add(14, 15, kColumn + kDay + 40);
  const int hidden = Add(14, 15);
  form.lblActivite[hidden].SetVisible(false);
  Arrange();
  EXPECT_EQ(Left(other), kColumn);
  EXPECT_EQ(Left(one), kColumn + 1311);
  EXPECT_EQ(Width(one), 1311);
  EXPECT_EQ(Left(nextDay), kColumn + kDay + 40);
  EXPECT_EQ(Width(nextDay), kDay);
  EXPECT_EQ(Left(hidden), kColumn);
  EXPECT_EQ(Width(hidden), kDay);
}

TEST_F(OverlapLayout, ManyLabelsAtOneTimeGetNarrowSubColumnsOfTheWholeDay) {
  std::vector<int> labels;
  for (int i = 0; i < 150; ++i) labels.push_back(Add(10, 11));
  Arrange();
  // Every label overlaps all others, so the last one formed the group and leads it.
  std::vector<double> lefts;
  for (int label : labels) {
    EXPECT_EQ(Width(label), 17);  // 2622 / 150 rounded, below the 20 of the first spread
    lefts.push_back(Left(label));
  }
  std::sort(lefts.begin(), lefts.end());
  EXPECT_EQ(std::unique(lefts.begin(), lefts.end()) - lefts.begin(), 150);
  EXPECT_EQ(Left(labels.back()), kColumn);
}

// The layout step by step as its rules read, for any labels: the oracle of the random
// cases below.
struct Box {
  double left, top, width, height;
  bool visible;
};

std::vector<Box> ArrangeByTheRules(std::vector<Box> boxes, double windowWidth) {
  auto whole = [](double v) { return std::nearbyint(v); };
  const int n = static_cast<int>(boxes.size());
  std::vector<double> column(n), top(n), bottom(n);
  for (int i = 0; i < n; ++i) {
    column[i] = whole(boxes[i].left);
    top[i] = whole(boxes[i].top);
    bottom[i] = whole(boxes[i].top + boxes[i].height);
  }
  const double day = n >= 2 ? whole(boxes[1].width) : 0;
  auto overlap = [&](int i, int j) { return top[i] < bottom[j] && bottom[i] > top[j]; };
  auto contains = [](const std::vector<int>& list, int v) {
    return std::find(list.begin(), list.end(), v) != list.end();
  };

  std::vector<std::vector<int>> groups;
  for (int i = 0; i < n; ++i) {
    std::vector<int> list;
    for (int j = 0; j < n; ++j)
      if (j != i && i > 0 && j > 0 && boxes[i].visible && boxes[j].visible &&
          column[i] == column[j] && overlap(i, j)) {
        if (!contains(list, i)) list.push_back(i);
        if (!contains(list, j)) list.push_back(j);
      }
    if (list.empty()) continue;
    auto found = std::find_if(groups.begin(), groups.end(), [&](const std::vector<int>& g) {
      return std::any_of(list.begin(), list.end(), [&](int v) { return contains(g, v); });
    });
    if (found == groups.end()) {
      groups.push_back(list);
      continue;
    }
    std::vector<int> merged;
    for (int v : *found)
      if (!contains(list, v)) merged.push_back(v);
    merged.insert(merged.end(), list.begin(), list.end());
    groups.erase(found);
    groups.push_back(merged);
  }
  for (const auto& g : groups) {
    const double w = std::max(whole(day / g.size()), 20.0);
    for (std::size_t k = 0; k < g.size(); ++k) {
      Box& b = boxes[g[k]];
      b.left = column[g[k]] + k * w;
      b.width = w;
      if (b.left < 0) b.left = 0;
      if (b.left + b.width > windowWidth) b.left = windowWidth - b.width;
    }
  }
  for (const auto& g : groups) {
    std::vector<double> newLeft(g.size());
    for (std::size_t k = 0; k < g.size(); ++k) {
      bool any = false;
      double best = 0;
      for (std::size_t p = 0; p < g.size(); ++p) {
        const int q = g[p];
        if (p == k || !overlap(g[k], q)) continue;
        const double ref = p < k && newLeft[p] >= 1 ? newLeft[p] : boxes[q].left;
        if (ref < boxes[g[k]].left && (!any || ref + boxes[q].width > best)) {
          best = ref + boxes[q].width;
          any = true;
        }
      }
      newLeft[k] = any ? best : column[g[0]];
    }
    for (std::size_t k = 0; k < g.size(); ++k) boxes[g[k]].left = newLeft[k];
  }
  for (const auto& g : groups) {
    std::vector<double> lefts;
    for (int v : g)
      lefts.push_back(whole(boxes[v].left));
    std::sort(lefts.begin(), lefts.end());
    lefts.erase(std::unique(lefts.begin(), lefts.end()), lefts.end());
    const double w = whole(day / lefts.size());
    for (int v : g) {
      const auto r = std::find(lefts.begin(), lefts.end(), whole(boxes[v].left)) - lefts.begin();
      boxes[v].left = lefts.front() + r * w;
      boxes[v].width = w;
    }
  }
  return boxes;
}

TEST_F(OverlapLayout, RandomWeeksComeOutAsTheRulesPlaceThem) {
  std::mt19937 random(20310312);
  for (int week = 0; week < 300; ++week) {
    viewtest::ViewForm weekForm;
    std::vector<Box> boxes{{0, 0, kDay, 285, false}};
    const int labels = 1 + static_cast<int>(random() % 40);
    for (int i = 0; i < labels; ++i) {
      const double left = kColumn + (random() % 3) * (kDay + 40);
      const double top = 1140 + (random() % 24) * 220;
      const double height = random() % 4 == 0 ? 285 : (1 + random() % 8) * 220;
      const bool visible = random() % 10 != 0;
      weekForm.AddLabel(left, top, height, kDay);
      weekForm.lblActivite[i + 1].SetVisible(visible);
      boxes.push_back({left, top, kDay, height, visible});
    }
    mainwindow::ArrangeOverlappingActivities(weekForm.lblActivite, weekForm.imgPeriode, kWindow);
    const std::vector<Box> expected = ArrangeByTheRules(boxes, kWindow);
    for (int i = 1; i <= labels; ++i) {
      EXPECT_EQ(weekForm.lblActivite[i].Left(), expected[i].left) << week << " label " << i;
      EXPECT_EQ(weekForm.lblActivite[i].Width(), expected[i].width) << week << " label " << i;
    }
  }
}

}  // namespace
