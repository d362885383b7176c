// perft: counts the move tree of a position with the computer player's own generator and take-back.
#include <chrono>
#include <cstdio>
#include <memory>

#include "engine/search/SearchBoard.h"
#include "tools/zelmar-engine/Commands.h"
#include "tools/zelmar-engine/SearchArgs.h"

namespace zelmar {

namespace {
constexpr const char* kUsage = "perft [--zelmar] --depth N \"FEN\"";
}  // namespace

// Prints the count of each root move, then the time on stderr and the leaf count on the last line.
int RunPerft(CommandArgs args) {
  TSearchArgs a;
  std::string error;
  TSearchRoot root;
  if (!ParseSearchArgs(args, "--zelmar --depth FEN", 12, a, error) || !RootFromFenArg(a.Fen, root, error))
    return RefuseUsage("perft", error, kUsage);
  auto board = std::make_unique<TSearchBoard>();
  board->SetZelmarMode(a.Zelmar);
  board->LoadRoot(root);
  const auto start = std::chrono::steady_clock::now();
  const std::uint64_t leaves = board->Perft(a.Depth);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::fprintf(stderr, "depth %d: %.3f s, %.0f leaves/s\n", a.Depth, seconds,
               seconds > 0 ? static_cast<double>(leaves) / seconds : 0.0);
  std::printf("%llu\n", static_cast<unsigned long long>(leaves));
  return 0;
}

}  // namespace zelmar
