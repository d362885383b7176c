// The game record's tags, its end, and its passage to and from a board.
#include "engine/notation/GameRecord.h"

#include <algorithm>
#include <utility>

#include "engine/notation/San.h"
#include "engine/notation/ScratchBoard.h"

namespace zelmar {

namespace {

constexpr std::string_view kWhiteWins = "1-0";
constexpr std::string_view kBlackWins = "0-1";
constexpr std::string_view kDrawn = "1/2-1/2";
constexpr std::string_view kUnfinished = "*";
// Half-moves played before (move, side to move) from the initial position.
int PlyOf(int move, bool whiteToMove) {
  return (move - 1) * 2 + (whiteToMove ? 0 : 1);
}

int MoveOfPly(int ply) {
  return ply / 2 + 1;
}

bool WhiteToMoveAtPly(int ply) {
  return ply % 2 == 0;
}

const MoveInfo* EntryAtPly(const TChessBrd& board, int ply) {
  return board.RecordEntry(MoveOfPly(ply), WhiteToMoveAtPly(ply));
}

// Whether the placement of the entry at `ply` stood at least twice before it in the record.
bool PlacementRepeated(const TChessBrd& board, int ply) {
  const MoveInfo* last = EntryAtPly(board, ply);
  if (last == nullptr) return false;
  int count = 0;
  for (int earlier = 0; earlier < ply; ++earlier) {
    const MoveInfo* entry = EntryAtPly(board, earlier);
    if (entry != nullptr && entry->Position == last->Position) ++count;
  }
  return count >= 2;
}

// Clears the board's events and its promotion letter for as long as it lives, and gives them back after.
class TQuietBoard {
 public:
  explicit TQuietBoard(TChessBrd& board) : board_(board), saved_(Take(board)) {}
  ~TQuietBoard() { Give(board_, std::move(saved_)); }
  TQuietBoard(const TQuietBoard&) = delete;
  TQuietBoard& operator=(const TQuietBoard&) = delete;

 private:
  struct THandlers {
    TMoveEvent LegalMove, Check, Mate, StaleMate, Castle, CalculationFailed;
    TCaptureEvent Capture;
    TOneSquareEvent IllegalMove;
    TPromotionEvent Promotion;
    TThinkEvent CalculateMove;
    TChessBrd::TNotifyEvent Draw, NoMatingMaterial, ThreefoldPosition, Paint;
    char PromotionPiece = 0;
  };

  static THandlers Take(TChessBrd& b) {
    THandlers h{std::exchange(b.OnLegalMove, nullptr),
                std::exchange(b.OnCheck, nullptr),
                std::exchange(b.OnMate, nullptr),
                std::exchange(b.OnStaleMate, nullptr),
                std::exchange(b.OnCastle, nullptr),
                std::exchange(b.OnCalculationFailed, nullptr),
                std::exchange(b.OnCapture, nullptr),
                std::exchange(b.OnIllegalMove, nullptr),
                std::exchange(b.OnPromotion, nullptr),
                std::exchange(b.OnCalculateMove, nullptr),
                std::exchange(b.OnDraw, nullptr),
                std::exchange(b.OnNoMatingMaterial, nullptr),
                std::exchange(b.OnThreefoldPosition, nullptr),
                std::exchange(b.OnPaint, nullptr),
                b.PromotionPiece()};
    return h;
  }

  static void Give(TChessBrd& b, THandlers h) {
    b.OnLegalMove = std::move(h.LegalMove);
    b.OnCheck = std::move(h.Check);
    b.OnMate = std::move(h.Mate);
    b.OnStaleMate = std::move(h.StaleMate);
    b.OnCastle = std::move(h.Castle);
    b.OnCalculationFailed = std::move(h.CalculationFailed);
    b.OnCapture = std::move(h.Capture);
    b.OnIllegalMove = std::move(h.IllegalMove);
    b.OnPromotion = std::move(h.Promotion);
    b.OnCalculateMove = std::move(h.CalculateMove);
    b.OnDraw = std::move(h.Draw);
    b.OnNoMatingMaterial = std::move(h.NoMatingMaterial);
    b.OnThreefoldPosition = std::move(h.ThreefoldPosition);
    b.OnPaint = std::move(h.Paint);
    b.SetPromotionPiece(h.PromotionPiece);
  }

