// The fixed games of level-bench and its scripted player.
#include "tools/level-bench/LevelGames.h"

#include <memory>
#include <utility>

#include "engine/BoardRoot.h"
#include "engine/search/ChessSearch.h"

namespace zelmar::levelbench {

namespace {
// Depth of the player's own search, the shallower one it trusts now and then (one turn in this many,
// picked by the game's seed), and how often it plays a legal move picked by the seed instead.
constexpr int kPlayerDepth = 4;
constexpr int kHastyDepth = 2;
constexpr unsigned kHastyTurnEvery = 3;
constexpr unsigned kSeededTurnEvery = 12;

bool ParseMove(const char* text, Square& from, Square& to) {
  const std::string s(text);
  if (s.size() != 4) return false;
  const auto a = ParseSquare(s.substr(0, 2)), b = ParseSquare(s.substr(2, 2));
  if (!a || !b) return false;
  from = *a;
  to = *b;
  return true;
}
}  // namespace

const std::vector<TLevelGame>& LevelGames() {
  static const std::vector<TLevelGame> games = {
      {"king's pawn, open", false, true, {"e2e4", "g1f3", "f1c4", "d2d3"}, 11},
      {"queen's pawn, Zelmar", true, true, {"d2d4", "c2c4", "b1c3", "c1g5"}, 12},
      {"flank, standard", false, true, {"c2c4", "b1c3", "g2g3", "f1g2"}, 13},
      {"knight first, Zelmar", true, true, {"g1f3", "g2g3", "f1g2", "e1g1"}, 14},
      {"answering e4 with e5", false, false, {"e7e5", "b8c6", "g8f6", "f8c5"}, 15},
      {"answering with c5, Zelmar", true, false, {"c7c5", "d7d6", "g8f6", "g7g6"}, 16},
      {"answering with d5 and c6", false, false, {"d7d5", "c7c6", "g8f6", "c8f5"}, 17},
      {"answering with f6 and e6, Zelmar", true, false, {"g8f6", "e7e6", "d7d5", "f8e7"}, 18},
  };
  return games;
}

bool PlayerMove(const TLevelGame& game, int turn, const TChessBrd& board, Square& from, Square& to) {
  // 1. The opening, while its moves are legal here.
  if (turn < static_cast<int>(game.Opening.size()) && ParseMove(game.Opening[turn], from, to) &&
      board.IsLegalMove(from, to))
    return true;
  // 2. The legal moves, in board order.
  std::vector<std::pair<int, int>> legal;
  for (int f = 1; f <= 64; ++f)
    for (int t = 1; t <= 64; ++t)
      if (board.IsLegalMove(SquareOf(f), SquareOf(t))) legal.emplace_back(f, t);
  if (legal.empty()) return false;
  // 3. A seeded pick now and then, otherwise the player's own search, now and then a hasty one.
  std::mt19937 rng(game.Seed * 1000u + static_cast<unsigned>(turn));
  std::pair<int, int> pick = legal[rng() % legal.size()];
  if (rng() % kSeededTurnEvery != 0) {
    auto own = std::make_unique<TChessSearch>();
    own->SetZelmarMode(board.ZelmarMode());
    own->RunSearch(RootFromBoard(board, rng() % kHastyTurnEvery == 0 ? kHastyDepth : kPlayerDepth));
    pick = {own->BestMove().From + 1, own->BestMove().To + 1};
  }
  from = SquareOf(pick.first);
  to = SquareOf(pick.second);
  return true;
}

}  // namespace zelmar::levelbench
