// Loading a data file of 100,000 records through the store, against reading the same file
// and splitting its lines into section names, keys and values.  The store does that and
// more (it decodes every value and files each record by its number), so it is also set
// against splitting and then decoding every value.  Both are references, not bounds: a
// tuned parser can beat a plain one.  The same file with 20,000 damaged lines among its
// records is then started as the program starts it (the damage check, which keeps a copy of
// the file at the first start and finds that copy at the next, then the loads that pass
// over the damaged lines), against reading and splitting that file.  Every run starts with
// a new modification time, which makes the store parse the file again; the contenders take
// turns, and the records are checked to agree before anything is timed.  Exits 2 on a
// disagreement.
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "bench/best_time.h"
#include "app/store/codec.h"
#include "app/store/damaged_data_file.h"
#include "app/store/params.h"
#include "app/store/planner.h"
#include "app/store/records.h"

namespace {

constexpr int kResources = 2000;
constexpr int kCategories = 8000;
constexpr int kActivities = 90000;
constexpr int kDamagedLines = 20000;

void AppendRecord(std::string& text, std::string_view prefix, int index,
                  const std::string& record) {
  text += '[';
  store::AppendEncodedIniText(text, std::string(prefix) + std::to_string(index));
  text += "]\n";
  store::AppendEncodedIniText(text, store::kRecordKey);
  text += '=';
  store::AppendEncodedIniText(text, record);
  text += '\n';
}

std::string TwoDigits(int n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string ActivityRecord(int i) {
  int day = 1 + i % 28;
  int month = 1 + i / 28 % 12;
  int hour = 7 + i % 11;
  std::string date = TwoDigits(day) + "." + TwoDigits(month) + "." + std::to_string(2030 + i % 5);
  std::string record = date + " " + TwoDigits(hour) + ":00¦" + date + " " + TwoDigits(hour + 1) +
                       ":30¦Intervention n° " + std::to_string(i) + " chez le client¦" +
                       std::to_string(i % kCategories) + "¦" + std::to_string(i * 7919 % 0xFFFFFF) +
                       "-" + std::to_string(i % 2);
  if (i % 5 == 0) record += "-" + std::to_string(1 + i % 7);             // periodic
  if (i % 10 == 0) record += "-30.06." + std::to_string(2031 + i % 5);  // with an end
  for (int r = 0; r < 1 + i % 4; ++r) record += "¦" + std::to_string((i + r * 37) % kResources);
  return record;
}

std::string GenerateDataFile() {
  std::string text;
  text += '[';
  store::AppendEncodedIniText(text, store::kParamSection);
  text += "]\n";
  for (auto [key, value] : {std::pair{"Type", "Bâtiment"}, std::pair{"Projet", "Chantiers"},
                            std::pair{"Act", "Étapes"}, std::pair{"Ress", "Matériels"}}) {
    store::AppendEncodedIniText(text, key);
    text += '=';
    store::AppendEncodedIniText(text, value);
    text += '\n';
  }
  for (int i = 0; i < kResources; ++i) {
    AppendRecord(text, store::kResourcePrefix, i,
                 "Équipe " + std::to_string(i) + (i % 9 == 0 ? "¦1" : ""));
  }
  for (int i = 0; i < kCategories; ++i) {
    AppendRecord(text, store::kCategoryPrefix, i,
                 "Chantier rue de la République " + std::to_string(i) + "¦" +
                     std::to_string(i * 104729 % 0xFFFFFF) + "-" + std::to_string(i % 3));
  }
  for (int i = 0; i < kActivities; ++i) {
    AppendRecord(text, store::kActivityPrefix, i, ActivityRecord(i));
  }
  return text;
}

// `text` with a damaged line (no section, key nor value) after every tenth line.
std::string WithDamagedLines(const std::string& text) {
  std::string damaged;
  damaged.reserve(text.size() + kDamagedLines * 24);
  std::size_t begin = 0;
  for (int line = 1; begin < text.size(); ++line) {
    const std::size_t next = text.find('\n', begin) + 1;
    damaged.append(text, begin, next - begin);
    if (line % 10 == 0 && line / 10 <= kDamagedLines) {
      damaged += "ligne abîmée n° " + std::to_string(line / 10) + '\n';
    }
    begin = next;
  }
  return damaged;
}

// A new modification time for the file, so that the store reads it again.
void Touch(const std::string& path) {
  static long second = 1000000;
  ++second;
  timespec times[2] = {{second, 0}, {second, 0}};
  ::utimensat(AT_FDCWD, path.c_str(), times, 0);
}

store::Planner LoadThroughStore(const std::string& path) {
  Touch(path);
  store::Planner planner;
  planner.DataFile = path;
  store::LoadResources(planner);
  store::LoadActivities(planner);
  store::LoadCategories(planner);
  store::LoadParams(planner);
  return planner;
}

// The data part of the program's start: the damage check, then the loads.
store::Planner StartThroughStore(const std::string& path) {
  Touch(path);
  store::Planner planner;
  planner.DataFolder = std::filesystem::path(path).parent_path();
  planner.DataFile = path;
  store::CheckDataFile(planner, 0);
  store::LoadResources(planner);
  store::LoadActivities(planner);
  store::LoadCategories(planner);
  store::LoadParams(planner);
  return planner;
}

struct Line {
  std::string_view section;
  std::string_view key;  // empty on a section's own line
  std::string_view value;
};

struct SplitFile {
  std::string text;
  std::vector<Line> lines;
};

// The file read in one piece and cut at its line ends, each line into the name of its
// section or its key and value.
SplitFile ReadAndSplit(const std::string& path) {
  Touch(path);
  SplitFile file;
  const int fd = ::open(path.c_str(), O_RDONLY);
  struct stat status;
  ::fstat(fd, &status);
  file.text.resize(static_cast<std::size_t>(status.st_size));
  for (std::size_t filled = 0; filled < file.text.size();) {
    const ssize_t got = ::read(fd, file.text.data() + filled, file.text.size() - filled);
    if (got <= 0) break;
    filled += static_cast<std::size_t>(got);
  }
  ::close(fd);
  std::string_view rest = file.text;
  std::string_view section;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty() && line.front() == '[') {
      section = line.substr(1, line.find(']') - 1);
      file.lines.push_back({section, {}, {}});
    } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
      file.lines.push_back({section, line.substr(0, equals), line.substr(equals + 1)});
    }
  }
  return file;
}

