// Command-line options shared by the search subcommands of zelmar-engine.
#pragma once

#include <string>
#include <string_view>

#include "engine/search/SearchDefs.h"
#include "tools/zelmar-engine/Commands.h"

namespace zelmar {

struct TSearchArgs {
  bool Zelmar = false;
  int Depth = -1;
  int MaxMoves = 0;      // play only; 0 = until the game ends
  bool Compare = false;  // bench only
  int Opening = 0;       // play only: seed of a few random opening moves, 0 for none
  std::string_view Fen;
};

// Reads [--zelmar] [--depth N] [--max-moves M] [--opening SEED] [--compare] [FEN] as the command allows; on
// failure returns false with the reason in error.
bool ParseSearchArgs(CommandArgs args, std::string_view allowed, int maxDepth, TSearchArgs& out,
                     std::string& error);

// The search root of a FEN text ("startpos" for the initial position), or false with the reason.
bool RootFromFenArg(std::string_view fen, TSearchRoot& root, std::string& error);

// Prints a usage error of a subcommand to stderr and returns the tool's usage exit code.
int RefuseUsage(const char* command, const std::string& why, const char* usage);

}  // namespace zelmar
