#include "forms/date_picker.h"

namespace forms {

std::string DTPicker::DisplayPattern() const {
  switch (format_) {
    case kLongDate: return "dddd d MMMM yyyy";
    case kTimeFormat: return "HH:mm:ss";
    case kCustomFormat:
      if (!customFormat_.empty()) return customFormat_;
      [[fallthrough]];
    default: return "dd.MM.yyyy";
  }
}

}  // namespace forms
