#include "framework/Gfx2D.h"

#include <algorithm>
#include <cstring>

#include "framework/GfxDevice.h"
#include "framework/GfxTextures.h"

namespace zelmar {

using namespace platform;

namespace {

constexpr std::uint32_t kVertexFormat = kGfxFvfXyzRhw | kGfxFvfDiffuse | kGfxFvfTex1;
constexpr std::uint32_t kWhite = 0xFFFFFFFFu;

// The code with the modulate bit when any corner colour is not plain white.
TDrawFx EffectFor(TDrawFx fx, std::initializer_list<std::uint32_t> colors) {
  for (std::uint32_t c : colors) {
    if (c != kWhite) return fx | fxModulateBit;
  }
  return fx;
}

// The device blend factor of a factor index (the device counts from one).
GfxBlend ToGfxBlend(TBlendFactor factor) {
  return static_cast<GfxBlend>(static_cast<std::uint32_t>(factor) + 1);
}

// The device blend operation of an operation index.
GfxBlendOp ToGfxBlendOp(TBlendOp op) {
  switch (op) {
    case TBlendOp::RevSubtract:
      return GfxBlendOp::RevSubtract;
    case TBlendOp::Subtract:
      return GfxBlendOp::Subtract;
    case TBlendOp::Min:
      return GfxBlendOp::Min;
    case TBlendOp::Max:
      return GfxBlendOp::Max;
    default:
      return GfxBlendOp::Add;
  }
}

template <class E>
std::uint32_t V(E value) {
  return static_cast<std::uint32_t>(value);
}

}  // namespace

// Multiples of four keep whole quads in the arrays; the clamp keeps 16-bit indices valid.
int NormalizeVertexCache(int value) {
  const long long rounded = (static_cast<long long>(value) + 3) / 4 * 4;
  return static_cast<int>(std::clamp<long long>(rounded, 512, 65536));
}

TGfx2D::TGfx2D(TComponent* owner) : TGfxDeviceSubscriber(owner) {}

// Gives back the device buffers and the arrays.
TGfx2D::~TGfx2D() {
  ReleaseAll();
}

// Alpha testing is fixed while device resources exist, since the blend states depend on it.
bool TGfx2D::SetAlphaTesting(bool value) {
  if (!vertices_.empty() || vertexBuffer_) return false;
  alphaTesting_ = value;
  return true;
}

// The cache size is fixed while device resources exist, since the buffers are made from it.
bool TGfx2D::SetVertexCache(int value) {
  if (!vertices_.empty() || vertexBuffer_) return false;
  vertexCache_ = NormalizeVertexCache(value);
  return true;
}

// Switches between linear and nearest filtering, flushing what was drawn with the old filter.
void TGfx2D::SetAntialias(bool value) {
  if (vertices_.empty()) {
    antialias_ = value;
    return;
  }
  Flush();
  antialias_ = value;
  SetFilter();
}

// Switches dithering, flushing what was drawn with the old setting.
void TGfx2D::SetDithering(bool value) {
  if (vertices_.empty()) {
    dithering_ = value;
    return;
  }
  Flush();
  dithering_ = value;
  if (GfxApiDrawing* d = Drawing()) d->SetRenderState(GfxRenderState::DitherEnable, dithering_);
}

// The drawing half of the device, or null while there is no device.
GfxApiDrawing* TGfx2D::Drawing() const {
  TGfxDevice* device = Device();
  if (!device || !device->ApiDevice()) return nullptr;
  return &device->ApiDevice()->Drawing();
}

// The system-memory vertex and index arrays; vertices start zeroed with rhw 1.
bool TGfx2D::CreateArrays() {
  TGfxVertex blank{0, 0, 0, 1, 0, 0, 0};
  vertices_.assign(static_cast<std::size_t>(vertexCache_), blank);
  indices_.assign(static_cast<std::size_t>(vertexCache_), 0);
  vertexCount_ = indexCount_ = primitiveCount_ = 0;
  kind_ = TPrimitiveKind::pkNone;
  return true;
}

// The dynamic, write-only device buffers of VertexCache vertices and indices.
bool TGfx2D::CreateDeviceBuffers() {
  GfxApiDrawing* d = Drawing();
  if (!d) return false;
  const auto cache = static_cast<std::uint32_t>(vertexCache_);
  const std::uint32_t usage = kGfxUsageDynamic | kGfxUsageWriteOnly;
  if (!GfxSucceeded(d->CreateVertexBuffer(cache * sizeof(TGfxVertex), usage, kVertexFormat, GfxPool::Default,
                                          vertexBuffer_)) ||
      !GfxSucceeded(
          d->CreateIndexBuffer(cache * 2, usage, GfxIndexFormat::Index16, GfxPool::Default, indexBuffer_)) ||
      !vertexBuffer_ || !indexBuffer_) {
    ReleaseDeviceBuffers();
    return false;
  }
  return true;
}

// Drops the device buffers only (a lost device keeps the arrays).
void TGfx2D::ReleaseDeviceBuffers() {
  vertexBuffer_.reset();
  indexBuffer_.reset();
}

// Drops every resource and the batch, and forgets the current texture and effect.
void TGfx2D::ReleaseAll() {
  ReleaseDeviceBuffers();
  vertices_.clear();
  vertices_.shrink_to_fit();
  indices_.clear();
  indices_.shrink_to_fit();
  vertexCount_ = indexCount_ = primitiveCount_ = 0;
  kind_ = TPrimitiveKind::pkNone;
  textureSet_ = fxSet_ = false;
  texture_ = nullptr;
}

// Follows the device through creation, loss, restore and destruction; flushes at scene end.
bool TGfx2D::HandleMessage(int msg) {
  switch (msg) {
    case msgDeviceCreated:
      ReleaseAll();
      lost_ = false;
      if (!CreateArrays() || !CreateDeviceBuffers()) {
        ReleaseAll();
        return false;
      }
      statesPending_ = true;
      return true;
    case msgDeviceDestroyed:
      ReleaseAll();
      break;
    case msgDeviceLost:
      ReleaseDeviceBuffers();
      lost_ = true;
      break;
    case msgDeviceRestored:
      lost_ = false;
      // A canvas that never saw the device created has nothing to restore.
      if (vertices_.empty() || !CreateDeviceBuffers()) ReleaseAll();
      statesPending_ = true;
      break;
    case msgSceneEnd:
    case msgFlushRequest:
      Flush();
      statesPending_ = true;
      break;
    default:
      break;
  }
  return true;
}

// Fixed device states for 2D drawing; forgets the current effect and texture so the next primitive sets them.
void TGfx2D::SetupDeviceStates() {
  statesPending_ = false;
  fxSet_ = textureSet_ = false;
  texture_ = nullptr;
  batches_ = verticesDrawn_ = indicesDrawn_ = 0;
  GfxApiDrawing* d = Drawing();
  if (!d) return;
  d->SetRenderState(GfxRenderState::Lighting, 0);
  d->SetRenderState(GfxRenderState::CullMode, V(GfxCull::None));
  d->SetRenderState(GfxRenderState::ZEnable, 0);
  d->SetRenderState(GfxRenderState::FogEnable, 0);
  d->SetRenderState(GfxRenderState::AlphaFunc, V(GfxCompare::GreaterEqual));
  d->SetRenderState(GfxRenderState::AlphaRef, 1);
  d->SetRenderState(GfxRenderState::AlphaTestEnable, 0);
  for (std::uint32_t stage = 0; stage < kGfxTextureStages; ++stage) {
    d->SetTextureStageState(stage, GfxTextureStageState::TexCoordIndex, 0);
    d->SetTextureStageState(stage, GfxTextureStageState::TextureTransformFlags, 0);
    d->SetTexture(stage, nullptr);
    d->SetTextureStageState(stage, GfxTextureStageState::ColorArg1, V(GfxTextureArg::Texture));
    d->SetTextureStageState(stage, GfxTextureStageState::ColorArg2, V(GfxTextureArg::Diffuse));
    d->SetTextureStageState(stage, GfxTextureStageState::AlphaArg1, V(GfxTextureArg::Texture));
    d->SetTextureStageState(stage, GfxTextureStageState::AlphaArg2, V(GfxTextureArg::Diffuse));
    if (stage > 0) {
      d->SetTextureStageState(stage, GfxTextureStageState::ColorOp, V(GfxTextureOp::Disable));
      d->SetTextureStageState(stage, GfxTextureStageState::AlphaOp, V(GfxTextureOp::Disable));
    }
  }
  d->SetRenderState(GfxRenderState::DitherEnable, dithering_);
  SetFilter();
}

// Nearest filtering keeps pixel art sharp; linear filtering smooths scaled patterns.
void TGfx2D::SetFilter() {
  GfxApiDrawing* d = Drawing();
  if (!d) return;
  const auto filter = V(antialias_ ? GfxTextureFilter::Linear : GfxTextureFilter::Point);
  d->SetSamplerState(0, GfxSamplerState::MagFilter, filter);
  d->SetSamplerState(0, GfxSamplerState::MinFilter, filter);
}

// Blending off for plain copies, else the factors and operation of the code; the modulate bit picks
// texture x colour over the texture alone.
void TGfx2D::SetBlendStates(TDrawFx fx) {
  GfxApiDrawing* d = Drawing();
  if (!d) return;
  const TBlendDesc blend = DecodeDrawFx(fx);
  if (blend.IsOpaque()) {
    d->SetRenderState(GfxRenderState::AlphaBlendEnable, 0);
    if (alphaTesting_) d->SetRenderState(GfxRenderState::AlphaTestEnable, 0);
  } else {
    d->SetRenderState(GfxRenderState::AlphaBlendEnable, 1);
    if (alphaTesting_) d->SetRenderState(GfxRenderState::AlphaTestEnable, 1);
    d->SetRenderState(GfxRenderState::SrcBlend, V(ToGfxBlend(blend.Source)));
    d->SetRenderState(GfxRenderState::DestBlend, V(ToGfxBlend(blend.Dest)));
    d->SetRenderState(GfxRenderState::BlendOp, V(ToGfxBlendOp(blend.Op)));
  }
  const auto op = V(blend.Modulate ? GfxTextureOp::Modulate : GfxTextureOp::SelectArg1);
  d->SetTextureStageState(0, GfxTextureStageState::ColorOp, op);
  d->SetTextureStageState(0, GfxTextureStageState::AlphaOp, op);
}

// Starts a primitive: flushes whatever no longer fits the batch and sets what changed.
bool TGfx2D::BeginPrimitive(TPrimitiveKind kind, int vertices, int indices, TDrawFx fx, TBaseTexture* texture,
                            int index) {
  if (vertices_.empty()) return false;
  // 1. Device states after creation or a scene end.
  if (statesPending_) SetupDeviceStates();
  // 2. Room in the arrays, and one primitive kind per batch.
  if (vertexCount_ + vertices > vertexCache_ || indexCount_ + indices > vertexCache_ ||
      (kind_ != TPrimitiveKind::pkNone && kind_ != kind)) {
    Flush();
  }
  // 3. One effect per batch.
  if (fx == -1 || !fxSet_ || fx != fx_) {
    Flush();
    SetBlendStates(fx);
    fx_ = fx;
    fxSet_ = true;
  }
  // 4. One texture per batch.
  if (!textureSet_ || texture != texture_ || index != textureIndex_) {
    Flush();
    GfxApiDrawing* d = Drawing();
    const bool bound = texture ? texture->Bind(0, index) : d && GfxSucceeded(d->SetTexture(0, nullptr));
    if (!bound) {
      textureSet_ = false;
      return false;
    }
    texture_ = texture;
    textureIndex_ = index;
    textureSet_ = true;
  }
  // 5. The batch now holds this kind.
  kind_ = kind;
  return true;
}

// Appends a quad as two triangles sharing the diagonal from top-right to bottom-left.
void TGfx2D::AddQuad(TBaseTexture* texture, int index, const TQuadPoints& points, const TQuadCoords& coords,
                     const TQuadColors& colors, TDrawFx fx) {
  const TDrawFx effect = EffectFor(fx, {colors[0], colors[1], colors[2], colors[3]});
  if (!BeginPrimitive(TPrimitiveKind::pkTriangles, 4, 6, effect, texture, index)) return;
  for (int i = 0; i < 4; ++i) {
    const auto c = static_cast<std::size_t>(i);
    Vertex(i) = {points[c].X, points[c].Y, 0.0f, 1.0f, SwapRedBlue(colors[c]), coords[c].X, coords[c].Y};
  }
  const auto base = static_cast<std::uint16_t>(vertexCount_);
  static constexpr std::uint16_t kQuadIndices[6] = {0, 1, 3, 1, 2, 3};
  for (int i = 0; i < 6; ++i) {
    indices_[static_cast<std::size_t>(indexCount_ + i)] = static_cast<std::uint16_t>(base + kQuadIndices[i]);
  }
  vertexCount_ += 4;
  indexCount_ += 6;
  primitiveCount_ += 2;
}

// An untextured quad is a quad with no texture bound (read as opaque white).
void TGfx2D::AddColorQuad(const TQuadPoints& points, const TQuadColors& colors, TDrawFx fx) {
  AddQuad(nullptr, 0, points, TQuadCoords{}, colors, fx);
}

// Appends a line of two vertices and two indices.
void TGfx2D::AddLine(TPoint2 from, TPoint2 to, std::uint32_t fromColor, std::uint32_t toColor, TDrawFx fx) {
  if (!BeginPrimitive(TPrimitiveKind::pkLines, 2, 2, EffectFor(fx, {fromColor, toColor}), nullptr, 0)) return;
  Vertex(0) = {from.X, from.Y, 0.0f, 1.0f, SwapRedBlue(fromColor), 0.0f, 0.0f};
  Vertex(1) = {to.X, to.Y, 0.0f, 1.0f, SwapRedBlue(toColor), 0.0f, 0.0f};
  indices_[static_cast<std::size_t>(indexCount_)] = static_cast<std::uint16_t>(vertexCount_);
  indices_[static_cast<std::size_t>(indexCount_ + 1)] = static_cast<std::uint16_t>(vertexCount_ + 1);
  vertexCount_ += 2;
  indexCount_ += 2;
  primitiveCount_ += 1;
}

// Appends a point: one vertex, no index.
void TGfx2D::AddPoint(TPoint2 point, std::uint32_t color, TDrawFx fx) {
  if (!BeginPrimitive(TPrimitiveKind::pkPoints, 1, 0, EffectFor(fx, {color}), nullptr, 0)) return;
  Vertex(0) = {point.X, point.Y, 0.0f, 1.0f, SwapRedBlue(color), 0.0f, 0.0f};
  vertexCount_ += 1;
  primitiveCount_ += 1;
}

// Copies the batch into the device buffers (discarding their old contents) and binds them.
bool TGfx2D::Upload() {
  GfxApiDrawing* d = Drawing();
  if (!d || !vertexBuffer_ || !indexBuffer_) return false;
  void* data = nullptr;
  const auto vertexBytes = static_cast<std::uint32_t>(vertexCount_ * sizeof(TGfxVertex));
  if (!GfxSucceeded(vertexBuffer_->Lock(0, vertexBytes, data, kGfxLockDiscard)) || !data) return false;
  std::memcpy(data, vertices_.data(), vertexBytes);
  if (!GfxSucceeded(vertexBuffer_->Unlock())) return false;
  if (indexCount_ > 0) {
    const auto indexBytes = static_cast<std::uint32_t>(indexCount_ * 2);
    if (!GfxSucceeded(indexBuffer_->Lock(0, indexBytes, data, kGfxLockDiscard)) || !data) return false;
    std::memcpy(data, indices_.data(), indexBytes);
    if (!GfxSucceeded(indexBuffer_->Unlock())) return false;
  }
  return GfxSucceeded(d->SetStreamSource(0, vertexBuffer_.get(), 0, sizeof(TGfxVertex))) &&
         GfxSucceeded(d->SetIndices(indexBuffer_.get())) && GfxSucceeded(d->SetVertexFormat(kVertexFormat));
}

// Draws the batch in one call (unless the device is lost) and starts an empty one.
void TGfx2D::Flush() {
  if (vertexCount_ > 0 && primitiveCount_ > 0 && !lost_ && Upload()) {
    GfxApiDrawing* d = Drawing();
    const auto prims = static_cast<std::uint32_t>(primitiveCount_);
    const auto verts = static_cast<std::uint32_t>(vertexCount_);
    GfxResult result = kGfxFail;
    if (kind_ == TPrimitiveKind::pkTriangles) {
      result = d->DrawIndexedPrimitive(GfxPrimitiveType::TriangleList, 0, 0, verts, 0, prims);
    } else if (kind_ == TPrimitiveKind::pkLines) {
      result = d->DrawIndexedPrimitive(GfxPrimitiveType::LineList, 0, 0, verts, 0, prims);
    } else if (kind_ == TPrimitiveKind::pkPoints) {
      result = d->DrawPrimitive(GfxPrimitiveType::PointList, 0, prims);
    }
    if (GfxSucceeded(result)) {
      ++batches_;
      verticesDrawn_ += vertexCount_;
      indicesDrawn_ += indexCount_;
    }
  }
  vertexCount_ = indexCount_ = primitiveCount_ = 0;
  kind_ = TPrimitiveKind::pkNone;
}

}  // namespace zelmar
