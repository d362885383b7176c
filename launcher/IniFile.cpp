#include "launcher/IniFile.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace zelmar {
namespace {

// Cuts blanks (spaces, tabs, stray carriage returns) from both ends of a piece of text.
std::string_view Trim(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\v' || c == '\f'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// Compares two names the way the profile calls do: ASCII letters without regard to case.
bool SameName(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// Returns the section name of a header line ("[ name ]"), or nothing for any other line.
std::optional<std::string_view> HeaderName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[') return std::nullopt;
  const std::size_t close = line.find(']');
  if (close == std::string_view::npos) return std::nullopt;
  return Trim(line.substr(1, close - 1));
}

// Returns the key name of a "key = value" line, or nothing for comments and other lines.
std::optional<std::string_view> KeyName(std::string_view line) {
  const std::string_view trimmed = Trim(line);
  if (trimmed.empty() || trimmed.front() == ';' || trimmed.front() == '#') return std::nullopt;
  const std::size_t eq = trimmed.find('=');
  if (eq == std::string_view::npos) return std::nullopt;
  return Trim(trimmed.substr(0, eq));
}

// Returns the value part of a key line with blanks and one pair of enclosing quotes removed.
std::string ValueOf(std::string_view line) {
  std::string_view value = Trim(line.substr(line.find('=') + 1));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return std::string(value);
}

}  // namespace

void IniFile::Parse(std::string_view text) {
  lines_.clear();
  eol_ = "\n";
  byteOrderMark_ = text.starts_with("\xEF\xBB\xBF");
  if (byteOrderMark_) text.remove_prefix(3);
  const std::size_t firstBreak = text.find('\n');
  if (firstBreak != std::string_view::npos && firstBreak > 0 && text[firstBreak - 1] == '\r') {
    eol_ = "\r\n";
  }
  while (!text.empty()) {
    const std::size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    // Carriage returns at a line's end belong to its break (the readers trim them either way): all of them
    // go, so that a file with stray ones reads the same after every save, not one fewer each time.
    while (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    lines_.emplace_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
}

long IniFile::FindSection(std::string_view section) const {
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const auto name = HeaderName(lines_[i]);
    if (name && SameName(*name, Trim(section))) return static_cast<long>(i);
  }
  return -1;
}

std::size_t IniFile::SectionEnd(std::size_t header) const {
  std::size_t i = header + 1;
  while (i < lines_.size() && !HeaderName(lines_[i])) ++i;
  return i;
}

std::optional<std::string> IniFile::Read(std::string_view section, std::string_view key) const {
  const long header = FindSection(section);
  if (header < 0) return std::nullopt;
  const std::size_t end = SectionEnd(static_cast<std::size_t>(header));
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
    const auto name = KeyName(lines_[i]);
    if (name && SameName(*name, Trim(key))) return ValueOf(lines_[i]);
  }
  return std::nullopt;
}

void IniFile::Write(std::string_view section, std::string_view key, std::string_view value) {
  std::string line = std::string(Trim(key)) + "=" + std::string(value);
  const long header = FindSection(section);
  if (header < 0) {
    // 1. No such section: start one at the end, a blank line apart from what is there.
    if (!lines_.empty() && !Trim(lines_.back()).empty()) lines_.emplace_back();
    lines_.push_back("[" + std::string(Trim(section)) + "]");
    lines_.push_back(std::move(line));
    return;
  }
  // 2. The key exists in the section: rewrite its line where it stands.
  const std::size_t end = SectionEnd(static_cast<std::size_t>(header));
  for (std::size_t i = static_cast<std::size_t>(header) + 1; i < end; ++i) {
    const auto name = KeyName(lines_[i]);
    if (name && SameName(*name, Trim(key))) {
      lines_[i] = std::move(line);
      return;
    }
  }
  // 3. A new key goes after the section's last non-blank line, before the blanks that part it
  //    from the next section.
  std::size_t at = end;
  while (at > static_cast<std::size_t>(header) + 1 && Trim(lines_[at - 1]).empty()) --at;
  lines_.insert(lines_.begin() + static_cast<long>(at), std::move(line));
}

std::string IniFile::Text() const {
  std::string text = byteOrderMark_ ? "\xEF\xBB\xBF" : "";
  for (const std::string& line : lines_) text += line + eol_;
  return text;
}

std::optional<int> ParseIniInteger(std::string_view text) {
  text = Trim(text);
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || !std::isdigit(static_cast<unsigned char>(text.front()))) return std::nullopt;
  }
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace zelmar
