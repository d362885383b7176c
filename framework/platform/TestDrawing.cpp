#include "framework/platform/TestDrawing.h"

#include <algorithm>
#include <cstring>
#include <string>

namespace zelmar::platform {
namespace {

// The name of a primitive type, for log entries.
const char* TypeName(GfxPrimitiveType type) {
  switch (type) {
    case GfxPrimitiveType::PointList:
      return "PointList";
    case GfxPrimitiveType::LineList:
      return "LineList";
    case GfxPrimitiveType::LineStrip:
      return "LineStrip";
    case GfxPrimitiveType::TriangleList:
      return "TriangleList";
    case GfxPrimitiveType::TriangleStrip:
      return "TriangleStrip";
    default:
      return "TriangleFan";
  }
}

}  // namespace

// Allocates the levels (0: the whole chain) as zeroed byte arrays.
TestTexture::TestTexture(TestGfxState& state, std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                         std::uint32_t usage, GfxFormat format)
    : Width(width), Height(height), Usage(usage), Format(format), Id(0), state_(state) {
  // Level count 0 asks for the whole chain down to 1 x 1.
  std::uint32_t w = width, h = height;
  const auto bytes = static_cast<std::uint32_t>(GfxFormatBytes(format));
  for (std::uint32_t level = 0; levels == 0 || level < levels; ++level) {
    Levels.emplace_back(static_cast<std::size_t>(w) * h * bytes);
    if (w == 1 && h == 1) break;
    w = w > 1 ? w / 2 : 1;
    h = h > 1 ? h / 2 : 1;
  }
}

// Hands out a level (or a rectangle of it) at its tight pitch; one lock at a time.
GfxResult TestTexture::LockRect(std::uint32_t level, GfxLockedRect& locked, const GfxRect* rect,
                                std::uint32_t) {
  if (state_.Refuses("LockRect") || level >= Levels.size() || Locked) return kGfxInvalidCall;
  const auto bytes = static_cast<std::uint32_t>(GfxFormatBytes(Format));
  const std::uint32_t w = std::max<std::uint32_t>(Width >> level, 1);
  locked.Pitch = static_cast<std::int32_t>(w * bytes);
  std::size_t offset = 0;
  if (rect)
    offset =
        static_cast<std::size_t>(rect->Top) * locked.Pitch + static_cast<std::size_t>(rect->Left) * bytes;
  locked.Bits = Levels[level].data() + offset;
  Locked = true;
  return kGfxOk;
}

// Ends a lock and counts it.
GfxResult TestTexture::UnlockRect(std::uint32_t) {
  if (!Locked) return kGfxInvalidCall;
  Locked = false;
  ++Unlocks;
  return kGfxOk;
}

// Logs the release so tests can see textures go.
TestTexture::~TestTexture() {
  state_.Record("ReleaseTexture");
}

// Logs the release so tests can see buffers go.
TestBuffer::~TestBuffer() {
  state_.Record("ReleaseBuffer");
}

// A zeroed buffer of the given length.
TestBuffer::TestBuffer(TestGfxState& state, std::uint32_t length, std::uint32_t usage, bool index)
    : Bytes(length), Usage(usage), Index(index), state_(state) {}

// Hands out a range of the buffer; one lock at a time, refused when scripted.
GfxResult TestBuffer::Lock(std::uint32_t offset, std::uint32_t size, void*& data, std::uint32_t flags) {
  if (state_.Refuses("Lock") || Locked || offset > Bytes.size() || size > Bytes.size() - offset) {
    return kGfxInvalidCall;
  }
  data = Bytes.data() + offset;
  Locked = true;
  LastLockFlags = flags;
  return kGfxOk;
}

// Ends a lock.
GfxResult TestBuffer::Unlock() {
  if (!Locked) return kGfxInvalidCall;
  Locked = false;
  return kGfxOk;
}

// Failure when the script refuses the operation.
GfxResult TestDrawing::Refused(const char* operation) {
  return state_.Refuses(operation) ? kGfxFail : kGfxOk;
}

// An in-memory texture within the scripted size limits.
GfxResult TestDrawing::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                     std::uint32_t usage, GfxFormat format, GfxPool pool,
                                     std::unique_ptr<GfxApiTexture>& texture) {
  if (Refused("CreateTexture") != kGfxOk) return kGfxFail;
  if (width == 0 || height == 0 || width > state_.Script.Caps.MaxTextureWidth ||
      height > state_.Script.Caps.MaxTextureHeight || GfxFormatBytes(format) == 0) {
    return kGfxInvalidCall;
  }
  auto made = std::make_unique<TestTexture>(state_, width, height, levels, usage, format);
  made->Id = ++nextTextureId_;
  state_.Record("CreateTexture " + std::to_string(width) + "x" + std::to_string(height) + " " +
                std::to_string(levels) + " " + std::to_string(usage) + " " + TestFormatName(format) + " " +
                std::to_string(static_cast<int>(pool)));
  texture = std::move(made);
  return kGfxOk;
}

