#include "app/settings/category_list.h"

#include <cstdint>
#include <vector>

#include "runtime/text.h"

namespace settings {

std::string ColourToRgbText(std::string_view colour) {
  const auto number = runtime::ParseInteger(colour);
  if (!number) return {};
  const auto value = static_cast<std::uint32_t>(*number);
  return std::to_string(value & 255) + "," + std::to_string((value >> 8) & 255) + "," +
         std::to_string((value >> 16) & 255);
}

std::string CategoryListText(const store::Planner& planner) {
  std::string text = "\xEF\xBB\xBF";
  for (int i = 0; i <= planner.CategoryMax(); ++i) {
    const std::vector<std::string> fields = runtime::Split(planner.Categories[i], "¦");
    const std::vector<std::string> colour =
        runtime::Split(fields.size() > 1 ? fields[1] : std::string(), "-");
    const std::string back = colour.empty() ? std::string() : colour[0];
    const bool blackText = colour.size() > 1 && colour[1] == "1";
    text += std::to_string(i) + "," + ColourToRgbText(back) + "," + (blackText ? "0" : "1") +
            "\r\n";
  }
  return text;
}

void ExportCategoryList(const store::Planner& planner, const std::string& userId,
                        const Publishing& publishing) {
  Publish(userId + "-cat.txt", CategoryListText(planner), publishing);
}

}  // namespace settings

