// The batching canvas on the test backend: what forms one batch and what splits it, vertex placement,
// device states, and device creation, loss and restore.
#include <gtest/gtest.h>

#include "tests/framework/drawing/DrawingFixture.h"

namespace zelmar {

using namespace drawing_test;
using platform::GfxBlend;
using platform::GfxBlendOp;
using platform::GfxPrimitiveType;
using platform::GfxRenderState;
using platform::GfxTextureFilter;
using platform::GfxTextureOp;

namespace {

class Canvas : public DrawingFixture {
 protected:
  void SetUp() override {
    DrawingFixture::SetUp();
    canvas.SetAntialias(false);
    Start();
    board = MakeImage("board", 256, 64);
    other = MakeImage("other", 64, 64);
  }
  static std::uint32_t State(const platform::TestDrawCall& call, GfxRenderState state) {
    auto it = call.RenderStates.find(state);
    return it == call.RenderStates.end() ? 0xDEADu : it->second;
  }
  TGfxImage* board = nullptr;
  TGfxImage* other = nullptr;
};

}  // namespace

TEST(VertexCache, RoundsUpToFourAndClamps) {
  EXPECT_EQ(NormalizeVertexCache(4097), 4100);
  EXPECT_EQ(NormalizeVertexCache(4096), 4096);
  EXPECT_EQ(NormalizeVertexCache(100), 512);
  EXPECT_EQ(NormalizeVertexCache(100000), 65536);
  EXPECT_EQ(NormalizeVertexCache(-7), 512);
  EXPECT_EQ(NormalizeVertexCache(2147483647), 65536);
}

TEST_F(Canvas, SameImageAndEffectFormOneBatch) {
  canvas.Draw(board, 0, 0, 0, fxBlend);
  canvas.Draw(board, 64, 0, 5, fxBlend);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 1u);
  EXPECT_EQ(Calls()[0].Type, GfxPrimitiveType::TriangleList);
  EXPECT_EQ(Calls()[0].PrimitiveCount, 4u);
  EXPECT_EQ(Calls()[0].Indices, (std::vector<std::uint16_t>{0, 1, 3, 1, 2, 3, 4, 5, 7, 5, 6, 7}));
  EXPECT_EQ(canvas.Batches(), 1);
}

TEST_F(Canvas, EffectChangeFlushesAndSetsBlending) {
  canvas.Draw(board, 0, 0, 0, fxBlend);
  canvas.Draw(board, 0, 0, 0, fxOpaque);
  canvas.Draw(board, 0, 0, 0, fxSubtract);
  canvas.Draw(board, 0, 0, 0, fxShade);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 4u);
  EXPECT_EQ(State(Calls()[0], GfxRenderState::AlphaBlendEnable), 1u);
  EXPECT_EQ(State(Calls()[0], GfxRenderState::SrcBlend), static_cast<std::uint32_t>(GfxBlend::SrcAlpha));
  EXPECT_EQ(State(Calls()[0], GfxRenderState::DestBlend), static_cast<std::uint32_t>(GfxBlend::InvSrcAlpha));
  EXPECT_EQ(State(Calls()[1], GfxRenderState::AlphaBlendEnable), 0u);
  EXPECT_EQ(State(Calls()[2], GfxRenderState::BlendOp), static_cast<std::uint32_t>(GfxBlendOp::RevSubtract));
  EXPECT_EQ(State(Calls()[2], GfxRenderState::DestBlend), static_cast<std::uint32_t>(GfxBlend::One));
  EXPECT_EQ(State(Calls()[3], GfxRenderState::SrcBlend), static_cast<std::uint32_t>(GfxBlend::Zero));
  EXPECT_EQ(State(Calls()[3], GfxRenderState::BlendOp), static_cast<std::uint32_t>(GfxBlendOp::Add));
  // Alpha testing follows blending when the canvas asks for it.
  EXPECT_EQ(State(Calls()[0], GfxRenderState::AlphaTestEnable), 1u);
  EXPECT_EQ(State(Calls()[1], GfxRenderState::AlphaTestEnable), 0u);
}

TEST_F(Canvas, NonWhiteColoursModulateAndSplitTheBatch) {
  TQuadPoints corners = RectPoints(0, 0, 64, 64);
  canvas.Draw(board, 0, 0, 0, fxBlend);
  canvas.DrawQuad(board, corners, {}, {0xFFFFFFFF, 0xFFFFFFFF, 0x80FFFFFF, 0x80FFFFFF}, fxBlend);
  canvas.DrawQuad(board, corners, {}, {0xFF0000FF, 0xFF0000FF, 0xFF0000FF, 0xFF0000FF}, fxBlend);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[0].ColorOp, static_cast<std::uint32_t>(GfxTextureOp::SelectArg1));
  EXPECT_EQ(Calls()[1].ColorOp, static_cast<std::uint32_t>(GfxTextureOp::Modulate));
  EXPECT_EQ(Calls()[1].AlphaOp, static_cast<std::uint32_t>(GfxTextureOp::Modulate));
  EXPECT_EQ(Calls()[1].PrimitiveCount, 4u);
  // Colours reach the device as 0xAARRGGBB.
  EXPECT_EQ(Vertices(Calls()[1])[4].Color, 0xFFFF0000u);
  EXPECT_EQ(Vertices(Calls()[1])[2].Color, 0x80FFFFFFu);
}

