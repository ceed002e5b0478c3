#include "app/store/damaged_data_file.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "app/store/codec.h"
#include "app/store/data_file.h"
#include "app/store/params.h"
#include "app/store/record_sections.h"
#include "app/store/records.h"
#include "app/store/system_error_text.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"
#include "platform/ini_line.h"

namespace store {

namespace {

constexpr std::string_view kCopyMarker = ".endommagé-";
constexpr std::string_view kReplacingCopyMarker = ".remplaçant-";
constexpr std::string_view kChangedCopyMarker = ".modifié-";
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

// Whether `key` is one the planner writes in a section of its kind: a setting's in the
// settings, the record key in a record's.
bool IsOwnKey(std::string_view key, bool inSettings) {
  static const std::string recordKey = EncodeIniText(kRecordKey);
  static const std::array<std::string, kParamKeys.size()> settingKeys = [] {
    std::array<std::string, kParamKeys.size()> keys;
    for (std::size_t i = 0; i < keys.size(); ++i) keys[i] = EncodeIniText(kParamKeys[i]);
    return keys;
  }();
  if (!inSettings) return platform::SameIniName(key, recordKey);
  return std::any_of(settingKeys.begin(), settingKeys.end(),
                     [&](const std::string& own) { return platform::SameIniName(key, own); });
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

// Keeps a copy of `contents` beside `file`, named after it, `marker` and the local time
// `now`, as a new file:
// whatever stands under a name, a link to anywhere included, is left alone and the next
// name tried.  0 with the copy's name in `copy`, else the errno of the failure.
int KeepCopy(const std::string& file, std::string_view marker, const std::string& contents,
             std::time_t now, std::string& copy) {
  std::tm parts{};
  localtime_r(&now, &parts);
  char stamp[32];
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &parts);
  const std::string first = file + std::string(marker) + stamp;
  std::vector<std::string> names = {first};
  for (int n = 2; n <= kMostCopiesPerSecond; ++n) names.push_back(first + "-" + std::to_string(n));
  std::size_t created = 0;
  const int error = platform::CreateNewFile(names, contents, created);
  if (error == 0) copy = names[created];
  return error;
}

// The keys of one section read so far: only the planner's own are read, so a section holds
// a handful at most, however many lines a hostile one has.
class SectionKeys {
 public:
  void Clear() { keys_.clear(); }
  // False when the key was given already.
  bool Insert(std::string_view key) {
    for (std::string_view earlier : keys_) {
      if (platform::SameIniName(earlier, key)) return false;
    }
    keys_.push_back(key);
    return true;
  }

 private:
  std::vector<std::string_view> keys_;
};

// A section as the walk of the lines finds it.
struct SectionRead {
  std::string_view name;
  std::size_t header;  // where its header line starts in the text
  std::size_t end;     // where the next header line starts, or the end of the text
  RecordName record;   // what its name names, when its header reads whole
  bool readable;       // its header reads whole
  bool valued;         // a key line of it reads
};

// The readable sections that bear a name an earlier readable section bears already, in
// groups of one name, each group in file order with the first of the name first.
std::vector<std::vector<std::size_t>> RepeatedSections(const std::vector<SectionRead>& sections) {
  constexpr std::size_t kFree = static_cast<std::size_t>(-1);
  std::size_t mask = 15;
  while (mask < sections.size() * 2) mask = mask * 2 + 1;
  std::vector<std::size_t> firstOfName(mask + 1, kFree);  // open addressing
  std::unordered_map<std::size_t, std::size_t> groupOfFirst;
  std::vector<std::vector<std::size_t>> groups;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (!sections[i].readable) continue;
    std::size_t slot = platform::FoldedIniHash(sections[i].name) & mask;
    while (firstOfName[slot] != kFree &&
           !platform::SameIniName(sections[firstOfName[slot]].name, sections[i].name)) {
      slot = (slot + 1) & mask;
    }
    if (firstOfName[slot] == kFree) {
      firstOfName[slot] = i;
      continue;
    }
    const auto [group, added] = groupOfFirst.try_emplace(firstOfName[slot], groups.size());
    if (added) groups.push_back({firstOfName[slot]});
    groups[group->second].push_back(i);
  }
  return groups;
}

// The record sections of one kind in file order, and for each the nearest ones before and
// after it that bear another number.
class RecordOrder {
 public:
  RecordOrder(const std::vector<SectionRead>& sections, const RecordNames& names) {
    for (std::size_t i = 0; i < sections.size(); ++i) {
      bool ownName;
      const int index = sections[i].readable ? names.IndexOf(sections[i].name, ownName) : -1;
      if (index >= 0) entries_.push_back({i, index, kNone, kNone});
    }
    for (std::size_t j = 1; j < entries_.size(); ++j) {
      const Entry& previous = entries_[j - 1];
      entries_[j].before = previous.index != entries_[j].index ? j - 1 : previous.before;
    }
    for (std::size_t j = entries_.size(); j-- > 1;) {
      const Entry& next = entries_[j];
      entries_[j - 1].after = next.index != entries_[j - 1].index ? j : next.after;
    }
  }

