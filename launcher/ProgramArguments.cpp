#include "launcher/ProgramArguments.h"

namespace zelmar {

ProgramArguments ParseProgramArguments(std::span<const char* const> arguments) {
  ProgramArguments result;
  bool optionsEnded = false;
  for (const char* raw : arguments) {
    const std::string_view argument(raw ? raw : "");
    if (!optionsEnded && argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (!optionsEnded && argument == "--help") {
      result.Help = true;
      continue;
    }
    if (!optionsEnded && argument.size() > 1 && argument.front() == '-') {
      result.Error = "unknown option '" + std::string(argument) + "'";
      return result;
    }
    if (argument.empty()) {
      result.Error = "an empty file name";
      return result;
    }
    if (result.Game) {
      result.Error = "only one game file can be opened";
      return result;
    }
    result.Game = std::filesystem::path(argument);
  }
  return result;
}

}  // namespace zelmar
