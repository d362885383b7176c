// The game window on the test backend: start-up from the launcher's choices, window and full screen, a
// failed load, data found from any working folder, the window size keys, and every screen's Escape and
// buttons through to the quit window, all by scripted pointer, clicks and keys.
#include <gtest/gtest.h>

#include <fstream>

#include "scene/support/SceneFormRig.h"

namespace zelmar::scene {
namespace {

using test::TSceneFormRig;

// Logical points of the menus' items (their boxes' middles).
constexpr int kMenuX = 183;
int MainMenuY(int item) {
  return 172 + 40 * (item - 1);
}
constexpr int kDialogY = 412;
int GameDialogX(int item) {
  return 413 + 100 * (item - 1);
}
int QuitConfirmX(int item) {
  return 462 + 100 * (item - 1);
}

TEST(SceneFormTest, StartsInAWindowOnTheTitleScreenWithTheComponentsAsSet) {
  TSceneFormRig rig;
  rig.Start();
  TSceneForm& form = rig.Form();
  EXPECT_EQ(rig.LauncherRuns, 1);
  EXPECT_TRUE(form.Running());
  EXPECT_FALSE(form.StartPending);
  // The window: caption, always on top, the system pointer hidden, 1024 x 768 centred, shown.
  platform::TestWindow& window = rig.Window();
  EXPECT_EQ(window.Title, "Zelmar Chess II");
  EXPECT_TRUE(window.OnTop);
  EXPECT_FALSE(window.CursorVisible);
  EXPECT_TRUE(window.Visible);
  EXPECT_FALSE(window.Maximized);
  EXPECT_EQ(window.Width, 1024);
  EXPECT_EQ(window.Height, 768);
  EXPECT_EQ(window.Left, (1280 - 1026) / 2);
  EXPECT_EQ(window.Top, (1024 - 792) / 2);
  // The device, canvas and engine as the window sets them (the framework's defaults differ).
  EXPECT_TRUE(form.Device.Initialized());
  EXPECT_TRUE(form.Device.Windowed());
  EXPECT_EQ(form.Device.Width(), 1024);
  EXPECT_EQ(form.Device.Height(), 768);
  EXPECT_EQ(form.Device.BitDepth(), bdLow);
  EXPECT_FALSE(form.Device.HardwareTL());
  EXPECT_FALSE(form.Device.VSync());
  EXPECT_FALSE(form.SceneCanvas.AlphaTesting());
  EXPECT_TRUE(form.SceneCanvas.Antialias());  // the launcher's box
  EXPECT_TRUE(form.Timer.Enabled());
  EXPECT_EQ(form.ChessEngine.SearchDepth(), 5);
  EXPECT_EQ(form.ChessEngine.ThinkingPriority(), tpLower);
  EXPECT_TRUE(form.ChessEngine.ComputerPlaysBlack());
  EXPECT_FALSE(form.ChessEngine.ComputerPlaysWhite());
  EXPECT_FALSE(form.Timer1.Enabled());
  EXPECT_EQ(form.WaveList1.Count(), 8);
  // The title screen with the main menu; the cursor in the middle until the pointer is seen.
  const TSceneState& state = rig.State();
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_EQ(state.Pulse, 20);
  EXPECT_EQ(state.Options.Depth, rig.Options.Depth);  // what the launcher read
  rig.RunTicks(3);
  EXPECT_EQ(state.CursorX, 512);
  EXPECT_EQ(state.CursorY, 384);
  // The pointer over the window carries the cursor with it.
  rig.Platform.Input.PointAt(700, 20);
  rig.RunTicks(1);
  EXPECT_EQ(state.CursorX, 700);
  EXPECT_EQ(state.CursorY, 20);
  EXPECT_EQ(form.ExitCode(), 0);
}

TEST(SceneFormTest, FullScreenCentresTheSceneOrKeepsTheLogicalSizeWhenMaximized) {
  TSceneFormRig centred;
  centred.Choices.FullScreen = true;
  centred.Start();
  EXPECT_FALSE(centred.Form().Device.Windowed());
  EXPECT_TRUE(centred.Form().Device.VSync());
  EXPECT_EQ(centred.Form().Device.Width(), 1280);  // the test screen is 1280 x 1024
  EXPECT_EQ(centred.Form().Device.Height(), 1024);
  EXPECT_EQ(centred.State().OriginX, 128);
  EXPECT_EQ(centred.State().OriginY, 128);
  EXPECT_FALSE(centred.Window().Maximized);
  // Relative motion only; the clamp holds at both ends.
  centred.Platform.Input.Move(-5000, 40);
  centred.RunTicks(1);
  EXPECT_EQ(centred.State().CursorX, 0);
  EXPECT_EQ(centred.State().CursorY, 424);
  centred.Platform.Input.Move(5000, 5000);
  centred.RunTicks(1);
  EXPECT_EQ(centred.State().CursorX, 1024);
  EXPECT_EQ(centred.State().CursorY, 768);
  // The size keys do nothing in full screen.
  centred.Platform.Input.Keys[kKeyDown] = 0x80;
  centred.RunTicks(3);
  EXPECT_EQ(centred.Window().Width, 1024);

  TSceneFormRig maximized;
  maximized.Choices.FullScreen = true;
  maximized.Choices.Maximized = true;
  maximized.Start();
  EXPECT_EQ(maximized.Form().Device.Width(), 1024);
  EXPECT_EQ(maximized.Form().Device.Height(), 768);
  EXPECT_EQ(maximized.State().OriginX, 0);
}

TEST(SceneFormTest, AMaximizedWindowAndTheWindowSizeKeys) {
  TSceneFormRig rig;
  rig.Choices.Maximized = true;
  rig.Start();
  EXPECT_TRUE(rig.Window().Maximized);  // opened maximised over a restore size of 512 x 384
  EXPECT_EQ(rig.Window().Width, 512);
  EXPECT_EQ(rig.Window().Height, 384);
  rig.Window().Maximized = false;
  rig.Platform.Input.Keys[kKeyDown] = 0x80;  // held: one step per tick, stopping below 392
  rig.RunTicks(1);
  EXPECT_EQ(rig.Window().Width, 512);  // 384 is below the bound already
  rig.Platform.Input.Keys[kKeyDown] = 0;
  rig.Platform.Input.Keys[kKeyUp] = 0x80;
  const int ticks = rig.Ticks;
  rig.RunTicks(4);
  EXPECT_EQ(rig.Window().Width, 512 + 8 * (rig.Ticks - ticks));
  EXPECT_EQ(rig.Window().Height, (512 + 8 * (rig.Ticks - ticks)) * 3 / 4);
  EXPECT_EQ(rig.Window().Left, (1280 - rig.Window().Width - 2) / 2);  // kept centred
  // The back buffer keeps its size; the cursor maps through it.
  EXPECT_EQ(rig.Form().Device.Width(), 1024);
}

TEST(SceneFormTest, ALauncherClosedWithoutStartingEndsTheProgramSilently) {
  TSceneFormRig rig;
  rig.Choices.Started = false;
  rig.Start();
  EXPECT_TRUE(rig.Form().StartPending);
  EXPECT_FALSE(rig.Form().Running());
  EXPECT_TRUE(rig.Application.Terminated());
  EXPECT_FALSE(rig.Form().Device.Initialized());
  EXPECT_EQ(rig.Platform.Gfx.Count("CreateGfxApi"), 0);
  EXPECT_FALSE(rig.Window().Visible);
  EXPECT_TRUE(rig.Window().Errors.empty());
  EXPECT_FALSE(std::filesystem::exists(rig.ConfigFile));  // nothing saved
  EXPECT_EQ(rig.Form().ExitCode(), 0);
}

// Copies the data files into a folder, leaving out every line of the description that names `dropped`.
void CopyDataWithout(const std::filesystem::path& folder, const std::string& dropped) {
  std::filesystem::create_directories(folder);
  const std::filesystem::path from = test::ProgramDataFolder();
  std::filesystem::copy_file(from / "zelmar.dat", folder / "zelmar.dat");
  std::ifstream in(from / "zelmar.def");
  std::ofstream out(folder / "zelmar.def");
  std::string line;
  while (std::getline(in, line))
    if (dropped.empty() || line.find("\"" + dropped + "\"") == std::string::npos) out << line << '\n';
}

TEST(SceneFormTest, AMissingPictureOrFontOrArchiveIsAVideoFailure) {
  const auto scratch = std::filesystem::temp_directory_path() / "zelmar-scene-failed-load";
  std::filesystem::remove_all(scratch);
  CopyDataWithout(scratch / "no-cursor", "cursor_1");
  CopyDataWithout(scratch / "no-archive", "");
  std::filesystem::remove(scratch / "no-archive" / "zelmar.dat");  // the description reads, no record does
  for (const char* folder : {"no-cursor", "no-archive", "nothing"}) {
    SCOPED_TRACE(folder);
    TSceneFormRig rig;
    rig.DataFolder = scratch / folder;
    rig.Start();
    EXPECT_EQ(rig.Window().Errors, std::vector<std::string>{"Failed initializing video device!"});
    EXPECT_EQ(rig.Form().ExitCode(), 1);
    EXPECT_TRUE(rig.Application.Terminated());
    EXPECT_FALSE(rig.Form().Running());
    EXPECT_FALSE(rig.Form().Timer.Enabled());
    EXPECT_FALSE(rig.Form().Device.Initialized());
    EXPECT_FALSE(rig.Pass());  // nothing is ever drawn
  }
  std::filesystem::remove_all(scratch);
}

TEST(SceneFormTest, TheDataIsFoundBesideTheProgramFromAnyWorkingFolder) {
  const auto before = std::filesystem::current_path();
  std::filesystem::current_path(std::filesystem::temp_directory_path());
  TSceneFormRig rig;
  rig.Start();
  std::filesystem::current_path(before);
  EXPECT_TRUE(rig.Form().Running());
  EXPECT_TRUE(rig.Window().Errors.empty());
}

TEST(SceneFormTest, EscapeAndTheButtonsOfEveryScreenThroughToTheQuitWindow) {
  TSceneFormRig rig;
  rig.Start();
  TSceneState& state = rig.State();
  // Title screen: Escape opens the quit window; its first button goes back.
  rig.PressKey(kKeyEscape);
  EXPECT_EQ(state.MenuKind, TMenuKind::QuitConfirm);
  rig.ClickAt(QuitConfirmX(1), kDialogY);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  // Options: Escape goes back without saving.
  rig.ClickAt(kMenuX, MainMenuY(3));
  EXPECT_EQ(state.MenuKind, TMenuKind::OptionsMenu);
  rig.PressKey(kKeyEscape);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_FALSE(std::filesystem::exists(rig.ConfigFile));
  // Help: Escape goes back to the title screen.
  rig.ClickAt(kMenuX, MainMenuY(2));
  EXPECT_EQ(state.SceneMode, TSceneMode::HelpScreen);
  rig.PressKey(kKeyEscape);
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  // Game: Escape opens the in-game window (also over it); "Cancel" closes it, "Menu" leaves the game.
  rig.ClickAt(kMenuX, MainMenuY(1));
  EXPECT_EQ(state.SceneMode, TSceneMode::GameScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::NoMenu);
  EXPECT_TRUE(rig.Form().Timer1.Enabled());
  rig.PressKey(kKeyEscape);
  EXPECT_EQ(state.MenuKind, TMenuKind::GameDialog);
  rig.PressKey(kKeyEscape);
  EXPECT_EQ(state.MenuKind, TMenuKind::GameDialog);
  rig.ClickAt(GameDialogX(1), kDialogY);
  EXPECT_EQ(state.MenuKind, TMenuKind::NoMenu);
  rig.PressKey(kKeyEscape);
  rig.ClickAt(GameDialogX(3), kDialogY);
  EXPECT_EQ(state.SceneMode, TSceneMode::TitleScreen);
  EXPECT_EQ(state.MenuKind, TMenuKind::MainMenu);
  EXPECT_FALSE(rig.Form().Timer1.Enabled());
  // "Quit" opens the quit window, whose "Quit" ends the loop at once; nothing is saved.
  rig.ClickAt(kMenuX, MainMenuY(4));
  EXPECT_EQ(state.MenuKind, TMenuKind::QuitConfirm);
  rig.ClickAt(QuitConfirmX(2), kDialogY);
  EXPECT_TRUE(rig.Application.Terminated());
  EXPECT_FALSE(rig.Pass());
  EXPECT_EQ(rig.Form().ExitCode(), 0);
  EXPECT_FALSE(std::filesystem::exists(rig.ConfigFile));
}

TEST(SceneFormTest, TheWindowsCloseBoxEndsTheLoop) {
  TSceneFormRig rig;
  rig.Start();
  rig.Platform.CloseRequested = true;
  EXPECT_FALSE(rig.Pass());
  EXPECT_EQ(rig.Form().ExitCode(), 0);
}

}  // namespace
}  // namespace zelmar::scene
