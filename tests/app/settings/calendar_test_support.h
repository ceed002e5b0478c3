// Reading back the calendars the tests write, as a calendar program would.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

inline std::filesystem::path TestFolder(const std::string& group) {
  const auto* test = testing::UnitTest::GetInstance()->current_test_info();
  const auto folder = std::filesystem::path(QUORVANE_BUILD_DIR "/test-work") / group /
                      (std::string(test->test_suite_name()) + "." + test->name());
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  return folder;
}

inline std::string FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The output of scripts/ics_check.py with the given arguments, or "failed: ..." when it
// cannot read the file.
inline std::string IcsCheck(const std::string& arguments) {
  const std::string command = "/usr/bin/python3 '" QUORVANE_SOURCE_DIR "/scripts/ics_check.py' " +
                              arguments + " 2>&1";
  std::string output;
  if (FILE* pipe = popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t read;
    while ((read = fread(buffer, 1, sizeof buffer, pipe)) > 0) output.append(buffer, read);
    if (pclose(pipe) != 0) output = "failed: " + output;
  }
  return output;
}

// Writes the calendar text to a file and has it parsed; the number of events.
inline std::string ParsedEventCount(const std::filesystem::path& file) {
  return IcsCheck("parse '" + file.string() + "'");
}
