// Zelmar Chess: the program's entry point.
#include "audio/ProgramFiles.h"
#include "framework/Application.h"
#include "framework/platform/SdlPlatform.h"
#include "launcher/GameOptions.h"
#include "launcher/MainForm.h"
#include "scene/SceneForm.h"

// Opens the display, creates the game window (which shows the launcher first and may end at once) and runs
// the loop until the window is closed or the player quits. The data, the tunes and config.ini are found
// beside the program, whatever the working folder.
int main() {
  if (!zelmar::InitLauncherToolkit()) return 1;  // no display to show anything on
  platform::SdlPlatform platform;
  TApplication application(platform);
  application.SetTitle("Zelmar Chess");
  zelmar::scene::TSceneSetup setup;
  setup.Launcher = [](zelmar::GameOptions& options) { return zelmar::RunLauncher(options); };
  setup.DataFolder = zelmar::audio::ProgramDirectory();
  setup.ConfigFile = zelmar::ConfigFilePath();
  zelmar::scene::TSceneForm form(application, platform, std::move(setup));
  application.Run();
  return form.ExitCode();
}