  // Whether the record section at `section` stands after the lower numbers of its kind and
  // before the higher ones.
  bool InOrder(std::size_t section) const {
    const auto entry = std::lower_bound(
        entries_.begin(), entries_.end(), section,
        [](const Entry& e, std::size_t s) { return e.section < s; });
    if (entry == entries_.end() || entry->section != section) return true;
    return (entry->before == kNone || entries_[entry->before].index < entry->index) &&
           (entry->after == kNone || entries_[entry->after].index > entry->index);
  }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);
  struct Entry {
    std::size_t section;
    int index;
    std::size_t before;
    std::size_t after;
  };
  std::vector<Entry> entries_;
};

// Of the copies of one section that hold a value, the one that counts.  The planner writes
// a record's section once, when it adds the record, after those of the lower numbers of its
// kind: a second copy comes of a damage, a header line written twice or a block copied
// elsewhere.  A copy right after a section left without a value has likely taken that
// section's line, and a record's copy standing out of the number order of its kind was
// likely put there: both are suspect.  Of the others the first counts, the one the reader
// and every earlier run read and wrote to; when all are suspect, the first too.  The copies
// that do not count are told and kept in the copy of the file, never lost.
std::size_t CountingCopy(const std::vector<SectionRead>& sections,
                         const std::vector<std::size_t>& valued, const RecordOrder* order) {
  for (std::size_t copy : valued) {
    const bool robbed = copy > 0 && sections[copy - 1].readable && !sections[copy - 1].valued;
    if (!robbed && (order == nullptr || order->InOrder(copy))) return copy;
  }
  return valued.front();
}

// Adds the lines of `section` that are not blank nor comments to `damaged`.
void AddSectionLines(std::string_view text, const SectionRead& section,
                     std::vector<std::string_view>& damaged) {
  for (std::size_t begin = section.header; begin < section.end;) {
    const platform::IniLineBounds bounds = platform::IniLineAt(text, begin);
    const std::string_view line = text.substr(begin, bounds.end - begin);
    if (platform::ReadIniLine(line).kind != platform::IniLine::Kind::Ignored) {
      damaged.push_back(line);
    }
    begin = bounds.next;
  }
}

// Adds to `damaged` the copies of each repeated section that do not count.
void AddRepeatedSections(std::string_view text, const std::vector<SectionRead>& sections,
                         std::vector<std::string_view>& damaged) {
  const std::vector<std::vector<std::size_t>> groups = RepeatedSections(sections);
  if (groups.empty()) return;
  std::array<std::optional<RecordOrder>, kRecordPrefixes.size()> orders;
  for (const std::vector<std::size_t>& copies : groups) {
    std::vector<std::size_t> valued;
    for (std::size_t copy : copies) {
      if (sections[copy].valued) valued.push_back(copy);
    }
    if (valued.size() < 2) continue;  // a copy without a value is told as such already
    const RecordOrder* order = nullptr;
    for (std::size_t kind = 0; kind < kRecordPrefixes.size() && order == nullptr; ++kind) {
      bool ownName;
      const RecordNames& names = RecordKinds()[kind];
      if (names.IndexOf(sections[copies[0]].name, ownName) < 0) continue;
      if (!orders[kind]) orders[kind].emplace(sections, names);
      order = &*orders[kind];
    }
    const std::size_t counting = CountingCopy(sections, valued, order);
    for (std::size_t copy : valued) {
      if (copy != counting) AddSectionLines(text, sections[copy], damaged);
    }
  }
}

// Adds to `damaged` the record sections numbered too far beyond the others of their kind
// for a load to read them.
void AddSectionsBeyondReach(std::string_view text, const std::vector<SectionRead>& sections,
                            std::vector<std::string_view>& damaged) {
  std::array<std::size_t, kRecordPrefixes.size()> counts{};
  for (const SectionRead& section : sections) {
    if (section.readable && section.record.kind >= 0) ++counts[section.record.kind];
  }
  for (const SectionRead& section : sections) {
    if (section.readable && section.record.kind >= 0 &&
        !WithinReach(section.record.index, counts[section.record.kind])) {
      AddSectionLines(text, section, damaged);
    }
  }
}

