#include "platform/ini_line.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// The first line break in text[begin, text.size()), or the end of the text.  Searched for a
// window at a time: a text whose lines end otherwise than the search first tries (no LF
// at all) must not cost a search to its end per line.
std::size_t LineBreakFrom(std::string_view text, std::size_t begin) {
  constexpr std::size_t kWindow = 256;
  const char* const data = text.data();
  for (std::size_t from = begin; from < text.size(); from += kWindow) {
    const std::size_t size = std::min(kWindow, text.size() - from);
    const void* lf = std::memchr(data + from, '\n', size);
    const std::size_t crSize = lf ? static_cast<const char*>(lf) - (data + from) : size;
    if (const void* cr = std::memchr(data + from, '\r', crSize)) {
      return static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    }
    if (lf) return static_cast<std::size_t>(static_cast<const char*>(lf) - data);
  }
  return text.size();
}

}  // namespace

std::size_t IniTextStart(std::string_view text) {
  return text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0;
}

bool IsIniLineBreak(char c) { return c == '\n' || c == '\r'; }

IniLineBounds IniLineAt(std::string_view text, std::size_t begin) {
  const std::size_t end = LineBreakFrom(text, begin);
  if (end == text.size()) return {end, end};
  const bool crLf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
  return {end, end + (crLf ? 2 : 1)};
}

std::string_view TrimmedIniText(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

IniLine ReadIniLine(std::string_view line) {
  line = TrimmedIniText(line);
  if (line.empty() || line.front() == ';') return {};
  if (line.front() == '[') {
    const std::size_t close = line.find(']');
    return {IniLine::Kind::Header, TrimmedIniText(line.substr(1, close - 1)), {},
            close != std::string_view::npos};
  }
  const std::size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {IniLine::Kind::Other, {}, {}};
  std::string_view value = TrimmedIniText(line.substr(equals + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return {IniLine::Kind::Key, TrimmedIniText(line.substr(0, equals)), value};
}

}  // namespace platform
