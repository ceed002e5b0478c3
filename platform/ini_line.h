// The lines of an INI text as the profile-file rules read them.  Every reader of the layout
// goes through here, so that what one takes for a readable line no other takes for damage:
//  - a UTF-8 byte-order mark before the first line is passed over;
//  - a line ends at LF, at CR LF or at CR alone;
//  - blanks (spaces and tabs) around a line, a name, a key or a value do not count;
//  - a line that starts with ";" is a comment;
//  - a line that starts with "[" is a section header, the name running to the first "]"
//    (to the end of the line when it has none) and what follows that "]" not counting;
//  - any other line holding "=" is a key line, and its value loses the quotes (double or
//    single) that wrap it whole.
#pragma once

#include <cstddef>
#include <string_view>

namespace platform {

// Where the first line of `text` starts: after its byte-order mark, if any.
std::size_t IniTextStart(std::string_view text);

// The line of `text` that starts at `begin`: its content ends at `end`, before its line
// break, and the next line starts at `next` (the end of the text when it has no line break).
struct IniLineBounds {
  std::size_t end;
  std::size_t next;
};
IniLineBounds IniLineAt(std::string_view text, std::size_t begin);

bool IsIniLineBreak(char c);

struct IniLine {
  enum class Kind { Ignored, Header, Key, Other };  // Ignored: blank or comment
  Kind kind = Kind::Ignored;
  std::string_view name;  // the section name of a header, the key of a key line
  std::string_view value;  // the value of a key line
  bool closed = false;     // a header whose name ends at "]"
};
// What the reader takes `line` (without its line break) for.
IniLine ReadIniLine(std::string_view line);

std::string_view TrimmedIniText(std::string_view text);

// Section and key names are one name whatever the case of their ASCII letters: this gives
// the one form that all spellings of a letter share.
inline char FoldedIniChar(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c;
}
// Whether two names are one, and a hash that all spellings of a name share.
inline bool SameIniName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldedIniChar(a[i]) != FoldedIniChar(b[i])) return false;
  }
  return true;
}
inline std::size_t FoldedIniHash(std::string_view name) {
  std::size_t hash = 14695981039346656037u;  // FNV-1a
  for (char c : name) {
    hash = (hash ^ static_cast<unsigned char>(FoldedIniChar(c))) * 1099511628211u;
  }
  return hash;
}

}  // namespace platform
