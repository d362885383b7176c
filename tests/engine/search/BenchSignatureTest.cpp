// The node total of the benchmark list is the search's signature: any change to generation, order,
// scores or evaluation changes it. Update it only with a deliberate search change, stating the new
// number in the commit message.
#include <gtest/gtest.h>

#include "engine/bench/BenchRunner.h"
#include "engine/search/ChessSearch.h"

namespace zelmar {
namespace {

constexpr std::uint64_t kBenchSignature = 22978260;

TEST(BenchSignature, NodeTotalOfTheBenchList) {
  const TBenchTotals totals = RunBench<TChessSearch>({});
  EXPECT_EQ(totals.Nodes, kBenchSignature);
  EXPECT_GE(BenchPositions().size(), 30u);
}

}  // namespace
}  // namespace zelmar
