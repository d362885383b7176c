// Game end: check, mate, stalemate, no mating material, threefold repetition, and the draw they sum to.
#include "engine/ChessBrd.h"

namespace zelmar {

namespace {

// Material that counts towards mating: 5 for pawn, rook and queen, 3 for a bishop, 2 for a knight; a side
// with less than 5 in all cannot mate.
constexpr int kMatingMaterial = 5;
int MatingValue(char piece) {
  switch (piece | 0x20) {
    case 'p':
    case 'r':
    case 'q':
      return kMatingMaterial;
    case 'b':
      return 3;
    case 'n':
      return 2;
    default:
      return 0;
  }
}

}  // namespace

// Reports what the move just played means for the game, in a fixed order, and records its position.
void TChessBrd::RunGameEndTests(Square oldSq, Square newSq, bool givesCheck) {
  // 1. Whether the side now to move can move at all.
  const bool hasMove = HasLegalMove();
  bool draw = false;
  // 2. Check, and mate when there is no reply.
  if (givesCheck) {
    if (OnCheck) OnCheck(*this, oldSq, newSq);
    if (!hasMove && OnMate) {
      inGameEndEvent_ = true;
      OnMate(*this, oldSq, newSq);
    }
  } else if (!hasMove) {
    // 3. No move without check is stalemate.
    if (OnStaleMate) OnStaleMate(*this, oldSq, newSq);
    draw = true;
  }
  // 4. Neither side has material enough to mate.
  if (NoMatingMaterial()) {
    if (OnNoMatingMaterial) OnNoMatingMaterial(*this);
    draw = true;
  }
  // 5. Record the new position; then the third occurrence of a placement.
  RecordCurrentPosition();
  historyEndMove_ = currentMove_;
  historyEndWhiteToMove_ = whiteToMove_;
  if (IsThreefoldRepetition()) {
    if (OnThreefoldPosition) OnThreefoldPosition(*this);
    draw = true;
  }
  // 6. One draw for all drawn findings, then the paint.
  if (draw && OnDraw) {
    inGameEndEvent_ = true;
    OnDraw(*this);
  }
  if (OnPaint) OnPaint(*this);
}

// Adds up each side's material on the scale above; below a rook's worth neither can mate.
bool TChessBrd::NoMatingMaterial() const {
  int white = 0, black = 0;
  for (int k = 1; k <= 64; ++k) {
    const int colour = PieceColor(static_cast<Square>(k));
    if (colour == 1) white += MatingValue(board_[k]);
    if (colour == 0) black += MatingValue(board_[k]);
  }
  return white < kMatingMaterial && black < kMatingMaterial;
}

// Tries the squares in order and stops at the first legal move.
bool TChessBrd::HasLegalMove() const {
  const int side = whiteToMove_ ? 1 : 0;
  for (int from = 1; from <= 64; ++from) {
    if (PieceColor(static_cast<Square>(from)) != side) continue;
    for (int to = 1; to <= 64; ++to) {
      if (IsLegalMove(static_cast<Square>(from), static_cast<Square>(to))) return true;
    }
  }
  return false;
}

// Counts the earlier half-moves of this game whose placement equals the current entry's.
bool TChessBrd::IsThreefoldRepetition() const {
  const MoveInfo* current = record_.Find(currentMove_, whiteToMove_);
  if (current == nullptr) return false;  // an empty entry never equals a position
  int count = 0;
  int move = currentMove_;
  bool white = whiteToMove_;
  // Walk back one half-move at a time down to (move 1, White to move).
  while (move > 1 || !white) {
    if (white) {
      --move;
      white = false;
    } else {
      white = true;
    }
    const MoveInfo* earlier = record_.Find(move, white);
    if (earlier != nullptr && earlier->Position == current->Position && ++count >= 2) return true;
  }
  return false;
}

}  // namespace zelmar
