#include "engine/BoardPerft.h"

#include <utility>

#include "engine/ChessBrd.h"

namespace zelmar {

namespace {

constexpr char kPromotionLetters[4] = {'n', 'b', 'r', 'q'};

// Depth-first count; the promotion handler tells which letter to take and notes that one happened.
std::int64_t Count(TChessBrd& board, int depth, char& letter, bool& promoted) {
  if (depth == 0) return 1;
  std::int64_t total = 0;
  for (int from = 1; from <= 64; ++from) {
    for (int to = 1; to <= 64; ++to) {
      const Square oldSq = static_cast<Square>(from), newSq = static_cast<Square>(to);
      if (!board.IsLegalMove(oldSq, newSq)) continue;
      // Play the move once; when it promotes, play it again for each remaining piece.
      for (char choice : kPromotionLetters) {
        letter = choice;
        promoted = false;
        if (!board.PlayMove(oldSq, newSq)) return -1;
        const bool wasPromotion = promoted;
        const std::int64_t below = Count(board, depth - 1, letter, promoted);
        if (below < 0 || !board.MoveBack()) return -1;
        total += below;
        if (!wasPromotion) break;
      }
    }
  }
  return total;
}

}  // namespace

std::int64_t BoardPerft(TChessBrd& board, int depth) {
  char letter = 'q';
  bool promoted = false;
  TPromotionEvent saved = std::exchange(board.OnPromotion, [&](TChessBrd&, Square, Square, char& piece) {
    promoted = true;
    piece = letter;
  });
  const char savedLetter = board.PromotionPiece();
  const std::int64_t total = Count(board, depth, letter, promoted);
  board.OnPromotion = std::move(saved);
  board.SetPromotionPiece(savedLetter);
  return total;
}

}  // namespace zelmar
