#include "launcher/OpenedGameFile.h"

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "launcher/TempDir.h"

namespace zelmar {
namespace {

using testing::TempDir;
using testing::WriteFile;

constexpr const char* kFinishedGame =
    "[Event \"First\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n[Round \"-\"]\n[White \"A\"]\n[Black \"B\"]\n"
    "[Result \"1-0\"]\n\n1. e4 e5 2. Bc4 Nc6 3. Qh5 Nf6 4. Qxf7# 1-0\n\n";
constexpr const char* kUnfinishedZelmarGame =
    "[Event \"Second\"]\n[Variant \"zelmar\"]\n[Result \"*\"]\n\n1. d4 d5 2. c4 *\n\n";

GameFileProblem ProblemOf(const std::filesystem::path& file) {
  const OpenedGameFile opened = OpenGameFile(file);
  EXPECT_FALSE(opened.Game);
  EXPECT_TRUE(opened.Refusal);
  if (!opened.Refusal) return GameFileProblem::gpMissing;
  EXPECT_EQ(opened.Refusal->File, file);
  return opened.Refusal->Problem;
}

TEST(OpenedGameFileTest, TheLastGameOfTheFileIsOpened) {
  TempDir dir;
  const auto file = dir.File("two.pgn");
  WriteFile(file, std::string(kFinishedGame) + kUnfinishedZelmarGame);
  OpenedGameFile opened = OpenGameFile(file);
  ASSERT_TRUE(opened.Game) << opened.Refusal->Detail;
  EXPECT_FALSE(opened.Refusal);
  EXPECT_TRUE(opened.Game->Zelmar);
  EXPECT_EQ(opened.Game->Moves.size(), 3U);
  EXPECT_EQ(opened.Game->Result, "*");

  // A refused game before the last one does not matter; a refused last one refuses the file, with its line.
  WriteFile(file, std::string("[Variant \"crazyhouse\"]\n\n1. e4 *\n\n") + kFinishedGame);
  opened = OpenGameFile(file);
  ASSERT_TRUE(opened.Game);
  EXPECT_EQ(opened.Game->End, TGameEnd::Mate);
  WriteFile(file, std::string(kFinishedGame) + "[Event \"Bad\"]\n\n1. e4 e5 2. Ke3 *\n");
  opened = OpenGameFile(file);
  ASSERT_TRUE(opened.Refusal);
  EXPECT_EQ(opened.Refusal->Problem, GameFileProblem::gpRefused);
  EXPECT_EQ(opened.Refusal->Line, 11);
  EXPECT_NE(opened.Refusal->Detail.find("Ke3"), std::string::npos) << opened.Refusal->Detail;
}

TEST(OpenedGameFileTest, FilesThatCannotBeOpenedAreRefusedWithTheirReason) {
  TempDir dir;
  EXPECT_EQ(ProblemOf(dir.File("none.pgn")), GameFileProblem::gpMissing);
  EXPECT_EQ(ProblemOf(dir.Path()), GameFileProblem::gpUnreadable);

  // A named pipe is refused at once instead of waiting for a writer.
  const auto pipe = dir.File("pipe.pgn");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  EXPECT_EQ(ProblemOf(pipe), GameFileProblem::gpUnreadable);

  // Over the limit, without writing it out: a sparse file.
  const auto large = dir.File("large.pgn");
  WriteFile(large, kFinishedGame);
  std::filesystem::resize_file(large, kMaxGameFileSize + 1);
  EXPECT_EQ(ProblemOf(large), GameFileProblem::gpTooLarge);

  const auto empty = dir.File("empty.pgn");
  WriteFile(empty, "% only an escape line\n\n");
  EXPECT_EQ(ProblemOf(empty), GameFileProblem::gpNoGame);

  const auto setUp = dir.File("setup.pgn");
  WriteFile(setUp, "[SetUp \"1\"]\n[FEN \"8/8/8/8/8/8/k7/K7 w - - 0 1\"]\n\n*\n");
  EXPECT_EQ(ProblemOf(setUp), GameFileProblem::gpRefused);

  if (::geteuid() != 0) {  // root reads whatever the permissions say
    const auto locked = dir.File("locked.pgn");
    WriteFile(locked, kFinishedGame);
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    EXPECT_EQ(ProblemOf(locked), GameFileProblem::gpUnreadable);
  }
}

}  // namespace
}  // namespace zelmar
