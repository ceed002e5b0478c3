// How wide and tall text is, for labels that size themselves to their caption.  The forms
// library carries an estimate; the Qt backend measures with the real fonts.
#pragma once

#include <string_view>

#include "forms/font.h"

namespace forms {

class TextMetrics {
 public:
  virtual ~TextMetrics() = default;
  virtual double TextWidth(const Font& font, std::string_view line) const = 0;  // twips
  virtual double LineHeight(const Font& font) const = 0;                         // twips
};

// Average glyph widths of a sans-serif face; good enough for headless layout.
class EstimatedTextMetrics final : public TextMetrics {
 public:
  double TextWidth(const Font& font, std::string_view line) const override;
  double LineHeight(const Font& font) const override;
};

const TextMetrics& DefaultTextMetrics();

}  // namespace forms
