// What the screens draw with: the game's pictures by role, the three fonts and the canvas operations, at
// back-buffer positions (the views add the origin). The game window paints through the canvas; the tests
// record the calls.
#pragma once

#include <cstdint>
#include <string_view>

#include "framework/GfxDrawFx.h"

namespace zelmar::scene {

// The pictures of the group "Content", by the names the archive gives them.
enum class TPicture {
  Ground,           // "ground": 0 title, 1 help, 2 castle, 3 town
  Figure,           // "zelmar_piece_2": figures on the perspective board
  Portrait,         // "zelmar_piece_1": the side panel's portrait
  Icon,             // "piece_1": side panel, promotion panel, title circle
  ClassicPiece,     // "piece_2": pieces of the classic board
  WhiteZelmar,      // "queen_1"
  BlackZelmar,      // "queen_2"
  WhiteZelmarIcon,  // "queen_11"
  BlackZelmarIcon,  // "queen_21"
  Classic,          // "classic": 0 wood, 1 wood turned, 2 marble, 3 marble turned
  Button,           // "button": the tool buttons
  Timer,            // "timer": the clock plates
  Window,           // "window_1": the dialog window
  Cursor,           // "cursor": the pointer on the game screen
  MenuCursor,       // "cursor_1": the pointer everywhere else
};
inline constexpr int kPictureCount = 15;
// The archive name of a picture.
std::string_view PictureName(TPicture picture);

// The fonts by their position in the group: menu items, every other text, clock digits.
inline constexpr int kMenuFont = 0, kTextFont = 1, kClockFont = 2;
inline constexpr int kFontCount = 3;

class TScenePainter {
 public:
  virtual ~TScenePainter() = default;
  // A pattern at its own size with its top-left corner at (x, y).
  virtual void Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) = 0;
  // A pattern scaled (sizes rounded half to even) with its top-left corner at (x, y).
  virtual void DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) = 0;
  // An untextured rectangle in one 0xAABBGGRR colour.
  virtual void FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) = 0;
  // One point.
  virtual void PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) = 0;
  // One line of UTF-8 text in a font, shaded from the top to the bottom colour.
  virtual void TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
                       std::uint32_t bottomColor, TDrawFx fx) = 0;
  // How far a line of text in a font advances the pen, for placing it; 0 where no font can measure it.
  virtual double TextWidth(int font, std::string_view text) const = 0;
};

}  // namespace zelmar::scene
