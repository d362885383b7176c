// Fuzz target: the PGN reader on arbitrary text. Whatever the text, every game it accepts is written back
// in lines of at most 80 characters, reads back as the same game, and replays on a board to the same line.
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "engine/ChessBrd.h"
#include "engine/notation/GameRecord.h"
#include "engine/notation/Pgn.h"

using namespace zelmar;

// Stops the run at a broken promise, naming its line.
#define PGN_CHECK(condition)                                           \
  do {                                                                 \
    if (!(condition)) {                                                \
      std::fprintf(stderr, "fuzz_pgn: failed at line %d\n", __LINE__); \
      __builtin_trap();                                                \
    }                                                                  \
  } while (false)

namespace {

bool SameMoves(const TGameRecord& a, const TGameRecord& b) {
  if (a.Moves.size() != b.Moves.size()) return false;
  for (std::size_t k = 0; k < a.Moves.size(); ++k) {
    const TGameMove& x = a.Moves[k];
    const TGameMove& y = b.Moves[k];
    if (x.From != y.From || x.To != y.To || x.Promotion != y.Promotion || x.San != y.San) return false;
  }
  return true;
}

bool LinesFit(std::string_view text) {
  std::size_t length = 0;
  for (char c : text) {
    length = c == '\n' ? 0 : length + 1;
    if (length > 80) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  for (const TPgnGame& read : ReadPgn(text)) {
    PGN_CHECK(read.FirstLine >= 1);
    if (!read.Game) {
      PGN_CHECK(!read.Error.empty());
      continue;
    }
    const TGameRecord& game = *read.Game;
    // 1. Written back, it fits the lines and reads back as one game with the same moves, end and result.
    const std::string written = WritePgn(game);
    PGN_CHECK(LinesFit(written));
    const std::vector<TPgnGame> again = ReadPgn(written);
    PGN_CHECK(again.size() == 1 && again[0].Game);
    const TGameRecord& back = *again[0].Game;
    PGN_CHECK(SameMoves(game, back) && back.End == game.End && back.Result == game.Result);
    PGN_CHECK(back.Zelmar == game.Zelmar && back.Tags.size() >= game.Tags.size());
    // 2. Played on a board it is the same line again.
    TChessBrd board;
    std::string error;
    PGN_CHECK(PlayRecord(game, board, &error));
    const TGameRecord replayed = RecordFromBoard(board, &game);
    PGN_CHECK(SameMoves(game, replayed) && replayed.End == game.End);
  }
  return 0;
}
