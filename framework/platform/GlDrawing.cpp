#include "framework/platform/GlDrawing.h"

#include "framework/platform/GlProgram.h"
#include "framework/platform/GlResources.h"

namespace zelmar::platform {
namespace {

template <class E>
std::size_t Index(E e) {
  return static_cast<std::size_t>(e);
}

// The GL blend factor of a device blend factor.
GLenum GlBlendFactor(std::uint32_t factor) {
  switch (static_cast<GfxBlend>(factor)) {
    case GfxBlend::Zero:
      return GL_ZERO;
    case GfxBlend::SrcColor:
      return GL_SRC_COLOR;
    case GfxBlend::InvSrcColor:
      return GL_ONE_MINUS_SRC_COLOR;
    case GfxBlend::SrcAlpha:
      return GL_SRC_ALPHA;
    case GfxBlend::InvSrcAlpha:
      return GL_ONE_MINUS_SRC_ALPHA;
    case GfxBlend::DestAlpha:
      return GL_DST_ALPHA;
    case GfxBlend::InvDestAlpha:
      return GL_ONE_MINUS_DST_ALPHA;
    case GfxBlend::DestColor:
      return GL_DST_COLOR;
    case GfxBlend::InvDestColor:
      return GL_ONE_MINUS_DST_COLOR;
    case GfxBlend::SrcAlphaSat:
      return GL_SRC_ALPHA_SATURATE;
    default:
      return GL_ONE;
  }
}

// The GL blend equation of a device blend operation (reverse subtract is destination minus source).
GLenum GlBlendEquation(std::uint32_t op) {
  switch (static_cast<GfxBlendOp>(op)) {
    case GfxBlendOp::Subtract:
      return GL_FUNC_SUBTRACT;
    case GfxBlendOp::RevSubtract:
      return GL_FUNC_REVERSE_SUBTRACT;
    case GfxBlendOp::Min:
      return GL_MIN;
    case GfxBlendOp::Max:
      return GL_MAX;
    default:
      return GL_FUNC_ADD;
  }
}

// The GL wrap mode of a device addressing mode.
GLint GlWrap(std::uint32_t address) {
  switch (static_cast<GfxTextureAddress>(address)) {
    case GfxTextureAddress::Mirror:
      return GL_MIRRORED_REPEAT;
    case GfxTextureAddress::Clamp:
      return GL_CLAMP_TO_EDGE;
    default:
      return GL_REPEAT;
  }
}

// The GL primitive of a device primitive type.
GLenum GlMode(GfxPrimitiveType type) {
  switch (type) {
    case GfxPrimitiveType::PointList:
      return GL_POINTS;
    case GfxPrimitiveType::LineList:
      return GL_LINES;
    case GfxPrimitiveType::LineStrip:
      return GL_LINE_STRIP;
    case GfxPrimitiveType::TriangleStrip:
      return GL_TRIANGLE_STRIP;
    case GfxPrimitiveType::TriangleFan:
      return GL_TRIANGLE_FAN;
    default:
      return GL_TRIANGLES;
  }
}

}  // namespace

// Starts from the states a fresh device has.
GlDrawing::GlDrawing() {
  // The device's defaults: no blending or alpha test, copy source, stage 0 modulating texture and colour,
  // point filtering with wrapping.
  renderStates_[Index(GfxRenderState::CullMode)] = static_cast<std::uint32_t>(GfxCull::CounterClockwise);
  renderStates_[Index(GfxRenderState::AlphaFunc)] = static_cast<std::uint32_t>(GfxCompare::Always);
  renderStates_[Index(GfxRenderState::SrcBlend)] = static_cast<std::uint32_t>(GfxBlend::One);
  renderStates_[Index(GfxRenderState::DestBlend)] = static_cast<std::uint32_t>(GfxBlend::Zero);
  renderStates_[Index(GfxRenderState::BlendOp)] = static_cast<std::uint32_t>(GfxBlendOp::Add);
  stageStates_[Index(GfxTextureStageState::ColorOp)] = static_cast<std::uint32_t>(GfxTextureOp::Modulate);
  stageStates_[Index(GfxTextureStageState::ColorArg1)] = static_cast<std::uint32_t>(GfxTextureArg::Texture);
  stageStates_[Index(GfxTextureStageState::ColorArg2)] = static_cast<std::uint32_t>(GfxTextureArg::Current);
  stageStates_[Index(GfxTextureStageState::AlphaOp)] = static_cast<std::uint32_t>(GfxTextureOp::SelectArg1);
  stageStates_[Index(GfxTextureStageState::AlphaArg1)] = static_cast<std::uint32_t>(GfxTextureArg::Texture);
  stageStates_[Index(GfxTextureStageState::AlphaArg2)] = static_cast<std::uint32_t>(GfxTextureArg::Current);
  samplerStates_[Index(GfxSamplerState::MagFilter)] = static_cast<std::uint32_t>(GfxTextureFilter::Point);
  samplerStates_[Index(GfxSamplerState::MinFilter)] = static_cast<std::uint32_t>(GfxTextureFilter::Point);
  samplerStates_[Index(GfxSamplerState::MipFilter)] = static_cast<std::uint32_t>(GfxTextureFilter::None);
  samplerStates_[Index(GfxSamplerState::AddressU)] = static_cast<std::uint32_t>(GfxTextureAddress::Wrap);
  samplerStates_[Index(GfxSamplerState::AddressV)] = static_cast<std::uint32_t>(GfxTextureAddress::Wrap);
}

// Frees the GL objects while the device's context is still current.
GlDrawing::~GlDrawing() {
  program_.reset();
  if (vertexArray_) glDeleteVertexArrays(1, &vertexArray_);
  if (sampler_) glDeleteSamplers(1, &sampler_);
}

// Builds the shader pair, the vertex array and the sampler object.
bool GlDrawing::Initialize() {
  program_ = std::make_unique<GlProgram>();
  if (!program_->Build()) return false;
  glGenVertexArrays(1, &vertexArray_);
  glGenSamplers(1, &sampler_);
  return vertexArray_ != 0 && sampler_ != 0 && glGetError() == GL_NO_ERROR;
}

// Pre-transformed coordinates map onto a back buffer of this size.
void GlDrawing::BackBufferResized(std::uint32_t width, std::uint32_t height) {
  width_ = width;
  height_ = height;
}

// A texture in GL storage; the pool does not matter here (GL keeps its objects).
GfxResult GlDrawing::CreateTexture(std::uint32_t width, std::uint32_t height, std::uint32_t levels,
                                   std::uint32_t usage, GfxFormat format, GfxPool,
                                   std::unique_ptr<GfxApiTexture>& texture) {
  auto made = GlTexture::Create(width, height, levels, usage, format);
  if (!made) return kGfxInvalidCall;
  texture = std::move(made);
  return kGfxOk;
}

// A dynamic vertex buffer; the layout is given when drawing.
GfxResult GlDrawing::CreateVertexBuffer(std::uint32_t length, std::uint32_t, std::uint32_t, GfxPool,
                                        std::unique_ptr<GfxApiBuffer>& buffer) {
  auto made = GlBuffer::Create(length);
  if (!made) return kGfxOutOfMemory;
  buffer = std::move(made);
  return kGfxOk;
}

// A dynamic buffer of 16-bit indices.
GfxResult GlDrawing::CreateIndexBuffer(std::uint32_t length, std::uint32_t, GfxIndexFormat format, GfxPool,
                                       std::unique_ptr<GfxApiBuffer>& buffer) {
  if (format != GfxIndexFormat::Index16) return kGfxInvalidCall;
  auto made = GlBuffer::Create(length);
  if (!made) return kGfxOutOfMemory;
  buffer = std::move(made);
  return kGfxOk;
}

// Records a render state; GL follows at the next draw.
GfxResult GlDrawing::SetRenderState(GfxRenderState state, std::uint32_t value) {
  if (Index(state) >= renderStates_.size()) return kGfxInvalidCall;
  renderStates_[Index(state)] = value;
  return kGfxOk;
}

// Only the first stage exists in this backend; later stages accept their states and ignore them.
GfxResult GlDrawing::SetTextureStageState(std::uint32_t stage, GfxTextureStageState state,
                                          std::uint32_t value) {
  if (stage >= kGfxTextureStages || Index(state) >= stageStates_.size()) return kGfxInvalidCall;
  if (stage == 0) stageStates_[Index(state)] = value;
  return kGfxOk;
}

// Records a sampler state of the first unit; GL follows at the next draw.
GfxResult GlDrawing::SetSamplerState(std::uint32_t sampler, GfxSamplerState state, std::uint32_t value) {
  if (sampler >= kGfxTextureStages || Index(state) >= samplerStates_.size()) return kGfxInvalidCall;
  if (sampler == 0) samplerStates_[Index(state)] = value;
  return kGfxOk;
}

// Binds a texture to the first stage (the only one this backend draws with); a texture bound for the first
// time gets its GL storage and pixels now.
GfxResult GlDrawing::SetTexture(std::uint32_t stage, GfxApiTexture* texture) {
  if (stage >= kGfxTextureStages) return kGfxInvalidCall;
  if (stage != 0) return texture ? kGfxInvalidCall : kGfxOk;
  auto* gl = dynamic_cast<GlTexture*>(texture);
  if (texture && !gl) return kGfxInvalidCall;
  if (gl && !gl->Realize()) return kGfxOutOfMemory;
  texture_ = gl;
  return kGfxOk;
}

// Records the vertex stream drawn from.
GfxResult GlDrawing::SetStreamSource(std::uint32_t stream, GfxApiBuffer* buffer, std::uint32_t offset,
                                     std::uint32_t stride) {
  auto* gl = dynamic_cast<GlBuffer*>(buffer);
  if (stream != 0 || (buffer && !gl)) return kGfxInvalidCall;
  vertexBuffer_ = gl;
  streamOffset_ = offset;
  stride_ = stride;
  return kGfxOk;
}

// Records the index buffer drawn from.
GfxResult GlDrawing::SetIndices(GfxApiBuffer* buffer) {
  auto* gl = dynamic_cast<GlBuffer*>(buffer);
  if (buffer && !gl) return kGfxInvalidCall;
  indexBuffer_ = gl;
  return kGfxOk;
}

// Pre-transformed positions are required; colour and texture coordinates are optional.
GfxResult GlDrawing::SetVertexFormat(std::uint32_t fvf) {
  if (!(fvf & kGfxFvfXyzRhw)) return kGfxInvalidCall;
  fvf_ = fvf;
  return kGfxOk;
}

// Blending, culling, depth test and dithering as recorded.
void GlDrawing::ApplyBlend() {
  auto rs = [&](GfxRenderState s) { return renderStates_[Index(s)]; };
  if (rs(GfxRenderState::AlphaBlendEnable)) {
    glEnable(GL_BLEND);
    glBlendFunc(GlBlendFactor(rs(GfxRenderState::SrcBlend)), GlBlendFactor(rs(GfxRenderState::DestBlend)));
    glBlendEquation(GlBlendEquation(rs(GfxRenderState::BlendOp)));
  } else {
    glDisable(GL_BLEND);
  }
  const auto cull = static_cast<GfxCull>(rs(GfxRenderState::CullMode));
  if (cull == GfxCull::Clockwise || cull == GfxCull::CounterClockwise) {
    // Screen coordinates run downwards, so clockwise on screen is clockwise in GL's window space too.
    glEnable(GL_CULL_FACE);
    glFrontFace(GL_CCW);
    glCullFace(cull == GfxCull::Clockwise ? GL_BACK : GL_FRONT);
  } else {
    glDisable(GL_CULL_FACE);
  }
  if (rs(GfxRenderState::ZEnable)) {
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
  } else {
    glDisable(GL_DEPTH_TEST);
  }
  glDepthMask(rs(GfxRenderState::ZWriteEnable) ? GL_TRUE : GL_FALSE);
  if (rs(GfxRenderState::DitherEnable))
    glEnable(GL_DITHER);
  else
    glDisable(GL_DITHER);
  glDisable(GL_SCISSOR_TEST);
  glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
}

// Filtering and addressing of the first texture unit.
void GlDrawing::ApplySampler() {
  auto ss = [&](GfxSamplerState s) { return static_cast<GfxTextureFilter>(samplerStates_[Index(s)]); };
  const bool magLinear = ss(GfxSamplerState::MagFilter) == GfxTextureFilter::Linear;
  const bool minLinear = ss(GfxSamplerState::MinFilter) == GfxTextureFilter::Linear;
  GLint min = minLinear ? GL_LINEAR : GL_NEAREST;
  if (ss(GfxSamplerState::MipFilter) == GfxTextureFilter::Point) {
    min = minLinear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
  } else if (ss(GfxSamplerState::MipFilter) == GfxTextureFilter::Linear) {
    min = minLinear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
  }
  glSamplerParameteri(sampler_, GL_TEXTURE_MAG_FILTER, magLinear ? GL_LINEAR : GL_NEAREST);
  glSamplerParameteri(sampler_, GL_TEXTURE_MIN_FILTER, min);
  glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_S, GlWrap(samplerStates_[Index(GfxSamplerState::AddressU)]));
  glSamplerParameteri(sampler_, GL_TEXTURE_WRAP_T, GlWrap(samplerStates_[Index(GfxSamplerState::AddressV)]));
}