TEST_F(Canvas, TextureAndPrimitiveChangesFlush) {
  canvas.Draw(board, 0, 0, 0, fxBlend);
  canvas.Draw(other, 0, 0, 0, fxBlend);
  canvas.FillRect(0, 0, 5, 5, 0xFF00FF00, fxBlend);
  canvas.PutPixel(3, 4, 0xFF00FF00, fxBlend);
  canvas.PutPixel(5, 4, 0xFF00FF00, fxBlend);
  canvas.Line(0, 0, 9, 9, 0xFF00FF00, 0xFF00FF00, fxBlend);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 5u);
  EXPECT_EQ(Calls()[0].Texture, board->Texture(0));
  EXPECT_EQ(Calls()[1].Texture, other->Texture(0));
  EXPECT_EQ(Calls()[2].Texture, nullptr);
  EXPECT_EQ(Calls()[3].Type, GfxPrimitiveType::PointList);
  EXPECT_FALSE(Calls()[3].Indexed);
  EXPECT_EQ(Calls()[3].PrimitiveCount, 2u);
  EXPECT_EQ(Calls()[4].Type, GfxPrimitiveType::LineList);
  EXPECT_EQ(Calls()[4].Indices, (std::vector<std::uint16_t>{0, 1}));
}

TEST_F(Canvas, TexturedQuadsMoveHalfATexelAndRectsStayOnTheGrid) {
  canvas.Draw(board, 10, 20, 5, fxBlend);
  canvas.FillRect(3, 4, 5, 6, 0xFFFFFFFF, fxOpaque);
  canvas.PutPixel(7, 8, 0xFFFFFFFF, fxOpaque);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 3u);
  auto quad = Vertices(Calls()[0]);
  EXPECT_FLOAT_EQ(quad[0].X, 9.5f);
  EXPECT_FLOAT_EQ(quad[0].Y, 19.5f);
  EXPECT_FLOAT_EQ(quad[2].X, 73.5f);
  EXPECT_FLOAT_EQ(quad[2].Y, 83.5f);
  EXPECT_FLOAT_EQ(quad[0].U, 0.25f);  // pattern 5 is cell (1, 1)
  EXPECT_FLOAT_EQ(quad[0].V, 0.25f);
  EXPECT_FLOAT_EQ(quad[2].U, 0.5f);
  EXPECT_FLOAT_EQ(quad[0].Rhw, 1.0f);
  auto rect = Vertices(Calls()[1]);
  EXPECT_FLOAT_EQ(rect[0].X, 3.0f);
  EXPECT_FLOAT_EQ(rect[2].X, 8.0f);
  EXPECT_FLOAT_EQ(rect[2].Y, 10.0f);
  EXPECT_FLOAT_EQ(Vertices(Calls()[2])[0].X, 7.0f);
}

TEST_F(Canvas, DrawScaledRoundsHalfToEven) {
  canvas.DrawScaled(board, 0, 0, 0.5078125, 0, fxBlend);  // 64 * s = 32.5 -> 32
  canvas.DrawScaled(board, 0, 0, 0.5234375, 0, fxBlend);  // 33.5 -> 34
  canvas.Flush();
  auto v = Vertices(Calls()[0]);
  EXPECT_FLOAT_EQ(v[2].X, 31.5f);
  EXPECT_FLOAT_EQ(v[6].X, 33.5f);
}

TEST_F(Canvas, OverflowSplitsTheBatchAtTheCacheSize) {
  // 4096 indices hold 682 quads.
  for (int i = 0; i < 700; ++i) canvas.Draw(board, i, 0, 0, fxBlend);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[0].PrimitiveCount, 682u * 2);
  EXPECT_EQ(Calls()[1].PrimitiveCount, 18u * 2);
  for (int i = 0; i < 5000; ++i) canvas.PutPixel(1, 1, 0xFF0000FF, fxOpaque);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 4u);
  EXPECT_EQ(Calls()[2].PrimitiveCount, 4096u);
}

TEST_F(Canvas, MissingImagesAndPatternsDrawNothing) {
  canvas.Draw(nullptr, 0, 0, 0, fxBlend);
  TGfxImage* empty = images.Add();
  canvas.Draw(empty, 0, 0, 0, fxBlend);
  canvas.DrawScaled(empty, 0, 0, 2, 0, fxBlend);
  canvas.Flush();
  EXPECT_TRUE(Calls().empty());
  canvas.Draw(board, 0, 0, -5, fxBlend);  // clamped to the first pattern
  canvas.Flush();
  EXPECT_FLOAT_EQ(Vertices(Calls()[0])[0].U, 0.0f);
}

