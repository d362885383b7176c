// game_file_check: reads a PGN file as the game does and tells what it holds, for the real-program runs that
// keep, kill and restore games.
//   game_file_check FILE            every game's summary, one line each: "moves M shown S result R zelmar Z"
//                                   or "refused at line L: REASON"; status 0 only when there is a game and
//                                   every game reads
//   game_file_check FILE tag NAME   the last game's tag NAME (status 1 when it has none)
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/notation/Pgn.h"

using namespace zelmar;

int main(int argc, char** argv) {
  if (argc != 2 && !(argc == 4 && std::strcmp(argv[2], "tag") == 0)) {
    std::fprintf(stderr, "usage: game_file_check FILE [tag NAME]\n");
    return 2;
  }
  std::ifstream in(argv[1], std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  if (!in) {
    std::fprintf(stderr, "game_file_check: cannot read %s\n", argv[1]);
    return 1;
  }
  const std::vector<TPgnGame> games = ReadPgn(text.str());
  if (games.empty()) {
    std::fprintf(stderr, "game_file_check: no game in %s\n", argv[1]);
    return 1;
  }
  if (argc == 4) {
    const std::string* value = games.back().Game ? FindTag(*games.back().Game, argv[3]) : nullptr;
    if (!value) return 1;
    std::printf("%s\n", value->c_str());
    return 0;
  }
  bool allRead = true;
  for (const TPgnGame& game : games) {
    if (!game.Game) {
      allRead = false;
      std::printf("refused at line %d: %s\n", game.FirstLine, game.Error.c_str());
      continue;
    }
    std::printf("moves %zu shown %d result %s zelmar %d\n", game.Game->Moves.size(), game.Game->ShownPly,
                game.Game->Result.c_str(), game.Game->Zelmar ? 1 : 0);
  }
  return allRead ? 0 : 1;
}
