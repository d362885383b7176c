// search: one search of a position by a fresh worker search object, reported on one line.
#include <chrono>
#include <cstdio>
#include <memory>

#include "engine/SearchLevel.h"
#include "engine/search/ChessSearch.h"
#include "engine/search/SearchRootText.h"
#include "tools/zelmar-engine/Commands.h"
#include "tools/zelmar-engine/SearchArgs.h"

namespace zelmar {

namespace {
constexpr const char* kUsage = "search [--zelmar] --depth N \"FEN\"";
}  // namespace

// Prints: bestmove e2e4 score 25 nodes 123456 time_ms 12 nps 10288000
int RunSearch(CommandArgs args) {
  TSearchArgs a;
  std::string error;
  TSearchRoot root;
  if (!ParseSearchArgs(args, "--zelmar --depth FEN", kHighestLevel, a, error) ||
      !RootFromFenArg(a.Fen, root, error))
    return RefuseUsage("search", error, kUsage);
  root.Depth = a.Depth;
  root.ZelmarMode = a.Zelmar;
  auto search = std::make_unique<TChessSearch>();
  search->SetZelmarMode(a.Zelmar);
  const auto start = std::chrono::steady_clock::now();
  search->RunSearch(root);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  const auto nodes = static_cast<unsigned long long>(search->Nodes());
  std::printf("bestmove %s score %d nodes %llu time_ms %lld nps %.0f\n",
              MoveToText(search->BestMove()).c_str(), search->LastScore(), nodes,
              static_cast<long long>(seconds * 1000),
              seconds > 0 ? static_cast<double>(nodes) / seconds : 0.0);
  return 0;
}

}  // namespace zelmar