TEST_F(Canvas, StatesAreSetAgainAfterEverySceneEnd) {
  canvas.Draw(board, 0, 0, 0, fxBlend);
  canvas.HandleMessage(msgSceneEnd);
  ASSERT_EQ(Calls().size(), 1u);
  Drawing().RenderStates.clear();
  canvas.Draw(board, 0, 0, 0, fxBlend);  // same image and effect, but the states were forgotten
  canvas.HandleMessage(msgFlushRequest);
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(State(Calls()[1], GfxRenderState::AlphaBlendEnable), 1u);
  EXPECT_EQ(State(Calls()[1], GfxRenderState::AlphaFunc),
            static_cast<std::uint32_t>(platform::GfxCompare::GreaterEqual));
  EXPECT_EQ(State(Calls()[1], GfxRenderState::AlphaRef), 1u);
  EXPECT_EQ(Calls()[1].Texture, board->Texture(0));
}

TEST_F(Canvas, AntialiasAndDitheringChangeAtOnce) {
  canvas.Draw(board, 0, 0, 0, fxBlend);
  canvas.SetAntialias(true);  // flushes the nearest-filtered quad first
  canvas.Draw(board, 0, 0, 0, fxBlend);
  canvas.SetDithering(true);
  canvas.Flush();
  ASSERT_EQ(Calls().size(), 2u);
  EXPECT_EQ(Calls()[0].MagFilter, static_cast<std::uint32_t>(GfxTextureFilter::Point));
  EXPECT_EQ(Calls()[0].MinFilter, static_cast<std::uint32_t>(GfxTextureFilter::Point));
  EXPECT_EQ(Calls()[1].MagFilter, static_cast<std::uint32_t>(GfxTextureFilter::Linear));
  EXPECT_EQ(Drawing().RenderStates[GfxRenderState::DitherEnable], 1u);
  EXPECT_FALSE(canvas.SetVertexCache(1000));  // not while the buffers exist
  EXPECT_FALSE(canvas.SetAlphaTesting(false));
  EXPECT_EQ(canvas.VertexCache(), 4096);
}

TEST_F(Canvas, LostDeviceDropsTheBatchUntilRestored) {
  platform.Gfx.Script.ResetResults = {platform::kGfxFail};
  EXPECT_FALSE(device.Reset());
  EXPECT_FALSE(canvas.Ready());
  canvas.FillRect(0, 0, 5, 5, 0xFF0000FF, fxOpaque);
  canvas.Flush();
  EXPECT_TRUE(Calls().empty());
  ASSERT_TRUE(device.Reset());
  EXPECT_TRUE(canvas.Ready());
  canvas.FillRect(0, 0, 5, 5, 0xFF0000FF, fxOpaque);
  canvas.Flush();
  EXPECT_EQ(Calls().size(), 1u);
}

TEST_F(Canvas, AFailedRestoreLeavesACanvasWithoutResources) {
  platform.Gfx.Script.Refuse = {"CreateVertexBuffer"};
  ASSERT_TRUE(device.Reset());
  EXPECT_FALSE(canvas.Ready());
  canvas.FillRect(0, 0, 5, 5, 0xFF0000FF, fxOpaque);
  canvas.Flush();
  EXPECT_TRUE(Calls().empty());
  EXPECT_TRUE(canvas.SetVertexCache(1024));  // no resources left, so the size may change again
  platform.Gfx.Script.Refuse.clear();
  ASSERT_TRUE(device.Finalize());
  ASSERT_TRUE(device.Initialize());
  EXPECT_TRUE(canvas.Ready());
  EXPECT_EQ(platform.Gfx.Count("CreateVertexBuffer " + std::to_string(1024 * 28)), 1);
}

TEST_F(Canvas, BuffersAreDynamicAndGoWithTheDevice) {
  EXPECT_EQ(platform.Gfx.Count("CreateVertexBuffer " + std::to_string(4096 * 28) + " 520 324 0"), 1);
  EXPECT_EQ(platform.Gfx.Count("CreateIndexBuffer " + std::to_string(4096 * 2) + " 520 0 0"), 1);
  const int released = platform.Gfx.Count("ReleaseBuffer");
  ASSERT_TRUE(device.Finalize());
  EXPECT_EQ(platform.Gfx.Count("ReleaseBuffer"), released + 2);
  EXPECT_FALSE(canvas.Ready());
  canvas.FillRect(0, 0, 5, 5, 0xFF0000FF, fxOpaque);  // no device: nothing, no crash
  canvas.Flush();
}

TEST(CanvasCreation, RefusedBuffersFailTheDevice) {
  platform::TestPlatform platform;
  TApplication app{platform};
  TForm form{app, platform::WindowSettings{}};
  TGfxDevice device{&form, platform};
  TGfxCanvas canvas{&form};
  canvas.SetPublisher(&device);
  platform.Gfx.Script.Refuse = {"CreateIndexBuffer"};
  EXPECT_FALSE(device.Initialize());
  EXPECT_FALSE(canvas.Ready());
  platform.Gfx.Script.Refuse.clear();
  EXPECT_TRUE(canvas.SetVertexCache(100));
  EXPECT_EQ(canvas.VertexCache(), 512);
}

}  // namespace zelmar