// The split lines' values decoded, the part of the store's work that plain splitting lacks.
std::vector<std::string> DecodedValues(const SplitFile& file) {
  std::vector<std::string> values;
  values.reserve(file.lines.size());
  for (const Line& line : file.lines) values.push_back(store::DecodeIniText(line.value));
  return values;
}

// Whether the split lines hold, decoded, exactly the records the store loaded.
bool SameRecords(const SplitFile& file, const store::Planner& planner) {
  const std::string recordKey = store::EncodeIniText(store::kRecordKey);
  std::size_t records = 0;
  for (const Line& line : file.lines) {
    if (line.key != recordKey) continue;
    const std::string section = store::DecodeIniText(line.section);
    for (const auto& [prefix, table] :
         {std::pair{store::kResourcePrefix, &planner.Resources},
          std::pair{store::kCategoryPrefix, &planner.Categories},
          std::pair{store::kActivityPrefix, &planner.Activities}}) {
      if (!section.starts_with(prefix)) continue;
      const std::size_t index = std::stoul(section.substr(prefix.size()));
      if (index >= table->size() || (*table)[index] != store::DecodeIniText(line.value))
        return false;
      ++records;
    }
  }
  return records == planner.Resources.size() + planner.Categories.size() +
                        planner.Activities.size();
}

}  // namespace

int main() {
  bench::Verdict verdict;
  std::string folderTemplate = (std::filesystem::temp_directory_path() / "store_load.XXXXXX").string();
  std::string folder = ::mkdtemp(folderTemplate.data());
  std::string path = folder + "/data";
  std::string contents = GenerateDataFile();
  std::ofstream(path, std::ios::binary) << contents;

  const store::Planner loaded = LoadThroughStore(path);
  const SplitFile split = ReadAndSplit(path);
  const std::size_t records = loaded.Resources.size() + loaded.Categories.size() +
                              loaded.Activities.size();
  const bool agree =
      verdict.Agree(records == kResources + kCategories + kActivities,
                    "the store loaded " + std::to_string(records) + " records") &&
      verdict.Agree(SameRecords(split, loaded), "records of the store and of the split lines");
  if (agree) {
    const std::vector<double> best = bench::BestSeconds({
        {"store", [&] { LoadThroughStore(path); }},
        {"split", [&] { ReadAndSplit(path); }},
        {"split and decode", [&] { DecodedValues(ReadAndSplit(path)); }},
    });
    std::printf("store_load: %zu records, %zu lines, %.1f MB\n", records, split.lines.size(),
                contents.size() / 1e6);
    std::printf("store_load: store %.2f ms, reading and splitting the lines %.2f ms, ratio %.2f\n",
                best[0] * 1e3, best[1] * 1e3, best[0] / best[1]);
    std::printf("store_load: store %.2f ms, splitting and decoding every value %.2f ms, ratio %.2f\n",
                best[0] * 1e3, best[2] * 1e3, best[0] / best[2]);
  }

  const std::string damagedPath = folder + "/damaged";
  std::ofstream(damagedPath, std::ios::binary) << WithDamagedLines(contents);
  const store::Planner started = StartThroughStore(damagedPath);
  const SplitFile damagedSplit = ReadAndSplit(damagedPath);
  const bool damagedAgree =
      verdict.Agree(started.KeptDamagedLines.size() == kDamagedLines,
                    "the store found " + std::to_string(started.KeptDamagedLines.size()) +
                        " damaged lines") &&
      verdict.Agree(SameRecords(damagedSplit, started),
                    "records of the store and of the split lines, with damaged lines");
  if (damagedAgree) {
    const std::vector<double> best = bench::BestSeconds({
        {"store start", [&] { StartThroughStore(damagedPath); }},
        {"split", [&] { ReadAndSplit(damagedPath); }},
    });
    std::printf("store_load: with %d damaged lines: store start %.2f ms, reading and splitting "
                "the lines %.2f ms, ratio %.2f\n",
                kDamagedLines, best[0] * 1e3, best[1] * 1e3, best[0] / best[1]);
  }
  std::filesystem::remove_all(folder);
  return verdict.ExitCode();
}
