// The subcommands of the engine's developer tool; each takes the arguments after its name.
#pragma once

#include <span>
#include <string_view>

namespace zelmar {

using CommandArgs = std::span<const std::string_view>;

// board-perft [--zelmar] --depth N "FEN": move-tree count through the board's own operations.
int RunBoardPerft(CommandArgs args);
// moves [--zelmar] "FEN" MOVE...: plays moves and prints every event and the final state.
int RunMoves(CommandArgs args);
// perft [--zelmar] --depth N "FEN": move-tree count with the computer player's generator.
int RunPerft(CommandArgs args);
// search [--zelmar] --depth N "FEN": one search by a fresh search object, on one line.
int RunSearch(CommandArgs args);
// bench [--compare]: the benchmark list; node total and speed (and the reference's, compared).
int RunBenchCommand(CommandArgs args);
// play [--zelmar] --depth N [--max-moves M]: the computer plays a whole game against itself.
int RunPlay(CommandArgs args);
// pgn FILE [--write OUT]: reads every game of a PGN file, reports each, and writes the games read back.
int RunPgn(CommandArgs args);
// games [--zelmar] --count N [--first-seed S] [--depth D] --out FILE: self-played games written as PGN.
int RunGames(CommandArgs args);
// annotate [--level N] [--zelmar] [--output OUT] [--quiet] FILE: the games with the computer's judgement.
int RunAnnotate(CommandArgs args);

}  // namespace zelmar
