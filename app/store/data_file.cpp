#include "app/store/data_file.h"

#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <ctime>
#include <filesystem>
#include <iostream>

#include "app/store/codec.h"
#include "app/store/damaged_data_file.h"
#include "app/store/record_sections.h"
#include "app/store/records.h"
#include "app/store/system_error_text.h"
#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace store {

namespace {

using platform::IniDocument;

void TellUser(const Planner& planner, const std::string& message) {
  if (planner.ShowWriteFailure) {
    planner.ShowWriteFailure(message);
  } else {
    std::cerr << message << '\n';
  }
}

// `consequence`, when given, tells what becomes of the change.
void ReportWriteFailure(const Planner& planner, const std::string& file, int error,
                        std::string_view consequence = {}) {
  std::string message = "Les données n'ont pas pu être enregistrées.\nFichier : " + file +
                        "\nCause : " + SystemErrorText(error);
  if (!consequence.empty()) message.append("\n").append(consequence);
  TellUser(planner, message);
}

std::string WithValue(const IniDocument& document, const DataFileValue& value) {
  return document.WithValue(EncodeIniText(value.section), EncodeIniText(value.key),
                            EncodeIniText(value.value));
}

// `document` with `values` set in turn.
std::shared_ptr<const IniDocument> WithValues(std::shared_ptr<const IniDocument> document,
                                              const std::vector<DataFileValue>& values) {
  for (const DataFileValue& value : values) {
    document = std::make_shared<const IniDocument>(WithValue(*document, value));
  }
  return document;
}

// The text of `document` with `values` set in turn; the last one needs no document of its own.
std::string TextWith(std::shared_ptr<const IniDocument> document,
                     const std::vector<DataFileValue>& values) {
  if (values.empty()) return document->Text();
  for (std::size_t i = 0; i + 1 < values.size(); ++i) {
    document = std::make_shared<const IniDocument>(WithValue(*document, values[i]));
  }
  return WithValue(*document, values.back());
}

std::shared_ptr<const IniDocument> WithoutKeptDamagedLines(
    const Planner& planner, std::shared_ptr<const IniDocument> file) {
  Planner::DataWithoutDamage& last = planner.LastDataWithoutDamage;
  if (last.file != file) {
    std::string readable = WithoutDamagedLines(file->Text(), planner.KeptDamagedLines);
    last.readable = readable.size() == file->Text().size()
                        ? file
                        : std::make_shared<const IniDocument>(std::move(readable));
    last.file = std::move(file);
  }
  return last.readable;
}

// The file as the planner sees it, from its contents `file`.
std::shared_ptr<const IniDocument> Seen(const Planner& planner,
                                        std::shared_ptr<const IniDocument> file) {
  if (!planner.KeptDamagedLines.empty()) file = WithoutKeptDamagedLines(planner, std::move(file));
  return WithValues(std::move(file), planner.UnwrittenValues);
}

// A write that leaves out damaged lines keeps the record numbers that only those lines still
// name: the highest of each kind gets a section of its own with an empty record, so that
// no record added in this run or a later one takes the number of a record that was lost,
// and with it the lost record's bookings.
void KeepLostNumbers(const IniDocument& file, const IniDocument& data,
                     std::vector<DataFileValue>& values) {
  for (std::string_view prefix : kRecordPrefixes) {
    const int named = HighestRecordIndex(file, prefix);
    if (named > HighestRecordIndex(data, prefix)) {
      // First, so that the sections stay in the order of their numbers.
      values.insert(values.begin(),
                    {std::string(prefix) + std::to_string(named), std::string(kRecordKey), ""});
    }
  }
}

void KeepUnwritten(Planner& planner, std::vector<DataFileValue>& values) {
  for (DataFileValue& value : values) {
    std::erase_if(planner.UnwrittenValues, [&](const DataFileValue& earlier) {
      return earlier.section == value.section && earlier.key == value.key;
    });
    planner.UnwrittenValues.push_back(std::move(value));
  }
}

}  // namespace

std::string UnloadableFileCause(int error) {
  if (error != EFBIG) return SystemErrorText(error);
  return SystemErrorText(error) + " : Quorvane ne charge pas de fichier de plus de " +
         std::to_string(platform::kMaxIniFileSize >> 20) + " Mo";
}

std::string ReadOnlyNotice(const Planner& planner, bool fileReadOnly) {
  return "Le fichier de données ne peut pas être modifié : " +
         std::string(fileReadOnly ? "il est en lecture seule."
                                  : "le dossier qui le contient n'est pas accessible en "
                                    "écriture.") +
         "\nFichier : " + OpenedDataFile(planner) + "\nCause : " +
         SystemErrorText(planner.ReadOnlyCause) +
         "\nLes données sont affichées, mais aucune modification ne pourra être enregistrée.";
}

