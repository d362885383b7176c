// The drawing half of the test backend: resources live in memory and every call is recorded in the log.
// Each draw call is also kept as a TestDrawCall with the states, texture and vertices it used, so tests can
// check batching without a display.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <vector>

#include "framework/platform/GfxApi.h"
#include "framework/platform/TestGfx.h"

namespace zelmar::platform {

// A texture in memory: every level is tightly packed rows in the texture's format.
class TestTexture : public GfxApiTexture {
 public:
  TestTexture(TestGfxState& state, std::uint32_t width, std::uint32_t height, std::uint32_t levels,
              std::uint32_t usage, GfxFormat format);
  ~TestTexture() override;
  std::uint32_t LevelCount() override { return static_cast<std::uint32_t>(Levels.size()); }
  GfxResult LockRect(std::uint32_t level, GfxLockedRect& locked, const GfxRect* rect,
                     std::uint32_t flags) override;
  GfxResult UnlockRect(std::uint32_t level) override;

  std::uint32_t Width, Height, Usage;
  GfxFormat Format;
  std::vector<std::vector<std::uint8_t>> Levels;
  int Id;  // order of creation, for log entries
  bool Locked = false;
  int Unlocks = 0;

 private:
  TestGfxState& state_;
};

// A vertex or index buffer in memory.
class TestBuffer : public GfxApiBuffer {
 public:
  TestBuffer(TestGfxState& state, std::uint32_t length, std::uint32_t usage, bool index);
  ~TestBuffer() override;
  GfxResult Lock(std::uint32_t offset, std::uint32_t size, void*& data, std::uint32_t flags) override;
  GfxResult Unlock() override;

  std::vector<std::uint8_t> Bytes;
  std::uint32_t Usage;
  bool Index;
  bool Locked = false;
  std::uint32_t LastLockFlags = 0;

 private:
  TestGfxState& state_;
};

// One draw call as the device saw it.
struct TestDrawCall {
  GfxPrimitiveType Type = GfxPrimitiveType::TriangleList;
  bool Indexed = false;
  std::uint32_t PrimitiveCount = 0;
  std::uint32_t VertexCount = 0;
  const TestTexture* Texture = nullptr;  // stage 0
  std::map<GfxRenderState, std::uint32_t> RenderStates;
  std::uint32_t ColorOp = 0, AlphaOp = 0;      // stage 0
  std::uint32_t MagFilter = 0, MinFilter = 0;  // sampler 0
  std::vector<std::uint8_t> Vertices;          // the vertices used, as bytes (when KeepVertices)
  std::vector<std::uint16_t> Indices;          // the indices used (when KeepVertices)
};

class TestDrawing : public GfxApiDrawing {
 public:
  explicit TestDrawing(TestGfxState& state) : state_(state) {}

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

  // The draw calls so far (tests may clear them); past MaxCalls the older half is dropped, so long runs
  // of many frames stay small.
  std::vector<TestDrawCall> Calls;
  std::size_t MaxCalls = 4096;
  // Whether draw calls keep copies of their vertices and indices (the benchmark turns this off).
  bool KeepVertices = true;
  // Whether calls are written to the shared log (the benchmark turns this off).
  bool LogCalls = true;
  // The states as last set.
  std::map<GfxRenderState, std::uint32_t> RenderStates;
  std::map<std::pair<std::uint32_t, GfxTextureStageState>, std::uint32_t> StageStates;
  std::map<std::pair<std::uint32_t, GfxSamplerState>, std::uint32_t> SamplerStates;
  std::array<TestTexture*, kGfxTextureStages> Textures{};

 private:
  GfxResult Refused(const char* operation);
  TestDrawCall Snapshot(GfxPrimitiveType type, std::uint32_t primitiveCount) const;
  void Keep(TestDrawCall call);

  TestGfxState& state_;
  TestBuffer* stream_ = nullptr;
  std::uint32_t streamOffset_ = 0, stride_ = 0;
  TestBuffer* indices_ = nullptr;
  std::uint32_t fvf_ = 0;
  int nextTextureId_ = 0;
};

}  // namespace zelmar::platform
