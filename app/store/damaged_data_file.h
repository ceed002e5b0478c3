// A data file that holds lines the program cannot read (cut short, or garbled by hand or by
// a disk fault): the user is told once, a copy of the file as it was is kept beside it, the
// program goes on with what it could read, and the next write leaves those lines out.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/store/planner.h"

namespace store {

// The lines of an INI text that the program cannot read, each without its line break.  The
// lines are split and read exactly as the INI reader reads them (line ends, byte-order mark,
// blanks and quotes alike): a line the reader can read is never reported nor dropped.
// Damaged are:
//  - a line that is neither blank, a comment, a section header nor a key line whose section
//    name, key and value are complete encoded texts;
//  - the last line when it has no line end and is neither blank nor a comment: the file
//    was cut inside it;
//  - a section header that is not the settings' nor a record's own name (the kind and the
//    number without leading zeros), or that holds a "]" before its last character, and a
//    key line whose key is not one of its section's (a setting's, or the record key);
//  - a section header with no readable key line (a section cut before its value), and the
//    lines of a section whose header cannot be read;
//  - a key line whose key an earlier readable line of its section gives already, which the
//    reader never reads, and a record line in the settings section: mostly a record line
//    whose section header was lost;
//  - the lines of a section given again, all copies with a value but the one that counts
//    (damaged_data_file.cpp tells which): a copy the reader never reads, or one that would
//    hide the real record.
std::vector<std::string_view> DamagedLines(std::string_view text);

// Whether not one value of an INI text reads: every line is blank, a comment or damaged.
bool ReadsNoValue(std::string_view text);

// The text without those of its damaged lines that are among `known`; in time linear in the
// lines of both.
std::string WithoutDamagedLines(std::string_view text, const std::vector<std::string>& known);

// What the check of the data file at start tells.
struct DataFileCheck {
  // What the user is told before the program goes on; nothing when the file reads whole.
  std::optional<std::string> notice;
  // Why the file is too damaged to be opened, the cause of the start-up's refusal: nothing
  // was kept nor may anything be written.  Nothing when it can be opened.
  std::optional<std::string> refusal;
};

// Checks the data file at start.  When it holds damaged lines, a copy of it is kept, named
// after it, ".endommagé-" and the local time `now` ("data.endommagé-20261208-221500"), and
// the user is told; the lines go into planner.KeptDamagedLines, for the reads to pass over
// and the next write to leave out.  Contents of which a copy is kept already get no second
// copy but the message again: it shows at every start until a write has left the lines
// out, so that a start killed before its message leaves nothing untold.  A copy that cannot
// be made is tried again by the next write (planner.DamagedCopyPending), which fails rather
// than leave the lines out without one.  An empty data file is told of too: the program
// never writes one, so its contents were lost.  A file whose damaged sections name record
// numbers that the file without them could not keep (a load would not read them back) is
// refused: a new record would take such a number.  Nothing when the file reads whole or
// does not exist.  The copy is made as a new file beside planner.DataFile, never through a
// link standing under its name, and appears whole or not at all; what a start killed while
// making one left behind is removed first.
DataFileCheck CheckDataFile(Planner& planner, std::time_t now);

// Keeps a copy of `contents`, the data file with the damaged lines of planner.KeptDamagedLines,
// as CheckDataFile does, unless one is kept already.  0, else the errno of the failure.
int KeepDamagedCopy(const Planner& planner, const std::string& contents, std::time_t now,
                    std::string& copy);

// Keeps `contents`, a file that another program put in the data file's place while the
// planner ran, beside planner.DataFile as "data.remplaçant-" and the local time `now`, as
// the copy of a damaged file is kept.  0, else the errno of the failure.
int KeepReplacingFile(const Planner& planner, const std::string& contents, std::time_t now,
                      std::string& copy);

// Keeps `contents`, the data file as another program left it after cutting or editing it in
// place while the planner ran, as "data.modifié-" and the local time `now`.
int KeepChangedFile(const Planner& planner, const std::string& contents, std::time_t now,
                    std::string& copy);

}  // namespace store
