// Zelmar Chess: the program's entry point.
#include "framework/Application.h"
#include "framework/platform/SdlPlatform.h"
#include "launcher/GameFolders.h"
#include "launcher/MainForm.h"
#include "scene/SceneForm.h"

// Opens the display, creates the game window (which shows the launcher first and may end at once) and runs
// the loop until the window is closed or the player quits. The data and the tunes are found beside the
// program or in ../share/zelmar-chess from it, whatever the working folder; config.ini beside the program,
// or in the user's settings folder for an installed game (launcher/GameFolders.h).
int main() {
  if (!zelmar::InitLauncherToolkit()) return 1;  // no display to show anything on
  zelmar::platform::SdlPlatform platform;
  zelmar::TApplication application(platform);
  application.SetTitle("Zelmar Chess");
  const zelmar::GameFolders folders = zelmar::FindGameFolders();
  zelmar::scene::TSceneSetup setup;
  setup.Launcher = [file = folders.ConfigFile](zelmar::GameOptions& options) {
    return zelmar::RunLauncher(options, file);
  };
  setup.DataFolder = folders.DataFolder;
  setup.ConfigFile = folders.ConfigFile;
  zelmar::scene::TSceneForm form(application, platform, std::move(setup));
  application.Run();
  return form.ExitCode();
}