// Points the vertex attributes at the stream, `baseVertex` vertices in.
void GlDrawing::BindVertices(std::int32_t baseVertex) {
  glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_->Id());
  const auto stride = static_cast<GLsizei>(stride_);
  std::uintptr_t offset = streamOffset_ + static_cast<std::uintptr_t>(baseVertex) * stride_;
  glEnableVertexAttribArray(0);
  glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offset));
  offset += 16;
  if (fvf_ & kGfxFvfDiffuse) {
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride,
                          reinterpret_cast<const void*>(offset));
    offset += 4;
  } else {
    glDisableVertexAttribArray(1);
    glVertexAttrib4f(1, 1.0f, 1.0f, 1.0f, 1.0f);
  }
  if (fvf_ & kGfxFvfTex1) {
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, reinterpret_cast<const void*>(offset));
  } else {
    glDisableVertexAttribArray(2);
    glVertexAttrib2f(2, 0.0f, 0.0f);
  }
}

// Brings GL in line with the recorded states, texture and stage before a draw.
bool GlDrawing::Prepare() {
  if (!program_ || !program_->Id() || !vertexBuffer_ || stride_ < 16 || width_ == 0 || height_ == 0)
    return false;
  const GlProgram& p = *program_;
  glUseProgram(p.Id());
  glBindVertexArray(vertexArray_);
  ApplyBlend();
  ApplySampler();
  glActiveTexture(GL_TEXTURE0);
  glBindTexture(GL_TEXTURE_2D, texture_ ? texture_->Id() : 0);
  glBindSampler(0, sampler_);
  auto st = [&](GfxTextureStageState s) { return static_cast<GLint>(stageStates_[Index(s)]); };
  auto rs = [&](GfxRenderState s) { return renderStates_[Index(s)]; };
  glUniform2f(p.Screen, static_cast<float>(width_), static_cast<float>(height_));
  glUniform1i(p.Texture, 0);
  glUniform1i(p.HasTexture, texture_ ? 1 : 0);
  glUniform1i(p.ColorOp, st(GfxTextureStageState::ColorOp));
  glUniform1i(p.ColorArg1, st(GfxTextureStageState::ColorArg1));
  glUniform1i(p.ColorArg2, st(GfxTextureStageState::ColorArg2));
  glUniform1i(p.AlphaOp, st(GfxTextureStageState::AlphaOp));
  glUniform1i(p.AlphaArg1, st(GfxTextureStageState::AlphaArg1));
  glUniform1i(p.AlphaArg2, st(GfxTextureStageState::AlphaArg2));
  glUniform1i(p.AlphaTest, rs(GfxRenderState::AlphaTestEnable) ? 1 : 0);
  glUniform1i(p.AlphaFunc, static_cast<GLint>(rs(GfxRenderState::AlphaFunc)));
  glUniform1f(p.AlphaRef, static_cast<float>(rs(GfxRenderState::AlphaRef) & 0xFF));
  return true;
}

