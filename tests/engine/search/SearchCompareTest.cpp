// The engine's search against the plain reference: same best move, score and node count on the
// benchmark list and on positions taken from random games, in standard chess and in Zelmar mode.
#include <gtest/gtest.h>

#include <algorithm>
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

// Plays a random legal game with the engine's own generator and collects a position every few plies,
// or every position with the side to move in check.
std::vector<TSearchRoot> RandomGamePositions(unsigned seed, bool zelmar, int wanted,
                                             bool checksOnly = false) {
  std::mt19937 rng(seed);
  std::vector<TSearchRoot> out;
  auto board = std::make_unique<TSearchBoard>();
  board->SetZelmarMode(zelmar);
  TSearchRoot start = testing::Root("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 1, zelmar);
  board->LoadRoot(start);
  while (static_cast<int>(out.size()) < wanted) {
    board->GenerateMoves();
    std::vector<TSearchMove> legal;
    for (int i = board->ListBegin(); i < board->ListFinish(); ++i) {
      if (board->DoMove(board->Entries()[i].Move)) {
        legal.push_back(board->Entries()[i].Move);
        board->UndoMove();
      }
    }
    if (legal.empty() || board->CurrentPly() >= 60) {
      // Game over or long enough: start another game.
      board->LoadRoot(start);
      continue;
    }
    board->DoMove(legal[rng() % legal.size()]);
    if (checksOnly ? board->InCheck(board->SideToMove()) : rng() % 4 == 0) {
      const int depth = 1 + static_cast<int>(out.size()) % 5;
      out.push_back(board->CurrentRoot(depth));
    }
  }
  return out;
}

// The picking order by its definition: at each place, the first best-scored of the remaining entries
// is swapped into it.
std::vector<TScoredMove> PlainPickOrder(std::vector<TScoredMove> list) {
  for (std::size_t i = 0; i < list.size(); ++i) {
    std::size_t best = i;
    for (std::size_t j = i + 1; j < list.size(); ++j)
      if (list[j].Score > list[best].Score) best = j;
    std::swap(list[i], list[best]);
  }
  return list;
}

// Picks every entry of the current list through the search and expects the plain order.
void ExpectPlainPickOrder(TChessSearch& s, const std::string& label) {
  std::vector<TScoredMove> listed;
  for (int i = s.ListBegin(); i < s.ListFinish(); ++i) listed.push_back(s.ListEntry(i));
  const std::vector<TScoredMove> expected = PlainPickOrder(listed);
  for (int i = s.ListBegin(); i < s.ListFinish(); ++i) {
    const TScoredMove& e = expected[static_cast<std::size_t>(i - s.ListBegin())];
    const TScoredMove& picked = s.PickEntry(i);
    ASSERT_TRUE(picked.Move == e.Move && picked.Score == e.Score) << label << " place " << i - s.ListBegin();
  }
}

// Full and capture lists of positions from random games, with the scores a fresh search gives (many
// ties among quiet moves) and after a search has filled the history table (few ties).
TEST(SearchCompare, PickingFollowsThePlainOrder) {
  for (bool zelmar : {false, true}) {
    for (const TSearchRoot& root : RandomGamePositions(99u + zelmar, zelmar, 40)) {
      auto s = std::make_unique<TChessSearch>();
      s->SetZelmarMode(zelmar);
      const std::string label = FenFromRoot(root);
      for (bool searched : {false, true}) {
        if (searched) {
          TSearchRoot shallow = root;
          shallow.Depth = 3;
          s->RunSearch(shallow);
        } else {
          s->LoadRoot(root);
        }
        s->GenerateMoves();
        ExpectPlainPickOrder(*s, label + " moves");
        s->GenerateCaptures();
        ExpectPlainPickOrder(*s, label + " captures");
      }
    }
  }
}

// In check, off the best line, the search writes only the moves that may answer the check and counts
// the whole list. Along random games (positions in check, and others, where every move but castling
// is listed), before and after a search has filled the history table: the count is the whole list's
// length, the answers are entries of the whole list with their scores, and every entry left out is
// one the board refuses.
TEST(SearchCompare, InCheckTheAnswersAreTheWholeListsLegalMoves) {
  for (bool zelmar : {false, true}) {
    std::vector<TSearchRoot> roots = RandomGamePositions(7u + zelmar, zelmar, 150, true);
    for (const TSearchRoot& root : RandomGamePositions(17u + zelmar, zelmar, 60)) roots.push_back(root);
    for (const TSearchRoot& root : roots) {
      auto s = std::make_unique<TChessSearch>();
      s->SetZelmarMode(zelmar);
      TSearchRoot shallow = root;
      shallow.Depth = 2;
      s->RunSearch(shallow);
      const std::string label = FenFromRoot(root);
      const bool inCheck = s->InCheck(s->SideToMove());
      s->GenerateMoves();
      std::vector<TScoredMove> whole;
      for (int i = s->ListBegin(); i < s->ListFinish(); ++i) whole.push_back(s->ListEntry(i));
      ASSERT_EQ(s->ListEvasions(), static_cast<int>(whole.size())) << label;
      std::vector<TScoredMove> answers;
      for (int i = s->ListBegin(); i < s->ListFinish(); ++i) answers.push_back(s->ListEntry(i));
      const auto refused = [&](TSearchMove m) {
        if (!s->DoMove(m)) return true;
        s->UndoMove();
        return false;
      };
      for (const TScoredMove& w : whole) {
        const auto same = [&](const TScoredMove& a) { return a.Move == w.Move; };
        const auto found = std::find_if(answers.begin(), answers.end(), same);
        if (found != answers.end()) {
          EXPECT_EQ(found->Score, w.Score) << label << " " << MoveToText(w.Move);
          answers.erase(found);
        } else if (inCheck ? !refused(w.Move) : !(w.Move.Flags & mfCastle)) {
          ADD_FAILURE() << label << ": " << MoveToText(w.Move) << " left out";
        }
      }
      for (const TScoredMove& a : answers)
        ADD_FAILURE() << label << ": " << MoveToText(a.Move) << " not listed";
    }
  }
}

// Near the list's bound the whole list is cut, and every later list begins where the whole lists
// before it end: positions in check searched from a list that begins close to the bound agree with
// the reference.
TEST(SearchCompare, InCheckNearTheListsBoundAgreesWithReference) {
  for (bool zelmar : {false, true}) {
    for (const TSearchRoot& root : RandomGamePositions(31u + zelmar, zelmar, 30, true)) {
      auto fast = std::make_unique<TChessSearch>();
      fast->SetZelmarMode(zelmar);
      auto plain = std::make_unique<reference::TReferenceSearch>();
      plain->SetZelmarMode(zelmar);
      for (int room : {4, 30, 90, 160}) {
        fast->LoadRoot(root);
        plain->LoadRoot(root);
        fast->SetListBegin(MaxMoveList - room);
        plain->SetListBegin(MaxMoveList - room);
        const std::string label = FenFromRoot(root) + " room " + std::to_string(room);
        EXPECT_EQ(fast->SearchAtPly(0, 2), plain->SearchAtPly(0, 2)) << label;
        EXPECT_EQ(fast->Nodes(), plain->Nodes()) << label;
      }
    }
  }
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
