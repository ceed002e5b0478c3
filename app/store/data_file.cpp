#include "app/store/data_file.h"

#include <iostream>

#include "app/store/codec.h"
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

// The record index that `rest` names: decimal digits only, within kMaxRecordIndex.
int RecordIndex(std::string_view rest) {
  if (rest.empty() || rest.size() > 7) return -1;
  int index = 0;
  for (char c : rest) {
    if (c < '0' || c > '9') return -1;
    index = index * 10 + (c - '0');
  }
  return index <= kMaxRecordIndex ? index : -1;
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
  for (std::size_t i = 0; i < document->SectionCount(); ++i) {
    std::string name = DecodeIniText(document->SectionName(i));
    if (name.starts_with(prefix)) {
      highest = std::max(highest, RecordIndex(std::string_view(name).substr(prefix.size())));
    }
  }
  return highest;
}

}  // namespace store
