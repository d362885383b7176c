// Generation, make and take-back, ordering and scores of the engine's search on hand-made positions,
// including the positions a loaded board may hold that no game reaches.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "engine/bench/ReferenceSearch.h"
#include "engine/search/ChessSearch.h"
#include "tests/engine/search/SearchTestUtil.h"

namespace zelmar {
namespace {

using testing::ListedMoves;
using testing::Root;

std::unique_ptr<TChessSearch> Loaded(const char* fen, bool zelmar = false) {
  auto s = std::make_unique<TChessSearch>();
  s->SetZelmarMode(zelmar);
  s->LoadRoot(Root(fen, 1, zelmar));
  return s;
}

// Legal moves of the loaded position as text, in generation order.
std::vector<std::string> LegalMoves(TChessSearch& s) {
  s.GenerateMoves();
  std::vector<std::string> out;
  for (int i = s.ListBegin(); i < s.ListFinish(); ++i) {
    if (s.DoMove(s.ListEntry(i).Move)) {
      out.push_back(MoveToText(s.ListEntry(i).Move));
      s.UndoMove();
    }
  }
  return out;
}

bool Has(const std::vector<std::string>& v, const std::string& m) {
  return std::find(v.begin(), v.end(), m) != v.end();
}

TEST(SearchGenerate, InitialPositionListsBothCastlingsThatTakeBackRefuses) {
  auto s = Loaded("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
  s->GenerateMoves();
  const auto listed = ListedMoves(*s);
  EXPECT_EQ(listed.size(), 22u);
  EXPECT_EQ(listed[20], "e1g1");
  EXPECT_EQ(listed[21], "e1c1");
  EXPECT_EQ(LegalMoves(*s).size(), 20u);
}

TEST(SearchGenerate, ZelmarAddsEightKnightJumpsAfterTheQueenLines) {
  auto plain = Loaded("8/8/8/8/3Q4/8/8/8 w - -", false);
  plain->GenerateMoves();
  EXPECT_EQ(plain->ListFinish() - plain->ListBegin(), 27);
  auto zelmar = Loaded("8/8/8/8/3Q4/8/8/8 w - -", true);
  zelmar->GenerateMoves();
  const auto moves = ListedMoves(*zelmar);
  ASSERT_EQ(moves.size(), 35u);
  // The last eight are single knight jumps, in table order (-21, -19, -12, -8, 8, 12, 19, 21).
  const std::vector<std::string> jumps(moves.end() - 8, moves.end());
  EXPECT_EQ(jumps,
            (std::vector<std::string>{"d4c6", "d4e6", "d4b5", "d4f5", "d4b3", "d4f3", "d4c2", "d4e2"}));
}

TEST(SearchGenerate, PromotionsComeAsFourWithTheQueenPickedFirst) {
  auto s = Loaded("4k3/P7/8/8/8/8/8/4K3 w - -");
  s->GenerateMoves();
  const auto moves = ListedMoves(*s);
  ASSERT_GE(moves.size(), 4u);
  EXPECT_EQ(std::vector<std::string>(moves.begin(), moves.begin() + 4),
            (std::vector<std::string>{"a7a8n", "a7a8b", "a7a8r", "a7a8q"}));
  EXPECT_EQ(s->ListEntry(s->ListBegin() + 3).Score, 1000040);
  // A pawn stepping onto the seventh rank is not promoted.
  auto seventh = Loaded("4k3/8/P7/8/8/8/8/4K3 w - -");
  EXPECT_TRUE(Has(LegalMoves(*seventh), "a6a7"));
}

TEST(SearchGenerate, ZelmarKnightJumpGivesCheckAndGuardsCastlingSquares) {
  EXPECT_TRUE(Loaded("4k3/8/8/8/8/3q4/8/4K3 w - -", true)->InCheck(cWhite));
  EXPECT_FALSE(Loaded("4k3/8/8/8/8/3q4/8/4K3 w - -", false)->InCheck(cWhite));
  const char* fen = "4k3/8/8/8/8/6q1/5PP1/4K2R w K -";
  EXPECT_TRUE(Has(LegalMoves(*Loaded(fen, false)), "e1g1"));
  EXPECT_FALSE(Has(LegalMoves(*Loaded(fen, true)), "e1g1"));
}

TEST(SearchGenerate, CastlingRefusals) {
  // In check, a piece between, a crossed square attacked, the target attacked; b1 may be attacked.
  EXPECT_FALSE(Has(LegalMoves(*Loaded("4k3/8/8/8/8/8/4r3/R3K2R w KQ -")), "e1g1"));
  EXPECT_FALSE(Has(LegalMoves(*Loaded("4k3/8/8/8/8/8/8/R3K1NR w KQ -")), "e1g1"));
  EXPECT_FALSE(Has(LegalMoves(*Loaded("4k3/8/8/8/8/8/5r2/R3K2R w KQ -")), "e1g1"));
  EXPECT_FALSE(Has(LegalMoves(*Loaded("4k3/8/8/8/8/8/6r1/R3K2R w KQ -")), "e1g1"));
  EXPECT_TRUE(Has(LegalMoves(*Loaded("4k3/8/8/8/8/8/1r6/R3K2R w KQ -")), "e1c1"));
  EXPECT_FALSE(Has(LegalMoves(*Loaded("4k3/8/8/8/8/8/3r4/R3K2R w KQ -")), "e1c1"));
}

TEST(SearchGenerate, EnPassantRightAfterTheDoubleStepOnly) {
  auto s = Loaded("4k3/8/8/3P4/8/8/8/4K3 b - -");
  // Black plays e7-e5? No pawn there: set one up and play the double step inside the search board.
  s = Loaded("4k3/4p3/8/3P4/8/8/8/4K3 b - -");
  s->GenerateMoves();
  TSearchMove doubleStep{};
  for (int i = s->ListBegin(); i < s->ListFinish(); ++i)
    if (MoveToText(s->ListEntry(i).Move) == "e7e5") doubleStep = s->ListEntry(i).Move;
  ASSERT_TRUE(s->DoMove(doubleStep));
  s->GenerateMoves();
  TSearchMove ep{};
  for (int i = s->ListBegin(); i < s->ListFinish(); ++i)
    if (s->ListEntry(i).Move.Flags & mfEnPassant) ep = s->ListEntry(i).Move;
  EXPECT_EQ(MoveToText(ep), "d5e6");
  ASSERT_TRUE(s->DoMove(ep));
  EXPECT_EQ(s->PieceAt(28), kNone);  // e5 emptied
  EXPECT_EQ(s->PieceAt(20), kPawn);  // e6 holds the capturing pawn
  s->UndoMove();
  EXPECT_EQ(s->PieceAt(28), kPawn);
  EXPECT_EQ(s->ColorAt(28), cBlack);
  // A move later the chance is gone.
  auto later = Loaded("4k3/8/8/3Pp3/8/8/8/4K3 w - -");
  for (const auto& m : LegalMoves(*later)) EXPECT_NE(m, "d5e6");
}

TEST(SearchScores, MateInOneAtDepthOneAndMateInTwo) {
  auto s = std::make_unique<TChessSearch>();
  s->RunSearch(Root("6k1/5ppp/8/8/8/8/8/R5K1 w - -", 1));
  EXPECT_EQ(MoveToText(s->BestMove()), "a1a8");
  EXPECT_EQ(s->LastScore(), 9999);
  s->RunSearch(Root("7k/8/8/8/8/8/8/RR4K1 w - -", 3));
  EXPECT_EQ(s->LastScore(), 9997);
}

TEST(SearchScores, RootWithoutLegalMoveKeepsTheEarlierBestLine) {
  auto s = std::make_unique<TChessSearch>();
  EXPECT_EQ(MoveToText(s->BestMove()), "a8a8");  // a fresh search object holds zeros
  s->RunSearch(Root("6k1/5ppp/8/8/8/8/8/R5K1 w - -", 2));
  EXPECT_EQ(MoveToText(s->BestMove()), "a1a8");
  s->RunSearch(Root("R5k1/5ppp/8/8/8/8/8/6K1 b - -", 2));  // mated: no legal move
  EXPECT_EQ(MoveToText(s->BestMove()), "a1a8");
  EXPECT_EQ(s->LastScore(), -10000);
}

TEST(SearchScores, StopRequestAbandonsAtOnce) {
  auto s = std::make_unique<TChessSearch>();
  s->StopRequest = true;
  s->RunSearch(Root("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", 8));
  EXPECT_EQ(s->Nodes(), 0u);
  EXPECT_EQ(MoveToText(s->BestMove()), "a8a8");
}

// Castling rights kept after the rook (or king) left must not conjure a castling.
TEST(SearchBounds, CastlingNeedsKingAndRookAtHome) {
  auto noRook = Loaded("4k3/8/8/8/8/8/8/4K3 w KQ -");
  noRook->GenerateMoves();
  for (const auto& m : ListedMoves(*noRook)) EXPECT_TRUE(m != "e1g1" && m != "e1c1") << m;
  auto enemyRook = Loaded("r3k2r/8/8/8/8/8/8/r3K2r w KQkq -");
  enemyRook->GenerateMoves();
  for (const auto& m : ListedMoves(*enemyRook)) EXPECT_TRUE(m != "e1g1" && m != "e1c1") << m;
  auto kingAway = Loaded("r3k2r/8/8/8/8/8/8/R2K3R w KQkq -");
  kingAway->GenerateMoves();
  for (int i = kingAway->ListBegin(); i < kingAway->ListFinish(); ++i)
    EXPECT_FALSE(kingAway->ListEntry(i).Move.Flags & mfCastle) << MoveToText(kingAway->ListEntry(i).Move);
  // The search then plays a real move.
  auto s = std::make_unique<TChessSearch>();
  s->RunSearch(Root("4k3/8/8/8/8/8/8/4K3 w KQ -", 3));
  EXPECT_NE(s->BestMove().Flags & mfCastle, mfCastle);
}

TEST(SearchBounds, DeepestPlyEvaluatesAtOnce) {
  auto s = Loaded("rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -");
  const int eval = s->Evaluate();
  EXPECT_EQ(s->SearchAtPly(63, 4), eval);
  EXPECT_EQ(s->Nodes(), 1u);
  s->SearchAtPly(62, 1);  // one level above, the moves are still searched
  EXPECT_GT(s->Nodes(), 1u);
}

TEST(SearchBounds, MoveListStopsAtItsLastEntry) {
  auto s = Loaded("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -");
  s->SetListBegin(MaxMoveList - 5);
  s->GenerateMoves();
  EXPECT_EQ(s->ListFinish(), MaxMoveList);
  auto promo = Loaded("4k3/P7/8/8/8/8/8/4K3 w - -");
  promo->SetListBegin(MaxMoveList - 2);
  promo->GenerateMoves();
  EXPECT_EQ(promo->ListFinish(), MaxMoveList);
  EXPECT_EQ(MoveToText(promo->ListEntry(MaxMoveList - 1).Move), "a7a8b");
}

// A loaded board may hold pawns on their last rank and an en-passant square without a pawn behind it.
TEST(SearchBounds, StrayPawnsAndEnPassantSquaresStayOnTheBoard) {
  for (bool zelmar : {false, true}) {
    for (int ep : {1, 8, 20, 44, 57, 64}) {
      for (const char* fen : {"P3k2P/8/8/8/8/8/8/p3K2p w - -", "P3k2P/8/8/8/8/8/8/p3K2p b - -",
                              "4k3/8/8/8/8/8/8/4K3 w - -", "4k3/8/8/pP6/Pp6/8/8/4K3 b - -"}) {
        TSearchRoot root = Root(fen, 3, zelmar);
        root.EnPassant = ep;
        auto fast = std::make_unique<TChessSearch>();
        auto plain = std::make_unique<reference::TReferenceSearch>();
        fast->SetZelmarMode(zelmar);
        plain->SetZelmarMode(zelmar);
        fast->LoadRoot(root);
        plain->LoadRoot(root);
        EXPECT_EQ(fast->Perft(3), plain->Perft(3)) << fen << " ep " << ep;
        fast->RunSearch(root);
        plain->RunSearch(root);
        EXPECT_EQ(fast->Nodes(), plain->Nodes()) << fen << " ep " << ep;
      }
    }
  }
  // The pawns on their last rank have no moves of their own.
  auto s = Loaded("P3k2P/8/8/8/8/8/8/p3K2p w - -");
  for (const auto& m : LegalMoves(*s)) EXPECT_EQ(m.substr(0, 2), "e1") << m;
}

}  // namespace
}  // namespace zelmar
