// Move generation with take-back legality against published perft counts, for both searches.
#include <gtest/gtest.h>

#include <memory>

#include "engine/bench/ReferenceSearch.h"
#include "engine/search/ChessSearch.h"
#include "engine/search/SearchRootText.h"

namespace zelmar {
namespace {

struct PerftCase {
  const char* Fen;
  std::uint64_t Counts[5];
};

const PerftCase Cases[] = {
    {"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq -", {20, 400, 8902, 197281, 4865609}},
    {"r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -", {48, 2039, 97862, 4085603, 0}},
    {"8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - -", {14, 191, 2812, 43238, 674624}},
};

TEST(SearchPerft, PublishedCountsInStandardChess) {
  auto search = std::make_unique<TChessSearch>();
  for (const PerftCase& c : Cases) {
    TSearchRoot root;
    ASSERT_TRUE(RootFromFen(c.Fen, root));
    search->SetZelmarMode(false);
    search->LoadRoot(root);
    for (int d = 1; d <= 5 && c.Counts[d - 1]; ++d)
      EXPECT_EQ(search->Perft(d), c.Counts[d - 1]) << c.Fen << " depth " << d;
  }
}

TEST(SearchPerft, ReferenceAgreesInBothModes) {
  auto fast = std::make_unique<TChessSearch>();
  auto plain = std::make_unique<reference::TReferenceSearch>();
  for (const PerftCase& c : Cases) {
    TSearchRoot root;
    ASSERT_TRUE(RootFromFen(c.Fen, root));
    for (bool zelmar : {false, true}) {
      fast->SetZelmarMode(zelmar);
      plain->SetZelmarMode(zelmar);
      fast->LoadRoot(root);
      plain->LoadRoot(root);
      for (int d = 1; d <= 3; ++d) EXPECT_EQ(fast->Perft(d), plain->Perft(d)) << c.Fen << " depth " << d;
    }
  }
}

}  // namespace
}  // namespace zelmar
