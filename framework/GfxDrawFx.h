// Blend effect codes and colour helpers of the drawing framework.
#pragma once

#include <cstdint>

namespace zelmar {

// Bits 0-7 source factor, 8-15 destination factor, 16-23 operation; bit 28 asks for texture x colour.
using TDrawFx = std::int32_t;

inline constexpr TDrawFx fxOpaque = 1;
inline constexpr TDrawFx fxBlend = 1284;
inline constexpr TDrawFx fxAdd = 260;
inline constexpr TDrawFx fxShade = 1280;
inline constexpr TDrawFx fxSubtract = 65796;
inline constexpr TDrawFx fxMultiply = 512;
inline constexpr TDrawFx fxModulateBit = 1 << 28;

// Blend factors by their index in a code.
enum class TBlendFactor : std::uint8_t {
  Zero,
  One,
  SrcColor,
  InvSrcColor,
  SrcAlpha,
  InvSrcAlpha,
  DestAlpha,
  InvDestAlpha,
  DestColor,
  InvDestColor,
  SrcAlphaSat
};
// Blend operations by their index in a code.
enum class TBlendOp : std::uint8_t { Add, RevSubtract, Subtract, Min, Max };

// The parts of a code; indices out of range fall back to ONE / ZERO / ADD so a bad code never blends wildly.
struct TBlendDesc {
  TBlendFactor Source = TBlendFactor::One;
  TBlendFactor Dest = TBlendFactor::Zero;
  TBlendOp Op = TBlendOp::Add;
  bool Modulate = false;
  // Source ONE, destination ZERO, operation ADD: a plain copy with blending off.
  bool IsOpaque() const {
    return Source == TBlendFactor::One && Dest == TBlendFactor::Zero && Op == TBlendOp::Add;
  }
};

// Splits a code into factors, operation and the modulate bit.
inline TBlendDesc DecodeDrawFx(TDrawFx fx) {
  const auto u = static_cast<std::uint32_t>(fx);
  const unsigned src = u & 0xFF, dst = (u >> 8) & 0xFF, op = (u >> 16) & 0xFF;
  TBlendDesc d;
  d.Source = src <= 10 ? static_cast<TBlendFactor>(src) : TBlendFactor::One;
  d.Dest = dst <= 10 ? static_cast<TBlendFactor>(dst) : TBlendFactor::Zero;
  d.Op = op <= 4 ? static_cast<TBlendOp>(op) : TBlendOp::Add;
  d.Modulate = (u & static_cast<std::uint32_t>(fxModulateBit)) != 0;
  return d;
}

// Turns the framework's 0xAABBGGRR colour into the device's 0xAARRGGBB (and back: the swap is symmetric).
constexpr std::uint32_t SwapRedBlue(std::uint32_t c) {
  return (c & 0xFF00FF00u) | ((c & 0xFFu) << 16) | ((c >> 16) & 0xFFu);
}

}  // namespace zelmar
