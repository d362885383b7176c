// The marks the board shows on its squares beyond the selection and the hover: the last move's two squares,
// the king in check and the selected piece's legal targets, each square holding any set of mark kinds.
// Found from the rules engine's own position, record and legality, so they follow every move, take-back and
// replay; the drawing reads them from the scene state.
#pragma once

#include <array>
#include <cstdint>

namespace zelmar {
class TChessBrd;
}  // namespace zelmar

namespace zelmar::scene {

struct TSceneState;

// What a mark says of its square; the values are the drawing order, later kinds over earlier ones.
enum class TSquareMark : std::uint8_t {
  LastMove,  // the square the last move left or reached
  Target,    // a square the selected piece may move to
  Hint,      // a square of the move the computer suggests to the player
  Check,     // the king of the side to move, in check
};
inline constexpr int kSquareMarkKinds = 4;

// The "Move Marks" setting: which marks the board shows.
inline constexpr std::int32_t kMarksNone = 1, kMarksLastMove = 2, kMarksAll = 3;

// The marked squares 1..64, each with the set of its kinds.
class TSquareMarks {
 public:
  void Add(int square, TSquareMark mark);
  bool Has(int square, TSquareMark mark) const;
  // Whether the square holds any mark.
  bool Marked(int square) const;
  bool Empty() const;
  // How many squares hold this kind.
  int Count(TSquareMark mark) const;

  bool operator==(const TSquareMarks&) const = default;

 private:
  std::array<std::uint8_t, 64> kinds_{};  // [square - 1]: one bit per TSquareMark
};

// The marks that `state`'s setting asks for in the engine's position: with "Last Move" and "All" the last
// move's two squares (from the record entry of the half-move before the current one) and the king of the
// side to move while it is in check; with "All" also every square the selected piece may legally move to,
// while the player is to move and nothing glides. The hint's two squares whatever the setting.
TSquareMarks FindSquareMarks(const TChessBrd& engine, const TSceneState& state);

}  // namespace zelmar::scene
