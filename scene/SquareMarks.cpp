#include "scene/SquareMarks.h"

#include <algorithm>
#include <string>

#include "engine/ChessBrd.h"
#include "scene/SceneState.h"

namespace zelmar::scene {
namespace {

constexpr int kSquares = 64;

// The bit of a kind in a square's set.
std::uint8_t Bit(TSquareMark mark) {
  return static_cast<std::uint8_t>(1u << static_cast<unsigned>(mark));
}

bool IsSquare(int square) {
  return square >= 1 && square <= kSquares;
}

// The from and to squares of the half-move that led to the engine's position, from its record; nothing at
// the start of the record or after a position was set up without a move.
void AddLastMove(const TChessBrd& engine, TSquareMarks& marks) {
  const bool whiteToMove = engine.WhiteToMove();
  const int move = whiteToMove ? engine.CurrentMove() - 1 : engine.CurrentMove();
  const MoveInfo* before = engine.RecordEntry(move, !whiteToMove);
  if (before == nullptr || !OnBoard(before->FromSq) || !OnBoard(before->ToSq)) return;
  marks.Add(Ord(before->FromSq), TSquareMark::LastMove);
  marks.Add(Ord(before->ToSq), TSquareMark::LastMove);
}

// The square of the side to move's king while the engine finds it attacked where it stands.
void AddCheck(const TChessBrd& engine, TSquareMarks& marks) {
  const bool white = engine.WhiteToMove();
  const std::string position = engine.Position();
  const auto at = position.find(white ? 'K' : 'k');
  if (at == std::string::npos) return;
  const Square king = SquareOf(static_cast<int>(at) + 1);
  const bool attacked =
      white ? engine.WhiteKingAttackedAfter(king, king) : engine.BlackKingAttackedAfter(king, king);
  if (attacked) marks.Add(Ord(king), TSquareMark::Check);
}

// Every square the engine lets the piece on `from` move to, by the same test the click makes.
void AddTargets(const TChessBrd& engine, int from, TSquareMarks& marks) {
  for (int to = 1; to <= kSquares; ++to) {
    if (engine.IsLegalMove(SquareOf(from), SquareOf(to))) marks.Add(to, TSquareMark::Target);
  }
}

}  // namespace

void TSquareMarks::Add(int square, TSquareMark mark) {
  if (IsSquare(square)) kinds_[static_cast<std::size_t>(square - 1)] |= Bit(mark);
}

bool TSquareMarks::Has(int square, TSquareMark mark) const {
  return IsSquare(square) && (kinds_[static_cast<std::size_t>(square - 1)] & Bit(mark)) != 0;
}

bool TSquareMarks::Marked(int square) const {
  return IsSquare(square) && kinds_[static_cast<std::size_t>(square - 1)] != 0;
}

bool TSquareMarks::Empty() const {
  return std::all_of(kinds_.begin(), kinds_.end(), [](std::uint8_t k) { return k == 0; });
}

int TSquareMarks::Count(TSquareMark mark) const {
  return static_cast<int>(
      std::count_if(kinds_.begin(), kinds_.end(), [&](std::uint8_t k) { return (k & Bit(mark)) != 0; }));
}

// The setting first: "None" (or any value below "Last Move") finds nothing. Targets only where a click on
// them would start the move: the player to move, no glide, a piece selected.
TSquareMarks FindSquareMarks(const TChessBrd& engine, const TSceneState& state) {
  TSquareMarks marks;
  marks.Add(state.HintFrom, TSquareMark::Hint);
  marks.Add(state.HintTo, TSquareMark::Hint);
  if (state.Options.Marks < kMarksLastMove) return marks;
  AddLastMove(engine, marks);
  AddCheck(engine, marks);
  const bool choosing = state.GameState == TGameState::HumanToMove && !state.Animating;
  if (state.Options.Marks >= kMarksAll && choosing && IsSquare(state.SelectedSquare))
    AddTargets(engine, state.SelectedSquare, marks);
  return marks;
}

}  // namespace zelmar::scene
