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

std::uint64_t FoldedHash(std::string_view name) {
  std::uint64_t hash = 1469598103934665603ull;  // FNV-1a
  for (char c : name) {
    hash ^= static_cast<unsigned char>(Folded(c));
    hash *= 1099511628211ull;
  }
  return hash;
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
  IndexSections();
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
      sections_.push_back({static_cast<std::size_t>(name.data() - text_.data()), name.size(),
                           next, text_.size()});
    }
    begin = next;
  }
}

void IniDocument::IndexSections() {
  std::size_t capacity = 16;
  while (capacity < sections_.size() * 2) capacity *= 2;
  slots_.assign(capacity, 0);
  for (std::size_t i = 0; i < sections_.size(); ++i) {
    std::string_view name = SectionName(i);
    std::size_t slot = FoldedHash(name) & (capacity - 1);
    while (slots_[slot] != 0 && !SameName(SectionName(slots_[slot] - 1), name)) {
      slot = (slot + 1) & (capacity - 1);
    }
    if (slots_[slot] == 0) slots_[slot] = static_cast<std::uint32_t>(i + 1);  // first wins
  }
}

std::string_view IniDocument::SectionName(std::size_t index) const {
  const Section& section = sections_[index];
  return std::string_view(text_).substr(section.nameBegin, section.nameLength);
}

const IniDocument::Section* IniDocument::FindSection(std::string_view name) const {
  if (slots_.empty()) return nullptr;
  name = Trimmed(name);
  std::size_t mask = slots_.size() - 1;
  for (std::size_t slot = FoldedHash(name) & mask; slots_[slot] != 0; slot = (slot + 1) & mask) {
    if (SameName(SectionName(slots_[slot] - 1), name)) return &sections_[slots_[slot] - 1];
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
