// The computer's judgement of a game: every position searched as the computer player searches it at one
// level, the evaluation after each move, the moves that lose a pawn or three against the best move, and a
// summary per side, written into the game as PGN comments, glyphs and a tag.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/notation/GameRecord.h"

namespace zelmar {

class TChessSearch;

// The level games are judged at unless another is asked for: deep enough to see a piece lost two moves
// ahead, quick enough that a 40-move game takes one or two seconds of processor time.
inline constexpr int kDefaultAnnotationLevel = 5;
// The tag that marks a game the computer has judged; its value is the level.
inline constexpr const char* kAnnotatedTag = "ZelmarAnnotated";
// A move that loses at least this many centipawns against the best move is a mistake, at least the second
// a blunder; each move's loss counts at most kLossCap in the averages (a missed mate is not 100 pawns).
inline constexpr int kMistakeLoss = 100;
inline constexpr int kBlunderLoss = 300;
inline constexpr int kLossCap = 1000;
// The glyphs of a mistake ("?") and a blunder ("??").
inline constexpr int kMistakeNag = 2;
inline constexpr int kBlunderNag = 4;

// What the search found of one move.
struct TMoveJudgement {
  // The search's score of the position after the move from White's side (centipawns; a mate in n moves
  // is 10000 less the plies to it); none after a mating move.
  std::optional<int> WhiteScore;
  int BestValue = 0;    // the best move's value for the side that moved, in the search's units
  int PlayedValue = 0;  // the played move's value for the same side, searched to the same depth
  int Loss = 0;         // centipawns, each value capped at kLossCap first
  std::string BestSan;  // the best move in the position before the move
};

// One side's moves: how many, the mistakes and blunders among them, and the total loss in centipawns.
struct TSideJudgement {
  int Moves = 0;
  int Mistakes = 0;
  int Blunders = 0;
  std::int64_t Loss = 0;
  // The average loss per move in centipawns, rounded; 0 without moves.
  int AverageLoss() const;
};

struct TGameJudgement {
  int Level = kDefaultAnnotationLevel;
  std::vector<TMoveJudgement> Moves;  // one per move of the game
  TSideJudgement White, Black;
};

// Judges games at one level. Every position is searched by the computer player's search exactly as a fresh
// player searches it at that level (the same move, score and nodes); the played move's value is the one
// that search gives it, so a move the search would play loses nothing.
class TGameAnnotator {
 public:
  // Half-moves judged so far and the game's count.
  using TProgress = std::function<void(int done, int total)>;

  explicit TGameAnnotator(int level = kDefaultAnnotationLevel);
  ~TGameAnnotator();
  TGameAnnotator(const TGameAnnotator&) = delete;
  TGameAnnotator& operator=(const TGameAnnotator&) = delete;

  int Level() const { return level_; }

  // The judgement of every move of the game (in its own mode); nothing when a move is illegal (the reason,
  // naming the move, in *error) or when Stop was called.
  std::optional<TGameJudgement> Judge(const TGameRecord& game, std::string* error = nullptr,
                                      const TProgress& progress = {});
  // From any thread: a running Judge ends within one node of its search, and every later one at once.
  void Stop();
  bool Stopped() const { return stopped_.load(); }

 private:
  int level_;
  std::unique_ptr<TChessSearch> search_;
  std::atomic<bool> stopped_{false};
};

// The game with the judgement written in. After each move: a comment "[%eval 0.35]" ("#3", "#-2" for
// mates, White's view, in pawns), followed for a mistake or a blunder by the best move ("Mistake. Nf3 was
// best."), and the glyph $2 or $4 in place of any other move mark; the comments already there stay after
// it. The lead comment gets the summary of both sides, and the tag kAnnotatedTag the level. A game judged
// before loses the old judgement first, so judging again replaces it.
TGameRecord Annotated(const TGameRecord& game, const TGameJudgement& judgement);

// A search score from White's view as [%eval] writes it: "0.35", "-1.20", "#3", "#-2".
std::string EvalText(int whiteScore);

}  // namespace zelmar
