// Fuzz target: the settings file reader and writer on arbitrary file text. Whatever the text, the twelve
// keys written into it read back as written, the first value of another section's key is kept, and a
// second write of the same values changes nothing.
#include <cstdint>
#include <string>
#include <string_view>

#include "launcher/GameOptions.h"
#include "launcher/IniFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  zelmar::IniFile ini;
  ini.Parse(text);
  // 1. Every key reads as nothing or as a trimmed value; a number is whole and decimal.
  for (const zelmar::OptionKey& key : zelmar::OptionKeys()) {
    if (const auto value = ini.Read(zelmar::kOptionsSection, key.Name)) {
      if (const auto number = zelmar::ParseIniInteger(*value)) {
        if (std::to_string(*number).empty()) __builtin_trap();
      }
    }
  }
  const auto other = ini.Read("Mine", "Keep");
  // 2. The keys written as the game saves them read back, and the other section's key is untouched.
  for (const zelmar::OptionKey& key : zelmar::OptionKeys())
    ini.Write(zelmar::kOptionsSection, key.Name, std::to_string(key.Max));
  const std::string saved = ini.Text();
  zelmar::IniFile again;
  again.Parse(saved);
  for (const zelmar::OptionKey& key : zelmar::OptionKeys()) {
    const auto value = again.Read(zelmar::kOptionsSection, key.Name);
    if (!value || zelmar::ParseIniInteger(*value) != key.Max) __builtin_trap();
  }
  if (again.Read("Mine", "Keep") != other) __builtin_trap();
  // 3. Saving the same values again gives the same file.
  for (const zelmar::OptionKey& key : zelmar::OptionKeys())
    again.Write(zelmar::kOptionsSection, key.Name, std::to_string(key.Max));
  if (again.Text() != saved) __builtin_trap();
  return 0;
}
