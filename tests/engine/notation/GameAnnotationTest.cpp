// The computer's judgement of games: its scores are the plain search's, the played move's value is the one
// the search's own tree gives it, a hung queen is a blunder with the best move named, and the judgement
// written into a game reads back and replaces an earlier one.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <string_view>

#include "engine/BoardRoot.h"
#include "engine/ChessBrd.h"
#include "engine/notation/GameAnnotation.h"
#include "engine/notation/Pgn.h"
#include "engine/notation/San.h"
#include "engine/search/ChessSearch.h"

namespace zelmar {
namespace {

// The one game of a PGN text, read in the given mode.
TGameRecord GameOf(std::string_view movetext, TPgnMode mode = TPgnMode::Standard) {
  const std::vector<TPgnGame> games = ReadPgn(std::string(movetext) + " *\n", mode);
  EXPECT_EQ(games.size(), 1u);
  EXPECT_TRUE(games.at(0).Game) << games.at(0).Error;
  return *games.at(0).Game;
}

// What a fresh computer player's search at `level` finds in the position after `plies` moves of the game.
struct TPlainSearch {
  int Score = 0;  // from the side to move
  std::string BestSan;
  bool WhiteToMove = true;
};
TPlainSearch PlainSearch(const TGameRecord& game, std::size_t plies, int level) {
  TGameRecord prefix = game;
  prefix.Moves.resize(plies);
  prefix.ShownPly = static_cast<int>(plies);
  TChessBrd board;
  std::string error;
  EXPECT_TRUE(PlayRecord(prefix, board, &error)) << error;
  auto search = std::make_unique<TChessSearch>();
  search->SetZelmarMode(game.Zelmar);
  search->RunSearch(RootFromBoard(board, level));
  const TSearchMove best = search->BestMove();
  TGameMove move{SquareOf(best.From + 1), SquareOf(best.To + 1),
                 (best.Flags & mfPromotion) != 0 ? "nbrq"[best.Promotion - kKnight] : '\0', ""};
  return {search->LastScore(), MoveToSan(board, move), board.WhiteToMove()};
}

TEST(GameAnnotationTest, ScoresAndBestMovesAreThePlainSearchsInBothModes) {
  const std::string movetext =
      "1. e4 e5 2. Nf3 Nc6 3. Bc4 Nf6 4. Ng5 d5 5. exd5 Nxd5 6. Nxf7 Kxf7 7. Qf3+ Ke6";
  for (const TPgnMode mode : {TPgnMode::Standard, TPgnMode::Zelmar}) {
    const TGameRecord game = GameOf(movetext, mode);
    SCOPED_TRACE(game.Zelmar ? "zelmar" : "standard");
    for (const int level : {1, 3}) {
      TGameAnnotator annotator(level);
      const std::optional<TGameJudgement> judgement = annotator.Judge(game);
      ASSERT_TRUE(judgement);
      ASSERT_EQ(judgement->Moves.size(), game.Moves.size());
      TSideJudgement sides[2];
      for (std::size_t k = 0; k < game.Moves.size(); ++k) {
        const TMoveJudgement& judged = judgement->Moves[k];
        const TPlainSearch before = PlainSearch(game, k, level);
        const TPlainSearch after = PlainSearch(game, k + 1, level);
        EXPECT_EQ(judged.WhiteScore, after.WhiteToMove ? after.Score : -after.Score) << "move " << k;
        EXPECT_EQ(judged.BestSan, before.BestSan);
        EXPECT_EQ(judged.BestValue, before.Score);
        // The played move is worth at most the best; the best move itself loses nothing.
        EXPECT_LE(judged.PlayedValue, judged.BestValue);
        if (game.Moves[k].San == judged.BestSan) {
          EXPECT_EQ(judged.Loss, 0);
        }
        EXPECT_EQ(judged.Loss, std::max(0, std::clamp(judged.BestValue, -kLossCap, kLossCap) -
                                               std::clamp(judged.PlayedValue, -kLossCap, kLossCap)));
        TSideJudgement& side = sides[k % 2];
        ++side.Moves;
        side.Loss += judged.Loss;
        side.Mistakes += judged.Loss >= kMistakeLoss && judged.Loss < kBlunderLoss;
        side.Blunders += judged.Loss >= kBlunderLoss;
      }
      for (const auto& [found, counted] :
           {std::pair{judgement->White, sides[0]}, {judgement->Black, sides[1]}}) {
        EXPECT_EQ(found.Moves, counted.Moves);
        EXPECT_EQ(found.Mistakes, counted.Mistakes);
        EXPECT_EQ(found.Blunders, counted.Blunders);
        EXPECT_EQ(found.Loss, counted.Loss);
      }
    }
  }
}

// Every legal reply in one position, each judged as the game's last move: the best of their values is the
// search's score of the position, so each value is the one the search's own tree gives the move.
TEST(GameAnnotationTest, ThePlayedMovesValueIsTheOneTheSearchGivesIt) {
  for (const TPgnMode mode : {TPgnMode::Standard, TPgnMode::Zelmar}) {
    const TGameRecord game = GameOf("1. e4 e5 2. Qh5 Nc6 3. Bc4", mode);
    TChessBrd board;
    ASSERT_TRUE(PlayRecord(game, board));
    TGameAnnotator annotator(2);
    int best = -Infinity, zeroLosses = 0, replies = 0;
    for (int from = 1; from <= 64; ++from) {
      for (int to = 1; to <= 64; ++to) {
        if (!board.IsLegalMove(SquareOf(from), SquareOf(to))) continue;
        TGameRecord line = game;
        line.Moves.push_back(TGameMove{SquareOf(from), SquareOf(to), 0, ""});
        const auto judgement = annotator.Judge(line);
        ASSERT_TRUE(judgement);
        const TMoveJudgement& judged = judgement->Moves.back();
        best = std::max(best, judged.PlayedValue);
        zeroLosses += judged.Loss == 0;
        ++replies;
        EXPECT_EQ(judged.BestValue, PlainSearch(game, game.Moves.size(), 2).Score);
      }
    }
    EXPECT_GT(replies, 20);
    EXPECT_EQ(best, PlainSearch(game, game.Moves.size(), 2).Score);
    EXPECT_GE(zeroLosses, 1);
  }
}

TEST(GameAnnotationTest, AHungQueenIsABlunderWithTheBestMoveNamed) {
  TGameRecord game = GameOf("1. e4 e5 2. Qh5 d6 {a plan} 3. Qxf7+ Kxf7 4. Nf3");
  TGameAnnotator annotator;
  const auto judgement = annotator.Judge(game);
  ASSERT_TRUE(judgement);
  EXPECT_EQ(judgement->White.Blunders, 1);
  EXPECT_EQ(judgement->Black.Blunders + judgement->Black.Mistakes, 0);
  const TMoveJudgement& blunder = judgement->Moves[4];
  EXPECT_GE(blunder.Loss, kBlunderLoss);
  const TGameRecord annotated = Annotated(game, *judgement);
  const TGameMove& move = annotated.Moves[4];
  EXPECT_EQ(move.Nags, std::vector<int>{kBlunderNag});
  ASSERT_FALSE(move.Comments.empty());
  EXPECT_EQ(move.Comments[0],
            "[%eval " + EvalText(*blunder.WhiteScore) + "] Blunder. " + blunder.BestSan + " was best.");
  EXPECT_EQ(
      annotated.Moves[3].Comments,
      (std::vector<std::string>{"[%eval " + EvalText(*judgement->Moves[3].WhiteScore) + "]", "a plan"}));
  EXPECT_NE(annotated.LeadComment.find("White 0 mistakes, 1 blunder, average loss"), std::string::npos);
  EXPECT_EQ(*FindTag(annotated, kAnnotatedTag), std::to_string(kDefaultAnnotationLevel));

  // Written and read back: the same moves with the judgement; judged again, the same text, not twice.
  const std::string text = WritePgn(annotated);
  const std::vector<TPgnGame> back = ReadPgn(text);
  ASSERT_EQ(back.size(), 1u);
  ASSERT_TRUE(back[0].Game);
  ASSERT_EQ(back[0].Game->Moves.size(), game.Moves.size());
  for (std::size_t k = 0; k < game.Moves.size(); ++k) {
    EXPECT_EQ(back[0].Game->Moves[k].San, game.Moves[k].San);
    EXPECT_EQ(back[0].Game->Moves[k].Nags, annotated.Moves[k].Nags);
    EXPECT_EQ(back[0].Game->Moves[k].Comments, annotated.Moves[k].Comments);
  }
  EXPECT_EQ(WritePgn(Annotated(*back[0].Game, *judgement)), text);
}

TEST(GameAnnotationTest, MatesAndEvaluationTexts) {
  EXPECT_EQ(EvalText(0), "0.00");
  EXPECT_EQ(EvalText(35), "0.35");
  EXPECT_EQ(EvalText(-120), "-1.20");
  EXPECT_EQ(EvalText(-5), "-0.05");
  EXPECT_EQ(EvalText(Infinity - 5), "#3");
  EXPECT_EQ(EvalText(-(Infinity - 4)), "#-2");
  // Fool's mate: the mating move has no evaluation, the one before it a mate in one for Black.
  const TGameRecord game = GameOf("1. f3 e5 2. g4 Qh4#");
  const auto judgement = TGameAnnotator(2).Judge(game);
  ASSERT_TRUE(judgement);
  EXPECT_EQ(EvalText(*judgement->Moves[2].WhiteScore), "#-1");
  EXPECT_GE(judgement->Moves[2].Loss, kBlunderLoss);
  EXPECT_FALSE(judgement->Moves[3].WhiteScore);
  // A stopped annotator judges nothing.
  TGameAnnotator stopped(2);
  stopped.Stop();
  EXPECT_FALSE(stopped.Judge(game));
}

}  // namespace
}  // namespace zelmar
