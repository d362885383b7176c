// The drawing half of the test backend: resources live in memory and every call is recorded in the log.
#pragma once

#include "framework/platform/GfxApi.h"
#include "framework/platform/TestGfx.h"

namespace platform {

class TestDrawing : public GfxApiDrawing {
 public:
  explicit TestDrawing(TestGfxState& state) : state_(state) {}

  GfxResult CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels, std::uint32_t usage,
                          GfxFormat format, GfxPool pool, std::unique_ptr<GfxApiTexture>& texture) override;
  GfxResult CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, GfxPool pool,
                               std::unique_ptr<GfxApiBuffer>& buffer) override;
  GfxResult CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, GfxIndexFormat format, GfxPool pool,
                              std::unique_ptr<GfxApiBuffer>& buffer) override;
  GfxResult SetRenderState(GfxRenderState state, std::uint32_t value) override;
  GfxResult SetTextureStageState(std::uint32_t stage, GfxTextureStageState state, std::uint32_t value) override;
  GfxResult SetSamplerState(std::uint32_t sampler, GfxSamplerState state, std::uint32_t value) override;
  GfxResult SetTexture(std::uint32_t stage, GfxApiTexture* texture) override;
  GfxResult SetStreamSource(std::uint32_t stream, GfxApiBuffer* buffer, std::uint32_t offset,
                            std::uint32_t stride) override;
  GfxResult SetIndices(GfxApiBuffer* buffer) override;
  GfxResult SetVertexFormat(std::uint32_t fvf) override;
  GfxResult DrawPrimitive(GfxPrimitiveType type, std::uint32_t startVertex, std::uint32_t primitiveCount) override;
  GfxResult DrawIndexedPrimitive(GfxPrimitiveType type, std::int32_t baseVertex, std::uint32_t minVertex,
                                 std::uint32_t vertexCount, std::uint32_t startIndex,
                                 std::uint32_t primitiveCount) override;

 private:
  TestGfxState& state_;
};

}  // namespace platform
