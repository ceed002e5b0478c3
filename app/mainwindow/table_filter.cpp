#include "app/mainwindow/table_filter.h"

#include <unordered_map>

#include "app/store/records.h"
#include "runtime/text.h"

namespace mainwindow {
namespace {

constexpr int kProjectColumn = 3;
constexpr int kFirstResourceColumn = 5;
constexpr int kLastResourceColumn = 14;
constexpr std::size_t kFirstResourceField = 5;

std::string_view ProjectName(std::string_view record) {
  return record.substr(0, record.find(store::kFieldSeparator));
}

// Project names to their numbers, the first project of a name winning.
std::unordered_map<std::string_view, int> ProjectNumbers(const store::Planner& planner) {
  std::unordered_map<std::string_view, int> numbers;
  for (std::size_t i = 0; i < planner.Categories.size(); ++i) {
    const std::string& record = planner.Categories[i];
    if (!record.empty()) numbers.emplace(ProjectName(record), static_cast<int>(i) + 1);
  }
  return numbers;
}

bool NamesResource(const forms::MSFlexGrid& grid, int row, const std::string& name) {
  const int lastColumn = std::min(kLastResourceColumn, grid.Cols() - 1);
  for (int column = kFirstResourceColumn; column <= lastColumn; ++column)
    if (grid.TextMatrix(row, column) == name) return true;
  return false;
}

}  // namespace

std::optional<std::string> ChosenResource(const forms::ComboBox& cmbAffiche) {
  if (cmbAffiche.ListIndex() > 0) return cmbAffiche.Text();
  return std::nullopt;
}

int CategoryNumber(const store::Planner& planner, std::string_view name) {
  for (std::size_t i = 0; i < planner.Categories.size(); ++i) {
    const std::string& record = planner.Categories[i];
    if (!record.empty() && ProjectName(record) == name) return static_cast<int>(i) + 1;
  }
  return 0;
}

std::string ActivityResourceNames(const store::Planner& planner, std::string_view record) {
  std::string names;
  const std::vector<std::string> fields = runtime::Split(record, store::kFieldSeparator);
  for (std::size_t i = kFirstResourceField; i < fields.size(); ++i) {
    const auto index = runtime::ParseInteger(fields[i]);
    if (!index || *index < 0 || *index > planner.ResourceMax()) continue;
    names += ' ';
    names += planner.Resources[static_cast<std::size_t>(*index)];
  }
  return names;
}

bool PassesResourceFilter(std::string_view resourceNames,
                          const std::optional<std::string>& chosenResource) {
  return !chosenResource || resourceNames.find(*chosenResource) != std::string_view::npos;
}

void FilterActivityGrid(forms::MSFlexGrid& MSFlexGrid1, const store::Planner& planner,
                        int selectedProjectFilter,
                        const std::optional<std::string>& chosenResource) {
  const std::unordered_map<std::string_view, int> projectNumbers = ProjectNumbers(planner);
  const double shown = MSFlexGrid1.RowHeight(0);
  const bool hasProjectColumn = MSFlexGrid1.Cols() > kProjectColumn;

  for (int row = 1; row < MSFlexGrid1.Rows(); ++row) {
    int project = 0;
    if (hasProjectColumn) {
      const auto found = projectNumbers.find(MSFlexGrid1.TextMatrix(row, kProjectColumn));
      if (found != projectNumbers.end()) project = found->second;
    }
    bool visible = selectedProjectFilter == 0 || selectedProjectFilter == project;
    if (visible && chosenResource) visible = NamesResource(MSFlexGrid1, row, *chosenResource);
    MSFlexGrid1.SetRowHeight(row, visible ? shown : 0);
  }
}

}  // namespace mainwindow
