// A data file that holds lines the program cannot read (cut short, or garbled by hand or by
// a disk fault): the user is told, and a copy of the file as it was is kept beside it
// before anything is written to it, while the program goes on with what it could read.
#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <string_view>

namespace store {

// Whether the INI text holds a line that is neither blank, a comment, a section header
// nor a key line whose section name, key and value are complete encoded texts.
bool HoldsUnreadableLines(std::string_view text);

// When the data file `file` holds unreadable lines: keeps a copy of it named after it,
// ".endommagé-" and the local time `now` ("data.endommagé-20261208-221500"), unless a
// copy of the same contents is there already, and returns the message for the user.
// Nothing when the file reads whole or does not exist.
std::optional<std::string> KeepDamagedDataFile(const std::string& file, std::time_t now);

}  // namespace store
