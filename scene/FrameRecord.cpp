#include "scene/FrameRecord.h"

#include <utility>

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
      case TCallKind::Draw:
        painter.Draw(static_cast<TPicture>(c.Index), c.Pattern, c.X, c.Y, c.Fx);
        break;
      case TCallKind::DrawScaled:
        painter.DrawScaled(static_cast<TPicture>(c.Index), c.Pattern, c.X, c.Y, c.Scale, c.Fx);
        break;
      case TCallKind::FillRect:
        painter.FillRect(static_cast<int>(c.X), static_cast<int>(c.Y), c.Width, c.Height, c.Color, c.Fx);
        break;
      case TCallKind::PutPixel:
        painter.PutPixel(static_cast<int>(c.X), static_cast<int>(c.Y), c.Color, c.Fx);
        break;
      case TCallKind::TextOut:
        painter.TextOut(c.Index, std::string_view(texts_).substr(c.TextStart, c.TextLength), c.X, c.Y,
                        c.Color, c.Bottom, c.Fx);
        break;
    }
  }
}

std::ostream& operator<<(std::ostream& out, const TPaintCall& c) {
  static constexpr const char* kKinds[] = {"Draw", "DrawScaled", "FillRect", "PutPixel", "TextOut"};
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

// A stored call with its picture or font, scale and text spelled out; the fields its kind does not use
// keep their defaults.
TPaintCall TFrameRecord::Decoded(const TCall& c) const {
  TPaintCall call;
  call.Kind = c.Kind;
  const bool picture = c.Kind == TCallKind::Draw || c.Kind == TCallKind::DrawScaled;
  if (picture) {
    call.Picture = static_cast<TPicture>(c.Index);
    call.Pattern = c.Pattern;
  }
  if (c.Kind == TCallKind::DrawScaled) call.Scale = c.Scale;
  call.X = c.X;
  call.Y = c.Y;
  call.Width = c.Width;
  call.Height = c.Height;
  call.Color = c.Color;
  call.Bottom = c.Bottom;
  call.Fx = c.Fx;
  if (c.Kind == TCallKind::TextOut) {
    call.Font = c.Index;
    call.Text = texts_.substr(c.TextStart, c.TextLength);
  }
  return call;
}

std::vector<TPaintCall> TFrameRecord::Calls() const {
  std::vector<TPaintCall> out;
  out.reserve(calls_.size());
  for (const TCall& c : calls_) out.push_back(Decoded(c));
  return out;
}

std::vector<TPaintCall> TFrameRecord::Of(TCallKind kind, TPicture picture) const {
  std::vector<TPaintCall> out;
  for (const TCall& c : calls_) {
    if (TPaintCall call = Decoded(c); call.Is(kind, picture)) out.push_back(std::move(call));
  }
  return out;
}

std::vector<TPaintCall> TFrameRecord::Of(TCallKind kind) const {
  std::vector<TPaintCall> out;
  for (const TCall& c : calls_) {
    if (c.Kind == kind) out.push_back(Decoded(c));
  }
  return out;
}

std::vector<std::string> TFrameRecord::Texts() const {
  std::vector<std::string> out;
  for (const TCall& c : calls_) {
    if (c.Kind == TCallKind::TextOut) out.push_back(texts_.substr(c.TextStart, c.TextLength));
  }
  return out;
}

// The calls field by field (texts by their place in the buffer, which is the same for equal frames), then
// the texts themselves.
bool TFrameRecord::operator==(const TFrameRecord& other) const {
  return calls_ == other.calls_ && texts_ == other.texts_;
}

void TFrameRecord::Draw(TPicture picture, int pattern, double x, double y, TDrawFx fx) {
  calls_.push_back({.Kind = TCallKind::Draw,
                    .Index = static_cast<int>(picture),
                    .Pattern = pattern,
                    .X = x,
                    .Y = y,
                    .Fx = fx});
}

void TFrameRecord::DrawScaled(TPicture picture, int pattern, double x, double y, double scale, TDrawFx fx) {
  calls_.push_back({.Kind = TCallKind::DrawScaled,
                    .Index = static_cast<int>(picture),
                    .Pattern = pattern,
                    .X = x,
                    .Y = y,
                    .Scale = scale,
                    .Fx = fx});
}

void TFrameRecord::FillRect(int left, int top, int width, int height, std::uint32_t color, TDrawFx fx) {
  calls_.push_back({.Kind = TCallKind::FillRect,
                    .X = static_cast<double>(left),
                    .Y = static_cast<double>(top),
                    .Width = width,
                    .Height = height,
                    .Color = color,
                    .Fx = fx});
}

void TFrameRecord::PutPixel(int x, int y, std::uint32_t color, TDrawFx fx) {
  calls_.push_back({.Kind = TCallKind::PutPixel,
                    .X = static_cast<double>(x),
                    .Y = static_cast<double>(y),
                    .Color = color,
                    .Fx = fx});
}

void TFrameRecord::TextOut(int font, std::string_view text, double x, double y, std::uint32_t topColor,
                           std::uint32_t bottomColor, TDrawFx fx) {
  const auto start = static_cast<std::uint32_t>(texts_.size());
  texts_.append(text);
  calls_.push_back({.Kind = TCallKind::TextOut,
                    .Index = font,
                    .X = x,
                    .Y = y,
                    .Color = topColor,
                    .Bottom = bottomColor,
                    .Fx = fx,
                    .TextStart = start,
                    .TextLength = static_cast<std::uint32_t>(text.size())});
}

double TFrameRecord::TextWidth(int font, std::string_view text) const {
  return measure_ ? measure_->TextWidth(font, text) : 0;
}

}  // namespace zelmar::scene
