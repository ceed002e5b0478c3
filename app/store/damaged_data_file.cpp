#include "app/store/damaged_data_file.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unordered_set>

#include "app/store/codec.h"
#include "app/store/system_error_text.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/ini_line.h"

namespace store {

namespace {

constexpr std::string_view kCopyMarker = ".endommagé-";

bool IsReadable(const platform::IniLine& line, bool inSection) {
  switch (line.kind) {
    case platform::IniLine::Kind::Ignored:
      return true;
    case platform::IniLine::Kind::Header:
      return line.closed && !line.name.empty() && DecodesWhole(line.name);
    case platform::IniLine::Kind::Key:
      return inSection && !line.name.empty() && DecodesWhole(line.name) &&
             DecodesWhole(line.value);
    case platform::IniLine::Kind::Other:
      break;
  }
  return false;
}

// Whether `file` holds `contents`, and nothing more.
bool Holds(const std::filesystem::path& file, const std::string& contents) {
  std::ifstream in(file, std::ios::binary);
  std::string text(contents.size() + 1, '\0');
  in.read(text.data(), static_cast<std::streamsize>(text.size()));
  return static_cast<std::size_t>(in.gcount()) == contents.size() &&
         text.compare(0, contents.size(), contents) == 0;
}

// A copy of these contents that an earlier start kept already, else "".
std::string EarlierCopy(const std::filesystem::path& file, const std::string& contents) {
  const std::string prefix = file.filename().string() + std::string(kCopyMarker);
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    std::error_code ignored;
    if (entry.path().filename().string().starts_with(prefix) &&
        entry.file_size(ignored) == contents.size() && Holds(entry.path(), contents)) {
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

std::vector<std::string_view> DamagedLines(std::string_view text) {
  using Kind = platform::IniLine::Kind;
  std::vector<std::string_view> damaged;
  // The header of the section being read, until a key line of that section reads whole.
  std::optional<std::string_view> headerWithoutValue;
  bool inSection = false;
  bool sectionReadable = true;
  for (std::size_t begin = platform::IniTextStart(text); begin < text.size();) {
    const platform::IniLineBounds bounds = platform::IniLineAt(text, begin);
    const std::string_view line = text.substr(begin, bounds.end - begin);
    const platform::IniLine read = platform::ReadIniLine(line);
    const bool cut = bounds.next == bounds.end;
    bool readable = IsReadable(read, inSection) && (!cut || read.kind == Kind::Ignored);
    if (read.kind == Kind::Header) {
      if (headerWithoutValue) damaged.push_back(*headerWithoutValue);
      headerWithoutValue.reset();
      inSection = true;
      sectionReadable = readable;
      if (readable) headerWithoutValue = line;  // told when its section ends without a value
    } else if (read.kind != Kind::Ignored && readable) {
      readable = sectionReadable;
      if (readable) headerWithoutValue.reset();
    }
    if (!readable) damaged.push_back(line);
    begin = bounds.next;
  }
  if (headerWithoutValue) damaged.push_back(*headerWithoutValue);
  std::sort(damaged.begin(), damaged.end(),
            [](std::string_view a, std::string_view b) { return a.data() < b.data(); });
  return damaged;
}

std::string WithoutDamagedLines(std::string_view text, const std::vector<std::string>& known) {
  const std::unordered_set<std::string_view> left(known.begin(), known.end());
  std::string kept;
  kept.reserve(text.size());
  std::size_t from = 0;
  for (std::string_view line : DamagedLines(text)) {
    if (!left.contains(line)) continue;
    const std::size_t begin = static_cast<std::size_t>(line.data() - text.data());
    kept.append(text.substr(from, begin - from));
    from = platform::IniLineAt(text, begin).next;  // with its line break
  }
  kept.append(text.substr(from));
  return kept;
}

std::optional<std::string> CheckDataFile(Planner& planner, std::time_t now) {
  const std::string& file = planner.DataFile;
  // Held for as long as `contents` and the damaged lines point into its text.
  const std::shared_ptr<const platform::IniDocument> document = platform::ReadIniFile(file);
  const std::string& contents = document->Text();
  std::error_code ignored;
  if (contents.find_first_not_of(" \t\r\n", platform::IniTextStart(contents)) ==
      std::string::npos) {
    if (!std::filesystem::exists(file, ignored)) return std::nullopt;
    return "Le fichier de données est vide : son contenu a été perdu.\nFichier : " + file +
           "\nSi vous avez une sauvegarde, vous pouvez la restaurer dans les paramètres.";
  }
  std::vector<std::string_view> damaged = DamagedLines(contents);
  if (damaged.empty()) return std::nullopt;

  std::string copy = EarlierCopy(file, contents);
  const bool toldBefore = !copy.empty();
  int error = 0;
  if (!toldBefore) {
    copy = CopyName(file, now);
    error = platform::ReplaceFileContents(copy, contents);
  }
  // Without a copy the lines stay in the file: they are all that is left of what they held.
  if (error == 0) {
    planner.KeptDamagedLines.assign(damaged.begin(), damaged.end());
    planner.LastDataWithoutDamage = {};
  }
  if (toldBefore) return std::nullopt;

  std::string message = "Le fichier de données est endommagé : certaines de ses lignes n'ont "
                        "pas pu être lues (fichier coupé ou abîmé) et sont ignorées.\nFichier : " +
                        file;
  if (error == 0) {
    message += "\nUne copie du fichier tel qu'il était est gardée : " + copy +
               "\nCes lignes seront retirées du fichier au prochain enregistrement.";
  } else {
    message += "\nAucune copie du fichier n'a pu être gardée.\nCause : " + SystemErrorText(error);
  }
  return message;
}

}  // namespace store
