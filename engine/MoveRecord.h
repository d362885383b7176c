// The record of a game's positions, one entry per half-move, that the board steps through.
#pragma once

#include <string>
#include <vector>

#include "engine/CastleSet.h"
#include "engine/Square.h"

namespace zelmar {

// One recorded position and the move played from it.
struct MoveInfo {
  std::string Position;          // the 64-character placement; empty for an entry not written in this game
  CastleSet Castling;            // castling rights in that position
  Square FromSq = Square::None;  // the move played from that position, once it is played
  Square ToSq = Square::None;
  Square EnPassant = Square::None;  // en-passant square in that position

  bool IsEmpty() const { return Position.empty(); }
};

// Entries addressed by (move number from 1, side to move), in half-move order; grows with the game.
class TMoveRecord {
 public:
  // The entry of (move, side to move), or nullptr when it was never written or has been emptied.
  const MoveInfo* Find(int move, bool whiteToMove) const;
  // The entry of (move, side to move) for writing, adding empty entries up to it as needed.
  MoveInfo& Entry(int move, bool whiteToMove);
  // Empties the entry of (move, side to move) and every entry after it.
  void EmptyFrom(int move, bool whiteToMove);
  // Empties every entry.
  void Clear() { entries_.clear(); }

 private:
  // Position of (move, side to move) in the half-move order; -1 for move numbers below 1.
  static long IndexOf(int move, bool whiteToMove);

  std::vector<MoveInfo> entries_;
};

}  // namespace zelmar
