// A painter for the scene tests: remembers every drawing call with all its arguments, in order.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "scene/ScenePainter.h"

namespace zelmar::scene {

enum class TCallKind { Draw, DrawScaled, FillRect, PutPixel, TextOut };

struct TPaintCall {
  TCallKind Kind = TCallKind::Draw;
  TPicture Picture = TPicture::Ground;  // Draw, DrawScaled
  int Pattern = 0;                      // Draw, DrawScaled
  double X = 0, Y = 0;                  // top-left corner (FillRect: left, top; PutPixel: the point)
  double Scale = 1;                     // DrawScaled
  int Width = 0, Height = 0;            // FillRect
  std::uint32_t Color = 0;              // FillRect, PutPixel; TextOut: the top colour
  std::uint32_t Bottom = 0;             // TextOut: the bottom colour
  TDrawFx Fx = 0;
  int Font = -1;     // TextOut
  std::string Text;  // TextOut, Windows-1251

  bool Is(TCallKind kind, TPicture picture) const { return Kind == kind && Picture == picture; }
};

// A readable line of one call, for test failure messages.
inline std::ostream& operator<<(std::ostream& out, const TPaintCall& c) {
  static const char* kKinds[] = {"Draw", "DrawScaled", "FillRect", "PutPixel", "TextOut"};
  out << kKinds[static_cast<int>(c.Kind)] << "(";
  if (c.Kind == TCallKind::Draw || c.Kind == TCallKind::DrawScaled)
    out << PictureName(c.Picture) << " #" << c.Pattern << ", ";
  if (c.Kind == TCallKind::TextOut) out << "font " << c.Font << " \"" << c.Text << "\", ";
  out << c.X << ", " << c.Y;
  if (c.Kind == TCallKind::DrawScaled) out << ", scale " << c.Scale;
  if (c.Kind == TCallKind::FillRect) out << ", " << c.Width << " x " << c.Height;
  if (c.Kind != TCallKind::Draw && c.Kind != TCallKind::DrawScaled) out << ", colour " << std::hex << c.Color;
  if (c.Kind == TCallKind::TextOut) out << "/" << c.Bottom;
  return out << std::dec << ", fx " << c.Fx << ")";
}

class TRecordingPainter : public TScenePainter {
 public:
  std::vector<TPaintCall> Calls;

  void Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) override {
    TPaintCall c;
    c.Kind = TCallKind::Draw;
    c.Picture = picture;
    c.Pattern = pattern;
    c.X = x;
    c.Y = y;
    c.Fx = fx;
    Calls.push_back(c);
  }
  void DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) override {
    TPaintCall c;
    c.Kind = TCallKind::DrawScaled;
    c.Picture = picture;
    c.Pattern = pattern;
    c.X = x;
    c.Y = y;
    c.Scale = scale;
    c.Fx = fx;
    Calls.push_back(c);
  }
  void FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) override {
    TPaintCall c;
    c.Kind = TCallKind::FillRect;
    c.X = left;
    c.Y = top;
    c.Width = width;
    c.Height = height;
    c.Color = color;
    c.Fx = fx;
    Calls.push_back(c);
  }
  void PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) override {
    TPaintCall c;
    c.Kind = TCallKind::PutPixel;
    c.X = x;
    c.Y = y;
    c.Color = color;
    c.Fx = fx;
    Calls.push_back(c);
  }
  void TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
               std::uint32_t bottomColor, TDrawFx fx) override {
    TPaintCall c;
    c.Kind = TCallKind::TextOut;
    c.Font = font;
    c.Text = std::string(text);
    c.X = x;
    c.Y = y;
    c.Color = topColor;
    c.Bottom = bottomColor;
    c.Fx = fx;
    Calls.push_back(c);
  }

  // The calls of one kind on one picture, in order.
  std::vector<TPaintCall> Of(TCallKind kind, TPicture picture) const {
    std::vector<TPaintCall> out;
    for (const TPaintCall& c : Calls)
      if (c.Is(kind, picture)) out.push_back(c);
    return out;
  }
  // The calls of one kind, in order.
  std::vector<TPaintCall> Of(TCallKind kind) const {
    std::vector<TPaintCall> out;
    for (const TPaintCall& c : Calls)
      if (c.Kind == kind) out.push_back(c);
    return out;
  }
  // The texts drawn, in order.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const TPaintCall& c : Calls)
      if (c.Kind == TCallKind::TextOut) out.push_back(c.Text);
    return out;
  }
};

}  // namespace zelmar::scene
