#include "platform/ini_document.h"

#include <cstring>

namespace platform {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r'; }

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (Folded(a[i]) != Folded(b[i])) return false;
  }
  return true;
}

// End of the line that starts at `begin`: its line break, or the end of the text.
std::size_t LineEnd(const std::string& text, std::size_t begin) {
  const void* found = std::memchr(text.data() + begin, '\n', text.size() - begin);
  return found ? static_cast<std::size_t>(static_cast<const char*>(found) - text.data())
               : text.size();
}

}  // namespace

IniDocument::IniDocument(std::string text) : text_(std::move(text)) {
  Parse();
}

void IniDocument::Parse() {
  std::size_t begin = 0;
  while (begin < text_.size()) {
    std::size_t end = LineEnd(text_, begin);
    std::size_t next = end < text_.size() ? end + 1 : end;
    std::string_view line = Trimmed(std::string_view(text_).substr(begin, end - begin));
    if (!line.empty() && line.front() == '[') {
      if (!sections_.empty()) sections_.back().bodyEnd = begin;
      std::string_view name = line.substr(1);
      name = Trimmed(name.substr(0, name.find(']')));
      sections_.push_back({names_.size(), name.size(), next, text_.size()});
      names_.append(name);
    }
    begin = next;
  }
}

std::string_view IniDocument::SectionName(std::size_t index) const {
  const Section& section = sections_[index];
  return std::string_view(names_).substr(section.nameBegin, section.nameLength);
}

// A plain scan: the program looks sections up by name only for its few settings and for
// each change it writes, which rewrites the whole file anyway.
const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  name = Trimmed(name);
  for (const Section& section : sections_) {
    if (section.nameLength == name.size() &&
        SameName(std::string_view(names_).substr(section.nameBegin, section.nameLength), name)) {
      return &section;
    }
  }
  return nullptr;
}

std::optional<IniDocument::KeyLine> IniDocument::FindKey(const Section& section,
                                                         std::string_view key) const {
  key = Trimmed(key);
  std::size_t begin = section.bodyBegin;
  while (begin < section.bodyEnd) {
    std::size_t end = LineEnd(text_, begin);
    std::string_view line = Trimmed(std::string_view(text_).substr(begin, end - begin));
    std::size_t equals = line.find('=');
    if (!line.empty() && line.front() != ';' && equals != std::string_view::npos &&
        SameName(Trimmed(line.substr(0, equals)), key)) {
      std::string_view value = Trimmed(line.substr(equals + 1));
      if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
          value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
      }
      std::size_t contentEnd = end;
      if (contentEnd > begin && text_[contentEnd - 1] == '\r') --contentEnd;
      return KeyLine{begin, contentEnd, value};
    }
    begin = end + 1;
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
  std::size_t end = text_.find('\n');
  return end != std::string::npos && end > 0 && text_[end - 1] == '\r' ? "\r\n" : "\n";
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
    result = text_;
    if (!result.empty() && result.back() != '\n') result.append(lineBreak);
    result.append("[").append(section).append("]").append(lineBreak);
    result.append(keyLine).append(lineBreak);
    return result;
  }

  if (std::optional<KeyLine> line = FindKey(*found, key)) {
    result.append(text_, 0, line->begin);
    result.append(keyLine);
    result.append(text_, line->end);
    return result;
  }

  // After the section's last line that is not blank, so that the blank lines before the
  // next section stay where they are.
  std::size_t insert = found->bodyBegin;
  std::size_t begin = found->bodyBegin;
  while (begin < found->bodyEnd) {
    std::size_t end = LineEnd(text_, begin);
    std::size_t next = end < text_.size() ? end + 1 : end;
    if (!Trimmed(std::string_view(text_).substr(begin, end - begin)).empty()) insert = next;
    begin = next;
  }
  result.append(text_, 0, insert);
  if (insert > 0 && text_[insert - 1] != '\n') result.append(lineBreak);
  result.append(keyLine).append(lineBreak);
  result.append(text_, insert);
  return result;
}

}  // namespace platform
