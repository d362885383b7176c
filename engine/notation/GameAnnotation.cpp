// Judging a game's moves with the computer player's search, and writing the judgement into the game.
#include "engine/notation/GameAnnotation.h"

#include <algorithm>
#include <cstdlib>
#include <regex>
#include <string_view>
#include <utility>

#include "engine/BoardRoot.h"
#include "engine/ChessBrd.h"
#include "engine/notation/San.h"
#include "engine/notation/ScratchBoard.h"
#include "engine/search/ChessSearch.h"

namespace zelmar {

namespace {

// Scores this close to the search's infinity are mates; the distance is in plies.
constexpr int kMateScore = Infinity - MaxPly;
constexpr int kCentipawnsPerPawn = 100;
// The promotion letters in the order of the search's promotion kinds (kKnight = 1 .. kQueen = 4).
constexpr std::string_view kPromotionLetters = "nbrq";
constexpr std::string_view kMistakeWord = "Mistake.";
constexpr std::string_view kBlunderWord = "Blunder.";
constexpr std::string_view kWasBest = "was best.";
// The move marks from "!" to "?!", which a mistake's or a blunder's glyph replaces.
constexpr int kFirstMoveMark = 1, kLastMoveMark = 6;

// What an earlier judgement wrote, to take out before writing a new one: the evaluation command anywhere
// in a comment, a comment that only names the best move, and the summary in the lead comment.
const std::regex& EvalCommand() {
  static const std::regex pattern(R"(\s*\[%eval [^\]]*\]\s*)");
  return pattern;
}
const std::regex& Verdict() {
  static const std::regex pattern(R"((Mistake|Blunder)\. \S+ was best\.)");
  return pattern;
}
const std::regex& Summary() {
  static const std::regex pattern(
      R"(\s*Computer judgement at level \d+, average loss in centipawns: White [^;]*; Black [^.]*\.)");
  return pattern;
}

std::string Trimmed(std::string text) {
  const auto space = [](char c) { return c == ' '; };
  while (!text.empty() && space(text.back())) text.pop_back();
  std::size_t start = 0;
  while (start < text.size() && space(text[start])) ++start;
  return text.substr(start);
}

// The move of the game as the search writes it, found among the position's moves; false when absent.
bool FindSearchMove(TChessSearch& search, const TGameMove& move, TSearchMove& found) {
  const int from = Ord(move.From) - 1, to = Ord(move.To) - 1;
  // A pawn reaching the last rank without a letter becomes what the board makes of it.
  const std::size_t letter = kPromotionLetters.find(move.Promotion != 0 ? move.Promotion : kDefaultPromotion);
  const int kind = letter == std::string_view::npos ? kQueen : kKnight + static_cast<int>(letter);
  search.GenerateMoves();
  for (int i = search.ListBegin(); i < search.ListFinish(); ++i) {
    const TSearchMove m = search.ListEntry(i).Move;
    const bool promotes = (m.Flags & mfPromotion) != 0;
    if (m.From == from && m.To == to && (!promotes || m.Promotion == kind)) {
      found = m;
      return true;
    }
  }
  return false;
}

// The search's move as a move of the game.
TGameMove GameMoveOf(TSearchMove m) {
  TGameMove move;
  move.From = SquareOf(m.From + 1);
  move.To = SquareOf(m.To + 1);
  if ((m.Flags & mfPromotion) != 0 && m.Promotion >= kKnight && m.Promotion <= kQueen)
    move.Promotion = kPromotionLetters[m.Promotion - kKnight];
  return move;
}

int Capped(int value) {
  return std::clamp(value, -kLossCap, kLossCap);
}

std::string Plural(int count, std::string_view word) {
  return std::to_string(count) + ' ' + std::string(word) + (count == 1 ? "" : "s");
}

std::string SideSummary(std::string_view side, const TSideJudgement& s) {
  return std::string(side) + ' ' + Plural(s.Mistakes, "mistake") + ", " + Plural(s.Blunders, "blunder") +
         ", average loss " + std::to_string(s.AverageLoss());
}

std::string SummaryText(const TGameJudgement& judgement) {
  return "Computer judgement at level " + std::to_string(judgement.Level) +
         ", average loss in centipawns: " + SideSummary("White", judgement.White) + "; " +
         SideSummary("Black", judgement.Black) + ".";
}

// A move's comments without an earlier judgement's words (and, when `ours`, its verdicts too).
std::vector<std::string> CleanComments(const std::vector<std::string>& comments, bool ours) {
  std::vector<std::string> kept;
  for (const std::string& comment : comments) {
    std::string text = Trimmed(std::regex_replace(comment, EvalCommand(), " "));
    if (ours) text = Trimmed(std::regex_replace(text, Verdict(), ""));
    if (!text.empty()) kept.push_back(std::move(text));
  }
  return kept;
}

}  // namespace

int TSideJudgement::AverageLoss() const {
  return Moves == 0 ? 0 : static_cast<int>((Loss + Moves / 2) / Moves);
}

std::string EvalText(int whiteScore) {
  const int size = std::abs(whiteScore);
  const std::string sign = whiteScore < 0 ? "-" : "";
  if (size >= kMateScore) {
    const int plies = Infinity - size;
    return "#" + sign + std::to_string((plies + 1) / 2);
  }
  const int hundredths = size % kCentipawnsPerPawn;
  return sign + std::to_string(size / kCentipawnsPerPawn) + (hundredths < 10 ? ".0" : ".") +
         std::to_string(hundredths);
}

TGameAnnotator::TGameAnnotator(int level) : level_(level), search_(std::make_unique<TChessSearch>()) {}

TGameAnnotator::~TGameAnnotator() = default;

void TGameAnnotator::Stop() {
  search_->StopRequest = true;
  stopped_ = true;
}

std::optional<TGameJudgement> TGameAnnotator::Judge(const TGameRecord& game, std::string* error,
                                                    const TProgress& progress) {
  TGameJudgement judgement;
  judgement.Level = level_;
  TChessBrd board;
  board.SetZelmarMode(game.Zelmar);
  board.NewGame();
  search_->SetZelmarMode(game.Zelmar);
  const int total = static_cast<int>(game.Moves.size());
  // The position before each move: its best move and value, then the played move's value searched in the
  // same tree (the tables of the same root, the depth the root search gives its moves).
  TSearchRoot root = RootFromBoard(board, level_);
  search_->SetCarriedLine({});
  search_->RunSearch(root);
  for (int k = 0; k < total; ++k) {
    if (stopped_) return std::nullopt;
    const TGameMove& move = game.Moves[static_cast<std::size_t>(k)];
    TMoveJudgement judged;
    judged.BestValue = search_->LastScore();
    const TSearchMove best = search_->BestMove();
    TGameMove bestMove = GameMoveOf(best);
    judged.BestSan = MoveToSan(board, bestMove);
    search_->LoadRoot(root);
    const bool rootInCheck = search_->InCheck(search_->SideToMove());
    TSearchMove played;
    if (!FindSearchMove(*search_, move, played) || !search_->DoMove(played)) {
      if (error) {
        *error = "move " + std::to_string(k / 2 + 1) + (k % 2 == 0 ? " (" : "... (") +
                 (move.San.empty() ? SquareName(move.From) + SquareName(move.To) : move.San) + "): illegal";
      }
      return std::nullopt;
    }
    if (played == best) {
      judged.PlayedValue = judged.BestValue;
    } else {
      const int depth = level_ - 1 + (rootInCheck ? 1 : 0);
      judged.PlayedValue = -search_->SearchAtPly(1, depth);
    }
    search_->UndoMove();
    if (stopped_) return std::nullopt;
    judged.Loss = std::max(0, Capped(judged.BestValue) - Capped(judged.PlayedValue));

    board.SetPromotionPiece(move.Promotion != 0 ? move.Promotion : kDefaultPromotion);
    if (!board.PlayMove(move.From, move.To)) {
      if (error) *error = "move " + std::to_string(k / 2 + 1) + ": illegal";
      return std::nullopt;
    }
    // The position after the move: its score is the move's evaluation and its best move the next one's.
    root = RootFromBoard(board, level_);
    // A game ended by mate has no evaluation after its last move, and one drawn by the rules 0.
    const bool noMove = !board.HasLegalMove();
    if (k + 1 == total && (noMove || game.End != TGameEnd::None)) {
      if (!(noMove && SideToMoveInCheck(board))) judged.WhiteScore = 0;
    } else {
      search_->SetCarriedLine({});
      search_->RunSearch(root);
      if (stopped_) return std::nullopt;
      judged.WhiteScore = board.WhiteToMove() ? search_->LastScore() : -search_->LastScore();
    }
    TSideJudgement& side = k % 2 == 0 ? judgement.White : judgement.Black;
    ++side.Moves;
    side.Loss += judged.Loss;
    if (judged.Loss >= kBlunderLoss) {
      ++side.Blunders;
    } else if (judged.Loss >= kMistakeLoss) {
      ++side.Mistakes;
    }
    judgement.Moves.push_back(std::move(judged));
    if (progress) progress(k + 1, total);
  }
  return judgement;
}

TGameRecord Annotated(const TGameRecord& game, const TGameJudgement& judgement) {
  TGameRecord out = game;
  const bool ours = FindTag(game, kAnnotatedTag) != nullptr;
  for (std::size_t k = 0; k < out.Moves.size() && k < judgement.Moves.size(); ++k) {
    TGameMove& move = out.Moves[k];
    const TMoveJudgement& judged = judgement.Moves[k];
    move.Comments = CleanComments(move.Comments, ours);
    if (ours) std::erase_if(move.Nags, [](int nag) { return nag == kMistakeNag || nag == kBlunderNag; });
    std::string comment;
    if (judged.WhiteScore) comment = "[%eval " + EvalText(*judged.WhiteScore) + "]";
    if (judged.Loss >= kMistakeLoss) {
      const bool blunder = judged.Loss >= kBlunderLoss;
      if (!comment.empty()) comment += ' ';
      comment += std::string(blunder ? kBlunderWord : kMistakeWord) + ' ' + judged.BestSan + ' ' +
                 std::string(kWasBest);
      std::erase_if(move.Nags, [](int nag) { return nag >= kFirstMoveMark && nag <= kLastMoveMark; });
      move.Nags.insert(move.Nags.begin(), blunder ? kBlunderNag : kMistakeNag);
    }
    if (!comment.empty()) move.Comments.insert(move.Comments.begin(), std::move(comment));
  }
  std::string lead = Trimmed(std::regex_replace(out.LeadComment, Summary(), ""));
  if (!lead.empty()) lead += ' ';
  out.LeadComment = lead + SummaryText(judgement);
  SetTag(out, kAnnotatedTag, std::to_string(judgement.Level));
  return out;
}

}  // namespace zelmar
