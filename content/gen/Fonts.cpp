// Generates the three bitmap fonts (the characters of kFontRanges) from the DejaVu typefaces.
#include <cstdio>
#include <string>

#include "content/gen/GenMain.h"
#include "content/kit/GameFonts.h"

using namespace zelmar;
using namespace zelmar::content;

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  const std::string out = args[1];
  const auto fonts = GameFonts();
  for (size_t i = 0; i < fonts.size(); ++i)
    if (!SaveRecord(out, "font" + std::to_string(i), EncodeFontRecord(fonts[i]))) return 1;
  return 0;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "fonts", {"<record directory>"}, Generate);
}