// Draws non-indexed primitives from the stream, checked against its length.
GfxResult GlDrawing::DrawPrimitive(GfxPrimitiveType type, std::uint32_t startVertex,
                                   std::uint32_t primitiveCount) {
  if (primitiveCount == 0) return kGfxOk;
  const std::uint32_t count = GfxPrimitiveVertices(type, primitiveCount);
  if (!Prepare() ||
      streamOffset_ + (static_cast<std::uint64_t>(startVertex) + count) * stride_ > vertexBuffer_->Length()) {
    return kGfxInvalidCall;
  }
  BindVertices(0);
  glDrawArrays(GlMode(type), static_cast<GLint>(startVertex), static_cast<GLsizei>(count));
  return glGetError() == GL_NO_ERROR ? kGfxOk : kGfxFail;
}

// Draws indexed primitives, checked against both buffers' lengths.
GfxResult GlDrawing::DrawIndexedPrimitive(GfxPrimitiveType type, std::int32_t baseVertex,
                                          std::uint32_t minVertex, std::uint32_t vertexCount,
                                          std::uint32_t startIndex, std::uint32_t primitiveCount) {
  if (primitiveCount == 0) return kGfxOk;
  const std::uint32_t count = GfxPrimitiveVertices(type, primitiveCount);
  if (!indexBuffer_ || baseVertex < 0 || !Prepare() ||
      (static_cast<std::uint64_t>(startIndex) + count) * 2 > indexBuffer_->Length() ||
      streamOffset_ + (static_cast<std::uint64_t>(baseVertex) + minVertex + vertexCount) * stride_ >
          vertexBuffer_->Length()) {
    return kGfxInvalidCall;
  }
  BindVertices(baseVertex);
  glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, indexBuffer_->Id());
  glDrawElements(GlMode(type), static_cast<GLsizei>(count), GL_UNSIGNED_SHORT,
                 reinterpret_cast<const void*>(static_cast<std::uintptr_t>(startIndex) * 2));
  return glGetError() == GL_NO_ERROR ? kGfxOk : kGfxFail;
}

}  // namespace zelmar::platform
