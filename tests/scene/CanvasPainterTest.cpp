// The canvas painter with the game's real content on the test backend: it binds every picture and font of
// the group "Content", and with any one of them missing it refuses and draws no picture or text at all.
#include "scene/CanvasPainter.h"

#include <gtest/gtest.h>

#include "ContentRig.h"
#include "framework/platform/TestDrawing.h"
#include "framework/platform/TestPlatform.h"
#include "scene/FrameView.h"

namespace zelmar::scene {
namespace {

class CanvasPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.Gfx.Script.Current = {1024, 768, 60, platform::GfxFormat::X8R8G8B8};
    ASSERT_TRUE(rig.Load(ZELMAR_DATA_DIR)) << "the content of " << ZELMAR_DATA_DIR << " did not load";
    Drawing().KeepVertices = false;
  }

  platform::TestDrawing& Drawing() {
    return static_cast<platform::TestDrawing&>(rig.device.ApiDevice()->Drawing());
  }

  // Draws one frame of a game in progress and returns the textured and untextured draw calls it made.
  std::pair<int, int> DrawGame() {
    TSceneState state;
    state.SceneMode = TSceneMode::GameScreen;
    state.MenuKind = TMenuKind::GameDialog;
    state.PanelPiece = -5;
    Drawing().Calls.clear();
    EXPECT_TRUE(rig.Render([&](TScenePainter& painter) { DrawFrame(state, painter, 1024, 768); }));
    int textured = 0, plain = 0;
    for (const auto& call : Drawing().Calls) (call.Texture ? textured : plain) += 1;
    return {textured, plain};
  }

  platform::TestPlatform platform;
  TApplication app{platform};
  TContentRig rig{app, platform, 1024, 768};
};

TEST_F(CanvasPainterTest, BindsTheWholeContentAndRefusesWhenAnyPictureOrFontIsMissing) {
  ASSERT_TRUE(rig.painter.Bound());
  const auto [textured, plain] = DrawGame();
  EXPECT_GT(textured, 5);
  EXPECT_GT(plain, 0);
  // A picture the archive lacks: nothing textured is drawn, the rectangles still are.
  TGfxImage* icon = rig.images.Find("queen_21");
  ASSERT_NE(icon, nullptr);
  icon->Name = "queen_99";
  EXPECT_FALSE(rig.painter.Bind(rig.images, rig.fonts));
  EXPECT_FALSE(rig.painter.Bound());
  const auto [texturedWithout, plainWithout] = DrawGame();
  EXPECT_EQ(texturedWithout, 0);
  EXPECT_GT(plainWithout, 0);
  // Names are found ignoring case; once the picture is back, binding works again.
  icon->Name = "QUEEN_21";
  EXPECT_TRUE(rig.painter.Bind(rig.images, rig.fonts));
  // Forgetting the content (the device releasing it) stops every picture until the next Bind.
  rig.painter.Unbind();
  EXPECT_EQ(DrawGame().first, 0);
  // A font short: refused, and no text is called on any font.
  rig.fonts.Delete(2);
  EXPECT_FALSE(rig.painter.Bind(rig.images, rig.fonts));
  EXPECT_EQ(DrawGame().first, 0);
}

}  // namespace
}  // namespace zelmar::scene
