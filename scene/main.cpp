// Zelmar Chess: the program's entry point.
#include "framework/Application.h"
#include "framework/platform/QuitSignals.h"
#include "framework/platform/SdlPlatform.h"
#include "launcher/DisplayRoute.h"
#include "launcher/ErrorBox.h"
#include "launcher/GameFolders.h"
#include "launcher/MainForm.h"
#include "scene/SceneForm.h"

// Chooses the display (a Wayland desktop without a keyboard and a pointer is left for the X display, or the
// program ends with a clear message), creates the game window (which shows the launcher first and may end at
// once) and runs the loop until the window is closed or the player quits. The data and the tunes are found
// beside the program or in ../share/zelmar-chess from it, whatever the working folder; config.ini beside the
// program, or in the user's settings folder for an installed game (launcher/GameFolders.h). SIGTERM and
// SIGINT end the program from every state as the player's quit would, nothing saved on the way
// (framework/platform/QuitSignals.h), and with status 0: the end was asked for, even over the video
// failure's box.
int main() {
  zelmar::InstallQuitSignals();
  zelmar::WatchForQuit(zelmar::QuitSignalFd());
  if (zelmar::PrepareDisplayRoute() == zelmar::DisplayRoute::drNone) {
    zelmar::PrintError(std::string(zelmar::scene::kVideoFailure) + " (" +
                       std::string(zelmar::kNoInputOnDisplay) + ")");
    return 1;
  }
  if (!zelmar::InitLauncherToolkit()) {
    zelmar::PrintError("no display to show the game on");
    return 1;
  }
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
  setup.ShowError = zelmar::ShowErrorBox;
  zelmar::scene::TSceneForm form(application, platform, std::move(setup));
  application.Run();
  return zelmar::QuitRequested() ? 0 : form.ExitCode();
}
