// One frame's drawing calls kept as data: the game window records each frame before it draws, compares it
// with the frame last presented, and replays it onto the canvas only when the picture would differ. Tests
// and tools read the calls back to see what a view drew.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "scene/ScenePainter.h"

namespace zelmar::scene {

enum class TCallKind : std::uint8_t { Draw, DrawScaled, FillRect, PutPixel, TextOut };

// One recorded call with all its arguments, as a reader of the record sees it.
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
  std::string Text;  // TextOut, UTF-8

  bool Is(TCallKind kind, TPicture picture) const { return Kind == kind && Picture == picture; }
};

// A readable line of one call, for failure messages.
std::ostream& operator<<(std::ostream& out, const TPaintCall& call);

class TFrameRecord : public TScenePainter {
 public:
  // Forgets the calls, keeping the storage for the next frame.
  void Clear();
  bool Empty() const { return calls_.empty(); }
  std::size_t Size() const { return calls_.size(); }
  // Plays the calls onto another painter in the order they were made.
  void Replay(TScenePainter& painter) const;
  // The calls in the order they were made.
  std::vector<TPaintCall> Calls() const;
  // The calls of one kind on one picture, in order.
  std::vector<TPaintCall> Of(TCallKind kind, TPicture picture) const;
  // The calls of one kind, in order.
  std::vector<TPaintCall> Of(TCallKind kind) const;
  // The texts drawn, in order.
  std::vector<std::string> Texts() const;
  // Two records are equal when they hold the same calls with the same arguments in the same order: they
  // paint the same pixels on the same device.
  bool operator==(const TFrameRecord& other) const;

  void Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) override;
  void DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) override;
  void FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) override;
  void PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) override;
  void TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
               std::uint32_t bottomColor, TDrawFx fx) override;
  // Texts are measured by the painter given here (the one the record is replayed onto), 0 wide without one.
  void MeasureWith(const TScenePainter* fonts) { measure_ = fonts; }
  double TextWidth(int font, std::string_view text) const override;

 private:
  // One call; the fields a kind does not use stay zero so that equal calls compare equal field by field.
  // Texts live in one shared buffer, so recording a frame allocates nothing once the storage has grown.
  struct TCall {
    TCallKind Kind = TCallKind::Draw;
    int Index = 0;    // Draw, DrawScaled: the picture; TextOut: the font
    int Pattern = 0;  // Draw, DrawScaled
    double X = 0, Y = 0, Scale = 0;
    int Width = 0, Height = 0;  // FillRect
    std::uint32_t Color = 0, Bottom = 0;
    TDrawFx Fx = 0;
    std::uint32_t TextStart = 0, TextLength = 0;  // TextOut: the text in the buffer

    bool operator==(const TCall& other) const = default;
  };

  TPaintCall Decoded(const TCall& call) const;

  std::vector<TCall> calls_;
  std::string texts_;
  const TScenePainter* measure_ = nullptr;
};

}  // namespace zelmar::scene
