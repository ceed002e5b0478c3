#include "app/mainwindow/day_cell_order.h"

#include <algorithm>
#include <map>
#include <vector>

#include "app/mainwindow/periodic_icons.h"
#include "app/store/records.h"
#include "runtime/datetime.h"
#include "runtime/rounding.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

constexpr double kLabelIndent = 240;
constexpr double kLabelPitch = 300;
constexpr int kNotRead = -1;

double Whole(double twips) { return static_cast<double>(runtime::RoundHalfEven(twips)); }

// Minutes after midnight at which the activity of record `index` starts.  A record that
// is missing or whose start cannot be read sorts as midnight.  Each record is read once.
class StartTimes {
 public:
  explicit StartTimes(const store::Planner& planner)
      : activities_(planner.Activities), minutes_(planner.Activities.size(), kNotRead) {}

  int Of(const std::string& tag) {
    const auto index = runtime::ParseInteger(tag);
    if (!index || *index < 0 || *index >= static_cast<long long>(activities_.size())) return 0;
    int& minutes = minutes_[static_cast<std::size_t>(*index)];
    if (minutes == kNotRead) minutes = Read(activities_[static_cast<std::size_t>(*index)]);
    return minutes;
  }

 private:
  static int Read(const std::string& record) {
    const std::string_view start =
        std::string_view(record).substr(0, record.find(store::kFieldSeparator));
    const auto when = runtime::DateTime::Parse(start);
    return when ? when->Hour() * 60 + when->Minute() : 0;
  }

  const std::vector<std::string>& activities_;
  std::vector<int> minutes_;
};

}  // namespace

void OrderDayCellActivities(const forms::ControlArray<forms::Label>& lblJour,
                            forms::ControlArray<forms::Label>& lblActivite,
                            forms::ControlArray<forms::Image>& imgPeriode,
                            const store::Planner& planner) {
  // The visible labels by their Left, each list in element order.
  std::map<double, std::vector<int>> labelsByLeft;
  for (int index : lblActivite.Indexes()) {
    const forms::Label& label = lblActivite[index];
    if (label.Visible()) labelsByLeft[Whole(label.Left())].push_back(index);
  }

  StartTimes startTimes(planner);
  struct Member {
    int index;
    int minutes;
  };
  std::vector<Member> members;
  for (int cellIndex : lblJour.Indexes()) {
    const forms::Label& cell = lblJour[cellIndex];
    if (!cell.Visible() || !runtime::DateTime::Parse(cell.Tag())) continue;
    const double top = Whole(cell.Top());
    const double bottom = top + Whole(cell.Height());
    const auto column = labelsByLeft.find(Whole(cell.Left()) + kLabelIndent);
    if (column == labelsByLeft.end()) continue;

    members.clear();
    for (int index : column->second) {
      const double labelTop = lblActivite[index].Top();
      if (labelTop >= top && labelTop < bottom)
        members.push_back({index, startTimes.Of(lblActivite[index].Tag())});
    }
    // All members share the cell's date, so the time of day alone orders them.
    std::stable_sort(members.begin(), members.end(),
                     [](const Member& a, const Member& b) { return a.minutes < b.minutes; });
    for (std::size_t k = 0; k < members.size(); ++k)
      lblActivite[members[k].index].SetTop(top + static_cast<double>(k) * kLabelPitch);
  }
  MoveIconsToTheirLabels(lblActivite, imgPeriode);
}

}  // namespace mainwindow
