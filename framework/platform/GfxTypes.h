// Plain values shared by the graphics layer: result codes, pixel formats, display modes, presentation
// parameters, device capabilities and the render, texture-stage and sampler state names.
#pragma once

#include <cstdint>

namespace zelmar::platform {

class PlatformWindow;

// Result of a graphics call; negative values are failures.
using GfxResult = std::int32_t;
constexpr GfxResult kGfxOk = 0;
constexpr GfxResult kGfxFail = static_cast<GfxResult>(0x80004005u);
constexpr GfxResult kGfxOutOfMemory = static_cast<GfxResult>(0x8007000Eu);
constexpr GfxResult kGfxDeviceLost = static_cast<GfxResult>(0x88760868u);
constexpr GfxResult kGfxDeviceNotReset = static_cast<GfxResult>(0x88760869u);
constexpr GfxResult kGfxNotAvailable = static_cast<GfxResult>(0x8876086Au);
constexpr GfxResult kGfxInvalidCall = static_cast<GfxResult>(0x8876086Cu);
constexpr GfxResult kGfxDriverInternalError = static_cast<GfxResult>(0x88760827u);

// Whether a graphics call succeeded.
inline bool GfxSucceeded(GfxResult result) {
  return result >= 0;
}

// Surface and texture formats. Colour channels are packed from the least significant bit upwards in the order
// blue, green, red, alpha (A8R8G8B8 is 0xAARRGGBB in a little-endian 32-bit word).
enum class GfxFormat : std::uint32_t {
  Unknown = 0,
  A8R8G8B8 = 21,
  X8R8G8B8 = 22,
  R5G6B5 = 23,
  X1R5G5B5 = 24,
  A1R5G5B5 = 25,
  A4R4G4B4 = 26,
  R3G3B2 = 27,
  A8 = 28,
  A8R3G3B2 = 29,
  X4R4G4B4 = 30,
  D32 = 71,
  D15S1 = 73,
  D24S8 = 75,
  D24X8 = 77,
  D24X4S4 = 79,
  D16 = 80,
};

// Bytes per pixel of a colour format, 0 for depth formats and Unknown.
int GfxFormatBytes(GfxFormat format);

// One display mode of the screen.
struct GfxDisplayMode {
  std::uint32_t Width = 0;
  std::uint32_t Height = 0;
  std::uint32_t RefreshRate = 0;  // Hz, 0 when the screen does not say
  GfxFormat Format = GfxFormat::Unknown;
};

enum class GfxSwapEffect : std::uint32_t { None = 0, Discard = 1, Flip = 2, Copy = 3 };

// How Present waits for the screen: Default and One wait for the vertical retrace, Immediate does not.
enum class GfxPresentInterval : std::uint32_t { Default = 0, One = 1, Immediate = 0x80000000u };

constexpr std::uint32_t kGfxPresentFlagDiscardDepthStencil = 0x2;

// Everything a device is created or reset with. A value-initialised record is all zeroes.
struct GfxPresentParameters {
  std::uint32_t BackBufferWidth = 0;
  std::uint32_t BackBufferHeight = 0;
  GfxFormat BackBufferFormat = GfxFormat::Unknown;
  std::uint32_t BackBufferCount = 0;
  std::uint32_t MultiSampleType = 0;
  std::uint32_t MultiSampleQuality = 0;
  GfxSwapEffect SwapEffect = GfxSwapEffect::None;
  PlatformWindow* DeviceWindow = nullptr;
  bool Windowed = false;
  bool EnableAutoDepthStencil = false;
  GfxFormat AutoDepthStencilFormat = GfxFormat::Unknown;
  std::uint32_t Flags = 0;
  std::uint32_t FullScreenRefreshRate = 0;
  GfxPresentInterval PresentationInterval = GfxPresentInterval::Default;
};

// Vertex processing asked for at device creation.
enum class GfxVertexProcessing { Hardware, Software };

// What the device can do (the few values the framework looks at).
struct GfxDeviceCaps {
  std::uint32_t MaxTextureWidth = 0;
  std::uint32_t MaxTextureHeight = 0;
  std::uint32_t MaxPrimitiveCount = 0;
  std::uint32_t MaxVertexIndex = 0;
  bool CanAutoGenMipmap = false;
  bool PowerOfTwoTexturesOnly = false;
};

// Resource kinds and usages for format checks and resource creation.
enum class GfxResourceType { Surface, Texture, VertexBuffer, IndexBuffer };
constexpr std::uint32_t kGfxUsageRenderTarget = 0x1;
constexpr std::uint32_t kGfxUsageDepthStencil = 0x2;
constexpr std::uint32_t kGfxUsageWriteOnly = 0x8;
constexpr std::uint32_t kGfxUsageDynamic = 0x200;
constexpr std::uint32_t kGfxUsageAutoGenMipmap = 0x400;

// Memory pools: Managed resources survive a device reset, Default ones belong to the device.
enum class GfxPool { Default, Managed, SystemMemory };

// Lock flags.
constexpr std::uint32_t kGfxLockReadOnly = 0x10;
constexpr std::uint32_t kGfxLockNoOverwrite = 0x1000;
constexpr std::uint32_t kGfxLockDiscard = 0x2000;

// Clear flags.
constexpr std::uint32_t kGfxClearTarget = 0x1;
constexpr std::uint32_t kGfxClearZBuffer = 0x2;
constexpr std::uint32_t kGfxClearStencil = 0x4;

struct GfxRect {
  std::int32_t Left = 0, Top = 0, Right = 0, Bottom = 0;
};

// A locked texture level: Bits points at the first byte of the locked area, rows are Pitch bytes apart.
struct GfxLockedRect {
  std::int32_t Pitch = 0;
  void* Bits = nullptr;
};

enum class GfxIndexFormat { Index16, Index32 };

// Vertex layout flags. The framework's vertex is pre-transformed screen position (x, y, z, rhw as floats),
// diffuse colour (0xAARRGGBB), one texture coordinate pair (u, v): 28 bytes.
constexpr std::uint32_t kGfxFvfXyzRhw = 0x004;
constexpr std::uint32_t kGfxFvfDiffuse = 0x040;
constexpr std::uint32_t kGfxFvfTex1 = 0x100;

enum class GfxPrimitiveType : std::uint32_t {
  PointList = 1,
  LineList = 2,
  LineStrip = 3,
  TriangleList = 4,
  TriangleStrip = 5,
  TriangleFan = 6,
};

// Vertices (or indices) that a list of `count` primitives of the type uses.
std::uint32_t GfxPrimitiveVertices(GfxPrimitiveType type, std::uint32_t count);

// Render states, with the value type each takes.
enum class GfxRenderState {
  ZEnable,           // bool
  ZWriteEnable,      // bool
  Lighting,          // bool
  CullMode,          // GfxCull
  FogEnable,         // bool
  AlphaTestEnable,   // bool
  AlphaFunc,         // GfxCompare
  AlphaRef,          // 0..255
  AlphaBlendEnable,  // bool
  SrcBlend,          // GfxBlend
  DestBlend,         // GfxBlend
  BlendOp,           // GfxBlendOp
  DitherEnable,      // bool
};

enum class GfxBlend : std::uint32_t {
  Zero = 1,
  One = 2,
  SrcColor = 3,
  InvSrcColor = 4,
  SrcAlpha = 5,
  InvSrcAlpha = 6,
  DestAlpha = 7,
  InvDestAlpha = 8,
  DestColor = 9,
  InvDestColor = 10,
  SrcAlphaSat = 11,
};

// Blend operations: result = source × SrcBlend (op) destination × DestBlend; RevSubtract is dest − source.
enum class GfxBlendOp : std::uint32_t { Add = 1, Subtract = 2, RevSubtract = 3, Min = 4, Max = 5 };

enum class GfxCompare : std::uint32_t {
  Never = 1,
  Less = 2,
  Equal = 3,
  LessEqual = 4,
  Greater = 5,
  NotEqual = 6,
  GreaterEqual = 7,
  Always = 8,
};

enum class GfxCull : std::uint32_t { None = 1, Clockwise = 2, CounterClockwise = 3 };

// Texture stage states, with the value type each takes.
enum class GfxTextureStageState {
  ColorOp,                // GfxTextureOp
  ColorArg1,              // GfxTextureArg
  ColorArg2,              // GfxTextureArg
  AlphaOp,                // GfxTextureOp
  AlphaArg1,              // GfxTextureArg
  AlphaArg2,              // GfxTextureArg
  TexCoordIndex,          // index of the vertex's texture coordinate pair
  TextureTransformFlags,  // 0: no transform
};

enum class GfxTextureOp : std::uint32_t { Disable = 1, SelectArg1 = 2, SelectArg2 = 3, Modulate = 4 };

// Texture stage arguments. A stage with no texture bound reads Texture as opaque white.
enum class GfxTextureArg : std::uint32_t { Diffuse = 0, Current = 1, Texture = 2 };

// Sampler states, with the value type each takes.
enum class GfxSamplerState {
  MagFilter,  // GfxTextureFilter
  MinFilter,  // GfxTextureFilter
  MipFilter,  // GfxTextureFilter
  AddressU,   // GfxTextureAddress
  AddressV,   // GfxTextureAddress
};

enum class GfxTextureFilter : std::uint32_t { None = 0, Point = 1, Linear = 2 };

enum class GfxTextureAddress : std::uint32_t { Wrap = 1, Mirror = 2, Clamp = 3 };

// Number of texture stages and samplers a device offers.
constexpr std::uint32_t kGfxTextureStages = 8;

}  // namespace zelmar::platform
