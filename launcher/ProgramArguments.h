// The program's command line: at most one game file to open, and --help.
#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace zelmar {

// The one line that says how the program is started.
inline constexpr std::string_view kUsageLine = "usage: zelmar-chess [--help] [FILE.pgn]";

// What the command line asks for.
struct ProgramArguments {
  bool Help = false;                          // --help: print the usage and end
  std::optional<std::filesystem::path> Game;  // the PGN file whose last game is opened
  std::string Error;                          // why the command line is refused; empty when it is not
};

// Reads the arguments after the program's name. "--" ends the options, so that a file whose name starts
// with a dash can be named; any other argument starting with a dash is refused, and so is a second file.
ProgramArguments ParseProgramArguments(std::span<const char* const> arguments);

}  // namespace zelmar
