// Loading a data file of 100,000 records through the store, against the lower bound of
// reading the same file's lines with std::getline and splitting them at "=".
#include <fcntl.h>
#include <stdlib.h>
#include <sys/stat.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/store/codec.h"
#include "app/store/params.h"
#include "app/store/planner.h"
#include "app/store/records.h"

namespace {

constexpr int kResources = 2000;
constexpr int kCategories = 8000;
constexpr int kActivities = 90000;
constexpr int kRounds = 7;

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

double BestMilliseconds(const std::function<void(int round)>& prepare,
                        const std::function<void()>& run) {
  double best = 1e300;
  for (int round = 0; round < kRounds; ++round) {
    prepare(round);
    auto start = std::chrono::steady_clock::now();
    run();
    std::chrono::duration<double, std::milli> elapsed = std::chrono::steady_clock::now() - start;
    best = std::min(best, elapsed.count());
  }
  return best;
}

}  // namespace

int main() {
  std::string folderTemplate = (std::filesystem::temp_directory_path() / "store_load.XXXXXX").string();
  std::string folder = ::mkdtemp(folderTemplate.data());
  std::string path = folder + "/data";
  std::string contents = GenerateDataFile();
  std::ofstream(path, std::ios::binary) << contents;

  std::size_t loaded = 0;
  double storeMs = BestMilliseconds(
      [&](int round) {
        // A new modification time makes the store parse the file again.
        timespec times[2] = {{1000000 + round, 0}, {1000000 + round, 0}};
        ::utimensat(AT_FDCWD, path.c_str(), times, 0);
      },
      [&] {
        store::Planner planner;
        planner.DataFile = path;
        store::LoadResources(planner);
        store::LoadActivities(planner);
        store::LoadCategories(planner);
        store::LoadParams(planner);
        loaded = planner.Resources.size() + planner.Categories.size() + planner.Activities.size();
      });

  std::size_t lines = 0;
  double getlineMs = BestMilliseconds([](int) {}, [&] {
    std::ifstream in(path, std::ios::binary);
    std::vector<std::string> values;
    std::string line;
    lines = 0;
    while (std::getline(in, line)) {
      ++lines;
      if (!line.empty() && line.front() == '[') {
        values.push_back(line.substr(1, line.find(']') - 1));
      } else if (std::size_t equals = line.find('='); equals != std::string::npos) {
        std::string key = line.substr(0, equals);
        values.push_back(line.substr(equals + 1));
      }
    }
  });

  std::filesystem::remove_all(folder);
  if (loaded != kResources + kCategories + kActivities) {
    std::fprintf(stderr, "store_load: loaded %zu records instead of %d\n", loaded,
                 kResources + kCategories + kActivities);
    return 1;
  }
  std::printf("store_load: %zu records, %zu lines, %.1f MB\n", loaded, lines,
              contents.size() / 1e6);
  std::printf("store_load: store %.2f ms, getline lower bound %.2f ms, ratio %.2f\n", storeMs,
              getlineMs, storeMs / getlineMs);
  return 0;
}
