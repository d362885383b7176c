#include "framework/platform/TestDrawing.h"

#include <cstdio>
#include <vector>

namespace platform {

namespace {

// A texture whose levels are byte arrays of width × bytes-per-pixel rows.
class TestTexture : public GfxApiTexture {
 public:
  TestTexture(TestGfxState& state, std::uint32_t width, std::uint32_t height, std::uint32_t levels, GfxFormat format)
      : state_(state), width_(width), height_(height), bytes_(GfxFormatBytes(format)) {
    for (std::uint32_t i = 0; i < levels; ++i) {
      const std::uint32_t w = std::max(1u, width >> i), h = std::max(1u, height >> i);
      levels_.emplace_back(static_cast<std::size_t>(w) * h * static_cast<std::size_t>(bytes_), 0);
    }
  }
  ~TestTexture() override { state_.Record("ReleaseTexture"); }

  std::uint32_t LevelCount() override { return static_cast<std::uint32_t>(levels_.size()); }

  GfxResult LockRect(std::uint32_t level, GfxLockedRect& locked, const GfxRect* rect, std::uint32_t) override {
    state_.Record("LockRect " + std::to_string(level));
    if (state_.Refuses("LockRect") || level >= levels_.size()) return kGfxInvalidCall;
    const std::int32_t pitch = static_cast<std::int32_t>(std::max(1u, width_ >> level)) * bytes_;
    std::uint8_t* bits = levels_[level].data();
    if (rect) bits += static_cast<std::ptrdiff_t>(rect->Top) * pitch + rect->Left * bytes_;
    locked = {pitch, bits};
    return kGfxOk;
  }

  GfxResult UnlockRect(std::uint32_t level) override {
    state_.Record("UnlockRect " + std::to_string(level));
    return level < levels_.size() ? kGfxOk : kGfxInvalidCall;
  }

  // The bytes of a level, for tests that check what was written.
  const std::vector<std::uint8_t>& Level(std::uint32_t level) const { return levels_[level]; }

 private:
  TestGfxState& state_;
  std::uint32_t width_, height_;
  int bytes_;
  std::vector<std::vector<std::uint8_t>> levels_;
};

// A vertex or index buffer kept in memory.
class TestBuffer : public GfxApiBuffer {
 public:
  TestBuffer(TestGfxState& state, std::uint32_t length) : state_(state), bytes_(length, 0) {}
  ~TestBuffer() override { state_.Record("ReleaseBuffer"); }

  GfxResult Lock(std::uint32_t offset, std::uint32_t size, void*& data, std::uint32_t flags) override {
    state_.Record("Lock " + std::to_string(offset) + " " + std::to_string(size) + " " + std::to_string(flags));
    if (state_.Refuses("Lock") || offset > bytes_.size() || size > bytes_.size() - offset) return kGfxInvalidCall;
    data = bytes_.data() + offset;
    return kGfxOk;
  }

  GfxResult Unlock() override {
    state_.Record("Unlock");
    return kGfxOk;
  }

 private:
  TestGfxState& state_;
  std::vector<std::uint8_t> bytes_;
};

// Records "Name a b c" and answers as the script says.
GfxResult Call(TestGfxState& state, const char* name, std::initializer_list<long long> arguments) {
  std::string entry = name;
  for (long long argument : arguments) entry += " " + std::to_string(argument);
  state.Record(entry);
  return state.Refuses(name) ? kGfxFail : kGfxOk;
}

}  // namespace

GfxResult TestDrawing::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                     std::uint32_t usage, GfxFormat format, GfxPool pool,
                                     std::unique_ptr<GfxApiTexture>& texture) {
  state_.Record("CreateTexture " + std::to_string(width) + "x" + std::to_string(height) + " " +
                std::to_string(levels) + " " + std::to_string(usage) + " " + TestFormatName(format) + " " +
                std::to_string(static_cast<int>(pool)));
  if (state_.Refuses("CreateTexture") || width == 0 || height == 0 || GfxFormatBytes(format) == 0) {
    return kGfxInvalidCall;
  }
  std::uint32_t count = levels;
  if (count == 0) {  // a full chain down to 1 × 1
    count = 1;
    for (std::uint32_t w = width, h = height; w > 1 || h > 1; w >>= 1, h >>= 1) ++count;
  }
  texture = std::make_unique<TestTexture>(state_, width, height, count, format);
  return kGfxOk;
}

GfxResult TestDrawing::CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf, GfxPool pool,
                                          std::unique_ptr<GfxApiBuffer>& buffer) {
  const GfxResult result = Call(state_, "CreateVertexBuffer", {length, usage, fvf, static_cast<int>(pool)});
  if (GfxSucceeded(result)) buffer = std::make_unique<TestBuffer>(state_, length);
  return result;
}

GfxResult TestDrawing::CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, GfxIndexFormat format,
                                         GfxPool pool, std::unique_ptr<GfxApiBuffer>& buffer) {
  const GfxResult result =
      Call(state_, "CreateIndexBuffer", {length, usage, static_cast<int>(format), static_cast<int>(pool)});
  if (GfxSucceeded(result)) buffer = std::make_unique<TestBuffer>(state_, length);
  return result;
}

GfxResult TestDrawing::SetRenderState(GfxRenderState state, std::uint32_t value) {
  return Call(state_, "SetRenderState", {static_cast<int>(state), value});
}

GfxResult TestDrawing::SetTextureStageState(std::uint32_t stage, GfxTextureStageState state, std::uint32_t value) {
  return Call(state_, "SetTextureStageState", {stage, static_cast<int>(state), value});
}

GfxResult TestDrawing::SetSamplerState(std::uint32_t sampler, GfxSamplerState state, std::uint32_t value) {
  return Call(state_, "SetSamplerState", {sampler, static_cast<int>(state), value});
}

GfxResult TestDrawing::SetTexture(std::uint32_t stage, GfxApiTexture* texture) {
  return Call(state_, "SetTexture", {stage, texture ? 1 : 0});
}

GfxResult TestDrawing::SetStreamSource(std::uint32_t stream, GfxApiBuffer* buffer, std::uint32_t offset,
                                       std::uint32_t stride) {
  return Call(state_, "SetStreamSource", {stream, buffer ? 1 : 0, offset, stride});
}

GfxResult TestDrawing::SetIndices(GfxApiBuffer* buffer) { return Call(state_, "SetIndices", {buffer ? 1 : 0}); }

GfxResult TestDrawing::SetVertexFormat(std::uint32_t fvf) { return Call(state_, "SetVertexFormat", {fvf}); }

GfxResult TestDrawing::DrawPrimitive(GfxPrimitiveType type, std::uint32_t startVertex, std::uint32_t primitiveCount) {
  return Call(state_, "DrawPrimitive", {static_cast<int>(type), startVertex, primitiveCount});
}

GfxResult TestDrawing::DrawIndexedPrimitive(GfxPrimitiveType type, std::int32_t baseVertex, std::uint32_t minVertex,
                                            std::uint32_t vertexCount, std::uint32_t startIndex,
                                            std::uint32_t primitiveCount) {
  return Call(state_, "DrawIndexedPrimitive",
              {static_cast<int>(type), baseVertex, minVertex, vertexCount, startIndex, primitiveCount});
}

}  // namespace platform
