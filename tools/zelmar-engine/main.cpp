// zelmar-engine: developer tool for the chess engine; dispatches to one subcommand.
#include <cstdio>
#include <iostream>
#include <string_view>
#include <vector>

#include "engine/protocol/ProtocolEngine.h"
#include "tools/zelmar-engine/Commands.h"

using namespace zelmar;

namespace {

struct Command {
  std::string_view name;
  int (*run)(CommandArgs);
  std::string_view usage;
};

constexpr Command kCommands[] = {
    {"board-perft", RunBoardPerft, "board-perft [--zelmar] --depth N \"FEN\""},
    {"moves", RunMoves, "moves [--zelmar] \"FEN\" MOVE...   (MOVE: e2e4, e7e8n, back, forward)"},
    {"perft", RunPerft, "perft [--zelmar] --depth N \"FEN\""},
    {"search", RunSearch, "search [--zelmar] --depth N \"FEN\""},
    {"bench", RunBenchCommand, "bench [--compare]"},
    {"play", RunPlay, "play [--zelmar] --depth N [--max-moves M] [--opening SEED]"},
    {"pgn", RunPgn, "pgn FILE [--write OUT]"},
    {"games", RunGames, "games [--zelmar] --count N [--first-seed S] [--depth D] --out FILE"},
    {"annotate", RunAnnotate, "annotate [--level N] [--zelmar] [--output OUT] [--quiet] FILE.pgn"},
};

// Prints the list of subcommands.
void PrintUsage(std::FILE* out) {
  std::fprintf(out, "usage: zelmar-engine <command> [arguments]\n");
  std::fprintf(out, "  zelmar-engine               (no command: xboard or UCI protocol on stdin/stdout)\n");
  for (const Command& c : kCommands)
    std::fprintf(out, "  zelmar-engine %.*s\n", int(c.usage.size()), c.usage.data());
  std::fprintf(
      out, "FEN: placement, side to move, castling, en passant; \"startpos\" for the initial position.\n");
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::ios::sync_with_stdio(false);
    return zelmar::RunProtocolEngine(std::cin, std::cout);
  }
  const std::string_view name = argv[1];
  if (name == "help" || name == "--help" || name == "-h") {
    PrintUsage(stdout);
    return 0;
  }
  const std::vector<std::string_view> args(argv + 2, argv + argc);
  for (const Command& c : kCommands) {
    if (c.name == name) return c.run(args);
  }
  std::fprintf(stderr, "zelmar-engine: unknown command '%s'\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
