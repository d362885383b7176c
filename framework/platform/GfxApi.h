// The graphics interface the framework draws through. A backend implements it once (the OpenGL backend for
// the game, the scriptable test backend for the logic tests); framework components use nothing else.
//
// Model: one GfxApi object per process answers questions about the screen (display modes, formats) and
// creates the one GfxApiDevice. The device owns the back buffer (Width × Height), presents it to its window,
// and offers the drawing operations through GfxApiDrawing. Every call reports a GfxResult; nothing throws.
#pragma once

#include <cstdint>
#include <memory>

#include "framework/platform/GfxTypes.h"

namespace zelmar::platform {

class GfxApiDevice;
class GfxApiDrawing;

// The entry object of a graphics backend: screen queries and device creation.
class GfxApi {
 public:
  virtual ~GfxApi() = default;

  // Number of display modes of the screen in the given format.
  virtual std::uint32_t AdapterModeCount(GfxFormat format) = 0;
  // The display mode number `index` (0 … count − 1) in the given format.
  virtual GfxResult EnumAdapterModes(GfxFormat format, std::uint32_t index, GfxDisplayMode& mode) = 0;
  // The screen's current display mode (its format is the windowed back buffer format).
  virtual GfxResult AdapterDisplayMode(GfxDisplayMode& mode) = 0;
  // Whether `format` can be used as a resource of `type` with `usage` while the screen or back buffer has
  // `adapterFormat`. Depth formats are checked with Surface and kGfxUsageDepthStencil; textures with Texture
  // and 0 or kGfxUsageAutoGenMipmap.
  virtual GfxResult CheckDeviceFormat(GfxFormat adapterFormat, std::uint32_t usage, GfxResourceType type,
                                      GfxFormat format) = 0;
  // Creates the device presenting to `focusWindow`; fails when a device already exists.
  virtual GfxResult CreateDevice(PlatformWindow* focusWindow, GfxVertexProcessing processing,
                                 const GfxPresentParameters& parameters,
                                 std::unique_ptr<GfxApiDevice>& device) = 0;
};

// The device: back buffer, presentation and scene brackets; drawing through Drawing().
class GfxApiDevice {
 public:
  virtual ~GfxApiDevice() = default;

  // Reads the device's capabilities.
  virtual GfxResult GetDeviceCaps(GfxDeviceCaps& caps) = 0;
  // Rebuilds the back buffer and presentation with new parameters (size, windowed or full screen, format,
  // retrace wait). Managed resources survive; Default-pool resources should be released before.
  virtual GfxResult Reset(const GfxPresentParameters& parameters) = 0;
  // Shows the whole back buffer in the device window. May report kGfxDeviceLost.
  virtual GfxResult Present() = 0;
  // kGfxOk when the device can draw, kGfxDeviceLost while it cannot, kGfxDeviceNotReset when Reset may
  // bring it back.
  virtual GfxResult TestCooperativeLevel() = 0;
  virtual GfxResult BeginScene() = 0;
  virtual GfxResult EndScene() = 0;
  // Clears the whole back buffer (kGfxClearTarget) to `colorArgb` (0xAARRGGBB) and, with the other flags,
  // the depth buffer to `z` and the stencil buffer to `stencil`.
  virtual GfxResult Clear(std::uint32_t flags, std::uint32_t colorArgb, float z, std::uint32_t stencil) = 0;
  // Reads the back buffer's pixels as 0xAARRGGBB words, row by row from the top (for tests and screenshots).
  virtual GfxResult ReadBackBuffer(std::uint32_t* pixels, std::uint32_t width, std::uint32_t height) = 0;
  // The drawing half of the device.
  virtual GfxApiDrawing& Drawing() = 0;
};

// A texture with one or more mip levels. Destroying it releases it.
class GfxApiTexture {
 public:
  virtual ~GfxApiTexture() = default;
  virtual std::uint32_t LevelCount() = 0;
  // Locks a level (the whole level when `rect` is null) for writing; the pixels are in the texture's format.
  virtual GfxResult LockRect(std::uint32_t level, GfxLockedRect& locked, const GfxRect* rect,
                             std::uint32_t flags) = 0;
  // Unlocks the level; a texture made with kGfxUsageAutoGenMipmap rebuilds its smaller levels from level 0.
  virtual GfxResult UnlockRect(std::uint32_t level) = 0;
};

// A vertex or index buffer. Destroying it releases it.
class GfxApiBuffer {
 public:
  virtual ~GfxApiBuffer() = default;
  // Locks `size` bytes from `offset` (0, 0: the whole buffer); kGfxLockDiscard drops the old contents.
  virtual GfxResult Lock(std::uint32_t offset, std::uint32_t size, void*& data, std::uint32_t flags) = 0;
  virtual GfxResult Unlock() = 0;
};

// Resources, states and draw calls of the device. Coordinates of pre-transformed vertices are back-buffer
// pixels with (0, 0) at the top-left corner of the top-left pixel.
class GfxApiDrawing {
 public:
  virtual ~GfxApiDrawing() = default;

  virtual GfxResult CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                  std::uint32_t usage, GfxFormat format, GfxPool pool,
                                  std::unique_ptr<GfxApiTexture>& texture) = 0;
  // A vertex buffer of `length` bytes holding vertices of layout `fvf` (kGfxFvf… flags).
  virtual GfxResult CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                       GfxPool pool, std::unique_ptr<GfxApiBuffer>& buffer) = 0;
  virtual GfxResult CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, GfxIndexFormat format,
                                      GfxPool pool, std::unique_ptr<GfxApiBuffer>& buffer) = 0;

  virtual GfxResult SetRenderState(GfxRenderState state, std::uint32_t value) = 0;
  virtual GfxResult SetTextureStageState(std::uint32_t stage, GfxTextureStageState state,
                                         std::uint32_t value) = 0;
  virtual GfxResult SetSamplerState(std::uint32_t sampler, GfxSamplerState state, std::uint32_t value) = 0;
  // Binds a texture to a stage; null unbinds it.
  virtual GfxResult SetTexture(std::uint32_t stage, GfxApiTexture* texture) = 0;

  // Binds the vertex buffer of stream 0 (vertices `stride` bytes apart from `offset`).
  virtual GfxResult SetStreamSource(std::uint32_t stream, GfxApiBuffer* buffer, std::uint32_t offset,
                                    std::uint32_t stride) = 0;
  virtual GfxResult SetIndices(GfxApiBuffer* buffer) = 0;
  // Sets the vertex layout (kGfxFvf… flags); drawing uses the fixed pipeline, no vertex program.
  virtual GfxResult SetVertexFormat(std::uint32_t fvf) = 0;

  // Draws `primitiveCount` primitives from the bound vertices starting at `startVertex`.
  virtual GfxResult DrawPrimitive(GfxPrimitiveType type, std::uint32_t startVertex,
                                  std::uint32_t primitiveCount) = 0;
  // Draws indexed primitives; indices are relative to `baseVertex`, use vertices minVertex …
  // minVertex + vertexCount − 1 and start at index `startIndex`.
  virtual GfxResult DrawIndexedPrimitive(GfxPrimitiveType type, std::int32_t baseVertex,
                                         std::uint32_t minVertex, std::uint32_t vertexCount,
                                         std::uint32_t startIndex, std::uint32_t primitiveCount) = 0;
};

}  // namespace zelmar::platform
