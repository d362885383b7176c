// Generates the four full-screen backgrounds ("ground") and the launcher's picture.
#include <cstdio>
#include <string>

#include "content/gen/GenMain.h"
#include "content/gen/Grounds.h"
#include "content/kit/Jpeg.h"

using namespace zelmar;
using namespace zelmar::content;

// Makes this generator's files from its command line.
static int generate(const Arguments& args) {
  const Image title = titleGround();
  std::vector<Image> grounds = {title, helpGround(), gameGround(Location::Castle, 0, 0),
                                gameGround(Location::Town, 13, 73)};
  if (!savePicture(args[1], "ground", grounds, TPixelFormat::pfX8R8G8B8)) return 1;
  if (!writeJpeg(args[2], launcherArt(), 92)) {
    std::fprintf(stderr, "cannot write %s\n", args[2].c_str());
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  return runGenerator(argc, argv, "scenes", {"<record directory>", "<launcher.jpg>"}, generate);
}
