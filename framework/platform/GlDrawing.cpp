#include "framework/platform/GlDrawing.h"

namespace platform {

// The drawing operations answer kGfxNotAvailable until the drawing pipeline is built on this backend.

GlDrawing::GlDrawing() = default;
GlDrawing::~GlDrawing() = default;

bool GlDrawing::Initialize() { return true; }

void GlDrawing::BackBufferResized(std::uint32_t width, std::uint32_t height) {
  width_ = width;
  height_ = height;
}

GfxResult GlDrawing::CreateTexture(std::uint32_t, std::uint32_t, std::uint32_t, std::uint32_t, GfxFormat, GfxPool,
                                   std::unique_ptr<GfxApiTexture>&) {
  return kGfxNotAvailable;
}
GfxResult GlDrawing::CreateVertexBuffer(std::uint32_t, std::uint32_t, std::uint32_t, GfxPool,
                                        std::unique_ptr<GfxApiBuffer>&) {
  return kGfxNotAvailable;
}
GfxResult GlDrawing::CreateIndexBuffer(std::uint32_t, std::uint32_t, GfxIndexFormat, GfxPool,
                                       std::unique_ptr<GfxApiBuffer>&) {
  return kGfxNotAvailable;
}
GfxResult GlDrawing::SetRenderState(GfxRenderState, std::uint32_t) { return kGfxNotAvailable; }
GfxResult GlDrawing::SetTextureStageState(std::uint32_t, GfxTextureStageState, std::uint32_t) {
  return kGfxNotAvailable;
}
GfxResult GlDrawing::SetSamplerState(std::uint32_t, GfxSamplerState, std::uint32_t) { return kGfxNotAvailable; }
GfxResult GlDrawing::SetTexture(std::uint32_t, GfxApiTexture*) { return kGfxNotAvailable; }
GfxResult GlDrawing::SetStreamSource(std::uint32_t, GfxApiBuffer*, std::uint32_t, std::uint32_t) {
  return kGfxNotAvailable;
}
GfxResult GlDrawing::SetIndices(GfxApiBuffer*) { return kGfxNotAvailable; }
GfxResult GlDrawing::SetVertexFormat(std::uint32_t) { return kGfxNotAvailable; }
GfxResult GlDrawing::DrawPrimitive(GfxPrimitiveType, std::uint32_t, std::uint32_t) { return kGfxNotAvailable; }
GfxResult GlDrawing::DrawIndexedPrimitive(GfxPrimitiveType, std::int32_t, std::uint32_t, std::uint32_t, std::uint32_t,
                                          std::uint32_t) {
  return kGfxNotAvailable;
}

}  // namespace platform
