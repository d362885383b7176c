// scene_points: prints where the game window shows things, for the real-click run. In a window the logical
// screen is the client area, so these are client-area pixels.
//   scene_points square e2 e4 ...   the centre of each square on the perspective board: "e2 X Y"
//   scene_points rows 7 8           the box around the squares of those ranks and the figures standing
//                                   there: "X Y WIDTH HEIGHT"
// Settings of a fresh config.ini (Background 1, White at the bottom) are assumed.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "scene/SceneGeometry.h"
#include "scene/SceneState.h"

using namespace zelmar;

namespace {

using zelmar::scene::TSceneState;

// Square number 1..64 of a name such as "e2" (1 = a8), 0 when it names none.
int SquareOf(const char* name) {
  if (std::strlen(name) != 2 || name[0] < 'a' || name[0] > 'h' || name[1] < '1' || name[1] > '8') return 0;
  return ('8' - name[1]) * 8 + (name[0] - 'a') + 1;
}

}  // namespace

int main(int argc, char** argv) {
  TSceneState state;
  state.Options.Classic = 1;
  if (argc >= 3 && std::strcmp(argv[1], "square") == 0) {
    for (int i = 2; i < argc; ++i) {
      const int square = SquareOf(argv[i]);
      if (square == 0) {
        std::fprintf(stderr, "scene_points: no square '%s'\n", argv[i]);
        return 2;
      }
      const auto centre = zelmar::scene::SquareCentre(state, square);
      std::printf("%s %d %d\n", argv[i], centre.X, centre.Y);
    }
    return 0;
  }
  if (argc == 4 && std::strcmp(argv[1], "rows") == 0) {
    const int first = std::atoi(argv[2]), last = std::atoi(argv[3]);
    if (first < 1 || last > 8 || first > last) return 2;
    int left = 1 << 20, top = 1 << 20, right = -(1 << 20), bottom = -(1 << 20);
    const int index = zelmar::scene::BackgroundIndex(state);
    for (int rank = first; rank <= last; ++rank) {
      for (int file = 0; file < 8; ++file) {
        const int square = (8 - rank) * 8 + file + 1;
        for (const auto& corner : zelmar::scene::SquareQuad(square)) {
          left = std::min(left, corner.X + state.Board.OffsetX[index]);
          right = std::max(right, corner.X + state.Board.OffsetX[index]);
          top = std::min(top, corner.Y + state.Board.OffsetY[index]);
          bottom = std::max(bottom, corner.Y + state.Board.OffsetY[index]);
        }
      }
    }
    top = std::max(0, top - 110);  // the figures rise above their squares
    std::printf("%d %d %d %d\n", left, top, right - left, bottom - top);
    return 0;
  }
  std::fprintf(stderr, "usage: scene_points square NAME... | scene_points rows FIRST LAST\n");
  return 2;
}
