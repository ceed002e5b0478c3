#include "app/store/damaged_data_file.h"

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unordered_set>

#include "app/store/codec.h"
#include "app/store/params.h"
#include "app/store/records.h"
#include "app/store/system_error_text.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/ini_line.h"

namespace store {

namespace {

constexpr std::string_view kCopyMarker = ".endommagé-";
// Names tried for a copy before giving up: each start makes one at most.
constexpr int kMostCopiesPerSecond = 1000;

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

// Whether `name` is that of a finished copy of `fileName`: the marker, then the stamp and
// the number that tells apart copies made in one second.  The temporary of a copy that was
// never finished is no copy.
bool IsCopyName(std::string_view name, std::string_view fileName) {
  if (!name.starts_with(fileName) || !name.substr(fileName.size()).starts_with(kCopyMarker)) {
    return false;
  }
  const std::string_view stamp = name.substr(fileName.size() + kCopyMarker.size());
  return !stamp.empty() && stamp.find_first_not_of("0123456789-") == std::string_view::npos;
}

// A copy of these contents that an earlier start kept already, else "".
std::string EarlierCopy(const std::filesystem::path& file, const std::string& contents) {
  const std::string fileName = file.filename().string();
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(file.parent_path(), error)) {
    std::error_code ignored;
    if (IsCopyName(entry.path().filename().string(), fileName) &&
        entry.symlink_status(ignored).type() == std::filesystem::file_type::regular &&
        entry.file_size(ignored) == contents.size() &&
        Holds(entry.path(), contents)) {
      return entry.path().string();
    }
  }
  return {};
}

// Keeps a copy of `contents` beside `file`, named after the local time `now`, as a new file:
// whatever stands under a name, a link to anywhere included, is left alone and the next
// name tried.  0 with the copy's name in `copy`, else the errno of the failure.
int KeepCopy(const std::string& file, const std::string& contents, std::time_t now,
             std::string& copy) {
  std::tm parts{};
  localtime_r(&now, &parts);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
  const std::string first = file + std::string(kCopyMarker) + stamp;
  std::vector<std::string> names = {first};
  for (int n = 2; n <= kMostCopiesPerSecond; ++n) names.push_back(first + "-" + std::to_string(n));
  std::size_t created = 0;
  const int error = platform::CreateNewFile(names, contents, created);
  if (error == 0) copy = names[created];
  return error;
}

// Walks the lines of `text` as the reader reads them, the damaged ones going to `damaged`
// in text order.  Returns whether a value of the text reads.
bool ReadLines(std::string_view text, std::vector<std::string_view>& damaged) {
  using Kind = platform::IniLine::Kind;
  bool valueRead = false;
  // The header of the section being read, until a key line of that section reads whole.
  std::optional<std::string_view> headerWithoutValue;
  bool inSection = false;
  bool sectionReadable = true;
  // The keys of the section read so far, letter case folded: a key given again is never
  // read, as the reader takes the first.  So it goes with a record line whose section
  // header was lost: it falls into the section before, a record's or the settings'.
  std::unordered_set<std::string> keys;
  bool inSettings = false;
  static const std::string settings = platform::FoldedIniName(EncodeIniText(kParamSection));
  static const std::string recordKey = platform::FoldedIniName(EncodeIniText(kRecordKey));
  for (std::size_t begin = platform::IniTextStart(text); begin < text.size();) {
    const platform::IniLineBounds bounds = platform::IniLineAt(text, begin);
    const std::string_view line = text.substr(begin, bounds.end - begin);
    const platform::IniLine read = platform::ReadIniLine(line);
    const bool cut = bounds.next == bounds.end;
    bool readable = IsReadable(read, inSection) && (!cut || read.kind == Kind::Ignored);
    if (read.kind == Kind::Header) {
      if (headerWithoutValue) damaged.push_back(*headerWithoutValue);
      headerWithoutValue.reset();
      // A new set, not clear(): that costs the buckets a long section left at every header.
      keys = std::unordered_set<std::string>();
      inSettings = platform::FoldedIniName(read.name) == settings;
      inSection = true;
      sectionReadable = readable;
      if (readable) headerWithoutValue = line;  // told when its section ends without a value
    } else if (read.kind != Kind::Ignored && readable) {
      std::string key = platform::FoldedIniName(read.name);
      readable = sectionReadable && !(inSettings && key == recordKey) &&
                 keys.insert(std::move(key)).second;
      if (readable) headerWithoutValue.reset();
      valueRead = valueRead || readable;
    }
    if (!readable) damaged.push_back(line);
    begin = bounds.next;
  }
  if (headerWithoutValue) damaged.push_back(*headerWithoutValue);
  std::sort(damaged.begin(), damaged.end(),
            [](std::string_view a, std::string_view b) { return a.data() < b.data(); });
  return valueRead;
}

}  // namespace

std::vector<std::string_view> DamagedLines(std::string_view text) {
  std::vector<std::string_view> damaged;
  ReadLines(text, damaged);
  return damaged;
}

bool ReadsNoValue(std::string_view text) {
  std::vector<std::string_view> damaged;
  return !ReadLines(text, damaged);
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
  // A start killed while it made a copy left it half-made: never one to rely on.
  const std::filesystem::path path(file);
  platform::RemoveLeftTemporaries(path.parent_path().string(),
                                  path.filename().string() + std::string(kCopyMarker));
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
  if (!toldBefore) error = KeepCopy(file, contents, now, copy);
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
