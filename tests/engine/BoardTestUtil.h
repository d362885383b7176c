// Helpers for the board tests: positions from piece lists, and a log of the events a board raises.
#pragma once

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "engine/ChessBrd.h"

namespace zelmar {

namespace rules_test {

// Square named in coordinates ("e4"); None for anything else.
inline Square Sq(const char* name) {
  return ParseSquare(name).value_or(Square::None);
}

// A 64-character position text holding the given pieces, e.g. {{"e1", 'K'}, {"e8", 'k'}}.
inline std::string Placement(std::initializer_list<std::pair<const char*, char>> pieces) {
  std::string text(64, ' ');
  for (const auto& [name, letter] : pieces) text[Ord(Sq(name)) - 1] = letter;
  return text;
}

// Sets up a position on a fresh record: placement, side to move, castling rights, en passant.
inline void Arrange(TChessBrd& board, const std::string& placement, bool whiteToMove = true,
                    CastleSet rights = CastleSet{}, Square enPassant = Square::None) {
  board.ResetToStart();
  board.SetPosition(placement);
  board.SetWhiteToMove(whiteToMove);
  board.SetCastlingAllowed(rights);
  board.SetEnPassant(enPassant);
}

// Plays moves given in coordinates ("e2e4"); false as soon as one is refused.
inline bool Play(TChessBrd& board, std::initializer_list<const char*> moves) {
  for (const char* m : moves) {
    const std::string text(m);
    if (!board.PlayMove(Sq(text.substr(0, 2).c_str()), Sq(text.substr(2, 2).c_str()))) return false;
  }
  return true;
}

// Records every event of a board as one line ("LegalMove e2 e4", "Capture e5 d6 p", "Draw", ...).
class EventLog {
 public:
  explicit EventLog(TChessBrd& board) {
    auto move = [this](const char* name) {
      return [this, name](TChessBrd&, Square a, Square b) { Add(std::string(name) + " " + Names(a, b)); };
    };
    auto notify = [this](const char* name) { return [this, name](TChessBrd&) { Add(name); }; };
    board.OnLegalMove = move("LegalMove");
    board.OnCheck = move("Check");
    board.OnMate = move("Mate");
    board.OnStaleMate = move("StaleMate");
    board.OnCastle = move("Castle");
    board.OnCapture = [this](TChessBrd&, Square a, Square b, char piece) {
      Add("Capture " + Names(a, b) + " " + piece);
    };
    board.OnPromotion = [this](TChessBrd&, Square a, Square b, char& piece) {
      Add("Promotion " + Names(a, b) + " " + piece);
      if (PromoteTo != 0) piece = PromoteTo;
    };
    board.OnDraw = notify("Draw");
    board.OnNoMatingMaterial = notify("NoMatingMaterial");
    board.OnThreefoldPosition = notify("ThreefoldPosition");
    board.OnPaint = notify("Paint");
  }

  // The lines logged since the last Take, which empties the log.
  std::vector<std::string> Take() { return std::exchange(lines_, {}); }

  char PromoteTo = 0;  // letter the promotion handler answers with; 0 keeps the board's letter

 private:
  static std::string Names(Square a, Square b) { return SquareName(a) + " " + SquareName(b); }
  void Add(std::string line) { lines_.push_back(std::move(line)); }

  std::vector<std::string> lines_;
};

}  // namespace rules_test

}  // namespace zelmar
