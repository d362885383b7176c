// Generates the four full-screen backgrounds ("ground") and the launcher's picture.
#include <cstdio>
#include <string>

#include "content/gen/GenMain.h"
#include "content/gen/Grounds.h"
#include "content/kit/Jpeg.h"

using namespace zelmar;
using namespace zelmar::content;

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const Image title = TitleGround();
  std::vector<Image> grounds = {title, HelpGround(), GameGround(Location::Castle, 0, 0),
                                GameGround(Location::Town, 13, 73)};
  if (!SavePicture(args[1], "ground", grounds, TPixelFormat::pfX8R8G8B8)) return 1;
  if (!WriteJpeg(args[2], LauncherArt(), 92)) {
    std::fprintf(stderr, "cannot write %s\n", args[2].c_str());
    return 1;
  }
  return 0;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "scenes", {"<record directory>", "<launcher.jpg>"}, Generate);
}
