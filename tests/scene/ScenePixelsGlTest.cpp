// Every screen of the game drawn with the real content through the OpenGL backend, read back from the back
// buffer and compared with the reference pictures in tests/scene/reference/ (the screenshot shrunk four
// times, so one compared pixel is a 4 x 4 block). Needs a display (scripts/test runs it under Xvfb) and fails
// without one. Every screenshot is also written whole to build/screenshots/scene/, and a contact sheet of
// them to build/content/scene-sheet.png. With ZELMAR_UPDATE_SCENE_REFERENCES=1 set the references are
// rewritten from the screenshots instead of compared.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "ContentRig.h"
#include "engine/ChessBrd.h"
#include "framework/platform/SdlPlatform.h"
#include "launcher/Languages.h"
#include "scene/AnimationSteps.h"
#include "scene/FrameView.h"
#include "scene/SceneGeometry.h"
#include "scene/SquareMarks.h"
#include "tests/scene/pixels/Picture.h"

namespace zelmar::scene {
namespace {

constexpr int kWidth = 1024, kHeight = 768;
// One compared pixel is a 4 x 4 block; it is off when a channel differs by more than kLimit, and a screen
// passes with at most kMostOff such blocks. A missing or recoloured text, a figure moved by a few pixels or
// a missing cursor turns dozens of blocks; rendering noise moves a block by a few levels.
constexpr int kShrink = 4, kLimit = 40, kMostOff = 6;

// A position a few moves into an open game: 1. e4 e5 2. Nf3 Nc6 3. Bc4 Bc5.
constexpr const char* kOpening =
    "r bqk nr"
    "pppp ppp"
    "  n     "
    "  b p   "
    "  B P   "
    "     N  "
    "PPPP PPP"
    "RNBQK  R";

// A game screen in that position with the clocks running and the perspective view only.
TSceneState Game() {
  TSceneState s;
  s.SceneMode = TSceneMode::GameScreen;
  s.MenuKind = TMenuKind::NoMenu;
  s.Options.Classic = 1;
  s.Board.LoadPosition(kOpening);
  s.Board.WhiteSeconds = 754;
  s.Board.BlackSeconds = 192;
  s.PortraitScale = 1.0;
  s.Pulse = 30;
  s.CursorX = 560, s.CursorY = 430;
  return s;
}

// The game screen after the opening's moves and `more`, as the board plays them in Zelmar mode, with the
// marks of setting `marks` found there and the piece on `selected` (a square name, or none) chosen.
TSceneState Marked(std::initializer_list<const char*> more, int marks, const char* selected) {
  TSceneState s = Game();
  TChessBrd board;
  board.SetZelmarMode(true);
  board.NewGame();
  std::vector<const char*> moves = {"e2e4", "e7e5", "g1f3", "b8c6", "f1c4", "f8c5"};
  moves.insert(moves.end(), more.begin(), more.end());
  for (const char* move : moves) {
    const auto from = ParseSquare(std::string(move, 2)), to = ParseSquare(std::string(move + 2, 2));
    EXPECT_TRUE(from && to && board.PlayMove(*from, *to)) << move;
  }
  s.Board.LoadPosition(board.Position());
  s.Board.SideToMove = static_cast<std::int8_t>(board.WhiteToMove() ? 1 : -1);
  s.Options.Marks = marks;
  if (selected != nullptr) {
    s.SelectedSquare = Ord(*ParseSquare(selected));
    s.PanelPiece = s.Board.At(s.SelectedSquare);
  }
  s.Marks = FindSquareMarks(board, s);
  return s;
}

// The title screen with the circle some ticks on.
TSceneState Title(TMenuKind menu, int hover) {
  TSceneState s;
  s.SceneMode = TSceneMode::TitleScreen;
  s.MenuKind = menu;
  s.MenuHover = hover;
  for (int t = 0; t < 90; ++t) TitleStep(s);
  s.CursorX = 420, s.CursorY = 610;
  return s;
}

// Draws the frame of `state` and reads back the screenshot.
bool Screenshot(TContentRig& rig, const TSceneState& state, TRgbPicture& shot) {
  std::vector<std::uint32_t> pixels;
  if (!rig.Render([&](TScenePainter& painter) { DrawFrame(state, painter, kWidth, kHeight); }) ||
      !rig.ReadBack(pixels, kWidth, kHeight))
    return false;
  shot = FromBackBuffer(pixels, kWidth, kHeight);
  return true;
}

// Compares the shrunk screenshot with its reference, or rewrites the reference when asked to.
void CheckReference(const std::string& name, const TRgbPicture& shot) {
  const TRgbPicture small = Shrink(shot, kShrink);
  const std::string reference = std::string(ZELMAR_REFERENCE_DIR) + "/" + name + ".png";
  if (std::getenv("ZELMAR_UPDATE_SCENE_REFERENCES")) {
    EXPECT_TRUE(WritePng(reference, small)) << reference;
    return;
  }
  const auto want = ReadPng(reference);
  ASSERT_TRUE(want.has_value()) << "no reference picture " << reference;
  const TPictureDifference d = Compare(small, *want, kLimit);
  EXPECT_LE(d.Off, kMostOff) << name << ": " << d.Off << " blocks differ from the reference, the first at ("
                             << d.FirstX * kShrink << ", " << d.FirstY * kShrink
                             << ") of the screen, by up to " << d.Largest << "; the screenshot is in "
                             << ZELMAR_SCREENSHOT_DIR;
}

// The title screen with the main menu, "Game" hovered.
TSceneState TitleScreen() {
  return Title(TMenuKind::MainMenu, 1);
}

// The title screen with a kept unfinished game: "Continue" first, "Game" hovered.
TSceneState TitleWithContinue() {
  TSceneState s = Title(TMenuKind::MainMenu, 2);
  s.ContinueOffered = true;
  return s;
}

// The same in Russian, "Continue" hovered.
TSceneState TitleWithContinueInRussian() {
  TSceneState s = Title(TMenuKind::MainMenu, 1);
  s.ContinueOffered = true;
  s.Options.Lang = 2;
  s.CursorX = 200, s.CursorY = 175;
  return s;
}

// The player's knight selected: pulsing posts on f3, still ones on d4, the knight in the side panel.
TSceneState GameInTheCastle() {
  TSceneState s = Game();
  s.SelectedSquare = 46;
  s.HoverSquare = 36;
  s.PanelPiece = 2;
  s.ButtonHover = 2;
  return s;
}

// The computer's knight on its way from g8 to f6 in Town, the Brunettes' Zelmar in the panel.
TSceneState GameInTown() {
  TSceneState s = Game();
  s.Options.Background = 2;
  s.GameState = TGameState::ComputerThinking;
  s.Board.Put(7, 0);
  const TScreenPoint from = SquareCentre(s, 7), to = SquareCentre(s, 22);
  s.Animating = true;
  s.MovingPiece = -2;
  s.Glide.AnimX = (from.X + to.X) / 2;
  s.Glide.AnimY = (from.Y + to.Y) / 2;
  s.PanelPiece = -5;
  return s;
}

// The wood board over the castle with the White Zelmar selected on d1.
TSceneState ClassicBoardInWood() {
  TSceneState s = Game();
  s.Options.Classic = 2;
  s.SelectedSquare = 60;
  s.PanelPiece = 5;
  s.ButtonHover = 4;
  return s;
}

// The marble board turned and smaller, in Russian, with the White Zelmar selected on d1 (now at the top).
TSceneState ClassicBoardInMarbleTurned() {
  TSceneState s = Game();
  s.Options.Classic = 3;
  s.Options.Inversion = 1;
  s.Options.Lang = 2;
  s.BoardSizePercent = 60;
  s.SelectedSquare = 60;
  s.PanelPiece = 5;
  return s;
}

// "All" on the castle's board: the White bishop has taken on f7 with check; the Black king, selected, may
// go to e7 or f8 or take the bishop.
TSceneState MarksInTheCastle() {
  return Marked({"c4f7"}, kMarksAll, "e8");
}

// "All" on the marble board over the town: the White knight selected after Black's bishop came to c5.
TSceneState MarksOnMarbleInTown() {
  TSceneState s = Marked({}, kMarksAll, "f3");
  s.Options.Background = 2;
  s.Options.Classic = 3;
  return s;
}

// A hint on the castle's board with the move marks off: the knight's capture on e5, marked on both squares
// and named in the status line.
TSceneState HintInTheCastle() {
  TSceneState s = Marked({}, kMarksNone, nullptr);
  s.HintAsked = true;
  s.HintFrom = Ord(*ParseSquare("f3"));
  s.HintTo = Ord(*ParseSquare("e5"));
  s.HintSan = "Nxe5";
  s.Marks.Add(s.HintFrom, TSquareMark::Hint);
  s.Marks.Add(s.HintTo, TSquareMark::Hint);
  return s;
}

// The promotion choices with the rook hovered.
TSceneState PromotionPanel() {
  TSceneState s = Game();
  s.Board.Put(14, 0);  // the f-pawn has run through to f8 and waits for its new piece
  s.Board.Put(6, 1);
  s.GameState = TGameState::ChoosePromotion;
  s.PromotionHover = 4;
  s.CursorX = 680, s.CursorY = 520;
  return s;
}

// The quit window over the title, "Quit" hovered.
TSceneState QuitWindow() {
  return Title(TMenuKind::QuitConfirm, 2);
}

// The in-game window over a game, "Rematch" hovered.
TSceneState InGameWindow() {
  TSceneState s = Game();
  s.MenuKind = TMenuKind::GameDialog;
  s.MenuHover = 2;
  s.PanelPiece = -6;
  s.CursorX = 505, s.CursorY = 412;
  return s;
}

// The options in English, "Classic Board" hovered.
TSceneState OptionsInEnglish() {
  TSceneState s = Title(TMenuKind::OptionsMenu, 5);
  s.CursorX = 200, s.CursorY = 330;
  return s;
}

// The options in Russian with other values, "Language" hovered.
TSceneState OptionsInRussian() {
  TSceneState s = Title(TMenuKind::OptionsMenu, 9);
  s.Options.Lang = 2;
  s.Options.Mode = 1;
  s.Options.Classic = 3;
  s.Options.Priority = 3;
  s.CursorX = 200, s.CursorY = 490;
  return s;
}

// The help legend with its buttons, "Options" hovered.
TSceneState HelpScreen() {
  TSceneState s;
  s.SceneMode = TSceneMode::HelpScreen;
  s.MenuKind = TMenuKind::HelpButtons;
  s.MenuHover = 2;
  s.CursorX = 850, s.CursorY = 740;
  return s;
}

// The screens in the order of the contact sheet.
const struct {
  const char* Name;
  TSceneState (*State)();
} kScreens[] = {
    {"title", TitleScreen},
    {"game-castle", GameInTheCastle},
    {"game-town", GameInTown},
    {"classic-wood", ClassicBoardInWood},
    {"classic-marble-turned", ClassicBoardInMarbleTurned},
    {"promotion", PromotionPanel},
    {"quit", QuitWindow},
    {"game-dialog", InGameWindow},
    {"options-english", OptionsInEnglish},
    {"options-russian", OptionsInRussian},
    {"help", HelpScreen},
    {"title-continue", TitleWithContinue},
    {"title-continue-russian", TitleWithContinueInRussian},
    {"marks-castle", MarksInTheCastle},
    {"marks-marble-town", MarksOnMarbleInTown},
    {"hint-castle", HintInTheCastle},
};

// One run over every screen, so the content is loaded once and the sheet holds them all.
// The game's content loaded into a window of the screen's size, once a display is there.
class ScenePixels : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(platform.VideoAvailable()) << "this test needs a display (run it under xvfb-run)";
    app.emplace(platform);
    rig.emplace(*app, platform, kWidth, kHeight);
    ASSERT_TRUE(rig->Load(ZELMAR_DATA_DIR)) << "the content of " << ZELMAR_DATA_DIR << " did not load";
  }
  platform::SdlPlatform platform;
  std::optional<TApplication> app;
  std::optional<TContentRig> rig;
};

