// Games in PGN: random games of both modes through the writer and the reader and back onto the board, the
// export format, what other programs write, and damaged or hostile text.
#include <gtest/gtest.h>

#include <random>

#include "engine/notation/GameRecord.h"
#include "engine/notation/Pgn.h"
#include "tests/engine/BoardTestUtil.h"

namespace zelmar {

using namespace rules_test;

namespace {

// The longest line of a text.
std::size_t LongestLine(std::string_view text) {
  std::size_t longest = 0, length = 0;
  for (char c : text) {
    length = c == '\n' ? 0 : length + 1;
    longest = std::max(longest, length);
  }
  return longest;
}

std::string Sans(const TGameRecord& record) {
  std::string text;
  for (const TGameMove& move : record.Moves) text += (text.empty() ? "" : " ") + move.San;
  return text;
}

// A random legal game: random moves and promotions, now and then a take-back, until the game ends or the
// limit; the record is brought up to date after every step, as the game does.
TGameRecord RandomGame(TChessBrd& board, bool zelmar, unsigned seed, int maxSteps = 400) {
  std::mt19937 rng(seed);
  board.SetZelmarMode(zelmar);
  board.NewGame();
  TGameRecord record = RecordFromBoard(board);
  for (int step = 0; step < maxSteps; ++step) {
    if (rng() % 16 == 0 && board.MoveBack()) {
      record = RecordFromBoard(board, &record);
      continue;
    }
    std::vector<std::pair<Square, Square>> legal;
    for (int from = 1; from <= 64; ++from)
      for (int to = 1; to <= 64; ++to)
        if (board.IsLegalMove(SquareOf(from), SquareOf(to))) legal.emplace_back(SquareOf(from), SquareOf(to));
    if (legal.empty()) break;
    const auto [from, to] = legal[rng() % legal.size()];
    board.SetPromotionPiece("qrbn"[rng() % 4]);
    EXPECT_TRUE(board.PlayMove(from, to));
    record = RecordFromBoard(board, &record);
  }
  return record;
}

}  // namespace

TEST(PgnTest, RandomGamesOfBothModesComeBackWhole) {
  constexpr unsigned kGamesPerMode = 30;
  int ends[5] = {};
  for (bool zelmar : {false, true}) {
    for (unsigned seed = 1; seed <= kGamesPerMode; ++seed) {
      TChessBrd board;
      TGameRecord record = RandomGame(board, zelmar, seed);
      // The notation reused step by step is the notation worked out whole.
      const TGameRecord whole = RecordFromBoard(board);
      ASSERT_EQ(Sans(record), Sans(whole)) << seed;
      ASSERT_EQ(record.End, whole.End);
      ++ends[static_cast<int>(record.End)];
      SetTag(record, "White", "Player");
      const std::string text = WritePgn(record);
      EXPECT_LE(LongestLine(text), 80u);
      const std::vector<TPgnGame> games = ReadPgn(text);
      ASSERT_EQ(games.size(), 1u);
      ASSERT_TRUE(games[0].Game) << games[0].Error << "\n" << text;
      const TGameRecord& back = *games[0].Game;
      EXPECT_EQ(Sans(back), Sans(record));
      EXPECT_EQ(back.End, record.End);
      EXPECT_EQ(back.Result, record.Result);
      EXPECT_EQ(back.Zelmar, zelmar);
      EXPECT_EQ(*FindTag(back, "White"), "Player");
      // Onto a board again, at the end of the line: the same position as the game's own line end.
      TGameRecord atEnd = back;
      atEnd.ShownPly = static_cast<int>(atEnd.Moves.size());
      TChessBrd replay;
      std::string error;
      ASSERT_TRUE(PlayRecord(atEnd, replay, &error)) << error;
      while (board.MoveForward()) {
      }
      EXPECT_EQ(replay.GetPosition(), board.GetPosition());
    }
  }
  // Random play reaches every end but mate seldom; the set has at least the draws and unfinished games.
  EXPECT_GT(ends[static_cast<int>(TGameEnd::NoMatingMaterial)] + ends[static_cast<int>(TGameEnd::None)], 0);
}

TEST(PgnTest, WritesTheExportFormat) {
  // The Zelmar parries this check by its jump to f2, so the game goes on.
  TChessBrd board;
  board.SetZelmarMode(true);
  board.NewGame();
  ASSERT_TRUE(Play(board, {"f2f3", "e7e5", "g2g4", "d8h4"}));
  TGameRecord record = RecordFromBoard(board);
  SetTag(record, "ZelmarLevel", "3");
  SetTag(record, "Black", "Zelmar Chess level 3");
  SetTag(record, "White", std::string(100, 'W'));
  SetTag(record, "Event", "Say \"hi\"\\");
  record.LeadComment = "[%zelmar-search " + std::string(200, 'x') + " } %tail]";
  const std::string text = WritePgn(record);
  EXPECT_EQ(text.substr(0, text.find("[White")),
            "[Event \"Say \\\"hi\\\"\\\\\"]\n[Site \"?\"]\n[Date \"????.??.??\"]\n"
            "[Round \"?\"]\n");
  EXPECT_NE(
      text.find(
          "[White \"" + std::string(70, 'W') +
          "\"]\n[Black \"Zelmar Chess level 3\"]\n[Result \"*\"]\n"
          "[Variant \"zelmar\"]\n[Termination \"unterminated\"]\n[ZelmarLevel \"3\"]\n\n{[%zelmar-search"),
      std::string::npos)
      << text;
  EXPECT_NE(text.find(" 1. f3 e5 2. g4 Qh4+ *\n\n"), std::string::npos) << text;
  EXPECT_EQ(text.substr(text.size() - 2), "\n\n");
  EXPECT_LE(LongestLine(text), 80u);
  EXPECT_EQ(text.find("\n%"), std::string::npos);
  const std::vector<TPgnGame> games = ReadPgn(text);
  ASSERT_EQ(games.size(), 1u);
  ASSERT_TRUE(games[0].Game) << games[0].Error;
  EXPECT_EQ(games[0].Game->Result, "*");
  EXPECT_EQ(*FindTag(*games[0].Game, "Event"), "Say \"hi\"\\");
  EXPECT_EQ(games[0].Game->LeadComment.substr(0, 17), "[%zelmar-search x");
  EXPECT_EQ(FindTag(*games[0].Game, "Termination"), nullptr);

  // In standard chess the same moves mate; the end is named after the last move.
  board.SetZelmarMode(false);
  board.NewGame();
  ASSERT_TRUE(Play(board, {"f2f3", "e7e5", "g2g4", "d8h4"}));
  const std::string mate = WritePgn(RecordFromBoard(board));
  EXPECT_NE(mate.find("[Result \"0-1\"]\n[Termination \"normal\"]\n\n1. f3 e5 2. g4 Qh4# {Mate} 0-1\n\n"),
            std::string::npos)
      << mate;
}

TEST(PgnTest, ReadsWhatOtherProgramsWrite) {
  const std::string text =
      "\xEF\xBB\xBF[Event \"A \\\"quoted\\\" event\"]\r\n[Site \"?\"]\r\n[Result \"1-0\"]\r\n"
      "[SetUp \"1\"]\r\n[FEN \"rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1\"]\r\n\r\n"
      "{Before the first move} 1. e4 $1 e5!? (1... c5 2. Nf3 (2. c3 {deep (nested)} d5) d6) 2. Nf3 ; to the "
      "end\r\n"
      "%an escape line 1. h4\r\n"
      "2... Nc6 3.Bb5 a6 4. Ba4 Nf6 5. O-O 1-0\r\n"
      "\r\n"
      "[Event \"Second\"]\n[Variant \"Standard\"]\n\n1. d4 d5 2. c4 dxc4 3. e3 b5 4. a4 c6 5. axb5 cxb5 6. "
      "Qf3 *\n";
  const std::vector<TPgnGame> games = ReadPgn(text);
  ASSERT_EQ(games.size(), 2u);
  ASSERT_TRUE(games[0].Game) << games[0].Error;
  const TGameRecord& first = *games[0].Game;
  EXPECT_EQ(Sans(first), "e4 e5 Nf3 Nc6 Bb5 a6 Ba4 Nf6 O-O");
  EXPECT_EQ(first.Result, "1-0");  // a resignation: no rule ended it, the result stays
  EXPECT_EQ(first.End, TGameEnd::None);
  EXPECT_EQ(first.LeadComment, "Before the first move");
  EXPECT_EQ(*FindTag(first, "Event"), "A \"quoted\" event");
  EXPECT_EQ(games[0].FirstLine, 1);
  ASSERT_TRUE(games[1].Game) << games[1].Error;
  EXPECT_EQ(games[1].FirstLine, 11);
  EXPECT_EQ(Sans(*games[1].Game), "d4 d5 c4 dxc4 e3 b5 a4 c6 axb5 cxb5 Qf3");
  EXPECT_FALSE(games[1].Game->Zelmar);
}

TEST(PgnTest, RefusesByNameAndGoesOnWithTheNextGame) {
  const std::string text =
      "[Event \"Other\"]\n[Variant \"Crazyhouse\"]\n\n1. e4 *\n\n"
      "[Event \"Set up\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/8/4K3 w - - 0 1\"]\n\n1. Kd2 *\n\n"
      "[Event \"Illegal\"]\n\n1. e4 e5 2. Ke3 *\n\n"
      "[Event \"After the mate\"]\n\n1. f3 e5 2. g4 Qh4# 3. a3 0-1\n\n"
      "[Event \"Ambiguous\"]\n\n1. a4 h5 2. h4 a5 3. Ra3 Rh6 4. Rh3 *\n\n"
      "[Event \"Cut\"]\n\n1. d4 {a comment cut in the mi\n"
      "[Event \"Whole\"]\n\n1. e4 e5 (1... c5 \n"
      "[Event \"After a cut variation\"]\n\n1. c4 1/2-1/2\n\n"
      "[Event \"Torn\"]\n\n1. e4 e5 2. Nf";
  const std::vector<TPgnGame> games = ReadPgn(text);
  ASSERT_EQ(games.size(), 9u);
  EXPECT_EQ(games[0].Error, "the variant \"Crazyhouse\" is not played here");
  EXPECT_NE(games[1].Error.find("set-up position"), std::string::npos);
  EXPECT_EQ(games[2].Error, "move 2 (Ke3): illegal");
  EXPECT_EQ(games[3].Error, "move 3 (a3): the game had already ended by mate");
  EXPECT_EQ(games[4].Error, "move 4 (Rh3): ambiguous");  // the rook on a3 reaches h3 as well
  EXPECT_NE(games[5].Error.find("cut short"), std::string::npos);
  EXPECT_NE(games[6].Error.find("cut short"), std::string::npos);
  ASSERT_TRUE(games[7].Game) << games[7].Error;
  EXPECT_EQ(games[7].Game->Result, "1/2-1/2");
  EXPECT_EQ(games[7].FirstLine, 30);
  EXPECT_NE(games[8].Error.find("cut short"), std::string::npos);
  for (const TPgnGame& game : games) EXPECT_EQ(game.Game.has_value(), game.Error.empty());
}

TEST(PgnTest, AFileCutAnywhereKeepsEveryWholeGameBeforeTheCut) {
  TChessBrd board;
  std::string text;
  std::vector<std::size_t> ends;
  for (unsigned seed = 1; seed <= 3; ++seed) {
    TGameRecord record = RandomGame(board, seed == 2, seed * 7, 60);
    text += WritePgn(record);
    ends.push_back(text.size());
  }
  for (std::size_t cut = 0; cut <= text.size(); ++cut) {
    const std::vector<TPgnGame> games = ReadPgn(std::string_view(text).substr(0, cut));
    std::size_t whole = 0;
    while (whole < ends.size() && ends[whole] - 2 <= cut) ++whole;  // the blank line at the end may go
    ASSERT_GE(games.size(), whole) << cut;
    for (std::size_t k = 0; k < whole; ++k) ASSERT_TRUE(games[k].Game) << cut << ": " << games[k].Error;
    for (std::size_t k = whole; k < games.size(); ++k) {
      // What follows the last whole game is refused, unless the cut fell right after a move's result.
      EXPECT_TRUE(!games[k].Game || k == whole) << cut;
    }
  }
}

TEST(PgnTest, HostileTextNeverCrashesNorHangs) {
  std::mt19937 rng(29);
  const std::string alphabet = "[]{}()\";%$!?.-=+#x0123456789abcdefghKQRBNPO \n\r\\";
  for (int n = 0; n < 2000; ++n) {
    std::string text;
    const std::size_t size = rng() % 200;
    for (std::size_t k = 0; k < size; ++k) text += alphabet[rng() % alphabet.size()];
    for (const TPgnGame& game : ReadPgn(text)) {
      EXPECT_EQ(game.Game.has_value(), game.Error.empty());
      if (game.Game) {
        EXPECT_LE(LongestLine(WritePgn(*game.Game)), 80u);
      }
    }
  }
  EXPECT_TRUE(ReadPgn("").empty());
  EXPECT_TRUE(ReadPgn("\xEF\xBB\xBF \r\n% only an escape\n").empty());
}

}  // namespace zelmar