std::string ReadIni(std::string_view section, std::string_view key, const std::string& file,
                    std::string_view defaultValue) {
  auto document = platform::ReadIniFile(file);
  auto value = document->Value(EncodeIniText(section), EncodeIniText(key));
  return value ? DecodeIniText(*value) : std::string(defaultValue);
}

int WriteIni(Planner& planner, std::string_view section, std::string_view key,
             std::string_view value, const std::string& file) {
  if (file == planner.DataFile || file == OpenedDataFile(planner)) {
    return WriteDataFile(planner, {{std::string(section), std::string(key), std::string(value)}})
                   == 0
               ? 1
               : 0;
  }
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
  return HighestRecordIndex(*DataView(planner), prefix);
}

// A started planner shows what it holds: what another program puts in the file meanwhile
// is set aside by the next write, never shown.
std::shared_ptr<const IniDocument> DataView(const Planner& planner) {
  return Seen(planner, planner.HeldData ? planner.HeldData
                                        : platform::ReadIniFile(OpenedDataFile(planner)));
}

std::optional<platform::FileIdentity> IdentityOfFile(const std::string& path) {
  struct stat status;
  if (::stat(path.c_str(), &status) != 0) return std::nullopt;
  return platform::IdentityOf(status);
}

void HoldDataFile(Planner& planner) {
  planner.HeldDataIdentity = IdentityOfFile(OpenedDataFile(planner));
  planner.HeldData = platform::ReadIniFile(OpenedDataFile(planner));
}

std::string ReadDataValue(const Planner& planner, std::string_view section,
                          std::string_view key) {
  // The value is a view into the document: it is decoded while the document lives.
  const std::shared_ptr<const IniDocument> data = DataView(planner);
  auto value = data->Value(EncodeIniText(section), EncodeIniText(key));
  return value ? DecodeIniText(*value) : std::string();
}

