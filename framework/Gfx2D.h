// The batching 2D renderer: collects pre-transformed coloured and textured quads, lines and points into
// one vertex and one index array and sends them in as few draw calls as effect, texture and primitive
// changes allow.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "framework/GfxDrawFx.h"
#include "framework/GfxPublisher.h"
#include "framework/platform/GfxApi.h"

namespace zelmar {

class TBaseTexture;

// The device vertex: pre-transformed position, 0xAARRGGBB colour, one texture coordinate pair.
struct TGfxVertex {
  float X, Y, Z, Rhw;
  std::uint32_t Color;
  float U, V;
};
static_assert(sizeof(TGfxVertex) == 28);

struct TPoint2 {
  float X, Y;
};
using TQuadPoints = std::array<TPoint2, 4>;        // top-left, top-right, bottom-right, bottom-left
using TQuadColors = std::array<std::uint32_t, 4>;  // 0xAABBGGRR per corner, same order
using TQuadCoords = std::array<TPoint2, 4>;        // texture coordinates per corner

enum class TPrimitiveKind { pkNone, pkPoints, pkLines, pkTriangles };

// Rounds a requested vertex cache size up to a multiple of four and into 512 ... 65536.
int NormalizeVertexCache(int value);

class TGfx2D : public TGfxDeviceSubscriber {
 public:
  explicit TGfx2D(TComponent* owner);
  ~TGfx2D() override;

  bool AlphaTesting() const { return alphaTesting_; }
  int VertexCache() const { return vertexCache_; }
  bool Antialias() const { return antialias_; }
  bool Dithering() const { return dithering_; }
  // AlphaTesting and VertexCache change only while the canvas holds no device resources.
  bool SetAlphaTesting(bool value);
  bool SetVertexCache(int value);
  // Antialias and Dithering may change at any time; with resources the batch is flushed first.
  void SetAntialias(bool value);
  void SetDithering(bool value);

  // Appends a quad with texture `index` of `texture` (null: untextured) and per-corner colours.
  void AddQuad(TBaseTexture* texture, int index, const TQuadPoints& points, const TQuadCoords& coords,
               const TQuadColors& colors, TDrawFx fx);
  // Appends an untextured quad, a line or a point.
  void AddColorQuad(const TQuadPoints& points, const TQuadColors& colors, TDrawFx fx);
  void AddLine(TPoint2 from, TPoint2 to, std::uint32_t fromColor, std::uint32_t toColor, TDrawFx fx);
  void AddPoint(TPoint2 point, std::uint32_t color, TDrawFx fx);
  // Sends the collected batch to the device (nothing while the device is lost) and empties it.
  void Flush();

  bool HandleMessage(int msg) override;

  // Draw calls since the last device state setup, and the vertices and indices they sent.
  int Batches() const { return batches_; }
  int VerticesDrawn() const { return verticesDrawn_; }
  int IndicesDrawn() const { return indicesDrawn_; }
  // Whether the canvas can draw: it has its buffers and the device is not lost.
  bool Ready() const { return vertexBuffer_ && !lost_; }

 private:
  bool CreateArrays();
  bool CreateDeviceBuffers();
  void ReleaseDeviceBuffers();
  void ReleaseAll();
  platform::GfxApiDrawing* Drawing() const;
  // The batching steps run before a primitive's vertices are appended.
  bool BeginPrimitive(TPrimitiveKind kind, int vertices, int indices, TDrawFx fx, TBaseTexture* texture,
                      int index);
  void SetupDeviceStates();
  void SetBlendStates(TDrawFx fx);
  void SetFilter();
  bool Upload();
  TGfxVertex& Vertex(int offset) { return vertices_[static_cast<std::size_t>(vertexCount_ + offset)]; }

  bool alphaTesting_ = true;
  int vertexCache_ = 4096;
  bool antialias_ = true;
  bool dithering_ = false;

  std::vector<TGfxVertex> vertices_;
  std::vector<std::uint16_t> indices_;
  std::unique_ptr<platform::GfxApiBuffer> vertexBuffer_, indexBuffer_;
  int vertexCount_ = 0, indexCount_ = 0, primitiveCount_ = 0;
  TPrimitiveKind kind_ = TPrimitiveKind::pkNone;
  const TBaseTexture* texture_ = nullptr;
  int textureIndex_ = 0;
  bool textureSet_ = false;
  TDrawFx fx_ = -1;
  bool fxSet_ = false;
  bool statesPending_ = false;
  bool lost_ = false;
  int batches_ = 0, verticesDrawn_ = 0, indicesDrawn_ = 0;
};

}  // namespace zelmar
