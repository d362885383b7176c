// Composes the title and main tunes and encodes them as MP3 files.
#include <cstdio>
#include <string>

#include "content/gen/Composer.h"
#include "content/gen/GenMain.h"
#include "content/kit/Mp3.h"

using namespace zelmar;
using namespace zelmar::content;

// Makes this generator's files from its command line.
static int Generate(const Arguments& args) {
  // Title: D dorian in a stately 3/4 with a flute over the harp; 32 bars of 2 s.
  const Tuneplan title{90,
                       3,
                       2,
                       {{62, 65, 69},
                        {60, 64, 67},
                        {58, 62, 65},
                        {60, 64, 67},
                        {62, 65, 69},
                        {57, 60, 64},
                        {58, 62, 65},
                        {57, 61, 64}},
                       {2, 4, 5, 7, 9, 11, 0},
                       32,
                       true,
                       11};
  // Main: A aeolian in a calm 4/4 with a lute melody; 16 bars of 4 s.
  const Tuneplan main{60,
                      4,
                      2,
                      {{57, 60, 64},
                       {55, 59, 62},
                       {53, 57, 60},
                       {55, 59, 62},
                       {57, 60, 64},
                       {52, 55, 59},
                       {53, 57, 60},
                       {52, 56, 59}},
                      {9, 11, 0, 2, 4, 5, 7},
                      16,
                      false,
                      23};
  const std::pair<const Tuneplan*, std::string> jobs[] = {{&title, args[1]}, {&main, args[2]}};
  for (const auto& [plan, path] : jobs) {
    const Bytes mp3 = EncodeMp3(ComposeTune(*plan), 160);
    if (mp3.empty() || !WriteFile(path, mp3)) {
      std::fprintf(stderr, "cannot write %s\n", path.c_str());
      return 1;
    }
  }
  return 0;
}

int main(int argc, char** argv) {
  return RunGenerator(argc, argv, "tunes", {"<title_theme.mp3>", "<main_theme.mp3>"}, Generate);
}
