#include "scene/FrameRecord.h"

namespace zelmar::scene {

// Empties both lists; their capacity stays for the next frame.
void TFrameRecord::Clear() {
  calls_.clear();
  texts_.clear();
}

// Each call goes to the painter with the arguments it was made with.
void TFrameRecord::Replay(TScenePainter& painter) const {
  for (const TCall& c : calls_) {
    switch (c.Kind) {
      case TKind::Draw:
        painter.Draw(static_cast<TPicture>(c.Index), c.Pattern, c.X, c.Y, c.Fx);
        break;
      case TKind::DrawScaled:
        painter.DrawScaled(static_cast<TPicture>(c.Index), c.Pattern, c.X, c.Y, c.Scale, c.Fx);
        break;
      case TKind::FillRect:
        painter.FillRect(static_cast<int>(c.X), static_cast<int>(c.Y), c.Width, c.Height, c.Color, c.Fx);
        break;
      case TKind::PutPixel:
        painter.PutPixel(static_cast<int>(c.X), static_cast<int>(c.Y), c.Color, c.Fx);
        break;
      case TKind::TextOut:
        painter.TextOut(c.Index, std::string_view(texts_).substr(c.TextStart, c.TextLength), c.X, c.Y,
                        c.Color, c.Bottom, c.Fx);
        break;
    }
  }
}

// The calls field by field (texts by their place in the buffer, which is the same for equal frames), then
// the texts themselves.
bool TFrameRecord::operator==(const TFrameRecord& other) const {
  return calls_ == other.calls_ && texts_ == other.texts_;
}

void TFrameRecord::Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) {
  calls_.push_back({.Kind = TKind::Draw,
                    .Index = static_cast<int>(picture),
                    .Pattern = pattern,
                    .X = x,
                    .Y = y,
                    .Fx = fx});
}

void TFrameRecord::DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) {
  calls_.push_back({.Kind = TKind::DrawScaled,
                    .Index = static_cast<int>(picture),
                    .Pattern = pattern,
                    .X = x,
                    .Y = y,
                    .Scale = scale,
                    .Fx = fx});
}

void TFrameRecord::FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) {
  calls_.push_back({.Kind = TKind::FillRect,
                    .X = static_cast<double>(left),
                    .Y = static_cast<double>(top),
                    .Width = width,
                    .Height = height,
                    .Color = color,
                    .Fx = fx});
}

void TFrameRecord::PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) {
  calls_.push_back({.Kind = TKind::PutPixel,
                    .X = static_cast<double>(x),
                    .Y = static_cast<double>(y),
                    .Color = color,
                    .Fx = fx});
}

void TFrameRecord::TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
                           std::uint32_t bottomColor, TDrawFx fx) {
  const auto start = static_cast<std::uint32_t>(texts_.size());
  texts_.append(text);
  calls_.push_back({.Kind = TKind::TextOut,
                    .Index = font,
                    .X = x,
                    .Y = y,
                    .Color = topColor,
                    .Bottom = bottomColor,
                    .Fx = fx,
                    .TextStart = start,
                    .TextLength = static_cast<std::uint32_t>(text.size())});
}

}  // namespace zelmar::scene
