#include "launcher/ProgramArguments.h"

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "launcher/GameFileRefusal.h"
#include "launcher/LauncherTexts.h"

namespace zelmar {
namespace {

ProgramArguments Parse(std::vector<const char*> words) {
  return ParseProgramArguments(words);
}

TEST(ProgramArgumentsTest, NothingOneFileHelpAndTheEndOfOptions) {
  const ProgramArguments none = Parse({});
  EXPECT_FALSE(none.Help);
  EXPECT_FALSE(none.Game);
  EXPECT_TRUE(none.Error.empty());

  const ProgramArguments file = Parse({"games/last.pgn"});
  ASSERT_TRUE(file.Game);
  EXPECT_EQ(*file.Game, "games/last.pgn");
  EXPECT_TRUE(file.Error.empty());

  EXPECT_TRUE(Parse({"--help"}).Help);
  EXPECT_TRUE(Parse({"a.pgn", "--help"}).Help);

  // After "--" a dash starts a file name, and "--help" is a file too.
  const ProgramArguments dashed = Parse({"--", "-odd.pgn"});
  ASSERT_TRUE(dashed.Game);
  EXPECT_EQ(*dashed.Game, "-odd.pgn");
  EXPECT_FALSE(Parse({"--", "--help"}).Help);
}

TEST(ProgramArgumentsTest, UnknownOptionsASecondFileAndAnEmptyNameAreRefused) {
  EXPECT_EQ(Parse({"--fullscreen"}).Error, "unknown option '--fullscreen'");
  EXPECT_EQ(Parse({"a.pgn", "-x"}).Error, "unknown option '-x'");
  EXPECT_EQ(Parse({"--help", "-h"}).Error, "unknown option '-h'");
  EXPECT_FALSE(Parse({"a.pgn", "b.pgn"}).Error.empty());
  EXPECT_FALSE(Parse({""}).Error.empty());
}

TEST(ProgramArgumentsTest, RefusalsNameTheFileAndTheReasonInBothLanguages) {
  const GameFileRefusal missing{"/home/p/games/old.pgn", GameFileProblem::gpMissing, {}, 0};
  EXPECT_EQ(RefusalText(missing, 1), "Cannot open \u201cold.pgn\u201d: there is no such file");
  EXPECT_EQ(RefusalText(missing, 2), "Не удалось открыть «old.pgn»: такого файла нет");

  const GameFileRefusal refused{"x.pgn", GameFileProblem::gpRefused, "variant \"crazyhouse\"", 12};
  EXPECT_EQ(RefusalText(refused, 1),
            "Cannot open \u201cx.pgn\u201d: the game at line 12 is refused: variant \"crazyhouse\"");
  EXPECT_EQ(RefusalText(refused, 2),
            "Не удалось открыть «x.pgn»: партия в строке 12 не принята: variant \"crazyhouse\"");

  const GameFileRefusal large{"big.pgn", GameFileProblem::gpTooLarge, {}, 0};
  EXPECT_NE(RefusalText(large, 1).find(std::to_string(kMaxGameFileMegabytes) + " MB"), std::string::npos);
  const GameFileRefusal unreadable{"dir", GameFileProblem::gpUnreadable, "Is a directory", 0};
  EXPECT_EQ(RefusalText(unreadable, 1), "Cannot open \u201cdir\u201d: it cannot be read (Is a directory)");
  const GameFileRefusal empty{"e.pgn", GameFileProblem::gpNoGame, {}, 0};
  EXPECT_EQ(RefusalText(empty, 2), "Не удалось открыть «e.pgn»: в файле нет партии");
  // Every problem has words of its own in each language.
  for (const std::int32_t lang : {1, 2}) {
    const LauncherTexts& t = LauncherTextsFor(lang);
    for (const std::string_view words : {t.CannotOpenBefore, t.FileMissing, t.FileUnreadable, t.FileTooLarge,
                                         t.FileHoldsNoGame, t.GameRefusedBefore, t.GameRefusedAfter})
      EXPECT_FALSE(words.empty());
  }
}

}  // namespace
}  // namespace zelmar
