#include "scene/SceneBoard.h"

namespace zelmar::scene {

int TSceneBoard::At(int square) const {
  if (square < 1 || square > 64) return 0;
  return Squares[static_cast<std::size_t>((square - 1) / 8)][static_cast<std::size_t>((square - 1) % 8)];
}

void TSceneBoard::Put(int square, int code) {
  if (square < 1 || square > 64) return;
  Squares[static_cast<std::size_t>((square - 1) / 8)][static_cast<std::size_t>((square - 1) % 8)] =
      static_cast<std::int8_t>(code);
}

// Rank 8: rook, knight, bishop, queen, king, bishop, knight, rook; then the pawns; the same for White.
void TSceneBoard::LoadStart() {
  LoadPosition("rnbqkbnrpppppppp                                PPPPPPPPRNBQKBNR");
}

void TSceneBoard::LoadPosition(std::string_view text) {
  for (int square = 1; square <= 64; ++square) {
    const std::size_t i = static_cast<std::size_t>(square - 1);
    Put(square, i < text.size() ? PieceCodeOfLetter(text[i]) : 0);
  }
}

int PieceCodeOfLetter(char letter) {
  switch (letter) {
    case 'k':
      return -6;
    case 'q':
      return -5;
    case 'r':
      return -4;
    case 'b':
      return -3;
    case 'n':
      return -2;
    case 'p':
      return -1;
    case 'P':
      return 1;
    case 'N':
      return 2;
    case 'B':
      return 3;
    case 'R':
      return 4;
    case 'Q':
      return 5;
    case 'K':
      return 6;
    default:
      return 0;
  }
}

char PromotionLetterOf(int code) {
  switch (code) {
    case 2:
      return 'N';
    case 3:
      return 'B';
    case 4:
      return 'R';
    case 5:
      return 'Q';
    case -2:
      return 'n';
    case -3:
      return 'b';
    case -4:
      return 'r';
    default:
      return 'q';
  }
}

}  // namespace zelmar::scene
