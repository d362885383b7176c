// A game as the chess protocols see it: a start position, the moves played since, the legality of
// moves given as text, and the root that the next search starts from.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/search/SearchDefs.h"

namespace zelmar {

class TSearchBoard;

// The FEN of the initial position, the same in standard chess and with the Zelmar.
inline constexpr std::string_view StartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// How a position ends the game, seen from the side to move.
enum class TGameEnd { None, WhiteMates, BlackMates, Stalemate };

class TProtocolGame {
 public:
  TProtocolGame();
  ~TProtocolGame();
  TProtocolGame(TProtocolGame&&) noexcept;
  TProtocolGame& operator=(TProtocolGame&&) noexcept;

  // The initial position, no moves played; the mode is kept.
  void NewGame();
  // Sets up a FEN position after checking that it can arise in a game; a refused FEN leaves
  // everything as it was and says why in error.
  bool SetFen(std::string_view fen, std::string& error);

  bool ZelmarMode() const { return Zelmar; }
  void SetZelmarMode(bool on) { Zelmar = on; }

  // The legal move named by coordinate text ("e2e4", "e7e8q"), or false with the reason.
  bool FindMove(std::string_view text, TSearchMove& move, std::string& error) const;
  // Plays the legal move named by the text; a refused move changes nothing.
  bool PlayText(std::string_view text, std::string& error);
  // Plays a move known to be legal here (the search's own answer).
  void Play(TSearchMove move);
  // Takes the last move back; false when none was played since the start position.
  bool Undo();

  std::vector<TSearchMove> LegalMoves() const;
  TGameEnd End() const;
  const TSearchRoot& Position() const { return History.back(); }
  bool WhiteToMove() const { return Position().WhiteToMove; }
  // Moves (half-moves) played since the start position.
  int MovesPlayed() const { return static_cast<int>(History.size()) - 1; }
  // The current position as a search root to the given depth.
  TSearchRoot SearchRoot(int depth) const;
  std::string Fen() const;

 private:
  // The position after a move, worked out by the search's own make-move.
  TSearchRoot After(const TSearchRoot& from, TSearchMove move) const;
  std::string CheckPosition(const TSearchRoot& root) const;

  // The positions of the game: the start first, the current one last.
  std::vector<TSearchRoot> History;
  bool Zelmar = false;
  // A scratch board for move generation and legality; never searched.
  std::unique_ptr<TSearchBoard> Rules;
};

}  // namespace zelmar
