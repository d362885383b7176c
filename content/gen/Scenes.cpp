// Generates the four full-screen backgrounds ("ground") and the launcher's picture.
#include <cstdio>
#include <string>

#include "content/gen/GenMain.h"
#include "content/gen/Grounds.h"
#include "content/kit/Jpeg.h"

using namespace zelmar;
using namespace zelmar::content;

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <record directory> <launcher.jpg>\n", argv[0]);
    return 2;
  }
  try {
    const Image title = titleGround();
    std::vector<Image> grounds = {title, helpGround(), gameGround(Location::Castle, 0, 0),
                                  gameGround(Location::Town, 13, 73)};
    if (!savePicture(argv[1], "ground", grounds, TPixelFormat::pfX8R8G8B8)) return 1;
    if (!writeJpeg(argv[2], launcherArt(), 92)) {
      std::fprintf(stderr, "cannot write %s\n", argv[2]);
      return 1;
    }
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "scenes: %s\n", e.what());
    return 1;
  }
}
