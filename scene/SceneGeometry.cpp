#include "scene/SceneGeometry.h"

#include <algorithm>
#include <cstdlib>

#include "framework/GfxRounding.h"

namespace zelmar::scene {

namespace {

// The perspective board painted in the game backgrounds, square by square.
constexpr std::array<TSquareQuad, 64> kSquareQuads{{
    {{{301, 251}, {276, 272}, {314, 276}, {337, 255}}},  // 1 a8
    {{{337, 255}, {314, 276}, {353, 280}, {375, 258}}},  // 2 b8
    {{{375, 258}, {353, 280}, {392, 284}, {412, 262}}},  // 3 c8
    {{{412, 262}, {393, 284}, {436, 289}, {454, 266}}},  // 4 d8
    {{{454, 266}, {436, 289}, {479, 293}, {495, 270}}},  // 5 e8
    {{{495, 270}, {480, 293}, {527, 298}, {540, 275}}},  // 6 f8
    {{{540, 275}, {527, 298}, {576, 303}, {587, 279}}},  // 7 g8
    {{{587, 279}, {576, 304}, {627, 309}, {636, 284}}},  // 8 h8
    {{{277, 272}, {253, 292}, {292, 297}, {315, 276}}},  // 9 a7
    {{{315, 276}, {293, 297}, {332, 302}, {354, 280}}},  // 10 b7
    {{{354, 280}, {332, 302}, {373, 307}, {393, 284}}},  // 11 c7
    {{{392, 285}, {372, 307}, {418, 312}, {436, 289}}},  // 12 d7
    {{{436, 289}, {418, 312}, {463, 318}, {479, 293}}},  // 13 e7
    {{{479, 294}, {463, 318}, {512, 324}, {527, 299}}},  // 14 f7
    {{{527, 299}, {512, 324}, {563, 330}, {576, 304}}},  // 15 g7
    {{{576, 304}, {564, 330}, {618, 337}, {627, 309}}},  // 16 h7
    {{{254, 292}, {226, 316}, {267, 321}, {293, 297}}},  // 17 a6
    {{{293, 297}, {266, 322}, {307, 327}, {332, 302}}},  // 18 b6
    {{{332, 302}, {306, 328}, {349, 333}, {372, 307}}},  // 19 c6
    {{{373, 307}, {349, 334}, {396, 340}, {418, 312}}},  // 20 d6
    {{{418, 312}, {396, 340}, {443, 347}, {463, 318}}},  // 21 e6
    {{{463, 318}, {443, 347}, {495, 354}, {512, 324}}},  // 22 f6
    {{{512, 324}, {495, 354}, {549, 362}, {563, 330}}},  // 23 g6
    {{{563, 331}, {549, 362}, {606, 370}, {618, 337}}},  // 24 h6
    {{{226, 316}, {196, 342}, {237, 349}, {265, 322}}},  // 25 a5
    {{{266, 322}, {236, 349}, {279, 356}, {307, 328}}},  // 26 b5
    {{{307, 328}, {280, 355}, {324, 362}, {349, 334}}},  // 27 c5
    {{{349, 334}, {324, 362}, {372, 370}, {396, 340}}},  // 28 d5
    {{{396, 340}, {372, 370}, {422, 378}, {443, 347}}},  // 29 e5
    {{{444, 347}, {422, 378}, {476, 386}, {495, 354}}},  // 30 f5
    {{{495, 354}, {477, 386}, {533, 395}, {549, 362}}},  // 31 g5
    {{{549, 362}, {534, 395}, {594, 405}, {606, 370}}},  // 32 h5
    {{{195, 342}, {161, 372}, {203, 380}, {236, 349}}},  // 33 a4
    {{{236, 349}, {203, 380}, {247, 388}, {280, 355}}},  // 34 b4
    {{{279, 356}, {247, 388}, {294, 396}, {324, 362}}},  // 35 c4
    {{{324, 363}, {295, 396}, {344, 405}, {372, 370}}},  // 36 d4
    {{{372, 370}, {344, 405}, {397, 415}, {422, 378}}},  // 37 e4
    {{{423, 378}, {397, 415}, {454, 425}, {476, 386}}},  // 38 f4
    {{{476, 387}, {454, 425}, {515, 436}, {533, 396}}},  // 39 g4
    {{{533, 396}, {515, 436}, {579, 448}, {594, 405}}},  // 40 h4
    {{{161, 372}, {124, 404}, {167, 413}, {203, 380}}},  // 41 a3
    {{{203, 380}, {168, 413}, {213, 423}, {248, 388}}},  // 42 b3
    {{{248, 388}, {213, 423}, {262, 433}, {294, 396}}},  // 43 c3
    {{{294, 396}, {262, 433}, {314, 444}, {344, 405}}},  // 44 d3
    {{{344, 405}, {314, 444}, {370, 456}, {397, 415}}},  // 45 e3
    {{{397, 415}, {370, 456}, {429, 469}, {454, 425}}},  // 46 f3
    {{{454, 425}, {429, 469}, {494, 482}, {515, 436}}},  // 47 g3
    {{{515, 436}, {494, 483}, {562, 497}, {579, 448}}},  // 48 h3
    {{{124, 404}, {81, 441}, {125, 452}, {167, 413}}},   // 49 a2
    {{{167, 413}, {126, 452}, {174, 463}, {213, 423}}},  // 50 b2
    {{{213, 423}, {174, 463}, {224, 476}, {262, 433}}},  // 51 c2
    {{{262, 433}, {225, 475}, {278, 489}, {313, 444}}},  // 52 d2
    {{{314, 444}, {279, 488}, {338, 503}, {370, 456}}},  // 53 e2
    {{{370, 456}, {338, 503}, {401, 518}, {429, 469}}},  // 54 f2
    {{{429, 469}, {401, 518}, {470, 534}, {494, 482}}},  // 55 g2
    {{{494, 482}, {470, 534}, {543, 552}, {562, 497}}},  // 56 h2
    {{{81, 441}, {32, 483}, {78, 496}, {125, 452}}},     // 57 a1
    {{{126, 452}, {78, 496}, {128, 510}, {174, 463}}},   // 58 b1
    {{{174, 463}, {128, 510}, {182, 525}, {224, 476}}},  // 59 c1
    {{{225, 476}, {181, 525}, {238, 540}, {278, 489}}},  // 60 d1
    {{{278, 489}, {238, 540}, {301, 558}, {338, 503}}},  // 61 e1
    {{{338, 503}, {301, 558}, {368, 576}, {401, 518}}},  // 62 f1
    {{{401, 518}, {368, 577}, {441, 597}, {470, 534}}},  // 63 g1
    {{{470, 535}, {441, 597}, {520, 619}, {543, 552}}},  // 64 h1
}};

// The classic board's grid in the unscaled picture, and where the picture's corner is drawn.
constexpr int kClassicCell = 90, kClassicMargin = 40, kClassicLeft = 10, kClassicTop = 64;

// Whether a point lies inside a quadrilateral by the even-odd rule: a ray to the left of the point
// crosses an odd number of edges.
bool InsideQuad(const TSquareQuad& quad, double px, double py) {
  bool inside = false;
  for (std::size_t i = 0; i < 4; ++i) {
    const TCorner& a = quad[i];
    const TCorner& b = quad[(i + 1) % 4];
    if ((a.Y < py) == (b.Y < py)) continue;
    const double crossX = (py - a.Y) * static_cast<double>(b.X - a.X) / static_cast<double>(b.Y - a.Y);
    if (px - a.X < crossX) inside = !inside;
  }
  return inside;
}

// The square under a point on the perspective board, 0 if none; the first square in number order wins.
int HitPerspective(const TSceneState& state, int x, int y) {
  const std::size_t b = static_cast<std::size_t>(BackgroundIndex(state));
  const double px = x - state.Board.OffsetX[b];
  const double py = y - state.Board.OffsetY[b];
  for (int s = 1; s <= 64; ++s) {
    if (InsideQuad(SquareQuad(s), px, py)) return s;
  }
  return 0;
}

// The square under a point on the classic board, 0 if none; borders belong to no square, and where
// rounded squares overlap by a pixel the lower number wins.
int HitClassic(const TSceneState& state, int x, int y) {
  const double f = state.BoardSizePercent / 100.0;
  const int side = RoundHalfEven(kClassicCell * f);
  int hit = 0;
  for (int s = 64; s >= 1; --s) {
    int row = 0, column = 0;
    ClassicCell(state, s, row, column);
    const int left = RoundHalfEven(((column - 1) * kClassicCell + kClassicMargin) * f) + kClassicLeft;
    const int top = RoundHalfEven(((row - 1) * kClassicCell + kClassicMargin) * f) + kClassicTop;
    if (left < x && x < left + side && top < y && y < top + side) hit = s;
  }
  return hit;
}

}  // namespace

const TSquareQuad& SquareQuad(int square) {
  if (square < 1 || square > 64) square = 1;
  return kSquareQuads[static_cast<std::size_t>(square - 1)];
}

int BackgroundIndex(const TSceneState& state) {
  return state.Options.Background == 2 ? 1 : 0;
}

// Figures grow towards the bottom of the screen, the near side of the board.
double PerspectiveScale(const TSceneState& state, double y) {
  return ((y - 314) / 785 + 0.6) * state.PieceZoom;
}

// Half-way between the near-left and far-right corners across, between the far-left and near-right
// corners down.
TScreenPoint SquareCentre(const TSceneState& state, int square) {
  const TSquareQuad& q = SquareQuad(square);
  const std::size_t b = static_cast<std::size_t>(BackgroundIndex(state));
  const int x = q[1].X + RoundHalfEven((q[3].X - q[1].X) / 2.0) + state.Board.OffsetX[b] + state.OriginX;
  const int y = q[0].Y + RoundHalfEven((q[2].Y - q[0].Y) / 2.0) + state.Board.OffsetY[b] + state.OriginY;
  return {x, y};
}

// The classic board covers the perspective one whenever it is shown.
int HitSquare(const TSceneState& state, int x, int y) {
  const int classic = state.Options.Classic;
  return classic == 2 || classic == 3 ? HitClassic(state, x, y) : HitPerspective(state, x, y);
}

// Rank 8 is row 1 and file a column 1; the turned board swaps both ends.
void ClassicCell(const TSceneState& state, int square, int& row, int& column) {
  if (square < 1 || square > 64) square = 1;
  row = (square - 1) / 8 + 1;
  column = square - 8 * (row - 1);
  if (state.Options.Inversion == 1) {
    row = 9 - row;
    column = 9 - column;
  }
}

// White's six patterns come first (pawn .. king), then Black's; an empty square reads as pattern 0.
int PieceFrame(int code) {
  if (code == 0) return 0;
  const int kind = std::clamp(std::abs(code), 1, 6);
  return code > 0 ? kind - 1 : kind + 5;
}

}  // namespace zelmar::scene
