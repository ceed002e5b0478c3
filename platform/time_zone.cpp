#include "platform/time_zone.h"

#include <cctype>
#include <fstream>
#include <iterator>

namespace platform {
namespace {

std::string Trimmed(std::string text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  const auto last = text.find_last_not_of(" \t\r\n");
  return text.substr(first, last - first + 1);
}

// The zone name in a path such as "/usr/share/zoneinfo/Europe/Paris".
std::string NameAfterZoneInfo(std::string path) {
  const auto at = path.rfind("zoneinfo/");
  if (at != std::string::npos) path = path.substr(at + 9);
  for (const char* prefix : {"posix/", "right/"}) {
    if (path.rfind(prefix, 0) == 0) path = path.substr(std::string_view(prefix).size());
  }
  return path;
}

// A name that stays inside the zone folder.
bool IsZoneName(std::string_view name) {
  if (name.empty() || name.front() == '/') return false;
  return name != ".." && name.find("../") == std::string_view::npos &&
         !name.ends_with("/..");
}

class RuleReader {
 public:
  explicit RuleReader(std::string_view text) : text_(text) {}

  bool AtEnd() const { return at_ == text_.size(); }
  bool Take(char c) {
    if (AtEnd() || text_[at_] != c) return false;
    ++at_;
    return true;
  }
  bool NextStartsOffset() const {
    return !AtEnd() && (std::isdigit(static_cast<unsigned char>(text_[at_])) ||
                        text_[at_] == '+' || text_[at_] == '-');
  }

  std::optional<std::string> Name() {
    std::string name;
    if (Take('<')) {
      while (!AtEnd() && text_[at_] != '>') name += text_[at_++];
      if (!Take('>')) return std::nullopt;
    } else {
      while (!AtEnd() && std::isalpha(static_cast<unsigned char>(text_[at_]))) {
        name += text_[at_++];
      }
    }
    if (name.size() < 3) return std::nullopt;
    return name;
  }

  std::optional<int> Number(int maxDigits) {
    int value = 0, digits = 0;
    while (!AtEnd() && digits < maxDigits &&
           std::isdigit(static_cast<unsigned char>(text_[at_]))) {
      value = value * 10 + (text_[at_++] - '0');
      ++digits;
    }
    if (digits == 0) return std::nullopt;
    return value;
  }

  // [+|-]hh[:mm[:ss]] in seconds.
  std::optional<int> Time() {
    int sign = 1;
    if (Take('-')) {
      sign = -1;
    } else {
      Take('+');
    }
    const auto hours = Number(3);
    if (!hours) return std::nullopt;
    int seconds = *hours * 3600;
    for (int unit : {60, 1}) {
      if (!Take(':')) break;
      const auto part = Number(2);
      if (!part) return std::nullopt;
      seconds += *part * unit;
    }
    return sign * seconds;
  }

  // Mm.w.d[/time]
  std::optional<ZoneTransition> Transition() {
    if (!Take('M')) return std::nullopt;
    ZoneTransition rule;
    const auto month = Number(2);
    if (!month || !Take('.')) return std::nullopt;
    const auto week = Number(1);
    if (!week || !Take('.')) return std::nullopt;
    const auto weekday = Number(1);
    if (!weekday) return std::nullopt;
    if (*month < 1 || *month > 12 || *week < 1 || *week > 5 || *weekday > 6) {
      return std::nullopt;
    }
    rule.Month = *month;
    rule.Week = *week;
    rule.Weekday = *weekday;
    if (Take('/')) {
      const auto time = Time();
      if (!time) return std::nullopt;
      rule.Seconds = *time;
    }
    return rule;
  }

 private:
  std::string_view text_;
  size_t at_ = 0;
};

}  // namespace

std::string SystemTimeZoneName(const Environment& environment, const SystemZoneFiles& files) {
  if (auto tz = environment("TZ"); tz && !tz->empty()) {
    std::string name = *tz;
    if (name.front() == ':') name.erase(0, 1);
    return NameAfterZoneInfo(name);
  }
  std::ifstream timezone(files.Etc / "timezone");
  std::string line;
  if (std::getline(timezone, line) && !Trimmed(line).empty()) return Trimmed(line);

  std::error_code error;
  const auto target = std::filesystem::read_symlink(files.Etc / "localtime", error);
  if (error) return {};
  const std::string path = target.string();
  if (path.find("zoneinfo/") == std::string::npos) return {};
  return NameAfterZoneInfo(path);
}

bool SameZone(std::string_view a, std::string_view b, const SystemZoneFiles& files) {
  if (a == b) return true;
  if (!IsZoneName(a) || !IsZoneName(b)) return false;
  std::error_code errorA, errorB;
  const auto fileA = std::filesystem::canonical(files.ZoneInfo / a, errorA);
  const auto fileB = std::filesystem::canonical(files.ZoneInfo / b, errorB);
  return !errorA && !errorB && fileA == fileB;
}

std::optional<ZoneRules> ParseZoneRules(std::string_view text) {
  RuleReader reader(text);
  ZoneRules rules;
  rules.Text = std::string(text);
  const auto standardName = reader.Name();
  if (!standardName) return std::nullopt;
  const auto standardOffset = reader.Time();
  if (!standardOffset) return std::nullopt;
  rules.StandardName = *standardName;
  rules.StandardOffset = -*standardOffset;
  if (reader.AtEnd()) return rules;

  const auto daylightName = reader.Name();
  if (!daylightName) return std::nullopt;
  rules.HasDaylight = true;
  rules.DaylightName = *daylightName;
  rules.DaylightOffset = rules.StandardOffset + 3600;
  if (reader.NextStartsOffset()) {
    const auto daylightOffset = reader.Time();
    if (!daylightOffset) return std::nullopt;
    rules.DaylightOffset = -*daylightOffset;
  }
  if (!reader.Take(',')) return std::nullopt;
  const auto start = reader.Transition();
  if (!start || !reader.Take(',')) return std::nullopt;
  const auto end = reader.Transition();
  if (!end || !reader.AtEnd()) return std::nullopt;
  rules.DaylightStart = *start;
  rules.DaylightEnd = *end;
  return rules;
}

std::optional<ZoneRules> ReadZoneRules(std::string_view zoneName, const SystemZoneFiles& files) {
  if (!IsZoneName(zoneName)) return std::nullopt;
  const std::filesystem::path path = files.ZoneInfo / zoneName;
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return std::nullopt;
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  const std::string data{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  // Version 2 and later files end with the rule text on a line of its own.
  if (data.size() < 6 || data.compare(0, 4, "TZif") != 0 || data[4] < '2' ||
      data.back() != '\n') {
    return std::nullopt;
  }
  const auto begin = data.rfind('\n', data.size() - 2);
  if (begin == std::string::npos) return std::nullopt;
  return ParseZoneRules(std::string_view(data).substr(begin + 1, data.size() - begin - 2));
}

}  // namespace platform
