#include "app/mainwindow/hours_text.h"

#include <algorithm>
#include <charconv>
#include <locale>
#include <stdexcept>

namespace mainwindow {

std::string HoursText(double hours, char decimalSeparator) {
  if (hours == 0) return "0";  // never "-0"
  char buffer[32];
  const auto end =
      std::to_chars(buffer, buffer + sizeof buffer, hours, std::chars_format::general, 15).ptr;
  std::string text(buffer, end);
  std::replace(text.begin(), text.end(), '.', decimalSeparator);
  return text;
}

char RegionalDecimalSeparator() {
  try {
    return std::use_facet<std::numpunct<char>>(std::locale("")).decimal_point();
  } catch (const std::runtime_error&) {
    return '.';  // the environment names a locale the system does not have
  }
}

}  // namespace mainwindow
