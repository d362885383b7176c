// The four castling rights, held in one byte as the computer player reads them.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace zelmar {

// One castling right; its ordinal is its bit in a CastleSet.
enum CanStillCastle : std::uint8_t { WhiteKingSide, WhiteQueenSide, BlackKingSide, BlackQueenSide };

// A set of castling rights: bit 0 WhiteKingSide, bit 1 WhiteQueenSide, bit 2 BlackKingSide,
// bit 3 BlackQueenSide.
class CastleSet {
 public:
  constexpr CastleSet() = default;
  constexpr CastleSet(std::initializer_list<CanStillCastle> rights) {
    for (CanStillCastle r : rights) Include(r);
  }

  // All four rights, as at the start of a game.
  static constexpr CastleSet All() { return FromBits(0x0F); }
  // The set whose low four bits are given (higher bits are dropped).
  static constexpr CastleSet FromBits(std::uint8_t bits) {
    CastleSet s;
    s.bits_ = bits & 0x0F;
    return s;
  }

  constexpr std::uint8_t Bits() const { return bits_; }
  constexpr bool Contains(CanStillCastle r) const { return (bits_ >> r) & 1; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr void Include(CanStillCastle r) { bits_ |= static_cast<std::uint8_t>(1u << r); }
  constexpr void Exclude(CanStillCastle r) { bits_ &= static_cast<std::uint8_t>(~(1u << r)); }
  friend constexpr bool operator==(CastleSet, CastleSet) = default;

 private:
  std::uint8_t bits_ = 0;
};

}  // namespace zelmar
