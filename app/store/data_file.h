// Access to the data file: single values, the list of sections and the highest record
// index of a kind.  Every section name, key and value passes through the text codec.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/store/planner.h"
#include "platform/ini_document.h"

namespace store {

// Why a data file, or a backup to restore in its place, cannot be loaded, given the errno of
// its read: for one too large, the size that the planner loads.
std::string UnloadableFileCause(int error);

// What the user is told once when the data cannot be changed in this run
// (planner.ReadOnlyCause): the data file itself, or the folder that holds it, is read-only.
std::string ReadOnlyNotice(const Planner& planner, bool fileReadOnly);

// The value of `key` in `section` of `file`; `defaultValue` when the file, the section or
// the key is missing.
std::string ReadIni(std::string_view section, std::string_view key, const std::string& file,
                    std::string_view defaultValue = {});

// Writes the value at once (atomically).  Returns non-zero on success; on failure the file
// is left as it was, the user is told through planner.ShowWriteFailure, and 0 is returned.
// A value of the data file that could not be written is written by the next write of it
// that succeeds.
int WriteIni(Planner& planner, std::string_view section, std::string_view key,
             std::string_view value, const std::string& file);

// The decoded names of all sections of `file`, in file order; none when it is missing.
std::vector<std::string> GetIniSectionNames(const std::string& file);

// The highest n among the sections of the data file named `prefix` followed by n in
// decimal digits (the prefix compared exactly, letter case included), passing over those
// numbered far beyond the others as the loads do; -1 when none.
int MaxSectionIndex(const Planner& planner, std::string_view prefix);

// The data file as the planner sees it: without the damaged lines it keeps a copy of, with
// the changes not written yet.
std::shared_ptr<const platform::IniDocument> DataView(const Planner& planner);
// The value of `key` in `section` of DataView; empty when missing.
std::string ReadDataValue(const Planner& planner, std::string_view section, std::string_view key);

// Which file stands under `path` now, its links followed; nothing when none does.
std::optional<platform::FileIdentity> IdentityOfFile(const std::string& path);
// Takes the data file as it is now for the one this planner holds: a later write that
// finds another file there, or none, tells the user and writes what the planner holds.
void HoldDataFile(Planner& planner);

// Values that a write adds once it sees the data as they are under the file's lock (a new
// record takes its number from them); `file` is the data file itself, its damaged lines
// included.  False refuses the change.
using ValuesUnderLock =
    std::function<bool(const platform::IniDocument& data, const platform::IniDocument& file,
                       std::vector<DataFileValue>& values)>;

// What WriteDataFile returns when `underLock` refused the change: nothing was written,
// nothing waits and nothing was told.
inline constexpr int kChangeRefused = -1;

// Writes the unwritten values, then `values` and those of `underLock`, in one replacement of
// the data file, leaving out the damaged lines it keeps a copy of.  0 on success, else the
// errno of the failure: the file is then as it was, the user has been told, and the values
// wait in planner.UnwrittenValues for the next write.  While the data cannot be changed in
// this run (planner.ReadOnlyCause, told at the start), nothing is written nor told: the
// values wait, for the reads to show them, and that cause is returned.  The document
// written goes to `written` on success.
int WriteDataFile(Planner& planner, std::vector<DataFileValue> values,
                  const ValuesUnderLock& underLock = {},
                  std::shared_ptr<const platform::IniDocument>* written = nullptr);

// Writes the values that wait in planner.UnwrittenValues, if any, telling nothing.  0 on
// success, when none wait or when the data cannot be changed in this run
// (planner.ReadOnlyCause), else the errno of the failure: they still wait.
int TryWriteUnwrittenValues(Planner& planner);

// At the end of the run: writes the values that wait in planner.UnwrittenValues, if any.
// 0 on success or when none wait, else the errno of the failure: the user has been told
// that they are lost.
int WriteUnwrittenValues(Planner& planner);

}  // namespace store
