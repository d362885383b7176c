#include "launcher/GameOptions.h"

#include <string>

#include "engine/SearchLevel.h"
#include "launcher/GameFolders.h"
#include "launcher/IniFile.h"
#include "launcher/Languages.h"
#include "launcher/TextFile.h"

namespace zelmar {
namespace {

// clang-format off
constexpr OptionKey kKeys[] = {
    {"Army", &GameOptions::Army, 1, 1, 2},
    {"Mode", &GameOptions::Mode, 2, 1, 2},
    {"Depth", &GameOptions::Depth, 3, kLowestLevel, kHighestLevel},
    {"Background", &GameOptions::Background, 1, 1, 2},
    {"Classic", &GameOptions::Classic, 2, 1, 3},
    {"Board", &GameOptions::Board, 2, 2, 3},
    {"Music", &GameOptions::Music, 1, 1, 2},
    {"Sound", &GameOptions::Sound, 1, 1, 2},
    {"Inversion", &GameOptions::Inversion, 2, 1, 2},
    {"Priority", &GameOptions::Priority, 1, 1, 3},
    {"Lang", &GameOptions::Lang, kFirstLanguage, kFirstLanguage, kLanguageCount},
};
// clang-format on

}  // namespace

std::span<const OptionKey> OptionKeys() {
  return kKeys;
}

std::filesystem::path ConfigFilePath() {
  return FindGameFolders().ConfigFile;
}

void LoadOptions(GameOptions& options, const std::filesystem::path& file) {
  IniFile ini;
  std::string text;
  if (ReadTextFile(file, text) == ReadResult::rrRead) ini.Parse(text);
  for (const OptionKey& key : kKeys) {
    std::int32_t value = key.Default;
    if (const auto raw = ini.Read(kOptionsSection, key.Name)) {
      const auto number = ParseIniInteger(*raw);
      if (number && *number >= key.Min && *number <= key.Max) value = *number;
    }
    options.*key.Field = value;
  }
}

bool SaveOptions(const GameOptions& options, const std::filesystem::path& file) {
  // Never rewrite a file we could not read: its other contents would be lost.
  std::string text;
  const ReadResult read = ReadTextFile(file, text);
  if (read == ReadResult::rrFailed) return false;
  // The per-user settings folder does not exist before the first save.
  if (read == ReadResult::rrMissing && !MakeFolders(file.parent_path())) return false;
  IniFile ini;
  ini.Parse(text);
  for (const OptionKey& key : kKeys) {
    ini.Write(kOptionsSection, key.Name, std::to_string(options.*key.Field));
  }
  return ReplaceTextFile(file, ini.Text());
}

void LoadOptions(GameOptions& options) {
  LoadOptions(options, ConfigFilePath());
}

bool SaveOptions(const GameOptions& options) {
  return SaveOptions(options, ConfigFilePath());
}

}  // namespace zelmar
