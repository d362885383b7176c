// board-perft: counts the move tree of a position through the board's own operations.
#include <charconv>
#include <chrono>
#include <cstdio>
#include <string>

#include "engine/BoardPerft.h"
#include "engine/ChessBrd.h"
#include "tools/zelmar-engine/BoardFromFen.h"
#include "tools/zelmar-engine/Commands.h"

namespace zelmar {

namespace {

constexpr int kMaxDepth = 12;

// Reports a usage error of this subcommand.
int Refuse(const std::string& why) {
  std::fprintf(stderr, "zelmar-engine board-perft: %s\n", why.c_str());
  std::fprintf(stderr, "usage: zelmar-engine board-perft [--zelmar] --depth N \"FEN\"\n");
  return 2;
}

}  // namespace

// Prints the time taken on stderr and the leaf count alone on the last line of stdout.
int RunBoardPerft(CommandArgs args) {
  // 1. Options and the position.
  bool zelmar = false;
  int depth = -1;
  std::string_view fen;
  for (std::size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--zelmar") {
      zelmar = true;
    } else if (args[i] == "--depth") {
      if (++i == args.size()) return Refuse("--depth needs a number");
      const auto [end, ec] = std::from_chars(args[i].data(), args[i].data() + args[i].size(), depth);
      if (ec != std::errc() || end != args[i].data() + args[i].size() || depth < 0 || depth > kMaxDepth) {
        return Refuse("depth must be a number from 0 to " + std::to_string(kMaxDepth));
      }
    } else if (fen.empty()) {
      fen = args[i];
    } else {
      return Refuse("unexpected argument '" + std::string(args[i]) + "'");
    }
  }
  if (depth < 0) return Refuse("missing --depth N");
  if (fen.empty()) return Refuse("missing FEN");
  TChessBrd board;
  board.SetZelmarMode(zelmar);
  if (const std::string error = zelmar::SetUpFromFen(board, fen); !error.empty()) return Refuse(error);
  // 2. Count and report.
  const auto start = std::chrono::steady_clock::now();
  const std::int64_t leaves = BoardPerft(board, depth);
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  if (leaves < 0) {
    std::fprintf(stderr, "zelmar-engine board-perft: the board refused to step back\n");
    return 1;
  }
  std::fprintf(stderr, "depth %d: %.3f s, %.0f leaves/s\n", depth, seconds,
               seconds > 0 ? static_cast<double>(leaves) / seconds : 0.0);
  std::printf("%lld\n", static_cast<long long>(leaves));
  return 0;
}

}  // namespace zelmar
