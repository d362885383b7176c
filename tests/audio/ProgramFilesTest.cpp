// Music files are looked up beside the executable, wherever the program was started from.
#include <gtest/gtest.h>

#include <unistd.h>

#include "audio/ProgramFiles.h"

namespace zelmar::audio {
namespace {

TEST(ProgramFiles, TunesAreLookedUpBesideTheExecutable) {
  const std::filesystem::path dir = ProgramDirectory();
  EXPECT_TRUE(std::filesystem::exists(dir / "audio_tests"));
  const std::filesystem::path before = std::filesystem::current_path();
  ASSERT_EQ(chdir("/"), 0);
  EXPECT_EQ(FileBesideProgram("title_theme.mp3"), (dir / "title_theme.mp3").string());
  std::filesystem::current_path(before);
}

}  // namespace
}  // namespace zelmar::audio
