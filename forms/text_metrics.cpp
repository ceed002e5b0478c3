#include "forms/text_metrics.h"

#include "runtime/text.h"

namespace forms {

namespace {

constexpr double kTwipsPerPoint = 20.0;

}  // namespace

double EstimatedTextMetrics::TextWidth(const Font& font, std::string_view line) const {
  const double perCharacter = font.size * kTwipsPerPoint * (font.bold ? 0.58 : 0.53);
  return perCharacter * runtime::Len(line);
}

double EstimatedTextMetrics::LineHeight(const Font& font) const {
  return font.size * kTwipsPerPoint * 1.15;
}

const TextMetrics& DefaultTextMetrics() {
  static const EstimatedTextMetrics metrics;
  return metrics;
}

}  // namespace forms
