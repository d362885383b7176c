// An INI document read and written the way the desktop's private-profile calls treat such files.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zelmar {

// Holds the lines of one INI file. Sections and keys are matched without regard to case, blanks
// around names and values are ignored, the first section and key of a name win, and every line the
// caller does not write (other sections, other keys, comments) comes back out unchanged.
class IniFile {
 public:
  // Replaces the document with the given file text (LF or CRLF lines, an optional UTF-8 mark).
  void Parse(std::string_view text);

  // Returns the value of `key` in `section`, trimmed and unquoted, or nothing when either is absent.
  std::optional<std::string> Read(std::string_view section, std::string_view key) const;

  // Sets `key` in `section`: rewrites its line in place, or appends it at the end of the section,
  // or appends a new section at the end of the document.
  void Write(std::string_view section, std::string_view key, std::string_view value);

  // Returns the document as file text, in the line ending style it was read with.
  std::string Text() const;

 private:
  // Returns the index of the first header line of `section`, or -1.
  long FindSection(std::string_view section) const;
  // Returns the index one past the last line that belongs to the section headed at `header`.
  std::size_t SectionEnd(std::size_t header) const;

  std::vector<std::string> lines_;
  std::string eol_ = "\n";
  bool byteOrderMark_ = false;
};

// Reads a whole decimal integer (optional sign, nothing else but surrounding blanks) that fits in
// 32 bits; anything else gives nothing.
std::optional<int> ParseIniInteger(std::string_view text);

}  // namespace zelmar
