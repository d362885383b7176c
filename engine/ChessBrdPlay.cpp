// Playing a move: the piece, capture, promotion, en passant, castling, rights, and their events.
#include <cctype>

#include "engine/ChessBrd.h"

namespace zelmar {

namespace {

// Whether a promotion letter names a piece a pawn may become (either case).
bool IsPromotionLetter(char c) {
  const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower == 'n' || lower == 'b' || lower == 'r' || lower == 'q';
}

}  // namespace

// Plays a legal move: events in the order legal move, capture, promotion, en-passant capture,
// castle, then the end-of-game findings and a paint.
bool TChessBrd::PlayMove(Square oldSq, Square newSq) {
  // 1. A new move ends any game-end handler of the one before it.
  inGameEndEvent_ = false;
  if (!IsLegalMove(oldSq, newSq)) return false;
  RaiseGeneration();
  // 2. Record the position the move is played from.
  MoveInfo& before = RecordCurrentPosition();
  before.FromSq = oldSq;
  before.ToSq = newSq;
  // 3. Move the piece.
  const char captured = board_[Ord(newSq)];
  board_[Ord(newSq)] = board_[Ord(oldSq)];
  board_[Ord(oldSq)] = ' ';
  const Square previousEnPassant = enPassant_;
  // 4. Hand the move to the other side; the record ends here now.
  if (!whiteToMove_) ++currentMove_;
  whiteToMove_ = !whiteToMove_;
  MoveEndBoundHere();
  // 5. Report the move and its consequences in order.
  if (OnLegalMove) OnLegalMove(*this, oldSq, newSq);
  if (captured != ' ' && OnCapture) OnCapture(*this, oldSq, newSq, captured);
  ApplyPromotion(oldSq, newSq);
  ApplyEnPassantCapture(oldSq, newSq, previousEnPassant);
  const char mover = board_[Ord(newSq)];
  const bool doubleStep = (mover == 'P' && RankOf(oldSq) == 2 && RankOf(newSq) == 4) ||
                          (mover == 'p' && RankOf(oldSq) == 7 && RankOf(newSq) == 5);
  enPassant_ = doubleStep ? static_cast<Square>((Ord(oldSq) + Ord(newSq)) / 2) : Square::None;
  ApplyCastlingRook(oldSq, newSq);
  UpdateCastlingRights(oldSq, newSq, captured != ' ');
  // 6. Check, then the end-of-game findings.
  const bool givesCheck = WhiteKingAttackedAfter(newSq, newSq) || BlackKingAttackedAfter(newSq, newSq);
  RunGameEndTests(oldSq, newSq, givesCheck);
  return true;
}

// The answer's generation is named for the events of its move and the one before put back after them
// (a move's events may lead to another answer only through the board's own calls).
bool TChessBrd::PlayAnswer(Square oldSq, Square newSq, std::uint64_t generation) {
  struct TRestore {
    std::optional<std::uint64_t>& Field;
    std::optional<std::uint64_t> Outer;
    ~TRestore() { Field = Outer; }
  } restore{answerInPlay_, answerInPlay_};
  answerInPlay_ = generation;
  return PlayMove(oldSq, newSq);
}

// The game's move call: the worker is parked while the move is played and restarted afterwards,
// whether the move was played or refused.
bool TChessBrd::MakeMove(Square oldSq, Square newSq) {
  // StopThinking, except that a search the worker started ahead of time stays for the move to take over.
  ParkWorker();
  halted_ = true;
  const bool played = PlayMove(oldSq, newSq);
  halted_ = false;
  StartThinking();
  return played;
}

// A pawn on the last rank becomes the piece the promotion handler chose; an unknown letter gives a queen.
void TChessBrd::ApplyPromotion(Square oldSq, Square newSq) {
  const char piece = board_[Ord(newSq)];
  const int rank = RankOf(newSq);
  if ((piece != 'P' && piece != 'p') || (rank != 8 && rank != 1)) return;
  if (OnPromotion) OnPromotion(*this, oldSq, newSq, promotionPiece_);
  if (!IsPromotionLetter(promotionPiece_)) promotionPiece_ = 'q';
  const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(promotionPiece_)));
  board_[Ord(newSq)] = rank == 8 ? upper : static_cast<char>(upper + 32);
}

// A pawn that went onto the square passed over by the enemy's double step takes the pawn beside it.
void TChessBrd::ApplyEnPassantCapture(Square oldSq, Square newSq, Square previousEnPassant) {
  if (newSq != previousEnPassant) return;
  const char piece = board_[Ord(newSq)];
  Square victim = Square::None;
  if (RankOf(newSq) == 6 && piece == 'P') victim = SquareAt(FileOf(newSq), 5);
  if (RankOf(newSq) == 3 && piece == 'p') victim = SquareAt(FileOf(newSq), 4);
  if (victim == Square::None) return;
  if (OnCapture) OnCapture(*this, oldSq, newSq, board_[Ord(victim)]);
  board_[Ord(victim)] = ' ';
}

// A king's castling move brings its rook beside it.
void TChessBrd::ApplyCastlingRook(Square oldSq, Square newSq) {
  const char king = board_[Ord(newSq)];
  Square rookFrom = Square::None, rookTo = Square::None;
  if (king == 'K' && oldSq == Square::E1) {
    if (newSq == Square::G1) rookFrom = Square::H1, rookTo = Square::F1;
    if (newSq == Square::C1) rookFrom = Square::A1, rookTo = Square::D1;
  } else if (king == 'k' && oldSq == Square::E8) {
    if (newSq == Square::G8) rookFrom = Square::H8, rookTo = Square::F8;
    if (newSq == Square::C8) rookFrom = Square::A8, rookTo = Square::D8;
  }
  if (rookFrom == Square::None) return;
  board_[Ord(rookTo)] = king == 'K' ? 'R' : 'r';
  board_[Ord(rookFrom)] = ' ';
  if (OnCastle) OnCastle(*this, oldSq, newSq);
}

// A move from a king's or rook's home square ends its rights; so does a capture on a rook's corner,
// since any rook that reaches that corner later has moved.
void TChessBrd::UpdateCastlingRights(Square oldSq, Square newSq, bool capture) {
  for (Square sq : {oldSq, capture ? newSq : Square::None}) {
    switch (sq) {
      case Square::A8:
        castlingAllowed_.Exclude(BlackQueenSide);
        break;
      case Square::H8:
        castlingAllowed_.Exclude(BlackKingSide);
        break;
      case Square::A1:
        castlingAllowed_.Exclude(WhiteQueenSide);
        break;
      case Square::H1:
        castlingAllowed_.Exclude(WhiteKingSide);
        break;
      default:
        break;
    }
  }
  if (oldSq == Square::E8) {
    castlingAllowed_.Exclude(BlackQueenSide);
    castlingAllowed_.Exclude(BlackKingSide);
  }
  if (oldSq == Square::E1) {
    castlingAllowed_.Exclude(WhiteQueenSide);
    castlingAllowed_.Exclude(WhiteKingSide);
  }
}

}  // namespace zelmar