namespace {

// How the file under the data file's name differs from the one this planner last read or
// wrote, which the next write replaces with what the planner holds.
enum class FoundFile { Held, Removed, Replaced, Changed };

FoundFile Found(const Planner& planner, const IniDocument& current) {
  if (!planner.HeldData) return FoundFile::Held;
  const std::string& path = OpenedDataFile(planner);
  const std::optional<platform::FileIdentity> identity = IdentityOfFile(path);
  std::error_code ignored;
  const bool link = std::filesystem::is_symlink(std::filesystem::symlink_status(path, ignored));
  if (link || identity != planner.HeldDataIdentity) {
    return identity || link ? FoundFile::Replaced : FoundFile::Removed;
  }
  // The same file, cut or edited in place: its bytes tell, not its name.
  return &current == planner.HeldData.get() || current.Text() == planner.HeldData->Text()
             ? FoundFile::Held
             : FoundFile::Changed;
}

// Another program removed, replaced or changed the data file since this planner last read
// or wrote it: the write starts from what the planner holds, so that the file it writes
// holds every record shown, and what was found in its place is kept beside it.  0, else the
// errno of the failure; `told` then says what the user is told once the write is made.
int TakeBackDataFile(Planner& planner, FoundFile found,
                     const std::shared_ptr<const IniDocument>& current, std::string& told) {
  told = "Le fichier de données " +
         std::string(found == FoundFile::Removed   ? "a été supprimé"
                     : found == FoundFile::Changed ? "a été modifié"
                                                   : "a été remplacé") +
         " par un autre programme pendant que Quorvane était ouvert :\n" + planner.DataFile +
         "\nIl a été réécrit avec toutes les données affichées.";
  if (found == FoundFile::Removed) return 0;
  std::string copy;
  const int error = found == FoundFile::Changed
                        ? KeepChangedFile(planner, current->Text(), std::time(nullptr), copy)
                        : KeepReplacingFile(planner, current->Text(), std::time(nullptr), copy);
  if (error != 0) return error;
  told += (found == FoundFile::Changed ? "\nLe fichier tel que l'autre programme l'a laissé est "
                                        "gardé : "
                                      : "\nLe fichier qui l'avait remplacé est gardé : ") +
          copy;
  return 0;
}

// One replacement of the data file with the unwritten values, `values` and those of
// `underLock`; on success nothing waits any more.  `values` then holds what was not written.
int TryDataFileWrite(Planner& planner, std::vector<DataFileValue>& values,
                     const ValuesUnderLock& underLock,
                     std::shared_ptr<const IniDocument>* written) {
  bool sawLockedData = false;
  bool refused = false;
  std::string told;
  std::shared_ptr<const IniDocument> writtenData;
  struct stat writtenStatus;
  int held = -1;
  const std::string& path = OpenedDataFile(planner);
  int error = platform::UpdateIniFile(
      path,
      [&](const std::shared_ptr<const IniDocument>& current, std::string& text) {
        std::shared_ptr<const IniDocument> file = current;
        if (const FoundFile found = Found(planner, *current); found != FoundFile::Held) {
          if (int error = TakeBackDataFile(planner, found, current, told)) return error;
          file = planner.HeldData;
        }
        std::shared_ptr<const IniDocument> data = Seen(planner, file);
        sawLockedData = true;
        if (underLock && !underLock(*data, *file, values)) {
          refused = true;
          return ECANCELED;
        }
        // The lines are left out only once a copy of the file that holds them is kept.
        if (planner.DamagedCopyPending) {
          std::string copy;
          if (int error = KeepDamagedCopy(planner, file->Text(), std::time(nullptr), copy)) {
            return error;
          }
          planner.DamagedCopyPending = false;
        }
        if (!planner.KeptDamagedLines.empty()) KeepLostNumbers(*file, *data, values);
        text = TextWith(std::move(data), values);
        return 0;
      },
      &writtenData, &writtenStatus, planner.FileLock.Held() ? &held : nullptr);
  if (refused) return kChangeRefused;
  if (error == 0) {
    if (held >= 0) planner.FileLock.HoldDataFile(held);
    planner.UnwrittenValues.clear();
    planner.KeptDamagedLines.clear();
    planner.LastDataWithoutDamage = {};
    if (planner.HeldData) {
      planner.HeldData = writtenData;
      planner.HeldDataIdentity = platform::IdentityOf(writtenStatus);
    }
    if (written != nullptr) *written = std::move(writtenData);
    if (!told.empty()) TellUser(planner, told);
    return 0;
  }
  // The file could not be read under its lock: the values are added to the data as last seen.
  if (underLock && !sawLockedData &&
      !underLock(*DataView(planner), *platform::ReadIniFile(path), values)) {
    return kChangeRefused;
  }
  return error;
}

// A file its owner made read-only while the planner runs is treated as one found so at the
// start: the user is told once, and nothing more is written.
void NoteFileMadeReadOnly(Planner& planner) {
  if (planner.ReadOnlyCause != 0) return;
  planner.ReadOnlyCause = platform::FileWriteRefusal(OpenedDataFile(planner));
  if (planner.ReadOnlyCause != 0) TellUser(planner, ReadOnlyNotice(planner, true));
}

}  // namespace

int WriteDataFile(Planner& planner, std::vector<DataFileValue> values,
                  const ValuesUnderLock& underLock,
                  std::shared_ptr<const IniDocument>* written) {
  NoteFileMadeReadOnly(planner);
  if (planner.ReadOnlyCause != 0) {
    // Told once at the start: the change shows for this run and is written nowhere.
    if (underLock && !underLock(*DataView(planner),
                                *platform::ReadIniFile(OpenedDataFile(planner)), values)) {
      return kChangeRefused;
    }
    KeepUnwritten(planner, values);
    return planner.ReadOnlyCause;
  }
  int error = TryDataFileWrite(planner, values, underLock, written);
  if (error == 0 || error == kChangeRefused) return error;
  KeepUnwritten(planner, values);
  ReportWriteFailure(planner, planner.DataFile, error,
                     "La modification reste affichée : elle sera enregistrée avec la prochaine "
                     "qui pourra l'être. Si elle ne peut toujours pas l'être à la fermeture, le "
                     "programme demandera quoi faire.");
  return error;
}

int TryWriteUnwrittenValues(Planner& planner) {
  if (planner.UnwrittenValues.empty()) return 0;
  NoteFileMadeReadOnly(planner);
  if (planner.ReadOnlyCause != 0) return 0;
  std::vector<DataFileValue> none;
  return TryDataFileWrite(planner, none, {}, nullptr);
}

int WriteUnwrittenValues(Planner& planner) {
  const int error = TryWriteUnwrittenValues(planner);
  if (error != 0) {
    ReportWriteFailure(planner, planner.DataFile, error,
                       "Les dernières modifications qui n'avaient pas pu être enregistrées "
                       "sont perdues.");
  }
  return error;
}

}  // namespace store