  TChessBrd& board_;
  THandlers saved_;
};

// A new game on a quiet board, with its worker parked.
void StartQuietGame(TChessBrd& board, bool zelmar) {
  board.SetZelmarMode(zelmar);
  board.NewGame();
  board.StopThinking();
}

}  // namespace

const std::string* FindTag(const TGameRecord& record, std::string_view name) {
  for (const auto& [key, value] : record.Tags)
    if (key == name) return &value;
  return nullptr;
}

void SetTag(TGameRecord& record, std::string_view name, std::string value) {
  for (auto& [key, old] : record.Tags) {
    if (key == name) {
      old = std::move(value);
      return;
    }
  }
  record.Tags.emplace_back(std::string(name), std::move(value));
}

// A mate is no draw and comes first; of the draws, the one the board reports last.
TGameEnd LineEnd(const TChessBrd& board) {
  const int endPly = PlyOf(board.HistoryEndMove(), board.HistoryEndWhiteToMove());
  const MoveInfo* last = EntryAtPly(board, endPly);
  if (endPly == 0 || last == nullptr) return TGameEnd::None;
  TChessBrd scratch;
  LoadEntry(*last, WhiteToMoveAtPly(endPly), board.ZelmarMode(), scratch);
  const bool hasMove = scratch.HasLegalMove();
  if (!hasMove && SideToMoveInCheck(scratch)) return TGameEnd::Mate;
  if (PlacementRepeated(board, endPly)) return TGameEnd::ThreefoldRepetition;
  if (scratch.NoMatingMaterial()) return TGameEnd::NoMatingMaterial;
  return hasMove ? TGameEnd::None : TGameEnd::Stalemate;
}

std::string_view EndResult(TGameEnd end, std::size_t plies) {
  switch (end) {
    case TGameEnd::None:
      return {};
    case TGameEnd::Mate:
      return plies % 2 == 1 ? kWhiteWins : kBlackWins;  // the side to move is mated
    default:
      return kDrawn;
  }
}

bool IsResultText(std::string_view text) {
  return text == kWhiteWins || text == kBlackWins || text == kDrawn || text == kUnfinished;
}

TGameRecord RecordFromBoard(const TChessBrd& board, const TGameRecord* previous) {
  TGameRecord record;
  record.Zelmar = board.ZelmarMode();
  if (previous != nullptr) {
    record.Tags = previous->Tags;
    record.LeadComment = previous->LeadComment;
  }
  const int endPly = PlyOf(board.HistoryEndMove(), board.HistoryEndWhiteToMove());
  const bool reuse = previous != nullptr && previous->Zelmar == record.Zelmar;
  bool shared = reuse;
  record.Moves.reserve(static_cast<std::size_t>(endPly));
  for (int ply = 0; ply < endPly; ++ply) {
    const MoveInfo* entry = EntryAtPly(board, ply);
    const MoveInfo* next = EntryAtPly(board, ply + 1);
    if (entry == nullptr || next == nullptr || !OnBoard(entry->FromSq) || !OnBoard(entry->ToSq)) break;
    TGameMove move;
    move.From = entry->FromSq;
    move.To = entry->ToSq;
    // The record keeps no promotion letter; the piece standing on the square after the move tells it.
    const char mover = entry->Position[Ord(move.From) - 1];
    const int rank = RankOf(move.To);
    if ((mover == 'P' && rank == 8) || (mover == 'p' && rank == 1)) {
      move.Promotion = static_cast<char>(next->Position[Ord(move.To) - 1] | 0x20);
    }
    const std::size_t index = record.Moves.size();
    shared = shared && index < previous->Moves.size() && previous->Moves[index].From == move.From &&
             previous->Moves[index].To == move.To && previous->Moves[index].Promotion == move.Promotion;
    if (shared) {
      // The same move as before keeps its notation and whatever was said of it.
      move.San = previous->Moves[index].San;
      move.Nags = previous->Moves[index].Nags;
      move.Comments = previous->Moves[index].Comments;
    } else {
      TChessBrd scratch;
      LoadEntry(*entry, WhiteToMoveAtPly(ply), record.Zelmar, scratch);
      move.San = MoveToSan(scratch, move);
    }
    record.Moves.push_back(std::move(move));
  }
  record.ShownPly =
      std::min(PlyOf(board.CurrentMove(), board.WhiteToMove()), static_cast<int>(record.Moves.size()));
  record.End = LineEnd(board);
  if (record.End != TGameEnd::None) {
    record.Result = EndResult(record.End, record.Moves.size());
  } else if (shared && previous->Moves.size() == record.Moves.size()) {
    record.Result = previous->Result;  // the same game as before: a result it came with (a resignation) stays
  }
  return record;
}

bool PlayRecord(const TGameRecord& record, TChessBrd& board, std::string* error) {
  TQuietBoard quiet(board);
  StartQuietGame(board, record.Zelmar);
  for (std::size_t k = 0; k < record.Moves.size(); ++k) {
    const TGameMove& move = record.Moves[k];
    board.SetPromotionPiece(move.Promotion != 0 ? move.Promotion : kDefaultPromotion);
    if (!board.PlayMove(move.From, move.To)) {
      if (error != nullptr) {
        const std::string text = move.San.empty() ? SquareName(move.From) + SquareName(move.To) : move.San;
        *error = "move " + std::to_string(MoveOfPly(static_cast<int>(k))) + (k % 2 == 0 ? " (" : "... (") +
                 text + "): illegal";
      }
      StartQuietGame(board, record.Zelmar);
      return false;
    }
  }
  const int plies = static_cast<int>(record.Moves.size());
  if (record.ShownPly < 0 || record.ShownPly > plies) {
    if (error != nullptr) {
      *error = "the position shown (half-move " + std::to_string(record.ShownPly) + ") lies outside the game";
    }
    StartQuietGame(board, record.Zelmar);
    return false;
  }
  if (record.ShownPly != plies) board.GoToMove(MoveOfPly(record.ShownPly), WhiteToMoveAtPly(record.ShownPly));
  return true;
}

}  // namespace zelmar
