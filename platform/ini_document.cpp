#include "platform/ini_document.h"

#include "platform/ini_line.h"

namespace platform {

IniDocument::IniDocument(std::string text)
    : text_(std::move(text)), start_(IniTextStart(text_)) {
  Parse();
}

void IniDocument::Parse() {
  for (std::size_t begin = start_; begin < text_.size();) {
    const IniLineBounds line = IniLineAt(text_, begin);
    const std::string_view text = std::string_view(text_).substr(begin, line.end - begin);
    // Most lines are key lines, which this pass has no use for.
    if (TrimmedIniText(text).starts_with('[')) {
      const IniLine header = ReadIniLine(text);
      if (!sections_.empty()) sections_.back().bodyEnd = begin;
      sections_.push_back({names_.size(), header.name.size(), line.next, text_.size()});
      names_.append(header.name);
    }
    begin = line.next;
  }
}

std::string_view IniDocument::SectionName(std::size_t index) const {
  const Section& section = sections_[index];
  return std::string_view(names_).substr(section.nameBegin, section.nameLength);
}

// A plain scan: the program looks sections up by name only for its few settings and for
// each change it writes, which rewrites the whole file anyway.
const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  name = TrimmedIniText(name);
  for (const Section& section : sections_) {
    if (section.nameLength == name.size() &&
        SameIniName(std::string_view(names_).substr(section.nameBegin, section.nameLength), name)) {
      return &section;
    }
  }
  return nullptr;
}

std::optional<IniDocument::KeyLine> IniDocument::FindKey(const Section& section,
                                                         std::string_view key) const {
  key = TrimmedIniText(key);
  for (std::size_t begin = section.bodyBegin; begin < section.bodyEnd;) {
    const IniLineBounds line = IniLineAt(text_, begin);
    const IniLine read = ReadIniLine(std::string_view(text_).substr(begin, line.end - begin));
    if (read.kind == IniLine::Kind::Key && SameIniName(read.name, key)) {
      return KeyLine{begin, line.end, read.value};
    }
    begin = line.next;
  }
  return std::nullopt;
}

std::optional<std::string_view> IniDocument::Value(std::string_view section,
                                                   std::string_view key) const {
  const Section* found = FindSection(section);
  if (!found) return std::nullopt;
  std::optional<KeyLine> line = FindKey(*found, key);
  if (!line) return std::nullopt;
  return line->value;
}

std::optional<std::string_view> IniDocument::SectionValue(std::size_t sectionIndex,
                                                          std::string_view key) const {
  std::optional<KeyLine> line = FindKey(sections_[sectionIndex], key);
  if (!line) return std::nullopt;
  return line->value;
}

std::string_view IniDocument::LineBreak() const {
  const IniLineBounds first = IniLineAt(text_, start_);
  if (first.next - first.end == 2) return "\r\n";
  return first.next > first.end && text_[first.end] == '\r' ? "\r" : "\n";
}

std::string IniDocument::WithValue(std::string_view section, std::string_view key,
                                   std::string_view value) const {
  std::string_view lineBreak = LineBreak();
  std::string keyLine;
  keyLine.reserve(key.size() + value.size() + 1);
  keyLine.append(key).append("=").append(value);

  std::string result;
  result.reserve(text_.size() + section.size() + keyLine.size() + 8);
  const Section* found = FindSection(section);
  if (!found) {
    result.append(text_, start_);
    if (!result.empty() && !IsIniLineBreak(result.back())) result.append(lineBreak);
    result.append("[").append(section).append("]").append(lineBreak);
    result.append(keyLine).append(lineBreak);
    return result;
  }

  if (std::optional<KeyLine> line = FindKey(*found, key)) {
    result.append(text_, start_, line->begin - start_);
    result.append(keyLine);
    result.append(text_, line->end);
    return result;
  }

  // After the section's last line that is not blank, so that the blank lines before the
  // next section stay where they are.
  std::size_t insert = found->bodyBegin;
  std::size_t begin = found->bodyBegin;
  while (begin < found->bodyEnd) {
    const IniLineBounds line = IniLineAt(text_, begin);
    if (!TrimmedIniText(std::string_view(text_).substr(begin, line.end - begin)).empty()) {
      insert = line.next;
    }
    begin = line.next;
  }
  result.append(text_, start_, insert - start_);
  if (insert > start_ && !IsIniLineBreak(text_[insert - 1])) result.append(lineBreak);
  result.append(keyLine).append(lineBreak);
  result.append(text_, insert);
  return result;
}

}  // namespace platform