// The highest record number that only the sections left out with `damaged` (in text order)
// name, and that the text without them cannot keep: the empty section that keeps it would
// be numbered too far beyond the sections left for a load to read it.  -1 when none.
int UnkeepableNumber(std::string_view text, const std::vector<SectionRead>& sections,
                     const std::vector<std::string_view>& damaged) {
  if (damaged.empty()) return -1;
  // Both in text order: one walk of the damaged lines finds each section's header among them.
  std::size_t next = 0;
  const auto leftOut = [&](const SectionRead& section) {
    const char* header = text.data() + section.header;
    while (next < damaged.size() && damaged[next].data() < header) ++next;
    return next < damaged.size() && damaged[next].data() == header;
  };
  constexpr std::size_t kKinds = kRecordPrefixes.size();
  std::array<std::size_t, kKinds> all{}, kept{};
  std::array<int, kKinds> highestKept, highestLost;
  highestKept.fill(-1);
  highestLost.fill(-1);
  for (const SectionRead& section : sections) {
    if (section.record.kind >= 0 && section.record.index >= 0) ++all[section.record.kind];
  }
  for (const SectionRead& section : sections) {
    const auto [kind, ownName, index] = section.record;
    if (kind < 0 || index < 0) continue;
    if (!leftOut(section)) {
      ++kept[kind];
      highestKept[kind] = std::max(highestKept[kind], index);
    } else if (WithinReach(index, all[kind])) {  // no load reads the others
      highestLost[kind] = std::max(highestLost[kind], index);
    }
  }
  int unkeepable = -1;
  for (std::size_t kind = 0; kind < kKinds; ++kind) {
    if (highestLost[kind] > highestKept[kind] && !WithinReach(highestLost[kind], kept[kind] + 1)) {
      unkeepable = std::max(unkeepable, highestLost[kind]);
    }
  }
  return unkeepable;
}

// Walks the lines of `text` as the reader reads them, the damaged ones going to `damaged`
// in text order, and, when `unkeepable` is given, what UnkeepableNumber tells to it.
// Returns whether a value of the text reads.
bool ReadLines(std::string_view text, std::vector<std::string_view>& damaged,
               int* unkeepable = nullptr) {
  using Kind = platform::IniLine::Kind;
  bool valueRead = false;
  // The header of the section being read, until a key line of that section reads whole.
  std::optional<std::string_view> headerWithoutValue;
  bool inSection = false;
  bool sectionReadable = true;
  // A key given again is never read, as the reader takes the first.  So it goes with a
  // record line whose section header was lost: it falls into the section before, a
  // record's or the settings'.
  SectionKeys keys;
  bool inSettings = false;
  static const std::string settings = EncodeIniText(kParamSection);
  std::vector<SectionRead> sections;
  for (std::size_t begin = platform::IniTextStart(text); begin < text.size();) {
    const platform::IniLineBounds bounds = platform::IniLineAt(text, begin);
    const std::string_view line = text.substr(begin, bounds.end - begin);
    const platform::IniLine read = platform::ReadIniLine(line);
    const bool cut = bounds.next == bounds.end;
    bool readable = IsReadable(read, inSection) && (!cut || read.kind == Kind::Ignored);
    if (read.kind == Kind::Header) {
      RecordName record;
      if (readable) {
        record = ReadRecordName(read.name);
        // A record's header that the loads pass over: its record would vanish untold.
        readable = record.kind < 0 ? platform::SameIniName(read.name, settings)
                                   : record.index >= 0 && record.ownName;
        // The name runs to the first "]": one standing inside it cut the name short.
        const std::string_view header = platform::TrimmedIniText(line);
        readable = readable && header.find(']') + 1 == header.size();
      }
      if (headerWithoutValue) damaged.push_back(*headerWithoutValue);
      headerWithoutValue.reset();
      keys.Clear();
      inSettings = platform::SameIniName(read.name, settings);
      inSection = true;
      sectionReadable = readable;
      if (readable) headerWithoutValue = line;  // told when its section ends without a value
      if (!sections.empty()) sections.back().end = begin;
      sections.push_back({read.name, begin, text.size(), record, readable, false});
    } else if (read.kind != Kind::Ignored && readable) {
      readable = sectionReadable && IsOwnKey(read.name, inSettings) &&
                 keys.Insert(read.name);
      if (readable) {
        headerWithoutValue.reset();
        sections.back().valued = true;
      }
      valueRead = valueRead || readable;
    }
    if (!readable) damaged.push_back(line);
    begin = bounds.next;
  }
  if (headerWithoutValue) damaged.push_back(*headerWithoutValue);
  AddRepeatedSections(text, sections, damaged);
  AddSectionsBeyondReach(text, sections, damaged);
  std::sort(damaged.begin(), damaged.end(),
            [](std::string_view a, std::string_view b) { return a.data() < b.data(); });
  damaged.erase(std::unique(damaged.begin(), damaged.end(),
                            [](std::string_view a, std::string_view b) {
                              return a.data() == b.data();
                            }),
                damaged.end());
  if (unkeepable != nullptr) *unkeepable = UnkeepableNumber(text, sections, damaged);
  return valueRead;
}