TEST_F(ScenePixels, EveryScreenMatchesItsReference) {
  const std::filesystem::path dir = ZELMAR_SCREENSHOT_DIR;
  std::filesystem::create_directories(dir);
  std::vector<TRgbPicture> sheet;
  for (const auto& screen : kScreens) {
    SCOPED_TRACE(screen.Name);
    TRgbPicture shot;
    ASSERT_TRUE(Screenshot(*rig, screen.State(), shot));
    platform.PumpEvents();
    EXPECT_TRUE(WritePng((dir / (std::string(screen.Name) + ".png")).string(), shot));
    sheet.push_back(Shrink(shot, 2));
    CheckReference(screen.Name, shot);
  }
  const std::filesystem::path sheetFile = ZELMAR_SHEET_FILE;
  std::filesystem::create_directories(sheetFile.parent_path());
  EXPECT_TRUE(WritePng(sheetFile.string(), Sheet(sheet, 3, 8))) << sheetFile;
}

}  // namespace

// The screens a player sees of each language: the title, the options, the help, a game with the side
// panel's piece and the in-game window, written to build/screenshots/languages/ with a sheet of the ten
// titles. Every language draws its own texts: no two titles are the same picture.
TEST_F(ScenePixels, EveryLanguageShowsItsOwnScreens) {
  const std::filesystem::path dir = std::filesystem::path(ZELMAR_SCREENSHOT_DIR).parent_path() / "languages";
  std::filesystem::create_directories(dir);
  const struct {
    const char* Name;
    TSceneState (*State)();
  } screens[] = {{"title", TitleScreen},
                 {"options", OptionsInRussian},
                 {"help", HelpScreen},
                 {"game", GameInTheCastle},
                 {"dialog", InGameWindow}};
  std::vector<TRgbPicture> titles;
  for (const Language& language : kLanguages) {
    const std::int32_t lang = static_cast<std::int32_t>(&language - kLanguages) + 1;
    for (const auto& screen : screens) {
      SCOPED_TRACE(std::string(language.Code) + " " + screen.Name);
      TSceneState state = screen.State();
      state.Options.Lang = lang;
      TRgbPicture shot;
      ASSERT_TRUE(Screenshot(*rig, state, shot));
      platform.PumpEvents();
      const std::string file = std::string(language.Code) + "-" + screen.Name + ".png";
      EXPECT_TRUE(WritePng((dir / file).string(), shot));
      if (screen.State == TitleScreen) titles.push_back(Shrink(shot, 2));
    }
  }
  for (std::size_t a = 0; a < titles.size(); ++a)
    for (std::size_t b = a + 1; b < titles.size(); ++b)
      EXPECT_GT(Compare(titles[a], titles[b], kLimit).Off, 0)
          << kLanguages[a].Code << " " << kLanguages[b].Code;
  EXPECT_TRUE(WritePng((dir / "titles-sheet.png").string(), Sheet(titles, 5, 8)));
}

}  // namespace zelmar::scene
