#include "app/store/damaged_data_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/store/codec.h"
#include "app/store/system_error_text.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace store {

namespace {

constexpr std::string_view kCopyMarker = ".endommagé-";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

// An encoded text decodes whole when encoding what it decodes to gives it back (the
// decoder takes lower-case symbols for upper-case ones).
bool DecodesWhole(std::string_view code) {
  std::string upper(code);
  for (char& c : upper) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
  }
  return EncodeIniText(DecodeIniText(code)) == upper;
}

bool IsReadableLine(std::string_view line, bool inSection) {
  line = Trimmed(line);
  if (line.empty() || line.front() == ';') return true;
  if (line.front() == '[') {
    return line.size() > 2 && line.back() == ']' && DecodesWhole(line.substr(1, line.size() - 2));
  }
  const std::size_t equals = line.find('=');
  if (!inSection || equals == std::string_view::npos) return false;
  const std::string_view key = Trimmed(line.substr(0, equals));
  return !key.empty() && DecodesWhole(key) && DecodesWhole(Trimmed(line.substr(equals + 1)));
}

std::string ReadWhole(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A copy of these contents that an earlier start kept already, else "".
std::string EarlierCopy(const std::filesystem::path& file, const std::string& contents) {
  const std::string prefix = file.filename().string() + std::string(kCopyMarker);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    std::error_code ignored;
    if (entry.path().filename().string().starts_with(prefix) &&
        entry.file_size(ignored) == contents.size() && ReadWhole(entry.path()) == contents) {
      return entry.path().string();
    }
  }
  return {};
}

std::string CopyName(const std::string& file, std::time_t now) {
  std::tm parts{};
  localtime_r(&now, &parts);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
  const std::string first = file + std::string(kCopyMarker) + stamp;
  std::string name = first;
  std::error_code ignored;
  for (int n = 2; std::filesystem::exists(name, ignored); ++n) name = first + "-" + std::to_string(n);
  return name;
}

}  // namespace

bool HoldsUnreadableLines(std::string_view text) {
  bool inSection = false;
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    const std::string_view line = text.substr(0, end);
    if (!IsReadableLine(line, inSection)) return true;
    if (!Trimmed(line).empty() && Trimmed(line).front() == '[') inSection = true;
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return false;
}

std::optional<std::string> KeepDamagedDataFile(const std::string& file, std::time_t now) {
  const std::string& contents = platform::ReadIniFile(file)->Text();
  if (!HoldsUnreadableLines(contents)) return std::nullopt;

  std::string message = "Le fichier de données est endommagé : certaines de ses lignes n'ont "
                        "pas pu être lues et sont ignorées.\nFichier : " + file;
  std::string copy = EarlierCopy(file, contents);
  int error = 0;
  if (copy.empty()) {
    copy = CopyName(file, now);
    error = platform::ReplaceFileContents(copy, contents);
  }
  if (error == 0) {
    message += "\nUne copie du fichier tel qu'il était est gardée : " + copy;
  } else {
    message += "\nAucune copie du fichier n'a pu être gardée.\nCause : " + SystemErrorText(error);
  }
  return message;
}

}  // namespace store
