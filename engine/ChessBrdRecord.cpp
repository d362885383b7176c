// The move record: writing the positions played and stepping back and forward through them.
#include "engine/ChessBrd.h"

namespace zelmar {

MoveInfo& TChessBrd::RecordCurrentPosition() {
  MoveInfo& entry = record_.Entry(currentMove_, whiteToMove_);
  entry.Position = GetPosition();
  entry.Castling = castlingAllowed_;
  entry.EnPassant = enPassant_;
  return entry;
}

// A played move makes its position the end of the game; whatever was recorded from there on belonged
// to a line that was stepped back over and is emptied, so it can never count as a repetition.
void TChessBrd::MoveEndBoundHere() {
  historyEndMove_ = currentMove_;
  historyEndWhiteToMove_ = whiteToMove_;
  record_.EmptyFrom(currentMove_, whiteToMove_);
}

// Loads a recorded position between the start and end bounds; the end bound stays, so the line can
// be replayed. A position that was never recorded (a set-up position's side before its first move)
// is refused as well, so that stepping never loads an empty board.
bool TChessBrd::GoToMove(int move, bool whiteToMove) {
  StopThinking();
  // 1. Refuse positions after the end bound or before the start bound.
  if (move > historyEndMove_ || (move == historyEndMove_ && historyEndWhiteToMove_ && !whiteToMove))
    return false;
  if (move < historyStartMove_ || (move == historyStartMove_ && !historyStartWhiteToMove_ && whiteToMove)) {
    return false;
  }
  const MoveInfo* entry = record_.Find(move, whiteToMove);
  if (entry == nullptr) return false;
  // 2. Make it the current position.
  currentMove_ = move;
  whiteToMove_ = whiteToMove;
  std::copy(entry->Position.begin(), entry->Position.end(), board_.begin() + 1);
  enPassant_ = entry->EnPassant;
  castlingAllowed_ = entry->Castling;
  return true;
}

bool TChessBrd::MoveBack() {
  return whiteToMove_ ? GoToMove(currentMove_ - 1, false) : GoToMove(currentMove_, true);
}

bool TChessBrd::MoveForward() {
  return whiteToMove_ ? GoToMove(currentMove_, false) : GoToMove(currentMove_ + 1, true);
}

}  // namespace zelmar
