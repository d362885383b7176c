// Where each figure of the perspective figures' picture ("zelmar_piece_2") stands: the point of its cell
// that the game puts on a square's centre. The picture's generator renders each figure onto this point and
// the game draws each figure from it; the portraits ("zelmar_piece_1") are the same figures larger.
#pragma once

#include <array>

namespace zelmar {

// A foot point in unscaled pixels from the top-left of a figure's cell.
struct TFigureAnchor {
  int X, Y;
};

// By pattern: White pawn, knight, bishop, rook, queen, king, then Black in the same order.
inline constexpr std::array<TFigureAnchor, 12> kFigureAnchors = {{{43, 171},
                                                                  {34, 180},
                                                                  {28, 175},
                                                                  {32, 173},
                                                                  {46, 188},
                                                                  {35, 173},
                                                                  {49, 169},
                                                                  {42, 174},
                                                                  {39, 174},
                                                                  {27, 169},
                                                                  {47, 173},
                                                                  {54, 174}}};

}  // namespace zelmar