// An in-memory vertex buffer, unless refused.
GfxResult TestDrawing::CreateVertexBuffer(std::uint32_t length, std::uint32_t usage, std::uint32_t fvf,
                                          GfxPool pool, std::unique_ptr<GfxApiBuffer>& buffer) {
  state_.Record("CreateVertexBuffer " + std::to_string(length) + " " + std::to_string(usage) + " " +
                std::to_string(fvf) + " " + std::to_string(static_cast<int>(pool)));
  if (Refused("CreateVertexBuffer") != kGfxOk) return kGfxFail;
  buffer = std::make_unique<TestBuffer>(state_, length, usage, false);
  return kGfxOk;
}

// An in-memory index buffer, unless refused.
GfxResult TestDrawing::CreateIndexBuffer(std::uint32_t length, std::uint32_t usage, GfxIndexFormat format,
                                         GfxPool pool, std::unique_ptr<GfxApiBuffer>& buffer) {
  state_.Record("CreateIndexBuffer " + std::to_string(length) + " " + std::to_string(usage) + " " +
                std::to_string(static_cast<int>(format)) + " " + std::to_string(static_cast<int>(pool)));
  if (Refused("CreateIndexBuffer") != kGfxOk) return kGfxFail;
  buffer = std::make_unique<TestBuffer>(state_, length, usage, true);
  return kGfxOk;
}

// Remembers a render state.
GfxResult TestDrawing::SetRenderState(GfxRenderState state, std::uint32_t value) {
  RenderStates[state] = value;
  if (LogCalls) {
    state_.Record("SetRenderState " + std::to_string(static_cast<int>(state)) + " " + std::to_string(value));
  }
  return kGfxOk;
}

// Remembers a texture stage state.
GfxResult TestDrawing::SetTextureStageState(std::uint32_t stage, GfxTextureStageState state,
                                            std::uint32_t value) {
  if (stage >= kGfxTextureStages) return kGfxInvalidCall;
  StageStates[{stage, state}] = value;
  return kGfxOk;
}

// Remembers a sampler state.
GfxResult TestDrawing::SetSamplerState(std::uint32_t sampler, GfxSamplerState state, std::uint32_t value) {
  if (sampler >= kGfxTextureStages) return kGfxInvalidCall;
  SamplerStates[{sampler, state}] = value;
  if (LogCalls) {
    state_.Record("SetSamplerState " + std::to_string(sampler) + " " +
                  std::to_string(static_cast<int>(state)) + " " + std::to_string(value));
  }
  return kGfxOk;
}

// Remembers the texture of a stage.
GfxResult TestDrawing::SetTexture(std::uint32_t stage, GfxApiTexture* texture) {
  if (stage >= kGfxTextureStages) return kGfxInvalidCall;
  Textures[stage] = static_cast<TestTexture*>(texture);
  if (LogCalls) {
    state_.Record("SetTexture " + std::to_string(stage) + " " +
                  std::to_string(texture ? static_cast<TestTexture*>(texture)->Id : 0));
  }
  return kGfxOk;
}

// Remembers the vertex stream.
GfxResult TestDrawing::SetStreamSource(std::uint32_t stream, GfxApiBuffer* buffer, std::uint32_t offset,
                                       std::uint32_t stride) {
  if (stream != 0 || Refused("SetStreamSource") != kGfxOk) return kGfxFail;
  stream_ = static_cast<TestBuffer*>(buffer);
  streamOffset_ = offset;
  stride_ = stride;
  return kGfxOk;
}

// Remembers the index buffer.
GfxResult TestDrawing::SetIndices(GfxApiBuffer* buffer) {
  if (Refused("SetIndices") != kGfxOk) return kGfxFail;
  indices_ = static_cast<TestBuffer*>(buffer);
  return kGfxOk;
}

// Remembers the vertex layout.
GfxResult TestDrawing::SetVertexFormat(std::uint32_t fvf) {
  fvf_ = fvf;
  return kGfxOk;
}

