// The scene's own copy of the board and the piece codes: kept in step with the rules engine by the game
// flow, shown by the board view.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace zelmar::scene {

// Signed piece codes: 0 empty, White positive, Black negative.
inline constexpr int kPawn = 1, kKnight = 2, kBishop = 3, kRook = 4, kQueen = 5, kKing = 6;

struct TSceneBoard {
  // Squares[row - 1][column - 1]; row 1 is rank 8, column 1 is file a.
  std::array<std::array<std::int8_t, 8>, 8> Squares{};
  std::int8_t SideToMove = 1;  // the colour whose move the scene expects next (+1 White)
  std::int8_t HumanSide = 1;   // the colour the player plays
  std::int32_t WhiteSeconds = 0;
  std::int32_t BlackSeconds = 0;
  // Where the perspective board lies on background 1 and 2 ([0] and [1]).
  std::array<std::int32_t, 2> OffsetX{0, 13};
  std::array<std::int32_t, 2> OffsetY{0, 73};
  char PromotionLetter = 'Q';  // the piece letter the engine gets for the player's promotion

  TSceneBoard() { LoadStart(); }

  // The piece on square 1..64 (1 = a8, 64 = h1); 0 for any other number.
  int At(int square) const;
  // Puts a piece code on square 1..64; other numbers are ignored.
  void Put(int square, int code);
  // The start position.
  void LoadStart();
  // Loads the engine's 64-character position text (rank 8 first, a space for an empty square); an unknown
  // letter reads as an empty square.
  void LoadPosition(std::string_view text);
};

// The code of a letter of the engine's position text ("k" -6 ... "K" 6, anything else 0).
int PieceCodeOfLetter(char letter);
// The engine's promotion letter of a code (2 "N" ... -5 "q"); 'q' for any other code.
char PromotionLetterOf(int code);

}  // namespace zelmar::scene
