// The subcommands of the engine's developer tool; each takes the arguments after its name.
#pragma once

#include <span>
#include <string_view>

using CommandArgs = std::span<const std::string_view>;

// board-perft [--zelmar] --depth N "FEN": move-tree count through the board's own operations.
int RunBoardPerft(CommandArgs args);
// moves [--zelmar] "FEN" MOVE...: plays moves and prints every event and the final state.
int RunMoves(CommandArgs args);