// `text` without `lines` (views into it, in text order), each with its line break.
std::string WithoutLines(std::string_view text, const std::vector<std::string_view>& lines) {
  std::string kept;
  kept.reserve(text.size());
  std::size_t from = 0;
  for (std::string_view line : lines) {
    const std::size_t begin = static_cast<std::size_t>(line.data() - text.data());
    kept.append(text.substr(from, begin - from));
    from = platform::IniLineAt(text, begin).next;
  }
  kept.append(text.substr(from));
  return kept;
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
  std::vector<std::string_view> lines = DamagedLines(text);
  std::erase_if(lines, [&](std::string_view line) { return !left.contains(line); });
  return WithoutLines(text, lines);
}

int KeepDamagedCopy(const Planner& planner, const std::string& contents, std::time_t now,
                    std::string& copy) {
  copy = EarlierCopy(planner.DataFile, contents);
  return copy.empty() ? KeepCopy(planner.DataFile, kCopyMarker, contents, now, copy) : 0;
}

int KeepReplacingFile(const Planner& planner, const std::string& contents, std::time_t now,
                      std::string& copy) {
  return KeepCopy(planner.DataFile, kReplacingCopyMarker, contents, now, copy);
}

int KeepChangedFile(const Planner& planner, const std::string& contents, std::time_t now,
                    std::string& copy) {
  return KeepCopy(planner.DataFile, kChangedCopyMarker, contents, now, copy);
}

DataFileCheck CheckDataFile(Planner& planner, std::time_t now) {
  const std::string& file = planner.DataFile;
  // A start killed while it made a copy left it half-made: never one to rely on.
  const std::filesystem::path path(file);
  for (std::string_view marker : {kCopyMarker, kReplacingCopyMarker, kChangedCopyMarker}) {
    platform::RemoveLeftTemporaries(path.parent_path().string(),
                                    path.filename().string() + std::string(marker));
  }
  // Held for as long as `contents` and the damaged lines point into its text.
  const std::shared_ptr<const platform::IniDocument> document =
      platform::ReadIniFile(OpenedDataFile(planner));
  const std::string& contents = document->Text();
  std::error_code ignored;
  if (contents.find_first_not_of(" \t\r\n", platform::IniTextStart(contents)) ==
      std::string::npos) {
    if (!std::filesystem::exists(OpenedDataFile(planner), ignored)) return {};
    return {"Le fichier de données est vide : son contenu a été perdu.\nFichier : " + file +
            "\nSi vous avez une sauvegarde, vous pouvez la restaurer dans les paramètres.",
            std::nullopt};
  }
  int unkeepable = -1;
  std::vector<std::string_view> damaged;
  ReadLines(contents, damaged, &unkeepable);
  if (damaged.empty()) return {};
  if (unkeepable >= 0) {
    return {std::nullopt,
            "il est trop endommagé : ses sections endommagées nomment des fiches jusqu'au "
            "numéro " + std::to_string(unkeepable) +
            ", bien au-delà de celles qui restent, et Quorvane ne pourrait pas réserver ces "
            "numéros. Remplacez-le par une sauvegarde."};
  }

  // A copy made by an earlier start that was killed before its message, or whose user
  // closed the program without a change: the lines are still there, the message is due.
  std::string copy;
  const int error = KeepDamagedCopy(planner, contents, now, copy);
  // Without a copy the lines stay in the file: they are all that is left of what they held.
  planner.DamagedCopyPending = error != 0;
  // Passed over by the reads whether or not a copy is kept: a cut value is never taken for
  // a whole one.
  planner.KeptDamagedLines.assign(damaged.begin(), damaged.end());
  planner.LastDataWithoutDamage = {document, std::make_shared<const platform::IniDocument>(
                                                 WithoutLines(contents, damaged))};

  std::string message = "Le fichier de données est endommagé : certaines de ses lignes n'ont "
                        "pas pu être lues (fichier coupé ou abîmé, section ou valeur donnée deux "
                        "fois) et sont ignorées.\nFichier : " +
                        file;
  if (error == 0) {
    message += "\nUne copie du fichier tel qu'il était est gardée : " + copy +
               "\nCes lignes seront retirées du fichier au prochain enregistrement.";
  } else {
    message += "\nAucune copie du fichier n'a pu être gardée.\nCause : " + SystemErrorText(error) +
               "\nCes lignes restent dans le fichier : le prochain enregistrement en gardera "
               "d'abord une copie, puis les en retirera.";
  }
  return {message, std::nullopt};
}

}  // namespace store
