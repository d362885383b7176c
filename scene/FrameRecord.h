// One frame's drawing calls kept as data: the game window records each frame before it draws, compares it
// with the frame last presented, and replays it onto the canvas only when the picture would differ.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "scene/ScenePainter.h"

namespace zelmar::scene {

class TFrameRecord : public TScenePainter {
 public:
  // Forgets the calls, keeping the storage for the next frame.
  void Clear();
  bool Empty() const { return calls_.empty(); }
  std::size_t Size() const { return calls_.size(); }
  // Plays the calls onto another painter in the order they were made.
  void Replay(TScenePainter& painter) const;
  // Two records are equal when they hold the same calls with the same arguments in the same order: they
  // paint the same pixels on the same device.
  bool operator==(const TFrameRecord& other) const;

  void Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) override;
  void DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) override;
  void FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) override;
  void PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) override;
  void TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
               std::uint32_t bottomColor, TDrawFx fx) override;

 private:
  enum class TKind : std::uint8_t { Draw, DrawScaled, FillRect, PutPixel, TextOut };
  // One call; the fields a kind does not use stay zero so that equal calls compare equal field by field.
  // Texts live in one shared buffer, so recording a frame allocates nothing once the storage has grown.
  struct TCall {
    TKind Kind = TKind::Draw;
    int Index = 0;    // Draw, DrawScaled: the picture; TextOut: the font
    int Pattern = 0;  // Draw, DrawScaled
    double X = 0, Y = 0, Scale = 0;
    int Width = 0, Height = 0;  // FillRect
    std::uint32_t Color = 0, Bottom = 0;
    TDrawFx Fx = 0;
    std::uint32_t TextStart = 0, TextLength = 0;  // TextOut: the text in the buffer

    bool operator==(const TCall& other) const = default;
  };

  std::vector<TCall> calls_;
  std::string texts_;
};

}  // namespace zelmar::scene
