// A game as its moves in notation, with its end, its result and its tags, and its passage to and from a
// board.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/ChessBrd.h"
#include "engine/Square.h"

namespace zelmar {

// The piece a pawn becomes when a move names none.
inline constexpr char kDefaultPromotion = 'q';

// One move of a game: the squares and, for a pawn reaching the last rank, the piece it becomes.
struct TGameMove {
  Square From = Square::None;
  Square To = Square::None;
  char Promotion = 0;          // 'q', 'r', 'b' or 'n' for a promotion (lower case whatever the side), else 0
  std::string San;             // standard algebraic notation in its position ("Nf3", "exd6", "e8=Q+", "O-O")
  std::vector<int> Nags = {};  // numeric annotation glyphs after the move (2 for "?", 4 for "??"), in order
  std::vector<std::string> Comments = {};  // the comments after the move, without braces, in order
};

// How the position after a line's last move ends the game by this game's own rules (no fifty-move rule;
// repetition compares the placement only; no mating material as the board decides it). Where several draws
// hold at once it is the last one the board reports (stalemate, then no mating material, then repetition).
enum class TGameEnd { None, Mate, Stalemate, NoMatingMaterial, ThreefoldRepetition };

struct TGameRecord {
  bool Zelmar = false;           // Zelmar mode (PGN tag Variant "zelmar")
  std::vector<TGameMove> Moves;  // the whole recorded line from the initial position, including the moves
                                 // after a take-back that can still be replayed
  int ShownPly = 0;              // half-moves played in the position shown (Moves.size() unless stepped back)
  TGameEnd End = TGameEnd::None;  // how the line's last position ends the game
  std::string Result = "*";       // "1-0", "0-1", "1/2-1/2" or "*"; follows End when End is not None
  // Every tag but Result, Variant, SetUp, FEN and Termination, in order: the writer puts the other six of the
  // seven standard ones first in the standard order ("?" when missing), then the rest in this order.
  std::vector<std::pair<std::string, std::string>> Tags;
  std::string LeadComment;  // the comment before the first move, without braces; empty for none
};

// The value of tag `name` in `record`, or nullptr.
const std::string* FindTag(const TGameRecord& record, std::string_view name);
// Sets tag `name` to `value`, replacing its value where it is present and appending it otherwise.
void SetTag(TGameRecord& record, std::string_view name, std::string value);

// The game a board holds: mode, its record up to the end bound with the SAN of every move, the position
// shown, End and Result (Tags and LeadComment empty, or taken from `previous`). The SAN of the moves that
// `previous` shares with the board's line are reused, so one more move costs one move's notation.
TGameRecord RecordFromBoard(const TChessBrd& board, const TGameRecord* previous = nullptr);

// How the position at the end of the board's recorded line ends the game, by the board's own findings.
TGameEnd LineEnd(const TChessBrd& board);
// The result a game's end gives after `plies` half-moves ("1-0", "0-1", "1/2-1/2"); empty for None.
std::string_view EndResult(TGameEnd end, std::size_t plies);
// Whether a text is one of the four results a PGN game may have.
bool IsResultText(std::string_view text);

// Brings `board` to the game: NewGame in the record's mode, every move played without raising the board's
// events and without waking the computer player (its sides must be off), then GoToMove to ShownPly. False
// with the reason ("move 12 (Nxe5): illegal") when a move is illegal; the board is then at a new game.
bool PlayRecord(const TGameRecord& record, TChessBrd& board, std::string* error = nullptr);

}  // namespace zelmar
