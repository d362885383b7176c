#include "content/gen/MockUp.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "content/gen/Grounds.h"
#include "content/kit/BoardGeometry.h"
#include "content/kit/Records.h"
#include "content/kit/Typeface.h"
#include "framework/GfxFigureAnchors.h"
#include "framework/GfxUtf8.h"

namespace zelmar::content {
namespace {

// The foot point of figure pattern f.
zelmar::TFigureAnchor Anchor(int f) {
  return zelmar::kFigureAnchors[static_cast<std::size_t>(f)];
}

// Colours as the game writes them: 0xAABBGGRR.
Rgba Colour(uint32_t abgr) {
  return Premultiplied((abgr & 0xff) / 255.f, ((abgr >> 8) & 0xff) / 255.f, ((abgr >> 16) & 0xff) / 255.f,
                       (abgr >> 24) / 255.f);
}

enum class Fx { Blend, Add, Shade, Subtract };

// The generated pictures and fonts, and the game's drawing operations on a 1024 × 768 screen.
class Screen {
 public:
  Screen(const std::map<std::string, DecodedImage>& pics, const std::vector<DecodedFont>& fonts)
      : pics_(pics), fonts_(fonts), img_(kScreenW, kScreenH, Rgba{0, 0, 0, 1}) {}

  Image& Picture() { return img_; }

  // Draws a pattern scaled with its top-left corner at (x, y) using one of the game's blend effects.
  void Draw(const std::string& name, int pattern, float x, float y, float scale = 1, Fx fx = Fx::Blend) {
    auto it = pics_.find(name);
    if (it == pics_.end() || it->second.Patterns.empty()) return;
    const Image& src = it->second.Patterns[std::min<size_t>(pattern, it->second.Patterns.size() - 1)];
    const int w = static_cast<int>(std::lround(src.Width() * scale)),
              h = static_cast<int>(std::lround(src.Height() * scale));
    const Image s = scale == 1 ? src : Resize(src, w, h);
    for (int j = 0; j < s.Height(); ++j)
      for (int i = 0; i < s.Width(); ++i)
        Put(static_cast<int>(x) + i, static_cast<int>(y) + j, s.At(i, j), fx);
  }

  void FillRect(int x, int y, int w, int h, uint32_t abgr, Fx fx) {
    const Rgba c = Colour(abgr);
    for (int j = 0; j < h; ++j)
      for (int i = 0; i < w; ++i) Put(x + i, y + j, c, fx);
  }

  // Text in a numbered font with a top and bottom colour (UTF-8); a character the font lacks draws the
  // replacement character's glyph.
  void Text(int font, const std::string& utf8, float x, float y, uint32_t top, uint32_t bottom) {
    if (font >= static_cast<int>(fonts_.size())) return;
    const DecodedFont& f = fonts_[font];
    float pen = x;
    for (char32_t ch : DecodeUtf8(utf8)) {
      int code = GlyphOf(f, ch);
      if (code < 0) code = GlyphOf(f, kReplacementCharacter);
      if (code < 0 || code >= static_cast<int>(f.Glyphs.Patterns.size())) {
        pen += f.Glyphs.VisibleWidth * 0.3f;
        continue;
      }
      const Image& g = f.Glyphs.Patterns[code];
      const int left = static_cast<int>(pen) - f.CellLeft, topRow = static_cast<int>(y) - f.CellTop;
      for (int j = 0; j < g.Height(); ++j) {
        const Rgba c = Mix(Colour(top), Colour(bottom), static_cast<float>(j) / g.Height());
        for (int i = 0; i < g.Width(); ++i) Put(left + i, topRow + j, c * g.At(i, j).A, Fx::Blend);
      }
      pen += f.Advances[code] + f.Spacing;
    }
  }

  void ShadowText(int font, const std::string& s, int x, int y, uint32_t dark, uint32_t bright) {
    Text(font, s, x + 1, y + 1, dark, dark);
    Text(font, s, x, y, bright, bright);
  }

 private:
  // The glyph of a character among the font's ascending code points, or -1.
  static int GlyphOf(const DecodedFont& f, char32_t ch) {
    const auto at = std::lower_bound(f.CodePoints.begin(), f.CodePoints.end(), ch);
    return at != f.CodePoints.end() && *at == ch ? static_cast<int>(at - f.CodePoints.begin()) : -1;
  }

  void Put(int x, int y, Rgba c, Fx fx) {
    if (!img_.Inside(x, y)) return;
    Rgba& d = img_.At(x, y);
    switch (fx) {
      case Fx::Blend:
        img_.Blend(x, y, c);
        break;
      case Fx::Add:
        d = {std::min(1.f, d.R + c.R), std::min(1.f, d.G + c.G), std::min(1.f, d.B + c.B), 1};
        break;
      case Fx::Shade:
        d = d * (1 - 0.5f * c.A);
        d.A = 1;
        break;
      case Fx::Subtract:
        d = {std::max(0.f, d.R - c.R), std::max(0.f, d.G - c.G), std::max(0.f, d.B - c.B), 1};
        break;
    }
  }

