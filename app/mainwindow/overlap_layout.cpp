// The labels that overlap are gathered into groups, in the order of the labels' element
// indexes: each label with the labels it overlaps forms a list, which joins the first
// earlier group it shares a label with (that group's other labels first, the list after
// them, the whole moved to the end of the group list) or else becomes a group of its own.
// Each group is then spread evenly over the day column, packed to the left (a label stands
// right of the overlapping labels already left of it), and its distinct positions become
// equal sub-columns.  A label that ends in two groups is placed by both, the later one
// deciding.
//
// The overlaps are found by a sweep over each column's labels sorted by top, so the work
// grows with the number of overlapping pairs rather than with the square of the labels.
#include "app/mainwindow/overlap_layout.h"

#include <algorithm>
#include <climits>
#include <map>
#include <optional>
#include <vector>

#include "app/mainwindow/periodic_icons.h"
#include "runtime/rounding.h"

namespace mainwindow {
namespace {

constexpr double kNarrowestFirstSpread = 20;

double Whole(double twips) { return static_cast<double>(runtime::RoundHalfEven(twips)); }

// What the layout reads of a label, taken once before anything moves.
struct Extent {
  bool takesPart = false;  // loaded, visible and not the template
  double column = 0;       // the label's Left, as a whole twip
  double top = 0;
  double bottom = 0;
};

bool Overlap(const Extent& a, const Extent& b) { return a.top < b.bottom && a.bottom > b.top; }

std::vector<Extent> TakeExtents(const forms::ControlArray<forms::Label>& lblActivite) {
  std::vector<Extent> extents(lblActivite.UBound() + 1);
  for (int index : lblActivite.Indexes()) {
    const forms::Label& label = lblActivite[index];
    Extent& extent = extents[index];
    extent.takesPart = index > 0 && label.Visible();
    extent.column = Whole(label.Left());
    extent.top = Whole(label.Top());
    extent.bottom = Whole(label.Top() + label.Height());
  }
  return extents;
}

// For every label, the labels of its column that it overlaps, in increasing index order.
std::vector<std::vector<int>> FindOverlaps(const std::vector<Extent>& extents) {
  std::map<double, std::vector<int>> columns;
  for (int index = 0; index < static_cast<int>(extents.size()); ++index)
    if (extents[index].takesPart) columns[extents[index].column].push_back(index);

  std::vector<std::vector<int>> overlaps(extents.size());
  std::vector<int> open;  // labels whose bottom lies below the sweep's position
  for (auto& [column, labels] : columns) {
    std::stable_sort(labels.begin(), labels.end(),
                     [&](int a, int b) { return extents[a].top < extents[b].top; });
    open.clear();
    for (int label : labels) {
      const Extent& extent = extents[label];
      std::erase_if(open, [&](int other) { return extents[other].bottom <= extent.top; });
      for (int other : open) {
        if (!Overlap(extent, extents[other])) continue;
        overlaps[label].push_back(other);
        overlaps[other].push_back(label);
      }
      open.push_back(label);
    }
  }
  for (auto& list : overlaps) std::sort(list.begin(), list.end());
  return overlaps;
}

// The groups, in the order of the group list.
std::vector<std::vector<int>> FormGroups(const std::vector<std::vector<int>>& overlaps) {
  const int labelCount = static_cast<int>(overlaps.size());
  std::vector<std::vector<int>> groups;   // by creation; a merged group is created anew
  std::vector<bool> alive;
  std::vector<std::vector<int>> groupsOf(labelCount);  // may still name merged groups
  std::vector<int> inList(labelCount, -1);             // the label whose list holds it

  for (int label = 0; label < labelCount; ++label) {
    if (overlaps[label].empty()) continue;
    std::vector<int> list;
    list.reserve(overlaps[label].size() + 1);
    list.push_back(label);
    list.insert(list.end(), overlaps[label].begin(), overlaps[label].end());

    // The first group in the list is the oldest one still alive.
    int first = INT_MAX;
    for (int member : list) {
      std::erase_if(groupsOf[member], [&](int group) { return !alive[group]; });
      for (int group : groupsOf[member]) first = std::min(first, group);
    }

    std::vector<int> merged;
    if (first != INT_MAX) {
      for (int member : list) inList[member] = label;
      for (int member : groups[first])
        if (inList[member] != label) merged.push_back(member);
      alive[first] = false;
    }
    merged.insert(merged.end(), list.begin(), list.end());

    const int created = static_cast<int>(groups.size());
    for (int member : merged) groupsOf[member].push_back(created);
    groups.push_back(std::move(merged));
    alive.push_back(true);
  }

  std::vector<std::vector<int>> result;
  for (std::size_t group = 0; group < groups.size(); ++group)
    if (alive[group]) result.push_back(std::move(groups[group]));
  return result;
}

struct Placement {
  double left = 0;
  double width = 0;
};

void SpreadEvenly(const std::vector<int>& group, const std::vector<Extent>& extents,
                  double dayWidth, double windowWidth, std::vector<Placement>& places) {
  const double width =
      std::max(Whole(dayWidth / static_cast<double>(group.size())), kNarrowestFirstSpread);
  for (std::size_t k = 0; k < group.size(); ++k) {
    double left = extents[group[k]].column + static_cast<double>(k) * width;
    if (left < 0) left = 0;
    if (left + width > windowWidth) left = windowWidth - width;
    places[group[k]] = {left, width};
  }
}

// `position` maps each label to its place in the group being packed, -1 for others.
void PackLeft(const std::vector<int>& group, const std::vector<Extent>& extents,
              const std::vector<std::vector<int>>& overlaps, std::vector<int>& position,
              std::vector<Placement>& places) {
  for (std::size_t k = 0; k < group.size(); ++k) position[group[k]] = static_cast<int>(k);

  const double base = extents[group.front()].column;
  std::vector<double> packed(group.size());
  for (std::size_t k = 0; k < group.size(); ++k) {
    const int label = group[k];
    std::optional<double> found;
    for (int other : overlaps[label]) {
      const int otherPosition = position[other];
      if (otherPosition < 0) continue;
      const bool packedAlready =
          otherPosition < static_cast<int>(k) && packed[otherPosition] >= 1;
      const double reference = packedAlready ? packed[otherPosition] : places[other].left;
      if (reference >= places[label].left) continue;
      const double right = reference + places[other].width;
      if (!found || right > *found) found = right;
    }
    packed[k] = found.value_or(base);
  }
  for (std::size_t k = 0; k < group.size(); ++k) {
    places[group[k]].left = packed[k];
    position[group[k]] = -1;
  }
}

void ShareEqualSubColumns(const std::vector<int>& group, double dayWidth,
                          std::vector<Placement>& places) {
  std::vector<double> lefts;
  lefts.reserve(group.size());
  for (int label : group) lefts.push_back(Whole(places[label].left));
  std::sort(lefts.begin(), lefts.end());
  lefts.erase(std::unique(lefts.begin(), lefts.end()), lefts.end());

  const double width = Whole(dayWidth / static_cast<double>(lefts.size()));
  for (int label : group) {
    const auto rank =
        std::lower_bound(lefts.begin(), lefts.end(), Whole(places[label].left)) - lefts.begin();
    places[label] = {lefts.front() + static_cast<double>(rank) * width, width};
  }
}

}  // namespace

void ArrangeOverlappingActivities(forms::ControlArray<forms::Label>& lblActivite,
                                  forms::ControlArray<forms::Image>& imgPeriode,
                                  double windowWidth) {
  const std::vector<Extent> extents = TakeExtents(lblActivite);
  const double dayWidth =
      lblActivite.Count() >= 2 && lblActivite.Exists(1) ? Whole(lblActivite[1].Width()) : 0;

  const std::vector<std::vector<int>> overlaps = FindOverlaps(extents);
  const std::vector<std::vector<int>> groups = FormGroups(overlaps);

  std::vector<Placement> places(extents.size());
  std::vector<bool> placed(extents.size(), false);
  for (const auto& group : groups)
    for (int label : group) {
      places[label] = {lblActivite[label].Left(), lblActivite[label].Width()};
      placed[label] = true;
    }

  for (const auto& group : groups) SpreadEvenly(group, extents, dayWidth, windowWidth, places);
  std::vector<int> position(extents.size(), -1);
  for (const auto& group : groups) PackLeft(group, extents, overlaps, position, places);
  for (const auto& group : groups) ShareEqualSubColumns(group, dayWidth, places);

  for (std::size_t label = 0; label < places.size(); ++label) {
    if (!placed[label]) continue;
    forms::Label& control = lblActivite[static_cast<int>(label)];
    control.Move(places[label].left, control.Top(), places[label].width);
  }
  MoveIconsToTheirLabels(lblActivite, imgPeriode);
}

}  // namespace mainwindow
