#include "app/store/data_file.h"

#include <algorithm>
#include <iostream>

#include "app/store/codec.h"
#include "app/store/record_sections.h"
#include "app/store/system_error_text.h"
#include "platform/ini_file.h"

namespace store {

namespace {

void ReportWriteFailure(const Planner& planner, const std::string& file, int error) {
  std::string message = "Les données n'ont pas pu être enregistrées.\nFichier : " + file +
                        "\nCause : " + SystemErrorText(error);
  if (planner.ShowWriteFailure) {
    planner.ShowWriteFailure(message);
  } else {
    std::cerr << message << '\n';
  }
}

}  // namespace

std::string ReadIni(std::string_view section, std::string_view key, const std::string& file,
                    std::string_view defaultValue) {
  auto document = platform::ReadIniFile(file);
  auto value = document->Value(EncodeIniText(section), EncodeIniText(key));
  return value ? DecodeIniText(*value) : std::string(defaultValue);
}

int WriteIni(const Planner& planner, std::string_view section, std::string_view key,
             std::string_view value, const std::string& file) {
  int error = platform::WriteIniValue(file, EncodeIniText(section), EncodeIniText(key),
                                      EncodeIniText(value));
  if (error == 0) return 1;
  ReportWriteFailure(planner, file, error);
  return 0;
}

std::vector<std::string> GetIniSectionNames(const std::string& file) {
  auto document = platform::ReadIniFile(file);
  std::vector<std::string> names;
  names.reserve(document->SectionCount());
  for (std::size_t i = 0; i < document->SectionCount(); ++i) {
    names.push_back(DecodeIniText(document->SectionName(i)));
  }
  return names;
}

int MaxSectionIndex(const Planner& planner, std::string_view prefix) {
  auto document = platform::ReadIniFile(planner.DataFile);
  int highest = -1;
  ForEachRecordSection(*document, prefix,
                       [&](int index, std::size_t, bool) { highest = std::max(highest, index); });
  return highest;
}

}  // namespace store
