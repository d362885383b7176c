// zelmar-chess-engine: the game's computer player for general chess programs, speaking CECP
// (xboard) or UCI on standard input and output.
#include <cstdio>
#include <iostream>
#include <string_view>

#include "engine/protocol/ProtocolEngine.h"

int main(int argc, char** argv) {
  if (argc > 1) {
    const std::string_view arg = argv[1];
    const bool help = arg == "--help" || arg == "-h";
    std::fprintf(help ? stdout : stderr,
                 "usage: zelmar-chess-engine\n"
                 "Reads xboard (CECP) or UCI commands on standard input; the first command chooses.\n"
                 "See zelmar-chess-engine(6).\n");
    return help ? 0 : 2;
  }
  std::ios::sync_with_stdio(false);
  return zelmar::RunProtocolEngine(std::cin, std::cout);
}
