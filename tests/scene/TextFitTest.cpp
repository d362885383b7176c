// Every text of the game window, in every language the tables hold, measured with the generated fonts
// against the room it is drawn in: the main menu's item boxes, the options' labels up to the value column and
// their values inside it, the window buttons, the dialog questions inside the window, the status line up to
// the clocks, the side panel's piece names and the help legend. None may cross its room's edge (the shadow
// drawn a pixel to the right included) or need the replacement mark; and every text the screens draw is
// among those measured, so no text escapes the check.
#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ContentRig.h"
#include "framework/platform/TestPlatform.h"
#include "launcher/Languages.h"
#include "scene/FrameRecord.h"
#include "scene/FrameView.h"
#include "scene/MenuTable.h"
#include "scene/SceneTexts.h"
#include "scene/TextRooms.h"
#include "tests/scene/support/EveryScreen.h"

namespace zelmar::scene {
namespace {

// Texts drawn twice, their shadow one pixel right of them, reach one pixel farther than their width.
constexpr int kShadowReach = 1;
// The widest move a hint names: a capture that promotes with check.

// One text in the place it is drawn.
struct TPlacedText {
  std::string Where;
  std::string Text;
  int Font;
  TTextRoom Room;
  bool Centred;
  int Reach;  // pixels the drawing reaches right of the text's width
};

// Every text of the game window in one language, each with its room.
std::vector<TPlacedText> PlacedTexts(int lang) {
  std::vector<TPlacedText> out;
  auto add = [&](std::string where, const std::string& text, int font, TTextRoom room, bool centred,
                 int reach) {
    out.push_back({std::move(where), text, font, room, centred, reach});
  };
  for (bool continueOffered : {false, true}) {
    const TMenu& main = MenuOf(TMenuKind::MainMenu, continueOffered);
    for (int i = 1; i <= static_cast<int>(main.Items.size()); ++i)
      add("main menu item " + std::to_string(i), MenuItemText(TMenuKind::MainMenu, i, lang, continueOffered),
          kMenuFont, ItemTextRoom(TMenuKind::MainMenu, i, continueOffered), false, 0);
  }
  const TMenu& options = MenuOf(TMenuKind::OptionsMenu);
  for (int i = 1; i <= static_cast<int>(options.Items.size()); ++i) {
    add("option label " + std::to_string(i), MenuItemText(TMenuKind::OptionsMenu, i, lang), kTextFont,
        ItemTextRoom(TMenuKind::OptionsMenu, i), false, kShadowReach);
    const auto values = static_cast<int>(options.Items[static_cast<std::size_t>(i - 1)].Values.size());
    for (int v = 1; v <= values; ++v)
      add("option " + std::to_string(i) + " value " + std::to_string(v), OptionValueText(i, v, lang),
          kTextFont, kValueRoom, false, kShadowReach);
  }
  for (TMenuKind kind : {TMenuKind::QuitConfirm, TMenuKind::GameDialog, TMenuKind::HelpButtons}) {
    const TMenu& menu = MenuOf(kind);
    const std::string name = "button row " + std::to_string(static_cast<int>(kind));
    if (!menu.Question.English.empty())
      add(name + " question", MenuQuestion(kind, lang), kTextFont, kQuestionRoom, true, kShadowReach);
    for (int i = 1; i <= static_cast<int>(menu.Items.size()); ++i)
      add(name + " button " + std::to_string(i), MenuItemText(kind, i, lang), kTextFont,
          ItemTextRoom(kind, i), false, kShadowReach);
  }
  for (TGameState state :
       {TGameState::HumanToMove, TGameState::ComputerThinking, TGameState::ChoosePromotion})
    add("status " + std::to_string(static_cast<int>(state)), StatusText(state, lang), kTextFont, kStatusRoom,
        false, kShadowReach);
  for (TResult result : {TResult::Mate, TResult::StaleMate, TResult::NoMatingMaterial, TResult::Threefold})
    add("result " + std::to_string(static_cast<int>(result)), ResultTextOf(result, lang), kTextFont,
        kStatusRoom, false, kShadowReach);
  for (bool zelmar : {false, true})
    for (int code = -6; code <= 6; ++code)
      if (code != 0)
        add("piece " + std::to_string(code), PieceName(code, zelmar, lang), kTextFont, kPanelNameRoom, false,
            kShadowReach);
  for (int pattern = 0; pattern <= 10; ++pattern)
    add("legend " + std::to_string(pattern), HelpLegend(pattern, lang), kTextFont, kLegendRoom, false,
        kShadowReach);
  add("hint key", HelpHintText(lang), kTextFont, kLegendRoom, false, kShadowReach);
  add("hint asked", HintStatusText("", lang), kTextFont, kStatusRoom, false, kShadowReach);
  add("hint shown", HintStatusText(test::kWidestHint, lang), kTextFont, kStatusRoom, false, kShadowReach);
  return out;
}

class TextFitTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform.Gfx.Script.Current = {1024, 768, 60, platform::GfxFormat::X8R8G8B8};
    ASSERT_TRUE(rig.Load(ZELMAR_DATA_DIR)) << "the content of " << ZELMAR_DATA_DIR << " did not load";
  }

  platform::TestPlatform platform;
  TApplication app{platform};
  TContentRig rig{app, platform, 1024, 768};
};

TEST_F(TextFitTest, EveryTextOfEveryLanguageFitsItsRoomWithoutReplacedCharacters) {
  for (int lang = kFirstLanguage; lang < kFirstLanguage + kLanguageCount; ++lang) {
    SCOPED_TRACE("language " + std::to_string(lang));
    for (const TPlacedText& placed : PlacedTexts(lang)) {
      ASSERT_FALSE(placed.Text.empty()) << placed.Where;
      const TTextExtent extent = rig.fonts.Items(placed.Font)->Measure(placed.Text);
      EXPECT_EQ(extent.Replaced, 0) << placed.Where << " \"" << placed.Text
                                    << "\" needs the replacement mark";
      const int left = placed.Centred ? CentredLeft(placed.Room, extent.Width) : placed.Room.Left;
      const double right = left + extent.Width + placed.Reach;
      EXPECT_GE(left, placed.Room.Left) << placed.Where << " \"" << placed.Text << "\"";
      EXPECT_LE(right, placed.Room.Right)
          << placed.Where << " \"" << placed.Text << "\" is " << extent.Width << " pixels wide from x "
          << left << ", over its room's edge at " << placed.Room.Right;
    }
  }
}

// What the screens draw is what the fit test measures: every text of every screen, menu, panel piece and
// game state, in every language, is one of the placed texts of its language.
TEST_F(TextFitTest, EveryTextTheScreensDrawIsMeasured) {
  for (int lang = kFirstLanguage; lang < kFirstLanguage + kLanguageCount; ++lang) {
    SCOPED_TRACE("language " + std::to_string(lang));
    std::set<std::string> placed;
    for (const TPlacedText& text : PlacedTexts(lang)) placed.insert(text.Text);
    std::size_t drawn = 0;
    for (const TSceneState& state : test::EveryScreen(lang)) {
      TFrameRecord painter;
      painter.MeasureWith(&rig.painter);
      DrawFrame(state, painter, kLogicalWidth, kLogicalHeight);
      for (const TPaintCall& call : painter.Of(TCallKind::TextOut)) {
        if (call.Font == kClockFont) continue;  // the clock's digits
        ++drawn;
        EXPECT_TRUE(placed.contains(call.Text)) << "\"" << call.Text << "\" is drawn but not measured";
      }
    }
    EXPECT_GT(drawn, 100u);
  }
}

}  // namespace
}  // namespace zelmar::scene
