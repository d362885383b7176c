// Runs the benchmark list through a search and totals its nodes and time.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>

#include "engine/bench/BenchPositions.h"
#include "engine/search/SearchDefs.h"
#include "engine/search/SearchRootText.h"

namespace zelmar {

// One searched entry of the list.
struct TBenchLine {
  int Index;
  bool Zelmar;
  int Depth;
  TSearchMove Best;
  int Score;
  std::uint64_t Nodes;
};

struct TBenchTotals {
  std::uint64_t Nodes = 0;
  double Seconds = 0;
  double NodesPerSecond() const { return Seconds > 0 ? static_cast<double>(Nodes) / Seconds : 0; }
};

// Searches every position in both modes with a fresh search object of type S, in list order, calling
// onLine after each; S is the engine's search or the reference.
template <class S>
TBenchTotals RunBench(const std::function<void(const TBenchLine&)>& onLine) {
  TBenchTotals totals;
  const auto positions = BenchPositions();
  for (int i = 0; i < static_cast<int>(positions.size()); ++i) {
    for (bool zelmar : {false, true}) {
      TSearchRoot root;
      RootFromFen(positions[i].Fen, root);
      root.ZelmarMode = zelmar;
      root.Depth = zelmar ? positions[i].ZelmarDepth : positions[i].Depth;
      auto search = std::make_unique<S>();
      search->SetZelmarMode(zelmar);
      const auto start = std::chrono::steady_clock::now();
      search->RunSearch(root);
      totals.Seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
      totals.Nodes += search->Nodes();
      if (onLine)
        onLine({i + 1, zelmar, root.Depth, search->BestMove(), search->LastScore(), search->Nodes()});
    }
  }
  return totals;
}

}  // namespace zelmar
