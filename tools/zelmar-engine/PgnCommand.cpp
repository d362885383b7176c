// pgn: reads every game of a PGN file, reports each one's result or refusal, and writes the games back.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/notation/GameRecord.h"
#include "engine/notation/Pgn.h"
#include "tools/zelmar-engine/BoardFromFen.h"
#include "tools/zelmar-engine/Commands.h"
#include "tools/zelmar-engine/SearchArgs.h"

namespace zelmar {

namespace {

constexpr const char* kUsage = "pgn FILE [--write OUT]";

const char* EndName(TGameEnd end) {
  switch (end) {
    case TGameEnd::Mate:
      return "mate";
    case TGameEnd::Stalemate:
      return "stalemate";
    case TGameEnd::NoMatingMaterial:
      return "no mating material";
    case TGameEnd::ThreefoldRepetition:
      return "threefold repetition";
    case TGameEnd::None:
      break;
  }
  return "not ended by the rules";
}

}  // namespace

// Exit code 0 when every game was read, 1 when one was refused or a file failed.
int RunPgn(CommandArgs args) {
  if (args.empty() || (args.size() != 1 && (args.size() != 3 || args[1] != "--write")))
    return RefuseUsage("pgn", "expected a file name", kUsage);
  const std::string path(args[0]);
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  if (in.is_open()) text << in.rdbuf();
  if (!in.is_open() || in.bad()) {
    std::fprintf(stderr, "zelmar-engine pgn: cannot read %s\n", path.c_str());
    return 1;
  }
  int status = 0;
  std::string written;
  int number = 0;
  for (const TPgnGame& game : ReadPgn(text.str())) {
    ++number;
    if (!game.Game) {
      std::printf("game %d (line %d): refused: %s\n", number, game.FirstLine, game.Error.c_str());
      status = 1;
      continue;
    }
    // The game replayed on a board, to its last position.
    TChessBrd board;
    TGameRecord whole = *game.Game;
    whole.ShownPly = static_cast<int>(whole.Moves.size());
    std::string error;
    if (!PlayRecord(whole, board, &error)) {
      std::printf("game %d (line %d): replay refused: %s\n", number, game.FirstLine, error.c_str());
      status = 1;
      continue;
    }
    std::printf("game %d (line %d): %s, %zu half-moves, %s%s, placement %s\n", number, game.FirstLine,
                game.Game->Result.c_str(), game.Game->Moves.size(), EndName(game.Game->End),
                game.Game->Zelmar ? ", zelmar" : "", FenPlacement(board.GetPosition()).c_str());
    written += WritePgn(*game.Game);
  }
  if (args.size() == 3) {
    const std::string out(args[2]);
    std::ofstream file(out, std::ios::binary | std::ios::trunc);
    file << written;
    file.close();
    if (!file) {
      std::fprintf(stderr, "zelmar-engine pgn: cannot write %s\n", out.c_str());
      return 1;
    }
  }
  return status;
}

}  // namespace zelmar
