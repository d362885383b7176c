// zelmar-pack: creates, lists, extracts from and checks data archives.
#include <iostream>

#include "tools/archive/PackCommands.h"

using namespace zelmar;

// Hands the arguments to the commands and returns their exit status.
int main(int argc, char** argv) {
  std::ios::sync_with_stdio(false);
  const std::vector<std::string> args(argv + 1, argv + argc);
  const int status = RunZelmarPack(args, std::cout, std::cerr);
  std::cout.flush();
  return std::cout.good() ? status : 1;
}
