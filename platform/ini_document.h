// One INI text, parsed once, read with the profile-file rules the data file relies on: a
// byte-order mark is passed over, a line ends at LF, CR LF or CR alone, a value loses the
// quotes that wrap it whole, section and key names are compared without regard to (ASCII)
// letter case, the first matching section and the first matching key win, and sections are
// listed in file order.  The damage check splits and reads the lines with the same code, so
// that no line read here is taken for damage and left out by the next write.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string text);

  // Values point into the document's own text, so it stays where it was built.
  IniDocument(const IniDocument&) = delete;
  IniDocument& operator=(const IniDocument&) = delete;

  // The value of `key` in `section`; nothing when either is missing.  Sections are found by
  // a scan of their names, which are kept side by side: cheap next to reading the file, but
  // a loop over many sections should walk them with SectionName and SectionValue instead.
  std::optional<std::string_view> Value(std::string_view section, std::string_view key) const;
  // The value of `key` in the section at `sectionIndex` (in file order).
  std::optional<std::string_view> SectionValue(std::size_t sectionIndex,
                                               std::string_view key) const;

  // Section names in file order, repeated names included.
  std::size_t SectionCount() const { return sections_.size(); }
  std::string_view SectionName(std::size_t index) const;

  // The text with `key` of `section` set to `value`: the first matching key line is
  // rewritten, else the key goes after the section's last line, else a new section is
  // appended.  Lines are ended as the text ends its first line ("\n" when it has none).  The
  // text's byte-order mark is left out.
  std::string WithValue(std::string_view section, std::string_view key,
                        std::string_view value) const;

  const std::string& Text() const { return text_; }

 private:
  struct Section {
    std::size_t nameBegin;  // in names_
    std::size_t nameLength;
    std::size_t bodyBegin;  // first character after the header line
    std::size_t bodyEnd;    // start of the next header line, or the end of the text
  };
  struct KeyLine {
    std::size_t begin;  // start of the line
    std::size_t end;    // end of its content, before the line break
    std::string_view value;
  };

  void Parse();
  const Section* FindSection(std::string_view name) const;
  std::optional<KeyLine> FindKey(const Section& section, std::string_view key) const;
  std::string_view LineBreak() const;

  std::string text_;
  std::size_t start_ = 0;  // of the first line, after the byte-order mark
  // The section names side by side: walking them touches a small part of the memory that
  // walking them in the text would.
  std::string names_;
  std::vector<Section> sections_;
};

}  // namespace platform