  const std::map<std::string, DecodedImage>& pics_;
  const std::vector<DecodedFont>& fonts_;
  Image img_;
};

int PieceFrame(int code) {
  return code > 0 ? code - 1 : -code + 5;
}

// The perspective figures of a position at the scene's square centres, scaled by depth.
void Figures(Screen& sc, const int board[64], float ox, float oy) {
  const auto& q = SquareQuads();
  for (int s = 0; s < 64; ++s) {
    if (!board[s]) continue;
    const float x = q[s][1].X + std::nearbyint((q[s][3].X - q[s][1].X) / 2) + ox;
    const float y = q[s][0].Y + std::nearbyint((q[s][2].Y - q[s][0].Y) / 2) + oy;
    const float scale = ((y - 314) / 785 + 0.6f) * 0.59f;
    const int f = PieceFrame(board[s]);
    sc.Draw("zelmar_piece_2", f, x - std::nearbyint(Anchor(f).X * scale),
            y - std::nearbyint(Anchor(f).Y * scale), scale);
  }
}

// Clocks, status line, side panel and tool buttons of the game screen.
void GameChrome(Screen& sc, int panelPiece, const std::string& status) {
  sc.Draw("timer", 0, 664, 713);
  sc.ShadowText(2, "00 : 04 : 37", 720, 726, 0xFF333333, 0xFFFEFEFE);
  sc.Draw("timer", 1, 844, 713);
  sc.ShadowText(2, "00 : 03 : 12", 900, 726, 0xFF333333, 0xFFFEFEFE);
  sc.ShadowText(1, status, 17, 726, 0xFF333333, 0xFF00FFFF);
  const int f = PieceFrame(panelPiece);
  sc.Draw("zelmar_piece_1", f, 834 - std::nearbyint(Anchor(f).X * 3.33f),
          632 - std::nearbyint(Anchor(f).Y * 3.33f));
  sc.FillRect(630, 10, 90, 90, 0xFF202020, Fx::Subtract);
  sc.Draw("piece_1", f, 631, 11, 1, panelPiece > 0 ? Fx::Shade : Fx::Add);
  sc.Draw("piece_1", f, 630, 10);
  const char* names[] = {"White Pawn", "White Knight", "White Bishop",
                         "White Rook", "White Queen",  "White King"};
  if (panelPiece > 0) sc.ShadowText(1, names[panelPiece - 1], 730, 18, 0xFF000000, 0xFFDEDEDE);
  sc.FillRect(11 + 50 * 2, 11, 41, 42, 0xFF00FFFF, Fx::Blend);
  const int patterns[9] = {0, 2, 3, 4, 6, 7, 8, 9, 10};
  for (int k = 0; k < 9; ++k) sc.Draw("button", patterns[k], 10 + 50 * k, 10);
}

// The flat classic board with its pieces at the scale f, the Zelmar pictures standing for the queens.
void ClassicBoard(Screen& sc, const int board[64], int pattern, float f) {
  sc.Draw("classic", pattern, 10, 64, f);
  for (int s = 0; s < 64; ++s) {
    if (!board[s]) continue;
    const float dx = std::nearbyint(((s % 8) * 90 + 40) * f), dy = std::nearbyint(((s / 8) * 90 + 40) * f);
    if (std::abs(board[s]) == 5)
      sc.Draw(board[s] > 0 ? "queen_1" : "queen_2", 0, 10 + dx, 64 + dy, f);
    else
      sc.Draw("piece_2", PieceFrame(board[s]), 10 + dx, 64 + dy, f);
  }
}

// A window button as the menus draw it.
void WindowButton(Screen& sc, int x, int y, const std::string& label, bool hover) {
  if (hover)
    sc.FillRect(x, y, 98, 30, 0xFF192956, Fx::Blend);
  else
    sc.FillRect(x, y, 98, 30, 0xFF151515, Fx::Subtract);
  sc.Text(1, label, x + 4, y + 4, 0xFF000000, 0xFF000000);
  sc.Text(1, label, x + 3, y + 3, hover ? 0xFFFFFFFF : 0xFF00FFFF, hover ? 0xFFFFFFFF : 0xFF00FFFF);
}

}  // namespace

std::optional<Image> ComposeMockUps(const std::string& dir) {
  std::map<std::string, DecodedImage> pics;
  for (const char* name : {"ground", "zelmar_piece_2", "zelmar_piece_1", "piece_1", "piece_2", "queen_1",
                           "queen_2", "classic", "button", "timer", "window_1", "cursor", "cursor_1"}) {
    auto bytes = ReadFile(dir + "/" + name + ".rec");
    auto img = bytes ? DecodeImageRecord(*bytes) : std::nullopt;
    if (!img) return std::nullopt;
    pics[name] = std::move(*img);
  }
  std::vector<DecodedFont> fonts;
  for (int i = 0; i < 3; ++i) {
    auto bytes = ReadFile(dir + "/font" + std::to_string(i) + ".rec");
    auto f = bytes ? DecodeFontRecord(*bytes) : std::nullopt;
    if (!f) return std::nullopt;
    fonts.push_back(std::move(*f));
  }
  int start[64] = {-4, -2, -3, -5, -6, -3, -2, -4, -1, -1, -1, -1, -1, -1, -1, -1};
  for (int i = 48; i < 56; ++i) start[i] = 1;
  const int back[8] = {4, 2, 3, 5, 6, 3, 2, 4};
  for (int i = 0; i < 8; ++i) start[56 + i] = back[i];
  // A game under way: 1. e4 e5 2. Nf3 Nc6 3. Bc4.
  int game[64];
  std::copy(start, start + 64, game);
  game[52] = 0, game[36] = 1, game[12] = 0, game[28] = -1, game[62] = 0, game[45] = 2, game[1] = 0,
  game[18] = -2, game[61] = 0, game[34] = 3;
  Image sheet(2 * kScreenW + 20, 2 * kScreenH + 20, Rgba{0, 0, 0, 0});
  // 1. Title with the main menu and the circle of figures.
  {
    Screen sc(pics, fonts);
    sc.Draw("ground", 0, 0, 0);
    const double angle = 4.4;
    for (int i = 1; i <= 12; ++i) {
      const double th = (i - 1) * 0.523 + angle, r = angle / 3 * 80;
      sc.Draw("piece_1", i <= 6 ? i + 5 : i - 1, static_cast<float>(std::lround(std::sin(th) * r) + 222),
              static_cast<float>(std::lround(std::cos(th) * r) + 419), 0.5f, Fx::Add);
    }
    const char* items[] = {"Game", "Help", "Options", "Quit"};
    for (int i = 0; i < 4; ++i)
      sc.Text(0, items[i], 86, 155 + 40 * i, i == 1 ? 0xFFFFFF00 : 0xFF00FF00,
              i == 1 ? 0xFFFFFF00 : 0xFFFFFFFF);
    sc.Draw("cursor_1", 0, 120, 205);
    sheet.Draw(sc.Picture(), 0, 0);
  }
  // 2. The castle game with the side panel and a small classic board.
  {
    Screen sc(pics, fonts);
    sc.Draw("ground", 2, 0, 0);
    Figures(sc, game, 0, 0);
    GameChrome(sc, 2, "Your move");
    ClassicBoard(sc, game, 2, 0.4f);
    sc.Draw("cursor", 0, 470, 460);
    sheet.Draw(sc.Picture(), kScreenW + 20, 0);
  }
  // 3. The help screen with its legend.
  {
    Screen sc(pics, fonts);
    sc.Draw("ground", 1, 0, 0);
    const char* legend[] = {"Black pieces at the bottom",
                            "White pieces at the bottom",
                            "Increase pieces size",
                            "Decrease pieces size",
                            "Hidden classic board",
                            "Show classic board",
                            "Increase board size",
                            "Decrease board size",
                            "Move back",
                            "Move forward",
                            "Exit to Menu"};
    for (int i = 0; i <= 10; ++i) {
      sc.Draw("button", i, 62, 62 + 60 * i);
      sc.ShadowText(1, legend[i], 130, 72 + 60 * i, 0xFF000000, 0xFFDEDEDE);
    }
    const char* buttons[] = {"Menu", "Options", "Quit"};
    for (int i = 0; i < 3; ++i) WindowButton(sc, 711 + 100 * i, 723, buttons[i], i == 0);
    sheet.Draw(sc.Picture(), 0, kScreenH + 20);
  }
  // 4. The town game with the in-game window open.
  {
    Screen sc(pics, fonts);
    sc.Draw("ground", 3, 0, 0);
    Figures(sc, start, 13, 73);
    GameChrome(sc, 6, "Computer is thinking...");
    sc.Draw("window_1", 0, 287, 277);
    sc.ShadowText(1, "Please select to continue", 338 + 57, 348, 0xFF000000, 0xFFFFFFFF);
    const char* buttons[] = {"Cancel", "Rematch", "Menu"};
    for (int i = 0; i < 3; ++i) WindowButton(sc, 364 + 100 * i, 397, buttons[i], i == 1);
    sc.Draw("cursor", 0, 480, 410);
    sheet.Draw(sc.Picture(), kScreenW + 20, kScreenH + 20);
  }
  return sheet;
}

}  // namespace zelmar::content