// The states a draw call sees.
TestDrawCall TestDrawing::Snapshot(GfxPrimitiveType type, std::uint32_t primitiveCount) const {
  TestDrawCall call;
  call.Type = type;
  call.PrimitiveCount = primitiveCount;
  call.Texture = Textures[0];
  call.RenderStates = RenderStates;
  auto stage = [&](GfxTextureStageState s) {
    auto it = StageStates.find({0, s});
    return it == StageStates.end() ? 0u : it->second;
  };
  auto sampler = [&](GfxSamplerState s) {
    auto it = SamplerStates.find({0, s});
    return it == SamplerStates.end() ? 0u : it->second;
  };
  call.ColorOp = stage(GfxTextureStageState::ColorOp);
  call.AlphaOp = stage(GfxTextureStageState::AlphaOp);
  call.MagFilter = sampler(GfxSamplerState::MagFilter);
  call.MinFilter = sampler(GfxSamplerState::MinFilter);
  return call;
}

// Appends a draw call, dropping the older half of the list when it is full.
void TestDrawing::Keep(TestDrawCall call) {
  if (MaxCalls > 0 && Calls.size() >= MaxCalls) {
    Calls.erase(Calls.begin(), Calls.begin() + static_cast<std::ptrdiff_t>(Calls.size() / 2));
  }
  Calls.push_back(std::move(call));
}

// Records a non-indexed draw after checking it stays inside the stream.
GfxResult TestDrawing::DrawPrimitive(GfxPrimitiveType type, std::uint32_t startVertex,
                                     std::uint32_t primitiveCount) {
  if (Refused("DrawPrimitive") != kGfxOk) return kGfxFail;
  const std::uint32_t count = GfxPrimitiveVertices(type, primitiveCount);
  const std::size_t begin = streamOffset_ + static_cast<std::size_t>(startVertex) * stride_;
  const std::size_t bytes = static_cast<std::size_t>(count) * stride_;
  if (!stream_ || stride_ == 0 || stream_->Locked || begin + bytes > stream_->Bytes.size())
    return kGfxInvalidCall;
  TestDrawCall call = Snapshot(type, primitiveCount);
  call.VertexCount = count;
  if (KeepVertices)
    call.Vertices.assign(stream_->Bytes.begin() + begin, stream_->Bytes.begin() + begin + bytes);
  Keep(std::move(call));
  if (LogCalls)
    state_.Record(std::string("DrawPrimitive ") + TypeName(type) + " " + std::to_string(primitiveCount));
  return kGfxOk;
}

// Records an indexed draw after checking every index names a vertex the call declared.
GfxResult TestDrawing::DrawIndexedPrimitive(GfxPrimitiveType type, std::int32_t baseVertex,
                                            std::uint32_t minVertex, std::uint32_t vertexCount,
                                            std::uint32_t startIndex, std::uint32_t primitiveCount) {
  if (Refused("DrawIndexedPrimitive") != kGfxOk) return kGfxFail;
  const std::uint32_t indexCount = GfxPrimitiveVertices(type, primitiveCount);
  if (!stream_ || !indices_ || stride_ == 0 || stream_->Locked || indices_->Locked || baseVertex < 0 ||
      (static_cast<std::size_t>(startIndex) + indexCount) * 2 > indices_->Bytes.size() ||
      streamOffset_ + (static_cast<std::size_t>(baseVertex) + minVertex + vertexCount) * stride_ >
          stream_->Bytes.size()) {
    return kGfxInvalidCall;
  }
  TestDrawCall call = Snapshot(type, primitiveCount);
  call.Indexed = true;
  call.VertexCount = vertexCount;
  // Every index must name one of the vertices the call said it uses.
  for (std::uint32_t i = 0; i < indexCount; ++i) {
    std::uint16_t index;
    std::memcpy(&index, indices_->Bytes.data() + (static_cast<std::size_t>(startIndex) + i) * 2, 2);
    if (index < minVertex || index >= minVertex + vertexCount) return kGfxInvalidCall;
    if (KeepVertices) call.Indices.push_back(index);
  }
  if (KeepVertices) {
    const std::size_t begin = streamOffset_ + static_cast<std::size_t>(baseVertex) * stride_;
    const std::size_t end = begin + (static_cast<std::size_t>(minVertex) + vertexCount) * stride_;
    call.Vertices.assign(stream_->Bytes.begin() + begin, stream_->Bytes.begin() + end);
  }
  Keep(std::move(call));
  if (LogCalls) {
    state_.Record(std::string("DrawIndexedPrimitive ") + TypeName(type) + " " +
                  std::to_string(primitiveCount));
  }
  return kGfxOk;
}

}  // namespace zelmar::platform
