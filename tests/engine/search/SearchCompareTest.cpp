// The engine's search against the plain reference: same best move, score and node count on the
// benchmark list and on positions taken from random games, in standard chess and in Zelmar mode.
#include <gtest/gtest.h>

#include <memory>
#include <random>

#include "engine/bench/BenchPositions.h"
#include "engine/bench/ReferenceSearch.h"
#include "engine/search/ChessSearch.h"
#include "engine/search/SearchRootText.h"
#include "tests/engine/search/SearchTestUtil.h"

namespace zelmar {
namespace {

// Searches the root with both and expects identical results.
void ExpectSameSearch(const TSearchRoot& root, const std::string& label) {
  auto fast = std::make_unique<TChessSearch>();
  auto plain = std::make_unique<reference::TReferenceSearch>();
  fast->SetZelmarMode(root.ZelmarMode);
  plain->SetZelmarMode(root.ZelmarMode);
  fast->RunSearch(root);
  plain->RunSearch(root);
  EXPECT_EQ(MoveToText(fast->BestMove()), MoveToText(plain->BestMove())) << label;
  EXPECT_EQ(fast->LastScore(), plain->LastScore()) << label;
  EXPECT_EQ(fast->Nodes(), plain->Nodes()) << label;
}

TEST(SearchCompare, BenchListAgreesWithReference) {
  for (const TBenchPosition& p : BenchPositions()) {
    for (bool zelmar : {false, true}) {
      const int depth = std::min(zelmar ? p.ZelmarDepth : p.Depth, 4);
      ExpectSameSearch(testing::Root(p.Fen, depth, zelmar), std::string(p.Fen) + (zelmar ? " zelmar" : ""));
    }
  }
}

// Plays a random legal game with the engine's own generator and collects a position every few plies.
std::vector<TSearchRoot> RandomGamePositions(unsigned seed, bool zelmar, int wanted) {
  std::mt19937 rng(seed);
  std::vector<TSearchRoot> out;
  auto board = std::make_unique<TChessSearch>();
  board->SetZelmarMode(zelmar);
  TSearchRoot start = testing::Root("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 1, zelmar);
  board->LoadRoot(start);
  while (static_cast<int>(out.size()) < wanted) {
    board->GenerateMoves();
    std::vector<TSearchMove> legal;
    for (int i = board->ListBegin(); i < board->ListFinish(); ++i) {
      if (board->DoMove(board->ListEntry(i).Move)) {
        legal.push_back(board->ListEntry(i).Move);
        board->UndoMove();
      }
    }
    if (legal.empty() || board->CurrentPly() >= 60) {
      // Game over or long enough: start another game.
      board->LoadRoot(start);
      continue;
    }
    board->DoMove(legal[rng() % legal.size()]);
    if (rng() % 4 == 0) {
      const int depth = 1 + static_cast<int>(out.size()) % 5;
      out.push_back(board->CurrentRoot(depth));
    }
  }
  return out;
}

class SearchCompareRandom : public ::testing::TestWithParam<int> {};

TEST_P(SearchCompareRandom, RandomGamePositionsAgreeWithReference) {
  const bool zelmar = GetParam() % 2 == 1;
  for (const TSearchRoot& root : RandomGamePositions(1234u + GetParam(), zelmar, 25)) {
    ExpectSameSearch(root,
                     FenFromRoot(root) + " depth " + std::to_string(root.Depth) + (zelmar ? " zelmar" : ""));
  }
}

// Eight groups of 25 positions, four in each mode.
INSTANTIATE_TEST_SUITE_P(Games, SearchCompareRandom, ::testing::Range(0, 8));

}  // namespace
}  // namespace zelmar
