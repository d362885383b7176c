// The drawing half of the OpenGL backend: textures, vertex and index buffers, the fixed-pipeline states the
// framework uses, and draw calls of pre-transformed vertices into the back buffer.
//
// The device keeps its GL context current on the main thread and the back buffer's framebuffer bound while
// a scene is open; it tells this object the back buffer's size whenever the device is created or reset.
// The back buffer framebuffer is oriented as GL's own: screen row y of a pre-transformed vertex lies at
// normalised y = 1 − 2·y / height (the device presents and reads it back with the top row first).
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "framework/platform/GfxApi.h"
#include "framework/platform/GlFunctions.h"

namespace zelmar::platform {

class GlBuffer;
class GlProgram;
class GlTexture;

class GlDrawing : public GfxApiDrawing {
 public:
  GlDrawing();
  ~GlDrawing() override;

  // Prepares the drawing objects once the context exists; false fails the device creation.
  bool Initialize();
  // The back buffer is now width × height pixels (pre-transformed coordinates map onto it).
  void BackBufferResized(std::uint32_t width, std::uint32_t height);

  GfxResult CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                          std::uint32_t usage, GfxFormat format, GfxPool pool,
                          std::unique_ptr<GfxApiTexture>& texture) override;
  GfxResult CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, GfxPool pool,
                               std::unique_ptr<GfxApiBuffer>& buffer) override;
  GfxResult CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, GfxIndexFormat format, GfxPool pool,
                              std::unique_ptr<GfxApiBuffer>& buffer) override;
  GfxResult SetRenderState(GfxRenderState state, std::uint32_t value) override;
  GfxResult SetTextureStageState(std::uint32_t stage, GfxTextureStageState state,
                                 std::uint32_t value) override;
  GfxResult SetSamplerState(std::uint32_t sampler, GfxSamplerState state, std::uint32_t value) override;
  GfxResult SetTexture(std::uint32_t stage, GfxApiTexture* texture) override;
  GfxResult SetStreamSource(std::uint32_t stream, GfxApiBuffer* buffer, std::uint32_t offset,
                            std::uint32_t stride) override;
  GfxResult SetIndices(GfxApiBuffer* buffer) override;
  GfxResult SetVertexFormat(std::uint32_t fvf) override;
  GfxResult DrawPrimitive(GfxPrimitiveType type, std::uint32_t startVertex,
                          std::uint32_t primitiveCount) override;
  GfxResult DrawIndexedPrimitive(GfxPrimitiveType type, std::int32_t baseVertex, std::uint32_t minVertex,
                                 std::uint32_t vertexCount, std::uint32_t startIndex,
                                 std::uint32_t primitiveCount) override;

 private:
  // Brings GL in line with the recorded states and bindings before a draw; false when it cannot draw.
  bool Prepare();
  void ApplyBlend();
  void ApplySampler();
  void BindVertices(std::int32_t baseVertex);

  std::uint32_t width_ = 0;
  std::uint32_t height_ = 0;
  std::unique_ptr<GlProgram> program_;
  GLuint vertexArray_ = 0;
  GLuint sampler_ = 0;
  // States as last set, indexed by their enumerations (stage 0 and sampler 0 only: one texture stage).
  std::array<std::uint32_t, 13> renderStates_{};
  std::array<std::uint32_t, 8> stageStates_{};
  std::array<std::uint32_t, 5> samplerStates_{};
  GlTexture* texture_ = nullptr;
  GlBuffer* vertexBuffer_ = nullptr;
  std::uint32_t streamOffset_ = 0, stride_ = 0;
  GlBuffer* indexBuffer_ = nullptr;
  std::uint32_t fvf_ = 0;
};

}  // namespace zelmar::platform
