#include "engine/MoveRecord.h"

namespace zelmar {

long TMoveRecord::IndexOf(int move, bool whiteToMove) {
  if (move < 1) return -1;
  return (static_cast<long>(move) - 1) * 2 + (whiteToMove ? 0 : 1);
}

const MoveInfo* TMoveRecord::Find(int move, bool whiteToMove) const {
  const long i = IndexOf(move, whiteToMove);
  if (i < 0 || i >= static_cast<long>(entries_.size()) || entries_[i].IsEmpty()) return nullptr;
  return &entries_[i];
}

MoveInfo& TMoveRecord::Entry(int move, bool whiteToMove) {
  long i = IndexOf(move, whiteToMove);
  if (i < 0) i = 0;  // move numbers start at 1; the board never writes below it
  if (i >= static_cast<long>(entries_.size())) entries_.resize(i + 1);
  return entries_[i];
}

void TMoveRecord::EmptyFrom(int move, bool whiteToMove) {
  const long i = IndexOf(move, whiteToMove);
  if (i < 0) {
    entries_.clear();
  } else if (i < static_cast<long>(entries_.size())) {
    entries_.resize(i);
  }
}

}  // namespace zelmar
