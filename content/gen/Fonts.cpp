// Generates the three bitmap fonts (Windows-1251 codes 32–255) from the DejaVu typefaces.
#include <cstdio>
#include <string>

#include "content/gen/GenMain.h"
#include "content/kit/GameFonts.h"

using namespace zelmar;
using namespace zelmar::content;

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <record directory>\n", argv[0]);
    return 2;
  }
  const std::string out = argv[1];
  try {
    const auto fonts = gameFonts();
    for (size_t i = 0; i < fonts.size(); ++i)
      if (!saveRecord(out, "font" + std::to_string(i), encodeFontRecord(fonts[i]))) return 1;
    return 0;
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fonts: %s\n", e.what());
    return 1;
  }
}
