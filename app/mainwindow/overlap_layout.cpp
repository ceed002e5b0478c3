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
#include <map>
#include <optional>
#include <span>
#include <utility>
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
  double left = 0;  // as it is, for the labels that are placed
  double width = 0;
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
    extent.left = label.Left();
    extent.width = label.Width();
  }
  return extents;
}

// For every label, the labels of its column that it overlaps, in increasing index order.
class OverlapLists {
 public:
  explicit OverlapLists(const std::vector<Extent>& extents);
  int LabelCount() const { return static_cast<int>(starts_.size()) - 1; }
  std::span<const int> Of(int label) const {
    return {others_.data() + starts_[label], others_.data() + starts_[label + 1]};
  }

 private:
  std::vector<int> starts_;  // where each label's list begins in others_
  std::vector<int> others_;
};

OverlapLists::OverlapLists(const std::vector<Extent>& extents) {
  const int labelCount = static_cast<int>(extents.size());
  std::map<double, std::vector<int>> columns;
  for (int index = 0; index < labelCount; ++index)
    if (extents[index].takesPart) columns[extents[index].column].push_back(index);

  // Each overlapping pair, both ways round, found by a sweep down each column.
  std::vector<std::pair<int, int>> pairs;
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
        pairs.emplace_back(label, other);
        pairs.emplace_back(other, label);
      }
      open.push_back(label);
    }
  }

  // Two counting sorts, by the other label and then by the label, order the lists.
  auto countingSort = [&](auto key, const std::vector<std::pair<int, int>>& from) {
    std::vector<int> starts(labelCount + 1, 0);
    for (const auto& pair : from) ++starts[key(pair) + 1];
    for (int i = 0; i < labelCount; ++i) starts[i + 1] += starts[i];
    std::vector<std::pair<int, int>> sorted(from.size());
    std::vector<int> next(starts.begin(), starts.end() - 1);
    for (const auto& pair : from) sorted[next[key(pair)]++] = pair;
    return std::pair(std::move(starts), std::move(sorted));
  };
  auto byOther = countingSort([](const auto& pair) { return pair.second; }, pairs).second;
  auto [starts, byLabel] = countingSort([](const auto& pair) { return pair.first; }, byOther);
  starts_ = std::move(starts);
  others_.reserve(byLabel.size());
  for (const auto& pair : byLabel) others_.push_back(pair.second);
}

// The groups, in the order of the group list.  A group is kept as a linked list of
// entries; merging a label's list into it moves the entries of the list's labels to its
// end, in the list's order, and moves the group to the end of the group list.  Nothing is
// copied, so forming the groups costs as much as the overlaps themselves.
std::vector<std::vector<int>> FormGroups(const OverlapLists& overlaps) {
  struct Entry {
    int label;
    int previous = -1;
    int next = -1;
  };
  struct Group {
    int first = -1;
    int last = -1;
    int place = 0;  // larger for groups further down the group list
  };
  struct Membership {
    int group;
    int entry;
  };
  std::vector<Entry> entries;
  std::vector<Group> groups;
  std::vector<std::vector<Membership>> membershipsOf(overlaps.LabelCount());
  int nextPlace = 0;

  auto unlink = [&](Group& group, int entry) {
    Entry& e = entries[entry];
    (e.previous >= 0 ? entries[e.previous].next : group.first) = e.next;
    (e.next >= 0 ? entries[e.next].previous : group.last) = e.previous;
  };
  auto append = [&](Group& group, int entry) {
    Entry& e = entries[entry];
    e.previous = group.last;
    e.next = -1;
    (group.last >= 0 ? entries[group.last].next : group.first) = entry;
    group.last = entry;
  };
  auto add = [&](int groupIndex, int label) {
    std::vector<Membership>& memberships = membershipsOf[label];
    for (const Membership& membership : memberships)
      if (membership.group == groupIndex) {
        unlink(groups[groupIndex], membership.entry);
        append(groups[groupIndex], membership.entry);
        return;
      }
    entries.push_back({label});
    const int entry = static_cast<int>(entries.size()) - 1;
    memberships.push_back({groupIndex, entry});
    append(groups[groupIndex], entry);
  };

  for (int label = 0; label < overlaps.LabelCount(); ++label) {
    const std::span<const int> others = overlaps.Of(label);
    if (others.empty()) continue;

    // The first group of the list that holds the label or one it overlaps.
    int found = -1;
    auto consider = [&](int member) {
      for (const Membership& membership : membershipsOf[member])
        if (found < 0 || groups[membership.group].place < groups[found].place)
          found = membership.group;
    };
    consider(label);
    for (int other : others) consider(other);

    if (found < 0) {
      groups.emplace_back();
      found = static_cast<int>(groups.size()) - 1;
    }
    groups[found].place = nextPlace++;
    add(found, label);
    for (int other : others) add(found, other);
  }

  std::vector<int> order(groups.size());
  for (std::size_t i = 0; i < order.size(); ++i) order[i] = static_cast<int>(i);
  std::sort(order.begin(), order.end(),
            [&](int a, int b) { return groups[a].place < groups[b].place; });
  std::vector<std::vector<int>> result;
  result.reserve(order.size());
  for (int group : order) {
    std::vector<int>& labels = result.emplace_back();
    for (int entry = groups[group].first; entry >= 0; entry = entries[entry].next)
      labels.push_back(entries[entry].label);
  }
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
              const OverlapLists& overlaps, std::vector<int>& position,
              std::vector<Placement>& places) {
  for (std::size_t k = 0; k < group.size(); ++k) position[group[k]] = static_cast<int>(k);

  const double base = extents[group.front()].column;
  std::vector<double> packed(group.size());
  for (std::size_t k = 0; k < group.size(); ++k) {
    const int label = group[k];
    std::optional<double> found;
    for (int other : overlaps.Of(label)) {
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

  const OverlapLists overlaps(extents);
  const std::vector<std::vector<int>> groups = FormGroups(overlaps);

  std::vector<Placement> places(extents.size());
  std::vector<bool> placed(extents.size(), false);
  for (const auto& group : groups)
    for (int label : group) {
      places[label] = {extents[label].left, extents[label].width};
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
